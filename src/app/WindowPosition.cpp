#include "app/WindowPosition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
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

QPoint placeOnScreens(QPoint pos, QSize size, const QList<QRect>& screens) {
    if (screens.isEmpty()) return pos;
    // A window whose top-left corner is on a screen can be reached there.
    for (const QRect& s : screens)
        if (s.contains(pos)) return pos;
    const QRect wanted(pos, size);
    QRect best = screens.front();
    long long bestArea = -1;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(wanted);
        const long long area = common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) {
            bestArea = area;
            best = s;
        }
    }
    auto keepIn = [](int at, int length, int first, int room) {
        return std::max(first, std::min(at, first + room - length));
    };
    return {keepIn(pos.x(), size.width(), best.left(), best.width()),
            keepIn(pos.y(), size.height(), best.top(), best.height())};
}

void restoreWindowPosition(QWidget* w, const char* topKey, const char* leftKey) {
    auto s = appSettings();
    const QVariant top = s->value(key(topKey));
    const QVariant left = s->value(key(leftKey));
    QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    const QSize size = w->frameGeometry().size();
    const int y = savedPx(top, area.top() + (area.height() - size.height()) / 2);
    const int x = savedPx(left, area.left() + (area.width() - size.width()) / 2);
    QList<QRect> areas;
    for (const QScreen* s : QGuiApplication::screens()) areas.push_back(s->availableGeometry());
    w->move(placeOnScreens({x, y}, size, areas));
}

int widthOnScreen(const QWidget* w, int wanted) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    const int room = screen ? screen->availableGeometry().width() * 9 / 10 : 1024;
    return std::min(wanted, room);
}

void saveWindowPosition(const QWidget* w, const char* topKey, const char* leftKey) {
    auto s = appSettings();
    s->setValue(key(topKey), QString::number(pxToScreenTwips(w->y())));
    s->setValue(key(leftKey), QString::number(pxToScreenTwips(w->x())));
}

}  // namespace orv
