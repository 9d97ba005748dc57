#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "workflow/job_panel_rules.h"
#include "workflow/mark_distances.h"

namespace {

// A cutter that records every write and refuses the writes whose numbers are listed.
struct Recorder {
    std::vector<std::string> writes;
    std::vector<int> refused;  // 0-based write numbers answered with RC_GENERAL_ERROR
};
Recorder g_cutter;

void ignore_debug(const char*) {}
ResultCode record_write(const void* bytes, std::uint32_t count, std::uint32_t)
{
    const int number = static_cast<int>(g_cutter.writes.size());
    g_cutter.writes.emplace_back(static_cast<const char*>(bytes), count);
    for (int r : g_cutter.refused) {
        if (r == number) return RC_GENERAL_ERROR;
    }
    return RC_SUCCESS;
}
ResultCode no_read(void*, std::uint32_t, std::uint32_t) { return RC_GENERAL_ERROR; }
void no_sleep(std::uint32_t) {}
void no_text(std::int32_t, char* text, std::size_t) { text[0] = '\0'; }

CutterLink recording_link(std::vector<int> refused = {})
{
    g_cutter = Recorder{{}, std::move(refused)};
    return CutterLink{ignore_debug, record_write, no_read, no_sleep, no_text, 0};
}

const std::string E = "\x03";

MediaRecord media(const char* name, std::int32_t mode, std::int32_t default_speed, std::int32_t default_press,
                  std::int32_t speed, std::int32_t press)
{
    MediaRecord m{};
    std::strcpy(m.Name, name);
    m.ConfigurationMode = mode;
    m.DefaultSpeed = default_speed;
    m.DefaultPress = default_press;
    m.Speed = speed;
    m.Press = press;
    return m;
}

TEST(JobPanelRules, ConditionBarsStepClampAndSendOnlyADroppedOrSteppedChange)
{
    constexpr auto S = ConditionBar::Speed;
    constexpr auto T = ConditionBar::Thickness;
    struct Case { ConditionBar bar; int code; std::int32_t stored, thumb; BarMove expected; };
    const Case cases[] = {
        {S, BAR_LINE_LEFT, 4, 0, {true, 3, true}},    {S, BAR_LINE_LEFT, 1, 0, {true, 1, false}},
        {S, BAR_LINE_RIGHT, 9, 0, {true, 10, true}},  {S, BAR_LINE_RIGHT, 10, 0, {true, 10, false}},
        {S, BAR_PAGE_LEFT, 4, 0, {true, 1, true}},    {S, BAR_PAGE_LEFT, 8, 0, {true, 3, true}},
        {S, BAR_PAGE_RIGHT, 7, 0, {true, 10, true}},  {S, BAR_PAGE_RIGHT, 10, 0, {true, 10, false}},
        {S, BAR_PAGE_RIGHT, 2, 0, {true, 7, true}},
        {T, BAR_LINE_LEFT, 2, 0, {true, 1, true}},    {T, BAR_LINE_RIGHT, 3, 0, {true, 3, false}},
        {T, BAR_PAGE_LEFT, 3, 0, {true, 2, true}},    {T, BAR_PAGE_RIGHT, 1, 0, {true, 2, true}},
        {T, BAR_PAGE_RIGHT, 3, 0, {true, 3, false}},
        // The thumb: followed while dragged, sent when dropped somewhere else.
        {S, BAR_THUMB_TRACK, 3, 8, {true, 8, false}}, {S, BAR_THUMB_POSITION, 3, 8, {true, 8, true}},
        {S, BAR_THUMB_POSITION, 8, 8, {true, 8, false}}, {T, BAR_THUMB_POSITION, 1, 3, {true, 3, true}},
        // SB_TOP, SB_BOTTOM and SB_ENDSCROLL are not steps of these bars.
        {S, 6, 5, 0, {false, 5, false}}, {T, 7, 2, 0, {false, 2, false}}, {S, 8, 5, 9, {false, 5, false}},
    };
    for (const Case& c : cases) {
        const BarMove m = condition_bar_move(c.bar, c.code, c.stored, c.thumb);
        EXPECT_EQ(m.Handled, c.expected.Handled) << c.code << " from " << c.stored;
        EXPECT_EQ(m.Value, c.expected.Value) << c.code << " from " << c.stored;
        EXPECT_EQ(m.Send, c.expected.Send) << c.code << " from " << c.stored;
    }
}

TEST(JobPanelRules, ASentBarValueIsStoredOnlyWhenTheCutterTookIt)
{
    for (const bool refused : {false, true}) {
        Settings settings{};
        settings.ActiveSpeed = 3;
        settings.ActivePress = 1;
        MediaRecord selected = media("m", MEDIA_ADJUSTABLE, 3, 1, 3, 1);
        const CutterLink link = recording_link(refused ? std::vector<int>{0, 1} : std::vector<int>{});
        const ResultCode speed = send_condition_bar(link, ConditionBar::Speed, 8, &settings, &selected);
        const ResultCode thickness = send_condition_bar(link, ConditionBar::Thickness, 2, &settings, &selected);
        EXPECT_EQ(g_cutter.writes, (std::vector<std::string>{"!8" + E, "*0,2" + E}));
        EXPECT_EQ(speed, refused ? RC_CUT_SPEED_FAILED : RC_SUCCESS);
        EXPECT_EQ(thickness, refused ? RC_CUT_PRESSURE_FAILED : RC_SUCCESS);
        EXPECT_EQ(settings.ActiveSpeed, refused ? 3 : 8);
        EXPECT_EQ(selected.Speed, refused ? 3 : 8);
        EXPECT_EQ(settings.ActivePress, refused ? 1 : 2);
        EXPECT_EQ(selected.Press, refused ? 1 : 2);
    }
}

TEST(JobPanelRules, AChosenMediaBringsTheValuesOfItsModeAndAFixedOneIsResetToItsDefaults)
{
    struct Case { std::int32_t mode, adjust; CuttingValues sent; };
    const Case cases[] = {
        {MEDIA_FIXED, 0, {4, 1}}, {MEDIA_FIXED, 1, {4, 1}},
        {MEDIA_ADJUSTABLE, 0, {4, 1}}, {MEDIA_ADJUSTABLE, 1, {9, 3}},
        {MEDIA_USER, 0, {9, 3}}, {MEDIA_USER, 1, {9, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << ", adjust " << c.adjust);
        MediaLibrary library{};
        library.Count = 2;
        library.Media[1] = media("chosen", c.mode, 4, 1, 9, 3);
        library.Media[1].ConditionNo = 101;
        library.Media[1].CutterOffset = 18;
        library.Media[1].Cap = CAP_YELLOW;
        Settings settings{};
        settings.CutCondAdjust = c.adjust;
        ASSERT_EQ(select_media(recording_link(), 1, &settings, &library), RC_SUCCESS);
        const std::string one_write = "FW101" + E + "!" + std::to_string(c.sent.Speed) + E + "*0," +
                                      std::to_string(c.sent.Press) + E + "FC18" + E;
        EXPECT_EQ(g_cutter.writes, std::vector<std::string>{one_write});
        EXPECT_EQ(settings.CutCondition, 1);
        EXPECT_EQ(settings.ActiveConditionNo, 101);
        EXPECT_EQ(settings.ActiveSpeed, c.sent.Speed);
        EXPECT_EQ(settings.ActivePress, c.sent.Press);
        EXPECT_EQ(settings.ActiveOffset, 18);
        EXPECT_EQ(settings.ActiveCap, CAP_YELLOW);
        const bool reset = c.mode == MEDIA_FIXED;
        EXPECT_EQ(library.Media[1].Speed, reset ? 4 : 9);
        EXPECT_EQ(library.Media[1].Press, reset ? 1 : 3);
    }
}

TEST(JobPanelRules, ARefusedOrImpossibleMediaChoiceChangesNothing)
{
    MediaLibrary library{};
    library.Count = 2;
    library.Media[1] = media("chosen", MEDIA_FIXED, 4, 1, 9, 3);
    Settings settings{};
    settings.CutCondition = 0;
    settings.ActiveSpeed = 5;
    EXPECT_EQ(select_media(recording_link({0}), 1, &settings, &library), RC_ALL_CONDITIONS_FAILED);
    for (const std::int32_t index : {-1, 2}) {  // nothing selected; past the library
        EXPECT_EQ(select_media(recording_link(), index, &settings, &library), RC_SUCCESS);
        EXPECT_TRUE(g_cutter.writes.empty());
    }
    EXPECT_EQ(settings.CutCondition, 0);
    EXPECT_EQ(settings.ActiveSpeed, 5);
    EXPECT_EQ(library.Media[1].Speed, 9);
}

TEST(JobPanelRules, AdjustSettingsSendsTheTrackEnhancingOfTheSwitchOnlyWhenTrackEnhancingIsOff)
{
    const MediaRecord selected = media("m", MEDIA_ADJUSTABLE, 4, 1, 9, 3);
    struct Case { bool checked; std::int32_t roll_action; std::vector<int> refused;
                  std::vector<std::string> writes; ResultCode code; };
    const std::string adjusted = "FW7" + E + "!9" + E + "*0,3" + E + "FC18" + E;
    const std::string defaults = "FW7" + E + "!4" + E + "*0,1" + E + "FC18" + E;
    const Case cases[] = {
        {true, 0, {}, {adjusted}, RC_SUCCESS},
        {true, 1, {}, {adjusted, "FY1" + E}, RC_SUCCESS},
        {false, 1, {}, {defaults, "FY0" + E}, RC_SUCCESS},
        {true, 1, {1}, {adjusted, "FY1" + E}, RC_TRACK_ENHANCING_FAILED},  // conditions taken, FY not
        {true, 1, {0}, {adjusted}, RC_ALL_CONDITIONS_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "checked " << c.checked << ", RollAction " << c.roll_action);
        Settings settings{};
        settings.ActiveConditionNo = 7;
        settings.ActiveOffset = 18;
        settings.RollAction = c.roll_action;
        settings.CutCondAdjust = c.checked ? 0 : 1;
        settings.ActiveSpeed = 5;
        EXPECT_EQ(toggle_adjust_settings(recording_link(c.refused), c.checked, selected, &settings), c.code);
        EXPECT_EQ(g_cutter.writes, c.writes);
        const bool stored = c.code == RC_SUCCESS;
        EXPECT_EQ(settings.CutCondAdjust, stored == c.checked ? 1 : 0);
        EXPECT_EQ(settings.ActiveSpeed, stored ? (c.checked ? 9 : 4) : 5);
    }
}

TEST(JobPanelRules, TrackEnhancingAndOrientationKeepTheirValueWhenRefused)
{
    Settings settings{};
    settings.RollAction = 1;
    EXPECT_EQ(toggle_track_enhancing(recording_link(), true, &settings), RC_SUCCESS);
    EXPECT_EQ(g_cutter.writes, std::vector<std::string>{"FY0" + E});  // checked is sent as 0
    EXPECT_EQ(settings.RollAction, 0);
    EXPECT_EQ(toggle_track_enhancing(recording_link({0}), false, &settings), RC_TRACK_ENHANCING_FAILED);
    EXPECT_EQ(settings.RollAction, 0);

    bool changed = true;
    settings.Direction = DIRECTION_LANDSCAPE;
    EXPECT_EQ(set_orientation(recording_link(), DIRECTION_PORTRAIT, false, &settings, &changed), RC_SUCCESS);
    EXPECT_TRUE(g_cutter.writes.empty());  // the button did not become checked
    EXPECT_FALSE(changed);
    EXPECT_EQ(set_orientation(recording_link({0}), DIRECTION_PORTRAIT, true, &settings, &changed),
              RC_ORIENTATION_FAILED);
    EXPECT_EQ(settings.Direction, DIRECTION_LANDSCAPE);
    EXPECT_EQ(set_orientation(recording_link(), DIRECTION_PORTRAIT, true, &settings, &changed), RC_SUCCESS);
    EXPECT_EQ(g_cutter.writes, std::vector<std::string>{"FN1" + E});
    EXPECT_TRUE(changed);
    EXPECT_EQ(settings.Direction, DIRECTION_PORTRAIT);
}

TEST(JobPanelRules, OnlyFixedThinFactoryMediaNamedExactlyGetTheThinMediaCaption)
{
    const char* const thin[THIN_MEDIA_NAME_COUNT] = {"Vinyl Film", "Film Labels", "Magnetic Sheet", "Thin Media"};
    struct Case { const char* name; std::int32_t mode; unsigned caption; };
    const Case cases[] = {
        {"Vinyl Film", MEDIA_FIXED, IDS_THICKNESS_THIN_MEDIA}, {"Thin Media", MEDIA_FIXED, IDS_THICKNESS_THIN_MEDIA},
        {"Magnetic Sheet", MEDIA_FIXED, IDS_THICKNESS_THIN_MEDIA},
        {"vinyl film", MEDIA_FIXED, IDS_THICKNESS}, {"Vinyl Film ", MEDIA_FIXED, IDS_THICKNESS},
        {"Vinyl Film", MEDIA_ADJUSTABLE, IDS_THICKNESS}, {"Film Labels", MEDIA_USER, IDS_THICKNESS},
        {"Paper Labels", MEDIA_FIXED, IDS_THICKNESS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(thickness_caption_id(media(c.name, c.mode, 1, 1, 1, 1), thin), c.caption) << c.name << " " << c.mode;
    }
}

TEST(JobPanelRules, CommandLineDistancesAndMarkSizeAreCheckedConvertedAndReportedOnce)
{
    struct Case {
        const char* what;
        std::int32_t direction, cut_mode, no_marks, distances_given;
        double horizontal, vertical;
        std::int32_t size_given;
        double size;
        bool show;
        std::int32_t shown_h, shown_v;
        bool send_size;
        ResultCode launch_result;
    };
    const Case cases[] = {
        // Written with "%lf" and read back to one decimal, cut toward zero.
        {"in range", 0, 0, 0, 1, 100.05, 12.39, 0, 0, true, 100000, 12300, false, RC_ORIENTATION_OPTION},
        {"edges", 0, 0, 0, 1, 970.0, 192.0, 1, 20.0, true, 970000, 192000, true, RC_ORIENTATION_OPTION},
        {"971 mm landscape", 0, 0, 0, 1, 971.0, 100.0, 0, 0, false, 0, 0, false, RC_DISTANCE_OPTION},
        {"portrait limits", 1, 0, 0, 1, 193.0, 100.0, 0, 0, false, 0, 0, false, RC_DISTANCE_OPTION},
        {"negative", 1, 0, 0, 1, 100.0, -0.1, 0, 0, false, 0, 0, false, RC_DISTANCE_OPTION},
        {"not given", 0, 0, 0, 0, 971.0, 100.0, 0, 0, false, 0, 0, false, RC_ORIENTATION_OPTION},
        {"cut without marks", 0, 1, 1, 1, 971.0, 100.0, 0, 0, false, 0, 0, false, RC_ORIENTATION_OPTION},
        {"no marks outside cut mode", 0, 0, 1, 1, 971.0, 100.0, 0, 0, false, 0, 0, false, RC_DISTANCE_OPTION},
        {"bad distance and 4 mm mark", 0, 0, 0, 1, 971.0, 1.0, 1, 4.0, false, 0, 0, false, RC_MARK_SIZE_OPTION},
        {"mark 4.99", 0, 0, 0, 0, 0, 0, 1, 4.99, false, 0, 0, false, RC_MARK_SIZE_OPTION},
        {"mark 5", 0, 0, 0, 0, 0, 0, 1, 5.0, false, 0, 0, true, RC_ORIENTATION_OPTION},
        {"mark 20.01", 0, 0, 0, 0, 0, 0, 1, 20.01, false, 0, 0, false, RC_MARK_SIZE_OPTION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LaunchOptions options{};
        options.CutMode = c.cut_mode;
        options.NoRegistrationMarks = c.no_marks;
        options.DistancesGiven = c.distances_given;
        options.HorizontalDistance = c.horizontal;
        options.VerticalDistance = c.vertical;
        options.MarkSizeGiven = c.size_given;
        options.MarkSize = c.size;
        options.HorizontalDistanceConverted = options.VerticalDistanceConverted = -7;
        options.LaunchResult = RC_ORIENTATION_OPTION;  // set earlier by the main window
        const CommandLineValues v = take_command_line_values(c.direction, &options);
        EXPECT_EQ(v.ShowDistances, c.show);
        EXPECT_EQ(v.SendMarkSize, c.send_size);
        EXPECT_EQ(options.LaunchResult, c.launch_result);
        if (c.show) {
            EXPECT_EQ(v.Horizontal, c.shown_h);
            EXPECT_EQ(v.Vertical, c.shown_v);
            EXPECT_EQ(options.HorizontalDistanceConverted, c.shown_h);
            EXPECT_EQ(options.VerticalDistanceConverted, c.shown_v);
        } else {
            EXPECT_EQ(options.HorizontalDistanceConverted, -7);
        }
    }
}

}  // namespace
