#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"

namespace {

// A cutter on the other end of a link: records what is written, read and logged, answers every
// read with the scripted reply (cut to the read length, as a transfer delivers at most count
// bytes), and fails transfers on request.
using Reads = std::vector<std::pair<std::uint32_t, std::uint32_t>>;  // length, time-out
struct FakeCutter {
    std::vector<std::string> writes, debug_pieces;
    std::vector<std::uint32_t> write_timeouts, sleeps;
    Reads reads;
    std::string reply;
    ResultCode write_code = RC_SUCCESS;
    ResultCode read_code = RC_SUCCESS;
};

FakeCutter g_fake;

ResultCode fake_write(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    g_fake.writes.emplace_back(static_cast<const char*>(bytes), count);
    g_fake.write_timeouts.push_back(timeout_ms);
    return g_fake.write_code;
}

ResultCode fake_read(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    g_fake.reads.emplace_back(count, timeout_ms);
    if (g_fake.read_code == RC_SUCCESS) {
        std::memcpy(buffer, g_fake.reply.data(), g_fake.reply.size() < count ? g_fake.reply.size() : count);
    }
    return g_fake.read_code;
}

CutterLink fake_link(std::int32_t demo_mode = 0, const std::string& reply = "")
{
    g_fake = FakeCutter{};
    g_fake.reply = reply;
    return CutterLink{[](const char* text) { g_fake.debug_pieces.emplace_back(text); }, fake_write, fake_read,
                      [](std::uint32_t ms) { g_fake.sleeps.push_back(ms); },
                      [](std::int32_t mode, char* text, std::size_t size) { std::snprintf(text, size, "demo %d", mode); },
                      demo_mode};
}

const std::string E = "\x03";
const std::string ESC_S = "\x1B";

ResultCode version(const CutterLink& l) { char t[VERSION_TEXT_SIZE]; return version_query(l, t); }
ResultCode sensor(const CutterLink& l) { std::int32_t a, b; return sensor_position_query(l, &a, &b); }
ResultCode feed(const CutterLink& l) { std::int32_t a; return feed_correction_query(l, &a); }
ResultCode auto_read(const CutterLink& l) { return automatic_mark_read(l, 1, -150, -99); }
ResultCode manual_read(const CutterLink& l) { return manual_mark_read(l, 1, 150000, 200049); }

// One row per shape of command: how its arguments reach the wire, how it is sent and read.
struct Command {
    ResultCode (*call)(const CutterLink&);
    std::vector<std::string> writes;  // each write's exact bytes
    std::uint32_t write_timeout;
    ResultCode own;          // the code a general transfer failure becomes
    std::string reply = "";  // a reply that succeeds
    Reads reads = {};
    bool mark_read = false;  // every read failure is its own, not only 50; waits in demo mode
};

TEST(CutterCommands, EachCommandIsSentLoggedReadAndFailsAsItsRowSays)
{
    const Command commands[] = {
        {[](const CutterLink& l) { return cut_condition_command(l, -1, 10, 3, -25); },
         {"FW-1" + E + "!10" + E + "*0,3" + E + "FC-25" + E}, 500, 150},
        {[](const CutterLink& l) { return blade_move_command(l, 5, 1); }, {std::string("\x1B\x00\x0A", 3)}, 250000, 159},
        {[](const CutterLink& l) { return blade_move_command(l, 15, 0); }, {std::string("\x1B\x00\x00", 3)}, 250000, 159},
        {[](const CutterLink& l) { return sensor_position_command(l, 0, 39); }, {"TB72,-40,-1" + E}, 500, 160},
        {[](const CutterLink& l) { return feed_correction_command(l, 1259); }, {"FB125,0" + E}, 500, 162},
        {[](const CutterLink& l) { return mark_size_command(l, 7.99); }, {"TB51,159" + E}, 500, 164},
        {buffer_check, {ESC_S + "\x04", ESC_S + "\x05"}, 500, 59, "0" + E, {{2, 500}}},
        {version, {"FG" + E}, 500, 100, " 2.01 KVX" + E, {{10, 25000}}},
        {ready_query, {"FQ5" + E}, 500, 101, "    1" + E, {{6, 500}}},
        {auto_read, {"TB99" + E + "TB55,1" + E + "TB123,-2,0" + E}, 500, 163, "    0" + E, {{6, 250000}}, true},
        {manual_read, {"TB99" + E + "TB55,1" + E + "TB23,3000,4000" + E}, 500, 102, "    0" + E, {{6, 250000}}, true},
        {sensor, {"TB71" + E}, 500, 103, "    0,    0" + E, {{12, 500}}},
        {feed, {"FA" + E}, 500, 104, "    0,    0" + E, {{12, 500}}},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(testing::Message() << "row " << &c - commands);
        // Each write is logged first as a label, the command up to its first zero byte and a line
        // end; demo mode logs the same and neither sends nor reads, the mark reads wait instead.
        for (std::int32_t mode : {DEMO_OFF, DEMO_VERSION_2}) {
            EXPECT_EQ(c.call(fake_link(mode, c.reply)), RC_SUCCESS) << mode;
            EXPECT_EQ(g_fake.writes, mode == DEMO_OFF ? c.writes : std::vector<std::string>{}) << mode;
            EXPECT_EQ(g_fake.write_timeouts, std::vector<std::uint32_t>(g_fake.writes.size(), c.write_timeout));
            EXPECT_EQ(g_fake.reads, mode == DEMO_OFF ? c.reads : Reads{}) << mode;
            EXPECT_EQ(g_fake.sleeps, std::vector<std::uint32_t>(mode != DEMO_OFF && c.mark_read ? 1 : 0, 2000)) << mode;
            ASSERT_EQ(g_fake.debug_pieces.size(), 3 * c.writes.size());
            for (std::size_t i = 0; i < c.writes.size(); ++i) {
                EXPECT_GT(g_fake.debug_pieces[3 * i].size(), 10u);
                EXPECT_EQ(g_fake.debug_pieces[3 * i + 1] + g_fake.debug_pieces[3 * i + 2], c.writes[i].c_str() + std::string("\n"));
            }
        }
        // A general failure (50) of a transfer becomes the command's own code, others pass
        // through; nothing follows a failed write.
        for (ResultCode transport : {50u, 58u}) {
            const CutterLink link = fake_link();
            g_fake.write_code = transport;
            EXPECT_EQ(c.call(link), transport == 50 ? c.own : transport) << transport;
            EXPECT_EQ(g_fake.writes.size(), 1u);
            EXPECT_TRUE(g_fake.reads.empty());
            if (!c.reads.empty()) {
                g_fake.write_code = RC_SUCCESS;
                g_fake.read_code = transport;
                EXPECT_EQ(c.call(link), transport == 50 || c.mark_read ? c.own : transport) << transport;
            }
        }
    }
}

template <ResultCode (*query)(const CutterLink&)>
std::string code_of(const CutterLink& l) { return std::to_string(query(l)); }

TEST(CutterReplies, EachQueryJudgesItsReplyCutAtItsFixedIndex)
{
    // What a query makes of a reply: its code, then what it stored ("-": nothing).
    const auto version_answer = [](const CutterLink& l) {
        char text[VERSION_TEXT_SIZE] = "-";
        const ResultCode code = version_query(l, text);
        return std::to_string(code) + " " + text;
    };
    const auto sensor_answer = [](const CutterLink& l) {
        std::int32_t x = -1, y = -1;
        const ResultCode code = sensor_position_query(l, &x, &y);
        return std::to_string(code) + " " + std::to_string(x) + "," + std::to_string(y);
    };
    const auto feed_answer = [](const CutterLink& l) {
        std::int32_t value = -1;
        const ResultCode code = feed_correction_query(l, &value);
        return std::to_string(code) + " " + std::to_string(value);
    };
    struct Case { std::string (*query)(const CutterLink&); std::string reply, answer; std::int32_t demo = DEMO_OFF; };
    const auto ready = code_of<ready_query>;
    const Case cases[] = {
        // A character, a number and exactly the model word; the text is the four after the first.
        {version_answer, "X2.01 KVXZ", "0 2.01"},  // the tenth byte is never parsed
        {version_answer, " 2.01 KV" + E, "62 -"}, {version_answer, " x.01 KVX" + E, "62 -"},
        {version_answer, "", "62 -"},  // nothing arrived: the command is still there
        // Not ready is the general code 50, not the command's 101. "1" leaves "1Q5": the 1 is read;
        // the sixth byte of "000001" is cut off.
        {ready, "    1" + E, "0"}, {ready, "    2" + E, "50"}, {ready, "", "50"}, {ready, "1", "0"}, {ready, "000001", "50"},
        {code_of<auto_read>, "0abc" + E, "0"}, {code_of<auto_read>, "", "210"}, {code_of<manual_read>, "    1" + E, "208"},
        {code_of<buffer_check>, "0" + E, "0"}, {code_of<buffer_check>, "", "60"},  // ESC 0x05 is still there
        // Sensor positions are stored with 40 added, even out of range.
        {sensor_answer, "   40,  -40" + E, "0 80,0"}, {sensor_answer, "41,0" + E, "103 81,40"},
        {sensor_answer, "0,-41" + E, "103 40,-1"}, {sensor_answer, "5" + E, "103 -1,-1"}, {sensor_answer, "", "103 -1,-1"},
        {sensor_answer, "12,345678901234", "103 52,34567930"},  // the twelfth byte is cut off
        // The feed correction is the first number times ten; the second is not needed.
        {feed_answer, "  200,    0" + E, "0 2000"}, {feed_answer, " -201,    0" + E, "104 -2010"},
        {feed_answer, "-125" + E, "0 -1250"}, {feed_answer, "", "104 -1"},
        {feed_answer, "99999999999", "104 2147483647"},  // saturates
        // Demo mode's fixed answers.
        {version_answer, "", "0 demo 1", DEMO_VERSION_1}, {sensor_answer, "", "0 40,40", DEMO_VERSION_2},
        {feed_answer, "", "0 0", DEMO_VERSION_2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.query(fake_link(c.demo, c.reply)), c.answer) << c.reply;
    }
}

}  // namespace
