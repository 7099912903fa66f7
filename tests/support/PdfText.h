// The text of a PDF the report wrote, as pdftotext lays it out (pages end
// with a form feed). POSIX only: pdftotext runs as a child process.
#pragma once
#include <string>

#include "ChildProcess.h"
#include "PdfPages.h"

namespace orv::test {

inline std::string text(const std::string& path) {
    return orv::test::runChild({"pdftotext", "-layout", path, "-"}).out;
}

}  // namespace orv::test
