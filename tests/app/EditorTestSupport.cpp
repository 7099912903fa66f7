#include "EditorTestSupport.h"
#include "app/frmChanges.h"

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QSqlTableModel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/ChannelGrid.h"
#include "app/EditorShell.h"
#include "app/RadioCommands.h"
#include "RadioTestSupport.h"

namespace orv::test {

namespace {
std::vector<std::unique_ptr<QTemporaryDir>>& dirs() {
    static std::vector<std::unique_ptr<QTemporaryDir>> d;
    return d;
}
}  // namespace

QString freshDir() {
    dirs().push_back(std::make_unique<QTemporaryDir>());
    return dirs().back()->path();
}

void ensureEditorApp() {
    if (QApplication::instance()) return;
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    // (Windows keeps the settings file under the user's profile instead.)
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
    useTestScreen();
    static int argc = 1;
    static char name[] = "orvedit-test";
    static char* argv[] = {name, nullptr};
    new OrvApplication(argc, argv);   // the editor's own application object
    initAppIdentity();
}

EditorFixture::EditorFixture() {
    ensureEditorApp();
    dataDir = freshDir();
    qputenv("ORVEDIT_DATA_DIR", dataDir.toLocal8Bit());
    session = std::make_unique<EditorSession>();
    prepareTestSession(*session);
    session->prompts().setBeepHandler([this] { ++beeps; });
}

EditorFixture::~EditorFixture() {
    w.reset();
    session.reset();
}

TestWindow& EditorFixture::open() {
    w.reset();
    session->image().clear();
    w = std::make_unique<TestWindow>(*session);
    w->show();
    if (w->isFirstActivation()) w->Form_Activate();
    QCoreApplication::processEvents();
    return *w;
}

void EditorFixture::typeCell(int row, int col, const QString& text) {
    const QModelIndex idx = table(*w)->index(row, col);
    grid(*w)->setCurrentIndex(idx);
    grid(*w)->edit(idx);
    QLineEdit* e = grid(*w)->activeEditor();
    ASSERT_NE(e, nullptr) << "no editor for row " << row << " column " << col;
    e->selectAll();
    QTest::keyClicks(e, text);
    if (QLineEdit* still = grid(*w)->activeEditor()) QTest::keyClick(still, Qt::Key_Return);
    QCoreApplication::processEvents();
}

void prepareTestSession(EditorSession& session) {
    session.link().setTiming(LinkTiming::shortened());
    session.prompts().setChangesAnswer([](QWidget*, const ChangeListView&) { return true; });
}

QString EditorFixture::catchMessageBox(const std::function<void()>& action) {
    std::optional<QString> first;
    session->prompts().setMessageHandler([&first](QWidget*, const QString& text, const QString&, MsgIcon, MsgButtons) {
        if (!first) first = text;
        return MsgAnswer::OK;
    });
    action();
    session->prompts().setMessageHandler({});
    return first.value_or(QString());
}

}  // namespace orv::test
