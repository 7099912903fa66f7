// Where each control of a window laid out in twips lies: its place in twips,
// and its pixel geometry made from it with the one conversion of app/Twips.h.
// Both edges of a place are converted, so controls that meet in twips meet in
// pixels at any scale.
#pragma once
#include <QRect>
#include <map>

class QWidget;

namespace orv {

class TwipsPlaces {
public:
    // Records the place of `w` and sets its geometry.
    void place(QWidget* w, int x, int y, int width, int height);
    void place(QWidget* w, const QRect& twips);
    // Sets the geometry of `w` from its recorded place.
    void apply(QWidget* w);
    // The place's left edge at `x`, or moved right by `dx`; then applied.
    void moveLeft(QWidget* w, int x);
    void moveRight(QWidget* w, int dx);
    // The recorded place (an empty rectangle for a control never placed).
    QRect of(const QWidget* w) const;

private:
    std::map<const QWidget*, QRect> places_;
};

}  // namespace orv
