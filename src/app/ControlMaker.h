// Makes the controls of a window laid out in twips: each one named, placed
// (TwipsPlaces) and, a text or list box, named for assistive technology after
// the label made just before it in the same parent, or else after its frame.
#pragma once
#include <QString>
#include <Qt>
#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace orv {

class TwipsPlaces;

class ControlMaker {
public:
    explicit ControlMaker(TwipsPlaces& places) : places_(places) {}

    QLabel* label(QWidget* parent, const QString& text, const QString& name, int x, int y, int w, int h = 240,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);
    // A list box of 300 twips, filled with the field table's entries as shown.
    QComboBox* combo(QWidget* parent, const QString& name, const std::vector<std::string>& entries, int x, int y,
                     int w);
    QLineEdit* text(QWidget* parent, const QString& name, int x, int y, int w);
    QCheckBox* check(QWidget* parent, const QString& caption, const QString& name, int x, int y, int w);
    QRadioButton* option(QWidget* parent, const QString& caption, const QString& name, int x, int y, int w);
    QGroupBox* frame(QWidget* parent, const QString& caption, const QString& name, int x, int y, int w, int h);

private:
    void nameAfterLabel(QWidget* control, QWidget* parent);

    TwipsPlaces& places_;
    std::map<QWidget*, QString> pendingCaption_;  // the last label's text in each parent, until a box takes it
};

}  // namespace orv
