// "Import Channels" preview: one line per data row of a CSV file with its
// Location, name and frequency as the file gives them, the channel it goes
// to and what happens to it (fits, name shortened, power mapped, or why it
// cannot be imported), a check box per row and the first channel. Unticking
// a row or choosing a first channel plans the file again. Rows the radio
// cannot hold have no check box. OK accepts, Cancel (or the close box)
// rejects; the caller imports with options().
#pragma once
#include <QDialog>
#include <string>
#include "image/MemoryImage.h"
#include "interchange/ChannelCsv.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace orv {

class frmCsvPreview : public QDialog {
    Q_OBJECT
public:
    // Plans `csv` against group g (0..14) of `img` (the dialog keeps copies).
    // Throws FieldError when the file as a whole cannot be read.
    frmCsvPreview(QWidget* owner, const MemoryImage& img, int g, std::string csv, const QString& fileName);

    QTableWidget* table() const { return table_; }
    // "As in the file" (placement by Location when possible), then 1..16.
    QComboBox* cboFirstChannel() const { return cboFirstChannel_; }
    QLabel* lblPlacement() const { return lblPlacement_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }

    // The options of the plan shown (names fitted, unfit rows left out,
    // unticked rows left out).
    const ChannelCsvOptions& options() const { return options_; }
    const ChannelCsvPlan& plan() const { return plan_; }

    // Ticks or unticks the check box of table row `r` (as a click does).
    void setRowTicked(int r, bool ticked);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void replan();

    MemoryImage image_;
    int group_;
    std::string csv_;
    ChannelCsvOptions options_;
    ChannelCsvPlan plan_;
    bool filling_ = false;
    bool shownOnce_ = false;   // the dialog's width is chosen before it is first shown
    QTableWidget* table_ = nullptr;
    QComboBox* cboFirstChannel_ = nullptr;
    QLabel* lblPlacement_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

}  // namespace orv
