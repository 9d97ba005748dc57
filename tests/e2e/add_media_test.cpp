// Add Media: the user stores the speed, thickness and cap in use under a name of their own, finds
// the media selected at once and again at the next start; refused names and a media file that
// cannot be written change nothing.
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

    // A new media whose file cannot be written (a folder has its name) is refused, and the end of
    // the run writes no file for it.
    ASSERT_TRUE(CreateDirectoryA(install.path("Media\\New Media.qcf").c_str(), nullptr));
    const std::vector<std::string> files = install.files("Media");
    HWND list = GetDlgItem(e2e::job_panel_of(main), IDC_MEDIA_TYPE);
    const LRESULT media_count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    dialog = open_add_media(&controller, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ok_and_answer(&controller, dialog, "New Media", IDOK),
              "The media type could not be saved.\nCheck that the Media folder can be written to and "
              "that the disk is not full. [code = 212]");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(e2e::answer(dialog, IDCANCEL));
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), media_count);
    e2e::close_and_expect_exit(&controller, main, 0);
    EXPECT_EQ(install.files("Media"), files);
}

}  // namespace
