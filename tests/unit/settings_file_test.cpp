#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "profile_folder.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"
#include "workflow/mark_distances.h"

namespace {

// What the cutter was sent, as "command argument", and which command is to fail (by position).
std::vector<std::string> g_sent;
int g_failing = -1;

// A cutter link that notes each command by name and argument; the failing write makes the
// command fail with its own code.
ResultCode record(const void* bytes, std::uint32_t count, std::uint32_t)
{
    static const std::pair<std::string, std::string> NAMES[] = {
        {"FW", "condition"}, {"!", "speed"}, {"*0,", "pressure"},
        {"FC", "offset"},    {"FY", "track"}, {"FE", "thick"},
    };
    std::string text(static_cast<const char*>(bytes), count > 0 ? count - 1 : 0);  // no ETX
    for (const auto& [prefix, name] : NAMES) {
        if (text.rfind(prefix, 0) == 0) {
            text = name + " " + text.substr(prefix.size());
            break;
        }
    }
    const int position = static_cast<int>(g_sent.size());
    g_sent.push_back(text);
    return position == g_failing ? RC_GENERAL_ERROR : RC_SUCCESS;
}

const CutterLink RECORDING_LINK = {
    [](const char*) {}, record,
    [](void*, std::uint32_t, std::uint32_t) -> ResultCode { return RC_GENERAL_ERROR; },
    [](std::uint32_t) {}, nullptr, DEMO_OFF};

const char HEADER[] = "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n";
const std::string FIXED_MEDIA = std::string(HEADER) +
    "ListID=30\r\nConfigurationMode=0\r\n[Defaults]\r\nSpeed=9\r\nForce=1\r\nCap=Blue\r\n";
const std::string ADJUSTABLE_MEDIA = std::string(HEADER) +
    "ListID=10\r\nConfigurationMode=1\r\n[Defaults]\r\nSpeed=6\r\nForce=3\r\nCap=Yellow\r\n"
    "[Modify]\r\nSpeed=4\r\nForce=2\r\n";
const std::string USER_MEDIA = std::string(HEADER) +
    "ListID=20\r\nConfigurationMode=2\r\n[User]\r\nSpeed=2\r\nForce=1\r\nCap=Red\r\n";

// `read settings` over a real settings file and Media folder, with the real distance check.
class ReadSettings : public testing::Test {
protected:
    void SetUp() override { prepare("2.01", 0, nullptr); }

    // A fresh start: the firmware's version text, the -CUT option, and the settings file's
    // "Main_Section" keys (none: no settings file).
    void prepare(const char* firmware, int cut_mode, const char* main_keys)
    {
        g_sent.clear();
        g_failing = -1;
        std::filesystem::remove_all(folder_.file("Media"));
        std::filesystem::remove(settings_file_);
        std::filesystem::create_directory(media_directory_);
        folder_.write("Media\\Adjustable.qcf", ADJUSTABLE_MEDIA);
        folder_.write("Media\\User.qcf", USER_MEDIA);
        folder_.write("Media\\Fixed.qcf", FIXED_MEDIA);
        if (main_keys != nullptr) {
            folder_.write("QMACTL.INI", std::string("[Main_Section]\r\n") + main_keys);
        }
        reset_launch_options(&options_);
        options_.CutMode = cut_mode;
        std::memset(&settings_, 0x77, sizeof settings_);  // every field must be set by the read
        std::strcpy(settings_.FirmwareVersion, firmware);
    }

    ResultCode read()
    {
        const SettingsSources sources{settings_file_.c_str(), media_directory_.c_str(),
                                      check_mark_distances};
        return read_settings(sources, RECORDING_LINK, &options_, &settings_, &library_);
    }

    const MediaRecord& selected() const { return library_.Media[settings_.CutCondition]; }

