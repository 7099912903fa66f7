// "File > Export Channels..." and "File > Import Channels...": the channels of
// the group on screen to and from a CSV file in the common channel layout
// (interchange/ChannelCsv.h). Both store the group on screen first; an import
// loads it again afterwards. A refused file changes nothing.
#pragma once

namespace orv {

class EditorShell;

namespace ChannelCsvCommands {

// Group index 0..14 of the group on screen. True when a file was written.
bool exportChannels(EditorShell& shell, int group);
// True when the rows were applied to the image and the screen.
bool importChannels(EditorShell& shell, int group);

}  // namespace ChannelCsvCommands
}  // namespace orv
