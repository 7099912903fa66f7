// "Choose Device...": the serial ports found (device, stable name, adapter,
// whether this user may open it) and a box to type any path, e.g. the link a
// simulator makes. The chosen device becomes the device of the port slot in
// use. The list comes from the core's port list; the dialog only shows it.
#pragma once
#include <QDialog>
#include <vector>
#include "platform/SerialPortList.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTreeWidget;

namespace orv {

class frmChooseDevice : public QDialog {
    Q_OBJECT
public:
    // `ports` as listSerialPorts gives them; `current` is the slot's device.
    frmChooseDevice(QWidget* owner, int slot, const std::vector<SerialPortInfo>& ports, const QString& current);

    // The device typed or picked (a port's stable name when it has one).
    QString device() const;

    QTreeWidget* lstPorts() const { return lstPorts_; }
    QLineEdit* txtDevice() const { return txtDevice_; }
    QLabel* lblAccess() const { return lblAccess_; }
    QDialogButtonBox* buttons() const { return buttons_; }

private:
    void showAccess();

    QTreeWidget* lstPorts_ = nullptr;
    QLineEdit* txtDevice_ = nullptr;
    QLabel* lblAccess_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace orv
