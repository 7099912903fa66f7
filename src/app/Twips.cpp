#include "app/Twips.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// The face the twips layout was made for: Arial (or its metric twin) at 7.5 points.
QFont designFont() {
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                   QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(7.5);
    return f;
}

// Text measured for the width ratio: captions of the windows, mixed case and digits.
const QString kSample = QStringLiteral("Tx Time Out Timer: Narrow Band 0123456789 SCAN List");

}  // namespace

double twipsDpi() {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (QScreen* s = app->primaryScreen()) {
            const double dpi = s->logicalDotsPerInchY();
            if (dpi > 0) return dpi;
        }
    }
    return 96.0;
}

double layoutScaleFor(const QFont& font) {
    const QFontMetricsF design(designFont());
    const QFontMetricsF actual(font);
    const double wide = actual.horizontalAdvance(kSample) / design.horizontalAdvance(kSample);
    const double tall = actual.height() / design.height();
    return std::max({1.0, wide, tall});
}

double layoutScale() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 1.0;
    // Measuring fonts is slow next to the many conversions of a layout.
    static QFont measured;
    static double dpi = 0;
    static double scale = 1.0;
    const QFont font = QGuiApplication::font();
    if (dpi != twipsDpi() || !(font == measured)) {
        measured = font;
        dpi = twipsDpi();
        scale = layoutScaleFor(font);
    }
    return scale;
}

int twipsToPx(int twips) {
    return static_cast<int>(std::lround(twips * twipsDpi() * layoutScale() / 1440.0));
}

int pxToTwips(int px) { return static_cast<int>(std::lround(px * 1440.0 / (twipsDpi() * layoutScale()))); }

int screenTwipsToPx(int twips) { return static_cast<int>(std::lround(twips * twipsDpi() / 1440.0)); }

int pxToScreenTwips(int px) { return static_cast<int>(std::lround(px * 1440.0 / twipsDpi())); }

}  // namespace orv
