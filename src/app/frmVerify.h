// The result window of a verify that found differences: what differs, one
// line each, with Copy (the list to the clipboard) and Close. Modeless,
// owned by the main window, deleted when closed.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace orv {

class frmVerify : public QDialog {
    Q_OBJECT
public:
    explicit frmVerify(QWidget* owner = nullptr);

    void showDifferences(const std::vector<std::string>& lines);

    QLabel* lblResult() const { return lblResult_; }
    QListWidget* lstDifferences() const { return lstDifferences_; }
    QPushButton* cmdCopy() const { return cmdCopy_; }
    QPushButton* cmdClose() const { return cmdClose_; }
    // The list as text, one line each.
    QString differencesText() const;

private:
    QLabel* lblResult_;
    QListWidget* lstDifferences_;
    QPushButton* cmdCopy_;
    QPushButton* cmdClose_;
};

}  // namespace orv
