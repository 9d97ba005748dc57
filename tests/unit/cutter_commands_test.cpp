#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "device/cutter_commands.h"
#include "virtual_cutter_fixture.h"

namespace {

const std::string E = "\x03";

class CutterOverUsb : public VirtualCutterTest {};

TEST_F(CutterOverUsb, EveryCommandArrivesByteExactAndTheCutterFollows)
{
    char version[VERSION_TEXT_SIZE] = {};
    std::int32_t x = 0, y = 0, feed = 0;
    EXPECT_EQ(buffer_check(), RC_SUCCESS);
    EXPECT_EQ(start_notice_command(), RC_SUCCESS);
    EXPECT_EQ(version_query(version), RC_SUCCESS);
    EXPECT_STREQ(version, "2.01");
    EXPECT_EQ(cut_condition_command(3, 5, 2, 0), RC_SUCCESS);
    EXPECT_EQ(condition_number_command(4), RC_SUCCESS);
    EXPECT_EQ(cut_speed_command(9), RC_SUCCESS);
    EXPECT_EQ(cut_pressure_command(3), RC_SUCCESS);
    EXPECT_EQ(cutter_offset_command(-7), RC_SUCCESS);
    EXPECT_EQ(track_enhancing_command(1), RC_SUCCESS);
    EXPECT_EQ(thick_media_command(1), RC_SUCCESS);
    EXPECT_EQ(orientation_command(1), RC_SUCCESS);
    EXPECT_EQ(mark_size_command(7.99), RC_SUCCESS);
    EXPECT_EQ(sensor_position_command(40, 80), RC_SUCCESS);
    EXPECT_EQ(feed_correction_command(-1255), RC_SUCCESS);
    EXPECT_EQ(sensor_scan_command(), RC_SUCCESS);
    EXPECT_EQ(blade_move_command(5, 1), RC_SUCCESS);
    EXPECT_EQ(blade_move_command(5, 0), RC_SUCCESS);
    EXPECT_EQ(test_cut(), RC_SUCCESS);
    EXPECT_EQ(origin_set(), RC_SUCCESS);
    EXPECT_EQ(manual_mark_read(1, 150000, 200049), RC_SUCCESS);
    EXPECT_EQ(automatic_mark_read(1, -150, 12345), RC_SUCCESS);
    EXPECT_EQ(ready_query(), RC_SUCCESS);
    EXPECT_EQ(sensor_position_query(&x, &y), RC_SUCCESS);
    EXPECT_EQ(feed_correction_query(&feed), RC_SUCCESS);

    const std::vector<std::string> expected = {
        "\x1B\x04", "\x1B\x05", "TT" + E, "FG" + E,
        "FW3" + E + "!5" + E + "*0,2" + E + "FC0" + E,
        "FW4" + E, "!9" + E, "*0,3" + E, "FC-7" + E, "FY1" + E, "FE1" + E, "FN1" + E,
        "TB51,159" + E, "TB72,0,40" + E, "FB-125,0" + E, "TB70" + E,
        std::string("\x1B\x00\x0A", 3), std::string("\x1B\x00\x00", 3), "FH" + E, "FJ" + E,
        "TB99" + E + "TB55,1" + E + "TB23,3000,4000" + E,
        "TB99" + E + "TB55,1" + E + "TB123,-2,246" + E,
        "FQ5" + E, "TB71" + E, "FA" + E,
    };
    EXPECT_EQ(writes(static_cast<int>(expected.size())), expected);

    // What the cutter made of it, and what it gives back.
    const CutterState s = model().state;
    EXPECT_TRUE(s.started);
    EXPECT_EQ(s.condition_number, 4);
    EXPECT_EQ(s.speed, 9);
    EXPECT_EQ(s.pressure, 3);
    EXPECT_EQ(s.offset, -7);
    EXPECT_EQ(s.mark_size_steps, 159);
    EXPECT_EQ(s.blade_bits, 0);
    EXPECT_EQ(s.blade_moves, 2);
    EXPECT_EQ(s.mark_distance_x, -2);
    EXPECT_EQ(s.mark_distance_y, 246);
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(feed, -1250);  // sent as -125: the last digit is lost on the wire
}

struct FaultCase {
    const char* name;
    std::function<void(CutterModel*)> setup;
    std::function<ResultCode()> call;
    ResultCode expected;
};

TEST_F(CutterOverUsb, MisbehavingCutterGivesEachCommandsCode)
{
    auto fault = [](const char* key, Fault kind) {
        return [key, kind](CutterModel* m) { m->faults[key] = kind; };
    };
    auto version_is = [](const char* text) {
        return [text]() {
            char version[VERSION_TEXT_SIZE] = "unchanged";
            const ResultCode code = version_query(version);
            EXPECT_STREQ(version, text);
            return code;
        };
    };
    const std::vector<FaultCase> cases = {
        {"buffer busy", fault("ESC05", Fault::BufferBusy), [] { return buffer_check(); }, 60},
        {"buffer garbage", fault("ESC05", Fault::Garbage), [] { return buffer_check(); }, 60},
        {"other model", fault("FG", Fault::OtherModel), version_is("unchanged"), 62},
        {"firmware 1", fault("FG", Fault::FirmwareV1), version_is("1.00"), 0},
        {"version garbage", fault("FG", Fault::Garbage), version_is("unchanged"), 62},
        {"version short", fault("FG", Fault::ShortReply), version_is("unchanged"), 62},
        {"version long", fault("FG", Fault::LongReply), version_is("2.01"), 0},
        {"not ready", fault("FQ5", Fault::NotReady), [] { return ready_query(); }, 50},
        {"ready garbage", fault("FQ5", Fault::Garbage), [] { return ready_query(); }, 50},
        {"marks not found", fault("TB123", Fault::MarksNotFound),
         [] { return automatic_mark_read(1, 100000, 100000); }, 210},
        {"marks not read", fault("TB23", Fault::MarksNotRead),
         [] { return manual_mark_read(1, 100000, 100000); }, 208},
        {"sensor out of range", fault("TB71", Fault::OutOfRange),
         [] { std::int32_t x = 0, y = 0; ResultCode r = sensor_position_query(&x, &y);
              EXPECT_EQ(x, 81); EXPECT_EQ(y, 40); return r; }, 103},
        {"sensor short", fault("TB71", Fault::ShortReply),
         [] { std::int32_t x = 0, y = 0; return sensor_position_query(&x, &y); }, 103},
        {"feed out of range", fault("FA", Fault::OutOfRange),
         [] { std::int32_t f = 0; ResultCode r = feed_correction_query(&f); EXPECT_EQ(f, 2010);
              return r; }, 104},
        {"switched off", [](CutterModel* m) { m->switched_off = true; },
         [] { return cut_speed_command(3); }, 57},
        {"switched off while reading", [](CutterModel* m) { m->switched_off = true; },
         [] { return manual_mark_read(1, 0, 0); }, 57},
        {"broken connection", [](CutterModel* m) { m->refuse_transfers = true; },
         [] { return cut_speed_command(3); }, 152},
        {"broken connection, version", [](CutterModel* m) { m->refuse_transfers = true; },
         version_is("unchanged"), 100},
    };
    for (const FaultCase& c : cases) {
        set([](CutterModel* m) {
            m->faults.clear();
            m->switched_off = false;
            m->refuse_transfers = false;
        });
        set(c.setup);
        EXPECT_EQ(c.call(), c.expected) << c.name;
    }
}

TEST_F(CutterOverUsb, SilentCutterCostsTheOrdinaryTimeOutAndNoMore)
{
    set([](CutterModel* m) { m->faults["TB71"] = Fault::Silent; });
    std::int32_t x = 1, y = 1;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sensor_position_query(&x, &y), RC_TRANSFER_TIMEOUT);
    const double waited = milliseconds_since(start);
    EXPECT_GE(waited, 450.0);
    EXPECT_LT(waited, 1500.0);
    EXPECT_EQ(x, 1);

