// The start of a run as the cutter and the user see it: the commands the cutter receives, with
// the conditions of the selected media, and every way the start can fail.
#include <gtest/gtest.h>

#include <functional>
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
constexpr std::int32_t FIRST_LIST_ID = 1;
constexpr std::int32_t ADJUSTABLE_LIST_ID = 55;
constexpr std::int32_t USER_LIST_ID = 57;
constexpr std::int32_t FIXED_PEN_LIST_ID = 175;

void add_test_media(InstallCopy* install)
{
    EXPECT_TRUE(e2e::add_media_file(install, "Test First", FIRST_LIST_ID, 1,
                                    {"[Defaults]", "Speed=7", "Force=1", "Cap=Blue", "[Modify]",
                                     "Speed=2", "Force=3"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test Adjustable", ADJUSTABLE_LIST_ID, 1,
                                    {"[Defaults]", "Speed=8", "Force=2", "Cap=Blue", "[Modify]",
                                     "Speed=4", "Force=1"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test User", USER_LIST_ID, 2,
                                    {"[User]", "Speed=2", "Force=3", "Cap=Red"}));
    EXPECT_TRUE(e2e::add_media_file(install, "Test Fixed Pen", FIXED_PEN_LIST_ID, 0,
                                    {"[Defaults]", "Speed=9", "Force=2", "Cap=Pen"}));
}

std::vector<std::string> start_commands(int condition, int speed, int press, int offset,
                                        int track_enhancing)
{
    return {ESC + "\x04",
            ESC + "\x05",
            "TT" + E,
            "FG" + E,
            "FW" + std::to_string(condition) + E,
            "!" + std::to_string(speed) + E,
            "*0," + std::to_string(press) + E,
            "FC" + std::to_string(offset) + E,
            "FY" + std::to_string(track_enhancing) + E,
            "FE0" + E,
            "TB71" + E,
            "FA" + E};
}

// The debugger lines: each is a label, then the command, then "\n".
std::vector<std::string> debug_lines(const std::string& output)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = output.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(output.substr(start, end - start));
    }
    if (start != output.size()) {
        lines.push_back(output.substr(start) + "<no line end>");
    }
    return lines;
}

void expect_debug_lines_end_with(const std::vector<std::string>& lines,
                                 const std::vector<std::string>& commands)
{
    ASSERT_EQ(lines.size(), commands.size());
    for (std::size_t i = 0; i < commands.size(); ++i) {
        const std::string& line = lines[i];
        const std::string& command = commands[i];
        EXPECT_TRUE(line.size() > command.size() &&
                    line.compare(line.size() - command.size(), command.size(), command) == 0)
            << "line " << i << ": " << e2e::escape_bytes(line) << " does not end with "
            << e2e::escape_bytes(command);
    }
}

struct CommandCase {
    const char* what;
    std::vector<std::string> settings;  // empty: no settings file
    std::int32_t selected_list_id;
    int speed, press, offset, track_enhancing;
};

const CommandCase COMMAND_CASES[] = {
    {"adjusted factory media with track enhancing",
     {"MediaName=Test Adjustable", "CutCondAdjust=1", "RollAction=1"},
     ADJUSTABLE_LIST_ID, 4, 1, 18, 1},
    {"factory media not adjusted: its defaults, track enhancing off",
     {"MediaName=Test Adjustable", "CutCondAdjust=0", "RollAction=1"},
     ADJUSTABLE_LIST_ID, 8, 2, 18, 0},
    {"fixed pen media adjusted: speed and force from the settings file",
     {"MediaName=Test Fixed Pen", "CutCondAdjust=2", "CutSpeed=3", "CutPress=2", "RollAction=7"},
     FIXED_PEN_LIST_ID, 3, 2, 0, 1},
    {"fixed pen media not adjusted: its defaults",
     {"MediaName=Test Fixed Pen", "CutSpeed=3", "CutPress=1"},
     FIXED_PEN_LIST_ID, 9, 2, 0, 0},
    {"fixed media with a force out of range in the settings file",
     {"MediaName=Test Fixed Pen", "CutCondAdjust=1", "CutSpeed=6", "CutPress=4"},
     FIXED_PEN_LIST_ID, 6, 1, 0, 0},
    {"user media: its own speed and force either way",
     {"MediaName=Test User", "CutCondAdjust=0", "RollAction=1"},
     USER_LIST_ID, 2, 3, 18, 0},
    {"no settings file: the first media of the library",
     {}, FIRST_LIST_ID, 7, 1, 18, 0},
    {"a name that differs in case selects the first media",
     {"MediaName=test adjustable", "CutCondAdjust=1"}, FIRST_LIST_ID, 2, 3, 18, 0},
};

