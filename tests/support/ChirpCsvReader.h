// A strict reader of the channel CSV as the common channel-programming tool
// reads it, written from its documented columns: each column is converted
// the way that tool converts it and checked against its value lists, and a
// row with a value it would refuse is a row error. The reader then says what
// each row means for a radio: receive and transmit frequency, the two code
// guards (as the grid shows them), name, narrow band, scan and power.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace orv::test {

// The tool's lists.
inline const std::vector<double> kTones = {
    67.0,  69.3,  71.9,  74.4,  77.0,  79.7,  82.5,  85.4,  88.5,  91.5,  94.8,  97.4,  100.0,
    103.5, 107.2, 110.9, 114.8, 118.8, 123.0, 127.3, 131.8, 136.5, 141.3, 146.2, 151.4, 156.7,
    159.8, 162.2, 165.5, 167.9, 171.3, 173.8, 177.3, 179.9, 183.5, 186.2, 189.9, 192.8, 196.6,
    199.5, 203.5, 206.5, 210.7, 218.1, 225.7, 229.1, 233.6, 241.8, 250.3, 254.1};
inline const std::vector<int> kDtcsCodes = {
    23,  25,  26,  31,  32,  36,  43,  47,  51,  53,  54,  65,  71,  72,  73,  74,  114, 115, 116, 122, 125,
    131, 132, 133, 134, 145, 152, 155, 156, 162, 165, 172, 174, 205, 212, 223, 225, 226, 243, 244, 245, 246,
    251, 252, 255, 261, 263, 265, 266, 271, 274, 306, 311, 315, 325, 331, 332, 343, 346, 351, 356, 364, 365,
    371, 411, 412, 413, 423, 431, 432, 445, 446, 452, 454, 455, 462, 464, 465, 466, 503, 506, 516, 523, 526,
    532, 546, 565, 606, 612, 624, 627, 631, 632, 654, 662, 664, 703, 712, 723, 731, 732, 734, 743, 754};
inline const std::vector<std::string> kToneModes = {"", "Tone", "TSQL", "DTCS", "DTCS-R", "TSQL-R", "Cross"};
inline const std::vector<std::string> kCrossModes = {"Tone->Tone", "DTCS->",     "->DTCS",     "Tone->DTCS",
                                                     "DTCS->Tone", "->Tone",     "DTCS->DTCS", "Tone->"};
inline const std::vector<std::string> kModes = {"WFM", "FM",  "NFM", "AM",  "NAM",  "DV",   "USB", "LSB",
                                                "CW",  "RTTY", "DIG", "PKT", "NCW", "NCWR", "CWR", "P25",
                                                "Auto", "RTTYR", "FSK", "FSKR", "DMR", "DN"};
inline const std::vector<double> kTuningSteps = {5.0,   6.25,  10.0, 12.5, 15.0, 20.0, 25.0, 30.0, 50.0,
                                                 100.0, 125.0, 200.0, 9.0, 1.0,  2.5,  8.33, 3.125};
inline const std::vector<std::string> kDuplexes = {"", "+", "-", "split", "off"};

template <class T>
bool listed(const std::vector<T>& list, const T& v) {
    return std::find(list.begin(), list.end(), v) != list.end();
}

// What a row means for the radio.
struct Meaning {
    int location = 0;
    long long rxHz = 0, txHz = 0;  // 0: none
    std::string txGuard, rxGuard;  // "000.0", "067.0", "D023", "D754-"
    std::string name;
    bool narrow = false, scan = true;
    double watts = 0;
};

struct Reading {
    std::vector<Meaning> rows;
    std::vector<std::string> errors;  // "line N: ..."
};

// Splits CSV text (quotes doubled inside quoted fields) into records.
inline std::vector<std::vector<std::string>> csvRecords(const std::string& text) {
    std::vector<std::vector<std::string>> out;
    std::vector<std::string> rec;
    std::string f;
    bool q = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (q) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') f += c, ++i;
            else if (c == '"') q = false;
            else f += c;
        } else if (c == '"') {
            q = true;
        } else if (c == ',') {
            rec.push_back(f), f.clear();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            rec.push_back(f), f.clear();
            out.push_back(rec), rec.clear();
        } else {
            f += c;
        }
    }
    if (!f.empty() || !rec.empty()) rec.push_back(f), out.push_back(rec);
    return out;
}

// A frequency in MHz with at most six decimals, as hertz.
inline std::optional<long long> parseFreq(const std::string& t) {
    const auto dot = t.find('.');
    const std::string whole = t.substr(0, dot), frac = dot == std::string::npos ? "" : t.substr(dot + 1);
    if (whole.empty() || frac.size() > 6) return std::nullopt;
    for (char c : whole + frac)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoll(whole) * 1000000 + (frac.empty() ? 0 : std::stoll(frac + std::string(6 - frac.size(), '0')));
}

inline std::optional<double> parseFloat(const std::string& t) {
    if (t.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(t.c_str(), &end);
    if (*end != '\0') return std::nullopt;
    return v;
}

inline std::optional<int> parseInt(const std::string& t) {
    if (t.empty()) return std::nullopt;
    for (char c : t)
        if (c < '0' || c > '9') return std::nullopt;
    return std::stoi(t);
}

inline std::string toneGuard(double hz) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%05.1f", hz);
    return buf;
}

