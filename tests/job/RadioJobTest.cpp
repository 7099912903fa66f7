// The radio job: which steps run after a write that failed, was stopped or
// declined its verify, the messages of a failed write, and the verify's
// verdict and backup.
#include <filesystem>
#include "LinkFixture.h"
#include "job/RadioJob.h"

namespace orv::test {
namespace {

using Step = RadioJobResult::Step;
using W = RadioJobPlan::Write;

TEST_F(LinkTest, RadioJobRunsTheStepsItsWriteAllows) {
    struct Case {
        const char* name;
        W write;
        bool silent;          // the radio never answers
        bool stopAtOnce;      // the user's stop is set from the start
        bool verifyAnswer;    // what beforeVerify answers
        int flipAfterWrite;   // a channel byte the radio changes after the write (-1: none)
        Step written, verified;
        const char* writeMessage;
        const char* failure;
        int beforeVerifyCalls;
    };
    const Case cases[] = {
        {"group write fails", W::Group, true, false, true, -1, Step::Failed, Step::NotAsked, "Write Group Failed",
         "Write Group Failed", 0},
        {"global write fails", W::Globals, true, false, true, -1, Step::Failed, Step::NotAsked, "Write Global Failed",
         "Write Global Failed", 0},
        {"stopped write", W::All, false, true, true, -1, Step::Stopped, Step::NotAsked, "",
         "interrupted by the user; the write stopped after the current block", 0},
        {"verify declined", W::SkipGlobals, false, false, false, -1, Step::Done, Step::NotAsked, "", "", 1},
        {"verified", W::All, false, false, true, -1, Step::Done, Step::Done, "", "", 1},
        {"radio differs", W::Group, false, false, true, 1060, Step::Done, Step::Failed, "",
         "the radio differs from the file (1 difference)", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions o;
        o.faults.silent = c.silent;
        startSim(o);
        setByteTimeout(c.silent ? kSilent : kAnswered);
        fillImage(img, 31);
        const std::string folder = (std::filesystem::temp_directory_path() / "orv-radiojob-test").string();
        std::filesystem::remove_all(folder);
        RadioJobPlan plan;
        plan.write = c.write;
        plan.group = 3;
        plan.verify = true;
        int asked = 0;
        RadioJobHooks hooks;
        hooks.stopped = [&] { return c.stopAtOnce; };
        hooks.beforeVerify = [&] {
            ++asked;
            if (c.flipAfterWrite >= 0) {
                auto m = sim->memory();
                m[static_cast<std::size_t>(c.flipAfterWrite)] ^= 0x01;
                sim->setMemory(m);
            }
            return c.verifyAnswer;
        };
        const RadioJobResult r = runRadioJob(com, img, plan, hooks, folder);
        EXPECT_EQ(r.written, c.written);
        EXPECT_EQ(r.verified, c.verified);
        EXPECT_EQ(r.writeMessage, c.writeMessage);
        EXPECT_EQ(r.failure, c.failure);
        EXPECT_EQ(asked, c.beforeVerifyCalls);
        EXPECT_EQ(r.radioRead, c.verified != Step::NotAsked);
        EXPECT_EQ(r.differences.size(), c.verified == Step::Failed ? 1u : 0u);
        // What a verify read is kept as a backup.
        EXPECT_EQ(!r.readBackup.path.empty(), r.radioRead);
        if (r.radioRead) {
            EXPECT_TRUE(std::filesystem::exists(r.readBackup.path));
        }
        com.closePort();
        sim->stop();
        std::filesystem::remove_all(folder);
    }
}

}  // namespace
}  // namespace orv::test
