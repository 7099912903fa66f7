#include "interchange/Compare.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>
#include "image/FieldTable.h"
#include "image/MemoryMap.h"
#include "image/Programming.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"

namespace orv {

namespace {

using namespace memmap;

// Bits of one image byte.
struct Bits {
    int address;
    uint8_t mask;
};

// One compared field: its name in the export's wording, where it lies, how
// its shown value is taken from the decoded programming, and the image bits
// it is read from.
struct ComparedField {
    std::string where;
    int group = -1;
    int channel = -1;
    std::function<std::string(const Programming&)> value;
    std::vector<Bits> bits;
};

constexpr const char* kNoSelection = "(no selection)";

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string entryText(int index, fields::Entries entries) {
    const auto& e = entries();
    if (index < 0 || index >= static_cast<int>(e.size())) return kNoSelection;
    return e[static_cast<std::size_t>(index)];
}

// Bit p of a pair of per-position (or per-channel) bytes: the first byte
// holds 15..8, the second 7..0.
Bits pairBit(int firstByteAddress, int index) {
    if (index < 8) return {firstByteAddress + 1, static_cast<uint8_t>(1u << index)};
    return {firstByteAddress, static_cast<uint8_t>(1u << (index - 8))};
}

// ---- globals ------------------------------------------------------------------

std::vector<Bits> globalListBits(const std::string& name) {
    static const std::vector<std::pair<std::string, std::vector<Bits>>> table = {
        {"cboDTMFDev", {{kDtmfPorchAni, 0xF8}}},
        {"cboPorchTime", {{kDtmfPorchAni, 0x03}}},
        {"cboANIRate", {{kDtmfPorchAni, 0x04}}},
        {"cboPriRate", {{kGlobalOptions, 0x07}}},
        {"cboBattSave", {{kGlobalBatterySaver, 0x04}}},
        {"cboFreqDisplay", {{kGlobalOptions, 0x80}}},
        {"cboLoPower", {{kGlobalOptions, 0x40}}},
        {"cboTalkBack", {{kGlobalOptions, 0x20}}},
        {"cboNuisanceChan", {{kGlobalOptions, 0x10}}},
        {"cboLoPowerSwitch", {{kSwitches98, 0xE0}}},
        {"cboChanScan", {{kSwitches98, 0x1C}}},
        {"cboPriScan", {{kSwitches98, 0x03}, {kSwitches99, 0x80}}},
        {"cboRTA", {{kSwitches99, 0x70}}},
        {"cboGroupScan", {{kSwitches99, 0x0E}}},
        {"cboGlobalGroup", {{kGlobalGroupChannel, 0xF0}}},
        {"cboGlobalChannel", {{kGlobalGroupChannel, 0x0F}}},
    };
    for (const auto& [n, bits] : table)
        if (n == name) return bits;
    throw std::logic_error("no memory bits known for the global field " + name);
}

std::vector<Bits> rotaryBits(const std::string& name, int p) {
    if (name == "cboGroup") return {{kRotary + p, 0xF0}, pairBit(kRotaryGroupGlobal, p)};
    if (name == "cboChan") return {{kRotary + p, 0x0F}, pairBit(kRotaryChannelGlobal, p)};
    if (name == "chkGrpVar") return {pairBit(kRotaryGroupVariable, p)};
    if (name == "chkChanVar") return {pairBit(kRotaryChannelVariable, p)};
    throw std::logic_error("no memory bits known for the rotary field " + name);
}

void addGlobalFields(std::vector<ComparedField>& out) {
    auto addList = [&](const fields::GlobalList& f) {
        out.push_back({std::string("globals ") + f.name, -1, -1,
                       [m = f.member, e = f.entries](const Programming& p) { return entryText(p.globals.*m, e); },
                       globalListBits(f.name)});
    };
    for (const auto& f : fields::globalHeadLists()) addList(f);
    for (int pos = 0; pos < kRotaryPositions; ++pos) {
        for (const auto& f : fields::rotaryFields()) {
            const auto i = static_cast<std::size_t>(pos);
            out.push_back({"globals rotary position " + std::to_string(pos + 1) + " " + f.name, -1, -1,
                           [m = f.member, e = f.entries, i](const Programming& p) {
                               const int v = (p.globals.*m)[i];
                               return e ? entryText(v, e) : std::to_string(v);
                           },
                           rotaryBits(f.name, pos)});
        }
    }
    for (const auto& f : fields::globalTailLists()) addList(f);
}

// ---- groups -------------------------------------------------------------------

std::vector<Bits> groupFieldBits(const std::string& name, int g) {
    auto at = [g](int k, int mask) { return Bits{groupParamAddr(g, k).address(), static_cast<uint8_t>(mask)}; };
    auto span = [&](int k, int n) {
        std::vector<Bits> v;
        for (int i = 0; i < n; ++i) v.push_back(at(k + i, 0xFF));
        return v;
    };
    if (name == "txtGrpLab") return span(kGroupLabel, 8);
    if (name == "txtPassWord") return span(kPassword, 3);
    if (name == "txtID") return {at(kAniId, 0x0F), at(kAniId + 1, 0xFF), at(kAniId + 2, 0xFF), at(kAniId + 3, 0xFF)};
    if (name == "cboTOT") return {at(kTimeOutScanHold, 0xF0)};
    if (name == "cboScan") return {at(kTimeOutScanHold, 0x0F)};
    if (name == "cboPri1Chan") return {at(kPriority1, 0xCF)};
    if (name == "cboPri2Chan") return {at(kPriority2, 0xCF)};
    if (name == "chkPriTX") return {at(kGroupFlags30, 0x20)};
    if (name == "optBattSave") return {at(kGroupFlags30, 0x80)};
    if (name == "chkGroupScanList") return {at(kGroupFlags30, 0x40)};
    if (name == "chkPriKeyLock") return {at(kGroupFlags30, 0x10)};
    if (name == "chkENTCLRLock") return {at(kGroupFlags30, 0x08)};
    if (name == "cboDisplay") return {at(kDisplay, 0x08)};
    if (name == "cboBackLight") return {at(kDisplay, 0x30)};
    if (name == "cboDuration") return {at(kDisplay, 0x07)};
    if (name == "cboBCI") return {at(kGroupFlags31, 0x60)};
    if (name == "cboANI") return {at(kGroupFlags31, 0x18)};
    if (name == "optUCG") return {at(kGroupFlags31, 0x80)};
    // The channel shown depends on the channel-set flag and on the enable bit.
    if (name == "cboUCGChan") return {at(kUserCodeGuard, 0x1F), at(kGroupFlags31, 0x80)};
    if (name == "chkUCGEncode") return {at(kUserCodeGuard, 0x20)};
    throw std::logic_error("no memory bits known for the group field " + name);
}

std::string groupFieldValue(const fields::GroupField& f, const GroupView& v) {
    switch (f.kind) {
    case fields::GroupKind::Text: {
        const std::string& t = v.*f.text;
        return f.text == &GroupView::txtGrpLab ? quoted(t) : t;  // a label's blanks count
    }
    case fields::GroupKind::ListText: return v.*f.text;
    case fields::GroupKind::List: return entryText(v.*f.number, f.entries);
    case fields::GroupKind::Check: return std::to_string(v.*f.number);
    case fields::GroupKind::Option:
        return (v.*f.optFirst) ? f.firstCaption : (v.*f.optSecond) ? f.secondCaption : kNoSelection;
    }
    return {};
}

std::vector<Bits> cellBits(const fields::CellField& f, int g, int c) {
    std::vector<Bits> v;
    if (f.kind == fields::CellKind::Label) {
        for (int i = 0; i < 8; ++i) v.push_back({channelLabelAddr(g, c, i).address(), 0xFF});
        return v;
    }
    int j = 0;
    switch (f.column) {
    case colRecFreq: j = kRecReceiveFreq; break;
    case colRecCG: j = kRecReceiveCodeGuard; break;
    case colTxFreq: j = kRecTransmitFreq; break;
    case colTxCG: j = kRecTransmitCodeGuard; break;
    default: throw std::logic_error(std::string("no memory bits known for the cell ") + f.name);
    }
    v.push_back({channelRecordAddr(g, c, j).address(), 0xFF});
    v.push_back({channelRecordAddr(g, c, j + 1).address(), 0xFF});
    return v;
}

int flagWordOffset(const std::string& name) {
    if (name == "chkScan") return kScanListFlags;
    if (name == "chkNarr") return kNarrowBandFlags;
    if (name == "chkLoPower") return kLowPowerFlags;
    throw std::logic_error("no memory bits known for the channel box " + name);
}

void addGroupFields(std::vector<ComparedField>& out, int g) {
    const auto gi = static_cast<std::size_t>(g);
    const std::string prefix = "group " + std::to_string(g + 1) + " ";
    for (const auto& f : fields::groupFields()) {
        out.push_back({prefix + f.name, g, -1,
                       [&f, gi](const Programming& p) { return groupFieldValue(f, p.groups[gi]); },
                       groupFieldBits(f.name, g)});
    }
    for (int c = 0; c < kChannels; ++c) {
        const auto ci = static_cast<std::size_t>(c);
        const std::string chan = prefix + "channel " + std::to_string(c + 1) + " ";
        for (const auto& f : fields::cellFields()) {
            const auto col = static_cast<std::size_t>(f.column);
            const bool label = f.kind == fields::CellKind::Label;
            out.push_back({chan + f.name, g, c,
                           [gi, ci, col, label](const Programming& p) {
                               const std::string& t = p.groups[gi].channels.cells[ci][col];
                               return label ? quoted(t) : t;
                           },
                           cellBits(f, g, c)});
        }
        for (const auto& f : fields::channelChecks()) {
            out.push_back({chan + f.name, g, c,
                           [m = f.member, gi, ci](const Programming& p) {
                               return std::to_string((p.groups[gi].channels.*m)[ci]);
                           },
                           {pairBit(groupParamAddr(g, flagWordOffset(f.name)).address(), c)}});
        }
    }
}

const std::vector<ComparedField>& allFields() {
    static const std::vector<ComparedField> table = [] {
        std::vector<ComparedField> v;
        addGlobalFields(v);
        for (int g = 0; g < kGroups; ++g) addGroupFields(v, g);
        return v;
    }();
    return table;
}

// ---- byte ranges --------------------------------------------------------------

// The part of the memory an address lies in, as a byte summary names it, and
// the group it belongs to (-1 outside the groups). Ranges never cross parts.
struct Region {
    int part;  // an ordinal that changes from one part to the next
    int group;
    std::string name;
};

Region regionOf(int address) {
    if (address < kGroupsBase) return {0, -1, "global area"};
    if (address >= MemoryImage::kRadioSize) return {1000, -1, "image"};
    const int g = (address - kGroupsBase) / kGroupSize;
    const int o = (address - kGroupsBase) % kGroupSize;
    const std::string group = "group " + std::to_string(g + 1);
    if (o < 128) return {1 + 3 * g, g, group + " parameter"};
    if (o < 256) return {2 + 3 * g, g, group + " channel record"};
    return {3 + 3 * g, g, group + " channel label"};
}

std::string hexAddress(int address) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", static_cast<unsigned>(address));
    return buf;
}

// The bytes first..last in hex; a long range shows its first eight.
std::string hexBytes(const MemoryImage& img, int first, int last) {
    constexpr int kShown = 8;
    std::string s;
    for (int a = first; a <= last && a < first + kShown; ++a) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned>(img[a]));
        if (!s.empty()) s += ' ';
        s += buf;
    }
    const int n = last - first + 1;
    if (n > kShown) s += " ... (" + std::to_string(n) + " bytes)";
    return s;
}

