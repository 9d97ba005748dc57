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

const char* const SETTING_KEYS[] = {"GuideMenu",    "MediaName", "CutCondAdjust", "RollAction",
                                    "Direction",    "PosSet",    "TomboDisX",     "TomboDisY",
                                    "TomboAutoRead", "Unit",     "CutCondition",  "CutSpeed",
                                    "CutPress"};

void expect_all_settings_saved(const InstallCopy& install)
{
    EXPECT_EQ(e2e::saved_setting(install, "Version_Section", "Version"),
              "Quillmark Advanced Controller Version 2.01");
    for (const char* key : SETTING_KEYS) {
        EXPECT_NE(e2e::saved_setting(install, "Main_Section", key), "") << key << " not saved";
    }
}

struct SourceCase {
    const char* what;
    std::vector<std::string> words;
    bool with_cutter;
    Fault version_fault;
    const char* caption;
    const char* saved_media_name;
    bool guide_toggle_visible;
    DWORD exit_code;
};

const SourceCase SOURCE_CASES[] = {
    {"demo mode 2: media files", {"-DEMO", "-CUTMODE"}, false, Fault::None,
     "Quillmark Ver.2.01 Demo Mode", "Test Media", true, 1},
    {"demo mode 1: built-in media, no guide", {"-DEMO_V1", "-CUTMODE"}, false, Fault::None,
     "Quillmark Ver.1.00 Demo Mode", "Paper Labels", false, 1},
    {"cutter with firmware 2.01", {"-CUTMODE"}, true, Fault::None, "Quillmark Ver.2.01",
     "Test Media", true, 1},
    {"cutter with firmware 1.00", {"-CUTMODE"}, true, Fault::FirmwareV1, "Quillmark Ver.1.00",
     "Paper Labels", false, 1},
    {"demo mode 2 without cut mode", {"-DEMO"}, false, Fault::None,
     "Quillmark Ver.2.01 Demo Mode", "Test Media", false, 0},
};

TEST(MainWindowStart, TheFirmwareVersionGivesTheCaptionAndTheMediaSource)
{
    for (const SourceCase& c : SOURCE_CASES) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(e2e::add_media_file(&install, "Test Media", 65, 1,
                                        {"[Defaults]", "Speed=5", "Force=2", "Cap=Blue"}));
        // The media file's name for file media, index 3 for the built-in ones.
        ASSERT_TRUE(install.write_file(
            "QMACTL.INI", e2e::settings_file({"MediaName=Test Media", "CutCondition=3"})));
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        if (c.with_cutter) {
            ASSERT_TRUE(e2e::add_usb_library(&install));
            const Fault f = c.version_fault;
            cutter.set([f](CutterModel* m) { m->faults["FG"] = f; });
        }
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        EXPECT_EQ(e2e::control_text(main, IDC_VERSION_CAPTION), c.caption);
        EXPECT_EQ(e2e::is_visible(main, IDC_GUIDE_TOGGLE), c.guide_toggle_visible);

        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_EQ(controller.wait_exit(), c.exit_code);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "MediaName"), c.saved_media_name);
    }
}

struct OrientationCase {
    const char* option;
    bool warned;
    const char* saved_direction;
};

TEST(MainWindowStart, AnOrientationOutOfRangeIsReportedOnceAndTheStoredOneStays)
{
    const OrientationCase cases[] = {
        {"-FN2", true, "1"},
        {"-FN0", false, "0"},
    };
    for (const OrientationCase& c : cases) {
        SCOPED_TRACE(c.option);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"Direction=1"})));
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), {"-DEMO", c.option}));
        // The warning comes while the window is being made, before it is shown.
        if (c.warned) {
            HWND box = controller.wait_message_box();
            ASSERT_TRUE(box);
            const e2e::MessageBoxContent message = e2e::read_message_box(box);
            EXPECT_EQ(message.text,
                      e2e::message_with_code(
                          "The media loading direction has not been specified correctly.\n"
                          "Please check the \"Orientation\" setting in your application program.",
                          250));
            EXPECT_EQ(message.icon, e2e::BoxIcon::Exclamation);
            EXPECT_TRUE(e2e::answer(box, IDOK));
        }
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        // Said once at most: no (further) box comes, and the window stays.
        Sleep(1000);
        EXPECT_EQ(controller.windows(), std::vector<HWND>{main}) << controller.describe_windows();
        EXPECT_TRUE(IsWindowVisible(main));

        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_EQ(controller.wait_exit(), 0u);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), c.saved_direction);
    }
}

// How the user ends the run: the window's Close (WM_CLOSE, also sent by the system for Alt+F4
// and by other programs), Enter and Escape.
enum class Action { Close, Enter, Escape };

struct EndCase {
    const char* what;
    std::vector<std::string> words;
    Action action;
    bool ends;
    DWORD exit_code;
};

void act(HWND main, Action action)
{
    switch (action) {
    case Action::Close: EXPECT_TRUE(e2e::close_window(main)); break;
    // The dialog manager of the controller's message loop turns these keys into IDOK and
    // IDCANCEL.
    case Action::Enter: EXPECT_TRUE(PostMessageA(main, WM_KEYDOWN, VK_RETURN, 0)); break;
    case Action::Escape: EXPECT_TRUE(PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0)); break;
    }
}

TEST(MainWindowEnd, CloseEnterAndEscapeEndTheRunPerCutModeAndSaveTheSettings)
{
    const EndCase cases[] = {
        {"close", {"-DEMO"}, Action::Close, true, 0},
        {"close in cut mode", {"-DEMO", "-CUTMODE"}, Action::Close, true, 1},
        {"Enter", {"-DEMO"}, Action::Enter, true, 0},
        {"Escape in cut mode", {"-DEMO", "-CUTMODE"}, Action::Escape, true, 1},
        {"Escape outside cut mode", {"-DEMO"}, Action::Escape, false, 0},
    };
    const std::string settings = e2e::settings_file({"Direction=1"});
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(install.write_file("QMACTL.INI", settings));
        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        act(main, c.action);
        if (!c.ends) {
            Sleep(1000);
            EXPECT_TRUE(controller.running());
            EXPECT_TRUE(IsWindowVisible(main));
            EXPECT_EQ(install.read_file("QMACTL.INI"), settings);
            EXPECT_TRUE(e2e::close_window(main));
        }
        EXPECT_EQ(controller.wait_exit(), c.exit_code);
        expect_all_settings_saved(install);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
    }
}

}  // namespace
