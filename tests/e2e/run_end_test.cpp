// The main window once it is up: the version caption and where the media come from, the
// orientation given on the command line, and the ways a run ends with its exit code and its
// saved settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

// The guide (its toggle, and its step buttons when GuideMenu is on) comes with media files in cut
// mode only.
TEST(MainWindowStart, TheFirmwareVersionGivesTheCaptionTheMediaSourceAndTheGuide)
{
    const struct {
        const char* what;
        std::vector<std::string> words;
        bool with_cutter;
        Fault version_fault;
        const char* caption;
        const char* saved_media_name;
        int guide_menu;
        bool guide_toggle_visible, guide_steps_visible;
        DWORD exit_code;
    } cases[] = {
        {"demo mode 2: media files", {"-DEMO", "-CUTMODE"}, false, Fault::None,
         "Quillmark Ver.2.01 Demo Mode", "Test Media", 1, true, true, 1},
        {"demo mode 2, guide switched off", {"-DEMO", "-CUTMODE"}, false, Fault::None,
         "Quillmark Ver.2.01 Demo Mode", "Test Media", 0, true, false, 1},
        {"cutter with firmware 1.00", {"-CUTMODE"}, true, Fault::FirmwareV1, "Quillmark Ver.1.00",
         "Paper Labels", 1, false, false, 1},
        {"demo mode 2 without cut mode", {"-DEMO"}, false, Fault::None, "Quillmark Ver.2.01 Demo Mode",
         "Test Media", 1, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(e2e::add_media_file(&install, "Test Media", 65, 1,
                                        {"[Defaults]", "Speed=5", "Force=2", "Cap=Blue"}));
        // The media file's name for file media, index 3 for the built-in ones.
        const std::string guide_menu = "GuideMenu=" + std::to_string(c.guide_menu);
        ASSERT_TRUE(install.write_file(
            "QMACTL.INI", e2e::settings_file({"MediaName=Test Media", "CutCondition=3", guide_menu})));
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        if (c.with_cutter) {
            ASSERT_TRUE(e2e::add_usb_library(&install));
            cutter.set([f = c.version_fault](CutterModel* m) { m->faults["FG"] = f; });
        }
        Program controller;
        HWND main = e2e::start_controller(&controller, install, c.words);
        ASSERT_TRUE(main);
        EXPECT_EQ(e2e::control_text(main, IDC_VERSION_CAPTION), c.caption);
        EXPECT_EQ(e2e::is_visible(main, IDC_GUIDE_TOGGLE), c.guide_toggle_visible);
        EXPECT_EQ(e2e::is_visible(main, IDC_GUIDE_NEXT), c.guide_steps_visible);
        EXPECT_EQ(e2e::is_visible(main, IDC_GUIDE_PREVIOUS), c.guide_steps_visible);
        e2e::close_and_expect_exit(&controller, main, c.exit_code);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "MediaName"), c.saved_media_name);
    }
}

TEST(MainWindowStart, AnOrientationOutOfRangeIsReportedOnceAndTheStoredOneStays)
{
    InstallCopy install;
    ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"Direction=1"})));
    Program controller;
    ASSERT_TRUE(controller.start(install.controller(), {"-DEMO", "-FN2"}));
    // The warning comes while the window is being made, before it is shown.
    HWND box = controller.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent message = e2e::read_message_box(box);
    EXPECT_EQ(message.text, "The media loading direction has not been specified correctly.\nPlease "
                            "check the \"Orientation\" setting in your application program. [code = 250]");
    EXPECT_EQ(message.icon, e2e::BoxIcon::Exclamation);
    EXPECT_TRUE(e2e::answer(box, IDOK));
    HWND main = controller.wait_main_window();
    ASSERT_TRUE(main);
    // Said once: no further box comes, and the window stays.
    Sleep(1000);
    EXPECT_EQ(controller.windows(), std::vector<HWND>{main}) << controller.describe_windows();
    e2e::close_and_expect_exit(&controller, main, 0);
    EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
}

// How the user ends the run: the window's Close (WM_CLOSE, also sent by the system for Alt+F4 and
// by other programs), Enter and Escape, which the dialog manager turns into IDOK and IDCANCEL.
TEST(MainWindowEnd, CloseEnterAndEscapeEndTheRunPerCutModeAndSaveTheSettings)
{
    const struct {
        std::vector<std::string> words;
        UINT message;
        WPARAM key;
        bool ends;
        DWORD exit_code;
    } cases[] = {
        {{"-DEMO"}, WM_CLOSE, 0, true, 0},
        {{"-DEMO", "-CUTMODE"}, WM_CLOSE, 0, true, 1},
        {{"-DEMO"}, WM_KEYDOWN, VK_RETURN, true, 0},
        {{"-DEMO", "-CUTMODE"}, WM_KEYDOWN, VK_ESCAPE, true, 1},
        {{"-DEMO"}, WM_KEYDOWN, VK_ESCAPE, false, 0},
    };
    const std::string settings = e2e::settings_file({"Direction=1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.words) + " message " + std::to_string(c.message) +
                     " key " + std::to_string(c.key));
        InstallCopy install;
        ASSERT_TRUE(install.write_file("QMACTL.INI", settings));
        Program controller;
        HWND main = e2e::start_controller(&controller, install, c.words);
        ASSERT_TRUE(main);
        EXPECT_EQ(e2e::window_text(main), e2e::CONTROLLER_TITLE);
        EXPECT_TRUE(PostMessageA(main, c.message, c.key, 0));
        if (!c.ends) {
            Sleep(1000);
            EXPECT_TRUE(controller.running());
            EXPECT_TRUE(IsWindowVisible(main));
            EXPECT_EQ(install.read_file("QMACTL.INI"), settings);
            EXPECT_TRUE(e2e::close_window(main));
        }
        EXPECT_EQ(controller.wait_exit(), c.exit_code);
        EXPECT_EQ(e2e::saved_setting(install, "Version_Section", "Version"),
                  "Quillmark Advanced Controller Version 2.01");
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
    }
}

}  // namespace
