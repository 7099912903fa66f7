// "File > Export Channels..." and "File > Import Channels...": the channels of
// the group on screen to and from a CSV file in the common channel layout
// (interchange/ChannelCsv.h). Both store the group on screen first; an import
// shows its plan in a preview (frmCsvPreview) and, on OK, applies the ticked
// rows and loads the group again. A refused file or Cancel changes nothing.
#pragma once
#include <functional>

namespace orv {

class EditorShell;
class frmCsvPreview;

namespace ChannelCsvCommands {

// Group index 0..14 of the group on screen. True when a file was written.
bool exportChannels(EditorShell& shell, int group);
// True when the rows were applied to the image and the screen.
bool importChannels(EditorShell& shell, int group);

// How the import's preview is answered: true for OK. By default the dialog
// runs modally; tests put in their own answer ({} restores the default).
void setPreviewRunner(std::function<bool(frmCsvPreview&)> runner);

}  // namespace ChannelCsvCommands
}  // namespace orv
