#include <gtest/gtest.h>

#include <cstring>

#include "calibration/calibration_rules.h"

namespace {

TEST(CalibrationRules, ASensorBarPagesByTenWithin0To80)
{
    EXPECT_EQ(bar_step(SENSOR_BAR_SCALE, BAR_PAGE_LEFT, 40, 0).Value, 30);
    EXPECT_EQ(bar_step(SENSOR_BAR_SCALE, BAR_PAGE_LEFT, 5, 0).Value, 0);
    EXPECT_EQ(bar_step(SENSOR_BAR_SCALE, BAR_LINE_RIGHT, 80, 0).Value, 80);
}

TEST(CalibrationRules, FeedCorrectionEntryIsJudgedAsTypedAndSentInWholeHundredths)
{
    struct Case { const char* text; ResultCode code; int correction; };
    const Case cases[] = {
        {"2", RC_SUCCESS, 2000},
        {"-2", RC_SUCCESS, -2000},
        {"1.257", RC_SUCCESS, 1250},                  // the third decimal is dropped
        {"1.13", RC_SUCCESS, 1130},                   // not one thousandth low
        {"2.004", RC_FEED_CORRECTION_RANGE, 0},       // range judged before the cut
        {"-2.001", RC_FEED_CORRECTION_RANGE, 0},
        {"99999999999", RC_FEED_CORRECTION_RANGE, 0},
        {" 1", RC_FEED_CORRECTION_RANGE, 0},          // no plain number, though "%lf" reads it
    };
    for (const Case& c : cases) {
        const FeedCorrectionEntry entry = judge_feed_correction_text(c.text);
        EXPECT_EQ(entry.code, c.code) << '"' << c.text << '"';
        if (c.code == RC_SUCCESS) {
            EXPECT_EQ(entry.correction, c.correction) << '"' << c.text << '"';
        }
    }
    char text[32];
    feed_correction_text(-500, text, sizeof text);
    EXPECT_STREQ(text, "-0.50");
}

}  // namespace
