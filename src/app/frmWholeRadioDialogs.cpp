#include "app/frmWholeRadioDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include "app/AppState.h"

namespace orv {

QString listColumnCaption(int column) {
    static const char* const kCaptions[kListColumns] = {
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Group"),     QT_TRANSLATE_NOOP("orv::frmAllChannels", "Chan"),
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Rec Freq"),  QT_TRANSLATE_NOOP("orv::frmAllChannels", "Rec CG"),
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Tx Freq"),   QT_TRANSLATE_NOOP("orv::frmAllChannels", "Tx CG"),
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Ch Label"),  QT_TRANSLATE_NOOP("orv::frmAllChannels", "Low Power"),
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Narrow Band"), QT_TRANSLATE_NOOP("orv::frmAllChannels", "SCAN List"),
        QT_TRANSLATE_NOOP("orv::frmAllChannels", "Group Label")};
    if (column < 0 || column >= kListColumns) return {};
    return QCoreApplication::translate("orv::frmAllChannels", kCaptions[column]);
}

// ---------------------------------------------------------------- Find

frmFind::frmFind(const FindQuery& query, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(tr("Find"));
    makeFixedDialog(this);
    auto* form = new QFormLayout(this);
    cboFindKind_ = new QComboBox(this);
    cboFindKind_->setObjectName(QStringLiteral("cboFindKind"));
    cboFindKind_->addItems({tr("Text"), tr("Frequency"), tr("Code Guard")});
    cboFindKind_->setCurrentIndex(static_cast<int>(query.kind));
    nameAfterCaption(cboFindKind_, tr("Look for"));
    form->addRow(tr("Look for"), cboFindKind_);
    txtFind_ = new QLineEdit(QString::fromStdString(query.text), this);
    txtFind_->setObjectName(QStringLiteral("txtFind"));
    txtFind_->selectAll();
    nameAfterCaption(txtFind_, tr("Find what"));
    form->addRow(tr("Find what"), txtFind_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton* next = buttons->addButton(tr("Find Next"), QDialogButtonBox::AcceptRole);
    next->setObjectName(QStringLiteral("cmdFindNext"));
    next->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

FindQuery frmFind::query() const {
    return FindQuery{static_cast<FindKind>(std::max(0, cboFindKind_->currentIndex())), txtFind_->text().toStdString()};
}

// ---------------------------------------------------------------- Set Field and Shift Frequencies

frmBulkEdit::frmBulkEdit(Mode mode, int channels, Apply apply, QWidget* parent)
    : QDialog(parent), mode_(mode), apply_(std::move(apply)) {
    const bool set = mode == Mode::SetField;
    setObjectName(set ? QStringLiteral("frmSetField") : QStringLiteral("frmShiftFrequencies"));
    setWindowTitle(set ? tr("Set Field") : tr("Shift Frequencies"));
    auto* layout = new QVBoxLayout(this);
    auto* what = new QLabel(channels == 1 ? tr("1 selected channel") : tr("%1 selected channels").arg(channels), this);
    what->setObjectName(QStringLiteral("lblChannels"));
    layout->addWidget(what);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    txtValue_ = new QLineEdit(this);
    if (set) {
        cboField_ = new QComboBox(this);
        cboField_->setObjectName(QStringLiteral("cboField"));
        for (int c = 0; c < kListColumns; ++c)
            if (isEditableColumn(c)) cboField_->addItem(listColumnCaption(c), c);
        nameAfterCaption(cboField_, tr("Field"));
        form->addRow(tr("Field"), cboField_);
        txtValue_->setObjectName(QStringLiteral("txtValue"));
        txtValue_->setToolTip(tr("A frequency, a code guard or a label as typed into the grid; 1 or 0 for a flag"));
        nameAfterCaption(txtValue_, tr("Value"));
        form->addRow(tr("Value"), txtValue_);
    } else {
        txtValue_->setObjectName(QStringLiteral("txtKHz"));
        txtValue_->setToolTip(tr("Added to each frequency: 12.5 up, -25 down"));
        nameAfterCaption(txtValue_, tr("Offset (kHz)"));
        form->addRow(tr("Offset (kHz)"), txtValue_);
        chkReceive_ = new QCheckBox(tr("Receive frequency"), this);
        chkReceive_->setObjectName(QStringLiteral("chkReceive"));
        chkReceive_->setChecked(true);
        chkTransmit_ = new QCheckBox(tr("Transmit frequency"), this);
        chkTransmit_->setObjectName(QStringLiteral("chkTransmit"));
        chkTransmit_->setChecked(true);
        form->addRow(chkReceive_);
        form->addRow(chkTransmit_);
    }
    lblRefusals_ = new QLabel(tr("Nothing was changed; these channels would be refused:"), this);
    lblRefusals_->setObjectName(QStringLiteral("lblRefusals"));
    lstRefusals_ = new QListWidget(this);
    lstRefusals_->setObjectName(QStringLiteral("lstRefusals"));
    nameAfterCaption(lstRefusals_, lblRefusals_->text());
    lblRefusals_->setVisible(false);
    lstRefusals_->setVisible(false);
    layout->addWidget(lblRefusals_);
    layout->addWidget(lstRefusals_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmBulkEdit::tryApply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void frmBulkEdit::tryApply() {
    Request r;
    r.value = txtValue_->text();
    if (cboField_) r.column = cboField_->currentData().toInt();
    if (chkReceive_) r.receive = chkReceive_->isChecked();
    if (chkTransmit_) r.transmit = chkTransmit_->isChecked();
    const QStringList refusals = apply_(r);
    if (refusals.isEmpty()) {
        accept();
        return;
    }
    lstRefusals_->clear();
    lstRefusals_->addItems(refusals);
    lblRefusals_->setVisible(true);
    lstRefusals_->setVisible(true);
    adjustSize();
}

}  // namespace orv
