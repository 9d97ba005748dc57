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

// What the cutter was sent, each command without its ETX.
std::vector<std::string> g_sent;

ResultCode record(const void* bytes, std::uint32_t count, std::uint32_t)
{
    g_sent.emplace_back(static_cast<const char*>(bytes), count > 0 ? count - 1 : 0);
    return RC_SUCCESS;
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

TEST_F(ReadSettings, ReadChangeSaveReadGivesTheSameRecordAndTheSameFiles)
{
    prepare("2.01", 1, nullptr);
    const std::string long_name(64, 'L');
    folder_.write("Media\\" + long_name + ".qcf", USER_MEDIA);
    ASSERT_EQ(read(), RC_SUCCESS);  // without a settings file: the defaults, and no file is made
    EXPECT_STREQ(selected().Name, "Adjustable");  // the default name is none of these media
    EXPECT_FALSE(std::filesystem::exists(settings_file_));

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
    EXPECT_EQ(settings_bytes.rfind("[Version_Section]\r\nVersion=Quillmark Advanced Controller Version 2.01\r\n", 0), 0u);
    const std::string media_bytes = folder_.read("Media\\" + long_name + ".qcf");

    const Settings before = settings_;
    g_sent.clear();
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(std::memcmp(&settings_, &before, sizeof before), 0);  // a 64-character name too
    EXPECT_EQ(g_sent, (std::vector<std::string>{"FW" + std::to_string(before.ActiveConditionNo), "!9", "*0,3",
                                                "FC18", "FY1", "FE0"}));
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
