#include "app/frmSplash.h"

#include <QGridLayout>
#include <QLabel>
#include <QSysInfo>
#include "app/AppPicture.h"
#include "app/AppState.h"

namespace orv {

QString platformText() {
    const QString k = QSysInfo::kernelType();
    if (k == QLatin1String("linux")) return frmSplash::tr("for Linux");
    if (k == QLatin1String("darwin")) return frmSplash::tr("for macOS");
    if (k == QLatin1String("winnt")) return frmSplash::tr("for Windows");
    return frmSplash::tr("for %1").arg(QSysInfo::productType());
}

frmSplash::frmSplash(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setStyleSheet(QStringLiteral("#frmSplash { background: palette(base); border: 2px solid palette(highlight); }"));

    imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(radioPicture(96));
    lblProductName = new QLabel(tr("ORV Editor"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    lblProductName->setText(QString::fromLatin1(kAppTitle));
    QFont big = lblProductName->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    lblProductName->setFont(big);
    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblCompanyProduct = new QLabel(QStringLiteral("ORVEDIT.EXE"), this);
    lblCompanyProduct->setObjectName(QStringLiteral("lblCompanyProduct"));
    lblPlatform = new QLabel(platformText(), this);
    lblPlatform->setObjectName(QStringLiteral("lblPlatform"));

    auto* g = new QGridLayout(this);
    g->setContentsMargins(24, 24, 24, 24);
    g->setHorizontalSpacing(24);
    g->addWidget(imgLogo, 0, 0, 4, 1, Qt::AlignCenter);
    g->addWidget(lblCompanyProduct, 0, 1);
    g->addWidget(lblProductName, 1, 1);
    g->addWidget(lblPlatform, 2, 1);
    g->addWidget(lblVersion, 3, 1);
    setFixedSize(sizeHint().expandedTo(QSize(420, 200)));
}

}  // namespace orv
