// "Comm-Port > Check Port...": the port doctor's findings for the device of
// the port in use, one row each (how serious, what was found, what to do),
// the same findings orvedit-cli doctor prints. "Check Again" asks the core
// again (after a fix, a replugged adapter); "Copy" puts the lines as the
// command-line tool prints them on the clipboard.
#pragma once
#include <QWidget>
#include <functional>
#include <vector>
#include "platform/PortDoctor.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace orv {

class EditorShell;

class frmCheckPort : public QWidget {
    Q_OBJECT
public:
    using Check = std::function<std::vector<PortFinding>(const std::string& device)>;
    // Checks `device` at once with `check` and shows what it found.
    frmCheckPort(QWidget* owner, const QString& device, Check check);

    // Checks the port again and shows the new findings.
    void checkAgain();
    // Another device: checks it.
    void setDevice(const QString& device);

    QTreeWidget* lstFindings() const { return lstFindings_; }
    QLabel* lblSummary() const { return lblSummary_; }
    QPushButton* cmdCheckAgain() const { return cmdCheckAgain_; }
    QPushButton* cmdCopy() const { return cmdCopy_; }

private:
    QString device_;
    Check check_;
    std::vector<PortFinding> findings_;
    QLabel* lblSummary_ = nullptr;
    QTreeWidget* lstFindings_ = nullptr;
    QPushButton* cmdCheckAgain_ = nullptr;
    QPushButton* cmdCopy_ = nullptr;
};

// The menu command: the window (one, raised when already open) for the port
// in use, checked on the live machine.
frmCheckPort* mnuCheckPort_Click(EditorShell& shell);

}  // namespace orv
