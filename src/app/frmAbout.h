// The about box: title, version, a one-line description, OK and System Info.
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace orv {

class UserPrompts;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    // "System Info..." says through `prompts` when it has nothing to show.
    explicit frmAbout(UserPrompts& prompts, QWidget* parent = nullptr);

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;
};

}  // namespace orv
