// Program-wide set-up shared by the editor's start-up and its tests.
#pragma once
#include <QString>

class QWidget;

namespace orv {

// Organisation and application name "ORVEDIT", settings in INI format under
// $XDG_CONFIG_HOME. Safe to call more than once.
void initAppIdentity();

// Installs, for the system's language, the editor's own translation (built
// into the program under :/i18n, orvedit_<language>.qm) and Qt's translation
// of its standard dialogs and buttons (qtbase_<language>.qm where Qt keeps
// its translations), each when one exists. Call once, after the application
// object exists; the translators live as long as the application.
void installTranslations();

// "Version 1.0.0" from the build's version numbers.
QString versionText();

// The editor's face on a window: the application's (the desktop's) font,
// to which the twips layout scales (app/Twips.h), and frames drawn as a thin
// border in the palette's colour with the caption set into the top edge.
// Each window applies it itself, so a window looks the same whoever opens it.
void applyEditorFace(QWidget* window);

// Names `control` for assistive technology after the caption that labels
// it: the caption without its access-key marks and trailing colon. The part
// that takes the control's focus (its focus proxy) gets the same name.
void nameAfterCaption(QWidget* control, const QString& caption);

// A dialog of fixed size: title and close box only (no minimise, maximise
// or help button), so a window manager gives its whole title bar to the title.
void makeFixedDialog(QWidget* dialog);

// Message boxes without their own title carry the application's title.
inline constexpr const char* kAppTitle = "ORVEDIT";

}  // namespace orv
