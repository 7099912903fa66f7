// Sizes of the windows are kept in twips (1/1440 inch), as they were laid
// out for a 7.5 point sans-serif face. Every conversion of a window's
// geometry to and from pixels goes through twipsToPx and pxToTwips, which use
// the screen's logical DPI (15 twips per pixel at 96 DPI) times the layout
// scale: how much larger the application's font draws than that face. A
// larger desktop font thus gives a proportionally larger window in which
// every caption still fits its control.
#pragma once

class QFont;

namespace orv {

int twipsToPx(int twips);
int pxToTwips(int px);
// Logical DPI in use (the primary screen's, 96 without a screen).
double twipsDpi();

// The layout scale for the application's font (cached per font).
double layoutScale();
// The layout scale for `font`: the larger of its width and height ratios to
// the 7.5 point face, never below 1 (a smaller font keeps the layout's sizes).
double layoutScaleFor(const QFont& font);

// Positions on the screen (saved window places) in twips: the DPI alone,
// since they do not grow with the font.
int screenTwipsToPx(int twips);
int pxToScreenTwips(int px);

}  // namespace orv
