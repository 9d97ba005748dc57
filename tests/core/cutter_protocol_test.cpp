#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "device/cutter_commands.h"
#include "app/launch_options.h"
#include "device/cutter_protocol.h"

namespace {

// A cutter on the other end of a link: records what is written and logged, answers every read
// with the scripted reply (cut to the read length, like a transfer that delivers at most count
// bytes), and fails transfers on request.
struct FakeCutter {
    std::vector<std::string> writes;
    std::vector<std::uint32_t> write_timeouts;
    std::vector<std::uint32_t> read_timeouts;
    std::vector<std::uint32_t> read_lengths;
    std::vector<std::string> debug_pieces;
    std::vector<std::uint32_t> sleeps;
    std::string reply;
    ResultCode write_code = RC_SUCCESS;
    int fail_write_number = -1;  // which write fails with write_code; -1 every write
    ResultCode read_code = RC_SUCCESS;
};

FakeCutter g_fake;

void fake_debug(const char* text) { g_fake.debug_pieces.emplace_back(text); }

ResultCode fake_write(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    const int number = static_cast<int>(g_fake.writes.size());
    g_fake.writes.emplace_back(static_cast<const char*>(bytes), count);
    g_fake.write_timeouts.push_back(timeout_ms);
    if (g_fake.fail_write_number == -1 || g_fake.fail_write_number == number) {
        return g_fake.write_code;
    }
    return RC_SUCCESS;
}

ResultCode fake_read(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    g_fake.read_timeouts.push_back(timeout_ms);
    g_fake.read_lengths.push_back(count);
    if (g_fake.read_code != RC_SUCCESS) {
        return g_fake.read_code;
    }
    const std::size_t n = g_fake.reply.size() < count ? g_fake.reply.size() : count;
    std::memcpy(buffer, g_fake.reply.data(), n);
    return RC_SUCCESS;
}

void fake_sleep(std::uint32_t ms) { g_fake.sleeps.push_back(ms); }

void fake_demo_text(std::int32_t demo_mode, char* text, std::size_t size)
{
    std::snprintf(text, size, "demo %d", static_cast<int>(demo_mode));
}

CutterLink fake_link(std::int32_t demo_mode = 0)
{
    g_fake = FakeCutter{};
    return CutterLink{fake_debug, fake_write, fake_read, fake_sleep, fake_demo_text, demo_mode};
}

const std::string E = "\x03";
const std::string ESC_S = "\x1B";

struct WriteCase {
    const char* name;
    std::function<ResultCode(const CutterLink&)> call;
    std::vector<std::string> writes;  // each write's exact bytes
    std::uint32_t write_timeout;
};

std::vector<WriteCase> write_cases()
{
    return {
        {"start notice", [](const CutterLink& l) { return start_notice_command(l); }, {"TT" + E}, 500},
        {"cut condition", [](const CutterLink& l) { return cut_condition_command(l, 3, 5, 2, 0); },
         {"FW3" + E + "!5" + E + "*0,2" + E + "FC0" + E}, 500},
        {"cut condition negative", [](const CutterLink& l) { return cut_condition_command(l, -1, 10, 3, -25); },
         {"FW-1" + E + "!10" + E + "*0,3" + E + "FC-25" + E}, 500},
        {"track enhancing", [](const CutterLink& l) { return track_enhancing_command(l, 1); }, {"FY1" + E}, 500},
        {"condition number", [](const CutterLink& l) { return condition_number_command(l, 12); }, {"FW12" + E}, 500},
        {"cut speed", [](const CutterLink& l) { return cut_speed_command(l, 7); }, {"!7" + E}, 500},
        {"cut pressure", [](const CutterLink& l) { return cut_pressure_command(l, 2); }, {"*0,2" + E}, 500},
        {"cutter offset", [](const CutterLink& l) { return cutter_offset_command(l, 18); }, {"FC18" + E}, 500},
        {"thick media", [](const CutterLink& l) { return thick_media_command(l, 0); }, {"FE0" + E}, 500},
        {"orientation", [](const CutterLink& l) { return orientation_command(l, 1); }, {"FN1" + E}, 500},
        {"blade up", [](const CutterLink& l) { return blade_move_command(l, 1, 1); }, {ESC_S + std::string("\0\x02", 2)}, 250000},
        {"blade down", [](const CutterLink& l) { return blade_move_command(l, 2, 1); }, {ESC_S + std::string("\0\x01", 2)}, 250000},
        {"blade left", [](const CutterLink& l) { return blade_move_command(l, 4, 1); }, {ESC_S + std::string("\0\x08", 2)}, 250000},
        {"blade right", [](const CutterLink& l) { return blade_move_command(l, 8, 1); }, {ESC_S + std::string("\0\x04", 2)}, 250000},
        {"blade up left", [](const CutterLink& l) { return blade_move_command(l, 5, 1); }, {ESC_S + std::string("\0\x0A", 2)}, 250000},
        {"blade down right", [](const CutterLink& l) { return blade_move_command(l, 10, 1); }, {ESC_S + std::string("\0\x05", 2)}, 250000},
        {"blade stop", [](const CutterLink& l) { return blade_move_command(l, 15, 0); }, {ESC_S + std::string("\0\0", 2)}, 250000},
        {"test cut", [](const CutterLink& l) { return test_cut(l); }, {"FH" + E}, 500},
        {"origin set", [](const CutterLink& l) { return origin_set(l); }, {"FJ" + E}, 500},
        {"mark size 5.0", [](const CutterLink& l) { return mark_size_command(l, 5.0); }, {"TB51,100" + E}, 500},
        {"mark size 7.99", [](const CutterLink& l) { return mark_size_command(l, 7.99); }, {"TB51,159" + E}, 500},
        {"sensor scan", [](const CutterLink& l) { return sensor_scan_command(l); }, {"TB70" + E}, 500},
        {"feed correction", [](const CutterLink& l) { return feed_correction_command(l, -1255); }, {"FB-125,0" + E}, 500},
        {"feed correction positive", [](const CutterLink& l) { return feed_correction_command(l, 1999); }, {"FB199,0" + E}, 500},
        {"sensor position", [](const CutterLink& l) { return sensor_position_command(l, 40, 80); }, {"TB72,0,40" + E}, 500},
        {"sensor position low", [](const CutterLink& l) { return sensor_position_command(l, 0, 39); }, {"TB72,-40,-1" + E}, 500},
        {"buffer check", [](const CutterLink& l) { g_fake.reply = "0" + E; return buffer_check(l); },
         {ESC_S + "\x04", ESC_S + "\x05"}, 500},
        {"version query", [](const CutterLink& l) { char t[VERSION_TEXT_SIZE]; g_fake.reply = " 2.01 KVX" + E; return version_query(l, t); },
         {"FG" + E}, 500},
        {"ready query", [](const CutterLink& l) { g_fake.reply = "    1" + E; return ready_query(l); }, {"FQ5" + E}, 500},
        {"automatic mark read", [](const CutterLink& l) { g_fake.reply = "    0" + E; return automatic_mark_read(l, 1, 150000, 200049); },
         {"TB99" + E + "TB55,1" + E + "TB123,3000,4000" + E}, 500},
        {"manual mark read", [](const CutterLink& l) { g_fake.reply = "    0" + E; return manual_mark_read(l, 1, 150000, 200049); },
         {"TB99" + E + "TB55,1" + E + "TB23,3000,4000" + E}, 500},
        {"manual mark read negative", [](const CutterLink& l) { g_fake.reply = "    0" + E; return manual_mark_read(l, 1, -150, -99); },
         {"TB99" + E + "TB55,1" + E + "TB23,-2,0" + E}, 500},
        {"sensor query", [](const CutterLink& l) { std::int32_t a, b; g_fake.reply = "    0,    0" + E; return sensor_position_query(l, &a, &b); },
         {"TB71" + E}, 500},
        {"feed query", [](const CutterLink& l) { std::int32_t a; g_fake.reply = "    0,    0" + E; return feed_correction_query(l, &a); },
         {"FA" + E}, 500},
    };
}

TEST(CutterCommands, EveryCommandWritesItsExactBytesAndLogsThemFirst)
{
    for (const WriteCase& c : write_cases()) {
        CutterLink link = fake_link();
        EXPECT_EQ(c.call(link), RC_SUCCESS) << c.name;
        ASSERT_EQ(g_fake.writes.size(), c.writes.size()) << c.name;
        for (std::size_t i = 0; i < c.writes.size(); ++i) {
            EXPECT_EQ(g_fake.writes[i], c.writes[i]) << c.name << " write " << i;
            EXPECT_EQ(g_fake.write_timeouts[i], c.write_timeout) << c.name;
            // Label, the command up to its first zero byte, and the line end.
            ASSERT_EQ(g_fake.debug_pieces.size(), 3 * c.writes.size()) << c.name;
            EXPECT_GT(g_fake.debug_pieces[3 * i].size(), 10u) << c.name;
            EXPECT_EQ(g_fake.debug_pieces[3 * i + 1], std::string(c.writes[i].c_str())) << c.name;
            EXPECT_EQ(g_fake.debug_pieces[3 * i + 2], "\n") << c.name;
        }
    }
}

TEST(CutterCommands, DemoModeLogsEveryCommandButSendsNothing)
{
    for (const WriteCase& c : write_cases()) {
        for (std::int32_t mode : {1, 2}) {
            CutterLink link = fake_link(mode);
            EXPECT_EQ(c.call(link), RC_SUCCESS) << c.name;
            EXPECT_TRUE(g_fake.writes.empty()) << c.name;
            EXPECT_TRUE(g_fake.read_lengths.empty()) << c.name;
            ASSERT_EQ(g_fake.debug_pieces.size(), 3 * c.writes.size()) << c.name;
            EXPECT_EQ(g_fake.debug_pieces[1], std::string(c.writes[0].c_str())) << c.name;
        }
    }
}

TEST(CutterCommands, DemoAnswers)
{
    char text[VERSION_TEXT_SIZE] = "untouched";
    CutterLink link = fake_link(DEMO_VERSION_1);
    EXPECT_EQ(version_query(link, text), RC_SUCCESS);
    EXPECT_STREQ(text, "demo 1");
    link = fake_link(DEMO_VERSION_2);
    EXPECT_EQ(version_query(link, text), RC_SUCCESS);
    EXPECT_STREQ(text, "demo 2");

    std::int32_t x = 7;
    std::int32_t y = 7;
    link = fake_link(DEMO_VERSION_2);
    EXPECT_EQ(sensor_position_query(link, &x, &y), RC_SUCCESS);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 40);
    std::int32_t feed = 99;
    EXPECT_EQ(feed_correction_query(link, &feed), RC_SUCCESS);
    EXPECT_EQ(feed, 0);
    EXPECT_TRUE(g_fake.sleeps.empty());

