#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "device/program_link.h"
#include "profile_folder.h"
#include "settings/settings_file.h"
#include "virtual_cutter_fixture.h"
#include "workflow/mark_distances.h"

namespace {

const CutterLink cutter = program_link(DEMO_OFF);
const std::string E = "\x03";

class CutterOverUsb : public VirtualCutterTest {};

TEST_F(CutterOverUsb, EveryCommandArrivesByteExactAndTheRepliesAreConverted)
{
    char version[VERSION_TEXT_SIZE] = {};
    std::int32_t x = 0, y = 0, feed = 0;
    const ResultCode codes[] = {
        buffer_check(cutter), start_notice_command(cutter), version_query(cutter, version),
        cut_condition_command(cutter, 3, 5, 2, 0), condition_number_command(cutter, 4), cut_speed_command(cutter, 9),
        cut_pressure_command(cutter, 3), cutter_offset_command(cutter, -7), track_enhancing_command(cutter, 1),
        thick_media_command(cutter, 1), orientation_command(cutter, 1), mark_size_command(cutter, 7.99),
        sensor_position_command(cutter, 40, 80), feed_correction_command(cutter, -1255), sensor_scan_command(cutter),
        blade_move_command(cutter, 5, 1), blade_move_command(cutter, 5, 0), test_cut(cutter), origin_set(cutter),
        manual_mark_read(cutter, 1, 150000, 200049), automatic_mark_read(cutter, 1, -150, 12345), ready_query(cutter),
        sensor_position_query(cutter, &x, &y), feed_correction_query(cutter, &feed),
    };
    for (std::size_t i = 0; i < sizeof codes / sizeof codes[0]; ++i) {
        EXPECT_EQ(codes[i], RC_SUCCESS) << "command " << i;
    }
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
    EXPECT_STREQ(version, "2.01");
    EXPECT_EQ(x, 40);
    EXPECT_EQ(y, 80);
    EXPECT_EQ(feed, -1250);  // sent as -125: the last digit is lost on the wire
}

TEST_F(CutterOverUsb, MisbehavingCutterGivesEachCommandsCode)
{
    struct Case {
        const char* name;
        std::function<void(CutterModel*)> setup;
        std::function<ResultCode()> call;
        ResultCode expected;
    };
    auto fault = [](const char* key, Fault kind) {
        return [key, kind](CutterModel* m) { m->faults[key] = kind; };
    };
    auto version_is = [](const char* text) {
        return [text]() {
            char version[VERSION_TEXT_SIZE] = "unchanged";
            const ResultCode code = version_query(cutter, version);
            EXPECT_STREQ(version, text);
            return code;
        };
    };
    const Case cases[] = {
        {"buffer busy", fault("ESC05", Fault::BufferBusy), [] { return buffer_check(cutter); }, 60},
        {"other model", fault("FG", Fault::OtherModel), version_is("unchanged"), 62},
        {"sensor out of range", fault("TB71", Fault::OutOfRange),
         [] { std::int32_t x = 0, y = 0; ResultCode r = sensor_position_query(cutter, &x, &y);
              EXPECT_EQ(x, 81); EXPECT_EQ(y, 40); return r; }, 103},
        {"switched off while reading", [](CutterModel* m) { m->switched_off = true; },
         [] { return manual_mark_read(cutter, 1, 0, 0); }, 57},
        {"broken connection", [](CutterModel* m) { m->refuse_transfers = true; },
         [] { return cut_speed_command(cutter, 3); }, 152},
        {"broken connection, version", [](CutterModel* m) { m->refuse_transfers = true; },
         version_is("unchanged"), 100},
    };
    for (const Case& c : cases) {
        set([](CutterModel* m) { m->faults.clear(); m->switched_off = m->refuse_transfers = false; });
        set(c.setup);
        EXPECT_EQ(c.call(), c.expected) << c.name;
    }
}

TEST_F(CutterOverUsb, ReplyLongerThanTheReadDoesNotLeakIntoTheNextExchange)
{
    set([](CutterModel* m) { m->faults["FQ5"] = Fault::LongReply; });
    EXPECT_EQ(ready_query(cutter), RC_GENERAL_ERROR);  // "    0": not ready
    std::int32_t x = 1, y = 1;
    EXPECT_EQ(sensor_position_query(cutter, &x, &y), RC_SUCCESS);
    EXPECT_EQ(x, 40);
}

TEST_F(CutterOverUsb, EmptyReplyIsJudgedOnWhatTheBufferStillHolds)
{
    // An empty reply completes the read with nothing: the command is still in the buffer and
    // gives no number, which counts as the cutter's negative answer.
    set([](CutterModel* m) {
        m->scripted_reply = "";
        for (const char* key : {"FQ5", "TB23", "TB71", "FA"}) {
            m->faults[key] = Fault::Scripted;
        }
    });
    EXPECT_EQ(ready_query(cutter), RC_GENERAL_ERROR);
    EXPECT_EQ(manual_mark_read(cutter, 1, 1000, 1000), RC_MARK_READ_FAILURE);
    std::int32_t x = 3, y = 4, feed = 5;
    EXPECT_EQ(sensor_position_query(cutter, &x, &y), RC_SENSOR_QUERY_FAILED);
    EXPECT_EQ(feed_correction_query(cutter, &feed), RC_FEED_QUERY_FAILED);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(feed, 5);
}

TEST_F(CutterOverUsb, DemoModeAnswersWithTheDemoVersionTexts)
{
    char version[VERSION_TEXT_SIZE] = {};
    EXPECT_EQ(version_query(program_link(DEMO_VERSION_1), version), RC_SUCCESS);
    EXPECT_STREQ(version, "1.00 Demo Mode");
    const CutterLink demo = program_link(DEMO_VERSION_2);
    EXPECT_EQ(version_query(demo, version), RC_SUCCESS);
    EXPECT_STREQ(version, "2.01 Demo Mode");
    EXPECT_EQ(ready_query(demo), RC_SUCCESS);
    EXPECT_EQ(model().writes, 0);
}

// `read settings` with the cutter's own condition commands.
TEST_F(CutterOverUsb, ReadSettingsSendsTheSelectedMediasConditionsAndEndsAtTheFirstFailure)
{
    ProfileFolder folder;
    std::filesystem::create_directory(folder.file("Media"));
    folder.write("Media\\Vinyl.qcf",
                 crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                             "ListID=5", "ConfigurationMode=1", "[Defaults]", "Speed=8", "Force=2",
                             "Cap=Blue", "[Modify]", "Speed=3", "Force=1"}));
    folder.write("QMACTL.INI", "[Main_Section]\r\nCutCondAdjust=1\r\nRollAction=1\r\nDirection=1\r\n");
    const std::string settings_file = folder.file("QMACTL.INI"), media = folder.file("Media");
    const SettingsSources sources{settings_file.c_str(), media.c_str(), check_mark_distances};
    LaunchOptions options;
    reset_launch_options(&options);
    Settings settings{};
    std::strcpy(settings.FirmwareVersion, "2.01");
    MediaLibrary library;
    ASSERT_EQ(read_settings(sources, cutter, &options, &settings, &library), RC_SUCCESS);
    EXPECT_EQ(writes(6), (std::vector<std::string>{"FW100" + E, "!3" + E, "*0,1" + E, "FC18" + E,
                                                   "FY1" + E, "FE0" + E}));
    settings = Settings{};
    std::strcpy(settings.FirmwareVersion, "2.01");
    set([](CutterModel* m) { m->refuse_transfers = true; });
    EXPECT_EQ(read_settings(sources, cutter, &options, &settings, &library), RC_CONDITION_NUMBER_FAILED);
    EXPECT_EQ(settings.Direction, 0);  // the read ended before the orientation
}

}  // namespace
