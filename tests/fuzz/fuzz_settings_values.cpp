// Feeds random values (any 32-bit number, a version text of any bytes without terminator) to the
// rules `read settings` applies and to the keys `save settings` writes. Checked: values kept in
// range, stored distances lose under a tenth of a millimetre, written keys read back.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "fuzz_support.h"
#include "settings/settings_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    Settings s{};
    for (std::int32_t* field : {&s.CutCondAdjust, &s.RollAction, &s.Direction, &s.PosSet, &s.TomboDisX,
                                &s.TomboDisY, &s.TomboAutoRead, &s.Unit, &s.CutCondition, &s.GuideMenu}) {
        *field = input.ConsumeIntegral<std::int32_t>();
    }
    MediaRecord selected;
    empty_media_record(&selected);
    selected.Speed = input.ConsumeIntegral<std::int32_t>();
    selected.Press = input.ConsumeIntegral<std::int32_t>();
    copy_text(input.ConsumeRandomLengthString(MEDIA_NAME_LIMIT), selected.Name, sizeof selected.Name);
    const std::vector<char> version = input.ConsumeRemainingBytes<char>();

    // The firmware version is looked at only within its size, and read as strtod reads it.
    const char nothing = 'x';
    const bool files = firmware_reads_media_files(version.empty() ? &nothing : version.data(), version.size());
    const std::string text = std::string(version.begin(), version.end()).c_str();
    const std::string judged = text.substr(0, VERSION_TEXT_SIZE);
    char* end = nullptr;
    const double number = std::strtod(judged.c_str(), &end);
    check(files == (end != judged.c_str() && !(number < 2.0)), "media files from version 2.0 on");

    check(flag_value(s.RollAction) == (s.RollAction != 0 ? 1 : 0), "flags are 0 or 1");
    const std::int32_t built_in = built_in_selection(s.CutCondition);
    check(built_in >= 0 && built_in < BUILT_IN_MEDIA_COUNT && (built_in == s.CutCondition || built_in == 0),
          "a built-in selection in the table is kept, any other is the first");
    const std::int32_t press = cut_press_value(selected.Press);
    check(force_in_range(press) && (press == selected.Press || press == FORCE_MIN), "cut press");

    const MillimetreDistances stored = stored_distances_in_millimetres(s.TomboDisX, s.TomboDisY);
    check(std::fabs(stored.Horizontal * 1000.0 - s.TomboDisX) < 100.0 + 1e-6 &&
              std::fabs(stored.Vertical * 1000.0 - s.TomboDisY) < 100.0 + 1e-6,
          "stored distances lose less than a tenth of a millimetre");
    check(std::fabs(stored.Horizontal) <= std::fabs(s.TomboDisX / 1000.0) + 1e-9, "stored distances are cut toward zero");

    // The keys written read back to what they came from.
    ProfileEntry entries[SETTINGS_ENTRY_COUNT];
    settings_entries(s, selected, entries);
    for (const ProfileEntry& entry : entries) {
        check(std::strlen(entry.Value) < sizeof entry.Value && std::strcmp(entry.Section, SETTINGS_MAIN_SECTION) == 0,
              "value terminated, in the main section");
    }
    check(std::strcmp(entries[0].Value, s.GuideMenu != 0 ? "1" : "0") == 0, "GuideMenu");
    check(std::strcmp(entries[1].Value, selected.Name) == 0, "MediaName whole");
    const std::int32_t numbers[] = {s.CutCondAdjust, flag_value(s.RollAction), s.Direction, s.PosSet, s.TomboDisX,
                                    s.TomboDisY, flag_value(s.TomboAutoRead), s.Unit, s.CutCondition,
                                    selected.Speed, selected.Press};
    for (int i = 0; i < 11; ++i) {
        errno = 0;
        char* stop = nullptr;
        const long long value = std::strtoll(entries[2 + i].Value, &stop, 10);
        check(*stop == '\0' && stop != entries[2 + i].Value && errno == 0 && value == numbers[i],
              "a written number is one whole number and reads back");
    }
    return 0;
}
