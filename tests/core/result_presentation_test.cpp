#include <gtest/gtest.h>

#include <string>

#include "common/result_presentation.h"

namespace {

TEST(ResultPresentation, CorrectableValuesAreExclamationsUnreachableCutterIsThePictureRestStop)
{
    for (std::size_t i = 0; i < RESULT_CODE_COUNT; ++i) {
        const ResultCode code = ALL_RESULT_CODES[i];
        Presentation expected = Presentation::Stop;
        if (code == 51 || (code >= 200 && code <= 210) || (code >= 250 && code <= 254)) {
            expected = Presentation::Exclamation;
        } else if (code == 57 || code == 62) {
            expected = Presentation::PictureDialog;
        }
        EXPECT_EQ(presentation_of(code), expected) << "code " << code;
    }
    EXPECT_EQ(presentation_of(211), Presentation::Stop);
    EXPECT_EQ(presentation_of(61), Presentation::Stop);
    EXPECT_EQ(presentation_of(253), Presentation::Exclamation);
}

TEST(ResultPresentation, TextEndsInTheCodeAndIsCutSafely)
{
    char text[64];
    format_result_text("General Error", 50, text, sizeof text);
    EXPECT_STREQ(text, "General Error [code = 50]");

    char small[10];
    format_result_text("General Error", 50, small, sizeof small);
    EXPECT_STREQ(small, "General E");
}

TEST(ResultPresentation, TheCodeTableIsAscendingWithoutGaps)
{
    // Every code from the table, in order, once.
    ASSERT_EQ(RESULT_CODE_COUNT, 52u);
    for (std::size_t i = 1; i < RESULT_CODE_COUNT; ++i) {
        EXPECT_LT(ALL_RESULT_CODES[i - 1], ALL_RESULT_CODES[i]);
    }
    EXPECT_EQ(ALL_RESULT_CODES[0], 50u);
    EXPECT_EQ(ALL_RESULT_CODES[RESULT_CODE_COUNT - 1], 254u);
}

TEST(ResultPresentation, OnlyTheAdjustmentWarningIsInformation)
{
    for (int id = 2100; id <= 2105; ++id) {
        EXPECT_EQ(question_icon(id), id == 2104 ? QuestionIcon::Information : QuestionIcon::Question) << id;
    }
}

}  // namespace
