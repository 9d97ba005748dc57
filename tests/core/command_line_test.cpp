#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

// Reads a command line that starts, as the runtime's always does, with the program path, and
// gives what it set: "cut mode, no marks, demo mode | owner, orientation, distances, mark size
// given | owner, orientation, horizontal, vertical, mark size".
std::string read(const char* line)
{
    std::vector<std::string> words = {"/DEMO"};  // the program's path is read like any word
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    LaunchOptions o;
    reset_launch_options(&o);
    std::int32_t demo = DEMO_OFF;
    read_command_line(static_cast<int>(argv.size()), argv.data(), &o, &demo);
    char text[200];
    std::snprintf(text, sizeof text, "%d%d%d %d%d%d%d %d %d %g %g %g", o.CutMode, o.NoRegistrationMarks, demo,
                  o.OwnerGiven, o.OrientationGiven, o.DistancesGiven, o.MarkSizeGiven, o.OwnerWindow, o.Orientation,
                  o.HorizontalDistance, o.VerticalDistance, o.MarkSize);
    return text;
}

TEST(CommandLine, SwitchesAreCaseInsensitiveTakeBothPrefixesAndOptionsWithNumbersMatchByPrefix)
{
    struct Case { const char* words; const char* read; };
    const Case cases[] = {
        {"-cutmode", "102 0000 0 -1 -1 -1 -1"},  {"/CutMode", "102 0000 0 -1 -1 -1 -1"},
        {"-CUTMODEX", "002 0000 0 -1 -1 -1 -1"}, {"CUTMODE", "002 0000 0 -1 -1 -1 -1"},
        {"/notrm", "012 0000 0 -1 -1 -1 -1"},    {"/Demo_V1", "001 0000 0 -1 -1 -1 -1"},
        // Bytes above 0x7F (a non-ASCII code page character) are not letters to the C locale.
        {"-CUTMOD\xC9", "002 0000 0 -1 -1 -1 -1"},
        // The flag is set whenever the prefix matches; a number that does not parse stays -1.
        {"/owner-17", "002 1000 -17 -1 -1 -1 -1"}, {"-OWNER12ab", "002 1000 12 -1 -1 -1 -1"},
        {"-FNORD", "002 0100 0 -1 -1 -1 -1"},      {"/fn0", "002 0100 0 0 -1 -1 -1"},
        {"-FN2", "002 0100 0 2 -1 -1 -1"},  // taken as given; the range is judged at start-up
        {"-TB23,100,150", "002 0010 0 -1 100 150 -1"}, {"/tb23,1e2,abc", "002 0010 0 -1 100 -1 -1"},
        {"-TB23;100,150", "002 0010 0 -1 -1 -1 -1"},  // only a comma leads to the numbers
        {"-TB51,7.5", "002 0001 0 -1 -1 -1 7.5"},
        // Later words win; one that does not parse keeps the earlier value, one that parses a
        // single number replaces only that number.
        {"-FN1 -FN", "002 0100 0 1 -1 -1 -1"}, {"-TB23,100,150 -TB23,12.5", "002 0010 0 -1 12.5 150 -1"},
        {"-DEMO_V1 -DEMO", "002 0000 0 -1 -1 -1 -1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read(c.words), c.read) << c.words;
    }
}

}  // namespace
