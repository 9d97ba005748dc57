#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/controller.h"
#include "profile_folder.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"

namespace {

// What the cutter was sent, as "command argument", and which command is to fail (by position).
std::vector<std::string> g_sent;
int g_failing = -1;

ResultCode record(const char* command, int argument, ResultCode failure)
{
    const int position = static_cast<int>(g_sent.size());
    g_sent.push_back(std::string(command) + " " + std::to_string(argument));
    return position == g_failing ? failure : RC_SUCCESS;
}

const ConditionCommands RECORDING_COMMANDS = {
    [](int n) { return record("condition", n, RC_CONDITION_NUMBER_FAILED); },
    [](int n) { return record("speed", n, RC_CUT_SPEED_FAILED); },
    [](int n) { return record("pressure", n, RC_CUT_PRESSURE_FAILED); },
    [](int n) { return record("offset", n, RC_CUTTER_OFFSET_FAILED); },
    [](int n) { return record("track", n, RC_TRACK_ENHANCING_FAILED); },
    [](int n) { return record("thick", n, RC_THICK_MEDIA_FAILED); },
};

// The distance check as the start-up sees it: what it was asked, and the answer it gives.
struct DistanceQuestion {
    std::int32_t direction;
    double       horizontal, vertical;
    std::int32_t unit;
};
std::vector<DistanceQuestion> g_distance_questions;
ResultCode g_distance_answer = RC_SUCCESS;

ResultCode recording_distance_check(std::int32_t direction, double horizontal, double vertical,
                                    std::int32_t unit)
{
    g_distance_questions.push_back({direction, horizontal, vertical, unit});
    return g_distance_answer;
}

const char* const FIXED_MEDIA =
    "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\nListID=30\r\n"
    "ConfigurationMode=0\r\n[Defaults]\r\nSpeed=9\r\nForce=1\r\nCap=Blue\r\n";
const char* const ADJUSTABLE_MEDIA =
    "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\nListID=10\r\n"
    "ConfigurationMode=1\r\n[Defaults]\r\nSpeed=6\r\nForce=3\r\nCap=Yellow\r\n"
    "[Modify]\r\nSpeed=4\r\nForce=2\r\n";
const char* const USER_MEDIA =
    "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\nListID=20\r\n"
    "ConfigurationMode=2\r\n[User]\r\nSpeed=2\r\nForce=1\r\nCap=Red\r\n";

class ReadSettings : public testing::Test {
protected:
    void SetUp() override
    {
        g_sent.clear();
        g_failing = -1;
        g_distance_questions.clear();
        g_distance_answer = RC_SUCCESS;
        std::filesystem::create_directory(folder_.file("Media"));
        folder_.write("Media\\Adjustable.qcf", ADJUSTABLE_MEDIA);
        folder_.write("Media\\User.qcf", USER_MEDIA);
        folder_.write("Media\\Fixed.qcf", FIXED_MEDIA);
        settings_file_ = folder_.file("QMACTL.INI");
        media_directory_ = folder_.file("Media");
        reset_launch_options(&options_);
        std::memset(&settings_, 0x77, sizeof settings_);  // every field must be set by the read
        firmware("2.01");
    }

    void firmware(const char* version) { std::strcpy(settings_.FirmwareVersion, version); }
    void settings_text(const std::string& main_keys)
    {
        folder_.write("QMACTL.INI", "[Main_Section]\r\n" + main_keys);
    }

    ResultCode read()
    {
        const SettingsSources sources{settings_file_.c_str(), media_directory_.c_str(),
                                      &RECORDING_COMMANDS, recording_distance_check};
        return read_settings(sources, &options_, &settings_, &library_);
    }

    const MediaRecord& selected() const { return library_.Media[settings_.CutCondition]; }

