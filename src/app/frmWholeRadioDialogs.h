// The small dialogs of editing the whole radio: Find (a text, a frequency or
// a code guard) and the two bulk edits, Set Field (one field of every
// selected channel to one value) and Shift Frequencies (an offset in kHz on
// the receive and/or transmit frequencies). The bulk dialogs hand their
// values to `apply`, which plans and commits the edit and returns the
// refusals: none closes the dialog, any are listed in it and nothing changed.
#pragma once
#include <QDialog>
#include <QStringList>
#include <functional>
#include "edit/ChannelList.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace orv {

class frmFind : public QDialog {
    Q_OBJECT
public:
    frmFind(const FindQuery& query, QWidget* parent);
    FindQuery query() const;

private:
    QComboBox* cboFindKind_;
    QLineEdit* txtFind_;
};

class frmBulkEdit : public QDialog {
    Q_OBJECT
public:
    enum class Mode { SetField, Shift };
    // What the dialog asks for: the field (a list column) and value, or the
    // offset text in kHz and which frequencies.
    struct Request {
        int column = lcRecFreq;
        QString value;
        bool receive = true;
        bool transmit = true;
    };
    using Apply = std::function<QStringList(const Request&)>;
    frmBulkEdit(Mode mode, int channels, Apply apply, QWidget* parent);

private:
    void tryApply();

    Mode mode_;
    Apply apply_;
    QComboBox* cboField_ = nullptr;
    QLineEdit* txtValue_ = nullptr;
    QCheckBox* chkReceive_ = nullptr;
    QCheckBox* chkTransmit_ = nullptr;
    QLabel* lblRefusals_ = nullptr;
    QListWidget* lstRefusals_ = nullptr;
};

// The caption of a list column, translated ("Rec Freq").
QString listColumnCaption(int column);

}  // namespace orv
