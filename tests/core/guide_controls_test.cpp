#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "guide/guide_controls.h"
#include "resources/resource_ids.h"

namespace {

// A full refresh in the guide's order (the mark controls may force PosSet, which the later ones
// read): one character per PanelGroup, then the PosSet and CutCondAdjust stored.
std::string refresh(Settings s, const LaunchOptions& options, std::int32_t configuration_mode)
{
    std::string enabled(PANEL_GROUP_COUNT, '?');
    auto take = [&](const auto& switches) {
        for (const GroupSwitch& g : switches) {
            enabled[g.group] = g.on ? '1' : '0';
        }
    };
    const MediaDecisions media = media_decisions(s, configuration_mode);
    s.CutCondAdjust = media.CutCondAdjust;
    take(media.switches);
    take(orientation_decisions(s).switches);
    const MarkDecisions marks = mark_decisions(s, options);
    s.PosSet = marks.PosSet;
    take(marks.switches);
    const SetOriginDecisions origin = set_origin_decisions(s);
    const BladePositionDecisions blade = blade_position_decisions(s);
    take(origin.switches);
    take(blade.switches);
    take(cut_button_decisions(s, options).switches);
    // The pad's buttons follow their labels.
    EXPECT_EQ(media.TestCutState == PAD_BUTTON_IDLE, enabled[GROUP_ADJUSTMENT] == '1');
    EXPECT_EQ(origin.SetOriginState == PAD_BUTTON_IDLE, enabled[GROUP_SET_ORIGIN] == '1');
    EXPECT_EQ(blade.DirectionSet == PAD_ARROWS_ENABLED, enabled[GROUP_BLADE_POSITION] == '1');
    return enabled + " " + std::to_string(s.PosSet) + std::to_string(s.CutCondAdjust);
}

constexpr int HIDDEN = -1;

TEST(GuideControls, EachStepOffersOnlyWhatItAllowsAndTheLaunchOptionsForceTheirValues)
{
    enum Job { CUT, NO_CUT_MODE, CUT_NO_MARKS, CUT_DISTANCES_GIVEN };
    // expected: media, Adjust Settings, adjustment, Track Enhancing, cap text | orientation | marks
    // box, search, distances, reading | set origin | arrows | cut, then PosSet and CutCondAdjust
    struct Case { const char* what; int step; Job job; std::int32_t pos_set, auto_read, adjust, press, configuration_mode,
                  calibration_open; const char* expected; };
    // Base: a job with marks searched by "Cut...", factory media, factory speed and force.
    const Case cases[] = {
        {"hidden",                       HIDDEN, CUT, 1, 1, 0, 3, 1, 0, "11001" "1" "1100" "0" "1" "1 10"},
        {"step 0",                       0, CUT, 1, 1, 0, 3, 1, 0, "11000" "0" "0000" "0" "0" "0 10"},
        {"step 4, marks searched",       4, CUT, 1, 1, 0, 3, 1, 0, "00000" "0" "1100" "0" "0" "0 10"},
        {"step 5",                       5, CUT, 1, 1, 0, 3, 1, 0, "00000" "0" "0000" "0" "0" "1 10"},
        {"step 0, adjusted thick media", 0, CUT, 1, 1, 1, 3, 1, 0, "11110" "0" "0000" "0" "0" "0 11"},
        {"step 0, adjusted media of 2",  0, CUT, 1, 1, 1, 2, 1, 0, "11100" "0" "0000" "0" "0" "0 11"},
        {"step 3, user media",           3, CUT, 1, 1, 0, 2, 2, 0, "00000" "0" "0000" "0" "0" "0 11"},
        {"step 4, marks read by hand",   4, CUT, 1, 0, 0, 3, 1, 0, "00000" "0" "1111" "0" "1" "0 10"},
        {"step 4, marks off",            4, CUT, 0, 1, 0, 3, 1, 0, "00000" "0" "1000" "1" "1" "0 00"},
        {"step 3, calibration open",     3, CUT, 1, 1, 0, 3, 1, 1, "00000" "0" "0000" "0" "1" "0 10"},
        {"step 2, no cut mode",          2, NO_CUT_MODE, 1, 1, 0, 3, 1, 0, "00000" "1" "0000" "0" "0" "1 10"},
        {"step 1, job without marks",    1, CUT_NO_MARKS, 1, 1, 0, 3, 1, 0, "00001" "0" "0000" "0" "0" "0 00"},
        {"step 4, distances given",      4, CUT_DISTANCES_GIVEN, 0, 1, 0, 3, 1, 0, "00000" "0" "0100" "0" "0" "0 10"},
        {"step 4, given, read by hand",  4, CUT_DISTANCES_GIVEN, 0, 0, 0, 3, 1, 0, "00000" "0" "0101" "0" "1" "0 10"},
    };
    for (const Case& c : cases) {
        Settings s{};
        s.GuideMenu = c.step == HIDDEN ? 0 : 1;
        s.GuideStep = c.step == HIDDEN ? 2 : c.step;
        std::tie(s.PosSet, s.TomboAutoRead, s.CutCondAdjust, s.ActivePress, s.CalibrationOpen) =
            std::make_tuple(c.pos_set, c.auto_read, c.adjust, c.press, c.calibration_open);
        LaunchOptions o{};
        o.CutMode = c.job == NO_CUT_MODE ? 0 : 1;
        o.NoRegistrationMarks = c.job == CUT_NO_MARKS ? 1 : 0;
        o.DistancesGiven = c.job == CUT_DISTANCES_GIVEN ? 1 : 0;
        EXPECT_EQ(refresh(s, o, c.configuration_mode), c.expected) << c.what;
    }
}

TEST(GuideControls, TheOrientationButtonOfTheDirectionIsChecked)
{
    Settings s{};
    EXPECT_EQ(orientation_decisions(s).checked_button, IDC_LANDSCAPE);
    s.Direction = 1;
    EXPECT_EQ(orientation_decisions(s).checked_button, IDC_PORTRAIT);
}

}  // namespace
