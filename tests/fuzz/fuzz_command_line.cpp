// Feeds random argument vectors to the command-line reader: words are separated by zero bytes,
// may be of any length (also far beyond the 512 characters that are judged) and hold any byte.
#include "app/command_line.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> words = split(std::string(reinterpret_cast<const char*>(data), size), '\0');
    std::vector<const char*> argv;
    bool any_switch = false;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
        any_switch = any_switch || (!w.empty() && (w[0] == '-' || w[0] == '/'));
    }
    LaunchOptions o;
    reset_launch_options(&o);
    std::int32_t demo = DEMO_OFF;
    read_command_line(static_cast<int>(argv.size()), argv.data(), &o, &demo);

    const std::int32_t flags[] = {o.OwnerGiven, o.CutMode, o.NoRegistrationMarks, o.OrientationGiven,
                                  o.DistancesGiven, o.MarkSizeGiven};
    bool any_flag = demo != DEMO_OFF;
    for (std::int32_t flag : flags) {
        check(flag == 0 || flag == 1, "flags are flags");
        any_flag = any_flag || flag != 0;
    }
    check(demo >= DEMO_OFF && demo <= DEMO_VERSION_2, "demo mode");
    check(o.LaunchResult == RC_SUCCESS, "the reader never decides a result by itself");
    // A value is only ever taken with its flag.
    check((o.OwnerGiven != 0 || o.OwnerWindow == 0) && (o.OrientationGiven != 0 || o.Orientation == -1) &&
              (o.DistancesGiven != 0 || (o.HorizontalDistance == -1.0 && o.VerticalDistance == -1.0)) &&
              (o.MarkSizeGiven != 0 || o.MarkSize == -1.0) &&
              o.HorizontalDistanceConverted == 0 && o.VerticalDistanceConverted == 0,
          "values come with their flags");
    check(any_switch || !any_flag, "an option needs its '-' or '/' in front");
    return 0;
}