    ProfileFolder folder_;
    std::string   settings_file_;
    std::string   media_directory_;
    LaunchOptions options_;
    Settings      settings_;
    MediaLibrary  library_;
};

TEST_F(ReadSettings, WithoutSettingsFileEverythingTakesItsDefault)
{
    options_.CutMode = 1;
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(settings_.FileMediaMode, 1);
    EXPECT_EQ(settings_.GuideMenu, 1);
    EXPECT_EQ(settings_.CutCondAdjust, 0);
    EXPECT_EQ(settings_.CutCondition, 0);  // the default name is none of these media
    EXPECT_STREQ(selected().Name, "Adjustable");
    EXPECT_EQ(settings_.ActiveConditionNo, 100);
    EXPECT_EQ(settings_.ActiveSpeed, 6);  // not adjusted: the factory values
    EXPECT_EQ(settings_.ActivePress, 3);
    EXPECT_EQ(settings_.ActiveOffset, 18);
    EXPECT_EQ(settings_.ActiveCap, CAP_YELLOW);
    EXPECT_EQ(settings_.RollAction, 0);
    EXPECT_EQ(settings_.ThickMediaMode, 0);
    EXPECT_EQ(settings_.Direction, 0);
    EXPECT_EQ(settings_.PosSet, 0);
    EXPECT_EQ(settings_.TomboDisX, 0);
    EXPECT_EQ(settings_.TomboDisY, 0);
    EXPECT_EQ(settings_.TomboAutoRead, 1);
    EXPECT_EQ(settings_.MarkReadArg, 1);
    EXPECT_EQ(settings_.Unit, 1);
    EXPECT_EQ(settings_.CalibrationOpen, 0);
    EXPECT_EQ(options_.LaunchResult, RC_SUCCESS);
    EXPECT_EQ(g_sent, (std::vector<std::string>{"condition 100", "speed 6", "pressure 3",
                                                "offset 18", "track 0", "thick 0"}));
    EXPECT_FALSE(folder_.exists("QMACTL.INI"));  // reading never creates the file
}

TEST_F(ReadSettings, FirmwareBelowTwoUsesTheBuiltInTableWithoutGuide)
{
    firmware("1.00 Demo Mode");
    options_.CutMode = 1;
    settings_text("GuideMenu=1\r\nMediaName=Fixed\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(settings_.FileMediaMode, 0);
    EXPECT_EQ(settings_.GuideMenu, 0);
    EXPECT_EQ(library_.Count, 12);
    EXPECT_EQ(settings_.CutCondition, 0);
    EXPECT_STREQ(selected().Name, "Card without Craft Paper Backing");
    EXPECT_EQ(selected().Speed, 1);  // "CutSpeed" and "CutPress" default to 1
    EXPECT_EQ(selected().Press, 1);
    EXPECT_EQ(g_sent, (std::vector<std::string>{"condition 1", "speed 10", "pressure 3",
                                                "offset 18", "track 0", "thick 0"}));
}

struct ReadCase {
    const char*  what;
    const char*  firmware;
    int          cut_mode;
    std::string  keys;
    std::int32_t Settings::*field;
    std::int32_t expected;
};

TEST_F(ReadSettings, EachKeyIsReadByItsRule)
{
    const ReadCase cases[] = {
        {"GuideMenu off", "2.01", 1, "GuideMenu=0\r\n", &Settings::GuideMenu, 0},
        {"GuideMenu any non-zero", "2.01", 1, "GuideMenu=-7\r\n", &Settings::GuideMenu, 1},
        {"GuideMenu without cut mode", "2.01", 0, "GuideMenu=1\r\n", &Settings::GuideMenu, 0},
        {"GuideMenu in built-in mode", "1.50", 1, "GuideMenu=1\r\n", &Settings::GuideMenu, 0},
        {"CutCondAdjust stored unchanged", "2.01", 0, "CutCondAdjust=-9\r\n", &Settings::CutCondAdjust, -9},
        {"CutCondition 11", "1.00", 0, "CutCondition=11\r\n", &Settings::CutCondition, 11},
        {"CutCondition 12", "1.00", 0, "CutCondition=12\r\n", &Settings::CutCondition, 0},
        {"CutCondition -1", "1.00", 0, "CutCondition=-1\r\n", &Settings::CutCondition, 0},
        {"CutCondition not read for media files", "2.01", 0, "CutCondition=2\r\n", &Settings::CutCondition, 0},
        {"MediaName selects exactly", "2.01", 0, "MediaName=Fixed\r\n", &Settings::CutCondition, 2},
        {"MediaName in another case", "2.01", 0, "MediaName=fixed\r\n", &Settings::CutCondition, 0},
        {"MediaName not read for built-in media", "1.00", 0, "MediaName=Fixed\r\nCutCondition=4\r\n",
         &Settings::CutCondition, 4},
        {"RollAction any non-zero", "2.01", 0, "RollAction=5\r\n", &Settings::RollAction, 1},
        {"Direction stored unchanged", "2.01", 0, "Direction=3\r\n", &Settings::Direction, 3},
        {"PosSet stored unchanged", "2.01", 0, "PosSet=-2\r\n", &Settings::PosSet, -2},
        {"TomboDisX read", "2.01", 0, "TomboDisX=150000\r\n", &Settings::TomboDisX, 150000},
        {"TomboDisY read", "2.01", 0, "TomboDisY=-5\r\n", &Settings::TomboDisY, -5},
        {"TomboAutoRead off", "2.01", 0, "TomboAutoRead=0\r\n", &Settings::TomboAutoRead, 0},
        {"TomboAutoRead any non-zero", "2.01", 0, "TomboAutoRead=-3\r\n", &Settings::TomboAutoRead, 1},
        {"Unit stored unchanged", "2.01", 0, "Unit=0\r\n", &Settings::Unit, 0},
        {"Unit outside 0 and 1", "2.01", 0, "Unit=4\r\n", &Settings::Unit, 4},
        {"a number written as text reads as 0", "2.01", 0, "Unit=inch\r\n", &Settings::Unit, 0},
        {"an empty value takes the default", "2.01", 0, "Unit=\r\n", &Settings::Unit, 1},
        {"another section is not read", "2.01", 0, "[Other]\r\nUnit=0\r\n", &Settings::Unit, 1},
        {"the first of two equal keys", "2.01", 0, "Unit=0\r\nUnit=1\r\n", &Settings::Unit, 0},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        firmware(c.firmware);
        options_.CutMode = c.cut_mode;
        settings_text(c.keys);
        ASSERT_EQ(read(), RC_SUCCESS);
        EXPECT_EQ(settings_.*c.field, c.expected);
    }
}

TEST_F(ReadSettings, SpeedAndForceOfTheSettingsFileGoToFixedMediaOnly)
{
    struct Case {
        const char*  what;
        const char*  firmware;
        std::string  keys;
        std::int32_t speed, press;          // of the selected record
        std::int32_t active_speed, active_press;
    };
    const Case cases[] = {
        {"built-in, factory values sent", "1.00", "CutCondition=2\r\nCutSpeed=4\r\nCutPress=1\r\n", 4, 1, 10, 2},
        {"built-in, adjusted values sent", "1.00", "CutCondition=2\r\nCutSpeed=4\r\nCutPress=1\r\nCutCondAdjust=1\r\n",
         4, 1, 4, 1},
        {"CutSpeed 0 is kept", "1.00", "CutSpeed=0\r\nCutCondAdjust=1\r\n", 0, 1, 0, 1},
        {"CutSpeed 99 is kept", "1.00", "CutSpeed=99\r\n", 99, 1, 10, 3},
        {"CutPress 0 becomes 1", "1.00", "CutPress=0\r\nCutCondAdjust=1\r\n", 1, 1, 1, 1},
        {"CutPress 4 becomes 1", "1.00", "CutPress=4\r\nCutCondAdjust=1\r\n", 1, 1, 1, 1},
        {"CutPress 3 is kept", "1.00", "CutPress=3\r\nCutCondAdjust=1\r\n", 1, 3, 1, 3},
        {"fixed media file", "2.01", "MediaName=Fixed\r\nCutSpeed=3\r\nCutPress=2\r\nCutCondAdjust=1\r\n", 3, 2, 3, 2},
        {"adjustable media keeps its file values", "2.01",
         "MediaName=Adjustable\r\nCutSpeed=9\r\nCutPress=1\r\nCutCondAdjust=1\r\n", 4, 2, 4, 2},
        {"adjustable media, not adjusted", "2.01", "MediaName=Adjustable\r\nCutSpeed=9\r\n", 4, 2, 6, 3},
        {"user media", "2.01", "MediaName=User\r\nCutSpeed=9\r\nCutPress=3\r\n", 2, 1, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        firmware(c.firmware);
        settings_text(c.keys);
        ASSERT_EQ(read(), RC_SUCCESS);
        EXPECT_EQ(selected().Speed, c.speed);
        EXPECT_EQ(selected().Press, c.press);
        EXPECT_EQ(settings_.ActiveSpeed, c.active_speed);
        EXPECT_EQ(settings_.ActivePress, c.active_press);
        ASSERT_GE(g_sent.size(), 3u);
        EXPECT_EQ(g_sent[1], "speed " + std::to_string(c.active_speed));
        EXPECT_EQ(g_sent[2], "pressure " + std::to_string(c.active_press));
    }
}

TEST_F(ReadSettings, TrackEnhancingIsSentWithRollActionOnlyWhenAdjusted)
{
    settings_text("RollAction=1\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(settings_.RollAction, 1);
    EXPECT_EQ(g_sent[4], "track 0");
    SetUp();
    settings_text("RollAction=1\r\nCutCondAdjust=1\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(g_sent[4], "track 1");
    EXPECT_EQ(g_sent[5], "thick 0");
}

TEST_F(ReadSettings, AFailingCommandEndsTheReadWithItsCode)
{
    const ResultCode codes[] = {RC_CONDITION_NUMBER_FAILED, RC_CUT_SPEED_FAILED,
                                RC_CUT_PRESSURE_FAILED,     RC_CUTTER_OFFSET_FAILED,
                                RC_TRACK_ENHANCING_FAILED,  RC_THICK_MEDIA_FAILED};
    for (int failing = 0; failing < 6; ++failing) {
        SCOPED_TRACE(failing);
        SetUp();
        settings_text("RollAction=1\r\nDirection=1\r\n");
        g_failing = failing;
        EXPECT_EQ(read(), codes[failing]);
        EXPECT_EQ(g_sent.size(), static_cast<std::size_t>(failing + 1));
        // The steps after the failing command are not run.
        EXPECT_EQ(settings_.RollAction, failing < 4 ? 0x77777777 : 1);
        EXPECT_EQ(settings_.Direction, 0x77777777);
        EXPECT_TRUE(g_distance_questions.empty());
    }
}

TEST_F(ReadSettings, NoUsableMediaFileEndsTheReadWith61BeforeAnythingIsSent)
{
    folder_.clear();
    std::filesystem::create_directory(folder_.file("Media"));
    folder_.write("Media\\Broken.qcf", "[Generic]\r\nProduct=Quillmark Controller Ver2\r\n");
    EXPECT_EQ(read(), RC_MEDIA_LIST_MISSING);
    EXPECT_TRUE(g_sent.empty());
    EXPECT_EQ(library_.Count, 0);

    std::filesystem::remove_all(folder_.file("Media"));
    SetUp();
    std::filesystem::remove_all(folder_.file("Media"));
    EXPECT_EQ(read(), RC_MEDIA_LIST_MISSING);

    // The built-in table needs no media directory.
    firmware("1.00");
    EXPECT_EQ(read(), RC_SUCCESS);
}

TEST_F(ReadSettings, OrientationOptionReplacesTheStoredDirection)
{
    struct Case {
        std::int32_t orientation, direction;
        ResultCode   launch_result;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{1, 1, 0}, Case{2, 3, 250}, Case{-1, 3, 250}}) {
        SCOPED_TRACE(c.orientation);
        SetUp();
        settings_text("Direction=3\r\n");
        options_.OrientationGiven = 1;
        options_.Orientation = c.orientation;
        ASSERT_EQ(read(), RC_SUCCESS);
        EXPECT_EQ(settings_.Direction, c.direction);
        EXPECT_EQ(options_.LaunchResult, c.launch_result);
        ASSERT_EQ(g_distance_questions.size(), 1u);
        EXPECT_EQ(g_distance_questions[0].direction, c.direction);  // checked after the option
    }
}

TEST_F(ReadSettings, StoredDistancesAreCheckedInTenthsOfMillimetresAndResetTogether)
{
    settings_text("Direction=1\r\nTomboDisX=970099\r\nTomboDisY=192100\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    ASSERT_EQ(g_distance_questions.size(), 1u);
    const DistanceQuestion q = g_distance_questions[0];
    EXPECT_EQ(q.direction, 1);
    EXPECT_EQ(q.horizontal, 970.0);
    EXPECT_DOUBLE_EQ(q.vertical, 192.1);
    EXPECT_EQ(q.unit, 0);
    EXPECT_EQ(settings_.TomboDisX, 970099);  // the check passed: both kept as read
    EXPECT_EQ(settings_.TomboDisY, 192100);

    SetUp();
    settings_text("TomboDisX=5000\r\nTomboDisY=6000\r\n");
    g_distance_answer = RC_VERTICAL_192_MM;
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(settings_.TomboDisX, 0);
    EXPECT_EQ(settings_.TomboDisY, 0);
}

TEST_F(ReadSettings, DamagedSettingsFilesReadAsTheRulesSay)
{
    const std::string damaged[] = {
        "",
        std::string("\x00\xff\xfe\x01[Main_Section]\x00Unit=0", 24) + std::string(5000, '\x9c'),
        "[Main_Section]\r\nTomboDisX=12",
        "[Main_Section",
        "[Main_Section]\r\nUnit=99999999999999999999\r\nCutCondition=4294967307\r\nTomboDisX=-99\r\n",
        "[Main_Section]\r\nMediaName=" + std::string(3000, 'x') + "\r\n",
        "[Main_Section]\r\n[Main_Section]\r\nUnit=0\r\n",
    };
    for (const std::string& text : damaged) {
        SCOPED_TRACE(text.substr(0, 40));
        SetUp();
        folder_.write("QMACTL.INI", text);
        ASSERT_EQ(read(), RC_SUCCESS);
        EXPECT_GE(settings_.CutCondition, 0);
        EXPECT_LT(settings_.CutCondition, library_.Count);
        EXPECT_EQ(g_sent.size(), 6u);
    }
}

std::string saved_text(const std::string& main_keys)
{
    return "[Version_Section]\r\nVersion=Quillmark Advanced Controller Version 2.01\r\n"
           "[Main_Section]\r\n" + main_keys;
}

TEST_F(ReadSettings, SaveWritesTheVersionAndAllFourteenKeysInOrder)
{
    options_.CutMode = 1;
    settings_text("MediaName=User\r\nDirection=1\r\nTomboDisX=100000\r\nTomboDisY=50000\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    std::filesystem::remove(settings_file_);
    save_settings(settings_file_.c_str(), settings_, selected());
    EXPECT_EQ(folder_.read("QMACTL.INI"),
              saved_text("GuideMenu=1\r\nMediaName=User\r\nCutCondAdjust=0\r\nRollAction=0\r\n"
                         "Direction=1\r\nPosSet=0\r\nTomboDisX=100000\r\nTomboDisY=50000\r\n"
                         "TomboAutoRead=1\r\nUnit=1\r\nCutCondition=1\r\nCutSpeed=2\r\nCutPress=1\r\n"));
}

TEST_F(ReadSettings, BuiltInRunsSaveTheSelectedNameAndRunsWithoutCutModeSaveNoGuide)
{
    firmware("1.00 Demo Mode");
    settings_text("CutCondition=11\r\nCutSpeed=7\r\nCutPress=2\r\nGuideMenu=1\r\n");
    ASSERT_EQ(read(), RC_SUCCESS);
    save_settings(settings_file_.c_str(), settings_, selected());
    EXPECT_EQ(folder_.read("QMACTL.INI"),
              "[Main_Section]\r\nCutCondition=11\r\nCutSpeed=7\r\nCutPress=2\r\nGuideMenu=0\r\n"
              "MediaName=Pen\r\nCutCondAdjust=0\r\nRollAction=0\r\nDirection=0\r\nPosSet=0\r\n"
              "TomboDisX=0\r\nTomboDisY=0\r\nTomboAutoRead=1\r\nUnit=1\r\n"
              "[Version_Section]\r\nVersion=Quillmark Advanced Controller Version 2.01\r\n");
}

void expect_same_settings(const Settings& a, const Settings& b)
{
    EXPECT_STREQ(a.FirmwareVersion, b.FirmwareVersion);
    const std::int32_t Settings::*fields[] = {
        &Settings::FileMediaMode, &Settings::CutCondition,   &Settings::CutCondAdjust,
        &Settings::ActiveConditionNo, &Settings::ActiveSpeed, &Settings::ActivePress,
        &Settings::ActiveOffset,  &Settings::ActiveCap,      &Settings::Direction,
        &Settings::PosSet,        &Settings::TomboDisX,      &Settings::TomboDisY,
        &Settings::Unit,          &Settings::CalibrationOpen, &Settings::GuideMenu,
        &Settings::RollAction,    &Settings::TomboAutoRead,  &Settings::ThickMediaMode,
        &Settings::MarkReadArg,
    };
    for (std::size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
        EXPECT_EQ(a.*fields[i], b.*fields[i]) << "field " << i;
    }
}

TEST_F(ReadSettings, ReadChangeSaveReadGivesTheSameRecordAndTheSameFiles)
{
    options_.CutMode = 1;
    const std::string long_name(64, 'L');
    folder_.write("Media\\" + long_name + ".qcf", USER_MEDIA);
    ASSERT_EQ(read(), RC_SUCCESS);

    // What a run changes: media choice, adjustment, orientation, marks, unit.
    settings_.CutCondition = static_cast<std::int32_t>(find_media_by_name(library_, long_name.c_str()).Index);
    ASSERT_GE(settings_.CutCondition, 0);
    library_.Media[settings_.CutCondition].Speed = 9;
    library_.Media[settings_.CutCondition].Press = 3;
    settings_.CutCondAdjust = 1;
    settings_.RollAction = 1;
    settings_.Direction = 1;
    settings_.PosSet = 1;
    settings_.TomboDisX = 180000;
    settings_.TomboDisY = 900000;
    settings_.TomboAutoRead = 0;
    settings_.Unit = 0;
    take_selected_media(selected(), &settings_);
    save_settings(settings_file_.c_str(), settings_, selected());
    save_media_files(media_directory_.c_str(), library_);
    const std::string settings_bytes = folder_.read("QMACTL.INI");
    const std::string media_bytes = folder_.read("Media\\" + long_name + ".qcf");

    const Settings before = settings_;
    const MediaLibrary library_before = library_;
    g_sent.clear();
    ASSERT_EQ(read(), RC_SUCCESS);
    expect_same_settings(settings_, before);
    EXPECT_EQ(settings_.CutCondition, before.CutCondition);  // a 64-character name is found again
    EXPECT_EQ(selected().Speed, 9);
    EXPECT_EQ(library_.Count, library_before.Count);
    EXPECT_EQ(g_sent, (std::vector<std::string>{"condition " + std::to_string(before.ActiveConditionNo),
                                                "speed 9", "pressure 3", "offset 18", "track 1",
                                                "thick 0"}));

    save_settings(settings_file_.c_str(), settings_, selected());
    save_media_files(media_directory_.c_str(), library_);
    EXPECT_EQ(folder_.read("QMACTL.INI"), settings_bytes);
    EXPECT_EQ(folder_.read("Media\\" + long_name + ".qcf"), media_bytes);
    EXPECT_EQ(folder_.read("Media\\Fixed.qcf"), FIXED_MEDIA);
}

}  // namespace

namespace {

// The same read with the cutter's own commands.
class ReadSettingsWithCutterCommands : public ReadSettings {
protected:
    void TearDown() override { g_demo_mode = DEMO_OFF; }

    ResultCode read_with_cutter()
    {
        const SettingsSources sources{settings_file_.c_str(), media_directory_.c_str(),
                                      &CUTTER_CONDITION_COMMANDS, recording_distance_check};
        return read_settings(sources, &options_, &settings_, &library_);
    }
};

TEST_F(ReadSettingsWithCutterCommands, DemoModeSendsNothingAndTheReadCompletes)
{
    g_demo_mode = DEMO_VERSION_2;
    settings_text("Direction=1\r\nUnit=0\r\n");
    ASSERT_EQ(read_with_cutter(), RC_SUCCESS);
    EXPECT_EQ(settings_.Direction, 1);
    EXPECT_EQ(settings_.Unit, 0);
    EXPECT_EQ(g_distance_questions.size(), 1u);
}

}  // namespace

// The stored distances against the registration-mark range check itself.
#include "workflow/mark_distances.h"

namespace {

TEST_F(ReadSettings, StoredDistancesAtTheLimitsOfEachOrientation)
{
    struct Case {
        std::int32_t direction, x, y;
        bool         kept;
    };
    const Case cases[] = {
        {0, 970099, 192099, true},  {0, 970100, 1000, false}, {0, 1000, 192100, false},
        {1, 192099, 970099, true},  {1, 192100, 1000, false}, {1, 1000, 970100, false},
        {1, 970000, 1000, false},   {2, 192099, 970099, true}, {2, 970000, 1000, false},
        {0, -99, -99, true},        {0, -100, 1000, false},   {0, 1000, -100, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "Direction " << c.direction << " X " << c.x << " Y " << c.y);
        SetUp();
        settings_text("Direction=" + std::to_string(c.direction) + "\r\nTomboDisX=" +
                      std::to_string(c.x) + "\r\nTomboDisY=" + std::to_string(c.y) + "\r\n");
        const SettingsSources sources{settings_file_.c_str(), media_directory_.c_str(),
                                      &RECORDING_COMMANDS, check_mark_distances};
        ASSERT_EQ(read_settings(sources, &options_, &settings_, &library_), RC_SUCCESS);
        EXPECT_EQ(settings_.TomboDisX, c.kept ? c.x : 0);
        EXPECT_EQ(settings_.TomboDisY, c.kept ? c.y : 0);
    }
}

}  // namespace

