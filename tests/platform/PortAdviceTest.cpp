// What a user is told about getting at a serial port: which advice a
// device's group and mode call for, and the rule and command it quotes.
#include <gtest/gtest.h>

#include "platform/PortAdvice.h"
#include "platform/PortDoctor.h"

namespace orv {
namespace {

using portadvice::GroupBlock;

TEST(PortAdvice, TheDevicesGroupAndModeDecideTheAdvice) {
    struct Case { const char* name; unsigned mode, gid; bool login, database; GroupBlock block; };
    const Case cases[] = {
        {"in the group in this login", 0660, 20, true, true, GroupBlock::None},
        {"joined after logging in", 0660, 20, false, true, GroupBlock::LogInAgain},
        {"not in the group", 0660, 20, false, false, GroupBlock::JoinGroup},
        {"the group may only read", 0640, 20, true, true, GroupBlock::NoGroup},
        {"the superuser's group", 0660, 0, true, true, GroupBlock::NoGroup},
    };
    for (const Case& c : cases) EXPECT_EQ(portadvice::groupBlock(c.mode, c.gid, c.login, c.database), c.block) << c.name;

    EXPECT_EQ(portadvice::groupAdvice(GroupBlock::JoinGroup, "uucp"),
              "add yourself to group uucp (sudo usermod -aG uucp $USER) and log in again");
    EXPECT_EQ(portadvice::groupAdvice(GroupBlock::None, "uucp"), "");
    EXPECT_NE(portadvice::groupAdvice(GroupBlock::LogInAgain, "uucp").find("log out and in again"), std::string::npos);
    EXPECT_EQ(portadvice::udevGroupRule(0x403, 0x6001),
              "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\", GROUP=\"dialout\", "
              "MODE=\"0660\"");
    EXPECT_EQ(portadvice::udevGroupRule(), "KERNEL==\"ttyUSB[0-9]*\", GROUP=\"dialout\", MODE=\"0660\"");
    EXPECT_NE(portadvice::groupAdvice(GroupBlock::NoGroup, "root").find(portadvice::udevGroupRule()), std::string::npos);
}

TEST(PortAdvice, AFindingIsOneLineWithWhatToDo) {
    EXPECT_EQ(findingLine({"group", FindingLevel::Problem, "/dev/ttyUSB0", "you are not in group dialout",
                           "add yourself to group dialout"}),
              "problem: /dev/ttyUSB0: you are not in group dialout. Fix: add yourself to group dialout.");
    EXPECT_EQ(findingLine({"in-use", FindingLevel::Ok, "COM5", "the port opens", ""}), "ok: COM5: the port opens.");
}

}  // namespace
}  // namespace orv
