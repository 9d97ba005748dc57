#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/result_code.h"
#include "app/small_dialogs.h"
#include "app/win_text.h"
#include "support/modal_watch.h"

namespace {

const char LOADING_INSTRUCTION[] =
    "Load the media on Quillmark.\n\nCheck the loading direction using displayed figure, and load "
    "the media.\nIf \"Feed this side first.\" is printed on the media, follow the message.";

const int LOADING_PICTURES[] = {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT,
                                IDC_PICTURE_LANDSCAPE_MARKS, IDC_PICTURE_PORTRAIT_MARKS};

class SmallDialogs : public ::testing::Test {
protected:
    void SetUp() override { g_instance = GetModuleHandleA(nullptr); }
};

INT_PTR run_about()
{
    return DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr, about_dialog_proc, 0);
}

TEST_F(SmallDialogs, MediaLoadingShowsTheFigureForMarksAndOrientation)
{
    struct Case { int pos_set; int direction; int picture; };
    const Case cases[] = {
        {0, 0, IDC_PICTURE_LANDSCAPE},
        {0, 1, IDC_PICTURE_PORTRAIT},
        {1, 0, IDC_PICTURE_LANDSCAPE_MARKS},
        {1, 1, IDC_PICTURE_PORTRAIT_MARKS},
        {2, 0, IDC_PICTURE_LANDSCAPE},       // only 1 means registration marks
        {1, -1, IDC_PICTURE_PORTRAIT_MARKS}, // anything but 0 is portrait
    };
    for (const Case& c : cases) {
        std::vector<int> visible;
        bool has_bitmap = false;
        ModalAnswer answer;
        answer.text_control = IDC_LOADING_INSTRUCTION;
        answer.inspect = [&](HWND dialog) {
            for (int id : LOADING_PICTURES) {
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
        EXPECT_EQ(shown.text, LOADING_INSTRUCTION);
        EXPECT_EQ(visible, std::vector<int>{c.picture}) << c.pos_set << "/" << c.direction;
        EXPECT_TRUE(has_bitmap) << c.pos_set << "/" << c.direction;
    }
}

TEST_F(SmallDialogs, MediaLoadingAlsoEndsWithEscape)
{
    ModalAnswer answer;
    answer.extra_command = IDCANCEL;
    std::future<ShownDialog> seen = answer_next_modal(answer);
    run_media_loading_dialog(nullptr, 1, 0);
    const ShownDialog shown = seen.get();
    ASSERT_TRUE(shown.found);
    EXPECT_FALSE(shown.still_open_after_extra);
}

TEST_F(SmallDialogs, AboutShowsTheVersionAndEndsWithOne)
{
    ModalAnswer answer;
    answer.text_control = IDC_ABOUT_VERSION;
    answer.extra_command = IDCANCEL;  // Escape leaves it open
    std::future<ShownDialog> seen = answer_next_modal(answer);
    EXPECT_EQ(run_about(), 1);
    const ShownDialog shown = seen.get();
    ASSERT_TRUE(shown.found);
    EXPECT_EQ(shown.caption, "About Quillmark Controller");
    EXPECT_EQ(shown.text, "Quillmark Advanced Controller Version 2.01");
    EXPECT_TRUE(shown.still_open_after_extra);
}

TEST_F(SmallDialogs, AboutClosedFromTheSystemMenuEndsWithOne)
{
    bool closed = false;
    ModalAnswer answer;  // OK afterwards only rescues a dialog that stayed open
    answer.inspect = [&closed](HWND dialog) {
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        const DWORD start = GetTickCount();
        while (IsWindow(dialog) && GetTickCount() - start < 2000) {
            Sleep(20);
        }
        closed = !IsWindow(dialog);
    };
    std::future<ShownDialog> seen = answer_next_modal(answer);
    EXPECT_EQ(run_about(), 1);
    EXPECT_TRUE(seen.get().found);
    EXPECT_TRUE(closed);
}

}  // namespace