TEST(StartUp, TheCutterReceivesTheStartCommandsWithTheSelectedMediasConditions)
{
    for (const CommandCase& c : COMMAND_CASES) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        add_test_media(&install);
        ASSERT_TRUE(e2e::add_usb_library(&install));
        if (!c.settings.empty()) {
            ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(c.settings)));
        }
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        Program controller;
        ASSERT_TRUE(controller.start(install.controller()));
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);

        const std::vector<std::string> expected =
            start_commands(e2e::condition_number_of(install, c.selected_list_id), c.speed,
                           c.press, c.offset, c.track_enhancing);
        EXPECT_EQ(cutter.commands(), expected);
        expect_debug_lines_end_with(debug_lines(controller.debug_output()), expected);

        EXPECT_TRUE(e2e::close_window(main));
        EXPECT_EQ(controller.wait_exit(), 0u);
    }
}

TEST(StartUp, DemoModeWritesTheSameCommandsToTheDebuggerWithoutACutter)
{
    InstallCopy install;
    ASSERT_TRUE(install.ok());
    add_test_media(&install);
    ASSERT_TRUE(install.write_file(
        "QMACTL.INI", e2e::settings_file({"MediaName=Test Adjustable", "CutCondAdjust=1",
                                          "RollAction=1"})));
    Program controller;
    ASSERT_TRUE(controller.start(install.controller(), {"-DEMO"}));
    HWND main = controller.wait_main_window();
    ASSERT_TRUE(main);
    expect_debug_lines_end_with(
        debug_lines(controller.debug_output()),
        start_commands(e2e::condition_number_of(install, ADJUSTABLE_LIST_ID), 4, 1, 18, 1));
    EXPECT_TRUE(e2e::close_window(main));
    EXPECT_EQ(controller.wait_exit(), 0u);
}

// ---------------------------------------------------------------------------------------------
// A start that fails shows why, ends with 101 and leaves the settings file as it was.

enum class Shown { StopBox, CannotCommunicateDialog };

struct FailureCase {
    const char* what;
    std::vector<std::string> words;
    bool with_usb_library;
    bool with_settings_file;
    std::function<void(InstallCopy*, VirtualCutter*)> prepare;
    int code;
    std::string text;
    Shown shown;
};

void no_change(InstallCopy*, VirtualCutter*) {}

