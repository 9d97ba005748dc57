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
    const bool any_option = demo != DEMO_OFF || o.OwnerGiven || o.CutMode || o.NoRegistrationMarks ||
                            o.OrientationGiven || o.DistancesGiven || o.MarkSizeGiven;
    check(any_switch || !any_option, "an option needs its '-' or '/' in front");
    check((o.OwnerGiven != 0 || o.OwnerWindow == 0) && (o.OrientationGiven != 0 || o.Orientation == -1) &&
              (o.MarkSizeGiven != 0 || o.MarkSize == -1.0),
          "values come with their flags");
    return 0;
}
