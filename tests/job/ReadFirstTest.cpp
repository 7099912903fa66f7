// The write after a read of the radio: the read keeps what the radio held as
// a backup and lists what the write changes; only the differing page-0
// bytes, group flag bytes and blocks are sent (the same frames as a whole
// write), the verify reads back what was sent, and a radio that already
// holds the programming gets no write at all.
#include <filesystem>
#include "LinkFixture.h"
#include "files/ImageFile.h"
#include "job/RadioJob.h"

namespace orv::test {
namespace {

using W = RadioJobPlan::Write;

std::string freshFolder() {
    const auto dir = std::filesystem::temp_directory_path() / "orv-readfirst-test";
    std::filesystem::remove_all(dir);
    return dir.string();
}

// The radio holds `radio`; the image is `radio` with the given changes.
struct Edit { int address; uint8_t value; };

TEST_F(LinkTest, AWriteAfterTheReadSendsOnlyWhatDiffers) {
    const int group3 = memmap::firstGroupBlock(3) * 32;   // group 3's first (flag) block
    struct Case {
        const char* name;
        W write;
        std::vector<Edit> edits;
        std::vector<int> blocksSent;      // block frames (0xD4) in order
        std::vector<int> maskedSent;      // masked-byte frames (0xD1): their addresses
        int changes;                      // lines of the change list
    };
    const Case cases[] = {
        // A byte can hold several fields: the list names each.
        {"one byte of the group's flags", W::All, {{group3 + 32 + 5, 0x42}}, {memmap::firstGroupBlock(3) + 1}, {}, 2},   // two scan flags
        {"a page-0 byte under the write mask and a flag bit", W::All, {{7, 0x12}, {group3, 0x20}}, {}, {7, group3}, 3},
        {"two blocks of one group", W::Group, {{group3 + 64, 0x01}, {group3 + 33 * 10, 0x02}},
         {memmap::firstGroupBlock(3) + 2, memmap::firstGroupBlock(3) + 10}, {}, 2},
        {"bits a write never sends change nothing", W::All, {{0x11, 0x77}, {group3, 0x1F}}, {}, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startSim();
        setByteTimeout(kAnswered);
        std::array<uint8_t, 6016> radio = randomMemory(5);
        radio[static_cast<std::size_t>(group3)] &= 0xDF;   // the flag bit clear
        sim->setMemory(radio);
        std::copy(radio.begin(), radio.end(), img.data());
        for (const Edit& e : c.edits) img[e.address] = static_cast<uint8_t>(img[e.address] ^ e.value);
        const MemoryImage target = img;

        RadioJobPlan plan;
        plan.write = c.write;
        plan.group = 3;
        plan.readFirst = true;
        plan.verify = true;
        const std::string folder = freshFolder();
        const RadioJobResult r = runRadioJob(com, target, plan, {}, folder);

        ASSERT_TRUE(r.before.has_value());
        EXPECT_EQ(int(r.before->changes.size()), c.changes) << ::testing::PrintToString(changeLines(*r.before));
        // The backup holds what the radio held before the write.
        MemoryImage kept;
        ASSERT_TRUE(loadImageFile(r.before->backup.path, kept).ok()) << r.before->backup.path;
        for (int b : {0, 1, memmap::firstGroupBlock(3)})
            EXPECT_TRUE(std::equal(radio.begin() + 32 * b, radio.begin() + 32 * b + 32, kept.data() + 32 * b));

        const bool nothing = c.blocksSent.empty() && c.maskedSent.empty();
        EXPECT_EQ(r.identical, nothing);
        EXPECT_TRUE(r.ok()) << r.failure;
        // The frames the radio received after the read: writes of exactly
        // what differs, then the verify's reads of the blocks sent.
        const Bytes in = received();
        std::vector<int> blocks, masked, reads;
        bool afterWrite = false;
        for (std::size_t i = 0; i < in.size();) {
            switch (in[i]) {
            case 0xD4: blocks.push_back(in[i + 1]); afterWrite = true; i += 34; break;
            case 0xD1: masked.push_back(in[i + 1] * 256 + in[i + 2]); afterWrite = true; i += 5; break;
            case 0xC6: if (afterWrite) reads.push_back(in[i + 1]); i += 3; break;
            case 0x05: i += 2; break;
            default: ++i; break;
            }
        }
        EXPECT_EQ(blocks, c.blocksSent);
        EXPECT_EQ(masked, c.maskedSent);
        if (!nothing) {
            std::vector<int> expectedReads;
            for (int b = 0; b < memmap::kBlocks; ++b) {
                const bool page0 = std::any_of(c.maskedSent.begin(), c.maskedSent.end(), [&](int a) { return a / 32 == b; });
                if (page0 || std::count(c.blocksSent.begin(), c.blocksSent.end(), b)) expectedReads.push_back(b);
            }
            EXPECT_EQ(reads, expectedReads) << "the verify reads back what was sent";
            EXPECT_EQ(r.verified, RadioJobResult::Step::Done) << r.failure;
        }
        // The radio holds the programming as a whole write would leave it.
        for (int a = 0; a < 6016; ++a) {
            const int mask = a < 256 ? memmap::page0WriteMask()[std::size_t(a)]
                                     : (a / 32 - 8) % 12 == 0 && a % 32 == 0 ? 0x20
                                     : (a / 32 - 8) % 12 == 0                ? 0
                                                                             : 0xFF;
            const uint8_t want = static_cast<uint8_t>((radio[std::size_t(a)] & ~mask) | (target[a] & mask));
            ASSERT_EQ(sim->memory()[std::size_t(a)], want) << "address " << a;
        }
        std::filesystem::remove_all(folder);
    }
}

TEST_F(LinkTest, ADryRunOrADeclinedListSendsNoWriteFrame) {
    startSim();
    setByteTimeout(kAnswered);
    const std::array<uint8_t, 6016> radio = randomMemory(9);
    sim->setMemory(radio);
    std::copy(radio.begin(), radio.end(), img.data());
    img[0x420] ^= 0x01;
    RadioJobPlan plan;
    plan.readFirst = true;
    plan.backupReads = false;
    RadioJobHooks hooks;
    std::size_t listed = 0;
    hooks.confirmChanges = [&](const ReadFirst& before) {
        listed = before.changes.size();
        return false;
    };
    const RadioJobResult r = runRadioJob(com, img, plan, hooks);
    EXPECT_EQ(listed, 1u);
    EXPECT_EQ(r.written, RadioJobResult::Step::NotAsked);
    EXPECT_TRUE(r.ok());
    for (uint8_t b : received()) ASSERT_TRUE(b != 0xD4 && b != 0xD1) << "a write frame went out";
}

}  // namespace
}  // namespace orv::test
