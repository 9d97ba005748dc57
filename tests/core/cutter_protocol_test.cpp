#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"

namespace {

// A cutter on the other end of a link: records what is written and logged, answers every read
// with the scripted reply (cut to the read length, as a transfer delivers at most count bytes),
// and fails transfers on request.
struct FakeCutter {
    std::vector<std::string> writes, debug_pieces;
    std::vector<std::uint32_t> write_timeouts, read_timeouts, read_lengths, sleeps;
    std::string reply;
    ResultCode write_code = RC_SUCCESS;
    ResultCode read_code = RC_SUCCESS;
};

FakeCutter g_fake;

void fake_debug(const char* text) { g_fake.debug_pieces.emplace_back(text); }

ResultCode fake_write(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    g_fake.writes.emplace_back(static_cast<const char*>(bytes), count);
    g_fake.write_timeouts.push_back(timeout_ms);
    return g_fake.write_code;
}

ResultCode fake_read(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    g_fake.read_timeouts.push_back(timeout_ms);
    g_fake.read_lengths.push_back(count);
    if (g_fake.read_code == RC_SUCCESS) {
        std::memcpy(buffer, g_fake.reply.data(), g_fake.reply.size() < count ? g_fake.reply.size() : count);
    }
    return g_fake.read_code;
}

void fake_sleep(std::uint32_t ms) { g_fake.sleeps.push_back(ms); }

void fake_demo_text(std::int32_t demo_mode, char* text, std::size_t size)
{
    std::snprintf(text, size, "demo %d", static_cast<int>(demo_mode));
}

CutterLink fake_link(std::int32_t demo_mode = 0, const std::string& reply = "")
{
    g_fake = FakeCutter{};
    g_fake.reply = reply;
    return CutterLink{fake_debug, fake_write, fake_read, fake_sleep, fake_demo_text, demo_mode};
}

using Call = std::function<ResultCode(const CutterLink&)>;
// Picks the overload of a command that takes the link.
Call on_link(ResultCode (*command)(const CutterLink&)) { return command; }
const std::string E = "\x03";
const std::string ESC_S = "\x1B";

ResultCode version(const CutterLink& l) { char t[VERSION_TEXT_SIZE]; return version_query(l, t); }
ResultCode sensor(const CutterLink& l) { std::int32_t a, b; return sensor_position_query(l, &a, &b); }
ResultCode feed(const CutterLink& l) { std::int32_t a; return feed_correction_query(l, &a); }
ResultCode auto_read(const CutterLink& l) { return automatic_mark_read(l, 1, -150, -99); }
ResultCode manual_read(const CutterLink& l) { return manual_mark_read(l, 1, 150000, 200049); }

struct Command {
    const char* name;
    Call call;
    std::vector<std::string> writes;  // each write's exact bytes
    std::uint32_t write_timeout;
    ResultCode own;     // the code a general write failure becomes
    std::string reply;  // a reply that succeeds
};

std::vector<Command> commands()
{
    const std::string blade = ESC_S + std::string(1, '\0');
    return {
        {"start notice", on_link(start_notice_command), {"TT" + E}, 500, 166, ""},
        {"cut condition", [](const CutterLink& l) { return cut_condition_command(l, -1, 10, 3, -25); },
         {"FW-1" + E + "!10" + E + "*0,3" + E + "FC-25" + E}, 500, 150, ""},
        {"orientation", [](const CutterLink& l) { return orientation_command(l, 1); }, {"FN1" + E}, 500, 156, ""},
        {"blade up left", [](const CutterLink& l) { return blade_move_command(l, 5, 1); }, {blade + "\x0A"}, 250000, 159, ""},
        {"blade stop", [](const CutterLink& l) { return blade_move_command(l, 15, 0); }, {blade + std::string(1, '\0')}, 250000, 159, ""},
        {"sensor position", [](const CutterLink& l) { return sensor_position_command(l, 0, 39); }, {"TB72,-40,-1" + E}, 500, 160, ""},
        {"sensor scan", on_link(sensor_scan_command), {"TB70" + E}, 500, 161, ""},
        {"feed correction", [](const CutterLink& l) { return feed_correction_command(l, 1259); }, {"FB125,0" + E}, 500, 162, ""},
        {"mark size 7.99", [](const CutterLink& l) { return mark_size_command(l, 7.99); }, {"TB51,159" + E}, 500, 164, ""},
        {"buffer check", on_link(buffer_check), {ESC_S + "\x04", ESC_S + "\x05"}, 500, 59, "0" + E},
        {"version query", version, {"FG" + E}, 500, 100, " 2.01 KVX" + E},
        {"ready query", on_link(ready_query), {"FQ5" + E}, 500, 101, "    1" + E},
        {"automatic mark read", auto_read, {"TB99" + E + "TB55,1" + E + "TB123,-2,0" + E}, 500, 163, "    0" + E},
        {"manual mark read", manual_read, {"TB99" + E + "TB55,1" + E + "TB23,3000,4000" + E}, 500, 102, "    0" + E},
        {"sensor query", sensor, {"TB71" + E}, 500, 103, "    0,    0" + E},
        {"feed query", feed, {"FA" + E}, 500, 104, "    0,    0" + E},
    };
}

// Each write is logged first as a label, the command up to its first zero byte and a line end;
// demo mode logs the same and sends nothing.
TEST(CutterCommands, EveryCommandWritesItsExactBytesAndLogsThem)
{
    for (const Command& c : commands()) {
        for (std::int32_t mode : {DEMO_OFF, DEMO_VERSION_2}) {
            SCOPED_TRACE(testing::Message() << c.name << " in mode " << mode);
            EXPECT_EQ(c.call(fake_link(mode, c.reply)), RC_SUCCESS);
            EXPECT_EQ(g_fake.writes, mode == DEMO_OFF ? c.writes : std::vector<std::string>{});
            EXPECT_EQ(g_fake.write_timeouts, std::vector<std::uint32_t>(g_fake.writes.size(), c.write_timeout));
            ASSERT_EQ(g_fake.debug_pieces.size(), 3 * c.writes.size());
            for (std::size_t i = 0; i < c.writes.size(); ++i) {
                EXPECT_GT(g_fake.debug_pieces[3 * i].size(), 10u);
                EXPECT_EQ(g_fake.debug_pieces[3 * i + 1] + g_fake.debug_pieces[3 * i + 2], c.writes[i].c_str() + std::string("\n"));
            }
        }
    }
}

TEST(CutterCommands, DemoAnswers)
{
    char text[VERSION_TEXT_SIZE] = "untouched";
    EXPECT_EQ(version_query(fake_link(DEMO_VERSION_1), text), RC_SUCCESS);
    EXPECT_STREQ(text, "demo 1");
    std::int32_t x = 7, y = 7, correction = 99;
    const CutterLink link = fake_link(DEMO_VERSION_2);
    EXPECT_EQ(sensor_position_query(link, &x, &y), RC_SUCCESS);
    EXPECT_EQ(feed_correction_query(link, &correction), RC_SUCCESS);
    EXPECT_EQ(std::make_tuple(x, y, correction), std::make_tuple(40, 40, 0));
    EXPECT_EQ(auto_read(link), RC_SUCCESS);
    EXPECT_EQ(manual_read(link), RC_SUCCESS);
    EXPECT_EQ(g_fake.sleeps, (std::vector<std::uint32_t>{2000, 2000}));
}

TEST(CutterCommands, WriteFailureBecomesTheCommandsOwnCodeOthersPassThrough)
{
    for (const Command& c : commands()) {
        for (ResultCode transport : {50u, 58u}) {
            const CutterLink link = fake_link();
            g_fake.write_code = transport;
            EXPECT_EQ(c.call(link), transport == 50 ? c.own : transport) << c.name << " " << transport;
            EXPECT_EQ(g_fake.writes.size(), 1u) << c.name << ": nothing after a failed write";
            EXPECT_TRUE(g_fake.read_lengths.empty()) << c.name;
        }
    }
}

TEST(CutterCommands, RepliesAreReadWithTheirLengthTimeOutAndFailureCode)
{
    // Read failures map like write failures, except that the mark reads take them all as their own.
    struct Case { Call call; std::uint32_t length, timeout; ResultCode own; bool all; };
    const std::vector<Case> cases = {
        {on_link(buffer_check), 2, 500, 59, false},  {version, 10, 25000, 100, false},
        {on_link(ready_query), 6, 500, 101, false},  {auto_read, 6, 250000, 163, true},
        {manual_read, 6, 250000, 102, true}, {sensor, 12, 500, 103, false},
        {feed, 12, 500, 104, false},
    };
    for (const Case& c : cases) {
        c.call(fake_link());
        ASSERT_EQ(g_fake.read_lengths, std::vector<std::uint32_t>{c.length});
        EXPECT_EQ(g_fake.read_timeouts[0], c.timeout);
        for (ResultCode transport : {50u, 58u}) {
            const CutterLink link = fake_link();
            g_fake.read_code = transport;
            EXPECT_EQ(c.call(link), (transport == 50 || c.all) ? c.own : transport) << c.length;
        }
    }
}

TEST(CutterReplies, VersionNeedsTheExactModelWordAndGivesFourCharacters)
{
    struct Case { std::string reply; const char* text; };  // nullptr: rejected with 62
    const std::vector<Case> cases = {
        {" 2.01 KVXZ", "2.01"},  // the tenth byte is never parsed
        {"X12.5 KVX" + E, "12.5"}, {" 2.01 KVY" + E, nullptr}, {" 2.01 KV" + E, nullptr},
        {"", nullptr},  // nothing arrived: the command is still there
        {" x.01 KVX" + E, nullptr},  // no number before the word
    };
    for (const Case& c : cases) {
        char text[VERSION_TEXT_SIZE] = "before";
        EXPECT_EQ(version_query(fake_link(0, c.reply), text), c.text != nullptr ? 0u : 62u) << c.reply;
        EXPECT_STREQ(text, c.text != nullptr ? c.text : "before") << c.reply;
    }
}

TEST(CutterReplies, NumberRepliesAreJudged)
{
    struct Case { std::string reply; bool positive; };
    // Not ready is the general code 50, not the command's 101.
    const std::vector<Case> ready = {
        {"    1" + E, true}, {"    2" + E, false}, {"", false},  // FQ5 is still there
        {"1", true},                    // "1Q5": the 1 is read
        {"000001", false},              // the sixth byte is cut off
        {"1" + std::string(40, '7'), false},  // 17777: only five characters are parsed
    };
    for (const Case& c : ready) {
        EXPECT_EQ(ready_query(fake_link(0, c.reply)), c.positive ? 0u : 50u) << c.reply;
    }
    const std::vector<Case> marks = {
        {"0abc" + E, true}, {"    1" + E, false}, {"", false},  // TB99 is still there
    };
    for (const Case& c : marks) {
        EXPECT_EQ(auto_read(fake_link(0, c.reply)), c.positive ? 0u : 210u) << c.reply;
        EXPECT_EQ(manual_read(fake_link(0, c.reply)), c.positive ? 0u : 208u) << c.reply;
    }
    EXPECT_EQ(buffer_check(fake_link(0, "0" + E)), 0u);
    EXPECT_EQ(buffer_check(fake_link(0, "1" + E)), 60u);
    EXPECT_EQ(buffer_check(fake_link(0, "")), 60u);  // ESC 0x05 is still in the buffer
}

TEST(CutterReplies, SensorPositionIsStoredWithFortyAddedEvenOutOfRange)
{
    struct Case { std::string reply; ResultCode code; std::int32_t x, y; };
    const std::vector<Case> cases = {
        {"   40,  -40" + E, 0, 80, 0},   {"41,0" + E, 103, 81, 40},  {"0,-41" + E, 103, 40, -1},
        {"99999999999" + E, 103, -1, -1},  // one number only: nothing stored
        {"", 103, -1, -1},
        {"12,345678901234", 103, 52, 34567930},  // the twelfth byte is cut off
    };
    for (const Case& c : cases) {
        std::int32_t x = -1, y = -1;
        EXPECT_EQ(sensor_position_query(fake_link(0, c.reply), &x, &y), c.code) << c.reply;
        EXPECT_EQ(x, c.x) << c.reply;
        EXPECT_EQ(y, c.y) << c.reply;
    }
}

TEST(CutterReplies, FeedCorrectionIsTheFirstNumberTimesTen)
{
    struct Case { std::string reply; ResultCode code; std::int32_t feed; };
    const std::vector<Case> cases = {
        {"  200,    0" + E, 0, 2000},  {" -201,    0" + E, 104, -2010},
        {"-125" + E, 0, -1250},  // the second number is not needed
        {"", 104, 7},
        {"99999999999", 104, 2147483647},  // saturates
    };
    for (const Case& c : cases) {
        std::int32_t value = 7;
        EXPECT_EQ(feed_correction_query(fake_link(0, c.reply), &value), c.code) << c.reply;
        EXPECT_EQ(value, c.feed) << c.reply;
    }
}

}  // namespace
