#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

struct Parsed {
    LaunchOptions options;
    std::int32_t demo_mode;
};

// Reads a command line that starts, as the runtime's always does, with the program path.
Parsed read(std::vector<std::string> words)
{
    words.insert(words.begin(), "/DEMO");  // the program's path is read like any word
    std::vector<const char*> argv;
    for (const std::string& w : words) {
        argv.push_back(w.c_str());
    }
    Parsed parsed;
    reset_launch_options(&parsed.options);
    parsed.demo_mode = DEMO_OFF;
    read_command_line(static_cast<int>(argv.size()), argv.data(), &parsed.options, &parsed.demo_mode);
    return parsed;
}

TEST(CommandLine, SwitchesAreCaseInsensitiveTakeBothPrefixesAndMustBeWholeWords)
{
    struct Case { std::string word; int cut_mode, no_marks, demo; };
    const Case cases[] = {
        {"-cutmode", 1, 0, DEMO_VERSION_2}, {"/CutMode", 1, 0, DEMO_VERSION_2}, {"-CUTMODEX", 0, 0, DEMO_VERSION_2},
        {"CUTMODE", 0, 0, DEMO_VERSION_2},  {"/notrm", 0, 1, DEMO_VERSION_2},   {"/Demo_V1", 0, 0, DEMO_VERSION_1},
        // Bytes above 0x7F (a non-ASCII code page character) are not letters to the C locale.
        {"-CUTMOD\xC9", 0, 0, DEMO_VERSION_2},
    };
    for (const Case& c : cases) {
        const Parsed p = read({c.word});
        EXPECT_EQ(p.options.CutMode, c.cut_mode) << c.word;
        EXPECT_EQ(p.options.NoRegistrationMarks, c.no_marks) << c.word;
        EXPECT_EQ(p.demo_mode, c.demo) << c.word;
    }
}

TEST(CommandLine, OptionsWithNumbersAreRecognisedByTheirPrefix)
{
    // -1 stands for "not given" in every number; the flag is set whenever the prefix matches.
    struct Case { const char* word; std::int32_t owner, orientation; double horizontal, vertical, mark; };
    const Case cases[] = {
        {"/owner-17", -17, -1, -1, -1, -1},   {"-OWNER12ab", 12, -1, -1, -1, -1},
        {"-FNORD", 0, -1, -1, -1, -1},        {"/fn0", 0, 0, -1, -1, -1},
        {"-FN2", 0, 2, -1, -1, -1},  // taken as given; the range is judged at start-up
        {"-TB23,100,150", 0, -1, 100, 150, -1}, {"/tb23,1e2,abc", 0, -1, 100, -1, -1},
        {"-TB23;100,150", 0, -1, -1, -1, -1},  // only a comma leads to the numbers
        {"-TB51,7.5", 0, -1, -1, -1, 7.5},
    };
    for (const Case& c : cases) {
        const LaunchOptions o = read({c.word}).options;
        const std::string w = c.word;
        EXPECT_EQ(o.OwnerGiven, w.substr(1, 5) == "OWNER" || w.substr(1, 5) == "owner") << w;
        EXPECT_EQ(o.OrientationGiven, w.substr(1, 2) == "FN" || w.substr(1, 2) == "fn") << w;
        EXPECT_EQ(o.DistancesGiven, w.substr(1, 4) == "TB23" || w.substr(1, 4) == "tb23") << w;
        EXPECT_EQ(o.MarkSizeGiven, w.substr(1, 4) == "TB51") << w;
        EXPECT_EQ(o.OwnerWindow, c.owner) << w;
        EXPECT_EQ(o.Orientation, c.orientation) << w;
        EXPECT_DOUBLE_EQ(o.HorizontalDistance, c.horizontal) << w;
        EXPECT_DOUBLE_EQ(o.VerticalDistance, c.vertical) << w;
        EXPECT_DOUBLE_EQ(o.MarkSize, c.mark) << w;
    }
}

TEST(CommandLine, LaterWordsWin)
{
    EXPECT_EQ(read({"-DEMO_V1", "-DEMO"}).demo_mode, DEMO_VERSION_2);
    // A later word that does not parse keeps the earlier value; one that parses a single
    // number replaces only that number.
    EXPECT_EQ(read({"-FN1", "-FN"}).options.Orientation, 1);
    const Parsed p = read({"-TB23,100,150", "-TB23,12.5"});
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, 12.5);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, 150.0);
}

}  // namespace
