#include "interchange/ChannelCsvRow.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <tuple>
#include <utility>
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/MemoryMap.h"
#include "image/NumText.h"
#include "image/clsChannel.h"

namespace orv::csv {

namespace {

// ---- the radio's values -------------------------------------------------------

// Frequencies in hertz. The memory holds 100 MHz plus a multiple of 1.25 kHz
// (code 0: none); what the import admits is the frequency rule of
// image/FieldRules.h.
constexpr int64_t kBaseHz = memmap::kFreqBaseHz;
constexpr int64_t kStepHz = memmap::kFreqStepHz;

int64_t codeToHz(int code) { return code == 0 ? 0 : kBaseHz + int64_t{code} * kStepHz; }

// The grid's text of a guard, as the codec reads it back.
std::string guardCell(const Guard& gd) {
    switch (gd.kind) {
    case Guard::Kind::None: return "000.0";
    case Guard::Kind::Tone: {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%03d.%d", gd.tenths / 10, gd.tenths % 10);
        return buf;
    }
    case Guard::Kind::Dcs: return "D" + gd.code + (gd.inverted ? "-" : "");
    }
    return {};
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The guard a grid text shows (the code guard grammar of the field rules);
// nullopt for a tone word whose digits are not decimal (the layout has no
// form for it).
std::optional<Guard> cellGuard(const std::string& t) {
    const auto cg = readCodeGuardText(t);
    if (!cg) return std::nullopt;
    Guard gd;
    switch (cg->form) {
    case CodeGuardText::Form::None: break;
    case CodeGuardText::Form::Digital:
        gd.kind = Guard::Kind::Dcs;
        gd.code = cg->code;
        gd.inverted = cg->inverted;
        break;
    case CodeGuardText::Form::Tone:
        gd.tenths = cg->tenths();
        if (gd.tenths != 0) gd.kind = Guard::Kind::Tone;
        break;
    }
    return gd;
}

// ---- number texts --------------------------------------------------------------

std::string mhzText(int64_t hz) {
    const int64_t a = hz < 0 ? -hz : hz;
    char buf[40];
    std::snprintf(buf, sizeof buf, "%s%lld.%06lld", hz < 0 ? "-" : "", static_cast<long long>(a / 1'000'000),
                  static_cast<long long>(a % 1'000'000));
    return buf;
}

std::string toneText(int tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

// A plain decimal number (digits, at most one point, digits) as an integer
// in units of 10^-places. Digits below that unit must be zeros (nullopt
// otherwise, as for any other text).
std::optional<int64_t> parseFixed(const std::string& t, int places, int maxIntDigits) {
    const auto dot = t.find('.');
    const std::string whole = t.substr(0, dot);
    const std::string frac = dot == std::string::npos ? "" : t.substr(dot + 1);
    if (whole.empty() && frac.empty()) return std::nullopt;
    if (static_cast<int>(whole.size()) > maxIntDigits) return std::nullopt;
    int64_t v = 0;
    for (char c : whole) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
    }
    for (int i = 0; i < static_cast<int>(frac.size()); ++i) {
        const char c = frac[static_cast<std::size_t>(i)];
        if (!isDigit(c)) return std::nullopt;
        if (i >= places && c != '0') return std::nullopt;
    }
    for (int i = 0; i < places; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        v = v * 10 + (idx < frac.size() ? frac[idx] - '0' : 0);
    }
    return v;
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// ---- the layout's values ------------------------------------------------------------

// What the layout writes in the columns a row does not use.
constexpr const char* kDefaultTone = "88.5";
constexpr const char* kDefaultDcs = "023";
constexpr const char* kDefaultCross = "Tone->Tone";

// The two powers as the export writes them, and as milliwatts for reading
// a wattage (which goes to the nearer of the two).
constexpr const char* kHighPower = "5.0W";
constexpr const char* kLowPower = "1.0W";
constexpr int64_t kHighMilliwatts = 5'000;
constexpr int64_t kLowMilliwatts = 1'000;

// The largest common tuning step that divides the frequency ("5.00" when
// none of them does).
std::string tuningStep(int64_t hz) {
    for (auto [step, text] : {std::pair<int64_t, const char*>{12'500, "12.50"}, {6'250, "6.25"},
                              {5'000, "5.00"}, {2'500, "2.50"}})
        if (hz % step == 0) return text;
    return "5.00";
}

// The CSV name of a label as the grid shows it: the leading blanks of the
// right alignment go (the import puts them back).
std::string exportName(const std::string& label) {
    const auto first = label.find_first_not_of(' ');
    return first == std::string::npos ? "" : label.substr(first);
}

char polarity(const Guard& gd) { return gd.inverted ? 'R' : 'N'; }

// The tone columns of a channel's two guards.
void exportGuards(const Guard& tx, const Guard& rx, std::array<std::string, kColumns>& row) {
    using K = Guard::Kind;
    row[cTone] = "";
    row[cRTone] = kDefaultTone;
    row[cCTone] = kDefaultTone;
    row[cDtcsCode] = kDefaultDcs;
    row[cDtcsPolarity] = "NN";
    row[cRxDtcsCode] = kDefaultDcs;
    row[cCrossMode] = kDefaultCross;
    if (tx.kind == K::None && rx.kind == K::None) return;
    if (tx.kind == K::Tone && rx.kind == K::None) {
        row[cTone] = "Tone";
        row[cRTone] = toneText(tx.tenths);
        return;
    }
    if (tx.kind == K::Tone && rx == tx) {
        row[cTone] = "TSQL";
        row[cRTone] = row[cCTone] = toneText(tx.tenths);
        return;
    }
    if (tx.kind == K::Dcs && rx.kind == K::Dcs && tx.code == rx.code) {
        row[cTone] = "DTCS";
        row[cDtcsCode] = row[cRxDtcsCode] = tx.code;
        row[cDtcsPolarity] = std::string{polarity(tx), polarity(rx)};
        return;
    }
    row[cTone] = "Cross";
    std::string pol = "NN";
    auto side = [](const Guard& gd) { return gd.kind == K::Tone ? "Tone" : gd.kind == K::Dcs ? "DTCS" : ""; };
    row[cCrossMode] = std::string(side(tx)) + "->" + side(rx);
    if (tx.kind == K::Tone) row[cRTone] = toneText(tx.tenths);
    if (tx.kind == K::Dcs) {
        row[cDtcsCode] = tx.code;
        pol[0] = polarity(tx);
    }
    if (rx.kind == K::Tone) row[cCTone] = toneText(rx.tenths);
    if (rx.kind == K::Dcs) {
        row[cRxDtcsCode] = rx.code;
        pol[1] = polarity(rx);
    }
    row[cDtcsPolarity] = pol;
}

// What the common layout takes for a column a file does not have.
const std::string& absentValue(Col c) {
    static const std::string empty, tone = kDefaultTone, dcs = kDefaultDcs, cross = kDefaultCross, nn = "NN",
                             fm = "FM", zero = "0";
    switch (c) {
    case cRTone: case cCTone: return tone;
    case cDtcsCode: case cRxDtcsCode: return dcs;
    case cDtcsPolarity: return nn;
    case cCrossMode: return cross;
    case cMode: return fm;
    case cOffset: return zero;
    default: return empty;
    }
}

}  // namespace

const std::string& Row::raw(Col c) const {
    int i = index_[c];
    if (i < 0 && c == cRTone) i = index_[cCTone];
    if (i < 0 && c == cCTone) i = index_[cRTone];
    return i < 0 ? absentValue(c) : fields_[static_cast<std::size_t>(i)];
}

std::string Row::value(Col c) const { return trimBlanks(raw(c)); }

void Row::refuse(Col c, const std::string& reason) const {
    throw FieldError(row_, std::string(kColumnNames[c]), raw(c), reason);
}

namespace {

// ---- reading a row ------------------------------------------------------------------

// The code of a frequency a column gives as a decimal MHz text: the
// channel's own frequency (`current`, as the grid shows it) is kept, any
// other must pass the frequency rule.
int frequencyColumnCode(const Row& r, Col c, const std::string& current) {
    const std::string t = r.value(c);
    if (const Refusal why = fieldRefusal(FieldKind::Frequency, t, current)) r.refuse(c, *why);
    return clsChannel::freqCode(t, std::string(kColumnNames[c]));
}

// The code of a transmit frequency computed from the row (in hertz): the
// channel's own transmit frequency is kept, any other must pass the
// frequency rule.
int computedFrequencyCode(const Row& r, Col c, int64_t hz, int currentCode) {
    if (hz == codeToHz(currentCode)) return currentCode;
    if (const Refusal why = frequencyRefusal(static_cast<double>(hz) / memmap::kHzPerMHz))
        r.refuse(c, "the transmit frequency " + mhzText(hz) + " MHz: " + *why);
    return hz == 0 ? 0 : static_cast<int>((hz - kBaseHz) / kStepHz);
}

// An offset in MHz, at most six decimals.
int64_t parseOffset(const Row& r, Col c) {
    auto hz = parseFixed(r.value(c), 6, 4);
    if (!hz) r.refuse(c, "not a frequency in MHz with at most six decimals");
    return *hz;
}

// A tone column: the code guard rule on the tone text, which must be a tone.
Guard parseTone(const Row& r, Col c) {
    const std::string t = r.value(c);
    if (t.empty() || startsDigitalCode(t)) r.refuse(c, "not a tone in hertz");
    if (const Refusal why = fieldRefusal(FieldKind::CodeGuard, t)) r.refuse(c, *why);
    Guard gd;
    gd.kind = Guard::Kind::Tone;
    gd.tenths = readCodeGuardText(t)->tenths();  // the rule has left a tone
    if (gd.tenths == 0) r.refuse(c, "0 is no tone");
    return gd;
}

// A digital code column: digits only, then the code guard rule on D and the
// digits (the polarity is its own column).
Guard parseDcs(const Row& r, Col c, char pol) {
    const std::string t = r.value(c);
    bool digits = !t.empty();
    for (char ch : t) digits = digits && isDigit(ch);
    if (!digits) r.refuse(c, "not a digital code (three octal digits)");
    if (const Refusal why = fieldRefusal(FieldKind::CodeGuard, "D" + t)) r.refuse(c, *why);
    Guard gd;
    gd.kind = Guard::Kind::Dcs;
    gd.code = t;
    gd.inverted = pol == 'R';
    return gd;
}

std::string parsePolarity(const Row& r) {
    const std::string p = r.value(cDtcsPolarity);
    if (p.size() != 2 || (p[0] != 'N' && p[0] != 'R') || (p[1] != 'N' && p[1] != 'R'))
        r.refuse(cDtcsPolarity, "the polarity is two letters N or R (transmit, receive)");
    return p;
}

// The transmit and receive guards of a row.
std::pair<Guard, Guard> parseGuards(const Row& r) {
    const std::string mode = r.value(cTone);
    if (mode.empty()) return {};
    if (mode == "Tone") return {parseTone(r, cRTone), Guard{}};
    if (mode == "TSQL") {
        Guard gd = parseTone(r, cCTone);
        return {gd, gd};
    }
    if (mode == "DTCS") {
        const std::string p = parsePolarity(r);
        return {parseDcs(r, cDtcsCode, p[0]), parseDcs(r, cDtcsCode, p[1])};
    }
    if (mode != "Cross") {
        if (mode == "TSQL-R" || mode == "DTCS-R") r.refuse(cTone, "the radio has no reverse squelch");
        r.refuse(cTone, "not a tone mode (empty, Tone, TSQL, DTCS or Cross)");
    }
    static const std::map<std::string, std::pair<std::string, std::string>> kCross = {
        {"Tone->Tone", {"Tone", "Tone"}}, {"Tone->DTCS", {"Tone", "DTCS"}}, {"DTCS->Tone", {"DTCS", "Tone"}},
        {"DTCS->DTCS", {"DTCS", "DTCS"}}, {"DTCS->", {"DTCS", ""}},         {"->Tone", {"", "Tone"}},
        {"->DTCS", {"", "DTCS"}},        {"Tone->", {"Tone", ""}}};
    const auto it = kCross.find(r.value(cCrossMode));
    if (it == kCross.end())
        r.refuse(cCrossMode, "not a cross mode (Tone->Tone, Tone->DTCS, DTCS->Tone, DTCS->DTCS, DTCS->, ->Tone, "
                             "->DTCS, Tone->)");
    const auto& [txSide, rxSide] = it->second;
    const bool anyDcs = txSide == "DTCS" || rxSide == "DTCS";
    const std::string p = anyDcs ? parsePolarity(r) : "NN";
    Guard tx, rx;
    if (txSide == "Tone") tx = parseTone(r, cRTone);
    if (txSide == "DTCS") tx = parseDcs(r, cDtcsCode, p[0]);
    if (rxSide == "Tone") rx = parseTone(r, cCTone);
    if (rxSide == "DTCS") rx = parseDcs(r, cRxDtcsCode, p[1]);
    return {tx, rx};
}

// A name as the label encoding stores it: capital letters (the radio's "h"
// stays), checked with the label rule after the leading blanks. The
// channel's own name (`current`, as the grid shows it) is kept.
// With `fit`, a name the rule refuses is made to fit first: characters the
// radio lacks become blanks, the name is cut to the label's length (blanks
// at its ends go), and the change is noted.
std::string parseName(const Row& r, const std::string& current, bool fit, std::vector<std::string>& changes) {
    std::string name = exportName(r.raw(cName));
    if (fit && fieldRefusal(FieldKind::Label, name, exportName(current))) {
        std::string fitted;
        int kept = 0;
        for (const std::string& ch : utf8Chars(name)) {
            if (kept++ == kLabelChars) break;
            fitted += fieldRefusal(FieldKind::Label, ch) ? std::string(" ") : ch;
        }
        fitted = exportName(fitted.substr(0, fitted.find_last_not_of(' ') + 1));
        changes.push_back("name \"" + name + "\" -> \"" + fitted + "\"");
        name = fitted;
    }
    if (const Refusal why = fieldRefusal(FieldKind::Label, name, exportName(current))) r.refuse(cName, *why);
    std::string out;
    for (const std::string& ch : utf8Chars(name)) {
        std::string c = ch;
        if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' && c[0] != 'h') c[0] = static_cast<char>(c[0] - 'a' + 'A');
        out += c;
    }
    return out;
}

// The power of a row: High or Low in any case, or a wattage ("5.0W", "2",
// empty for High) taken as the nearer of 5 W (high) and 1 W (low); a
// wattage other than those two is noted.
int parsePower(const Row& r, std::vector<std::string>& changes) {
    const std::string power = lower(r.value(cPower));
    if (power.empty() || power == "high") return 0;
    if (power == "low") return 1;
    std::string number = power;
    if (!number.empty() && number.back() == 'w') number.pop_back();
    const auto milliwatts = parseFixed(trimBlanks(number), 3, 6);
    if (!milliwatts) r.refuse(cPower, std::string("a power is High, Low or a wattage such as ") + kHighPower);
    const int low = 2 * *milliwatts < kHighMilliwatts + kLowMilliwatts ? 1 : 0;
    if (*milliwatts != kHighMilliwatts && *milliwatts != kLowMilliwatts)
        changes.push_back("power " + r.value(cPower) + " -> " + (low ? "Low" : "High"));
    return low;
}

}  // namespace

// ---- the public mapping -------------------------------------------------------------

std::optional<std::array<std::string, kColumns>> exportRow(const GroupView& view, int g, int c) {
    const auto ci = static_cast<std::size_t>(c);
    const auto& cells = view.channels.cells[ci];
    const int rxCode = clsChannel::freqCode(cells[colRecFreq], "Rec Freq");
    if (rxCode == 0) return std::nullopt;  // no receive frequency: an empty location
    const int txCode = clsChannel::freqCode(cells[colTxFreq], "Tx Freq");
    const std::string where = "group " + std::to_string(g + 1) + " channel " + std::to_string(c + 1) + " ";
    auto guard = [&](int col, const char* name) {
        const std::string& t = cells[static_cast<std::size_t>(col)];
        auto gd = cellGuard(t);
        if (!gd) throw FieldError(0, where + name, t, "a tone whose digits are not decimal has no CSV form");
        return *gd;
    };
    const Guard rx = guard(colRecCG, "Rec CG");
    const Guard tx = guard(colTxCG, "Tx CG");

    std::array<std::string, kColumns> row;
    row[cLocation] = std::to_string(c + 1);
    row[cName] = exportName(cells[colChLabel]);
    const int64_t rxHz = codeToHz(rxCode);
    row[cFrequency] = mhzText(rxHz);
    row[cOffset] = mhzText(0);
    if (txCode == 0) {
        row[cDuplex] = "off";
    } else if (txCode != rxCode) {
        const int64_t txHz = codeToHz(txCode);
        row[cDuplex] = txHz > rxHz ? "+" : "-";
        row[cOffset] = mhzText(txHz > rxHz ? txHz - rxHz : rxHz - txHz);
    }
    exportGuards(tx, rx, row);
    row[cMode] = view.channels.chkNarr[ci] ? "NFM" : "FM";
    row[cTStep] = tuningStep(rxHz);
    row[cSkip] = view.channels.chkScan[ci] ? "" : "S";
    row[cPower] = view.channels.chkLoPower[ci] ? kLowPower : kHighPower;
    return row;
}

std::optional<int> parseLocation(const std::string& t) {
    const auto n = parseFixed(t, 0, 6);
    if (!n || t.find('.') != std::string::npos) return std::nullopt;
    return static_cast<int>(*n);
}

ChannelRow parseRow(const Row& r, const ChannelGridView& before, int channel, bool fitNames,
                    std::vector<std::string>& changes) {
    ChannelRow ch;
    ch.channel = channel;
    const auto& cells = before.cells[static_cast<std::size_t>(ch.channel)];
    ch.name = parseName(r, cells[colChLabel], fitNames, changes);

    ch.rxCode = frequencyColumnCode(r, cFrequency, cells[colRecFreq]);
    const int64_t rxHz = codeToHz(ch.rxCode);
    const std::string duplex = r.value(cDuplex);
    if (duplex.empty()) {
        ch.txCode = ch.rxCode;
    } else if (duplex == "+" || duplex == "-") {
        const int64_t off = parseOffset(r, cOffset);
        const int64_t txHz = duplex == "+" ? rxHz + off : rxHz - off;
        ch.txCode = computedFrequencyCode(r, cOffset, txHz, clsChannel::freqCode(cells[colTxFreq], "Tx Freq"));
    } else if (duplex == "split") {
        ch.txCode = frequencyColumnCode(r, cOffset, cells[colTxFreq]);
    } else if (duplex == "off") {
        ch.txCode = 0;
    } else {
        r.refuse(cDuplex, "not a duplex (empty, +, -, split or off)");
    }

    std::tie(ch.tx, ch.rx) = parseGuards(r);

    const std::string mode = r.value(cMode);
    if (mode == "FM") ch.narrow = 0;
    else if (mode == "NFM") ch.narrow = 1;
    else r.refuse(cMode, "the radio has the modes FM (wide) and NFM (narrow)");

    const std::string skip = r.value(cSkip);
    if (skip.empty() || skip == "P") ch.scan = 1;
    else if (skip == "S") ch.scan = 0;
    else r.refuse(cSkip, "not a skip mark (empty, S or P)");

    ch.lowPower = parsePower(r, changes);
    return ch;
}

void applyRow(const ChannelRow& ch, ChannelGridView& v) {
    const auto c = static_cast<std::size_t>(ch.channel);
    auto& cells = v.cells[c];
    auto set = [&](int col, const std::string& text) { cells[static_cast<std::size_t>(col)] = text; };
    set(colRecFreq, clsChannel::strHexToFreq(ch.rxCode));
    set(colTxFreq, clsChannel::strHexToFreq(ch.txCode));
    // A guard that means the same keeps its text (a digital word with unused
    // bits set shows the same text as the one the codec writes).
    if (cellGuard(cells[colRecCG]) != ch.rx) set(colRecCG, guardCell(ch.rx));
    if (cellGuard(cells[colTxCG]) != ch.tx) set(colTxCG, guardCell(ch.tx));
    if (exportName(cells[colChLabel]) != ch.name) set(colChLabel, ch.name);
    v.chkNarr[c] = ch.narrow;
    v.chkScan[c] = ch.scan;
    v.chkLoPower[c] = ch.lowPower;
}

}  // namespace orv::csv
