// The operation guide as a user walks it: at each step the job panel offers only what the step
// allows; hidden, the guide leaves every control as the settings allow.
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

// One control of each group the guide switches: media type, Adjust Settings, speed bar, Track
// Enhancing, cap text | Landscape | Registration Marks, search, width edit, reading button |
// Set Origin | Use Keyboard | button 1.
constexpr int PROBES[] = {IDC_MEDIA_TYPE, IDC_ADJUST_SETTINGS, IDC_SPEED_BAR, IDC_TRACK_ENHANCING,
                          IDC_CAP_TEXT, IDC_LANDSCAPE, IDC_REGISTRATION_MARKS, IDC_SEARCH_MARK,
                          IDC_HORIZONTAL_DISTANCE, IDC_READ_MARKS, IDC_SET_ORIGIN_LABEL,
                          IDC_USE_KEYBOARD, IDOK};

std::string enabled_controls(HWND panel)
{
    std::string enabled;
    for (int id : PROBES) {
        enabled += IsWindowEnabled(GetDlgItem(panel, id)) ? '1' : '0';
    }
    return enabled;
}

bool checked(HWND panel, int id)
{
    return SendMessageA(GetDlgItem(panel, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

constexpr int START = 0;  // the state as the controller starts
constexpr int NEXT = IDC_GUIDE_NEXT, PREVIOUS = IDC_GUIDE_PREVIOUS, TOGGLE = IDC_GUIDE_TOGGLE;

struct Move {
    int         button;
    const char* enabled;  // PROBES in order
};

struct Walk {
    const char*                         what;
    std::vector<std::string>            words;
    std::vector<std::string>            settings;  // beside MediaName
    std::int32_t                        configuration_mode;  // of the selected media
    std::vector<Move>                   moves;
    std::function<void(HWND, HWND)>     finally;  // more checks at the end (main window, panel)
    DWORD                               exit_code;
};

TEST(OperationGuide, EachStepOffersOnlyItsControlsAndTheHiddenGuideOffersWhatTheSettingsAllow)
{
    const std::vector<std::string> marks_searched = {"GuideMenu=1", "PosSet=1", "TomboAutoRead=1",
                                                     "CutCondAdjust=0"};
    const Walk walks[] = {
        {"cut mode, firmware 2.01: every step, back to step 2, hidden and shown again",
         {"-DEMO", "-CUTMODE"}, marks_searched, 1,
         {{START, "11000" "0" "0000" "0" "0" "0"},
          {NEXT, "00001" "0" "0000" "0" "0" "0"},
          {NEXT, "00000" "1" "0000" "0" "0" "0"},
          {NEXT, "00000" "0" "0000" "0" "0" "0"},
          {NEXT, "00000" "0" "1100" "0" "0" "0"},
          {NEXT, "00000" "0" "0000" "0" "0" "1"},
          {PREVIOUS, "00000" "0" "1100" "0" "0" "0"},
          {PREVIOUS, "00000" "0" "0000" "0" "0" "0"},
          {PREVIOUS, "00000" "1" "0000" "0" "0" "0"},
          {TOGGLE, "11001" "1" "1100" "0" "1" "1"},
          {TOGGLE, "00000" "1" "0000" "0" "0" "0"}},
         [](HWND main, HWND) { EXPECT_EQ(e2e::control_text(main, IDC_GUIDE_TITLE), "Step3:Design Orientation"); },
         1},
        {"cut mode, firmware 1.00: no guide, no functions of firmware 2",
         {"-DEMO_V1", "-CUTMODE"}, marks_searched, 0,
         {{START, "11001" "1" "1100" "0" "1" "1"}},
         [](HWND main, HWND panel) {
             for (int id : {IDC_ADD_MEDIA, IDC_TRACK_ENHANCING, IDC_SEARCH_MARK}) {
                 EXPECT_FALSE(e2e::is_visible(panel, id)) << id;
             }
             EXPECT_FALSE(e2e::is_visible(main, IDC_GUIDE_TOGGLE));
         },
         1},
        {"without cut mode: button 1 closes", {"-DEMO"}, marks_searched, 1,
         {{START, "11001" "1" "1111" "0" "1" "1"}},
         [](HWND, HWND panel) { EXPECT_EQ(e2e::control_text(panel, IDOK), "Close"); },
         0},
        {"a job without registration marks: the marks step sets the origin",
         {"-DEMO", "-CUTMODE", "-NOTRM"}, marks_searched, 1,
         {{START, "11000" "0" "0000" "0" "0" "0"},
          {NEXT, "00001" "0" "0000" "0" "0" "0"},
          {NEXT, "00000" "1" "0000" "0" "0" "0"},
          {NEXT, "00000" "0" "0000" "0" "0" "0"},
          {NEXT, "00000" "0" "0000" "1" "1" "0"}},
         [](HWND main, HWND panel) {
             EXPECT_EQ(e2e::control_text(main, IDC_GUIDE_MESSAGE).substr(0, 29), "Specify the cutting position.");
             EXPECT_FALSE(checked(panel, IDC_REGISTRATION_MARKS));
         },
         1},
        {"distances given: the marks are on and their box is not offered",
         {"-DEMO", "-CUTMODE", "-TB23,100,150"},
         {"GuideMenu=1", "PosSet=0", "TomboAutoRead=0", "CutCondAdjust=0"}, 1,
         {{START, "11000" "0" "0000" "0" "0" "0"},
          {TOGGLE, "11001" "1" "0101" "0" "1" "1"}},
         [](HWND, HWND panel) { EXPECT_TRUE(checked(panel, IDC_REGISTRATION_MARKS)); },
         1},
        {"user media: Adjust Settings on and not offered",
         {"-DEMO", "-CUTMODE"}, marks_searched, 2,
         {{START, "10100" "0" "0000" "0" "0" "0"},
          {NEXT, "00001" "0" "0000" "0" "0" "0"}},
         [](HWND, HWND panel) { EXPECT_TRUE(checked(panel, IDC_ADJUST_SETTINGS)); },
         1},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.what);
        InstallCopy install;
        ASSERT_TRUE(e2e::add_media_file(&install, "Guide Media", 66, w.configuration_mode,
                                        {"[Defaults]", "Speed=5", "Force=2", "Cap=Red", "[User]",
                                         "Speed=5", "Force=2", "Cap=Red"}));
        std::vector<std::string> lines = w.settings;
        lines.push_back("MediaName=Guide Media");
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(lines)));
        Program controller;
        HWND main = e2e::start_controller(&controller, install, w.words);
        ASSERT_TRUE(main);
        HWND panel = e2e::job_panel_of(main);
        ASSERT_TRUE(panel);
        int step = 0;
        for (std::size_t i = 0; i < w.moves.size(); ++i) {
            const Move& m = w.moves[i];
            if (m.button != START) {
                ASSERT_TRUE(e2e::click(main, m.button));
                step += m.button == NEXT ? 1 : m.button == PREVIOUS ? -1 : 0;
            }
            SCOPED_TRACE("move " + std::to_string(i) + ", guide step " + std::to_string(step));
            // The click is posted: give the refresh time to run.
            for (int wait = 0; wait < 100 && enabled_controls(panel) != m.enabled; ++wait) {
                Sleep(50);
            }
            EXPECT_EQ(enabled_controls(panel), m.enabled);
            if (step == 3 && (m.button == NEXT || m.button == PREVIOUS)) {
                HWND loading = controller.wait_dialog("Media loading");
                ASSERT_TRUE(loading);
                ASSERT_TRUE(e2e::answer(loading, IDOK));
            }
        }
        w.finally(main, panel);
        e2e::close_and_expect_exit(&controller, main, w.exit_code);
    }
}

}  // namespace
