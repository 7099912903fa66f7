// What the about box's "System Info..." shows on this platform: the
// operating system, kernel, Qt version and every serial device with its
// owner, group and whether the current user may open it.
#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace orv {

struct SerialDeviceInfo {
    QString path;
    QString owner;
    QString group;
    bool accessible = false;  // read and write allowed for this user
};

struct SystemInfo {
    QString os;
    QString kernel;
    QString qtVersion;
    QString user;
    std::vector<SerialDeviceInfo> devices;
};

// Devices matching /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* under `devDir`.
std::vector<SerialDeviceInfo> findSerialDevices(const QString& devDir = QStringLiteral("/dev"));
// False when the information cannot be gathered.
bool gatherSystemInfo(SystemInfo& out);
QString systemInfoText(const SystemInfo& info);

class frmSysInfo : public QDialog {
    Q_OBJECT
public:
    frmSysInfo(const SystemInfo& info, QWidget* parent = nullptr);
};

class UserPrompts;

// The about box's StartSysInfo: shows the window of what `gather` finds, or
// says "System Information Is Unavailable At This Time" through `prompts`
// when nothing can be gathered.
void StartSysInfo(UserPrompts& prompts, QWidget* parent,
                  const std::function<bool(SystemInfo&)>& gather = gatherSystemInfo);

}  // namespace orv
