// The start of a run as the cutter and the user see it: the commands the cutter receives, with
// the conditions of the selected media, and every way the start can fail.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
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

// Media of our own beside the installed ones, so that speed, force and cap differ between
// "Defaults", "Modify" and "User".
constexpr std::int32_t FIRST = 1, ADJUSTABLE = 55, USER = 57, FIXED_PEN = 175;

void add_test_media(InstallCopy* install)
{
    EXPECT_TRUE(e2e::add_media_file(install, "Test First", FIRST, 1, {"[Defaults]", "Speed=7", "Force=1",
                                    "Cap=Blue", "[Modify]", "Speed=2", "Force=3"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test Adjustable", ADJUSTABLE, 1, {"[Defaults]", "Speed=8",
                                    "Force=2", "Cap=Blue", "[Modify]", "Speed=4", "Force=1"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test User", USER, 2,
                                    {"[User]", "Speed=2", "Force=3", "Cap=Red"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test Fixed Pen", FIXED_PEN, 0,
                                    {"[Defaults]", "Speed=9", "Force=2", "Cap=Pen"}));
}

// The cut-condition number of the media with this ListID: 100 plus the number of media files
// of the copy with a smaller ListID.
int condition_number_of(const InstallCopy& install, std::int32_t list_id)
{
    int number = 100;
    for (const std::string& name : install.files("Media")) {
        const std::string file = install.path("Media\\" + name);
        number += GetPrivateProfileIntA("Generic", "ListID", -1, file.c_str()) < static_cast<UINT>(list_id);
    }
    return number;
}

std::vector<std::string> start_commands(int condition, int speed, int press, int offset, int track_enhancing)
{
    return {ESC + "\x04", ESC + "\x05", "TT" + E, "FG" + E, "FW" + std::to_string(condition) + E,
            "!" + std::to_string(speed) + E, "*0," + std::to_string(press) + E,
            "FC" + std::to_string(offset) + E, "FY" + std::to_string(track_enhancing) + E,
            "FE0" + E, "TB71" + E, "FA" + E, "FN0" + E};
}

// Each debugger line is the command's label in code page 932, then the command, then "\n".
std::string debug_lines(const std::vector<std::string>& commands)
{
    const wchar_t* const labels[] = {
        L"ファームバッファの確認(FULL_CHECK)：", L"ファームバッファの確認(FREE_CHECK)：",
        L"Cindrel コントローラ起動通知命令：", L"ファームバージョン応答：", L"カット条件番号変更命令：",
        L"カット速度変更命令：", L"カット圧変更命令(Quillmark)：", L"カッターオフセット変更命令：",
        L"ならし動作変更命令：", L"アツモノモード変更命令：", L"トンボセンサ位置補正応答：", L"送り方向応答：",
        L"デザインの向き変更命令：",
    };
    std::string text;
    for (std::size_t i = 0; i < commands.size() && i < std::size(labels); ++i) {
        char label[256];
        const int size = WideCharToMultiByte(932, 0, labels[i], -1, label, sizeof label, nullptr, nullptr);
        text += std::string(label, static_cast<std::size_t>(size) - 1) + commands[i] + "\n";
    }
    return text;
}

TEST(StartUp, TheCutterReceivesTheStartCommandsWithTheSelectedMediasConditions)
{
    const struct {
        const char* what;
        std::vector<std::string> settings;  // empty: no settings file
        bool demo;                          // -DEMO: no cutter, the same debugger lines
        std::int32_t selected;
        int speed, press, offset, track_enhancing;
    } cases[] = {
        {"adjusted factory media with track enhancing",
         {"MediaName=Test Adjustable", "CutCondAdjust=1", "RollAction=1"}, false, ADJUSTABLE, 4, 1, 18, 1},
        {"user media: its own speed and force, track enhancing off without adjustment",
         {"MediaName=Test User", "CutCondAdjust=0", "RollAction=1"}, true, USER, 2, 3, 18, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        add_test_media(&install);
        ASSERT_TRUE(e2e::add_usb_library(&install));
        if (!c.settings.empty()) {
            ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(c.settings)));
        }
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        Program controller;
        HWND main = e2e::start_controller(&controller, install, c.demo ? std::vector<std::string>{"-DEMO"}
                                                                        : std::vector<std::string>{});
        ASSERT_TRUE(main);
        const std::vector<std::string> expected = start_commands(
            condition_number_of(install, c.selected), c.speed, c.press, c.offset, c.track_enhancing);
        EXPECT_EQ(cutter.commands(), c.demo ? std::vector<std::string>{} : expected);
        EXPECT_EQ(controller.debug_output(), debug_lines(expected));
        e2e::close_and_expect_exit(&controller, main, 0);
    }
}

// ---------------------------------------------------------------------------------------------
// A start that fails shows why, ends with 101 and leaves the settings file as it was.

const char* const CANNOT_COMMUNICATE =
    "Cannot communicate with Quillmark.\nCheck that the USB cable is connected correctly, press "
    "Quillmark's standby switch, and then confirm that the LED is lit.";
const char* const PORT_IN_USE =
    "The USB port is currently in use.\nPlease wait ten seconds, and then try again.";
const char* const COMMUNICATION_ERROR = "Quillmark communication error.\nPress the standby switch twice.";
const char* const NO_MEDIA_LIST =
    "The media file list could not be found, and so Quillmark Controller could not be "
    "started.\nPlease re-install Quillmark Controller.";

using Prepare = std::function<void(InstallCopy*, VirtualCutter*)>;

Prepare set_model(std::function<void(CutterModel*)> change)
{
    return [change](InstallCopy*, VirtualCutter* cutter) { cutter->set(change); };
}

Prepare fault(const char* key, Fault f)
{
    return set_model([key, f](CutterModel* m) { m->faults[key] = f; });
}

void empty_media_folder(InstallCopy* install, VirtualCutter*)
{
    for (const std::string& name : install->files("Media")) {
        EXPECT_TRUE(install->remove_file("Media\\" + name));
    }
}

// What reaches the hidden main window while the failure is shown: the window closed from outside
// (WM_CLOSE, as taskkill does), or OK or Cancel posted to it.
constexpr WPARAM CLOSE_WINDOW = 0;

void post_end_request(HWND main, WPARAM command)
{
    EXPECT_TRUE(command == CLOSE_WINDOW ? e2e::close_window(main)
                                        : PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0));
}

