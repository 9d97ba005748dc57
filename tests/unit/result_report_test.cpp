#include <gtest/gtest.h>

#include <string>

#include "app/result_presentation.h"
#include "app/result_report.h"
#include "app/win_text.h"
#include "support/modal_watch.h"

namespace {

const char PORT_IN_USE[] =
    "The USB port is currently in use.\nPlease wait ten seconds, and then try again.";
const char CANNOT_COMMUNICATE[] =
    "Cannot communicate with Quillmark.\nCheck that the USB cable is connected correctly, press "
    "Quillmark's standby switch, and then confirm that the LED is lit.";
const char COMMUNICATION_ERROR[] = "Quillmark communication error.\nPress the standby switch twice.";

class Messages : public ::testing::Test {
protected:
    void SetUp() override { g_instance = GetModuleHandleA(nullptr); }
};

TEST_F(Messages, EveryResultCodeHasItsOwnEntry)
{
    for (std::size_t i = 0; i < RESULT_CODE_COUNT; ++i) {
        const std::string text = load_text(ALL_RESULT_CODES[i]);
        EXPECT_FALSE(text.empty()) << "code " << ALL_RESULT_CODES[i];
        EXPECT_LT(text.size(), TEXT_LIMIT) << "code " << ALL_RESULT_CODES[i];
    }
}

TEST_F(Messages, CodesThatShareATextShowTheSameWords)
{
    for (UINT code : {54u, 55u, 56u, 58u, 59u, 60u}) {
        EXPECT_EQ(load_text(code), PORT_IN_USE) << code;
    }
    for (UINT code : {57u, 62u}) {
        EXPECT_EQ(load_text(code), CANNOT_COMMUNICATE) << code;
    }
    for (UINT code = 100; code <= 166; ++code) {
        if (code <= 104 || code >= 150) {
            EXPECT_EQ(load_text(code), COMMUNICATION_ERROR) << code;
        }
    }
    EXPECT_EQ(load_text(2101), load_text(2102));
}

TEST_F(Messages, TextsQuoteAndBreakLinesExactly)
{
    EXPECT_EQ(load_text(50), "General Error");
    EXPECT_EQ(load_text(51), "Quillmark Controller is already active.\nPlease shut the controller "
                             "down and perform the operation once again.");
    EXPECT_EQ(load_text(203), "The value specified for the horizontal distance between the "
                              "registration marks exceeds the specifiable range.\nPlease specify a "
                              "distance in the range 0 to 7.557 inches.");
    EXPECT_EQ(load_text(207), "The value specified for the vertical distance between the "
                              "registration marks exceeds the specifiable range.\nPlease specify a "
                              "distance in the range 0 to 38.180 inches.");
    EXPECT_EQ(load_text(210), "Auto registration mark reading is failed.\nReload the media, and "
                              "click \"Cut...\" button again.\nIf it does not work correctly, unset "
                              "the \"Search Registration Mark\" check box, and move the blade "
                              "position to Green.");
    EXPECT_EQ(load_text(209), "The media feed direction value exceeds the specifiable range.\n"
                              "Please specify a value in the range -2.00 to +2.00%.");
    EXPECT_EQ(load_text(2000), "Quillmark Controller");
    EXPECT_EQ(load_text(2003), "Check");
}

TEST_F(Messages, ReportShowsTheTextWithItsCodeInTheRightBox)
{
    struct Case { ResultCode code; const char* text; ShownIcon icon; };
    const Case cases[] = {
        {58, PORT_IN_USE, ShownIcon::Stop},
        {56, PORT_IN_USE, ShownIcon::Stop},
        {61, nullptr, ShownIcon::Stop},
        {211, nullptr, ShownIcon::Stop},
        {253, nullptr, ShownIcon::Exclamation},
        {51, nullptr, ShownIcon::Exclamation},
        {205, nullptr, ShownIcon::Exclamation},
    };
    for (const Case& c : cases) {
        std::future<ShownDialog> seen = answer_next_modal({});
        report_result(nullptr, c.code);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found) << c.code;
        const std::string message = c.text != nullptr ? c.text : load_text(c.code);
        EXPECT_EQ(shown.text, message + " [code = " + std::to_string(c.code) + "]");
        EXPECT_EQ(shown.caption, "Quillmark Controller");
        EXPECT_EQ(shown.icon, c.icon) << c.code;
    }
}

TEST_F(Messages, UnreachableCutterShowsThePictureDialogThatOnlyOkCloses)
{
    for (ResultCode code : {57u, 62u}) {
        bool has_picture = false;
        ModalAnswer answer;
        answer.text_control = IDC_COMMUNICATE_MESSAGE;
        answer.extra_command = IDCANCEL;  // Escape must not close it
        answer.inspect = [&has_picture](HWND dialog) {
            HWND picture = FindWindowExA(dialog, nullptr, "Static", nullptr);
            for (; picture != nullptr; picture = FindWindowExA(dialog, picture, "Static", nullptr)) {
                if ((GetWindowLongA(picture, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP &&
                    SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) {
                    has_picture = true;
                }
            }
        };
        std::future<ShownDialog> seen = answer_next_modal(answer);
        report_result(nullptr, code);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found) << code;
        EXPECT_EQ(shown.text, std::string(CANNOT_COMMUNICATE) + " [code = " + std::to_string(code) + "]");
        EXPECT_EQ(shown.caption, "Quillmark Controller");
        EXPECT_TRUE(shown.still_open_after_extra) << code;
        EXPECT_TRUE(has_picture) << code;
    }
}

TEST_F(Messages, PictureDialogClosesFromTheSystemMenu)
{
    ModalAnswer answer;
    answer.text_control = IDC_COMMUNICATE_MESSAGE;
    answer.button = 0;  // nothing pressed: the system Close command ends it
    answer.inspect = [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); };
    std::future<ShownDialog> seen = answer_next_modal(answer);
    report_result(nullptr, 57);
    EXPECT_TRUE(seen.get().found);
}

TEST_F(Messages, QuestionsAreTrueOnlyForOk)
{
    struct Case { int id; int button; bool expected; ShownIcon icon; };
    const Case cases[] = {
        {2100, IDOK, true, ShownIcon::Question},
        {2103, IDCANCEL, false, ShownIcon::Question},
        {2104, IDOK, true, ShownIcon::Information},
        {2104, IDCANCEL, false, ShownIcon::Information},
        {2105, IDOK, true, ShownIcon::Question},
    };
    for (const Case& c : cases) {
        ModalAnswer answer;
        answer.button = c.button;
        std::future<ShownDialog> seen = answer_next_modal(answer);
        EXPECT_EQ(confirmation_question(nullptr, c.id), c.expected) << c.id;
        const ShownDialog shown = seen.get();
        EXPECT_EQ(shown.caption, "Check");
        EXPECT_EQ(shown.text, load_text(static_cast<UINT>(c.id)));  // no code suffix
        EXPECT_EQ(shown.icon, c.icon) << c.id;
    }
}

TEST_F(Messages, ClosingAQuestionCountsAsNo)
{
    ModalAnswer answer;
    answer.button = 0;
    answer.inspect = [](HWND box) { PostMessageA(box, WM_CLOSE, 0, 0); };
    std::future<ShownDialog> seen = answer_next_modal(answer);
    EXPECT_FALSE(confirmation_question(nullptr, 2101));
    EXPECT_TRUE(seen.get().found);
}

}  // namespace