inline std::string dcsGuard(int code, char pol) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "D%03d%s", code, pol == 'R' ? "-" : "");
    return buf;
}

inline Reading readChirpCsv(const std::string& text) {
    Reading out;
    std::vector<std::string> header;
    int line = 0;
    for (const auto& rec : csvRecords(text)) {
        if (!rec.empty() && !rec[0].empty() && rec[0][0] == '#') continue;
        ++line;
        if (line == 1) {
            header = rec;
            continue;
        }
        auto err = [&](const std::string& what) { out.errors.push_back("line " + std::to_string(line) + ": " + what); };
        if (rec.size() < header.size()) {
            err("column number mismatch");
            continue;
        }
        std::map<std::string, std::string> v;
        for (std::size_t i = 0; i < header.size(); ++i) v[header[i]] = rec[i];
        auto has = [&](const char* c) { return v.count(c) > 0; };
        const auto loc = parseInt(v["Location"]);
        const auto freq = parseFreq(v["Frequency"]);
        const auto offset = has("Offset") ? parseFreq(v["Offset"]) : std::optional<long long>(600000);
        const auto rtone = has("rToneFreq") ? parseFloat(v["rToneFreq"]) : std::optional<double>(88.5);
        const auto ctone = has("cToneFreq") ? parseFloat(v["cToneFreq"]) : std::optional<double>(88.5);
        const auto dtcs = has("DtcsCode") ? parseInt(v["DtcsCode"]) : std::optional<int>(23);
        const auto rxDtcs = has("RxDtcsCode") ? parseInt(v["RxDtcsCode"]) : std::optional<int>(23);
        const std::string pol = has("DtcsPolarity") ? v["DtcsPolarity"] : "NN";
        const std::string cross = has("CrossMode") ? v["CrossMode"] : "Tone->Tone";
        const std::string mode = has("Mode") ? v["Mode"] : "FM";
        const std::string power = v["Power"];
        std::optional<double> watts = 50.0;
        if (!power.empty())
            watts = power.back() == 'W' ? parseFloat(power.substr(0, power.size() - 1)) : std::nullopt;
        if (!loc) err("Location is not an integer");
        else if (!freq) err("Frequency is not a frequency");
        else if (!listed(kDuplexes, v["Duplex"])) err("invalid duplex");
        else if (!offset) err("Offset is not a frequency");
        else if (!listed(kToneModes, v["Tone"])) err("invalid tone mode");
        else if (!rtone || !listed(kTones, *rtone)) err("rToneFreq not in the tone list");
        else if (!ctone || !listed(kTones, *ctone)) err("cToneFreq not in the tone list");
        else if (!dtcs || !listed(kDtcsCodes, *dtcs)) err("DtcsCode not in the code list");
        else if (!rxDtcs || !listed(kDtcsCodes, *rxDtcs)) err("RxDtcsCode not in the code list");
        else if (!listed(std::vector<std::string>{"NN", "NR", "RN", "RR"}, pol)) err("invalid polarity");
        else if (!listed(kCrossModes, cross)) err("invalid cross mode");
        else if (!listed(kModes, mode)) err("invalid mode");
        else if (has("TStep") && !(parseFloat(v["TStep"]) && listed(kTuningSteps, *parseFloat(v["TStep"]))))
            err("invalid tuning step");
        else if (!listed(std::vector<std::string>{"", "S", "P"}, v["Skip"])) err("invalid skip");
        else if (!watts) err("invalid power");
        if (out.errors.size() && out.errors.back().rfind("line " + std::to_string(line) + ":", 0) == 0) continue;

        Meaning m;
        m.location = *loc;
        m.rxHz = *freq;
        const std::string& dup = v["Duplex"];
        m.txHz = dup == "+" ? *freq + *offset : dup == "-" ? *freq - *offset : dup == "split" ? *offset
                 : dup == "off"                             ? 0
                                                            : *freq;
        std::string tx = "000.0", rx = "000.0";
        const std::string& tm = v["Tone"];
        if (tm == "Tone") tx = toneGuard(*rtone);
        if (tm == "TSQL") tx = rx = toneGuard(*ctone);
        if (tm == "DTCS") tx = dcsGuard(*dtcs, pol[0]), rx = dcsGuard(*dtcs, pol[1]);
        if (tm == "Cross") {
            const auto arrow = cross.find("->");
            const std::string txSide = cross.substr(0, arrow), rxSide = cross.substr(arrow + 2);
            if (txSide == "Tone") tx = toneGuard(*rtone);
            if (txSide == "DTCS") tx = dcsGuard(*dtcs, pol[0]);
            if (rxSide == "Tone") rx = toneGuard(*ctone);
            if (rxSide == "DTCS") rx = dcsGuard(*rxDtcs, pol[1]);
        }
        m.txGuard = tx;
        m.rxGuard = rx;
        m.name = v["Name"];
        m.narrow = mode == "NFM";
        m.scan = v["Skip"] != "S";
        m.watts = *watts;
        out.rows.push_back(m);
    }
    return out;
}

}  // namespace orv::test
