#include <gtest/gtest.h>

#include <utility>

#include "common/result_presentation.h"

namespace {

TEST(ResultPresentation, CorrectableValuesAreExclamationsUnreachableCutterIsThePictureRestStop)
{
    using P = Presentation;
    const std::pair<ResultCode, Presentation> cases[] = {
        {50, P::Stop}, {51, P::Exclamation}, {57, P::PictureDialog}, {61, P::Stop}, {62, P::PictureDialog},
        {199, P::Stop}, {200, P::Exclamation}, {210, P::Exclamation}, {211, P::Stop},
        {250, P::Exclamation}, {254, P::Exclamation},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(presentation_of(c.first), c.second) << "code " << c.first;
    }
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
