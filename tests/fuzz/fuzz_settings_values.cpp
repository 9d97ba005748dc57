// Feeds random values to the rules `read settings` applies to what it reads from QMACTL.INI and
// the cutter, and to the keys `save settings` writes. The firmware version is given as a text of
// any bytes in a buffer of exactly its size (no terminator), as the version query may leave it;
// the numbers are any 32-bit values a hand-edited settings file may hold. Checked: every rule
// keeps its value in its range; the stored distances lose less than a tenth of a millimetre; the
// keys written are terminated and read back to the values they came from.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/settings_record.h"

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

std::int32_t number_of(const char* text)
{
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    check(end != text && *end == '\0' && errno == 0, "a written number is one whole number");
    check(value >= INT32_MIN && value <= INT32_MAX, "a written number fits 32 bits");
    return static_cast<std::int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Settings settings{};
    settings.CutCondAdjust = input.ConsumeIntegral<std::int32_t>();
    settings.RollAction = input.ConsumeIntegral<std::int32_t>();
    settings.Direction = input.ConsumeIntegral<std::int32_t>();
    settings.PosSet = input.ConsumeIntegral<std::int32_t>();
    settings.TomboDisX = input.ConsumeIntegral<std::int32_t>();
    settings.TomboDisY = input.ConsumeIntegral<std::int32_t>();
    settings.TomboAutoRead = input.ConsumeIntegral<std::int32_t>();
    settings.Unit = input.ConsumeIntegral<std::int32_t>();
    settings.CutCondition = input.ConsumeIntegral<std::int32_t>();
    settings.GuideMenu = input.ConsumeIntegral<std::int32_t>();
    MediaRecord selected;
    empty_media_record(&selected);
    selected.ConfigurationMode = input.ConsumeIntegralInRange<std::int32_t>(-1, 3);
    selected.ConditionNo = input.ConsumeIntegral<std::int32_t>();
    selected.DefaultSpeed = input.ConsumeIntegral<std::int32_t>();
    selected.DefaultPress = input.ConsumeIntegral<std::int32_t>();
    selected.Speed = input.ConsumeIntegral<std::int32_t>();
    selected.Press = input.ConsumeIntegral<std::int32_t>();
    selected.Cap = input.ConsumeIntegral<std::int32_t>();
    selected.CutterOffset = input.ConsumeIntegral<std::int32_t>();
    LaunchOptions options;
    reset_launch_options(&options);
    options.OrientationGiven = input.ConsumeBool() ? 1 : 0;
    options.Orientation = input.ConsumeIntegral<std::int32_t>();
    const std::string name = input.ConsumeRandomLengthString(MEDIA_NAME_LIMIT);
    std::snprintf(selected.Name, sizeof selected.Name, "%s", name.c_str());
    const std::vector<char> version = input.ConsumeRemainingBytes<char>();

    // The firmware version is looked at only within its size, and read as strtod reads it.
    const char nothing = 'x';
    const bool files =
        firmware_reads_media_files(version.empty() ? &nothing : version.data(), version.size());
    std::string text(version.begin(), version.end());
    text = text.c_str();
    if (text.size() > VERSION_TEXT_SIZE) {
        text.resize(VERSION_TEXT_SIZE);
    }
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    check(files == (end != text.c_str() && !(number < 2.0)), "media files from version 2.0 on");

    // Every rule keeps its value in range.
    check(flag_value(settings.RollAction) == (settings.RollAction != 0 ? 1 : 0), "flags are 0 or 1");
    const std::int32_t built_in = built_in_selection(settings.CutCondition);
    check(built_in >= 0 && built_in < BUILT_IN_MEDIA_COUNT, "built-in selection in the table");
    check(built_in == settings.CutCondition || built_in == 0, "a valid selection is kept");
    const std::int32_t press = cut_press_value(selected.Press);
    check(force_in_range(press) && (press == selected.Press || press == FORCE_MIN), "cut press");
    const std::int32_t track = start_track_enhancing(settings);
    check(track == (settings.CutCondAdjust != 0 ? settings.RollAction : 0), "track enhancing");

    const MillimetreDistances stored =
        stored_distances_in_millimetres(settings.TomboDisX, settings.TomboDisY);
    check(std::fabs(stored.Horizontal * 1000.0 - settings.TomboDisX) < 100.0 + 1e-6 &&
              std::fabs(stored.Vertical * 1000.0 - settings.TomboDisY) < 100.0 + 1e-6,
          "stored distances lose less than a tenth of a millimetre");
    check(std::fabs(stored.Horizontal) <= std::fabs(settings.TomboDisX / 1000.0) + 1e-9,
          "stored distances are cut toward zero");

    Settings taken = settings;
    taken.ActiveSpeed = -77;
    taken.ActivePress = -77;
    take_selected_media(selected, &taken);
    check(taken.ActiveConditionNo == selected.ConditionNo && taken.ActiveOffset == selected.CutterOffset &&
              taken.ActiveCap == selected.Cap,
          "condition number, offset and cap always taken");
    if (!configuration_mode_known(selected.ConfigurationMode)) {
        check(taken.ActiveSpeed == -77 && taken.ActivePress == -77, "unknown mode sends the last values");
    }

    Settings oriented = settings;
    LaunchOptions given = options;
    apply_orientation_option(&oriented, &given);
    if (options.OrientationGiven != 0 && (options.Orientation == 0 || options.Orientation == 1)) {
        check(oriented.Direction == options.Orientation && given.LaunchResult == RC_SUCCESS, "orientation taken");
    } else {
        check(oriented.Direction == settings.Direction, "direction kept");
        check(given.LaunchResult == (options.OrientationGiven != 0 ? RC_ORIENTATION_OPTION : RC_SUCCESS),
              "a wrong orientation marks the launch result");
    }

    // The keys written read back to what they came from.
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(settings, selected, entries);
    for (const ProfileEntry& entry : entries) {
        check(std::strlen(entry.Value) < sizeof entry.Value, "value terminated");
        check(std::strcmp(entry.Section, SETTINGS_MAIN_SECTION) == 0, "main section");
    }
    check(std::strcmp(entries[0].Value, settings.GuideMenu != 0 ? "1" : "0") == 0, "GuideMenu");
    check(std::strcmp(entries[1].Value, selected.Name) == 0, "MediaName whole");
    const std::int32_t numbers[] = {settings.CutCondAdjust, flag_value(settings.RollAction),
                                    settings.Direction, settings.PosSet, settings.TomboDisX,
                                    settings.TomboDisY, flag_value(settings.TomboAutoRead),
                                    settings.Unit, settings.CutCondition, selected.Speed,
                                    selected.Press};
    for (int i = 0; i < 11; ++i) {
        check(number_of(entries[2 + i].Value) == numbers[i], "number reads back");
    }
    return 0;
}
