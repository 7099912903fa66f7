#include "edit/RowText.h"

namespace orv {

std::string makeRowText(const std::array<std::string, 6>& cells, int scan, int narrow, int lowPower) {
    std::string t;
    for (const auto& c : cells) t += c + '\t';
    t += std::to_string(scan) + '\t' + std::to_string(narrow) + '\t' + std::to_string(lowPower) + '\r';
    return t;
}

std::array<std::string, kRowTextFields> splitRowText(const std::string& row) {
    std::string rest = row;
    if (!rest.empty() && rest.back() == '\r') rest.pop_back();
    std::array<std::string, kRowTextFields> f{};
    for (int i = 0; i < kRowTextFields; ++i) {
        const auto tab = rest.find('\t');
        if (i == kRowTextFields - 1 || tab == std::string::npos) {
            f[static_cast<std::size_t>(i)] = rest;
            break;
        }
        f[static_cast<std::size_t>(i)] = rest.substr(0, tab);
        rest.erase(0, tab + 1);
    }
    return f;
}

std::vector<std::string> splitRows(const std::string& text, int count) {
    std::vector<std::string> rows;
    std::size_t pos = 0;
    for (int r = 0; r < count; ++r) {
        if (pos >= text.size()) {
            rows.emplace_back();
            continue;
        }
        const auto cr = text.find('\r', pos);
        if (cr == std::string::npos) {
            rows.push_back(text.substr(pos));
            pos = text.size();
        } else {
            rows.push_back(text.substr(pos, cr - pos));
            pos = cr + 1;
        }
    }
    return rows;
}

}  // namespace orv