    // A reply longer than the read, then a normal exchange: nothing of the first leaks over.
    set([](CutterModel* m) { m->faults.clear(); m->faults["FQ5"] = Fault::LongReply; });
    EXPECT_EQ(ready_query(), RC_GENERAL_ERROR);  // "    0": not ready
    EXPECT_EQ(sensor_position_query(&x, &y), RC_SUCCESS);
    EXPECT_EQ(x, 40);
}

// Random replies over the real pipe to every query: each ends in one of the command's codes,
// within its time-out.
TEST_F(CutterOverUsb, RandomRepliesEndInADefinedCode)
{
    struct Query { const char* name; std::function<ResultCode()> call; std::set<ResultCode> codes; };
    const std::vector<Query> queries = {
        {"buffer", [] { return buffer_check(); }, {0, 60}},
        {"version", [] { char t[VERSION_TEXT_SIZE]; return version_query(t); }, {0, 62}},
        {"ready", [] { return ready_query(); }, {0, 50}},
        {"automatic", [] { return automatic_mark_read(1, 20000, 20000); }, {0, 210}},
        {"manual", [] { return manual_mark_read(1, 20000, 20000); }, {0, 208}},
        {"sensor", [] { std::int32_t x, y; return sensor_position_query(&x, &y); }, {0, 103}},
        {"feed", [] { std::int32_t f; return feed_correction_query(&f); }, {0, 104}},
    };
    const std::vector<std::string> seeds = {"0" + E, " 2.01 KVX" + E, "    1" + E, "    0" + E,
                                            "  -12,   40" + E, "  200,    0" + E, "garbage"};
    std::mt19937 random(1205);
    const char alphabet[] = "0123456789 ,-+.KVX\x03\x1B";
    for (const Query& q : queries) {
        for (int round = 0; round < 30; ++round) {
            std::string reply = seeds[random() % seeds.size()];
            for (unsigned changes = random() % 3; changes > 0; --changes) {
                reply[random() % reply.size()] = alphabet[random() % (sizeof alphabet - 1)];
            }
            reply.resize(1 + random() % 16, static_cast<char>(random() % 256));
            set([&](CutterModel* m) {
                m->faults.clear();
                m->scripted_reply = reply;
                for (const char* key : {"ESC05", "FG", "FQ5", "TB123", "TB23", "TB71", "FA"}) {
                    m->faults[key] = Fault::Scripted;
                }
            });
            const ResultCode code = q.call();
            EXPECT_EQ(q.codes.count(code), 1u) << q.name << " [" << printable(reply) << "] " << code;
        }
    }
}

TEST_F(CutterOverUsb, EmptyReplyIsJudgedOnWhatTheBufferStillHolds)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::Scripted; m->scripted_reply = ""; });
    const ResultCode code = ready_query();
    // An empty reply either arrives as nothing (FQ5 still in the buffer: not ready) or never
    // completes the read (time-out); both are defined outcomes, and neither hangs.
    EXPECT_TRUE(code == RC_GENERAL_ERROR || code == RC_TRANSFER_TIMEOUT) << code;
}

}  // namespace