    link = fake_link(DEMO_VERSION_1);
    EXPECT_EQ(automatic_mark_read(link, 1, 0, 0), RC_SUCCESS);
    EXPECT_EQ(manual_mark_read(link, 1, 0, 0), RC_SUCCESS);
    EXPECT_EQ(g_fake.sleeps, (std::vector<std::uint32_t>{2000, 2000}));
    EXPECT_TRUE(g_fake.writes.empty());
}

// The code each command gives when its write fails with the transport's general failure.
struct FailureCase {
    const char* name;
    std::function<ResultCode(const CutterLink&)> call;
    ResultCode own;
};

std::vector<FailureCase> failure_cases()
{
    return {
        {"start notice", [](const CutterLink& l) { return start_notice_command(l); }, 166},
        {"cut condition", [](const CutterLink& l) { return cut_condition_command(l, 1, 1, 1, 1); }, 150},
        {"track enhancing", [](const CutterLink& l) { return track_enhancing_command(l, 0); }, 165},
        {"condition number", [](const CutterLink& l) { return condition_number_command(l, 1); }, 151},
        {"cut speed", [](const CutterLink& l) { return cut_speed_command(l, 1); }, 152},
        {"cut pressure", [](const CutterLink& l) { return cut_pressure_command(l, 1); }, 153},
        {"cutter offset", [](const CutterLink& l) { return cutter_offset_command(l, 1); }, 154},
        {"thick media", [](const CutterLink& l) { return thick_media_command(l, 1); }, 155},
        {"orientation", [](const CutterLink& l) { return orientation_command(l, 0); }, 156},
        {"test cut", [](const CutterLink& l) { return test_cut(l); }, 157},
        {"origin set", [](const CutterLink& l) { return origin_set(l); }, 158},
        {"blade move", [](const CutterLink& l) { return blade_move_command(l, 1, 1); }, 159},
        {"sensor position", [](const CutterLink& l) { return sensor_position_command(l, 40, 40); }, 160},
        {"sensor scan", [](const CutterLink& l) { return sensor_scan_command(l); }, 161},
        {"feed correction", [](const CutterLink& l) { return feed_correction_command(l, 0); }, 162},
        {"automatic mark read", [](const CutterLink& l) { return automatic_mark_read(l, 1, 0, 0); }, 163},
        {"mark size", [](const CutterLink& l) { return mark_size_command(l, 5.0); }, 164},
        {"buffer check", [](const CutterLink& l) { return buffer_check(l); }, 59},
        {"version query", [](const CutterLink& l) { char t[VERSION_TEXT_SIZE]; return version_query(l, t); }, 100},
        {"ready query", [](const CutterLink& l) { return ready_query(l); }, 101},
        {"manual mark read", [](const CutterLink& l) { return manual_mark_read(l, 1, 0, 0); }, 102},
        {"sensor query", [](const CutterLink& l) { std::int32_t a, b; return sensor_position_query(l, &a, &b); }, 103},
        {"feed query", [](const CutterLink& l) { std::int32_t a; return feed_correction_query(l, &a); }, 104},
    };
}

