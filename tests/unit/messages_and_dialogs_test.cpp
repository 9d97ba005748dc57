#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/result_presentation.h"
#include "common/result_report.h"
#include "common/win_text.h"
#include "support/modal_watch.h"

namespace {

const char CANNOT_COMMUNICATE[] =
    "Cannot communicate with Quillmark.\nCheck that the USB cable is connected correctly, press "
    "Quillmark's standby switch, and then confirm that the LED is lit.";

class Messages : public ::testing::Test {};

TEST_F(Messages, EveryResultCodeHasItsText)
{
    for (std::size_t i = 0; i < RESULT_CODE_COUNT; ++i) {
        const std::string text = load_text(ALL_RESULT_CODES[i]);
        EXPECT_FALSE(text.empty()) << "code " << ALL_RESULT_CODES[i];
        EXPECT_LT(text.size(), TEXT_LIMIT) << "code " << ALL_RESULT_CODES[i];
    }
    // A text with line breaks and quotes.
    EXPECT_EQ(load_text(210), "Auto registration mark reading is failed.\nReload the media, and click \"Cut...\" "
                              "button again.\nIf it does not work correctly, unset the \"Search Registration "
                              "Mark\" check box, and move the blade position to Green.");
}

TEST_F(Messages, ReportShowsTheTextWithItsCodeInTheRightBox)
{
    struct Case { ResultCode code; ShownIcon icon; };
    for (const Case& c : {Case{58, ShownIcon::Stop}, Case{51, ShownIcon::Exclamation},
                          Case{205, ShownIcon::Exclamation}}) {
        std::future<ShownDialog> seen = answer_next_modal({});
        report_result(nullptr, c.code);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found) << c.code;
        EXPECT_EQ(shown.text, load_text(c.code) + " [code = " + std::to_string(c.code) + "]");
        EXPECT_EQ(shown.caption, "Quillmark Controller");
        EXPECT_EQ(shown.icon, c.icon) << c.code;
    }
}

TEST_F(Messages, UnreachableCutterShowsThePictureDialogThatEscapeDoesNotClose)
{
    bool has_picture = false;
    ModalAnswer answer;
    answer.text_control = IDC_COMMUNICATE_MESSAGE;
    answer.extra_command = IDCANCEL;
    answer.inspect = [&has_picture](HWND dialog) {
        for (HWND p = FindWindowExA(dialog, nullptr, "Static", nullptr); p != nullptr;
             p = FindWindowExA(dialog, p, "Static", nullptr)) {
            has_picture |= (GetWindowLongA(p, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
                           SendMessageA(p, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        }
    };
    std::future<ShownDialog> seen = answer_next_modal(answer);
    report_result(nullptr, 62);
    const ShownDialog shown = seen.get();
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.text, std::string(CANNOT_COMMUNICATE) + " [code = 62]");
    EXPECT_EQ(shown.caption, "Quillmark Controller");
    EXPECT_TRUE(shown.still_open_after_extra);
    EXPECT_TRUE(has_picture);
}

TEST_F(Messages, QuestionsAreTrueOnlyForOk)
{
    struct Case { int id; int button; bool expected; ShownIcon icon; };
    const Case cases[] = {
        {2103, IDCANCEL, false, ShownIcon::Question},
        {2104, IDOK, true, ShownIcon::Information},
        {2101, 0, false, ShownIcon::Question},  // closed with the title bar's button
    };
    for (const Case& c : cases) {
        ModalAnswer answer;
        answer.button = c.button;
        if (c.button == 0) {
            answer.inspect = [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); };
        }
        std::future<ShownDialog> seen = answer_next_modal(answer);
        EXPECT_EQ(confirmation_question(nullptr, c.id), c.expected) << c.id;
        const ShownDialog shown = seen.get();
        EXPECT_EQ(shown.caption, "Check");
        EXPECT_EQ(shown.text, load_text(static_cast<UINT>(c.id)));  // no code suffix
        EXPECT_EQ(shown.icon, c.icon) << c.id;
    }
}

}  // namespace
