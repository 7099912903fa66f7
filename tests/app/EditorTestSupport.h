// Helpers for the main-window tests: the application (offscreen, settings and
// working databases in private folders), a main window whose questions are
// answered by the test, a beep counter, and cell typing.
#pragma once
#include <gtest/gtest.h>
#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>
#include "app/EditorSession.h"
#include "app/frmGroups.h"

namespace orv::edtest {

// Creates the application once, with $XDG_CONFIG_HOME in a temporary folder.
void ensureEditorApp();
// A fresh empty temporary folder (removed at exit).
QString freshDir();

class TestWindow : public frmGroups {
public:
    explicit TestWindow(EditorSession& session) : frmGroups(session) {}
    QMessageBox::StandardButton answer = QMessageBox::No;
    int asked = 0;
    int saves = 0;
    bool saveResult = true;
    QMessageBox::StandardButton askSaveBeforeExit() override {
        ++asked;
        return answer;
    }
    bool saveFileAsForExit() override {
        ++saves;
        return saveResult;
    }
};

class EditorFixture : public ::testing::Test {
protected:
    EditorFixture();
    ~EditorFixture() override;
    // Loads, shows and activates the main window on a zero image.
    TestWindow& open();
    // Types `text` into a grid cell and ends the edit with Enter.
    void typeCell(int row, int col, const QString& text);
    QString cell(int row, int col) const { return w->shownText(row, col); }
    MemoryImage& image() { return session->image(); }

    QString dataDir;
    int beeps = 0;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<TestWindow> w;
};

// Runs `action`; the first message box it opens is read and closed. Returns
// its text (empty when none appeared).
QString catchMessageBox(const std::function<void()>& action);

}  // namespace orv::edtest