TEST(CutterCommands, WriteFailureBecomesTheCommandsOwnCodeOthersPassThrough)
{
    for (const FailureCase& c : failure_cases()) {
        for (ResultCode transport : {50u, 55u, 56u, 57u, 58u}) {
            CutterLink link = fake_link();
            g_fake.write_code = transport;
            const ResultCode expected = transport == 50 ? c.own : transport;
            EXPECT_EQ(c.call(link), expected) << c.name << " transport " << transport;
            EXPECT_EQ(g_fake.writes.size(), 1u) << c.name << ": nothing after a failed write";
            EXPECT_TRUE(g_fake.read_lengths.empty()) << c.name;
        }
    }
}

TEST(CutterCommands, BufferCheckFailingInEitherHalf)
{
    CutterLink link = fake_link();
    g_fake.write_code = 50;
    g_fake.fail_write_number = 1;
    EXPECT_EQ(buffer_check(link), 59u);
    EXPECT_EQ(g_fake.writes.size(), 2u);
    EXPECT_EQ(g_fake.debug_pieces.size(), 6u);

    link = fake_link();
    g_fake.write_code = 58;
    g_fake.fail_write_number = 0;
    EXPECT_EQ(buffer_check(link), 58u);
    EXPECT_EQ(g_fake.writes.size(), 1u);

    link = fake_link();
    g_fake.read_code = 50;
    EXPECT_EQ(buffer_check(link), 59u);
    g_fake.read_code = 58;
    EXPECT_EQ(buffer_check(link), 58u);
}

