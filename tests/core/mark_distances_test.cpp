#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "workflow/mark_distances.h"

namespace {

constexpr std::int32_t MM = UNIT_MILLIMETRES;
constexpr std::int32_t INCH = UNIT_INCHES;
constexpr std::int32_t LAND = DIRECTION_LANDSCAPE;
constexpr std::int32_t PORT = DIRECTION_PORTRAIT;

std::string shown(std::int32_t micrometres, std::int32_t unit)
{
    char text[DISTANCE_TEXT_SIZE];
    format_mark_distance(micrometres, unit, text, sizeof text);
    return text;
}

// The text as the parse leaves it (cut to the decimals shown) and its value.
std::pair<std::string, std::int32_t> parse(const char* typed, std::int32_t unit)
{
    char text[64];
    std::strcpy(text, typed);
    const std::int32_t micrometres = parse_mark_distance(text, unit);
    return {text, micrometres};
}

TEST(MarkDistances, NumericTextIsSignDigitsAndOnePoint)
{
    for (const char* text : {"5.", "-.5", "12.345"}) {
        EXPECT_EQ(check_numeric_text(text), RC_SUCCESS) << '"' << text << '"';
    }
    for (const char* text : {"", "-", ".", "-.", "1.2.3", "5-", "+5", " 5", "1e3", "5\xA0"}) {
        EXPECT_EQ(check_numeric_text(text), RC_GENERAL_ERROR) << '"' << text << '"';
    }
}

TEST(MarkDistances, RangeDependsOnOrientationAndUnitHorizontalJudgedFirst)
{
    struct Case { std::int32_t direction, unit; double horizontal, vertical; ResultCode expected; };
    const Case cases[] = {
        {LAND, MM, 970.0, 192.0, RC_SUCCESS},          {LAND, MM, 970.05, 10.0, RC_HORIZONTAL_970_MM},
        {LAND, MM, -0.1, 10.0, RC_HORIZONTAL_970_MM},  {LAND, MM, 0.0, 192.01, RC_VERTICAL_192_MM},
        {LAND, MM, 971.0, 193.0, RC_HORIZONTAL_970_MM},  // both wrong: the horizontal one is named
        {PORT, MM, 192.0, 970.1, RC_VERTICAL_970_MM},  {PORT, INCH, 7.558, 0.0, RC_HORIZONTAL_7_IN},
        {2, MM, 193.0, 0.0, RC_HORIZONTAL_192_MM},  // any other orientation is portrait
        {LAND, 2, 38.181, 0.0, RC_HORIZONTAL_38_IN},  // any other unit is inches
    };
    for (const Case& c : cases) {
        EXPECT_EQ(check_mark_distances(c.direction, c.horizontal, c.vertical, c.unit), c.expected)
            << c.direction << c.unit << ": " << c.horizontal << ", " << c.vertical;
    }
}

TEST(MarkDistances, ParsingCutsToTheShownDecimalsAndTruncatesTowardZero)
{
    struct Case { const char* typed; std::int32_t unit; const char* cut; std::int32_t micrometres; };
    const Case cases[] = {
        {"12.345", MM, "12.3", 12300}, {"0.09", MM, "0.0", 0},
        {"12.3", INCH, "12.3", 312492},      // fewer decimals: not lengthened; 312492.57
        {"1", INCH, "1", 25405},             // 25405.9: the inch of 25.4059 mm
        {"-1.23456", 2, "-1.234", -31350},  // any other unit is inches
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.typed, c.unit), std::make_pair(std::string(c.cut), c.micrometres)) << c.typed;
    }
}

TEST(MarkDistances, ShownWithOneDecimalInMillimetresThreeInInches)
{
    struct Case { std::int32_t micrometres, unit; const char* text; };
    for (const Case& c : {Case{99997, MM, "100.0"}, {-5000, MM, "-5.0"}, {25406, INCH, "1.000"},
                          {100000, 2, "3.936"}}) {
        EXPECT_EQ(shown(c.micrometres, c.unit), c.text) << c.micrometres;
    }
}

TEST(MarkDistances, SwitchingUnitsBackAndForthKeepsWhatTheUserSees)
{
    // The longest landscape distance shown in inches stays within the inch limit and comes back
    // as it was.
    const std::string longest = shown(970000, INCH);
    EXPECT_EQ(check_mark_distances(LAND, read_distance_text(longest.c_str()), 0.0, INCH), RC_SUCCESS);
    EXPECT_EQ(shown(parse(longest.c_str(), INCH).second, MM), "970.0");
}

TEST(MarkDistances, TypedTextsAreJudgedAsTypedAndNameTheFieldToCorrect)
{
    using F = DistanceField;
    struct Case { std::int32_t direction, unit; const char *horizontal, *vertical; ResultCode code; F field; double h, v; };
    const Case cases[] = {
        {LAND, MM, "970", "192.0", RC_SUCCESS, F::None, 970.0, 192.0},
        {LAND, MM, "1", "192.01", RC_VERTICAL_192_MM, F::Vertical, 1.0, 192.01},
        // Both texts are checked as numbers before either range: the vertical text is named.
        {PORT, MM, "192.01", "x", RC_VERTICAL_970_MM, F::Vertical, 0.0, 0.0},
        {PORT, INCH, "", "1", RC_HORIZONTAL_7_IN, F::Horizontal, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.horizontal) + " / " + c.vertical);
        const DistanceJudgement j = judge_distance_texts(c.direction, c.unit, c.horizontal, c.vertical);
        EXPECT_EQ(std::make_pair(j.Field, j.Code), std::make_pair(c.field, c.code));
        EXPECT_EQ(std::make_pair(j.Horizontal, j.Vertical), std::make_pair(c.h, c.v));  // as typed
    }
}

}  // namespace
