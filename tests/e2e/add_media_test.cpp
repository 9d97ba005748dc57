// Add Media: the user stores the speed, thickness and cap in use under a name of their own, finds
// the media selected at once and again at the next start; refused names, a full library and a
// Media folder that cannot be written to change nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

// The pen selected, with the speed and thickness last used with it, its adjustment allowed (Add
// Media is one of the adjustment controls) and the guide hidden, so that every control of the
// panel is available.
const std::string PEN_SELECTED = e2e::settings_file(
    {"MediaName=Pen", "CutSpeed=8", "CutPress=2", "CutCondAdjust=1", "GuideMenu=0"});

HWND open_add_media(Program* controller, HWND main)
{
    HWND panel = e2e::job_panel_of(main);
    if (panel == nullptr || !e2e::click(panel, IDC_ADD_MEDIA)) {
        ADD_FAILURE() << "Add Media cannot be clicked";
        return nullptr;
    }
    return controller->wait_dialog("Add Media");
}

void type_name(HWND dialog, const char* name)
{
    SendMessageA(GetDlgItem(dialog, IDC_ADD_MEDIA_NAME), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
}

// OK with this name, and the message box that follows: its text, answered with `button`.
std::string ok_and_answer(Program* controller, HWND dialog, const char* name, int button)
{
    type_name(dialog, name);
    if (!e2e::click(dialog, IDOK)) {
        return "(OK cannot be clicked)";
    }
    HWND box = controller->wait_message_box();
    if (box == nullptr) {
        return "(no message)";
    }
    const std::string text = e2e::read_message_box(box).text;
    EXPECT_TRUE(e2e::answer(box, button));
    return text;
}

void choose_cap(HWND dialog, int position)
{
    HWND list = GetDlgItem(dialog, IDC_ADD_MEDIA_CAP);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADD_MEDIA_CAP, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
}

void page(HWND dialog, int bar, int code)
{
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(dialog, bar)));
}

std::string media_key(const InstallCopy& install, const std::string& name, const char* section, const char* key)
{
    char value[128] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value,
                             install.path("Media\\" + name + ".qcf").c_str());
    return value;
}

LRESULT media_list(HWND main, UINT message)
{
    return SendDlgItemMessageA(e2e::job_panel_of(main), IDC_MEDIA_TYPE, message, 0, 0);
}

constexpr const char* UNUSABLE_NAME =
    "Specified media type name cannot be used.\nPlease specify other name. [code = 254]";
constexpr const char* ALREADY_EXISTING = "Specified media is already existing.\nUpdate?";

TEST(AddMedia, ANewMediaIsWrittenAtOnceAndKnownAtTheNextStart)
{
    InstallCopy install;
    ASSERT_TRUE(install.write_file("QMACTL.INI", PEN_SELECTED));
    ASSERT_TRUE(e2e::add_media_file(&install, "My Vinyl", 180, 2, {"[User]", "Speed=3", "Force=1", "Cap=Yellow"}));
    const std::string my_vinyl = install.read_file("Media\\My Vinyl.qcf").value_or("");
    {
        Program controller;
        HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
        ASSERT_TRUE(main);
        HWND dialog = open_add_media(&controller, main);
        ASSERT_TRUE(dialog);

        // The pen's speed and thickness; the pen itself is no cap, so Blue is offered.
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_NAME), "New Media");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_SPEED_VALUE), "8");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_FORCE_VALUE), "2");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_FORCE_MAXIMUM), "3");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_CAP), "Blue");
        EXPECT_TRUE(e2e::is_visible(dialog, IDC_ADD_MEDIA_BLUE_PICTURE));
        for (int hidden : {IDC_ADD_MEDIA_YELLOW_PICTURE, IDC_ADD_MEDIA_RED_PICTURE, IDC_ADD_MEDIA_PEN_PICTURE}) {
            EXPECT_FALSE(e2e::is_visible(dialog, hidden)) << hidden;
        }

        // Refused names leave the dialog open with the name as typed.
        for (const char* refused : {"Vinyl Film", "Card/Stock"}) {
            EXPECT_EQ(ok_and_answer(&controller, dialog, refused, IDOK), UNUSABLE_NAME) << refused;
            EXPECT_TRUE(IsWindowVisible(dialog));
            EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_NAME), refused);
        }
        // A user media of that name: not updated when the user declines.
        EXPECT_EQ(ok_and_answer(&controller, dialog, "My Vinyl", IDCANCEL), ALREADY_EXISTING);
        EXPECT_TRUE(IsWindowVisible(dialog));

        // Red, speed paged from 8 to 3, thickness from 2 to 3; a name with a dot and spaces.
        choose_cap(dialog, 2);
        EXPECT_TRUE(e2e::is_visible(dialog, IDC_ADD_MEDIA_RED_PICTURE));
        EXPECT_FALSE(e2e::is_visible(dialog, IDC_ADD_MEDIA_BLUE_PICTURE));
        page(dialog, IDC_ADD_MEDIA_SPEED_BAR, SB_PAGELEFT);
        page(dialog, IDC_ADD_MEDIA_FORCE_BAR, SB_PAGERIGHT);
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_SPEED_VALUE), "3");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_FORCE_VALUE), "3");
        type_name(dialog, "Card v1.2 thin");
        ASSERT_TRUE(e2e::answer(dialog, IDOK));

        // Its file at once, after every ListID.
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "Generic", "ListID"), "181");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "Generic", "ConfigurationMode"), "2");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Speed"), "3");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Force"), "3");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Cap"), "Red");
        e2e::close_and_expect_exit(&controller, main, 0);
    }
    EXPECT_EQ(install.read_file("Media\\My Vinyl.qcf"), my_vinyl);

    // The next start knows it as the user's own.
    Program controller;
    HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
    ASSERT_TRUE(main);
    HWND dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ok_and_answer(&controller, dialog, "Card v1.2 thin", IDOK), ALREADY_EXISTING);
    EXPECT_TRUE(e2e::wait_until([dialog] { return !IsWindow(dialog); }, "Add Media to close after the update"));
    e2e::close_and_expect_exit(&controller, main, 0);
}

