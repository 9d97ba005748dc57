// The job panel as a user works it: choosing the media type, the speed and thickness bars and the
// orientation, each checked by the bytes the virtual cutter receives; a refused change rolls back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

const std::string E = "\x03";
using Writes = std::vector<std::string>;

TEST(JobPanelControls, EachChangeSendsOneCommandAndARefusedMediaChangeKeepsThePreviousMedia)
{
    // Two media of our own ahead of the factory ones: entry 0 fixed (speed 3, thickness 1),
    // entry 1 adjustable (defaults 8 and 2, adjusted 7 and 1). Entry 0 is selected.
    e2e::InstallCopy install;
    e2e::VirtualCutter cutter;
    ASSERT_TRUE(install.ok() && cutter.ok() && e2e::add_usb_library(&install));
    ASSERT_TRUE(e2e::add_media_file(&install, "Test Fixed", 1, 0, {"[Defaults]", "Speed=3", "Force=1", "Cap=Blue"}));
    ASSERT_TRUE(e2e::add_media_file(&install, "Test Adjustable", 2, 1,
                                    {"[Defaults]", "Speed=8", "Force=2", "Cap=Red", "[Modify]", "Speed=7", "Force=1"}));
    ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"MediaName=Test Fixed", "CutCondAdjust=0",
                                                                      "RollAction=0", "Direction=0"})));
    e2e::Program controller;
    HWND main = e2e::start_controller(&controller, install);
    ASSERT_TRUE(main);
    HWND panel = e2e::job_panel_of(main);
    // Each write as the cutter took it, once as many as expected have come.
    size_t seen = 0;
    auto sent = [&](const Writes& expected) {
        e2e::wait_until([&] { return cutter.model().write_log.size() >= seen + expected.size(); }, "the writes", 3000);
        const Writes all = cutter.model().write_log;
        const Writes fresh(all.begin() + static_cast<long>(seen), all.end());
        seen = all.size();
        return fresh;
    };
    sent({});
    auto conditions = [&] {
        return e2e::control_text(panel, IDC_SPEED_VALUE) + "/" + e2e::control_text(panel, IDC_THICKNESS_VALUE);
    };
    EXPECT_EQ(conditions(), "3/1");
    HWND list = GetDlgItem(panel, IDC_MEDIA_TYPE);
    auto choose_media = [&](int index) {  // posted: a message may come
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        PostMessageA(panel, WM_COMMAND, MAKEWPARAM(IDC_MEDIA_TYPE, CBN_SELENDOK), reinterpret_cast<LPARAM>(list));
    };
    auto scroll = [&](int bar, int code) {
        SendMessageA(panel, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(GetDlgItem(panel, bar)));
    };

    // An adjustable media with "Adjust Settings" off: its defaults, all four values in one write.
    choose_media(1);
    EXPECT_EQ(sent({""}), Writes{"FW101" + E + "!8" + E + "*0,2" + E + "FC18" + E});
    EXPECT_EQ(conditions(), "8/2");
    // "Adjust Settings" on: the adjusted conditions.
    SendMessageA(GetDlgItem(panel, IDC_ADJUST_SETTINGS), BM_CLICK, 0, 0);
    EXPECT_EQ(sent({""}), Writes{"FW101" + E + "!7" + E + "*0,1" + E + "FC18" + E});
    // A page right from 7 stops at 10; the thickness goes one step per page.
    scroll(IDC_SPEED_BAR, SB_PAGERIGHT);
    scroll(IDC_THICKNESS_BAR, SB_PAGERIGHT);
    EXPECT_EQ(sent({"", ""}), (Writes{"!10" + E, "*0,2" + E}));
    EXPECT_EQ(conditions(), "10/2");
    // "Landscape" while landscape sends nothing; "Portrait" sends the orientation.
    SendMessageA(GetDlgItem(panel, IDC_LANDSCAPE), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(panel, IDC_PORTRAIT), BM_CLICK, 0, 0);
    EXPECT_EQ(sent({""}), Writes{"FN1" + E});

    // A refused change says why and leaves the media and its conditions as they were.
    cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
    PostMessageA(panel, WM_HSCROLL, MAKEWPARAM(SB_PAGELEFT, 0), reinterpret_cast<LPARAM>(GetDlgItem(panel, IDC_SPEED_BAR)));
    EXPECT_NE(e2e::message_answered(&controller).find("[code = "), std::string::npos);
    EXPECT_EQ(conditions(), "10/2");
    choose_media(0);
    EXPECT_NE(e2e::message_answered(&controller).find("[code = 150]"), std::string::npos);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(conditions(), "10/2");
    // A refused orientation puts the check back on the other button.
    PostMessageA(GetDlgItem(panel, IDC_LANDSCAPE), BM_CLICK, 0, 0);
    EXPECT_NE(e2e::message_answered(&controller).find("[code = "), std::string::npos);
    EXPECT_EQ(IsDlgButtonChecked(panel, IDC_PORTRAIT), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(panel, IDC_LANDSCAPE), static_cast<UINT>(BST_UNCHECKED));
    cutter.set([](CutterModel* m) { m->refuse_transfers = false; });
    e2e::close_and_expect_exit(&controller, main, 0);
    EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "MediaName"), "Test Adjustable");
    EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
    // The adjusted conditions are kept in the media's own file for the next run.
    EXPECT_EQ(e2e::saved_setting(install, "Modify", "Speed", "Media\\Test Adjustable.qcf"), "10");
    EXPECT_EQ(e2e::saved_setting(install, "Modify", "Force", "Media\\Test Adjustable.qcf"), "2");
}

TEST(JobPanelControls, CommandLineDistancesAndMarkSizeAreShownOrReportedOnceAfterStartUp)
{
    const struct {
        std::vector<std::string> words;
        const char* message;  // the one message after start-up, or none
        const char* horizontal;
        Writes last_writes;   // the end of the start sequence
    } cases[] = {
        {{"-TB23,971,100", "-TB51,4"}, "[code = 252]", "100.0", {"FA" + E, "FN0" + E}},
        {{"-CUTMODE", "-TB23,120.05,140", "-TB51,7.99"}, nullptr, "120.0", {"TB51,159" + E, "FN0" + E}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.words[0]);
        e2e::InstallCopy install;
        e2e::VirtualCutter cutter;
        ASSERT_TRUE(install.ok() && cutter.ok() && e2e::add_usb_library(&install));
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"PosSet=1", "Unit=0", "TomboDisX=100000",
                                                                          "TomboDisY=150000"})));
        e2e::Program controller;
        ASSERT_TRUE(controller.start(install.controller(), c.words));
        if (c.message != nullptr) {
            EXPECT_NE(e2e::message_answered(&controller).find(c.message), std::string::npos);
        }
        HWND main = controller.wait_main_window();
        ASSERT_TRUE(main);
        EXPECT_EQ(e2e::control_text(e2e::job_panel_of(main), IDC_HORIZONTAL_DISTANCE), c.horizontal);
        e2e::wait_until([&] { return cutter.model().write_log.back().rfind("FN", 0) == 0; }, "the orientation", 3000);
        const Writes all = cutter.model().write_log;
        EXPECT_EQ(Writes(all.end() - 2, all.end()), c.last_writes);
        e2e::close_and_expect_exit(&controller, main, c.message != nullptr ? 0 : 1);
        EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "TomboDisX"), "100000");  // not stored
    }
}

}  // namespace
