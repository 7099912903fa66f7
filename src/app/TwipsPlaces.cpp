#include "app/TwipsPlaces.h"

#include <QWidget>
#include "app/Twips.h"

namespace orv {

void TwipsPlaces::place(QWidget* w, int x, int y, int width, int height) { place(w, QRect(x, y, width, height)); }

void TwipsPlaces::place(QWidget* w, const QRect& twips) {
    places_[w] = twips;
    apply(w);
}

void TwipsPlaces::apply(QWidget* w) {
    const QRect& r = places_[w];
    const int left = twipsToPx(r.x()), top = twipsToPx(r.y());
    w->setGeometry(left, top, twipsToPx(r.x() + r.width()) - left, twipsToPx(r.y() + r.height()) - top);
}

void TwipsPlaces::moveLeft(QWidget* w, int x) {
    places_[w].moveLeft(x);
    apply(w);
}

void TwipsPlaces::moveRight(QWidget* w, int dx) {
    places_[w].translate(dx, 0);
    apply(w);
}

QRect TwipsPlaces::of(const QWidget* w) const {
    auto it = places_.find(w);
    return it == places_.end() ? QRect() : it->second;
}

}  // namespace orv
