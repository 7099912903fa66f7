// Verify: the bits a write sends (checked against what a real write changes
// in the simulator), and the verify read against a radio that matches,
// differs inside or outside those bits, or fails.
#include "LinkFixture.h"
#include "job/RadioVerify.h"
#include "image/VerifyMask.h"

namespace orv::test {
namespace {

// The written bits are exactly what a real write changes: everything else in
// the radio keeps what it held.
TEST_F(LinkTest, AWriteChangesExactlyTheWrittenBits) {
    for (bool page0 : {true, false}) {
        startSim();
        { LinkTiming t = com.timing(); t.settleMs = 20; com.setTiming(t); }
        com.initComm();
        const auto before = randomMemory(21);
        sim->setMemory(before);
        fillImage(img, 22);
        ASSERT_TRUE(com.writeMemory(!page0));
        const auto after = sim->memory();
        const RadioMask mask = writtenBitsMask(page0);
        for (int a = 0; a < 6016; ++a) {
            const auto m = mask[static_cast<std::size_t>(a)];
            ASSERT_EQ(after[static_cast<std::size_t>(a)] & m, img[a] & m) << a;
            ASSERT_EQ(after[static_cast<std::size_t>(a)] & ~m & 0xFF, before[static_cast<std::size_t>(a)] & ~m & 0xFF) << a;
        }
        sim->stop();
    }
}

TEST_F(LinkTest, VerifyReportsTheDifferencesInsideTheWrittenBitsOnly) {
    struct Case {
        const char* name;
        int address;     // -1: no change
        uint8_t flip;    // bits flipped in the radio
        bool page0;
        VerifyResult::Outcome outcome;
        const char* line;
        const char* notWritten;   // a field that differs where a write sends nothing
    };
    const Case cases[] = {
        {"radio as written", -1, 0, true, VerifyResult::Outcome::Matches, "", ""},
        {"channel byte of group 3", 1060, 0x01, true, VerifyResult::Outcome::Differs, "group 3 channel 9 chkScan: 1 -> 0", ""},
        {"byte of a group's first block that is never written", 1027, 0xFF, true, VerifyResult::Outcome::Matches, "", ""},
        {"page-0 byte that is written", 130, 0x80, true, VerifyResult::Outcome::Differs, "global area byte 0x0082 (not shown by any field)", ""},
        {"page-0 byte, globals not written", 130, 0x80, false, VerifyResult::Outcome::Matches, "", ""},
        {"tuning byte never written", 10, 0xFF, true, VerifyResult::Outcome::Matches, "", ""},
        {"bit of a group's first byte outside bit 5", 256, 0x01, true, VerifyResult::Outcome::Matches, "", "group 1 cboUCGChan"},
        {"bit 5 of a group's first byte", 256, 0x20, true, VerifyResult::Outcome::Differs, "group 1 chkUCGEncode: 0 -> 1", ""},
        {"bit 3 of address 155 (not written)", 155, 0x08, true, VerifyResult::Outcome::Matches, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startSim();
        { LinkTiming t = com.timing(); t.settleMs = 20; com.setTiming(t); }
        com.initComm();
        fillImage(img, 31);
        std::array<uint8_t, 6016> radio{};
        std::copy(img.data(), img.data() + 6016, radio.begin());
        if (c.address >= 0) radio[static_cast<std::size_t>(c.address)] ^= c.flip;
        sim->setMemory(radio);
        const MemoryImage before = img;

        const VerifyResult r = verifyRadio(com, img, writtenBitsMask(c.page0));
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_TRUE(img == before) << "the verified image must not change";
        if (c.outcome == VerifyResult::Outcome::Differs) {
            ASSERT_EQ(r.lines.size(), 1u);
            EXPECT_EQ(r.lines[0].rfind(c.line, 0), 0u) << r.lines[0];
            ASSERT_EQ(r.bytes.size(), 1u);
            EXPECT_EQ(r.bytes[0].bits, c.flip);
            EXPECT_EQ(r.bytes[0].radio, radio[static_cast<std::size_t>(c.address)]);
        } else {
            EXPECT_TRUE(r.lines.empty());
        }
        if (*c.notWritten) {
            ASSERT_EQ(r.notWritten.size(), 1u);
            EXPECT_EQ(r.notWritten[0].rfind(c.notWritten, 0), 0u) << r.notWritten[0];
            EXPECT_NE(r.notWritten[0].find("(not written by a radio write)"), std::string::npos) << r.notWritten[0];
        } else {
            EXPECT_TRUE(r.notWritten.empty()) << r.notWritten[0];
        }
        EXPECT_EQ(r.radio[c.address < 0 ? 0 : c.address], radio[static_cast<std::size_t>(c.address < 0 ? 0 : c.address)]);
        sim->stop();
    }
}

TEST_F(LinkTest, AVerifyWhoseReadFailsLeavesEverythingAsItWas) {
    SimOptions o;
    o.faults.deadAfterBytes = 200;   // a few blocks into the read
    startSim(o);
    com.setTiming(LinkTiming{0.05, 0, 0});
    com.initComm();
    fillImage(img, 41);
    sim->setMemory(randomMemory(42));
    const MemoryImage before = img;
    const VerifyResult r = verifyRadio(com, img, writtenBitsMask(true));
    EXPECT_EQ(r.outcome, VerifyResult::Outcome::ReadFailed);
    EXPECT_TRUE(img == before);
    EXPECT_TRUE(r.radio == before);
    ASSERT_FALSE(host.boxes.empty());
    EXPECT_EQ(host.boxes.front().text, advised("Error reading radio", LinkFailure::ReadStopped, false));
}

}  // namespace
}  // namespace orv::test
