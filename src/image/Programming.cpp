#include "image/Programming.h"

#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/clsChannel.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"

namespace orv {

namespace {

// A codec error of group g, its field named with the group.
FieldError inGroup(int g, const FieldError& e) {
    return FieldError("group " + std::to_string(g + 1) + ": " + e.field(), e.value(), e.reason());
}

// Lists left as they were get no selection in the view handed to the global
// writers, which leave the bits of a list without a selection unchanged.
void dropUnchanged(int& after, int before) {
    if (after == before) after = -1;
}

void encodeChangedGlobals(const GlobalsView& before, GlobalsView after, MemoryImage& img) {
    dropUnchanged(after.cboDTMFDev, before.cboDTMFDev);
    dropUnchanged(after.cboPorchTime, before.cboPorchTime);
    dropUnchanged(after.cboANIRate, before.cboANIRate);
    dropUnchanged(after.cboPriRate, before.cboPriRate);
    dropUnchanged(after.cboBattSave, before.cboBattSave);
    dropUnchanged(after.cboFreqDisplay, before.cboFreqDisplay);
    dropUnchanged(after.cboLoPower, before.cboLoPower);
    dropUnchanged(after.cboTalkBack, before.cboTalkBack);
    dropUnchanged(after.cboNuisanceChan, before.cboNuisanceChan);
    dropUnchanged(after.cboLoPowerSwitch, before.cboLoPowerSwitch);
    dropUnchanged(after.cboChanScan, before.cboChanScan);
    dropUnchanged(after.cboPriScan, before.cboPriScan);
    dropUnchanged(after.cboRTA, before.cboRTA);
    dropUnchanged(after.cboGroupScan, before.cboGroupScan);
    for (std::size_t p = 0; p < kRotaryPositions; ++p) {
        dropUnchanged(after.cboGroup[p], before.cboGroup[p]);
        dropUnchanged(after.cboChan[p], before.cboChan[p]);
    }
    dropUnchanged(after.cboGlobalGroup, before.cboGlobalGroup);
    dropUnchanged(after.cboGlobalChannel, before.cboGlobalChannel);
    // The keypad-variable boxes are single bits that read back as written,
    // so writing them all changes only the edited ones.
    clsGlobals(img, after).Write_Globals();
}

}  // namespace

void encodeChangedGroup(const GroupView& before, GroupView after, int g, MemoryImage& img) {
    clsGroup grp(img, after);
    if (after.txtPassWord != before.txtPassWord) grp.Write_Password(g);
    if (after.txtGrpLab != before.txtGrpLab) grp.Write_Group_Label(g);
    if (after.cboTOT != before.cboTOT || after.cboScan != before.cboScan) grp.Write_TOT_Scan(g);
    if (after.txtID != before.txtID) grp.Write_ID_Num(g);
    if (after.cboDisplay != before.cboDisplay) grp.Write_Display_Mode(g);
    if (after.cboBackLight != before.cboBackLight) grp.Write_BackLight(g);
    if (after.cboDuration != before.cboDuration) grp.Write_Duration(g);
    if (after.cboPri1Chan != before.cboPri1Chan) grp.Write_Pri_1(g);
    if (after.cboPri2Chan != before.cboPri2Chan) grp.Write_Pri_2(g);
    if (after.chkPriTX != before.chkPriTX) grp.Write_Pri_TX(g);
    if (after.optBattSaveOn != before.optBattSaveOn || after.optBattSaveOff != before.optBattSaveOff)
        grp.Write_Battery_Saver(g);
    if (after.chkPriKeyLock != before.chkPriKeyLock || after.chkENTCLRLock != before.chkENTCLRLock)
        grp.Write_Keyboard_Lockouts(g);
    if (after.cboBCI != before.cboBCI) grp.Write_Busy_Channel_Indicate(g);
    if (after.cboANI != before.cboANI) grp.Write_ANI_DTMF(g);
    if (after.chkGroupScanList != before.chkGroupScanList) grp.Write_Group_Scan_List(g);
    if (after.chkUCGEncode != before.chkUCGEncode) grp.Write_UCG_Encode(g);
    const bool ucgChanged = after.optUCGEnabled != before.optUCGEnabled ||
                            after.optUCGDisabled != before.optUCGDisabled;
    // The channel-set flag depends on both the option and the channel list.
    if (ucgChanged || after.cboUCGChan != before.cboUCGChan) grp.Write_UCG_Enable(g);
    if (after.cboUCGChan != before.cboUCGChan) grp.Write_UCG_Chan(g);

    encodeChangedChannels(before.channels, after.channels, g, img);
}

void encodeChangedChannels(const ChannelGridView& before, ChannelGridView after, int g, MemoryImage& img) {
    clsChannel ch(img, after);
    for (int c = 0; c < kChannels; ++c) {
        const auto i = static_cast<std::size_t>(c);
        const auto& a = after.cells[i];
        const auto& b = before.cells[i];
        if (a[colRecFreq] != b[colRecFreq]) ch.Write_RX_Freq(g, c);
        if (a[colRecCG] != b[colRecCG]) ch.Write_RX_CG(g, c);
        if (a[colTxFreq] != b[colTxFreq]) ch.Write_TX_Freq(g, c);
        if (a[colTxCG] != b[colTxCG]) ch.Write_TX_CG(g, c);
        if (a[colChLabel] != b[colChLabel]) ch.Write_Chan_Alpha(g, c);
        if (after.chkLoPower[i] != before.chkLoPower[i]) ch.Write_Lo_Power(g, c);
        if (after.chkNarr[i] != before.chkNarr[i]) ch.Write_Narrow_Band(g, c);
        if (after.chkScan[i] != before.chkScan[i]) ch.Write_Scan_List(g, c);
    }
}

Programming decodeProgramming(const MemoryImage& img) {
    Programming prog;
    clsGlobals(img, prog.globals).Read_Globals();
    for (int g = 0; g < kGroups; ++g) clsGroup(img, prog.groups[static_cast<std::size_t>(g)]).Read_Group(g);
    return prog;
}

void encodeProgramming(const Programming& prog, MemoryImage& img) {
    Programming work = prog;  // the codecs take their views by reference
    clsGlobals(img, work.globals).Write_Globals();
    for (int g = 0; g < kGroups; ++g) {
        try {
            clsGroup(img, work.groups[static_cast<std::size_t>(g)]).Write_Group(g);
        } catch (const FieldError& e) {
            throw inGroup(g, e);
        }
    }
}

void encodeChangedFields(const Programming& before, const Programming& after, MemoryImage& img) {
    encodeChangedGlobals(before.globals, after.globals, img);
    for (int g = 0; g < kGroups; ++g) {
        const auto i = static_cast<std::size_t>(g);
        try {
            encodeChangedGroup(before.groups[i], after.groups[i], g, img);
        } catch (const FieldError& e) {
            throw inGroup(g, e);
        }
    }
}

int unusableChannels(const Programming& prog) {
    auto badFrequency = [](const std::string& text) {
        const double mhz = numericValue(text);
        return mhz != 0 && (mhz < kLowestMHz || mhz > kHighestMHz);
    };
    auto badCodeGuard = [](const std::string& text) { return !readCodeGuardText(text); };
    int n = 0;
    for (const GroupView& g : prog.groups)
        for (const auto& row : g.channels.cells)
            n += badFrequency(row[colRecFreq]) || badFrequency(row[colTxFreq]) || badCodeGuard(row[colRecCG]) ||
                 badCodeGuard(row[colTxCG]);
    return n;
}

}  // namespace orv
