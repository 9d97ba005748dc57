// The operation guide as a user walks it: at each step the job panel offers only what the step
// allows; hidden, the guide leaves every control as the settings allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

// One control of each group the guide switches: media type, Adjust Settings, speed bar, Track
// Enhancing, cap text | Landscape | Registration Marks, search, width, reading | Set Origin |
// Use Keyboard | button 1.
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

constexpr int START = 0, NEXT = IDC_GUIDE_NEXT, PREVIOUS = IDC_GUIDE_PREVIOUS, TOGGLE = IDC_GUIDE_TOGGLE;

TEST(OperationGuide, EachStepOffersOnlyItsControlsAndTheHiddenGuideOffersWhatTheSettingsAllow)
{
    struct Move { int button; const char* enabled; };  // PROBES after the button
    struct Walk {
        const char* what;
        std::vector<std::string> words, settings;
        std::int32_t configuration_mode;  // of the selected media
        std::vector<Move> moves;
        std::function<void(HWND main, HWND panel)> finally;
    };
    const std::vector<std::string> searched = {"GuideMenu=1", "PosSet=1", "TomboAutoRead=1", "CutCondAdjust=0"};
    const Walk walks[] = {
        {"firmware 2.01: every step, back to step 2, hidden and shown", {"-DEMO", "-CUTMODE"}, searched, 1,
         {{START, "11000" "0" "0000" "000"}, {NEXT, "00001" "0" "0000" "000"}, {NEXT, "00000" "1" "0000" "000"},
          {NEXT, "00000" "0" "0000" "000"}, {NEXT, "00000" "0" "1100" "000"}, {NEXT, "00000" "0" "0000" "001"},
          {PREVIOUS, "00000" "0" "1100" "000"}, {PREVIOUS, "00000" "0" "0000" "000"},
          {PREVIOUS, "00000" "1" "0000" "000"}, {TOGGLE, "11001" "1" "1100" "011"},
          {TOGGLE, "00000" "1" "0000" "000"}},
         [](HWND main, HWND) { EXPECT_EQ(e2e::control_text(main, IDC_GUIDE_TITLE), "Step3:Design Orientation"); }},
        {"firmware 1.00", {"-DEMO_V1", "-CUTMODE"}, searched, 0, {{START, "11001" "1" "1100" "011"}},
         [](HWND main, HWND panel) {
             for (int id : {IDC_ADD_MEDIA, IDC_TRACK_ENHANCING, IDC_SEARCH_MARK}) {
                 EXPECT_FALSE(e2e::is_visible(panel, id)) << id;
             }
             EXPECT_FALSE(e2e::is_visible(main, IDC_GUIDE_TOGGLE));
         }},
        {"without cut mode", {"-DEMO"}, searched, 1, {{START, "11001" "1" "1111" "011"}},
         [](HWND, HWND panel) { EXPECT_EQ(e2e::control_text(panel, IDOK), "Close"); }},
        {"job without marks", {"-DEMO", "-CUTMODE", "-NOTRM"}, searched, 1,
         {{START, "11000" "0" "0000" "000"}, {NEXT, "00001" "0" "0000" "000"}, {NEXT, "00000" "1" "0000" "000"},
          {NEXT, "00000" "0" "0000" "000"}, {NEXT, "00000" "0" "0000" "110"}},
         [](HWND main, HWND panel) {
             EXPECT_EQ(e2e::control_text(main, IDC_GUIDE_MESSAGE).substr(0, 29), "Specify the cutting position.");
             EXPECT_FALSE(IsDlgButtonChecked(panel, IDC_REGISTRATION_MARKS));
         }},
        {"distances given", {"-DEMO", "-CUTMODE", "-TB23,100,150"},
         {"GuideMenu=1", "PosSet=0", "TomboAutoRead=0", "CutCondAdjust=0"}, 1,
         {{START, "11000" "0" "0000" "000"}, {TOGGLE, "11001" "1" "0101" "011"}},
         [](HWND, HWND panel) { EXPECT_TRUE(IsDlgButtonChecked(panel, IDC_REGISTRATION_MARKS)); }},
        {"user media", {"-DEMO", "-CUTMODE"}, searched, 2,
         {{START, "10100" "0" "0000" "000"}, {NEXT, "00001" "0" "0000" "000"}},
         [](HWND, HWND panel) { EXPECT_TRUE(IsDlgButtonChecked(panel, IDC_ADJUST_SETTINGS)); }},
    };
    for (const Walk& w : walks) {
        SCOPED_TRACE(w.what);
        e2e::InstallCopy install;
        ASSERT_TRUE(e2e::add_media_file(&install, "Guide Media", 66, w.configuration_mode,
                                        {"[Defaults]", "Speed=5", "Force=2", "Cap=Red", "[User]", "Speed=5",
                                         "Force=2", "Cap=Red"}));
        std::vector<std::string> lines = w.settings;
        lines.push_back("MediaName=Guide Media");
        ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file(lines)));
        e2e::Program controller;
        HWND main = e2e::start_controller(&controller, install, w.words);
        ASSERT_TRUE(main);
        HWND panel = e2e::job_panel_of(main);
        int step = 0;
        for (std::size_t i = 0; i < w.moves.size(); ++i) {
            const Move& m = w.moves[i];
            if (m.button != START) {
                ASSERT_TRUE(e2e::click(main, m.button));
                step += m.button == NEXT ? 1 : m.button == PREVIOUS ? -1 : 0;
            }
            // The click is posted: give the refresh time to run.
            for (int wait = 0; wait < 100 && enabled_controls(panel) != m.enabled; ++wait) {
                Sleep(50);
            }
            EXPECT_EQ(enabled_controls(panel), m.enabled) << "move " << i << ", guide step " << step;
            if (step == 3 && m.button != TOGGLE && m.button != START) {
                HWND loading = controller.wait_dialog("Media loading");
                ASSERT_TRUE(loading);
                ASSERT_TRUE(e2e::answer(loading, IDOK));
            }
        }
        w.finally(main, panel);
        const bool cut_mode = std::count(w.words.begin(), w.words.end(), "-CUTMODE") != 0;
        e2e::close_and_expect_exit(&controller, main, cut_mode ? 1 : 0);
    }
}

}  // namespace
