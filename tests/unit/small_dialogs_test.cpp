#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/result_code.h"
#include "app/small_dialogs.h"
#include "app/win_text.h"
#include "support/modal_watch.h"

namespace {

class SmallDialogs : public ::testing::Test {
protected:
    void SetUp() override { g_instance = GetModuleHandleA(nullptr); }
};

TEST_F(SmallDialogs, MediaLoadingShowsTheFigureForMarksAndOrientationAndEndsWithEscape)
{
    struct Case { int pos_set; int direction; int picture; };
    const Case cases[] = {
        {0, 0, IDC_PICTURE_LANDSCAPE},
        {0, 1, IDC_PICTURE_PORTRAIT},
        {1, 0, IDC_PICTURE_LANDSCAPE_MARKS},
        {2, 0, IDC_PICTURE_LANDSCAPE},        // only 1 means registration marks
        {1, -1, IDC_PICTURE_PORTRAIT_MARKS},  // anything but 0 is portrait
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pos_set << "/" << c.direction);
        std::vector<int> visible;
        bool has_bitmap = false;
        ModalAnswer answer;
        answer.text_control = IDC_LOADING_INSTRUCTION;
        answer.extra_command = IDCANCEL;
        answer.inspect = [&](HWND dialog) {
            for (int id : {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT, IDC_PICTURE_LANDSCAPE_MARKS,
                           IDC_PICTURE_PORTRAIT_MARKS}) {
                HWND picture = GetDlgItem(dialog, id);
                if (IsWindowVisible(picture)) {
                    visible.push_back(id);
                    has_bitmap = SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
                }
            }
        };
        std::future<ShownDialog> seen = answer_next_modal(answer);
        run_media_loading_dialog(nullptr, c.pos_set, c.direction);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found);
        EXPECT_EQ(shown.caption, "Media loading");
        EXPECT_EQ(shown.text,
                  "Load the media on Quillmark.\n\nCheck the loading direction using displayed "
                  "figure, and load the media.\nIf \"Feed this side first.\" is printed on the "
                  "media, follow the message.");
        EXPECT_EQ(visible, std::vector<int>{c.picture});
        EXPECT_TRUE(has_bitmap);
        EXPECT_FALSE(shown.still_open_after_extra);
    }
}

TEST_F(SmallDialogs, AboutShowsTheVersionIgnoresEscapeAndEndsWithOne)
{
    for (bool system_close : {false, true}) {
        bool closed = false;
        ModalAnswer answer;  // OK afterwards only rescues a dialog that stayed open
        answer.text_control = IDC_ABOUT_VERSION;
        answer.extra_command = system_close ? 0 : IDCANCEL;
        if (system_close) {
            answer.inspect = [&closed](HWND dialog) { closed = close_from_system_menu(dialog); };
        }
        std::future<ShownDialog> seen = answer_next_modal(answer);
        EXPECT_EQ(DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, about_dialog_proc, 0), 1);
        const ShownDialog shown = seen.get();
        ASSERT_TRUE(shown.found);
        EXPECT_EQ(shown.caption, "About Quillmark Controller");
        EXPECT_EQ(shown.text, "Quillmark Advanced Controller Version 2.01");
        EXPECT_EQ(shown.still_open_after_extra, !system_close);
        EXPECT_EQ(closed, system_close);
    }
}

}  // namespace