    ProfileFolder folder_;
    const std::string settings_file_ = folder_.file("QMACTL.INI");
    const std::string media_directory_ = folder_.file("Media");
    LaunchOptions options_;
    Settings      settings_;
    MediaLibrary  library_;
};

TEST_F(ReadSettings, WithoutSettingsFileEverythingTakesItsDefault)
{
    prepare("2.01", 1, nullptr);
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_STREQ(selected().Name, "Adjustable");  // the default name is none of these media
    const std::int32_t Settings::*fields[] = {
        &Settings::FileMediaMode, &Settings::GuideMenu, &Settings::CutCondAdjust, &Settings::CutCondition,
        &Settings::ActiveCap, &Settings::RollAction, &Settings::ThickMediaMode, &Settings::Direction,
        &Settings::PosSet, &Settings::TomboDisX, &Settings::TomboDisY, &Settings::TomboAutoRead,
        &Settings::MarkReadArg, &Settings::Unit, &Settings::CalibrationOpen};
    const std::int32_t defaults[] = {1, 1, 0, 0, CAP_YELLOW, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0};
    for (std::size_t i = 0; i < sizeof defaults / sizeof defaults[0]; ++i) {
        EXPECT_EQ(settings_.*fields[i], defaults[i]) << "field " << i;
    }
    EXPECT_EQ(options_.LaunchResult, RC_SUCCESS);
    EXPECT_EQ(g_sent, (std::vector<std::string>{"condition 100", "speed 6", "pressure 3",
                                                "offset 18", "track 0", "thick 0"}));
    EXPECT_FALSE(std::filesystem::exists(settings_file_));  // reading never creates the file
}

TEST_F(ReadSettings, KeysAreReadThroughTheProfileCalls)
{
    struct Case {
        const char*  what;
        const char*  firmware;
        int          cut_mode;
        const char*  keys;
        std::int32_t Settings::*field;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"MediaName selects exactly", "2.01", 0, "MediaName=Fixed\r\n", &Settings::CutCondition, 2},
        {"a number written as text reads as 0", "2.01", 0, "Unit=inch\r\n", &Settings::Unit, 0},
        {"an empty value takes the default", "2.01", 0, "Unit=\r\n", &Settings::Unit, 1},
        {"another section is not read", "2.01", 0, "[Other]\r\nUnit=0\r\n", &Settings::Unit, 1},
        {"the first of two equal keys", "2.01", 0, "Unit=0\r\nUnit=1\r\n", &Settings::Unit, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        prepare(c.firmware, c.cut_mode, c.keys);
        ASSERT_EQ(read(), RC_SUCCESS);
        EXPECT_EQ(settings_.*c.field, c.expected);
    }
}

TEST_F(ReadSettings, AFailingCommandEndsTheReadWithItsCode)
{
    const ResultCode codes[] = {RC_CONDITION_NUMBER_FAILED, RC_CUT_SPEED_FAILED,
                                RC_CUT_PRESSURE_FAILED,     RC_CUTTER_OFFSET_FAILED,
                                RC_TRACK_ENHANCING_FAILED,  RC_THICK_MEDIA_FAILED};
    for (int failing = 0; failing < 6; ++failing) {
        SCOPED_TRACE(failing);
        prepare("2.01", 0, "RollAction=1\r\nDirection=1\r\n");
        g_failing = failing;
        EXPECT_EQ(read(), codes[failing]);
        EXPECT_EQ(g_sent.size(), static_cast<std::size_t>(failing + 1));
        // The steps after the failing command are not run.
        EXPECT_EQ(settings_.RollAction, failing < 4 ? 0x77777777 : 1);
        EXPECT_EQ(settings_.Direction, 0x77777777);
    }
}

TEST_F(ReadSettings, NoUsableMediaFileEndsTheReadWith61BeforeAnythingIsSent)
{
    std::filesystem::remove_all(media_directory_);
    EXPECT_EQ(read(), RC_MEDIA_LIST_MISSING);
    std::filesystem::create_directory(media_directory_);
    folder_.write("Media\\Broken.qcf", HEADER);
    EXPECT_EQ(read(), RC_MEDIA_LIST_MISSING);
    EXPECT_TRUE(g_sent.empty());
    EXPECT_EQ(library_.Count, 0);
    std::strcpy(settings_.FirmwareVersion, "1.00");  // the built-in table needs no folder
    EXPECT_EQ(read(), RC_SUCCESS);
}

TEST_F(ReadSettings, StoredDistancesAreCheckedInMillimetresForTheOrientationInForce)
{
    struct Case {
        const char*  keys;
        std::int32_t orientation;  // -1: no option
        bool         kept;
    };
    const Case cases[] = {
        {"TomboDisX=970099\r\nTomboDisY=192099\r\n", -1, true},  // 970.0 mm and 192.0 mm
        {"Direction=0\r\nTomboDisX=192099\r\nTomboDisY=970099\r\n", 1, true},  // after -FN1
        {"Direction=1\r\nTomboDisX=192099\r\nTomboDisY=970099\r\n", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys << " orientation " << c.orientation);
        prepare("2.01", 0, c.keys);
        options_.OrientationGiven = c.orientation >= 0;
        options_.Orientation = c.orientation;
        ASSERT_EQ(read(), RC_SUCCESS);
        auto stored = [this](const char* key) {
            return static_cast<std::int32_t>(GetPrivateProfileIntA("Main_Section", key, 0, settings_file_.c_str()));
        };
        const std::int32_t x = stored("TomboDisX"), y = stored("TomboDisY");
        EXPECT_EQ(settings_.TomboDisX, c.kept ? x : 0);
        EXPECT_EQ(settings_.TomboDisY, c.kept ? y : 0);
    }
}

TEST_F(ReadSettings, ReadChangeSaveReadGivesTheSameRecordAndTheSameFiles)
{
    prepare("2.01", 1, nullptr);
    const std::string long_name(64, 'L');
    folder_.write("Media\\" + long_name + ".qcf", USER_MEDIA);
    ASSERT_EQ(read(), RC_SUCCESS);

    // What a run changes: media choice and its conditions, adjustment, orientation, marks, unit.
    settings_.CutCondition = static_cast<std::int32_t>(find_media_by_name(library_, long_name.c_str()).Index);
    library_.Media[settings_.CutCondition].Speed = 9;
    library_.Media[settings_.CutCondition].Press = 3;
    settings_.CutCondAdjust = settings_.RollAction = settings_.Direction = settings_.PosSet = 1;
    settings_.TomboDisX = 180000;
    settings_.TomboDisY = 900000;
    settings_.TomboAutoRead = settings_.Unit = 0;
    take_selected_media(selected(), &settings_);
    save_settings(settings_file_.c_str(), settings_, selected());
    save_media_files(media_directory_.c_str(), library_);
    const std::string settings_bytes = folder_.read("QMACTL.INI");
    const std::string media_bytes = folder_.read("Media\\" + long_name + ".qcf");

    const Settings before = settings_;
    g_sent.clear();
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(std::memcmp(&settings_, &before, sizeof before), 0);  // a 64-character name too
    EXPECT_EQ(g_sent, (std::vector<std::string>{"condition " + std::to_string(before.ActiveConditionNo),
                                                "speed 9", "pressure 3", "offset 18", "track 1",
                                                "thick 0"}));
    save_settings(settings_file_.c_str(), settings_, selected());
    save_media_files(media_directory_.c_str(), library_);
    EXPECT_EQ(folder_.read("QMACTL.INI"), settings_bytes);
    EXPECT_EQ(folder_.read("Media\\" + long_name + ".qcf"), media_bytes);
    EXPECT_EQ(folder_.read("Media\\Fixed.qcf"), FIXED_MEDIA);

    WritePrivateProfileStringA("Main_Section", "MediaName", (long_name + "L").c_str(), settings_file_.c_str());
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_STREQ(selected().Name, "Adjustable");  // one character more matches no media
}

}  // namespace
