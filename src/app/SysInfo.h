// What the about box's "System Info..." shows on this platform: the
// operating system, kernel, Qt version and every serial device with its
// owner, group and whether the current user may open it.
#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>
#include <string>
#include <functional>
#include <vector>
#include "platform/SystemInfoProgram.h"

namespace orv {

struct SerialDeviceInfo {
    QString path;
    QString owner;
    QString group;
    bool accessible = false;  // read and write allowed for this user
    QString access;           // where there is no owner and group: why not, what to do
};

struct SystemInfo {
    QString os;
    QString kernel;
    QString qtVersion;
    QString user;
    std::vector<SerialDeviceInfo> devices;
};

// Devices matching /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* under `devDir`;
// where the system has no such folder (Windows), the ports it lists.
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

// The about box's StartSysInfo: starts the system's own system-information
// `program` where it has one; else shows the window of what `gather` finds.
// Says "System Information Is Unavailable At This Time" through `prompts`
// when the program does not start or nothing can be gathered.
void StartSysInfo(UserPrompts& prompts, QWidget* parent,
                  const std::function<bool(SystemInfo&)>& gather = gatherSystemInfo,
                  const std::string& program = platform::systemInfoProgram());

}  // namespace orv
