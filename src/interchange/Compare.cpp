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
    // A label: its text cannot show every byte (bytes that are no
    // characters), so bytes that differ under the same text name it too.
    bool label = false;
};

constexpr const char* kNoSelection = "(no selection)";

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string entryText(int index, fields::Entries entries) {
    const auto& e = entries();
    if (index < 0 || index >= static_cast<int>(e.size())) return kNoSelection;
    return e[static_cast<std::size_t>(index)];
}

// The field table's bits at their image addresses: page 0's as they are, a
// group's within its parameter block.
std::vector<Bits> pageZeroBits(const fields::Bits& bits) {
    std::vector<Bits> v;
    for (const BitField& f : bits) v.push_back({f.address, static_cast<uint8_t>(f.mask)});
    return v;
}
std::vector<Bits> groupBits(const fields::Bits& bits, int g) {
    std::vector<Bits> v;
    for (const BitField& f : bits) v.push_back({groupParamAddr(g, f.address).address(), static_cast<uint8_t>(f.mask)});
    return v;
}

// ---- globals ------------------------------------------------------------------

void addGlobalFields(std::vector<ComparedField>& out) {
    auto addList = [&](const fields::GlobalList& f) {
        out.push_back({std::string("globals ") + f.name, -1, -1,
                       [m = f.member, e = f.entries](const Programming& p) { return entryText(p.globals.*m, e); },
                       pageZeroBits(f.bits)});
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
                           pageZeroBits(f.bitsAt(pos))});
        }
    }
    for (const auto& f : fields::globalTailLists()) addList(f);
}

// ---- groups -------------------------------------------------------------------

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
        for (int i = 0; i < kLabelSize; ++i) v.push_back({channelLabelAddr(g, c, i).address(), kAllBits});
        return v;
    }
    // A frequency or code guard word: two whole bytes of the record.
    for (int j : {f.recordOffset, f.recordOffset + 1}) v.push_back({channelRecordAddr(g, c, j).address(), kAllBits});
    return v;
}

void addGroupFields(std::vector<ComparedField>& out, int g) {
    const auto gi = static_cast<std::size_t>(g);
    const std::string prefix = "group " + std::to_string(g + 1) + " ";
    for (const auto& f : fields::groupFields()) {
        out.push_back({prefix + f.name, g, -1,
                       [&f, gi](const Programming& p) { return groupFieldValue(f, p.groups[gi]); },
                       groupBits(f.bits, g), f.kind == fields::GroupKind::Text && f.text == &GroupView::txtGrpLab});
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
                           cellBits(f, g, c), label});
        }
        for (const auto& f : fields::channelChecks()) {
            out.push_back({chan + f.name, g, c,
                           [m = f.member, gi, ci](const Programming& p) {
                               return std::to_string((p.groups[gi].channels.*m)[ci]);
                           },
                           groupBits({pairBit(f.flagWord, c)}, g)});
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
    if (address >= kRadioSize) return {1000, -1, "image"};
    const int g = (address - kGroupsBase) / kGroupSize;
    const int o = (address - kGroupsBase) % kGroupSize;
    const std::string group = "group " + std::to_string(g + 1);
    if (o < kParamBlockSize) return {1 + 3 * g, g, group + " parameter"};
    if (o < kParamBlockSize + kBankSize) return {2 + 3 * g, g, group + " channel record"};
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
    return d.firstAddress >= kRadioSize ? kGroups : -1;
}

}  // namespace

std::array<uint8_t, kFileSize> fieldBits() {
    std::array<uint8_t, kFileSize> bits{};
    for (const auto& f : allFields())
        for (const auto& b : f.bits) bits[static_cast<std::size_t>(b.address)] |= b.mask;
    return bits;
}

std::vector<Difference> compareImages(const MemoryImage& a, const MemoryImage& b, const CompareMask* mask) {
    // Under a mask, "that" takes the bits that do not count from "this".
    MemoryImage that = b;
    if (mask) {
        for (int i = 0; i < kFileSize; ++i) {
            const uint8_t m = i < kRadioSize ? (*mask)[static_cast<std::size_t>(i)] : 0;
            that[i] = static_cast<uint8_t>((a[i] & ~m) | (b[i] & m));
        }
    }
    std::vector<Difference> out;
    if (a == that) return out;

    // Only the parts that differ are decoded and compared: page 0 for the
    // globals, a group's bytes for its fields.
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

    std::array<uint8_t, kFileSize> shown{};
    for (const auto& f : allFields()) {
        if (f.group < 0 ? !globalsDiffer : !groupDiffers[static_cast<std::size_t>(f.group)]) continue;
        std::string va = f.value(pa);
        std::string vb = f.value(pb);
        if (va == vb) {
            // A label whose text cannot show its bytes (bytes outside the
            // radio's characters show " BLANK  ") differs in its bytes:
            // named as the field, with the bytes beside the text.
            if (!f.label) continue;
            const bool bitsDiffer = std::any_of(f.bits.begin(), f.bits.end(), [&](const Bits& bit) {
                return ((a[bit.address] ^ that[bit.address]) & bit.mask) != 0;
            });
            if (!bitsDiffer) continue;
            const int first = f.bits.front().address, last = f.bits.back().address;
            va += " (bytes " + hexBytes(a, first, last) + ")";
            vb += " (bytes " + hexBytes(that, first, last) + ")";
        }
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
    for (int i = 0; i < kFileSize; ++i) {
        const bool differs = ((a[i] ^ that[i]) & ~shown[static_cast<std::size_t>(i)]) != 0;
        if (!differs) {
            close(i - 1);
            continue;
        }
        if (first >= 0 && regionOf(first).part != regionOf(i).part) close(i - 1);
        if (first < 0) first = i;
    }
    close(kFileSize - 1);

    std::stable_sort(out.begin(), out.end(),
                     [](const Difference& x, const Difference& y) { return section(x) < section(y); });
    return out;
}

}  // namespace orv