void empty_media_folder(InstallCopy* install, VirtualCutter*)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(install->path("Media\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            EXPECT_TRUE(install->remove_file(std::string("Media\\") + found.cFileName));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::function<void(InstallCopy*, VirtualCutter*)> fault(const char* key, Fault f)
{
    return [key, f](InstallCopy*, VirtualCutter* cutter) {
        cutter->set([key, f](CutterModel* m) { m->faults[key] = f; });
    };
}

const std::string MEDIA_LIST_TEXT =
    "The media file list could not be found, and so Quillmark Controller could not be "
    "started.\nPlease re-install Quillmark Controller.";

const FailureCase FAILURE_CASES[] = {
    {"no USB library", {}, false, true, no_change, 52,
     "ZOLKUSBP.DLL could not be found, and so Quillmark Controller could not be started.\n"
     "Please reboot your computer or re-install Quillmark Controller.",
     Shown::StopBox},
    {"cutter switched off", {}, true, false,
     [](InstallCopy*, VirtualCutter* cutter) {
         cutter->set([](CutterModel* m) { m->switched_off = true; });
     },
     57, e2e::CANNOT_COMMUNICATE_TEXT, Shown::CannotCommunicateDialog},
    {"every transfer breaks at once", {}, true, true,
     [](InstallCopy*, VirtualCutter* cutter) {
         cutter->set([](CutterModel* m) { m->refuse_transfers = true; });
     },
     59, e2e::PORT_IN_USE_TEXT, Shown::StopBox},
    {"silent cutter: the buffer check's read times out", {}, true, true,
     fault("ESC05", Fault::Silent), 58, e2e::PORT_IN_USE_TEXT, Shown::StopBox},
    {"busy buffer", {}, true, false, fault("ESC05", Fault::BufferBusy), 60,
     e2e::PORT_IN_USE_TEXT, Shown::StopBox},
    {"another model", {}, true, true, fault("FG", Fault::OtherModel), 62,
     e2e::CANNOT_COMMUNICATE_TEXT, Shown::CannotCommunicateDialog},
    {"empty media folder", {}, true, true, empty_media_folder, 61, MEDIA_LIST_TEXT,
     Shown::StopBox},
    {"empty media folder in demo mode", {"-DEMO"}, false, false, empty_media_folder, 61,
     MEDIA_LIST_TEXT, Shown::StopBox},
    {"the condition-number command fails", {}, true, true,
     [](InstallCopy*, VirtualCutter* cutter) { cutter->refuse_transfers_after("reply  2.01 KVX"); },
     151, e2e::COMMUNICATION_ERROR_TEXT, Shown::StopBox},
    {"the sensor correction is out of range", {}, true, false, fault("TB71", Fault::OutOfRange),
     103, e2e::COMMUNICATION_ERROR_TEXT, Shown::StopBox},
};

TEST(StartUp, EachFailureShowsItsMessageEndsWith101AndSavesNothing)
{
    const std::string settings = e2e::settings_file({"Direction=1", "Unit=0"});
    for (const FailureCase& c : FAILURE_CASES) {
        SCOPED_TRACE(c.what);
        InstallCopy install;
        ASSERT_TRUE(install.ok());
        if (c.with_usb_library) {
            ASSERT_TRUE(e2e::add_usb_library(&install));
        }
        if (c.with_settings_file) {
            ASSERT_TRUE(install.write_file("QMACTL.INI", settings));
        }
        VirtualCutter cutter;
        ASSERT_TRUE(cutter.ok());
        c.prepare(&install, &cutter);

        Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        const std::string expected = e2e::message_with_code(c.text, c.code);
        if (c.shown == Shown::CannotCommunicateDialog) {
            HWND dialog = controller.wait_dialog("Quillmark Controller");
            ASSERT_TRUE(dialog);
            EXPECT_EQ(e2e::control_text(dialog, IDC_COMMUNICATE_MESSAGE), expected);
            EXPECT_TRUE(e2e::answer(dialog, IDOK));
        } else {
            HWND box = controller.wait_message_box();
            ASSERT_TRUE(box);
            const e2e::MessageBoxContent message = e2e::read_message_box(box);
            EXPECT_EQ(message.caption, "Quillmark Controller");
            EXPECT_EQ(message.text, expected);
            EXPECT_EQ(message.icon, e2e::BoxIcon::Stop);
            EXPECT_TRUE(e2e::answer(box, IDOK));
        }
        EXPECT_EQ(controller.wait_exit(), 101u);
        if (c.with_settings_file) {
            EXPECT_EQ(install.read_file("QMACTL.INI"), settings);
        } else {
            EXPECT_FALSE(install.exists("QMACTL.INI"));
        }
    }
}

}  // namespace
