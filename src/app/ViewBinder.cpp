#include "app/ViewBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <stdexcept>
#include <QStringList>
#include "image/FieldError.h"
#include "image/FieldTable.h"

namespace orv {

QString coreText(const char* context, const std::string& text) {
    // A message of several lines (a fixed text, then the link's advice) is
    // looked up line by line, so the fixed first line is found whatever follows.
    QStringList lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t end = text.find('\n', from);
        lines << QCoreApplication::translate(context, text.substr(from, end - from).c_str());
        if (end == std::string::npos) break;
        from = end + 1;
    }
    return lines.join(QLatin1Char('\n'));
}

QString listEntryText(const std::string& entry) {
    const std::size_t digits = entry.find_last_not_of("0123456789") + 1;
    // Words and a number ("Ch 3"): the words' pattern; anything else whole.
    if (digits < 2 || digits == entry.size() || entry[digits - 1] != ' ') return coreText("FieldLists", entry);
    const std::string pattern = entry.substr(0, digits) + "%1";
    return coreText("FieldLists", pattern).arg(QString::fromStdString(entry.substr(digits)));
}

QString fieldErrorText(const FieldError& error) {
    QString text = QString::fromStdString(error.what());
    const QString reason = QString::fromStdString(error.reason());
    const QString shown = coreText("FieldRules", error.reason());
    // The reason ends the message, or comes before the refused value.
    const qsizetype at = text.endsWith(reason) ? text.size() - reason.size() : text.indexOf(reason);
    if (shown != reason && at >= 0) text.replace(at, reason.size(), shown);
    return text;
}

