// The command set over the real transport and our stand-in USB library, against the virtual
// cutter. Which bytes each command sends, how replies are judged and which code a failed transfer
// becomes is the core's, and the start of a run shows them arriving; here: what only a bad reply
// or demo mode shows.
#include <gtest/gtest.h>

#include <windows.h>

#include "device/program_link.h"
#include "virtual_cutter_fixture.h"

namespace {

const CutterLink cutter = program_link(DEMO_OFF);

class CutterOverUsb : public VirtualCutterTest {};

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
