// The program's picture (a hand-held radio), drawn rather than loaded, for
// the splash window, the about box and the window icon.
#pragma once
#include <QPixmap>

namespace orv {
QPixmap radioPicture(int size);
}
