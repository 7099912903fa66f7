#include "image/FieldTable.h"

namespace orv::fields {

namespace {
GroupField textField(const char* n, std::string GroupView::*m, FieldKind rule) {
    GroupField f{n, GroupKind::Text, m};
    f.rule = rule;
    return f;
}
GroupField listField(const char* n, int GroupView::*m, Entries e) { return {n, GroupKind::List, nullptr, m, e}; }
GroupField listTextField(const char* n, std::string GroupView::*m, Entries e) {
    return {n, GroupKind::ListText, m, nullptr, e};
}
GroupField checkField(const char* n, int GroupView::*m) { return {n, GroupKind::Check, nullptr, m}; }
GroupField optionField(const char* n, bool GroupView::*a, const char* ca, bool GroupView::*b, const char* cb) {
    return {n, GroupKind::Option, nullptr, nullptr, nullptr, a, ca, b, cb};
}
}  // namespace

const std::vector<GroupField>& groupFields() {
    static const std::vector<GroupField> table = {
        textField("txtGrpLab", &GroupView::txtGrpLab, FieldKind::Label),
        textField("txtPassWord", &GroupView::txtPassWord, FieldKind::Password),
        textField("txtID", &GroupView::txtID, FieldKind::IdNumber),
        listField("cboTOT", &GroupView::cboTOT, lists::cboTOT),
        listTextField("cboScan", &GroupView::cboScan, lists::cboScan),
        listField("cboPri1Chan", &GroupView::cboPri1Chan, lists::cboPriChan),
        listField("cboPri2Chan", &GroupView::cboPri2Chan, lists::cboPriChan),
        checkField("chkPriTX", &GroupView::chkPriTX),
        optionField("optBattSave", &GroupView::optBattSaveOn, "On", &GroupView::optBattSaveOff, "Off"),
        checkField("chkGroupScanList", &GroupView::chkGroupScanList),
        checkField("chkPriKeyLock", &GroupView::chkPriKeyLock),
        checkField("chkENTCLRLock", &GroupView::chkENTCLRLock),
        listField("cboDisplay", &GroupView::cboDisplay, lists::cboDisplay),
        listField("cboBackLight", &GroupView::cboBackLight, lists::cboBackLight),
        listField("cboDuration", &GroupView::cboDuration, lists::cboDuration),
        listField("cboBCI", &GroupView::cboBCI, lists::cboBCI),
        listField("cboANI", &GroupView::cboANI, lists::cboANI),
        optionField("optUCG", &GroupView::optUCGEnabled, "Enabled", &GroupView::optUCGDisabled, "Disabled"),
        listField("cboUCGChan", &GroupView::cboUCGChan, lists::cboUCGChan),
        checkField("chkUCGEncode", &GroupView::chkUCGEncode),
    };
    return table;
}

const std::vector<CellField>& cellFields() {
    static const std::vector<CellField> table = {
        {"Rec Freq", colRecFreq, CellKind::Freq, FieldKind::Frequency},
        {"Rec CG", colRecCG, CellKind::CodeGuard, FieldKind::CodeGuard},
        {"Tx Freq", colTxFreq, CellKind::Freq, FieldKind::Frequency},
        {"Tx CG", colTxCG, CellKind::CodeGuard, FieldKind::CodeGuard},
        {"Ch Label", colChLabel, CellKind::Label, FieldKind::Label},
    };
    return table;
}

const std::vector<ChannelCheck>& channelChecks() {
    static const std::vector<ChannelCheck> table = {
        {"chkScan", &ChannelGridView::chkScan},
        {"chkNarr", &ChannelGridView::chkNarr},
        {"chkLoPower", &ChannelGridView::chkLoPower},
    };
    return table;
}

const std::vector<GlobalList>& globalHeadLists() {
    static const std::vector<GlobalList> table = {
        {"cboDTMFDev", &GlobalsView::cboDTMFDev, lists::cboDTMFDev},
        {"cboPorchTime", &GlobalsView::cboPorchTime, lists::cboPorchTime},
        {"cboANIRate", &GlobalsView::cboANIRate, lists::cboANIRate},
        {"cboPriRate", &GlobalsView::cboPriRate, lists::cboPriRate},
        {"cboBattSave", &GlobalsView::cboBattSave, lists::cboBattSave},
        {"cboFreqDisplay", &GlobalsView::cboFreqDisplay, lists::cboEnableDisable},
        {"cboLoPower", &GlobalsView::cboLoPower, lists::cboEnableDisable},
        {"cboTalkBack", &GlobalsView::cboTalkBack, lists::cboEnableDisable},
        {"cboNuisanceChan", &GlobalsView::cboNuisanceChan, lists::cboEnableDisable},
        {"cboLoPowerSwitch", &GlobalsView::cboLoPowerSwitch, lists::cboSwitch},
        {"cboChanScan", &GlobalsView::cboChanScan, lists::cboSwitch},
        {"cboPriScan", &GlobalsView::cboPriScan, lists::cboSwitch},
        {"cboRTA", &GlobalsView::cboRTA, lists::cboSwitch},
        {"cboGroupScan", &GlobalsView::cboGroupScan, lists::cboSwitch},
    };
    return table;
}

const std::vector<GlobalList>& globalTailLists() {
    static const std::vector<GlobalList> table = {
        {"cboGlobalGroup", &GlobalsView::cboGlobalGroup, lists::cboGlobalGroup},
        {"cboGlobalChannel", &GlobalsView::cboGlobalChannel, lists::cboGlobalChannel},
    };
    return table;
}

const std::vector<RotaryField>& rotaryFields() {
    static const std::vector<RotaryField> table = {
        {"cboGroup", &GlobalsView::cboGroup, lists::cboGroup},
        {"cboChan", &GlobalsView::cboChan, lists::cboChan},
        {"chkGrpVar", &GlobalsView::chkGrpVar, nullptr},
        {"chkChanVar", &GlobalsView::chkChanVar, nullptr},
    };
    return table;
}

}  // namespace orv::fields
