#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/launch_options.h"

namespace {

struct Parsed {
    LaunchOptions options;
    std::int32_t demo_mode;
};

// Reads a command line that starts, as the runtime's always does, with the program path.
Parsed read(std::vector<std::string> words)
{
    words.insert(words.begin(), "C:\\Tools\\QMACTL.EXE");
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

TEST(CommandLine, NoOptionsLeavesEveryFieldAtItsAbsentValue)
{
    const Parsed p = read({});
    EXPECT_EQ(p.demo_mode, DEMO_OFF);
    EXPECT_EQ(p.options.OwnerGiven, 0);
    EXPECT_EQ(p.options.OwnerWindow, 0);
    EXPECT_EQ(p.options.CutMode, 0);
    EXPECT_EQ(p.options.NoRegistrationMarks, 0);
    EXPECT_EQ(p.options.OrientationGiven, 0);
    EXPECT_EQ(p.options.Orientation, -1);
    EXPECT_EQ(p.options.DistancesGiven, 0);
    EXPECT_EQ(p.options.HorizontalDistance, -1.0);
    EXPECT_EQ(p.options.VerticalDistance, -1.0);
    EXPECT_EQ(p.options.MarkSizeGiven, 0);
    EXPECT_EQ(p.options.MarkSize, -1.0);
    EXPECT_EQ(p.options.LaunchResult, 0u);
}

TEST(CommandLine, CutModeIsCaseInsensitiveTakesBothPrefixesAndMustBeTheWholeWord)
{
    struct Case { const char* word; int cut_mode; };
    const Case cases[] = {
        {"-cutmode", 1}, {"/CutMode", 1}, {"-CUTMODE", 1}, {"/cutmode", 1},
        {"-CUTMODEX", 0}, {"CUTMODE", 0}, {"--CUTMODE", 0}, {"-CUTMOD", 0}, {"+CUTMODE", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(read({c.word}).options.CutMode, c.cut_mode) << c.word;
    }
}

TEST(CommandLine, NoRegistrationMarksIsAWholeWord)
{
    EXPECT_EQ(read({"/notrm"}).options.NoRegistrationMarks, 1);
    EXPECT_EQ(read({"-NOTRM1"}).options.NoRegistrationMarks, 0);
}

TEST(CommandLine, OwnerTakesTheHandleAsASignedNumber)
{
    Parsed p = read({"-OWNER4242"});
    EXPECT_EQ(p.options.OwnerGiven, 1);
    EXPECT_EQ(p.options.OwnerWindow, 4242);

    p = read({"-OWNERx"});
    EXPECT_EQ(p.options.OwnerGiven, 1);
    EXPECT_EQ(p.options.OwnerWindow, 0);

    p = read({"/owner-17"});
    EXPECT_EQ(p.options.OwnerWindow, -17);

    // The option is recognised by its first six characters, trailing text after the number
    // is ignored by the parse.
    p = read({"-OWNER12ab"});
    EXPECT_EQ(p.options.OwnerWindow, 12);
}

TEST(CommandLine, OrientationIsRecognisedByItsFirstThreeCharacters)
{
    Parsed p = read({"-FN1"});
    EXPECT_EQ(p.options.OrientationGiven, 1);
    EXPECT_EQ(p.options.Orientation, 1);

    p = read({"-FN"});
    EXPECT_EQ(p.options.OrientationGiven, 1);
    EXPECT_EQ(p.options.Orientation, -1);

    p = read({"-FNORD"});
    EXPECT_EQ(p.options.OrientationGiven, 1);
    EXPECT_EQ(p.options.Orientation, -1);

    p = read({"/fn0"});
    EXPECT_EQ(p.options.Orientation, 0);

    p = read({"-FN2"});  // taken as given; the range is judged at start-up
    EXPECT_EQ(p.options.Orientation, 2);
}

TEST(CommandLine, DistancesTakeOneOrTwoNumbers)
{
    Parsed p = read({"-TB23,100,150"});
    EXPECT_EQ(p.options.DistancesGiven, 1);
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, 100.0);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, 150.0);

    p = read({"-TB23,12.5"});
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, 12.5);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, -1.0);

    p = read({"-TB23"});
    EXPECT_EQ(p.options.DistancesGiven, 1);
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, -1.0);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, -1.0);

    p = read({"/tb23,1e2,abc"});
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, 100.0);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, -1.0);

    // A separator other than the comma stops the parse before any number.
    p = read({"-TB23;100,150"});
    EXPECT_EQ(p.options.DistancesGiven, 1);
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, -1.0);
}