// The new media is chosen in the job panel exactly as a user's choice: its conditions go out.
TEST(AddMedia, ANewMediaBecomesTheLastSelectedEntryWithItsConditionsSent)
{
    InstallCopy install;
    ASSERT_TRUE(install.write_file("QMACTL.INI", PEN_SELECTED));
    VirtualCutter cutter;
    ASSERT_TRUE(cutter.ok());
    ASSERT_TRUE(e2e::add_usb_library(&install));
    {
        Program controller;
        HWND main = e2e::start_controller(&controller, install);
        ASSERT_TRUE(main);
        const LRESULT media_count = media_list(main, CB_GETCOUNT);
        HWND dialog = open_add_media(&controller, main);
        ASSERT_TRUE(dialog);
        choose_cap(dialog, 2);
        type_name(dialog, "Card v1.2 thin");
        const std::size_t commands_before = cutter.commands().size();
        ASSERT_TRUE(e2e::answer(dialog, IDOK));
        EXPECT_EQ(media_list(main, CB_GETCOUNT), media_count + 1);
        EXPECT_EQ(media_list(main, CB_GETCURSEL), media_count);
        EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_MEDIA_TYPE), "Card v1.2 thin");
        const std::vector<std::string> sent = {"FW" + std::to_string(100 + media_count) + "\x03", "!8\x03",
                                               "*0,2\x03", "FC18\x03"};
        e2e::wait_until([&] { return cutter.commands().size() >= commands_before + sent.size(); },
                        "the new media's cutting conditions");
        const std::vector<std::string> commands = cutter.commands();
        EXPECT_EQ(std::vector<std::string>(commands.begin() + static_cast<std::ptrdiff_t>(
                                               std::min(commands_before, commands.size())),
                                           commands.end()),
                  sent);
        e2e::close_and_expect_exit(&controller, main, 0);
    }
    EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "MediaName"), "Card v1.2 thin");

    // The next start selects it again and the dialog opens with its cap.
    Program controller;
    HWND main = e2e::start_controller(&controller, install);
    ASSERT_TRUE(main);
    EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_MEDIA_TYPE), "Card v1.2 thin");
    HWND dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_CAP), "Red");
    EXPECT_TRUE(e2e::answer(dialog, IDCANCEL));
    e2e::close_and_expect_exit(&controller, main, 0);
}