TEST(CutterCommands, ReadFailuresAreMappedLikeWritesExceptTheMarkReadsTakeThemAll)
{
    struct Case { const char* name; std::function<ResultCode(const CutterLink&)> call; ResultCode own; bool all; };
    const std::vector<Case> cases = {
        {"version", [](const CutterLink& l) { char t[VERSION_TEXT_SIZE]; return version_query(l, t); }, 100, false},
        {"ready", [](const CutterLink& l) { return ready_query(l); }, 101, false},
        {"sensor", [](const CutterLink& l) { std::int32_t a = 5, b = 6; ResultCode r = sensor_position_query(l, &a, &b); EXPECT_EQ(a, 5); return r; }, 103, false},
        {"feed", [](const CutterLink& l) { std::int32_t a = 5; ResultCode r = feed_correction_query(l, &a); EXPECT_EQ(a, 5); return r; }, 104, false},
        {"automatic", [](const CutterLink& l) { return automatic_mark_read(l, 1, 0, 0); }, 163, true},
        {"manual", [](const CutterLink& l) { return manual_mark_read(l, 1, 0, 0); }, 102, true},
    };
    for (const Case& c : cases) {
        for (ResultCode transport : {50u, 57u, 58u}) {
            CutterLink link = fake_link();
            g_fake.read_code = transport;
            const ResultCode expected = (transport == 50 || c.all) ? c.own : transport;
            EXPECT_EQ(c.call(link), expected) << c.name << " " << transport;
        }
    }
}

