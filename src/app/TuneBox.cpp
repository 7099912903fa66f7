#include "app/TuneBox.h"

#include <QApplication>

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace orv {

namespace {

using Key = TuneBoxLogic::Key;

Key keyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    default: return Key::Other;
    }
}

// The character a key types, as the rules see it (Backspace is 8, Enter 13).
char32_t typedChar(const QKeyEvent* e) {
    if (e->key() == Qt::Key_Backspace) return 8;
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) return 13;
    if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    const QString t = e->text();
    if (t.size() != 1) return 0;
    const char16_t c = t.at(0).unicode();
    return c >= 0x20 && c < 0x7F ? c : 0;
}

constexpr int kSpinnerWidth = 16;

}  // namespace

// ------------------------------------------------------------------ TuneEdit

TuneEdit::TuneEdit(TuneBox& box, QWidget* parent) : QLineEdit(parent), box_(box) {
    setDragEnabled(false);
    setAcceptDrops(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

// Every key goes to the rules; the line edit's own editing (typing, paste,
// cut, undo) is never reached.
void TuneEdit::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
        e->ignore();
        return;
    }
    TuneBoxLogic& logic = box_.logic();
    const bool swallowed = logic.keyDown(keyOf(e->key()));
    const char32_t c = typedChar(e);
    if (!swallowed && c != 0) logic.keyPress(c);
    e->accept();
    box_.sync();
}

void TuneEdit::keyReleaseEvent(QKeyEvent* e) {
    // A held key repeats its press only, as the rules expect.
    if (!e->isAutoRepeat()) {
        box_.logic().keyUp(keyOf(e->key()));
        box_.sync();
    }
    e->accept();
}

void TuneEdit::focusOutEvent(QFocusEvent* e) {
    QLineEdit::focusOutEvent(e);
    // Another control of the window took the focus; another window taking
    // it (a message box, another program) is not leaving the control.
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason) return;
    box_.logic().lostFocus();
    box_.sync();
}

void TuneEdit::mouseReleaseEvent(QMouseEvent* e) {
    // The middle button would paste the selection.
    if (e->button() != Qt::MiddleButton) QLineEdit::mouseReleaseEvent(e);
    box_.logic().mouseUp(cursorPosition());
    box_.sync();
}

void TuneEdit::inputMethodEvent(QInputMethodEvent* e) { e->ignore(); }

void TuneEdit::contextMenuEvent(QContextMenuEvent* e) { e->ignore(); }

// ------------------------------------------------------------------ TuneBox

TuneBox::TuneBox(QWidget* parent) : QWidget(parent) {
    edit_ = new TuneEdit(*this, this);
    edit_->setObjectName(QStringLiteral("EditWin"));
    UpDown1_ = new QWidget(this);
    UpDown1_->setObjectName(QStringLiteral("UpDown1"));
    up_ = new QToolButton(UpDown1_);
    up_->setObjectName(QStringLiteral("UpDown1Up"));
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(UpDown1_);
    down_->setObjectName(QStringLiteral("UpDown1Down"));
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    }
    auto* spinLayout = new QVBoxLayout(UpDown1_);
    spinLayout->setContentsMargins(0, 0, 0, 0);
    spinLayout->setSpacing(0);
    spinLayout->addWidget(up_);
    spinLayout->addWidget(down_);
    // The spinner covers the right end of the text box; keep the digits clear of it.
    edit_->setTextMargins(0, 0, kSpinnerWidth, 0);
    setFocusProxy(edit_);

    connect(up_, &QToolButton::clicked, this, [this] { spin(true); });
    connect(down_, &QToolButton::clicked, this, [this] { spin(false); });
    logic_.onChange = [this] { emit Change(); };
    logic_.onLeave = [this](int16_t d) { emit Leave(d); };
    logic_.onBeep = [this] {
        if (beep_)
            beep_();
        else
            QApplication::beep();
    };
    logic_.onPropertyChanged = [this](const std::string& n) { emit propertyChanged(QString::fromStdString(n)); };

    layoutParts();
    logic_.refresh();
    sync();
}

void TuneBox::spin(bool up) {
    edit_->setFocus(Qt::OtherFocusReason);
    if (up) logic_.spinUp();
    else logic_.spinDown();
    sync();
}

void TuneBox::setValue(int32_t v) {
    logic_.setValue(v);
    sync();
}

void TuneBox::setFixLen(int16_t v) {
    logic_.setFixLen(v);
    sync();
}

void TuneBox::setLocked(bool v) {
    logic_.setLocked(v);
    sync();
}

void TuneBox::readProperties(const QVariantMap& props) {
    TuneBoxProperties p;
    for (auto it = props.begin(); it != props.end(); ++it) {
        const QVariant& v = it.value();
        const QString text = v.toString().trimmed();
        bool ok = false;
        const long long n = v.toLongLong(&ok);
        // Booleans come as bool or, from a settings file, as "true"/"false".
        if (v.typeId() == QMetaType::Bool || text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
            text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            p[it.key().toStdString()] = v.toBool() ? 1 : 0;
        else if (ok)
            p[it.key().toStdString()] = n;
    }
    logic_.readProperties(p);
    // Nothing is refreshed or enabled here: the control shows the values
    // when it is initialised or shown.
}

QVariantMap TuneBox::writeProperties() const {
    QVariantMap m;
    for (const auto& [name, value] : logic_.writeProperties()) {
        if (name == "Wrap" || name == "Locked") m.insert(QString::fromStdString(name), value != 0);
        else m.insert(QString::fromStdString(name), value);
    }
    return m;
}

QColor TuneBox::textColor() const { return edit_->palette().color(QPalette::Text); }

void TuneBox::sync() {
    const QString t = QString::fromStdString(logic_.text());
    if (edit_->text() != t) edit_->setText(t);
    edit_->setCursorPosition(logic_.cursor());
    QPalette pal = edit_->palette();
    // Light red (pure red) while an entry is pending, else the palette's text colour.
    const QColor want = logic_.pending() ? QColor(255, 0, 0) : QApplication::palette(edit_).color(QPalette::Text);
    if (pal.color(QPalette::Text) != want) {
        pal.setColor(QPalette::Text, want);
        edit_->setPalette(pal);
    }
    edit_->setEnabled(logic_.enabled());
    UpDown1_->setEnabled(logic_.enabled());
}

QSize TuneBox::sizeHint() const {
    const int digits = std::max(2, static_cast<int>(logic_.FixLen()));
    const QFontMetrics fm(edit_->font());
    return {fm.horizontalAdvance(QString(digits + 2, QLatin1Char('W'))) + kSpinnerWidth, edit_->sizeHint().height()};
}

void TuneBox::layoutParts() {
    // EditWin takes the whole control; UpDown1 gets its height and stands at its right end.
    edit_->setGeometry(0, 0, width(), height());
    UpDown1_->setGeometry(edit_->width() - kSpinnerWidth, 0, kSpinnerWidth, edit_->height());
    UpDown1_->raise();
}

void TuneBox::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layoutParts();
}

void TuneBox::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    logic_.refresh();
    sync();
}

}  // namespace orv
