#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "settings/settings_record.h"

namespace {

TEST(SettingsRules, FirmwareVersionTwoOrMoreReadsMediaFilesReadWithinItsBuffer)
{
    struct Case { const char* version; bool files; };
    const Case cases[] = {{"1.00 Demo Mode", false}, {"2", true}, {"1.9999999", false}, {"Ver 2.01", false}, {"NaN 2", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(firmware_reads_media_files(c.version, std::strlen(c.version) + 1), c.files)
            << '"' << c.version << '"';
    }
    const char unterminated[3] = {'1', '2', '3'};  // "12" of a text without terminator
    EXPECT_TRUE(firmware_reads_media_files(unterminated, 2));
    EXPECT_FALSE(firmware_reads_media_files(unterminated, 1));
}

TEST(SettingsRules, ValuesReadAreKeptInTheirRanges)
{
    struct Case { std::int32_t read, built_in, press; };
    for (const Case& c : {Case{0, 0, 1}, {3, 3, 3}, {4, 4, 1}, {11, 11, 1}, {12, 0, 1}, {INT_MIN, 0, 1}}) {
        EXPECT_EQ(std::make_pair(built_in_selection(c.read), cut_press_value(c.read)), std::make_pair(c.built_in, c.press))
            << c.read;
    }
}

MediaRecord media(std::int32_t mode)
{
    MediaRecord r;
    empty_media_record(&r);
    std::tie(r.ConfigurationMode, r.ConditionNo, r.DefaultSpeed, r.DefaultPress, r.Speed, r.Press, r.Cap, r.CutterOffset) =
        std::make_tuple(mode, 104, 8, 2, 3, 1, CAP_RED, 18);
    return r;
}

TEST(SettingsRules, SelectedMediaGivesTheConditionsToSendByModeAndAdjustment)
{
    struct Case { std::int32_t mode, adjust, speed, press; };
    const Case cases[] = {
        {MEDIA_FIXED, -5, 3, 1}, {MEDIA_ADJUSTABLE, 0, 8, 2}, {MEDIA_ADJUSTABLE, 2, 3, 1},
        {MEDIA_USER, 0, 3, 1},   {3, 0, 77, 66},  // an unknown mode keeps what was sent before
    };
    for (const Case& c : cases) {
        Settings settings{};
        settings.CutCondAdjust = c.adjust;
        settings.ActiveSpeed = 77;
        settings.ActivePress = 66;
        take_selected_media(media(c.mode), &settings);
        EXPECT_EQ(std::vector<std::int32_t>({settings.ActiveConditionNo, settings.ActiveOffset, settings.ActiveCap,
                                             settings.ActiveSpeed, settings.ActivePress}),
                  std::vector<std::int32_t>({104, 18, CAP_RED, c.speed, c.press}))
            << "mode " << c.mode << " adjust " << c.adjust;
    }
}

TEST(SettingsRules, OrientationOptionReplacesDirectionOrMarksTheLaunchResult)
{
    struct Case { std::int32_t given, orientation, direction; ResultCode launch_result; };
    const Case cases[] = {{0, 1, 5, 0}, {1, 0, 0, 0}, {1, 1, 1, 0}, {1, 2, 5, 250}, {1, -1, 5, 250}};
    for (const Case& c : cases) {
        LaunchOptions options;
        reset_launch_options(&options);
        options.OrientationGiven = c.given;
        options.Orientation = c.orientation;
        Settings settings{};
        settings.Direction = 5;
        apply_orientation_option(&settings, &options);
        EXPECT_EQ(std::make_pair(settings.Direction, options.LaunchResult), std::make_pair(c.direction, c.launch_result))
            << "given " << c.given << " orientation " << c.orientation;
    }
}

TEST(SettingsRules, StoredDistancesAreCutToTenthsOfAMillimetreTowardZero)
{
    struct Case { std::int32_t micrometres; double millimetres; };
    // The limits 970.0 and 192.0 must come out exactly, or the range check would move by one
    // tenth: 970099 is still 970.0 mm, 970100 is 970.1 mm.
    const Case cases[] = {{970099, 970.0}, {970100, 970.1}, {192099, 192.0}, {-99, 0.0}, {-100, -0.1},
                          {INT_MIN, -2147483.6}};
    for (const Case& c : cases) {
        const MillimetreDistances both = stored_distances_in_millimetres(c.micrometres, c.micrometres);
        EXPECT_EQ(std::make_pair(both.Horizontal, both.Vertical), std::make_pair(c.millimetres, c.millimetres));
    }
}

TEST(SettingsRules, SavedKeysFollowTheFileOrderWithFlagsAsZeroOrOne)
{
    Settings settings{};
    std::tie(settings.GuideMenu, settings.CutCondAdjust, settings.RollAction, settings.Direction, settings.PosSet,
             settings.TomboDisX, settings.TomboDisY, settings.TomboAutoRead, settings.Unit, settings.CutCondition) =
        std::make_tuple(5, -3, 7, 1, 2, -970100, 192000, 0, 9, 11);
    MediaRecord selected = media(MEDIA_FIXED);
    std::strcpy(selected.Name, std::string(64, 'n').c_str());
    selected.Press = INT_MIN;
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(settings, selected, entries);
    std::string lines;
    for (const ProfileEntry& entry : entries) {
        EXPECT_STREQ(entry.Section, "Main_Section");
        lines += std::string(entry.Key) + "=" + entry.Value + " ";
    }
    EXPECT_EQ(lines, "GuideMenu=1 MediaName=" + std::string(64, 'n') + " CutCondAdjust=-3 RollAction=1 Direction=1 "
                     "PosSet=2 TomboDisX=-970100 TomboDisY=192000 TomboAutoRead=0 Unit=9 CutCondition=11 CutSpeed=3 "
                     "CutPress=-2147483648 ");
}

// `read settings` over a source whose only key is RollAction=1 and a media folder of one
// adjustable pen media: the defaults it takes and the commands it sends, in order.
std::vector<std::string> g_sent;
std::size_t g_failing = 99;  // the write that fails

ResultCode record_write(const void* bytes, std::uint32_t count, std::uint32_t)
{
    g_sent.emplace_back(static_cast<const char*>(bytes), count);
    return g_sent.size() == g_failing + 1 ? RC_GENERAL_ERROR : RC_SUCCESS;
}

TEST(SettingsRules, TheDefaultsHoldAndTheSelectedMediasDefaultsAreSent)
{
    // Track enhancing stays off while the adjusted settings are not in use.
    const std::vector<std::string> all = {"FW100\x03", "!6\x03", "*0,3\x03", "FC0\x03", "FY0\x03", "FE0\x03"};
    struct Case { std::int32_t cut_mode; bool empty_folder; std::size_t failing; ResultCode code; std::size_t sent; };
    const Case cases[] = {{0, false, 99, RC_SUCCESS, 6}, {1, false, 99, RC_SUCCESS, 6}, {1, true, 99, RC_MEDIA_LIST_MISSING, 0},
                          {0, false, 0, RC_CONDITION_NUMBER_FAILED, 1},
                          {0, false, 5, RC_THICK_MEDIA_FAILED, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cut_mode << c.empty_folder << c.failing);
        LaunchOptions options;
        reset_launch_options(&options);
        options.CutMode = c.cut_mode;
        Settings settings{};
        std::strcpy(settings.FirmwareVersion, "2.01");
        MediaLibrary library;
        g_sent.clear();
        g_failing = c.failing;
        const SettingsReader reader{
            [](const void*, const char* key, std::int32_t fallback) { return std::strcmp(key, "RollAction") == 0 ? 1 : fallback; },
            [](const void*, const char*, const char* fallback, char* text, std::size_t size) {
                std::snprintf(text, size, "%s", fallback);
            },
            [](const void* empty, const char* select_name, MediaLibrary* library) {
                clear_media_library(library);
                if (empty == nullptr) {
                    EXPECT_TRUE(add_media_record(library, "Pen", MediaFileValues{7, MEDIA_ADJUSTABLE, 6, 3, 4, 2, CAP_PEN}));
                }
                return number_media_and_select(library, select_name);
            },
            nullptr, c.empty_folder ? &options : nullptr};
        const CutterLink link{[](const char*) {}, record_write, nullptr, [](std::uint32_t) {}, nullptr, 0};
        const MarkDistanceCheck valid = [](std::int32_t, double, double, std::int32_t) -> ResultCode { return RC_SUCCESS; };
        ASSERT_EQ(read_settings_from(reader, link, valid, &options, &settings, &library), c.code);
        EXPECT_EQ(g_sent, std::vector<std::string>(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(c.sent)));
        if (c.code == RC_SUCCESS) {
            EXPECT_EQ(std::make_tuple(settings.GuideMenu, settings.Unit, settings.TomboAutoRead, settings.RollAction),
                      std::make_tuple(c.cut_mode, 1, 1, 1));  // the guide comes up in cut mode
        }
    }
}

}  // namespace