int checkBoxValue(const QCheckBox* c) {
    switch (c->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

void setCheckBoxValue(QCheckBox* c, int v) {
    const Qt::CheckState s = v == 1 ? Qt::Checked : v == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (c->checkState() != s) c->setCheckState(s);
}

namespace {

template <class W>
W* control(const QWidget& window, const QString& name) {
    W* w = window.findChild<W*>(name);
    if (!w) throw std::logic_error("the window has no control " + name.toStdString());
    return w;
}

QString qs(const char* s) { return QString::fromLatin1(s); }

void setIndex(QComboBox* c, int i) {
    const int want = i >= 0 && i < c->count() ? i : -1;
    if (c->currentIndex() != want) c->setCurrentIndex(want);
}

// Either button of a pair may be set by a decode; both clear is allowed too.
void setPair(QRadioButton* a, bool va, QRadioButton* b, bool vb) {
    a->setAutoExclusive(false);
    b->setAutoExclusive(false);
    a->setChecked(va);
    b->setChecked(vb);
    a->setAutoExclusive(true);
    b->setAutoExclusive(true);
}

QString rotaryName(const fields::RotaryField& f, std::size_t p) {
    return QString::fromStdString(f.nameAt(static_cast<int>(p)));
}

}  // namespace

void controlsToGroupView(const QWidget& window, GroupView& v) {
    using K = fields::GroupKind;
    for (const auto& f : fields::groupFields()) {
        const QString name = qs(f.name);
        switch (f.kind) {
        case K::Text: v.*f.text = control<QLineEdit>(window, name)->text().toStdString(); break;
        case K::List: v.*f.number = control<QComboBox>(window, name)->currentIndex(); break;
        case K::ListText: v.*f.text = control<QComboBox>(window, name)->currentText().toStdString(); break;
        case K::Check: v.*f.number = checkBoxValue(control<QCheckBox>(window, name)); break;
        case K::Option:
            v.*f.optFirst = control<QRadioButton>(window, name + qs(f.firstCaption))->isChecked();
            v.*f.optSecond = control<QRadioButton>(window, name + qs(f.secondCaption))->isChecked();
            break;
        }
    }
    for (const auto& c : fields::channelChecks())
        for (std::size_t r = 0; r < kChannels; ++r)
            (v.channels.*c.member)[r] = checkBoxValue(control<QCheckBox>(window, qs(c.name) + QString::number(r)));
}

void groupViewToControls(const GroupView& v, QWidget& window) {
    using K = fields::GroupKind;
    for (const auto& f : fields::groupFields()) {
        const QString name = qs(f.name);
        switch (f.kind) {
        case K::Text: control<QLineEdit>(window, name)->setText(QString::fromStdString(v.*f.text)); break;
        case K::List: setIndex(control<QComboBox>(window, name), v.*f.number); break;
        case K::ListText: {
            QComboBox* c = control<QComboBox>(window, name);
            setIndex(c, c->findText(QString::fromStdString(v.*f.text)));
            break;
        }
        case K::Check: setCheckBoxValue(control<QCheckBox>(window, name), v.*f.number); break;
        case K::Option:
            setPair(control<QRadioButton>(window, name + qs(f.firstCaption)), v.*f.optFirst,
                    control<QRadioButton>(window, name + qs(f.secondCaption)), v.*f.optSecond);
            break;
        }
    }
    for (const auto& c : fields::channelChecks())
        for (std::size_t r = 0; r < kChannels; ++r)
            setCheckBoxValue(control<QCheckBox>(window, qs(c.name) + QString::number(r)), (v.channels.*c.member)[r]);
}

void controlsToGlobalsView(const QWidget& window, GlobalsView& v) {
    for (const auto* table : {&fields::globalHeadLists(), &fields::globalTailLists()})
        for (const auto& f : *table) v.*f.member = control<QComboBox>(window, qs(f.name))->currentIndex();
    for (const auto& f : fields::rotaryFields())
        for (std::size_t p = 0; p < kRotaryPositions; ++p)
            (v.*f.member)[p] = f.entries ? control<QComboBox>(window, rotaryName(f, p))->currentIndex()
                                         : checkBoxValue(control<QCheckBox>(window, rotaryName(f, p)));
}

void globalsViewToControls(const GlobalsView& v, QWidget& window) {
    // A decode is no user edit: the controls change without telling anyone.
    for (const auto* table : {&fields::globalHeadLists(), &fields::globalTailLists()})
        for (const auto& f : *table) {
            QComboBox* c = control<QComboBox>(window, qs(f.name));
            const QSignalBlocker block(c);
            setIndex(c, v.*f.member);
        }
    for (const auto& f : fields::rotaryFields())
        for (std::size_t p = 0; p < kRotaryPositions; ++p) {
            if (f.entries) {
                QComboBox* c = control<QComboBox>(window, rotaryName(f, p));
                const QSignalBlocker block(c);
                setIndex(c, (v.*f.member)[p]);
            } else {
                QCheckBox* c = control<QCheckBox>(window, rotaryName(f, p));
                const QSignalBlocker block(c);
                setCheckBoxValue(c, (v.*f.member)[p]);
            }
        }
}

void bindGlobalsEdits(QWidget& window, GlobalsView& v) {
    GlobalsView* view = &v;
    for (const auto* table : {&fields::globalHeadLists(), &fields::globalTailLists()})
        for (const auto& f : *table)
            QObject::connect(control<QComboBox>(window, qs(f.name)), &QComboBox::currentIndexChanged, &window,
                             [view, m = f.member](int i) { view->*m = i; });
    for (const auto& f : fields::rotaryFields())
        for (std::size_t p = 0; p < kRotaryPositions; ++p) {
            if (f.entries) {
                QObject::connect(control<QComboBox>(window, rotaryName(f, p)), &QComboBox::currentIndexChanged,
                                 &window, [view, m = f.member, p](int i) { (view->*m)[p] = i; });
            } else {
                QCheckBox* box = control<QCheckBox>(window, rotaryName(f, p));
                QObject::connect(box, &QCheckBox::stateChanged, &window,
                                 [view, m = f.member, p, box] { (view->*m)[p] = checkBoxValue(box); });
            }
        }
}

}  // namespace orv
