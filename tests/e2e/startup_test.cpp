// The start of a run as the cutter and the user see it: the commands the cutter receives, with
// the conditions of the selected media, and every way the start can fail.
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

const std::string E = "\x03";
const std::string ESC = "\x1b";

// An adjustable media with adjusted conditions and track enhancing, ahead of the factory media.
TEST(StartUp, TheCutterReceivesTheStartCommandsWithTheSelectedMediasConditions)
{
    InstallCopy install;
    ASSERT_TRUE(e2e::add_media_file(&install, "Test Adjustable", 1, 1,
                                    {"[Defaults]", "Speed=8", "Force=2", "Cap=Blue", "[Modify]", "Speed=4", "Force=1"}));
    VirtualCutter cutter;
    ASSERT_TRUE(cutter.ok() && e2e::add_usb_library(&install) &&
                install.write_file("QMACTL.INI", e2e::settings_file({"MediaName=Test Adjustable", "CutCondAdjust=1",
                                                                     "RollAction=1"})));
    Program controller;
    HWND main = e2e::start_controller(&controller, install);
    ASSERT_TRUE(main);
    EXPECT_EQ(cutter.new_commands(), (std::vector<std::string>{ESC + "\x04", ESC + "\x05", "TT" + E, "FG" + E,
                                  "FW100" + E, "!4" + E, "*0,1" + E, "FC18" + E, "FY1" + E, "FE0" + E,
                                  "TB71" + E, "FA" + E, "FN0" + E}));
    EXPECT_EQ(e2e::control_text(main, IDC_VERSION_CAPTION), "Quillmark Ver.2.01");
    e2e::close_and_expect_exit(&controller, main, 0);
}

// A start that fails shows why, ends with 101 and leaves the settings file as it was, whatever
// reaches the hidden main window meanwhile: WM_CLOSE (as taskkill sends it), OK or Cancel.
constexpr WPARAM CLOSE_WINDOW = 0;

TEST(StartUp, EachFailureShowsItsMessageEndsWith101AndSavesNothing)
{
    const std::vector<std::string> CUT_MODE = {"-CUTMODE"};
    const struct {
        const char* what;
        std::vector<std::string> words;
        bool usb_library, settings_file;
        void (*prepare)(VirtualCutter*);
        WPARAM posted;  // while the message shows; OK and Cancel act differently in cut mode
        int code;
        const char* text;
        bool in_cannot_communicate_dialog;  // else a stop box
    } cases[] = {
        {"no USB library", {}, false, true, [](VirtualCutter*) {}, CLOSE_WINDOW, 52,
         "ZOLKUSBP.DLL could not be found, and so Quillmark Controller could not be started.\n"
         "Please reboot your computer or re-install Quillmark Controller.", false},
        {"cutter switched off, no settings file", CUT_MODE, true, false,
         [](VirtualCutter* v) { v->set([](CutterModel* m) { m->switched_off = true; }); }, IDCANCEL, 57,
         "Cannot communicate with Quillmark.\nCheck that the USB cable is connected correctly, press "
         "Quillmark's standby switch, and then confirm that the LED is lit.", true},
        {"every transfer breaks at once", {}, true, true,
         [](VirtualCutter* v) { v->set([](CutterModel* m) { m->refuse_transfers = true; }); }, IDOK, 59,
         "The USB port is currently in use.\nPlease wait ten seconds, and then try again.", false},
        // The settings file has been read into the record by then.
        {"the condition-number command fails", {}, true, true,
         [](VirtualCutter* v) { v->refuse_transfers_after("reply  2.01 KVX"); },
         CLOSE_WINDOW, 151, "Quillmark communication error.\nPress the standby switch twice.", false},
    };
    const std::string settings = e2e::settings_file({"Direction=1", "Unit=0", "MediaName=Vinyl Film",
                                                     "TomboDisX=100000", "TomboDisY=150000", "PosSet=1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        VirtualCutter cutter;
        ASSERT_TRUE(install.ok() && cutter.ok() && (!c.usb_library || e2e::add_usb_library(&install)) &&
                    (!c.settings_file || install.write_file("QMACTL.INI", settings)));
        c.prepare(&cutter);

        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        HWND shown = c.in_cannot_communicate_dialog ? controller.wait_dialog(e2e::CONTROLLER_TITLE)
                                                    : controller.wait_message_box();
        ASSERT_TRUE(shown);
        // The message is owned by the main window, which start-up has not shown.
        HWND main = GetWindow(shown, GW_OWNER);
        EXPECT_TRUE(c.posted == CLOSE_WINDOW ? e2e::close_window(main)
                                             : PostMessageA(main, WM_COMMAND, MAKEWPARAM(c.posted, BN_CLICKED), 0));
        EXPECT_EQ(e2e::window_text(shown), e2e::CONTROLLER_TITLE);
        EXPECT_EQ(c.in_cannot_communicate_dialog ? e2e::control_text(shown, IDC_COMMUNICATE_MESSAGE)
                                                 : e2e::message_text(shown),
                  c.text + (" [code = " + std::to_string(c.code) + "]"));
        EXPECT_TRUE(e2e::answer(shown, IDOK));
        EXPECT_EQ(controller.wait_exit(), 101u);
        EXPECT_EQ(install.read_file("QMACTL.INI"), c.settings_file ? std::optional<std::string>(settings) : std::nullopt);
    }
}

}  // namespace