TEST(StartUp, EachFailureShowsItsMessageEndsWith101AndSavesNothing)
{
    const std::vector<std::string> CUT_MODE = {"-CUTMODE"}, DEMO = {"-DEMO"};
    const struct {
        const char* what;
        std::vector<std::string> words;
        bool usb_library, settings_file;
        Prepare prepare;
        WPARAM posted;  // while the message shows; OK and Cancel act differently in cut mode
        int code;
        const char* text;
        bool in_cannot_communicate_dialog;  // else a stop box
    } cases[] = {
        {"no USB library", {}, false, true, [](InstallCopy*, VirtualCutter*) {}, CLOSE_WINDOW, 52,
         "ZOLKUSBP.DLL could not be found, and so Quillmark Controller could not be started.\n"
         "Please reboot your computer or re-install Quillmark Controller.", false},
        {"cutter switched off", {}, true, true, set_model([](CutterModel* m) { m->switched_off = true; }),
         CLOSE_WINDOW, 57, CANNOT_COMMUNICATE, true},
        {"cutter switched off, no settings file", CUT_MODE, true, false,
         set_model([](CutterModel* m) { m->switched_off = true; }), IDCANCEL, 57, CANNOT_COMMUNICATE, true},
        {"every transfer breaks at once", {}, true, true,
         set_model([](CutterModel* m) { m->refuse_transfers = true; }), IDOK, 59, PORT_IN_USE, false},
        {"silent cutter: the buffer check's read times out", CUT_MODE, true, true, fault("ESC05", Fault::Silent),
         IDCANCEL, 58, PORT_IN_USE, false},
        {"busy buffer", {}, true, false, fault("ESC05", Fault::BufferBusy), CLOSE_WINDOW, 60, PORT_IN_USE, false},
        {"another model", {}, true, true, fault("FG", Fault::OtherModel), IDOK, 62, CANNOT_COMMUNICATE, true},
        {"empty media folder", CUT_MODE, true, true, empty_media_folder, IDCANCEL, 61, NO_MEDIA_LIST, false},
        {"empty media folder in demo mode", DEMO, false, false, empty_media_folder, IDOK, 61, NO_MEDIA_LIST, false},
        // From here on the settings file has been read into the record.
        {"the condition-number command fails", {}, true, true,
         [](InstallCopy*, VirtualCutter* cutter) { cutter->refuse_transfers_after("reply  2.01 KVX"); },
         CLOSE_WINDOW, 151, COMMUNICATION_ERROR, false},
        {"the track-enhancing command fails", {}, true, true,
         [](InstallCopy*, VirtualCutter* cutter) { cutter->refuse_transfers_after("  FC"); }, IDOK, 165,
         COMMUNICATION_ERROR, false},
        {"the sensor correction is out of range", CUT_MODE, true, true, fault("TB71", Fault::OutOfRange),
         IDOK, 103, COMMUNICATION_ERROR, false},
    };
    const std::string settings = e2e::settings_file({"Direction=1", "Unit=0", "MediaName=Vinyl Film",
                                                     "TomboDisX=100000", "TomboDisY=150000", "PosSet=1"});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        ASSERT_TRUE(!c.usb_library || e2e::add_usb_library(&install));
        ASSERT_TRUE(!c.settings_file || install.write_file("QMACTL.INI", settings));
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        c.prepare(&install, &cutter);

        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        const std::string expected = c.text + (" [code = " + std::to_string(c.code) + "]");
        HWND shown = c.in_cannot_communicate_dialog ? controller.wait_dialog(e2e::CONTROLLER_TITLE)
                                                    : controller.wait_message_box();
        ASSERT_TRUE(shown);
        // The message is owned by the main window, which start-up has not shown.
        post_end_request(GetWindow(shown, GW_OWNER), c.posted);
        if (c.in_cannot_communicate_dialog) {
            EXPECT_EQ(e2e::control_text(shown, IDC_COMMUNICATE_MESSAGE), expected);
        } else {
            const e2e::MessageBoxContent message = e2e::read_message_box(shown);
            EXPECT_EQ(message.caption, e2e::CONTROLLER_TITLE);
            EXPECT_EQ(message.text, expected);
            EXPECT_EQ(message.icon, e2e::BoxIcon::Stop);
        }
        EXPECT_TRUE(e2e::answer(shown, IDOK));
        EXPECT_EQ(controller.wait_exit(), 101u);
        if (c.settings_file) {
            EXPECT_EQ(install.read_file("QMACTL.INI"), settings);
        } else {
            EXPECT_FALSE(install.exists("QMACTL.INI"));
        }
    }
}

}  // namespace