TEST(CutterCommands, RepliesAreReadWithTheirLengthAndTimeOut)
{
    struct Case { std::function<ResultCode(const CutterLink&)> call; std::uint32_t length, timeout; };
    const std::vector<Case> cases = {
        {[](const CutterLink& l) { return buffer_check(l); }, 2, 500},
        {[](const CutterLink& l) { char t[VERSION_TEXT_SIZE]; return version_query(l, t); }, 10, 25000},
        {[](const CutterLink& l) { return ready_query(l); }, 6, 500},
        {[](const CutterLink& l) { return automatic_mark_read(l, 1, 0, 0); }, 6, 250000},
        {[](const CutterLink& l) { return manual_mark_read(l, 1, 0, 0); }, 6, 250000},
        {[](const CutterLink& l) { std::int32_t a, b; return sensor_position_query(l, &a, &b); }, 12, 500},
        {[](const CutterLink& l) { std::int32_t a; return feed_correction_query(l, &a); }, 12, 500},
    };
    for (const Case& c : cases) {
        CutterLink link = fake_link();
        c.call(link);
        ASSERT_EQ(g_fake.read_lengths.size(), 1u);
        EXPECT_EQ(g_fake.read_lengths[0], c.length);
        EXPECT_EQ(g_fake.read_timeouts[0], c.timeout);
    }
}

TEST(CutterReplies, VersionNeedsTheExactModelWordAndGivesFourCharacters)
{
    struct Case { std::string reply; ResultCode code; const char* text; };
    const std::vector<Case> cases = {
        {" 2.01 KVX" + E, 0, "2.01"},
        {" 1.00 KVX" + E, 0, "1.00"},
        {" 2.01 KVXZ", 0, "2.01"},          // the tenth byte is never parsed
        {" 2.01 kvx" + E, 62, nullptr},     // case matters
        {" 2.01 KVY" + E, 62, nullptr},
        {" 2.01 KV" + E, 62, nullptr},
        {"", 62, nullptr},                  // nothing arrived: the command is still there
        {"garbage!!!", 62, nullptr},
        {" x.01 KVX" + E, 62, nullptr},     // no number before the word
        {"X12.5 KVX" + E, 0, "12.5"},
        {" 2.01 KVX and much more than ten bytes", 0, "2.01"},
    };
    for (const Case& c : cases) {
        char text[VERSION_TEXT_SIZE] = "before";
        CutterLink link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(version_query(link, text), c.code) << c.reply;
        EXPECT_STREQ(text, c.text != nullptr ? c.text : "before") << c.reply;
    }
}

TEST(CutterReplies, NumberRepliesAreJudged)
{
    struct Case { const char* what; std::string reply; ResultCode code; };
    const std::vector<Case> ready = {
        {"ready", "    1" + E, 0},
        {"not ready", "    0" + E, 50},  // not ready is the general code, not the command's 101
        {"other number", "    2" + E, 50},
        {"not a number", "WAIT!" + E, 50},
        {"empty: FQ5 is still there", "", 50},
        {"short reply over the command", "1", 0},  // "1Q5": the 1 is read
        {"trailing garbage", "1xyz" + E, 0},
        {"sixth byte is cut off", "0000" + std::string("0") + "1", 50},
        {"plus sign", "+1" + E, 0},
        {"long", "1" + std::string(40, '7'), 50},  // 17777: only five characters are parsed
    };
    for (const Case& c : ready) {
        CutterLink link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(ready_query(link), c.code) << c.what;
    }
    const std::vector<Case> marks = {
        {"read", "    0" + E, 0},
        {"not read", "    1" + E, 1},
        {"negative", "   -1" + E, 1},
        {"not a number", "?????" + E, 1},
        {"empty: TB99 is still there", "", 1},
        {"zero with garbage", "0abc" + E, 0},
    };
    for (const Case& c : marks) {
        CutterLink link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(automatic_mark_read(link, 1, 1000, 1000), c.code == 0 ? 0u : 210u) << c.what;
        link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(manual_mark_read(link, 1, 1000, 1000), c.code == 0 ? 0u : 208u) << c.what;
    }
    CutterLink link = fake_link();
    g_fake.reply = "1" + E;
    EXPECT_EQ(buffer_check(link), 60u);
    link = fake_link();
    g_fake.reply = "0" + E;
    EXPECT_EQ(buffer_check(link), 0u);
    link = fake_link();
    g_fake.reply = "";  // ESC 0x05 is still in the buffer
    EXPECT_EQ(buffer_check(link), 60u);
}

