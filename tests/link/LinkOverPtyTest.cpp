// ORVCom over a real pseudo-terminal to the simulator serving on its own
// thread: the transport under the protocol (the machine's serial port class,
// speeds set through termios and seen by the radio, replies read as they
// come, an answer racing the discard after a masked write). The protocol
// itself is tested in process (ORVComTest.cpp).
#include "LinkFixture.h"
#include "link/TracingSerialPort.h"

namespace orv::test {
namespace {

TEST_F(PtyLinkTest, AFastReadMovesTheTerminalToTheFasterSpeedAndTakesTheWholeMemory) {
    startSim();
    const auto radio = randomMemory(7);
    sim->setMemory(radio);
    SerialTrace trace;
    TracingSerialPort traced(port, trace);
    ORVCom tcom(img, traced, host, LinkTiming::shortened());
    trace.start();
    ASSERT_TRUE(tcom.readMemory());
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(received(), readOpBytes(0, memmap::kBlocks - 1, true));
    EXPECT_TRUE(std::equal(radio.begin(), radio.end(), img.data()));

    // The radio saw the hook at 4800 and the blocks at 9600, as the
    // terminal was set; the tracing port recorded the same speeds.
    const auto seen = sim->trace();
    const auto firstBlock = std::find_if(seen.begin(), seen.end(), [](const SimTraceEntry& e) {
        return e.dir == SimTraceEntry::In && e.value == wire::kBlockRead;
    });
    ASSERT_NE(firstBlock, seen.end());
    EXPECT_EQ(seen.front().baud, 4800);
    EXPECT_EQ(firstBlock->baud, 9600);
    std::vector<std::pair<int, int>> sent, got;
    for (const TraceEntry& e : trace.entries())
        if (e.dir == TraceEntry::kToRadio) sent.emplace_back(e.value, e.baud);
    for (const SimTraceEntry& e : seen)
        if (e.dir == SimTraceEntry::In) got.emplace_back(e.value, e.baud);
    EXPECT_EQ(sent, got);
}

TEST_F(PtyLinkTest, AWriteReachesTheRadiosMemory) {
    startSim();
    const auto before = randomMemory(3);
    sim->setMemory(before);
    fillImage(img, 11);
    ASSERT_TRUE(com.writeMemory(true));
    EXPECT_TRUE(host.boxes.empty());
    Bytes expected = writePrologue();
    for (int b = memmap::kPage0Blocks; b < memmap::kBlocks; ++b) append(expected, writeBlockBytes(img, b));
    expected.push_back(wire::kRelease);
    EXPECT_EQ(received(), expected);
    // Every masked write (a group's flag byte) was answered although the
    // link discards its input right after sending it: none was repeated.
    const auto mem = sim->memory();
    for (int b = memmap::kPage0Blocks; b < memmap::kBlocks; ++b) {
        if (memmap::isGroupFirstBlock(b)) continue;
        for (int i = 0; i < memmap::kBlockSize; ++i)
            ASSERT_EQ(mem[std::size_t(b * 32 + i)], img[b * 32 + i]) << "block " << b;
    }
}

}  // namespace
}  // namespace orv::test
