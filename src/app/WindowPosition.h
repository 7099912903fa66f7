// Window positions kept in the settings store, section "Position": the top
// and left corner in twips, each as the text of a number, under the window's
// own two keys ("TuneTop"/"TuneLeft", ...).
#pragma once

class QWidget;

namespace orv {

// Places `w` at its saved position; without one, centred on its screen:
// top = (screen height - window height) div 2, left likewise.
void restoreWindowPosition(QWidget* w, const char* topKey, const char* leftKey);
// Saves the window's top and left.
void saveWindowPosition(const QWidget* w, const char* topKey, const char* leftKey);

}  // namespace orv
