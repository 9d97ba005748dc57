// The command set over the real transport and our stand-in USB library, against the virtual
// cutter. Which bytes each command sends, how replies are judged and which code a failed transfer
// becomes is the core's; here: that they arrive as written (zero bytes too) and are read back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "device/program_link.h"
#include "virtual_cutter_fixture.h"

namespace {

const CutterLink cutter = program_link(DEMO_OFF);
const std::string E = "\x03";

class CutterOverUsb : public VirtualCutterTest {};

TEST_F(CutterOverUsb, CommandsArriveAsWrittenAndRepliesAreRead)
{
    char version[VERSION_TEXT_SIZE] = {};
    std::int32_t x = 0, y = 0;
    EXPECT_EQ(cut_condition_command(cutter, 3, 5, 2, 0), RC_SUCCESS);
    EXPECT_EQ(blade_move_command(cutter, 5, 0), RC_SUCCESS);
    EXPECT_EQ(version_query(cutter, version), RC_SUCCESS);
    EXPECT_EQ(sensor_position_query(cutter, &x, &y), RC_SUCCESS);
    EXPECT_EQ(writes(4), (std::vector<std::string>{"FW3" + E + "!5" + E + "*0,2" + E + "FC0" + E,
                                                   std::string("\x1B\x00\x00", 3), "FG" + E, "TB71" + E}));
    EXPECT_STREQ(version, "2.01");
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(40, 40));
}

TEST_F(CutterOverUsb, ReplyLongerThanTheReadDoesNotLeakIntoTheNextExchange)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::LongReply; });
    EXPECT_EQ(ready_query(cutter), RC_GENERAL_ERROR);  // "    0": not ready
    std::int32_t x = 1, y = 1;
    EXPECT_EQ(sensor_position_query(cutter, &x, &y), RC_SUCCESS);
    EXPECT_EQ(x, 40);
}

TEST_F(CutterOverUsb, DemoModeSendsNothingAndAnswersWithTheDemoVersionTexts)
{
    char version[VERSION_TEXT_SIZE] = {};
    EXPECT_EQ(version_query(program_link(DEMO_VERSION_1), version), RC_SUCCESS);
    EXPECT_STREQ(version, "1.00 Demo Mode");
    EXPECT_EQ(version_query(program_link(DEMO_VERSION_2), version), RC_SUCCESS);
    EXPECT_STREQ(version, "2.01 Demo Mode");
    EXPECT_EQ(model().writes, 0);
}

}  // namespace
