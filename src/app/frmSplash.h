// The start-up window shown while the main window loads.
#pragma once
#include <QWidget>

class QLabel;

namespace orv {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(QWidget* parent = nullptr);

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblCompanyProduct = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* imgLogo = nullptr;
};

// "for Linux" and the like, naming the platform the program runs on.
QString platformText();

}  // namespace orv
