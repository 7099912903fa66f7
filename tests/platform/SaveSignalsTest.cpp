// A program ended politely (SIGINT, SIGTERM, SIGHUP) in the middle of
// replacing a file leaves the old or the new file whole and never a
// temporary one: at each step of the save, on both ways of making the
// temporary (unnamed where the file system allows it, named), also when
// another thread of the program would take the signal. POSIX only: the
// saver is a forked child that the test signals at the step its hook reports.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>
#include "ChildProcess.h"
#include "platform/Files.h"
#include "platform/TestHooks.h"

namespace fs = std::filesystem;
namespace platform = orv::platform;
namespace hooks = orv::platform::hooks;

namespace {

// The child's side of the hook: the step it stops at and its end of the
// line to the test. Set in the child only, before its save.
hooks::SaveStep g_stopAt;
int g_line = -1;

// At the chosen step the child tells the test, which sends the signal, and
// goes on once the signal has been sent. A signal the save does not hold
// ends the child right here.
void stopForTheSignal(hooks::SaveStep step) {
    if (step != g_stopAt) return;
    char byte = 1;
    if (::send(g_line, &byte, 1, MSG_NOSIGNAL) != 1) ::_exit(90);
    if (::recv(g_line, &byte, 1, 0) != 1) ::_exit(91);
}

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::string> entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(SaveSignals, AProgramEndedDuringASaveLeavesNoTemporaryFile) {
    std::string made = (fs::temp_directory_path() / "orv-save-signals-XXXXXX").string();
    ASSERT_NE(::mkdtemp(made.data()), nullptr);
    const fs::path dir = made;
    const fs::path file = dir / "radio.orv";
    const std::string before(6019, 'o'), after(6019, 'n');
    // The file exists before the first signal: a save replaces it.
    ASSERT_TRUE(platform::replaceFile(file.string(), before.data(), before.size()).ok());

    const hooks::SaveStep steps[] = {hooks::SaveStep::TemporaryCreated, hooks::SaveStep::Written,
                                     hooks::SaveStep::Synced, hooks::SaveStep::Renamed};
    for (const bool named : {false, true})
        for (const bool otherThread : {false, true})
            for (const hooks::SaveStep step : steps)
                for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
                    SCOPED_TRACE(testing::Message() << (named ? "named" : "unnamed") << " temporary, step "
                                                    << static_cast<int>(step) << ", signal " << sig
                                                    << (otherThread ? ", a second thread" : ""));
                    int line[2];
                    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, line), 0);
                    orv::test::ForkedChild saver([&] {
                        ::close(line[0]);
                        g_line = line[1];
                        g_stopAt = step;
                        hooks::setNamedTemporariesOnly(named);
                        hooks::setSaveStepHook(stopForTheSignal);
                        if (otherThread) std::thread([] { for (;;) ::pause(); }).detach();
                        return platform::replaceFile(file.string(), after.data(), after.size()).ok() ? 0 : 3;
                    });
                    ::close(line[1]);
                    ASSERT_TRUE(saver.started());
                    char byte = 0;
                    const bool reached = ::recv(line[0], &byte, 1, 0) == 1;
                    EXPECT_TRUE(reached) << "the save reported the step";
                    if (reached) {
                        saver.signal(sig);
                        (void)::send(line[0], &byte, 1, MSG_NOSIGNAL);
                    }
                    EXPECT_EQ(saver.endingSignal(), sig) << "ended by the signal (exit " << saver.wait() << ")";
                    ::close(line[0]);
                    EXPECT_EQ(entries(dir), std::vector<std::string>{"radio.orv"});
                    const std::string now = contents(file);
                    EXPECT_TRUE(now == before || now == after) << now.size() << " bytes";
                    // The next case starts from the old file again.
                    ASSERT_TRUE(platform::replaceFile(file.string(), before.data(), before.size()).ok());
                    for (const auto& e : fs::directory_iterator(dir))
                        if (e.path() != file) fs::remove(e.path());
                }
    fs::remove_all(dir);
}

}  // namespace
