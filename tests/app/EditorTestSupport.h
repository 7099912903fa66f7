// Helpers for the main-window tests: the application (offscreen, settings and
// working databases in private folders), a main window whose questions are
// answered by the test, its menu entries and controls by their object names,
// a beep counter, and cell typing.
#pragma once
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSqlTableModel>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include "app/ChannelGrid.h"
#include "app/ChannelPanel.h"
#include "app/EditorSession.h"
#include "app/frmGroups.h"

namespace orv::test {

// Creates the application once, with $XDG_CONFIG_HOME in a temporary folder.
void ensureEditorApp();
// While it lives, calls `f` with every dialog (message boxes and file
// dialogs included) as soon as it is shown, from inside the dialog's own
// event loop: the test acts on a real dialog the moment it appears.
class DialogWatcher : public QObject {
public:
    explicit DialogWatcher(std::function<void(QDialog*)> f) : f_(std::move(f)) {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~DialogWatcher() override { QCoreApplication::instance()->removeEventFilter(this); }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show) {
            if (auto* d = qobject_cast<QDialog*>(o)) {
                QPointer<QDialog> shown(d);
                QTimer::singleShot(0, this, [this, shown] {
                    if (shown && shown->isVisible()) f_(shown);
                });
            }
        }
        return false;
    }

private:
    std::function<void(QDialog*)> f_;
};

// A window's part by its object name (the main window's controls and menu
// entries keep the names the documentation gives them). A name the window
// does not hold throws, which fails the test at that line.
template <class Part = QWidget>
Part* widget(const QObject& window, const QString& name) {
    Part* p = window.findChild<Part*>(name);
    if (!p)
        throw std::logic_error("no " + std::string(Part::staticMetaObject.className()) + " named " +
                               name.toStdString());
    return p;
}
inline QAction* action(const QObject& window, const QString& name) { return widget<QAction>(window, name); }
// The check box of `channel` (0..15) in one of the columns "chkScan",
// "chkNarr" and "chkLoPower".
inline QCheckBox* channelBox(const QObject& window, const char* column, int channel) {
    return widget<QCheckBox>(window, QLatin1String(column) + QString::number(channel));
}
inline ChannelGrid* grid(const QObject& window) { return widget<ChannelGrid>(window, QStringLiteral("Grid")); }
// The working table the grid shows (null without one).
inline QSqlTableModel* table(const QObject& window) { return qobject_cast<QSqlTableModel*>(grid(window)->model()); }

// A fresh empty temporary folder (removed at exit).
QString freshDir();
// A session as the tests use it: its link waits 0.1 s per byte and pauses
// 20 ms (what the tests check is the bytes, against simulators that answer
// at once), and "What Will Change" is answered Write (a test that looks at
// it sets its own answer).
void prepareTestSession(EditorSession& session);

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
    QString cell(int row, int col) const { return w->channels().shownText(row, col); }
    MemoryImage& image() { return session->image(); }
    // Runs `action`, answering OK to every message the session shows; the
    // text of the first one (empty when none was shown).
    QString catchMessageBox(const std::function<void()>& action);

    QString dataDir;
    int beeps = 0;
    std::unique_ptr<EditorSession> session;
    std::unique_ptr<TestWindow> w;
};

}  // namespace orv::test