TEST(AddMedia, AFullLibraryRefusesANewNameButUpdatesAUserMedia)
{
    InstallCopy install;
    ASSERT_TRUE(install.write_file("QMACTL.INI", PEN_SELECTED));
    // With the factory media, 128 in all.
    const int factory = static_cast<int>(install.files("Media").size());
    for (int i = 0; factory + i < 128; ++i) {
        ASSERT_TRUE(e2e::add_media_file(&install, "User " + std::to_string(i), 200 + i, 2,
                                        {"[User]", "Speed=3", "Force=1", "Cap=Yellow"}));
    }
    Program controller;
    HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
    ASSERT_TRUE(main);
    HWND dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ok_and_answer(&controller, dialog, "New Media", IDOK),
              "The number of media type registration exceeds limitation. [code = 253]");
    EXPECT_EQ(ok_and_answer(&controller, dialog, "User 5", IDOK), ALREADY_EXISTING);
    EXPECT_TRUE(e2e::wait_until([dialog] { return !IsWindow(dialog); }, "Add Media to close after the update"));
    e2e::close_and_expect_exit(&controller, main, 0);

    // The update is saved with the other media files at the end of the run.
    EXPECT_EQ(media_key(install, "User 5", "User", "Speed"), "8");
    EXPECT_EQ(media_key(install, "User 5", "User", "Force"), "2");
    EXPECT_EQ(media_key(install, "User 5", "User", "Cap"), "Blue");
    EXPECT_FALSE(install.exists("Media\\New Media.qcf"));
}

// A folder that refuses new files while it lives. The tests run as root under Wine, where only
// the file system's immutable flag stops a write; on Windows, writes are denied to everyone.
// Wine gives no handle to wait for a Unix program, so the change is awaited by trying it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder) : folder_(folder)
    {
        refuses_ = run(true) && settles(false);
    }
    ~ReadOnlyFolder()
    {
        EXPECT_TRUE(run(false) && settles(true)) << folder_ << " cannot be written to again";
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool refuses_new_files() const { return refuses_; }

private:
    bool settles(bool writable_again) const
    {
        for (int tries = 0; tries < 150; ++tries, Sleep(100)) {
            if (writable() == writable_again) {
                return true;
            }
        }
        return false;
    }

    bool writable() const
    {
        const std::string probe = folder_ + "\\probe";
        HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return false;
        }
        CloseHandle(file);
        return DeleteFileA(probe.c_str()) != FALSE;
    }

    bool run(bool read_only) const
    {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unix_name = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        std::string program;
        std::string command;
        if (unix_name != nullptr) {
            const std::wstring wide(folder_.begin(), folder_.end());
            char* path = unix_name(wide.c_str());
            if (path == nullptr) {
                return false;
            }
            program = "Z:\\usr\\bin\\chattr";
            command = std::string("chattr ") + (read_only ? "+i" : "-i") + " \"" + path + "\"";
            HeapFree(GetProcessHeap(), 0, path);
        } else {
            command = "icacls \"" + folder_ + "\" " + (read_only ? "/deny *S-1-1-0:(WD,AD)" : "/remove:d *S-1-1-0");
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(program.empty() ? nullptr : program.c_str(), &command[0], nullptr, nullptr, FALSE,
                            CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
            return false;
        }
        for (HANDLE handle : {process.hProcess, process.hThread}) {
            if (handle != nullptr) {
                CloseHandle(handle);
            }
        }
        return true;
    }

    std::string folder_;
    bool refuses_ = false;
};

TEST(AddMedia, AMediaFolderThatCannotBeWrittenLosesNothing)
{
    InstallCopy install;
    ASSERT_TRUE(install.write_file("QMACTL.INI", PEN_SELECTED));
    const std::vector<std::string> files = install.files("Media");
    Program controller;
    HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
    ASSERT_TRUE(main);
    const LRESULT media_count = media_list(main, CB_GETCOUNT);
    HWND dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    {
        ReadOnlyFolder read_only(install.path("Media"));
        if (!read_only.refuses_new_files()) {
            GTEST_SKIP() << "no folder can be made read-only here";
        }
        EXPECT_EQ(ok_and_answer(&controller, dialog, "New Media", IDOK),
                  "The media type could not be saved.\nCheck that the Media folder can be written to and "
                  "that the disk is not full. [code = 212]");
        EXPECT_TRUE(IsWindowVisible(dialog));
    }
    EXPECT_TRUE(e2e::answer(dialog, IDCANCEL));
    EXPECT_EQ(media_list(main, CB_GETCOUNT), media_count);
    // Written again at the end of the run, the library has no record of it either.
    e2e::close_and_expect_exit(&controller, main, 0);
    EXPECT_EQ(install.files("Media"), files);
}

}  // namespace
