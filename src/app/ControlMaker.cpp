#include "app/ControlMaker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include "app/AppState.h"
#include "app/TwipsPlaces.h"
#include "app/ViewBinder.h"

namespace orv {

void ControlMaker::nameAfterLabel(QWidget* control, QWidget* parent) {
    auto it = pendingCaption_.find(parent);
    if (it != pendingCaption_.end()) {
        nameAfterCaption(control, it->second);
        pendingCaption_.erase(it);
    } else if (auto* frame = qobject_cast<QGroupBox*>(parent)) {
        nameAfterCaption(control, frame->title());
    }
}

QLabel* ControlMaker::label(QWidget* parent, const QString& text, const QString& name, int x, int y, int w, int h,
                            Qt::Alignment align) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(align);
    places_.place(l, x, y, w, h);
    pendingCaption_[parent] = text;
    return l;
}

QComboBox* ControlMaker::combo(QWidget* parent, const QString& name, const std::vector<std::string>& entries, int x,
                               int y, int w) {
    auto* c = new QComboBox(parent);
    c->setObjectName(name);
    for (const auto& e : entries) c->addItem(listEntryText(e));
    c->setMaxVisibleItems(18);
    places_.place(c, x, y, w, 300);
    nameAfterLabel(c, parent);
    return c;
}

QLineEdit* ControlMaker::text(QWidget* parent, const QString& name, int x, int y, int w) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(name);
    places_.place(t, x, y, w, 300);
    nameAfterLabel(t, parent);
    return t;
}

QCheckBox* ControlMaker::check(QWidget* parent, const QString& caption, const QString& name, int x, int y, int w) {
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    places_.place(c, x, y, w, 240);
    return c;
}

QRadioButton* ControlMaker::option(QWidget* parent, const QString& caption, const QString& name, int x, int y,
                                   int w) {
    auto* o = new QRadioButton(caption, parent);
    o->setObjectName(name);
    places_.place(o, x, y, w, 240);
    return o;
}

QGroupBox* ControlMaker::frame(QWidget* parent, const QString& caption, const QString& name, int x, int y, int w,
                               int h) {
    auto* f = new QGroupBox(caption, parent);
    f->setObjectName(name);
    places_.place(f, x, y, w, h);
    return f;
}

}  // namespace orv
