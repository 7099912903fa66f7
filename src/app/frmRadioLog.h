// "Radio > Radio Log...": the radio log of this user's data folder in a
// table that sorts by any column and keeps the rows whose texts contain what
// the filter box holds; "Open Backup" opens the selected entry's backup (the
// programming the radio held, or what was written) as Open Backup does.
#pragma once
#include <QDialog>
#include <functional>
#include <vector>
#include "files/RadioLog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace orv {

class frmRadioLog : public QDialog {
    Q_OBJECT
public:
    // `openBackup` opens a backup's full path (false: it was not opened).
    frmRadioLog(const RadioLogContents& log, std::function<bool(const QString&)> openBackup, QWidget* owner = nullptr);

    QLineEdit* txtFilter() const { return txtFilter_; }
    QTableView* grdLog() const { return grdLog_; }
    QPushButton* cmdOpenBackup() const { return cmdOpenBackup_; }
    QLabel* lblWarnings() const { return lblWarnings_; }

private:
    // The backup the selected row names that still exists, empty for none.
    QString selectedBackup() const;
    void selectionChanged();

    std::vector<RadioLogEntry> entries_;
    std::function<bool(const QString&)> openBackup_;
    QStandardItemModel* model_;
    QSortFilterProxyModel* filter_;
    QLineEdit* txtFilter_;
    QTableView* grdLog_;
    QLabel* lblWarnings_;
    QPushButton* cmdOpenBackup_;
    QPushButton* cmdClose_;
};

}  // namespace orv
