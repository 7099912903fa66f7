#include "app/SysInfo.h"
#include "app/AppState.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSysInfo>
#include <QVBoxLayout>
#include "app/UserPrompts.h"
#include "platform/Files.h"
#include "platform/SerialPortList.h"

namespace orv {

std::vector<SerialDeviceInfo> findSerialDevices(const QString& devDir) {
    std::vector<SerialDeviceInfo> out;
    const QDir dir(devDir);
    if (!dir.exists()) {
        for (const SerialPortInfo& p : listSerialPorts()) {
            SerialDeviceInfo d;
            d.path = QString::fromStdString(p.device);
            d.accessible = p.mayOpen;
            d.access = QString::fromStdString(p.access);
            out.push_back(d);
        }
        return out;
    }
    const QStringList names = dir.entryList({QStringLiteral("ttyS*"), QStringLiteral("ttyUSB*"),
                                             QStringLiteral("ttyACM*")},
                                            QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& n : names) {
        SerialDeviceInfo d;
        d.path = dir.filePath(n);
        const QFileInfo fi(d.path);
        d.owner = fi.owner();
        d.group = fi.group();
        d.accessible = platform::mayReadAndWrite(QFile::encodeName(d.path).toStdString());
        out.push_back(d);
    }
    return out;
}

bool gatherSystemInfo(SystemInfo& out) {
    out.os = QSysInfo::prettyProductName();
    out.kernel = QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion();
    out.qtVersion = QString::fromLatin1(qVersion());
    out.user = qEnvironmentVariable("USER", qEnvironmentVariable("USERNAME"));   // POSIX, Windows
    out.devices = findSerialDevices();
    return !out.os.isEmpty() || !QSysInfo::kernelType().isEmpty();
}

QString systemInfoText(const SystemInfo& info) {
    QString t;
    t += frmSysInfo::tr("Operating system: %1\n").arg(info.os);
    t += frmSysInfo::tr("Kernel: %1\n").arg(info.kernel);
    t += frmSysInfo::tr("Qt version: %1\n").arg(info.qtVersion);
    if (!info.user.isEmpty()) t += frmSysInfo::tr("User: %1\n").arg(info.user);
    t += frmSysInfo::tr("\nSerial devices:\n");
    if (info.devices.empty()) t += frmSysInfo::tr("  (none found)\n");
    for (const auto& d : info.devices) {
        if (d.owner.isEmpty() && d.group.isEmpty()) {
            t += frmSysInfo::tr("  %1  -  %2\n").arg(d.path, d.accessible ? frmSysInfo::tr("can be opened") : d.access);
            continue;
        }
        t += frmSysInfo::tr("  %1  owner %2, group %3  -  %4\n")
                 .arg(d.path, d.owner, d.group,
                      d.accessible ? frmSysInfo::tr("can be opened")
                                   : frmSysInfo::tr("no access (ask to be added to group %1)").arg(d.group));
    }
    return t;
}

frmSysInfo::frmSysInfo(const SystemInfo& info, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSysInfo"));
    setWindowTitle(tr("System Information"));
    auto* lay = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(systemInfoText(info), this);
    text->setObjectName(QStringLiteral("txtSysInfo"));
    nameAfterCaption(text, windowTitle());
    text->setReadOnly(true);
    lay->addWidget(text);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    lay->addWidget(box);
    resize(520, 340);
}

void StartSysInfo(UserPrompts& prompts, QWidget* parent, const std::function<bool(SystemInfo&)>& gather,
                  const std::string& program) {
    // The system's own tool where it has one (Windows' system information).
    if (!program.empty()) {
        if (!QProcess::startDetached(QString::fromStdString(program), {}))
            prompts.message(parent, frmSysInfo::tr("System Information Is Unavailable At This Time"), QString(),
                            MsgIcon::Information, MsgButtons::OK);
        return;
    }
    SystemInfo info;
    bool ok = false;
    try {
        ok = gather(info);
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        prompts.message(parent, frmSysInfo::tr("System Information Is Unavailable At This Time"), QString(),
                        MsgIcon::Information, MsgButtons::OK);
        return;
    }
    frmSysInfo w(info, parent);
    w.exec();
}

}  // namespace orv