TEST(CutterReplies, SensorPositionIsStoredWithFortyAddedEvenOutOfRange)
{
    struct Case { std::string reply; ResultCode code; std::int32_t x, y; };
    const std::vector<Case> cases = {
        {"    0,    0" + E, 0, 40, 40},
        {"  -40,   40" + E, 0, 0, 80},
        {"41,0" + E, 103, 81, 40},
        {"0,-41" + E, 103, 40, -1},
        {"-5,7abcdef" + E, 0, 35, 47},
        {"99999999999" + E, 103, -1, -1},     // one number only: nothing stored
        {"5;5" + E, 103, -1, -1},
        {"", 103, -1, -1},                    // TB71 is still there
        {"12,345678901234", 103, 52, 34567930},  // the twelfth byte is cut off: 12,34567890
        {"-99999,-9999", 103, -99959, -959},   // the twelfth byte is cut off
    };
    for (const Case& c : cases) {
        std::int32_t x = -1;
        std::int32_t y = -1;
        CutterLink link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(sensor_position_query(link, &x, &y), c.code) << c.reply;
        EXPECT_EQ(x, c.x) << c.reply;
        EXPECT_EQ(y, c.y) << c.reply;
    }
}

TEST(CutterReplies, FeedCorrectionIsTheFirstNumberTimesTen)
{
    struct Case { std::string reply; ResultCode code; std::int32_t feed; };
    const std::vector<Case> cases = {
        {"    0,    0" + E, 0, 0},
        {"  200,    0" + E, 0, 2000},
        {" -200,    9" + E, 0, -2000},
        {"  201,    0" + E, 104, 2010},
        {" -201,    0" + E, 104, -2010},
        {"-125" + E, 0, -1250},           // the second number is not needed
        {"abc,def" + E, 104, 7},
        {"", 104, 7},
        {"99999999999", 104, 2147483647},  // saturates: too large for the cutter anyway
    };
    for (const Case& c : cases) {
        std::int32_t feed = 7;
        CutterLink link = fake_link();
        g_fake.reply = c.reply;
        EXPECT_EQ(feed_correction_query(link, &feed), c.code) << c.reply;
        EXPECT_EQ(feed, c.feed) << c.reply;
    }
}

TEST(CutterUnits, ConversionsTruncateTowardZero)
{
    struct Distance { std::int32_t um, steps; };
    for (const Distance d : {Distance{12345, 246}, {-150, -2}, {199, 2}, {-199, -2}, {99, 0},
                             {-99, 0}, {150000, 3000}, {200049, 4000},
                             {INT32_MAX, 2 * (INT32_MAX / 100)}, {INT32_MIN, 2 * (INT32_MIN / 100)}}) {
        EXPECT_EQ(mark_distance_steps(d.um), d.steps) << d.um;
    }
    struct Size { double mm; std::int32_t steps; };
    for (const Size s : {Size{5.0, 100}, {7.99, 159}, {0.049, 0}, {-0.06, -1}, {10.0, 200}}) {
        EXPECT_EQ(mark_size_steps(s.mm), s.steps) << s.mm;
    }
    struct Feed { std::int32_t held, wire; };
    for (const Feed f : {Feed{-1255, -125}, {1259, 125}, {-9, 0}, {9, 0}, {2000, 200}, {-2000, -200}}) {
        EXPECT_EQ(feed_correction_wire(f.held), f.wire) << f.held;
    }
}

