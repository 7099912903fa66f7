#include "image/FieldTable.h"

namespace orv::fields {

namespace {
using namespace memmap;
GroupField textField(const char* n, std::string GroupView::*m, FieldKind rule, Bits bits) {
    return {.name = n, .kind = GroupKind::Text, .text = m, .rule = rule, .bits = std::move(bits)};
}
GroupField listField(const char* n, int GroupView::*m, Entries e, Bits bits) {
    return {.name = n, .kind = GroupKind::List, .number = m, .entries = e, .bits = std::move(bits)};
}
GroupField listTextField(const char* n, std::string GroupView::*m, Entries e, Bits bits) {
    return {.name = n, .kind = GroupKind::ListText, .text = m, .entries = e, .bits = std::move(bits)};
}
GroupField checkField(const char* n, int GroupView::*m, BitField bit) {
    return {.name = n, .kind = GroupKind::Check, .number = m, .bits = {bit}};
}
GroupField optionField(const char* n, bool GroupView::*a, const char* ca, bool GroupView::*b, const char* cb,
                       BitField bit) {
    return {.name = n,
            .kind = GroupKind::Option,
            .optFirst = a,
            .firstCaption = ca,
            .optSecond = b,
            .secondCaption = cb,
            .bits = {bit}};
}
// `count` whole bytes from `first` on.
Bits bytes(int first, int count) {
    Bits b;
    for (int i = 0; i < count; ++i) b.push_back(wholeByte(first + i));
    return b;
}
}  // namespace

const std::vector<GroupField>& groupFields() {
    static const std::vector<GroupField> table = {
        textField("txtGrpLab", &GroupView::txtGrpLab, FieldKind::Label, bytes(kGroupLabel, kLabelSize)),
        textField("txtPassWord", &GroupView::txtPassWord, FieldKind::Password, bytes(kPassword, kPasswordBytes)),
        textField("txtID", &GroupView::txtID, FieldKind::IdNumber,
                  {kAniFirstDigit, wholeByte(kAniId + 1), wholeByte(kAniId + 2), wholeByte(kAniId + 3)}),
        listField("cboTOT", &GroupView::cboTOT, lists::cboTOT, {kTimeOut}),
        listTextField("cboScan", &GroupView::cboScan, lists::cboScan, {kScanHold}),
        listField("cboPri1Chan", &GroupView::cboPri1Chan, lists::cboPriChan, {{kPriority1, kPriorityBits}}),
        listField("cboPri2Chan", &GroupView::cboPri2Chan, lists::cboPriChan, {{kPriority2, kPriorityBits}}),
        checkField("chkPriTX", &GroupView::chkPriTX, kTxOnPriority1),
        optionField("optBattSave", &GroupView::optBattSaveOn, "On", &GroupView::optBattSaveOff, "Off",
                    kBatterySaverOff),
        checkField("chkGroupScanList", &GroupView::chkGroupScanList, kGroupScanList),
        checkField("chkPriKeyLock", &GroupView::chkPriKeyLock, kPriorityKeyLock),
        checkField("chkENTCLRLock", &GroupView::chkENTCLRLock, kEntClrLock),
        listField("cboDisplay", &GroupView::cboDisplay, lists::cboDisplay, {kDisplayMode}),
        listField("cboBackLight", &GroupView::cboBackLight, lists::cboBackLight, {kBackLight}),
        listField("cboDuration", &GroupView::cboDuration, lists::cboDuration, {kDisplayDuration}),
        listField("cboBCI", &GroupView::cboBCI, lists::cboBCI, {kBusyChannel}),
        listField("cboANI", &GroupView::cboANI, lists::cboANI, {kResidentAni}),
        optionField("optUCG", &GroupView::optUCGEnabled, "Enabled", &GroupView::optUCGDisabled, "Disabled",
                    kUcgEnabled),
        // The channel shown depends on the channel-set flag and on the enable bit.
        listField("cboUCGChan", &GroupView::cboUCGChan, lists::cboUCGChan, {kUcgChannelAndSet, kUcgEnabled}),
        checkField("chkUCGEncode", &GroupView::chkUCGEncode, kUcgEncodeOnly),
    };
    return table;
}

const std::vector<CellField>& cellFields() {
    static const std::vector<CellField> table = {
        {"Rec Freq", colRecFreq, CellKind::Freq, FieldKind::Frequency, kRecReceiveFreq},
        {"Rec CG", colRecCG, CellKind::CodeGuard, FieldKind::CodeGuard, kRecReceiveCodeGuard},
        {"Tx Freq", colTxFreq, CellKind::Freq, FieldKind::Frequency, kRecTransmitFreq},
        {"Tx CG", colTxCG, CellKind::CodeGuard, FieldKind::CodeGuard, kRecTransmitCodeGuard},
        {"Ch Label", colChLabel, CellKind::Label, FieldKind::Label},
    };
    return table;
}

const std::vector<ChannelCheck>& channelChecks() {
    static const std::vector<ChannelCheck> table = {
        {"chkScan", &ChannelGridView::chkScan, kScanListFlags},
        {"chkNarr", &ChannelGridView::chkNarr, kNarrowBandFlags},
        {"chkLoPower", &ChannelGridView::chkLoPower, kLowPowerFlags},
    };
    return table;
}

const std::vector<GlobalList>& globalHeadLists() {
    using enum GlobalFrame;
    static const std::vector<GlobalList> table = {
        {"cboDTMFDev", &GlobalsView::cboDTMFDev, lists::cboDTMFDev, {kDtmfDeviation}, Unit},
        {"cboPorchTime", &GlobalsView::cboPorchTime, lists::cboPorchTime, {kFrontPorch}, Unit},
        {"cboANIRate", &GlobalsView::cboANIRate, lists::cboANIRate, {kAniRate}, Unit},
        {"cboPriRate", &GlobalsView::cboPriRate, lists::cboPriRate, {kPriorityRate}, Unit},
        {"cboBattSave", &GlobalsView::cboBattSave, lists::cboBattSave, {kBatterySaverInhibit}, Unit},
        {"cboFreqDisplay", &GlobalsView::cboFreqDisplay, lists::cboEnableDisable, {kFreqDisplayOnly}, Unit},
        {"cboLoPower", &GlobalsView::cboLoPower, lists::cboEnableDisable, {kPerChannelPower}, Unit},
        {"cboTalkBack", &GlobalsView::cboTalkBack, lists::cboEnableDisable, {kTalkBackScan}, Unit},
        {"cboNuisanceChan", &GlobalsView::cboNuisanceChan, lists::cboEnableDisable, {kNuisanceDelete}, Unit},
        {"cboLoPowerSwitch", &GlobalsView::cboLoPowerSwitch, lists::cboSwitch, {kLowPowerSwitch}, ToggleSwitches},
        {"cboChanScan", &GlobalsView::cboChanScan, lists::cboSwitch, {kChannelScanSwitch}, ToggleSwitches},
        {"cboPriScan", &GlobalsView::cboPriScan, lists::cboSwitch, {kPriorityScanSwitchHigh, kPriorityScanSwitchLow},
         ToggleSwitches},
        {"cboRTA", &GlobalsView::cboRTA, lists::cboSwitch, {kTalkAroundSwitch}, ToggleSwitches},
        {"cboGroupScan", &GlobalsView::cboGroupScan, lists::cboSwitch, {kGroupScanSwitch}, ToggleSwitches},
    };
    return table;
}

const std::vector<GlobalList>& globalTailLists() {
    constexpr GlobalFrame frame = GlobalFrame::RotarySwitch;
    static const std::vector<GlobalList> table = {
        {"cboGlobalGroup", &GlobalsView::cboGlobalGroup, lists::cboGlobalGroup, {kGlobalGroup}, frame},
        {"cboGlobalChannel", &GlobalsView::cboGlobalChannel, lists::cboGlobalChannel, {kGlobalChannel}, frame},
    };
    return table;
}

const std::vector<RotaryField>& rotaryFields() {
    static const std::vector<RotaryField> table = {
        {"cboGroup", &GlobalsView::cboGroup, lists::cboGroup, rotaryGroup, kRotaryGroupGlobal},
        {"cboChan", &GlobalsView::cboChan, lists::cboChan, rotaryChannel, kRotaryChannelGlobal},
        {"chkGrpVar", &GlobalsView::chkGrpVar, nullptr, nullptr, kRotaryGroupVariable},
        {"chkChanVar", &GlobalsView::chkChanVar, nullptr, nullptr, kRotaryChannelVariable},
    };
    return table;
}

}  // namespace orv::fields