TEST(CommandLine, MarkSizeTakesOneNumber)
{
    Parsed p = read({"-TB51,7.5"});
    EXPECT_EQ(p.options.MarkSizeGiven, 1);
    EXPECT_DOUBLE_EQ(p.options.MarkSize, 7.5);

    p = read({"-TB51"});
    EXPECT_EQ(p.options.MarkSizeGiven, 1);
    EXPECT_DOUBLE_EQ(p.options.MarkSize, -1.0);
}

TEST(CommandLine, LaterWordsWin)
{
    EXPECT_EQ(read({"-DEMO_V1", "-DEMO"}).demo_mode, DEMO_VERSION_2);
    EXPECT_EQ(read({"-DEMO", "/demo_v1"}).demo_mode, DEMO_VERSION_1);
    EXPECT_EQ(read({"-FN0", "-FN1"}).options.Orientation, 1);

    // A later word that does not parse keeps the earlier value; one that parses a single
    // number replaces only that number.
    EXPECT_EQ(read({"-FN1", "-FN"}).options.Orientation, 1);
    const Parsed p = read({"-TB23,100,150", "-TB23,12.5"});
    EXPECT_DOUBLE_EQ(p.options.HorizontalDistance, 12.5);
    EXPECT_DOUBLE_EQ(p.options.VerticalDistance, 150.0);
}

TEST(CommandLine, DemoNeedsTheWholeWord)
{
    EXPECT_EQ(read({"-DEMO_V2"}).demo_mode, DEMO_OFF);
    EXPECT_EQ(read({"-DEMOX"}).demo_mode, DEMO_OFF);
    EXPECT_EQ(read({"/Demo_V1"}).demo_mode, DEMO_VERSION_1);
}

TEST(CommandLine, TheProgramPathItselfIsReadLikeAnyWord)
{
    // The program path is word 0; a program placed as "/DEMO" would switch demo mode on.
    std::vector<const char*> argv = {"/DEMO"};
    LaunchOptions options;
    reset_launch_options(&options);
    std::int32_t demo = DEMO_OFF;
    read_command_line(1, argv.data(), &options, &demo);
    EXPECT_EQ(demo, DEMO_VERSION_2);
}

TEST(CommandLine, OnlyTheFirst512CharactersOfAWordAreJudged)
{
    // A word is judged by its first 512 characters: padding pushes the second number out.
    const std::string prefix = "-TB23,100,";
    std::string word = prefix + std::string(512 - prefix.size() - 3, '0') + "150";
    ASSERT_EQ(word.size(), 512u);
    EXPECT_DOUBLE_EQ(read({word}).options.VerticalDistance, 150.0);

    word = prefix + std::string(512 - prefix.size() - 2, '0') + "150";  // "150" now ends at 513
    EXPECT_DOUBLE_EQ(read({word}).options.VerticalDistance, 15.0);

    // "-CUTMODE" followed by letters beyond the limit is still not the whole word.
    EXPECT_EQ(read({std::string("-CUTMODE") + std::string(600, 'X')}).options.CutMode, 0);
    // A huge word is read without harm.
    EXPECT_EQ(read({std::string(100000, 'a')}).options.CutMode, 0);
}

TEST(CommandLine, UpperCasingTouchesOnlyAsciiLetters)
{
    // Bytes above 0x7F (a non-ASCII code page character) are not letters to the C locale.
    EXPECT_EQ(read({"-CUTMOD\xC9"}).options.CutMode, 0);
    EXPECT_EQ(read({"-cutmode\xE9"}).options.CutMode, 0);
}

}  // namespace
