#include "interchange/ChannelCsv.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <span>
#include <tuple>
#include <utility>
#include <vector>
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/Programming.h"
#include "image/TrNoop.h"
#include "image/NumText.h"
#include "image/Views.h"
#include "image/clsChannel.h"
#include "image/clsGroup.h"

namespace orv {

namespace {

// ---- the radio's values -------------------------------------------------------

// Frequencies in hertz. The memory holds 100 MHz plus a multiple of 1.25 kHz
// (code 0: none); what the import admits is the frequency rule of
// image/FieldRules.h.
constexpr int64_t kBaseHz = memmap::kFreqBaseHz;
constexpr int64_t kStepHz = memmap::kFreqStepHz;

int64_t codeToHz(int code) { return code == 0 ? 0 : kBaseHz + int64_t{code} * kStepHz; }

// A code guard: none, a tone in tenths of a hertz (1..7999: the hundreds
// digit shares its nibble with the digital flag), or a three-digit octal
// digital code, normal or inverted.
struct Guard {
    enum class Kind { None, Tone, Dcs } kind = Kind::None;
    int tenths = 0;
    std::string code;  // "023"
    bool inverted = false;
    bool operator==(const Guard&) const = default;
};

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

// The guard a grid text shows; nullopt for a tone word whose digits are not
// decimal (the layout has no form for it).
std::optional<Guard> cellGuard(const std::string& t) {
    Guard gd;
    if (!t.empty() && t[0] == 'D') {
        gd.kind = Guard::Kind::Dcs;
        gd.code = t.substr(1, 3);
        gd.inverted = t.size() == 5;
        return gd;
    }
    if (t.size() != 5 || !isDigit(t[0]) || !isDigit(t[1]) || !isDigit(t[2]) || t[3] != '.' || !isDigit(t[4]))
        return std::nullopt;
    gd.tenths = (t[0] - '0') * 1000 + (t[1] - '0') * 100 + (t[2] - '0') * 10 + (t[4] - '0');
    gd.kind = gd.tenths == 0 ? Guard::Kind::None : Guard::Kind::Tone;
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

// ---- the layout -----------------------------------------------------------------

enum Col {
    cLocation, cName, cFrequency, cDuplex, cOffset, cTone, cRTone, cCTone, cDtcsCode, cDtcsPolarity,
    cRxDtcsCode, cCrossMode, cMode, cTStep, cSkip, cPower, cComment, cURCALL, cRPT1CALL, cRPT2CALL, cDVCODE,
    kColumns
};
const std::array<const char*, kColumns> kColumnNames = {
    "Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq", "DtcsCode",
    "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep", "Skip", "Power", "Comment", "URCALL",
    "RPT1CALL", "RPT2CALL", "DVCODE"};

// What the layout writes in the columns a row does not use.
constexpr const char* kDefaultTone = "88.5";
constexpr const char* kDefaultDcs = "023";
constexpr const char* kDefaultCross = "Tone->Tone";

// The largest common tuning step that divides the frequency ("5.00" when
// none of them does).
std::string tuningStep(int64_t hz) {
    for (auto [step, text] : {std::pair<int64_t, const char*>{12'500, "12.50"}, {6'250, "6.25"},
                              {5'000, "5.00"}, {2'500, "2.50"}})
        if (hz % step == 0) return text;
    return "5.00";
}

std::string csvField(const std::string& v) {
    if (v.find_first_of(",\"\r\n") == std::string::npos) return v;
    std::string q = "\"";
    for (char c : v) q += c == '"' ? std::string("\"\"") : std::string(1, c);
    return q + "\"";
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

GroupView decodeGroup(const MemoryImage& img, int g) {
    if (g < 0 || g >= kGroups) throw std::out_of_range("group index " + std::to_string(g) + " outside 0.." + std::to_string(kGroups - 1));
    GroupView view;
    clsGroup(img, view).Read_Group(g);
    return view;
}

// ---- reading CSV ------------------------------------------------------------------

struct Record {
    int row;
    std::vector<std::string> fields;
    bool blank;  // an empty line
};

FieldError fileError(int row, const std::string& reason) { return FieldError(row, "", "", reason); }

// RFC 4180 records: fields separated by commas, double quotes around a field
// that holds commas, quotes (doubled) or line ends; CR LF, LF or CR between
// records.
std::vector<Record> parseRecords(std::string_view text) {
    std::vector<Record> records;
    std::vector<std::string> fields;
    std::string field;
    bool inQuotes = false, wasQuoted = false, afterQuote = false;
    int row = 1;
    auto endField = [&] {
        fields.push_back(std::move(field));
        field.clear();
        wasQuoted = afterQuote = false;
    };
    auto endRecord = [&] {
        const bool blank = fields.empty() && field.empty() && !wasQuoted;
        endField();
        records.push_back({row, std::move(fields), blank});
        fields.clear();
        ++row;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                inQuotes = false;
                afterQuote = true;
            }
            continue;
        }
        if (c == ',') {
            endField();
        } else if (c == '\r' || c == '\n') {
            endRecord();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (afterQuote) {
            throw fileError(row, "text after the closing quote of a field");
        } else if (c == '"') {
            if (!field.empty()) throw fileError(row, "a quote inside a field that does not start with one");
            inQuotes = wasQuoted = true;
        } else {
            field += c;
        }
    }
    if (inQuotes) throw fileError(row, "a quoted field is not closed");
    if (!fields.empty() || !field.empty() || wasQuoted) endRecord();
    return records;
}

// One row's values, with the row number for the errors it raises.
// A column the header does not name reads as what the common layout takes
// for it when absent; of the two tone columns, one alone serves as both.
class Row {
public:
    Row(int row, const std::vector<std::string>& fields, const std::array<int, kColumns>& index)
        : row_(row), fields_(fields), index_(index) {}
    int number() const { return row_; }
    const std::string& raw(Col c) const {
        int i = index_[c];
        if (i < 0 && c == cRTone) i = index_[cCTone];
        if (i < 0 && c == cCTone) i = index_[cRTone];
        return i < 0 ? absentValue(c) : fields_[static_cast<std::size_t>(i)];
    }
    std::string value(Col c) const { return trimBlanks(raw(c)); }
    [[noreturn]] void refuse(Col c, const std::string& reason) const {
        throw FieldError(row_, kColumnNames[c], raw(c), reason);
    }

private:
    static const std::string& absentValue(Col c) {
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
    int row_;
    const std::vector<std::string>& fields_;
    const std::array<int, kColumns>& index_;
};

// The columns a file must have; the others take their defaults when absent.
bool requiredColumn(int c) { return c == cLocation || c == cFrequency; }

std::array<int, kColumns> headerIndex(const Record& header) {
    std::array<int, kColumns> index;
    index.fill(-1);
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = trimBlanks(header.fields[i]);
        for (int c = 0; c < kColumns; ++c) {
            if (name != kColumnNames[static_cast<std::size_t>(c)]) continue;
            if (index[static_cast<std::size_t>(c)] >= 0)
                throw FieldError(header.row, name, name, "the header names this column twice");
            index[static_cast<std::size_t>(c)] = static_cast<int>(i);
        }
    }
    for (int c = 0; c < kColumns; ++c)
        if (requiredColumn(c) && index[static_cast<std::size_t>(c)] < 0)
            throw FieldError(header.row, kColumnNames[static_cast<std::size_t>(c)], "",
                                  "the header has no such column (the first row must name the columns)");
    return index;
}

// The code of a frequency a column gives as a decimal MHz text: the
// channel's own frequency (`current`, as the grid shows it) is kept, any
// other must pass the frequency rule.
int frequencyColumnCode(const Row& r, Col c, const std::string& current) {
    const std::string t = r.value(c);
    if (const Refusal why = fieldRefusal(FieldKind::Frequency, t, current)) r.refuse(c, *why);
    return clsChannel::freqCode(t, kColumnNames[c]);
}

// The code of a transmit frequency computed from the row (in hertz): the
// channel's own transmit frequency is kept, any other must pass the
// frequency rule.
int computedFrequencyCode(const Row& r, Col c, int64_t hz, int currentCode) {
    if (hz == codeToHz(currentCode)) return currentCode;
    if (const Refusal why = frequencyRefusal(static_cast<double>(hz) / 1e6))
        r.refuse(c, "the transmit frequency " + mhzText(hz) + " MHz: " + *why);
    return hz == 0 ? 0 : static_cast<int>((hz - kBaseHz) / kStepHz);
}

// An offset in MHz, at most six decimals.
int64_t parseOffset(const Row& r, Col c) {
    auto hz = parseFixed(r.value(c), 6, 4);
    if (!hz) r.refuse(c, "not a frequency in MHz with at most six decimals");
    return *hz;
}

bool startsDigital(const std::string& t) { return !t.empty() && (t[0] == 'D' || t[0] == 'd'); }

// A tone column: the code guard rule on the tone text, which must be a tone.
Guard parseTone(const Row& r, Col c) {
    const std::string t = r.value(c);
    if (t.empty() || startsDigital(t)) r.refuse(c, "not a tone in hertz");
    if (const Refusal why = fieldRefusal(FieldKind::CodeGuard, t)) r.refuse(c, *why);
    const auto tenths = parseFixed(t, 1, 3);  // the rule has left digits with at most one decimal
    if (!tenths || *tenths == 0) r.refuse(c, "0 is no tone");
    Guard gd;
    gd.kind = Guard::Kind::Tone;
    gd.tenths = static_cast<int>(*tenths);
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
constexpr int kNameChars = 8;

// With `fit`, a name the rule refuses is made to fit first: characters the
// radio lacks become blanks, the name is cut to 8 characters (blanks at its
// ends go), and the change is noted.
std::string parseName(const Row& r, const std::string& current, bool fit, std::vector<std::string>& changes) {
    std::string name = exportName(r.raw(cName));
    if (fit && fieldRefusal(FieldKind::Label, name, exportName(current))) {
        std::string fitted;
        int kept = 0;
        for (const std::string& ch : utf8Chars(name)) {
            if (kept++ == kNameChars) break;
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

// The channel a row describes, as the grid would show it.
struct ChannelRow {
    int channel = 0;
    std::string name;
    int rxCode = 0;
    int txCode = 0;
    Guard rx, tx;
    int narrow = 0;
    int scan = 1;
    int lowPower = 0;
};

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
    if (!milliwatts) r.refuse(cPower, "a power is High, Low or a wattage such as 5.0W");
    const int low = *milliwatts < 3000 ? 1 : 0;
    if (*milliwatts != 5000 && *milliwatts != 1000)
        changes.push_back("power " + r.value(cPower) + " -> " + (low ? "Low" : "High"));
    return low;
}

// A Location: a whole number (0 and numbers above 16 are whole numbers too).
std::optional<int> parseLocation(const std::string& t) {
    const auto n = parseFixed(t, 0, 6);
    if (!n || t.find('.') != std::string::npos) return std::nullopt;
    return static_cast<int>(*n);
}

// The channel `channel` (0..15) as the row describes it. `before` is the
// group as it is: a value a row gives that the channel already holds is kept
// without a check. Values adapted to the radio are added to `changes`.
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

// Puts a row into the grid view of its channel. A value the row gives that
// is what the export writes for the channel keeps the grid's text, so its
// bytes stay exactly as they are.
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

}  // namespace

std::string exportChannelCsv(const MemoryImage& img, int g) {
    const GroupView view = decodeGroup(img, g);
    std::string out = std::string(kChannelCsvHeader) + "\r\n";
    for (int c = 0; c < kChannels; ++c) {
        const auto ci = static_cast<std::size_t>(c);
        const auto& cells = view.channels.cells[ci];
        const int rxCode = clsChannel::freqCode(cells[colRecFreq], "Rec Freq");
        if (rxCode == 0) continue;  // no receive frequency: an empty location
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
        row[cPower] = view.channels.chkLoPower[ci] ? "1.0W" : "5.0W";
        for (int col = 0; col < kColumns; ++col) {
            if (col > 0) out += ',';
            out += csvField(row[static_cast<std::size_t>(col)]);
        }
        out += "\r\n";
    }
    return out;
}

namespace {

struct Planned {
    ChannelCsvPlan plan;
    std::vector<ChannelRow> rows;  // the rows to apply
};

bool isComment(const Record& rec) { return !rec.fields.empty() && !rec.fields[0].empty() && rec.fields[0][0] == '#'; }

Planned planRows(const GroupView& before, std::string_view csv, const ChannelCsvOptions& options) {
    if (csv.size() > kChannelCsvMaxBytes)
        throw fileError(0, "the file is larger than " + std::to_string(kChannelCsvMaxBytes / 1024) + " KiB");
    if (options.firstChannel < 0 || options.firstChannel > kChannels)
        throw std::out_of_range("first channel " + std::to_string(options.firstChannel) + " outside 1..16");
    if (csv.substr(0, 3) == "\xEF\xBB\xBF") csv.remove_prefix(3);  // a byte order mark

    std::vector<Record> records = parseRecords(csv);
    std::erase_if(records, [](const Record& rec) { return rec.blank || isComment(rec); });
    if (records.empty()) throw fileError(1, "the file is empty (it needs the header row)");
    const Record& header = records.front();
    const std::array<int, kColumns> index = headerIndex(header);
    const std::span<const Record> data(records.begin() + 1, records.end());

    // By Location only when every row names a distinct channel of the group.
    Planned out;
    ChannelCsvPlan& plan = out.plan;
    plan.placement = options.firstChannel == 0 ? CsvPlacement::ByLocation : CsvPlacement::FileOrder;
    plan.firstChannel = options.firstChannel == 0 ? 0 : options.firstChannel - 1;
    std::array<bool, kChannels> taken{};
    for (const Record& rec : data) {
        const auto i = static_cast<std::size_t>(index[cLocation]);
        const auto loc = i < rec.fields.size() ? parseLocation(trimBlanks(rec.fields[i])) : std::nullopt;
        if (!loc || *loc < 1 || *loc > kChannels || taken[static_cast<std::size_t>(*loc - 1)]) {
            plan.placement = CsvPlacement::FileOrder;
            break;
        }
        taken[static_cast<std::size_t>(*loc - 1)] = true;
    }

    int next = plan.firstChannel;
    for (const Record& rec : data) {
        CsvRowPlan p;
        p.row = rec.row;
        auto field = [&](Col c) {
            const int i = index[c];
            return i >= 0 && static_cast<std::size_t>(i) < rec.fields.size() ? rec.fields[static_cast<std::size_t>(i)]
                                                                               : std::string();
        };
        p.location = field(cLocation);
        p.name = field(cName);
        p.frequency = field(cFrequency);
        p.leftOut = std::find(options.leaveOut.begin(), options.leaveOut.end(), rec.row) != options.leaveOut.end();
        if (!p.leftOut) {
            try {
                if (rec.fields.size() < header.fields.size())
                    throw fileError(rec.row, "the row has " + std::to_string(rec.fields.size()) +
                                                 " fields, the header " + std::to_string(header.fields.size()));
                const Row r(rec.row, rec.fields, index);
                const auto loc = parseLocation(r.value(cLocation));
                if (!loc) r.refuse(cLocation, "a location is a whole number");
                const int target = plan.placement == CsvPlacement::ByLocation ? *loc - 1 : next;
                if (target >= kChannels)
                    r.refuse(cLocation, "there is no channel " + std::to_string(target + 1) + " (a group has 16)");
                out.rows.push_back(parseRow(r, before.channels, target, options.fitNames, p.changes));
                p.channel = target;
                ++next;
            } catch (const FieldError& e) {
                p.unfit = e;
                p.changes.clear();
            }
        }
        plan.rows.push_back(std::move(p));
    }
    return out;
}

}  // namespace

std::string CsvRowPlan::outcome() const {
    if (leftOut) return ORV_TR_NOOP("ChannelCsv", "not imported");
    if (unfit) return "cannot be imported: " + unfitText();
    if (changes.empty()) return ORV_TR_NOOP("ChannelCsv", "fits");
    std::string text;
    for (const std::string& c : changes) text += (text.empty() ? "" : "; ") + c;
    return text;
}

std::string CsvRowPlan::unfitText() const {
    if (!unfit) return "";
    if (unfit->column().empty()) return unfit->reason();
    return "column " + unfit->column() + ": \"" + unfit->value() + "\": " + unfit->reason();
}

std::string ChannelCsvPlan::placementText() const {
    if (placement == CsvPlacement::ByLocation) return ORV_TR_NOOP("ChannelCsv", "rows placed by their Location");
    return "rows placed in file order from channel " + std::to_string(firstChannel + 1);
}

std::vector<const CsvRowPlan*> ChannelCsvPlan::unfitRows() const {
    std::vector<const CsvRowPlan*> out;
    for (const CsvRowPlan& r : rows)
        if (r.unfit) out.push_back(&r);
    return out;
}

ChannelCsvPlan planChannelCsv(const MemoryImage& img, int g, std::string_view csv, const ChannelCsvOptions& options) {
    return planRows(decodeGroup(img, g), csv, options).plan;
}

ChannelCsvImport importChannelCsv(const MemoryImage& img, int g, std::string_view csv,
                                  const ChannelCsvOptions& options) {
    const GroupView before = decodeGroup(img, g);
    Planned planned = planRows(before, csv, options);
    // Every row is checked before anything is applied.
    if (!options.skipUnfit)
        if (const auto unfit = planned.plan.unfitRows(); !unfit.empty()) throw *unfit.front()->unfit;

    GroupView after = before;
    for (const ChannelRow& ch : planned.rows) applyRow(ch, after.channels);

    // Only the fields that change are written, each through its own writer.
    ChannelCsvImport result{img, static_cast<int>(planned.rows.size()), std::move(planned.plan)};
    try {
        encodeChangedChannels(before.channels, after.channels, g, result.image);
    } catch (const FieldError& e) {
        // The rows were checked against the same limits; this is a fault.
        throw std::logic_error(std::string("a checked CSV value was refused by the channel codec: ") + e.what());
    }
    return result;
}

}  // namespace orv
