// View structs: exactly what the window controls hold, so that the codecs can
// run without a window. The windows copy widgets <-> these structs around each
// Read_/Write_ call; the command-line tool works on them directly.
#pragma once
#include <array>
#include <string>
#include <vector>
#include "image/MemoryMap.h"

namespace orv {

// Grid columns of the channel grid.
enum GridColumn { colChan = 0, colRecFreq = 1, colRecCG = 2, colTxFreq = 3, colTxCG = 4, colChLabel = 5 };
inline constexpr int kGridColumns = 6;
using memmap::kChannels;
using memmap::kGroups;
using memmap::kRotaryPositions;

// The 16 grid rows (texts of the six cells; column 0 is never touched by the
// codec) and the three arrays of per-channel check boxes (0, 1, or 2 = grey).
struct ChannelGridView {
    std::array<std::array<std::string, kGridColumns>, kChannels> cells{};
    std::array<int, kChannels> chkScan{};
    std::array<int, kChannels> chkNarr{};
    std::array<int, kChannels> chkLoPower{};
};

// The group controls of the main window. Lists hold their selected index
// (-1 = no selection); cboScan holds its text; check boxes 0/1/2; each option
// pair holds the state of both buttons.
struct GroupView {
    std::string txtGrpLab;
    std::string txtPassWord;
    std::string txtID;
    int cboTOT = -1;
    std::string cboScan;
    int cboPri1Chan = -1;
    int cboPri2Chan = -1;
    int chkPriTX = 0;
    bool optBattSaveOn = true;
    bool optBattSaveOff = false;
    int chkGroupScanList = 0;
    int chkPriKeyLock = 0;
    int chkENTCLRLock = 0;
    int cboDisplay = -1;
    int cboBackLight = -1;
    int cboDuration = -1;
    int cboBCI = -1;
    int cboANI = -1;
    bool optUCGEnabled = false;
    bool optUCGDisabled = true;
    int cboUCGChan = -1;
    int chkUCGEncode = 0;
    ChannelGridView channels;
};

// The controls of the global parameters window; every list holds its index
// (-1 = no selection), every check box 0/1/2.
struct GlobalsView {
    int cboDTMFDev = -1;
    int cboPorchTime = -1;
    int cboANIRate = -1;
    int cboPriRate = -1;
    int cboBattSave = -1;
    int cboFreqDisplay = -1;
    int cboLoPower = -1;
    int cboTalkBack = -1;
    int cboNuisanceChan = -1;
    int cboLoPowerSwitch = -1;
    int cboChanScan = -1;
    int cboPriScan = -1;
    int cboRTA = -1;
    int cboGroupScan = -1;
    std::array<int, kRotaryPositions> cboGroup{};
    std::array<int, kRotaryPositions> cboChan{};
    std::array<int, kRotaryPositions> chkGrpVar{};
    std::array<int, kRotaryPositions> chkChanVar{};
    int cboGlobalGroup = -1;
    int cboGlobalChannel = -1;
};

// The entries of every list, in entry order (shared by the windows, the
// codecs and the command-line tool).
namespace lists {
const std::vector<std::string>& cboCurrentGroup();   // "1".."15"
const std::vector<std::string>& cboTOT();            // "OFF","15",...,"225"
const std::vector<std::string>& cboScan();           // "0.0",...,"7.5"
const std::vector<std::string>& cboPriChan();        // "OFF","Ch 1".."Ch 16","MAIN"
const std::vector<std::string>& cboDisplay();
const std::vector<std::string>& cboBackLight();
const std::vector<std::string>& cboDuration();
const std::vector<std::string>& cboBCI();
const std::vector<std::string>& cboANI();
const std::vector<std::string>& cboUCGChan();        // "0".."16"
const std::vector<std::string>& cboDTMFDev();        // 32 entries
const std::vector<std::string>& cboPorchTime();
const std::vector<std::string>& cboANIRate();
const std::vector<std::string>& cboPriRate();
const std::vector<std::string>& cboBattSave();       // "Enable","Inhibit"
const std::vector<std::string>& cboEnableDisable();  // "Disabled","Enabled"
const std::vector<std::string>& cboSwitch();         // "Always Off","Always On","Keypad","Left Toggle","Middle Toggle","Right Toggle"
const std::vector<std::string>& cboGroup();          // "Group 1".."Group 15","Global"
const std::vector<std::string>& cboChan();           // "Channel 1".."Channel 16","Global"
const std::vector<std::string>& cboGlobalGroup();    // "1".."15"
const std::vector<std::string>& cboGlobalChannel();  // "1".."16"
// Index of `text` in `entries`, or -1.
int indexOf(const std::vector<std::string>& entries, const std::string& text);
}  // namespace lists

}  // namespace orv
