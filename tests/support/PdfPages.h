// Reading back a PDF the report wrote: its pages (page objects and their
// media boxes, read from the file itself); its text: PdfText.h.
#pragma once
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace orv::test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Width and height in points of every page object, in file order.
struct PageBox {
    double width = 0;
    double height = 0;
};
inline std::vector<PageBox> pageBoxes(const std::string& pdf) {
    std::vector<PageBox> out;
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z])[^]*?/MediaBox\s*\[\s*([-\d.]+)\s+([-\d.]+)\s+([-\d.]+)\s+([-\d.]+))");
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), page); it != std::sregex_iterator(); ++it)
        out.push_back({std::stod((*it)[3]) - std::stod((*it)[1]), std::stod((*it)[4]) - std::stod((*it)[2])});
    return out;
}

inline int pageCount(const std::string& pdf) {
    static const std::regex page(R"(/Type\s*/Page(?![a-zA-Z]))");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

}  // namespace orv::test
