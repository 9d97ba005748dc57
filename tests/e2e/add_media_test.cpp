// Add Media: the user stores the speed, thickness and cap in use under a name of their own, finds
// the media selected at once and again at the next start; refused names and a Media folder that
// cannot be written to change nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;

// The pen selected, with the speed and thickness last used with it, its adjustment allowed (Add
// Media is one of the adjustment controls) and the guide hidden, so that every control of the
// panel is available.
const std::string PEN_SELECTED = e2e::settings_file(
    {"MediaName=Pen", "CutSpeed=8", "CutPress=2", "CutCondAdjust=1", "GuideMenu=0"});

HWND open_add_media(Program* controller, HWND main)
{
    EXPECT_TRUE(e2e::click(e2e::job_panel_of(main), IDC_ADD_MEDIA));
    return controller->wait_dialog("Add Media");
}

// OK with this name, and the message box that follows: its text, answered with `button`.
std::string ok_and_answer(Program* controller, HWND dialog, const char* name, int button)
{
    SetDlgItemTextA(dialog, IDC_ADD_MEDIA_NAME, name);
    EXPECT_TRUE(e2e::click(dialog, IDOK));
    return e2e::message_answered(controller, button);
}

std::string media_key(const InstallCopy& install, const std::string& name, const char* section, const char* key)
{
    return e2e::saved_setting(install, section, key, "Media\\" + name + ".qcf");
}

constexpr const char* ALREADY_EXISTING = "Specified media is already existing.\nUpdate?";

// A folder that refuses new files while it lives. The tests run as root under Wine, where only
// the file system's immutable flag stops a write; on Windows, writes are denied to everyone.
// Wine gives no handle to wait for a Unix program, so the change is awaited by trying it.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::string& folder) : folder_(folder) { refuses_ = run(true) && settles(false); }
    ~ReadOnlyFolder() { EXPECT_TRUE(run(false) && settles(true)) << folder_ << " cannot be written to again"; }
    bool refuses_new_files() const { return refuses_; }

private:
    bool settles(bool writable_again) const
    {
        const std::string probe = folder_ + "\\probe";
        for (int tries = 0; tries < 150; ++tries, Sleep(100)) {
            HANDLE file = CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            const bool writable = file != INVALID_HANDLE_VALUE && CloseHandle(file) && DeleteFileA(probe.c_str());
            if (writable == writable_again) {
                return true;
            }
        }
        return false;
    }

    bool run(bool read_only) const
    {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unix_name = reinterpret_cast<UnixName>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        std::string command = "icacls \"" + folder_ + "\" " + (read_only ? "/deny *S-1-1-0:(WD,AD)" : "/remove:d *S-1-1-0");
        const char* program = nullptr;
        if (unix_name != nullptr) {
            char* path = unix_name(std::wstring(folder_.begin(), folder_.end()).c_str());
            if (path == nullptr) {
                return false;
            }
            program = "Z:\\usr\\bin\\chattr";
            command = std::string("chattr ") + (read_only ? "+i" : "-i") + " \"" + path + "\"";
            HeapFree(GetProcessHeap(), 0, path);
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(program, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                            &startup, &process)) {
            return false;
        }
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        return true;
    }

    std::string folder_;
    bool refuses_ = false;
};

TEST(AddMedia, ANewMediaIsWrittenAtOnceKnownAtTheNextStartAndAFolderThatCannotBeWrittenLosesNothing)
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
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_SPEED_VALUE), "8");
        EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_CAP), "Blue");
        EXPECT_TRUE(e2e::is_visible(dialog, IDC_ADD_MEDIA_BLUE_PICTURE));

        // A factory name is refused; a user media of that name is not updated when the user
        // declines. The dialog stays open.
        EXPECT_EQ(ok_and_answer(&controller, dialog, "Vinyl Film", IDOK),
                  "Specified media type name cannot be used.\nPlease specify other name. [code = 254]");
        EXPECT_EQ(ok_and_answer(&controller, dialog, "My Vinyl", IDCANCEL), ALREADY_EXISTING);
        EXPECT_TRUE(IsWindowVisible(dialog));

        // Red, and a name with a dot and spaces: its file at once, after every ListID, selected.
        HWND caps = GetDlgItem(dialog, IDC_ADD_MEDIA_CAP);
        SendMessageA(caps, CB_SETCURSEL, 2, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ADD_MEDIA_CAP, CBN_SELENDOK), reinterpret_cast<LPARAM>(caps));
        EXPECT_TRUE(e2e::is_visible(dialog, IDC_ADD_MEDIA_RED_PICTURE));
        SetDlgItemTextA(dialog, IDC_ADD_MEDIA_NAME, "Card v1.2 thin");
        ASSERT_TRUE(e2e::answer(dialog, IDOK));
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "Generic", "ListID"), "181");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "Generic", "ConfigurationMode"), "2");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Speed"), "8");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Force"), "2");
        EXPECT_EQ(media_key(install, "Card v1.2 thin", "User", "Cap"), "Red");
        EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_MEDIA_TYPE), "Card v1.2 thin");
        e2e::close_and_expect_exit(&controller, main, 0);
    }
    EXPECT_EQ(install.read_file("Media\\My Vinyl.qcf"), my_vinyl);

    // The next start selects it again and knows it as the user's own, with its cap.
    Program controller;
    HWND main = e2e::start_controller(&controller, install, {"-DEMO"});
    ASSERT_TRUE(main);
    EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_MEDIA_TYPE), "Card v1.2 thin");
    HWND dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(e2e::control_text(dialog, IDC_ADD_MEDIA_CAP), "Red");
    EXPECT_EQ(ok_and_answer(&controller, dialog, "Card v1.2 thin", IDOK), ALREADY_EXISTING);
    EXPECT_TRUE(e2e::wait_until([dialog] { return !IsWindow(dialog); }, "Add Media to close after the update"));

    // A new media that cannot be written is refused, and the end of the run writes no file for it.
    const std::vector<std::string> files = install.files("Media");
    dialog = open_add_media(&controller, main);
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
    e2e::close_and_expect_exit(&controller, main, 0);
    EXPECT_EQ(install.files("Media"), files);
}

}  // namespace
