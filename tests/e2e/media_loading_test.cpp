// The guide's "Media loading" step: reaching it, forwards or backwards, shows how to load the
// sheet for the orientation and registration marks of the settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;

constexpr const char* MEDIA_LOADING_TITLE = "Media loading";
const int PICTURES[] = {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT, IDC_PICTURE_LANDSCAPE_MARKS,
                        IDC_PICTURE_PORTRAIT_MARKS};

// The Media loading dialog must be up, show only `picture`, and is then answered.
void expect_media_loading_with(Program* controller, int picture)
{
    HWND dialog = controller->wait_dialog(MEDIA_LOADING_TITLE);
    ASSERT_TRUE(dialog);
    for (int id : PICTURES) {
        EXPECT_EQ(e2e::is_visible(dialog, id), id == picture) << "picture " << id;
    }
    EXPECT_EQ(e2e::control_text(dialog, IDC_LOADING_INSTRUCTION).substr(0, 28),
              "Load the media on Quillmark.");
    EXPECT_TRUE(e2e::answer(dialog, IDOK));
}

// Nothing but the main window is shown a little after pressing a guide button.
void expect_no_dialog(Program* controller, HWND main)
{
    Sleep(700);
    EXPECT_EQ(controller->windows(), std::vector<HWND>{main}) << controller->describe_windows();
}

struct LoadingCase {
    int pos_set;
    int direction;
    int picture;
};

TEST(MediaLoading, ReachingTheLoadingStepEitherWayShowsThePictureForMarksAndOrientation)
{
    const LoadingCase cases[] = {
        {0, 0, IDC_PICTURE_LANDSCAPE},
        {0, 1, IDC_PICTURE_PORTRAIT},
        {1, 0, IDC_PICTURE_LANDSCAPE_MARKS},
        {1, 1, IDC_PICTURE_PORTRAIT_MARKS},
    };
    for (const LoadingCase& c : cases) {
        SCOPED_TRACE("PosSet " + std::to_string(c.pos_set) + ", Direction " +
                     std::to_string(c.direction));
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(install.write_file(
            "QMACTL.INI",
            e2e::settings_file({"GuideMenu=1", "PosSet=" + std::to_string(c.pos_set),
                                "Direction=" + std::to_string(c.direction)})));
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), {"-DEMO", "-CUTMODE"}));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);

        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_NEXT));  // GuideStep 0 -> 1
        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_NEXT));  // 1 -> 2
        expect_no_dialog(&controller, main);
        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_NEXT));  // 2 -> 3: Media loading
        expect_media_loading_with(&controller, c.picture);
        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_NEXT));  // 3 -> 4
        expect_no_dialog(&controller, main);
        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_PREVIOUS));  // 4 -> 3
        expect_media_loading_with(&controller, c.picture);
        ASSERT_TRUE(e2e::click(main, IDC_GUIDE_PREVIOUS));  // 3 -> 2
        expect_no_dialog(&controller, main);

        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_EQ(controller.wait_exit(), 1u);
    }
}

TEST(MediaLoading, WithoutTheGuideThereAreNoStepButtons)
{
    struct Case {
        const char* what;
        std::vector<std::string> words;
        const char* guide_menu;
    };
    const Case cases[] = {
        {"guide switched off", {"-DEMO", "-CUTMODE"}, "GuideMenu=0"},
        {"not in cut mode", {"-DEMO"}, "GuideMenu=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({c.guide_menu})));
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        EXPECT_FALSE(e2e::is_visible(main, IDC_GUIDE_NEXT));
        EXPECT_FALSE(e2e::is_visible(main, IDC_GUIDE_PREVIOUS));
        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_TRUE(controller.wait_exit().has_value());
    }
}

}  // namespace
