// The "Radio" and "Comm-Port" menu commands of the main window: they store
// the screen into the image before a write, confirm, show the progress
// dialog, run a transfer of the serial link and bring a read to the screen.
#pragma once
#include "app/RadioLink.h"
#include "app/RadioRun.h"

namespace orv {

class EditorShell;
class UserPrompts;

// Every command below holds the link's radio-busy state while it runs and
// is refused (ended at once, not ok, with a beep) while another exchange
// runs. Each asks its questions, starts its job and returns; the RadioRun
// ends once the job's result is on screen (ok: as each command says).
//
// "Read Radio" (F2): the whole memory; the group on screen and an open
// global window show it afterwards. A failed or cancelled read changes
// neither the screen nor the image.
RadioRun mnuRead_Click(EditorShell& shell);
// "Read Global Information from Radio": page 0, then the global window
// (loaded and shown if it was not) shows it.
RadioRun mnuReadGlobal_Click(EditorShell& shell);
// "Read Group from Radio": the group named in cboCurrentGroup.
RadioRun mnuReadGroup_Click(EditorShell& shell);
// "Write Radio" (F3): two confirmations, then page 0 (unless declined) and
// the 15 groups. Not ok when nothing was sent or the write failed. After a
// write that was neither failed nor cancelled it offers "Verify now?" (the
// answer preselected next time is the last one, stored under
// "Radio/VerifyAfterWrite", Yes at first) and verifies what was sent.
RadioRun mnuWriteAll_Click(EditorShell& shell);
// "Write Global Information To Radio": page 0 as the image holds it.
RadioRun mnuWriteGlobal_Click(EditorShell& shell);
// "Write Current Group to Radio" (F4).
RadioRun mnuWriteGroup_Click(EditorShell& shell);
// "Verify Radio": the group on screen (and an open global window) into the
// image, then the whole radio is read into a separate image (the session's
// is never changed) and compared with it over what "Write Radio" sends.
// "Radio matches" in a box, or the verify window listing the differences.
// Ok when the radio matches.
RadioRun mnuVerify_Click(EditorShell& shell);
// The settings key of the answer to "Verify now?".
inline constexpr const char* kVerifyAfterWriteKey = "Radio/VerifyAfterWrite";

// "Help > Save Serial Trace...": the last exchange's bytes into a text file
// (the format the radio simulator's --trace writes). False when there is no
// trace, the dialog was cancelled or the file could not be written (said so).
bool mnuSaveTrace_Click(EditorShell& shell);

// "Use Comm Port n": closes an open port, uses port n and stores n under
// "Comm/Port". The check marks of the menu are the main window's. Refused
// (false, with a beep) while a radio exchange runs: it would close its port.
bool mnuCommPort_Click(EditorShell& shell, int n);
// "Comm-Port > Choose Device...": the device of the port slot in use, picked
// from the serial ports found or typed (a simulator's link, say), stored as
// "Comm/Device<n>" and in use at once. Refused like "Use Comm Port n" while
// a radio exchange runs; false when cancelled.
bool mnuChooseDevice_Click(EditorShell& shell);

}  // namespace orv
