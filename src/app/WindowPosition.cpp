#include "app/WindowPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include "app/QtHost.h"
#include "app/Twips.h"
#include "image/NumText.h"

namespace orv {

namespace {

QString key(const char* name) { return QStringLiteral("Position/") + QLatin1String(name); }

// A saved coordinate in pixels; `fallback` when there is none or it is not a
// usable number of twips.
int savedPx(const QVariant& v, int fallback) {
    if (!v.isValid()) return fallback;
    const std::string text = v.toString().toStdString();
    if (!isNumeric(text)) return fallback;
    const double twips = numericValue(text);
    if (!(twips > -1e7 && twips < 1e7)) return fallback;
    return screenTwipsToPx(static_cast<int>(roundHalfEven(twips)));
}

}  // namespace

void restoreWindowPosition(QWidget* w, const char* topKey, const char* leftKey) {
    auto s = appSettings();
    const QVariant top = s->value(key(topKey));
    const QVariant left = s->value(key(leftKey));
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize size = w->frameGeometry().size();
    const int y = savedPx(top, area.top() + (area.height() - size.height()) / 2);
    const int x = savedPx(left, area.left() + (area.width() - size.width()) / 2);
    w->move(x, y);
}

void saveWindowPosition(const QWidget* w, const char* topKey, const char* leftKey) {
    auto s = appSettings();
    s->setValue(key(topKey), QString::number(pxToScreenTwips(w->y())));
    s->setValue(key(leftKey), QString::number(pxToScreenTwips(w->x())));
}

}  // namespace orv
