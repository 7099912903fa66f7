// The hexadecimal tuning control: a text box (EditWin) with a spinner
// (UpDown1) at its right end. Every rule (limits, steps, typed digits, caret,
// pending entry) lives in TuneBoxLogic; this widget forwards the window
// system's key, focus, mouse and button events to it and shows its text,
// caret, colour (red while an entry is pending) and enabled state.
#pragma once
#include <functional>
#include <QLineEdit>
#include <QVariantMap>
#include <QWidget>
#include "align/TuneBoxLogic.h"

class QToolButton;

namespace orv {

class TuneBox;

// The text box of a TuneBox. It takes no characters by itself: every key
// goes to the control's rules.
class TuneEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TuneEdit(TuneBox& box, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    TuneBox& box_;
};

class TuneBox : public QWidget {
    Q_OBJECT
public:
    explicit TuneBox(QWidget* parent = nullptr);

    TuneBoxLogic& logic() { return logic_; }
    const TuneBoxLogic& logic() const { return logic_; }

    // The properties, through the rules of their setters.
    int32_t Value() const { return logic_.Value(); }
    void setValue(int32_t v);
    int32_t min() const { return logic_.min(); }
    void setMin(int32_t v) { logic_.setMin(v); }
    int32_t max() const { return logic_.max(); }
    void setMax(int32_t v) { logic_.setMax(v); }
    bool Wrap() const { return logic_.Wrap(); }
    void setWrap(bool v) { logic_.setWrap(v); }
    int32_t FixLen() const { return logic_.FixLen(); }
    void setFixLen(int16_t v);
    int32_t Delta() const { return logic_.Delta(); }
    void setDelta(int32_t v) { logic_.setDelta(v); }
    int32_t MaxInc() const { return logic_.MaxInc(); }
    void setMaxInc(int32_t v) { logic_.setMaxInc(v); }
    bool Locked() const { return logic_.Locked(); }
    void setLocked(bool v);

    // The saved design as a property map: the eight names, read without the
    // setters' rules (missing names take their defaults), written all eight.
    void readProperties(const QVariantMap& props);
    QVariantMap writeProperties() const;

    QLineEdit* EditWin() const { return edit_; }
    QToolButton* upButton() const { return up_; }
    // The colour of the text now (red while an entry is pending).
    QColor textColor() const;

    // Shows the rules' state: text, caret, colour, enabled.
    void sync();
    // The beep of a step against a limit (the system beep until set).
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    QSize sizeHint() const override;

signals:
    void Change();
    void Leave(int direction);
    // A property was set: the saved design must be written again.
    void propertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void layoutParts();
    void spin(bool up);

    TuneBoxLogic logic_;
    std::function<void()> beep_;
    TuneEdit* edit_;
    QWidget* UpDown1_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace orv
