// Fuzz target: pasting clipboard text into the channel grid.
//
// Properties:
// - any text splits into nine fields, and the row text of a row splits back
//   into that row's cells and check values;
// - a paste (of one row or of all rows) never leaves a value on the screen
//   that the image cannot hold: the group on screen can always be stored
//   afterwards, whatever was pasted.
#include <cstdint>
#include <string>
#include "FuzzCheck.h"
#include "edit/MemoryScreen.h"
#include "image/WriteDefaults.h"
#include "edit/GroupEditor.h"
#include "edit/RowText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16 * 1024) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto fields = orv::splitRowText(text);
    FUZZ_CHECK(fields.size() == 9u);

    for (const bool allRows : {false, true}) {
        orv::MemoryImage image = orv::defaultImage();
        orv::MemoryScreen screen;
        orv::GroupEditor editor(image, screen);
        editor.loadGroup(3);
        screen.setCurrent(7, 1);

        // The row text of a row holds its cells and check values.
        const auto back = orv::splitRowText(editor.rowText(7));
        for (int c = 0; c < 6; ++c) FUZZ_CHECK(back[size_t(c)] == screen.cellText(7, c));

        // A copy in the mode under test, then the fuzzed text pasted as if it
        // were what the copy put on the clipboard (same length).
        const std::string copied = allRows ? editor.copyAll() : editor.copyRow();
        std::string clip = text;
        clip.resize(copied.size(), '\t');
        try {
            (void)editor.paste(clip);
        } catch (const std::exception& e) {
            fuzzUnexpected("paste", e.what());
        }
        FUZZ_CHECK(editor.storeGroup(3));
    }
    return 0;
}