// scan_decimal must read exactly what "%d" reads for every number that fits in 32 bits.
TEST(CutterReplies, DecimalScanAgreesWithTheCLibrary)
{
    std::mt19937 random(20261205);
    const char alphabet[] = " \t\n+-0123456789,,xX.";
    for (int round = 0; round < 20000; ++round) {
        char text[12] = {};
        const int length = static_cast<int>(random() % 12);
        int digits = 0;
        for (int i = 0; i < length; ++i) {
            char c = alphabet[random() % (sizeof alphabet - 1)];
            if (c >= '0' && c <= '9' && ++digits > 9) {
                c = 'x';  // keep numbers within 32 bits, where the C library is defined
            }
            if (c == ',' || c == 'x') {
                digits = 0;
            }
            text[i] = c;
        }
        int first = 0, second = 0;
        int expected = std::sscanf(text, "%d,%d", &first, &second);
        if (expected < 0) {
            expected = 0;
        }
        std::int32_t a = 0, b = 0;
        const int got = scan_decimal_pair(text, &a, &b);
        ASSERT_EQ(got, expected) << "[" << text << "]";
        if (got >= 1) {
            ASSERT_EQ(a, first) << "[" << text << "]";
        }
        if (got == 2) {
            ASSERT_EQ(b, second) << "[" << text << "]";
        }
    }
}

// Random replies of every length to every query: each ends in one of the command's codes.
TEST(CutterReplies, RandomRepliesEndInADefinedCode)
{
    struct Query { const char* name; std::function<ResultCode(const CutterLink&)> call; std::set<ResultCode> codes; std::string valid; };
    const std::vector<Query> queries = {
        {"buffer", [](const CutterLink& l) { return buffer_check(l); }, {0, 60}, "0" + E},
        {"version", [](const CutterLink& l) {
             char t[VERSION_TEXT_SIZE] = {};
             ResultCode r = version_query(l, t);
             EXPECT_LE(std::strlen(t), 4u);
             return r; }, {0, 62}, " 2.01 KVX" + E},
        {"ready", [](const CutterLink& l) { return ready_query(l); }, {0, 50}, "    1" + E},
        {"auto", [](const CutterLink& l) { return automatic_mark_read(l, 1, 5000, 5000); }, {0, 210}, "    0" + E},
        {"manual", [](const CutterLink& l) { return manual_mark_read(l, 1, 5000, 5000); }, {0, 208}, "    0" + E},
        {"sensor", [](const CutterLink& l) {
             std::int32_t x = 0, y = 0;
             ResultCode r = sensor_position_query(l, &x, &y);
             if (r == 0) { EXPECT_TRUE(x >= 0 && x <= 80 && y >= 0 && y <= 80); }
             return r; }, {0, 103}, "    0,    0" + E},
        {"feed", [](const CutterLink& l) {
             std::int32_t f = 0;
             ResultCode r = feed_correction_query(l, &f);
             if (r == 0) { EXPECT_TRUE(f >= -2000 && f <= 2000); }
             return r; }, {0, 104}, "    0,    0" + E},
    };
    std::mt19937 random(3);
    const char printable[] = "0123456789 ,-+.KVXkvx\x03\x1B\t";
    for (const Query& q : queries) {
        std::set<ResultCode> seen;
        for (int round = 0; round < 3000; ++round) {
            // Half the replies are noise, half a good reply with a few bytes changed, cut short
            // or run on.
            std::string reply;
            if (random() % 2 == 0) {
                reply.assign(random() % 20, '\0');
                for (char& c : reply) {
                    c = (random() % 4 == 0) ? static_cast<char>(random() % 256)
                                            : printable[random() % (sizeof printable - 1)];
                }
            } else {
                reply = q.valid;
                for (unsigned changes = random() % 3; changes > 0; --changes) {
                    reply[random() % reply.size()] = printable[random() % (sizeof printable - 1)];
                }
                if (random() % 4 == 0) {
                    reply.resize(random() % (reply.size() + 8), '7');
                }
            }
            CutterLink link = fake_link();
            g_fake.reply = reply;
            const ResultCode code = q.call(link);
            ASSERT_TRUE(q.codes.count(code) == 1) << q.name << " gave " << code;
            seen.insert(code);
        }
        EXPECT_EQ(seen, q.codes) << q.name << ": the random replies should reach every outcome";
    }
}

}  // namespace
