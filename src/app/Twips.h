// Sizes of the windows are kept in twips (1/1440 inch). Every conversion to
// and from pixels goes through these two functions, which use the screen's
// logical DPI (15 twips per pixel at 96 DPI).
#pragma once

namespace orv {

int twipsToPx(int twips);
int pxToTwips(int px);
// Logical DPI in use (the primary screen's, 96 without a screen).
double twipsDpi();

}  // namespace orv
