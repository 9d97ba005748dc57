// Feeds random argument vectors to the command-line reader: words are separated by zero bytes,
// may be of any length (also far beyond the 512 characters that are judged) and hold any byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/launch_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back().push_back(static_cast<char>(data[i]));
        }
    }
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    LaunchOptions options;
    reset_launch_options(&options);
    std::int32_t demo = DEMO_OFF;
    read_command_line(static_cast<int>(argv.size()), argv.data(), &options, &demo);

    // Flags are flags, and the reader never decides a result by itself.
    const bool sane = demo >= DEMO_OFF && demo <= DEMO_VERSION_2 &&
                      (options.OwnerGiven | options.CutMode | options.NoRegistrationMarks |
                       options.OrientationGiven | options.DistancesGiven | options.MarkSizeGiven) <= 1 &&
                      options.LaunchResult == RC_SUCCESS;
    // A value is only ever taken with its flag: without the option the field keeps its absent
    // value.
    const bool values_with_flags =
        (options.OwnerGiven != 0 || options.OwnerWindow == 0) &&
        (options.OrientationGiven != 0 || options.Orientation == -1) &&
        (options.DistancesGiven != 0 ||
         (options.HorizontalDistance == -1.0 && options.VerticalDistance == -1.0)) &&
        (options.MarkSizeGiven != 0 || options.MarkSize == -1.0) &&
        options.HorizontalDistanceConverted == 0 && options.VerticalDistanceConverted == 0;
    // An option needs its '-' or '/' in front: without one in any word, nothing is set.
    bool any_switch = false;
    for (const std::string& w : words) {
        any_switch = any_switch || (!w.empty() && (w[0] == '-' || w[0] == '/'));
    }
    const bool untouched_without_switch =
        any_switch || (demo == DEMO_OFF && options.OwnerGiven == 0 && options.CutMode == 0 &&
                       options.NoRegistrationMarks == 0 && options.OrientationGiven == 0 &&
                       options.DistancesGiven == 0 && options.MarkSizeGiven == 0);
    if (!sane || !values_with_flags || !untouched_without_switch) {
        std::abort();
    }
    return 0;
}
