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

}  // namespace
