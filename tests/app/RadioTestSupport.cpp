#include "RadioTestSupport.h"
#include "EditorTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTest>
#include <QFile>
#include <QTemporaryDir>
#include <exception>
#include "app/CommandGuard.h"
#include "app/QtHost.h"
#include "app/RadioLink.h"
#include "app/UserPrompts.h"
#include "app/EditorShell.h"

namespace orv::test {

QString tempDir() {
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

void useTestScreen() {
    // The offscreen screen is 800 x 600 unless configured: the editor's
    // designed 1x window (818 x 586) would not fit it.
    // The platform's arguments are separated by ':', so the file's name must
    // hold none (a Windows path has one after its drive): the file is made in
    // a folder below the current one and named relative to it.
    static QTemporaryDir dir(QDir::current().filePath(QStringLiteral("test-screen-XXXXXX")));
    const QString file = QDir::current().relativeFilePath(dir.filePath(QStringLiteral("screen.json")));
    QFile f(file);
    if (f.open(QIODevice::WriteOnly))
        f.write(R"({"screens": [{"name": "TestScreen", "x": 0, "y": 0, "width": 1600, "height": 1200,
                    "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + file).toLocal8Bit());
}

QString ensureApp() {
    static QString configDir;
    if (QApplication::instance()) return configDir;
    // The settings folder must be in place before the first settings access.
    static QTemporaryDir dir;
    configDir = dir.path();
    qputenv("XDG_CONFIG_HOME", configDir.toLocal8Bit());
    // (Windows keeps the settings file under the user's profile instead.)
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, configDir);
    // Backups of the radio commands go to a private folder too (the
    // per-user data folder of either system).
    static QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("APPDATA", dataHome.path().toLocal8Bit());
    useTestScreen();
    static int argc = 1;
    static char name[] = "orv-app-test";
    static char* argv[] = {name, nullptr};
    new OrvApplication(argc, argv);   // the editor's own application object
    return configDir;
}

// ------------------------------------------------------------------ FakeShell

FakeShell::FakeShell() : session_(std::make_unique<EditorSession>()) {
    session_->setMainWindow(this);
    test::prepareTestSession(*session_);
    for (int g = 0; g < kGroups; ++g) groups_.push_back(std::make_unique<clsGroup>(session_->image(), view));
}

FakeShell::~FakeShell() {
    // Windows parented here (the alignment window) use the session in their
    // destructors: they go before it, as in the editor, whose session
    // outlives its windows.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

bool FakeShell::storeCurrentGroup() {
    ++stores;
    if (refuseStore) {
        session_->prompts().beep();
        return false;
    }
    if (!storeWrites) return true;
    try {
        groups_[static_cast<std::size_t>(currentGroup)]->Write_Group(currentGroup);
    } catch (const std::exception&) {
        session_->prompts().beep();
        return false;
    }
    return true;
}

void FakeShell::readCurrentGroup() {
    ++reads;
    groups_[static_cast<std::size_t>(currentGroup)]->Read_Group(currentGroup);
}

void FakeShell::mnuReadCurrGroup_Click() { readCurrentGroup(); }

bool FakeShell::mnuWriteCurrGroup_Click() { return storeCurrentGroup(); }

void FakeShell::displayGroupMemory() { readCurrentGroup(); }

// ------------------------------------------------------------------ ScriptedBoxes

ScriptedBoxes::ScriptedBoxes(UserPrompts& prompts) : prompts_(prompts) {
    prompts_.setMessageHandler([this](QWidget*, const QString& text, const QString& title, MsgIcon icon,
                                MsgButtons buttons) {
        asked.push_back({text, title, icon, buttons});
        if (!script_.empty()) {
            const MsgAnswer a = script_.front();
            script_.pop_front();
            return a;
        }
        switch (buttons) {
        case MsgButtons::OK:
        case MsgButtons::OKCancel: return MsgAnswer::OK;
        case MsgButtons::YesNo:
        case MsgButtons::YesNoCancel: return MsgAnswer::Yes;
        case MsgButtons::RetryCancel: return MsgAnswer::Cancel;   // never retry forever
        }
        return MsgAnswer::OK;
    });
}

ScriptedBoxes::~ScriptedBoxes() { prompts_.setMessageHandler({}); }

void ScriptedBoxes::answer(std::initializer_list<MsgAnswer> answers) {
    script_.insert(script_.end(), answers.begin(), answers.end());
}

std::vector<QString> ScriptedBoxes::texts() const {
    std::vector<QString> out;
    for (const Asked& a : asked) out.push_back(a.text);
    return out;
}

bool ScriptedBoxes::wasAskedStartingWith(const QString& firstLine) const {
    for (const Asked& a : asked)
        if (a.text.startsWith(firstLine)) return true;
    return false;
}

QString linkError(const char* first, LinkFailure failure, const std::string& device, bool changed) {
    return QString::fromStdString(withLinkAdvice(first, failure, {device, kPortChoice, 0, changed}));
}

bool ScriptedBoxes::wasAsked(const QString& text) const {
    for (const Asked& a : asked)
        if (a.text == text) return true;
    return false;
}

// ------------------------------------------------------------------ BeepCounter

BeepCounter::BeepCounter(UserPrompts& prompts) : prompts_(prompts) {
    prompts_.setBeepHandler([this] { ++count; });
}

BeepCounter::~BeepCounter() { prompts_.setBeepHandler({}); }

bool finishRun(const RadioRun& run) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return run.finished(); }, 120000)) << "the radio command did not end";
    return run.ok();
}

void waitForRadio(EditorSession& session) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return !session.link().running() && !session.busy().isBusy(); }, 120000))
        << "the radio command did not end";
}

void fillPattern(uint8_t* bytes, int n, unsigned seed) {
    unsigned x = seed * 2654435761u + 12345u;
    for (int i = 0; i < n; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>(x >> 16);
    }
}

Memory pattern(unsigned seed) {
    Memory m{};
    fillPattern(m.data(), static_cast<int>(m.size()), seed);
    return m;
}

Memory imageMemory(const MemoryImage& image) {
    Memory m{};
    std::copy(image.data(), image.data() + m.size(), m.begin());
    return m;
}

Memory expectedAfterWrite(const Memory& before, const Memory& image, const std::array<int, 256>& writeMask,
                          bool page0) {
    Memory m = before;
    if (page0)
        for (int a = 0; a < 256; ++a) {
            const int mask = writeMask[static_cast<std::size_t>(a)];
            m[size_t(a)] = static_cast<uint8_t>((before[size_t(a)] & ~mask) | (image[size_t(a)] & mask));
        }
    for (int b = 8; b < MemoryImage::kBlocks; ++b) {
        const int a = 32 * b;
        if ((b - 8) % 12 == 0)
            m[size_t(a)] = static_cast<uint8_t>((before[size_t(a)] & ~0x20) | (image[size_t(a)] & 0x20));
        else
            std::copy(image.begin() + a, image.begin() + a + 32, m.begin() + a);
    }
    return m;
}

}  // namespace orv::test