Difference byteSummary(const MemoryImage& a, const MemoryImage& b, int first, int last) {
    const Region r = regionOf(first);
    Difference d;
    d.kind = Difference::Kind::Bytes;
    d.group = r.group;
    d.firstAddress = first;
    d.lastAddress = last;
    const std::string span =
        first == last ? "byte " + hexAddress(first) : "bytes " + hexAddress(first) + "-" + hexAddress(last);
    d.where = r.part == 1000 ? span + " (outside the radio memory)"
                             : r.name + " " + span + " (not shown by any field)";
    d.thisValue = hexBytes(a, first, last);
    d.thatValue = hexBytes(b, first, last);
    return d;
}

// The order of the output: globals and page 0 first, then group by group,
// the bytes outside the radio memory last.
int section(const Difference& d) {
    if (d.group >= 0) return d.group;
    return d.firstAddress >= MemoryImage::kRadioSize ? kGroups : -1;
}

}  // namespace

std::array<uint8_t, MemoryImage::kSize> fieldBits() {
    std::array<uint8_t, MemoryImage::kSize> bits{};
    for (const auto& f : allFields())
        for (const auto& b : f.bits) bits[static_cast<std::size_t>(b.address)] |= b.mask;
    return bits;
}

std::vector<Difference> compareImages(const MemoryImage& a, const MemoryImage& b, const CompareMask* mask) {
    // Under a mask, "that" takes the bits that do not count from "this".
    MemoryImage that = b;
    if (mask) {
        for (int i = 0; i < MemoryImage::kSize; ++i) {
            const uint8_t m = i < MemoryImage::kRadioSize ? (*mask)[static_cast<std::size_t>(i)] : 0;
            that[i] = static_cast<uint8_t>((a[i] & ~m) | (b[i] & m));
        }
    }
    std::vector<Difference> out;
    if (a == that) return out;

    // Only the parts that differ are decoded and compared: page 0 for the
    // globals, a group's 384 bytes for its fields.
    auto differs = [&](int first, int size) {
        return !std::equal(a.data() + first, a.data() + first + size, that.data() + first);
    };
    const bool globalsDiffer = differs(0, kGroupsBase);
    std::array<bool, kGroups> groupDiffers{};
    Programming pa, pb;
    if (globalsDiffer) {
        clsGlobals(a, pa.globals).Read_Globals();
        clsGlobals(that, pb.globals).Read_Globals();
    }
    for (int g = 0; g < kGroups; ++g) {
        const auto gi = static_cast<std::size_t>(g);
        groupDiffers[gi] = differs(kGroupsBase + kGroupSize * g, kGroupSize);
        if (!groupDiffers[gi]) continue;
        clsGroup(a, pa.groups[gi]).Read_Group(g);
        clsGroup(that, pb.groups[gi]).Read_Group(g);
    }

    std::array<uint8_t, MemoryImage::kSize> shown{};
    for (const auto& f : allFields()) {
        if (f.group < 0 ? !globalsDiffer : !groupDiffers[static_cast<std::size_t>(f.group)]) continue;
        std::string va = f.value(pa);
        std::string vb = f.value(pb);
        if (va == vb) continue;
        Difference d;
        d.group = f.group;
        d.channel = f.channel;
        d.firstAddress = f.bits.front().address;
        d.lastAddress = f.bits.front().address;
        for (const auto& bit : f.bits) {
            shown[static_cast<std::size_t>(bit.address)] |= bit.mask;
            d.firstAddress = std::min(d.firstAddress, bit.address);
            d.lastAddress = std::max(d.lastAddress, bit.address);
        }
        d.where = f.where;
        d.thisValue = std::move(va);
        d.thatValue = std::move(vb);
        out.push_back(std::move(d));
    }

    // Differing bits that no reported field shows, as ranges of bytes.
    int first = -1;
    auto close = [&](int last) {
        if (first >= 0) out.push_back(byteSummary(a, b, first, last));
        first = -1;
    };
    for (int i = 0; i < MemoryImage::kSize; ++i) {
        const bool differs = ((a[i] ^ that[i]) & ~shown[static_cast<std::size_t>(i)]) != 0;
        if (!differs) {
            close(i - 1);
            continue;
        }
        if (first >= 0 && regionOf(first).part != regionOf(i).part) close(i - 1);
        if (first < 0) first = i;
    }
    close(MemoryImage::kSize - 1);

    std::stable_sort(out.begin(), out.end(),
                     [](const Difference& x, const Difference& y) { return section(x) < section(y); });
    return out;
}

}  // namespace orv
