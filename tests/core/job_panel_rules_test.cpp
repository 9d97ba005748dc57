#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <string>
#include <vector>

#include "workflow/job_panel_rules.h"
#include "workflow/mark_distances.h"

namespace {

// A cutter that records every write and refuses the writes whose (0-based) numbers are listed.
std::vector<std::string> g_writes;
std::vector<int> g_refused;

ResultCode record_write(const void* bytes, std::uint32_t count, std::uint32_t)
{
    g_writes.emplace_back(static_cast<const char*>(bytes), count);
    const int number = static_cast<int>(g_writes.size()) - 1;
    return std::count(g_refused.begin(), g_refused.end(), number) != 0 ? RC_GENERAL_ERROR : RC_SUCCESS;
}

CutterLink recording_link(std::vector<int> refused = {})
{
    g_writes.clear();
    g_refused = std::move(refused);
    return CutterLink{[](const char*) {}, record_write, [](void*, std::uint32_t, std::uint32_t) -> ResultCode { return RC_GENERAL_ERROR; },
                      [](std::uint32_t) {}, [](std::int32_t, char* text, std::size_t) { text[0] = '\0'; }, 0};
}

const std::string E = "\x03";

MediaRecord media(const char* name, std::int32_t mode, std::int32_t default_speed, std::int32_t default_press,
                  std::int32_t speed, std::int32_t press)
{
    MediaRecord m{};
    std::strcpy(m.Name, name);
    std::tie(m.ConfigurationMode, m.DefaultSpeed, m.DefaultPress, m.Speed, m.Press) =
        std::tie(mode, default_speed, default_press, speed, press);
    return m;
}

TEST(JobPanelRules, TheSpeedBarPagesByFiveAndTheThicknessBarByOne)
{
    EXPECT_EQ(bar_step(CONDITION_SPEED_SCALE, BAR_PAGE_RIGHT, 4, 0).Value, 9);
    EXPECT_EQ(bar_step(CONDITION_THICKNESS_SCALE, BAR_PAGE_RIGHT, 1, 0).Value, 2);
}

TEST(JobPanelRules, ARefusedBarValueIsNotStored)
{
    Settings settings{};
    std::tie(settings.ActiveSpeed, settings.ActivePress) = std::make_tuple(3, 1);
    MediaRecord selected = media("m", MEDIA_ADJUSTABLE, 3, 1, 3, 1);
    const CutterLink link = recording_link({0, 1});
    EXPECT_EQ(send_condition_bar(link, ConditionBar::Speed, 8, &settings, &selected), RC_CUT_SPEED_FAILED);
    EXPECT_EQ(send_condition_bar(link, ConditionBar::Thickness, 2, &settings, &selected), RC_CUT_PRESSURE_FAILED);
    EXPECT_EQ(g_writes, (std::vector<std::string>{"!8" + E, "*0,2" + E}));
    EXPECT_EQ(std::make_tuple(settings.ActiveSpeed, selected.Speed, settings.ActivePress, selected.Press),
              std::make_tuple(3, 3, 1, 1));
}

TEST(JobPanelRules, AChosenMediaBringsTheValuesOfItsModeAndAFixedOneIsResetToItsDefaults)
{
    struct Case { std::int32_t mode, adjust, speed, press; };
    const Case cases[] = {{MEDIA_FIXED, 1, 4, 1}, {MEDIA_ADJUSTABLE, 0, 4, 1}, {MEDIA_ADJUSTABLE, 1, 9, 3},
                          {MEDIA_USER, 0, 9, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", adjust " << c.adjust);
        MediaLibrary library{};
        library.Count = 2;
        library.Media[1] = media("chosen", c.mode, 4, 1, 9, 3);
        std::tie(library.Media[1].ConditionNo, library.Media[1].CutterOffset, library.Media[1].Cap) =
            std::make_tuple(101, 18, CAP_YELLOW);
        Settings settings{};
        settings.CutCondAdjust = c.adjust;
        ASSERT_EQ(select_media(recording_link(), 1, &settings, &library), RC_SUCCESS);
        EXPECT_EQ(g_writes, std::vector<std::string>{"FW101" + E + "!" + std::to_string(c.speed) + E + "*0," +
                                                     std::to_string(c.press) + E + "FC18" + E});
        EXPECT_EQ(std::make_tuple(settings.CutCondition, settings.ActiveSpeed, settings.ActivePress, settings.ActiveCap),
                  std::make_tuple(1, c.speed, c.press, static_cast<std::int32_t>(CAP_YELLOW)));
        const bool reset = c.mode == MEDIA_FIXED;
        EXPECT_EQ(std::make_tuple(library.Media[1].Speed, library.Media[1].Press),
                  std::make_tuple(reset ? 4 : 9, reset ? 1 : 3));
        for (const std::int32_t index : {-1, 2}) {  // nothing selected; past the library
            EXPECT_EQ(select_media(recording_link(), index, &settings, &library), RC_SUCCESS);
            EXPECT_TRUE(g_writes.empty());
        }
    }
}

TEST(JobPanelRules, AdjustSettingsSendsTheTrackEnhancingOfTheSwitchOnlyWhenTrackEnhancingIsOff)
{
    const MediaRecord selected = media("m", MEDIA_ADJUSTABLE, 4, 1, 9, 3);
    const std::string adjusted = "FW7" + E + "!9" + E + "*0,3" + E + "FC18" + E;
    const std::string defaults = "FW7" + E + "!4" + E + "*0,1" + E + "FC18" + E;
    struct Case { bool checked; std::int32_t roll; std::vector<int> refused; std::vector<std::string> writes; ResultCode code; };
    const Case cases[] = {
        {true, 1, {}, {adjusted, "FY1" + E}, RC_SUCCESS},
        {false, 1, {}, {defaults, "FY0" + E}, RC_SUCCESS},
        {true, 0, {}, {adjusted}, RC_SUCCESS},  // track enhancing on: nothing to restore
        {true, 1, {1}, {adjusted, "FY1" + E}, RC_TRACK_ENHANCING_FAILED},  // conditions taken, FY not
        {true, 1, {0}, {adjusted}, RC_ALL_CONDITIONS_FAILED},
    };
    for (const Case& c : cases) {
        Settings settings{};
        std::tie(settings.ActiveConditionNo, settings.ActiveOffset, settings.RollAction, settings.ActiveSpeed) =
            std::make_tuple(7, 18, c.roll, 5);
        settings.CutCondAdjust = c.checked ? 0 : 1;
        EXPECT_EQ(toggle_adjust_settings(recording_link(c.refused), c.checked, selected, &settings), c.code);
        EXPECT_EQ(g_writes, c.writes);
        const bool stored = c.code == RC_SUCCESS;
        EXPECT_EQ(settings.CutCondAdjust, stored == c.checked ? 1 : 0);
        EXPECT_EQ(settings.ActiveSpeed, stored ? (c.checked ? 9 : 4) : 5);
    }
}

TEST(JobPanelRules, TrackEnhancingIsSentInvertedAndARefusedSwitchKeepsItsValue)
{
    Settings settings{};
    settings.RollAction = 1;
    EXPECT_EQ(toggle_track_enhancing(recording_link(), true, &settings), RC_SUCCESS);
    EXPECT_EQ(g_writes, std::vector<std::string>{"FY0" + E});  // checked is sent as 0
    EXPECT_EQ(settings.RollAction, 0);
    EXPECT_EQ(toggle_track_enhancing(recording_link({0}), false, &settings), RC_TRACK_ENHANCING_FAILED);
    EXPECT_EQ(settings.RollAction, 0);
    bool changed = true;
    EXPECT_EQ(set_orientation(recording_link(), DIRECTION_PORTRAIT, false, &settings, &changed), RC_SUCCESS);
    EXPECT_EQ(set_orientation(recording_link({0}), DIRECTION_PORTRAIT, true, &settings, &changed),
              RC_ORIENTATION_FAILED);
    EXPECT_EQ(std::make_tuple(settings.Direction, changed), std::make_tuple(DIRECTION_LANDSCAPE, false));
    EXPECT_EQ(set_orientation(recording_link(), DIRECTION_LANDSCAPE, true, &settings, &changed), RC_SUCCESS);
    EXPECT_TRUE(g_writes.empty());  // already landscape: nothing to send
}

TEST(JobPanelRules, OnlyFixedThinFactoryMediaNamedExactlyGetTheThinMediaCaption)
{
    const char* const thin[THIN_MEDIA_NAME_COUNT] = {"Vinyl Film", "Film Labels", "Magnetic Sheet", "Thin Media"};
    struct Case { const char* name; std::int32_t mode; unsigned caption; };
    const Case cases[] = {{"Thin Media", MEDIA_FIXED, IDS_THICKNESS_THIN_MEDIA}, {"vinyl film", MEDIA_FIXED, IDS_THICKNESS},
                          {"Vinyl Film", MEDIA_ADJUSTABLE, IDS_THICKNESS}};
    for (const Case& c : cases) {
        EXPECT_EQ(thickness_caption_id(media(c.name, c.mode, 1, 1, 1, 1), thin), c.caption) << c.name;
    }
}

TEST(JobPanelRules, CommandLineDistancesAndMarkSizeAreCheckedConvertedAndReportedOnce)
{
    constexpr double NONE = -1000.0;  // option not given
    constexpr ResultCode EARLIER = RC_ORIENTATION_OPTION;  // set by the main window before
    struct Case {
        std::int32_t direction, cut_mode, no_marks;
        double horizontal, vertical, size;
        ResultCode launch_result;
        std::int32_t shown_h, shown_v;  // -1: nothing shown
        bool send_size;
    };
    const Case cases[] = {
        // Written with "%lf" and read back to one decimal, cut toward zero.
        {0, 0, 0, 100.05, 12.39, NONE, EARLIER, 100000, 12300, false},
        {0, 0, 0, 970.0, 192.0, 20.0, EARLIER, 970000, 192000, true},
        {1, 0, 0, 100.0, -0.1, NONE, RC_DISTANCE_OPTION, -1, -1, false},
        {0, 1, 1, 971.0, 100.0, NONE, EARLIER, -1, -1, false},  // a cut without marks ignores them
        {0, 0, 1, 971.0, 100.0, NONE, RC_DISTANCE_OPTION, -1, -1, false},
        {0, 0, 0, 971.0, 1.0, 4.99, RC_MARK_SIZE_OPTION, -1, -1, false},  // the later failure is said
        {0, 0, 0, NONE, NONE, 5.0, EARLIER, -1, -1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.horizontal << " x " << c.vertical << ", mark " << c.size);
        LaunchOptions o{};
        std::tie(o.CutMode, o.NoRegistrationMarks, o.HorizontalDistance, o.VerticalDistance, o.MarkSize) =
            std::tie(c.cut_mode, c.no_marks, c.horizontal, c.vertical, c.size);
        o.DistancesGiven = c.horizontal != NONE;
        o.MarkSizeGiven = c.size != NONE;
        o.HorizontalDistanceConverted = o.VerticalDistanceConverted = -1;
        o.LaunchResult = EARLIER;
        const CommandLineValues v = take_command_line_values(c.direction, &o);
        EXPECT_EQ(std::make_tuple(o.LaunchResult, v.SendMarkSize, o.HorizontalDistanceConverted, o.VerticalDistanceConverted),
                  std::make_tuple(c.launch_result, c.send_size, c.shown_h, c.shown_v));
        EXPECT_EQ(v.ShowDistances, c.shown_h != -1);
        if (v.ShowDistances) {
            EXPECT_EQ(std::make_tuple(v.Horizontal, v.Vertical), std::make_tuple(c.shown_h, c.shown_v));
        }
    }
}

}  // namespace
