#include "app/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace orv {

double twipsDpi() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* s = app->primaryScreen()) {
            const double dpi = s->logicalDotsPerInchY();
            if (dpi > 0) return dpi;
        }
    }
    return 96.0;
}

int twipsToPx(int twips) { return static_cast<int>(std::lround(twips * twipsDpi() / 1440.0)); }

int pxToTwips(int px) { return static_cast<int>(std::lround(px * 1440.0 / twipsDpi())); }

}  // namespace orv
