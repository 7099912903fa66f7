// Window positions kept in the settings store, section "Position": the top
// and left corner in twips, each as the text of a number, under the window's
// own two keys ("TuneTop"/"TuneLeft", ...).
#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace orv {

// Where a window of `size` whose saved top-left corner is `pos` goes on
// screens with the available areas `screens`: where it was when that corner
// lies on a screen; else on the screen that holds the most of it (the first
// one when none holds any), moved in so that all of it shows, or its
// top-left corner when it is larger than the screen. A
// saved place off every screen (another monitor layout, a hand-edited
// setting) would leave the window where nobody can see or reach it.
QPoint placeOnScreens(QPoint pos, QSize size, const QList<QRect>& screens);

// Places `w` at its saved position, kept on the screens (placeOnScreens);
// without one, centred on its screen: top = (screen height - window height)
// div 2, left likewise.
void restoreWindowPosition(QWidget* w, const char* topKey, const char* leftKey);
// The width a window that would show all of its contents at `wanted` pixels
// starts with: at most nine tenths of its screen's available width, so that
// a large font or a long column never puts its buttons off the screen.
int widthOnScreen(const QWidget* w, int wanted);
// Saves the window's top and left.
void saveWindowPosition(const QWidget* w, const char* topKey, const char* leftKey);

}  // namespace orv
