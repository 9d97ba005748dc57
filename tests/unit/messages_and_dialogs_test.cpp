#include <gtest/gtest.h>

#include <string>

#include "common/result_presentation.h"
#include "common/result_report.h"
#include "support/modal_watch.h"

namespace {

TEST(Messages, FailuresShowAStopBoxAndNoticesAnExclamationBox)
{
    struct Case { ResultCode code; ShownIcon icon; };
    for (const Case& c : {Case{58, ShownIcon::Stop}, Case{51, ShownIcon::Exclamation},
                          Case{205, ShownIcon::Exclamation}}) {
        std::future<ShownDialog> seen = answer_next_modal();
        report_result(nullptr, c.code);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found) << c.code;
        EXPECT_EQ(shown.icon, c.icon) << c.code;
    }
}

TEST(Messages, UnreachableCutterShowsThePictureDialogThatEscapeDoesNotClose)
{
    bool has_picture = false;
    std::future<ShownDialog> seen = answer_next_modal(IDCANCEL, [&has_picture](HWND dialog) {
        for (HWND p = FindWindowExA(dialog, nullptr, "Static", nullptr); p != nullptr;
             p = FindWindowExA(dialog, p, "Static", nullptr)) {
            has_picture |= (GetWindowLongA(p, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
                           SendMessageA(p, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        }
    });
    report_result(nullptr, 62);
    const ShownDialog shown = seen.get();
    ASSERT_TRUE(shown.found);
    EXPECT_TRUE(shown.still_open_after_extra);
    EXPECT_TRUE(has_picture);
}

}  // namespace
