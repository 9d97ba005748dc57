#include <gtest/gtest.h>

#include <cstring>

#include "calibration/calibration_rules.h"

namespace {

TEST(CalibrationRules, SensorBarMovesWithinItsRangeAndSendsOnlyChangedDroppedValues)
{
    struct Case { BarAction action; int stored; int thumb; int shown; bool send; };
    const Case cases[] = {
        {BarAction::LineForward, 80, 0, 80, false},   // at the end: nothing to send
        {BarAction::LineBack, 1, 0, 0, true},
        {BarAction::PageBack, 5, 0, 0, true},         // a page stops at the end
        {BarAction::PageBack, 40, 0, 30, true},
        {BarAction::ThumbDragged, 40, 63, 63, false},  // only the display follows the drag
        {BarAction::ThumbDropped, 40, 40, 40, false},  // dropped where it started
        {BarAction::Other, 40, 12, 40, false},
    };
    for (const Case& c : cases) {
        const SensorBarStep step = sensor_bar_step(c.action, c.stored, c.thumb);
        EXPECT_EQ(step.shown, c.shown) << static_cast<int>(c.action) << " from " << c.stored;
        EXPECT_EQ(step.send, c.send) << static_cast<int>(c.action) << " from " << c.stored;
    }
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
        {"-", RC_FEED_CORRECTION_RANGE, 0},
        {" 1", RC_FEED_CORRECTION_RANGE, 0},
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
