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

// The conditions sent at the read are the core's to check; here the cutter takes everything.
const CutterLink SILENT_LINK = {[](const char*) {},
                                 [](const void*, std::uint32_t, std::uint32_t) -> ResultCode { return RC_SUCCESS; },
                                 [](void*, std::uint32_t, std::uint32_t) -> ResultCode { return RC_GENERAL_ERROR; },
                                 [](std::uint32_t) {}, nullptr, DEMO_OFF};

std::string media(const char* generic, const char* rest)
{
    return "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n" + std::string(generic) + rest;
}
const std::string FIXED_MEDIA =
    media("ListID=30\r\nConfigurationMode=0\r\n", "[Defaults]\r\nSpeed=9\r\nForce=1\r\nCap=Blue\r\n");
const std::string ADJUSTABLE_MEDIA = media("ListID=10\r\nConfigurationMode=1\r\n",
    "[Defaults]\r\nSpeed=6\r\nForce=3\r\nCap=Yellow\r\n[Modify]\r\nSpeed=4\r\nForce=2\r\n");
const std::string USER_MEDIA =
    media("ListID=20\r\nConfigurationMode=2\r\n", "[User]\r\nSpeed=2\r\nForce=1\r\nCap=Red\r\n");

// `read settings` over a real settings file and Media folder, with the real distance check: a
// fresh start in cut mode with firmware 2.01, four media files and no settings file.
TEST(ReadSettings, ReadChangeSaveReadGivesTheSameRecordAndTheSameFiles)
{
    ProfileFolder folder;
    const std::string settings_file = folder.file("QMACTL.INI"), media_directory = folder.file("Media");
    const std::string long_name(64, 'L');
    std::filesystem::create_directory(media_directory);
    folder.write("Media\\Adjustable.qcf", ADJUSTABLE_MEDIA);
    folder.write("Media\\User.qcf", USER_MEDIA);
    folder.write("Media\\Fixed.qcf", FIXED_MEDIA);
    folder.write("Media\\" + long_name + ".qcf", USER_MEDIA);
    LaunchOptions options;
    reset_launch_options(&options);
    options.CutMode = 1;
    Settings settings;
    std::memset(&settings, 0x77, sizeof settings);  // every field must be set by the read
    std::strcpy(settings.FirmwareVersion, "2.01");
    MediaLibrary library;
    auto read = [&] {
        const SettingsSources sources{settings_file.c_str(), media_directory.c_str(), check_mark_distances};
        return read_settings(sources, SILENT_LINK, &options, &settings, &library);
    };
    auto selected = [&]() -> MediaRecord& { return library.Media[settings.CutCondition]; };
    ASSERT_EQ(read(), RC_SUCCESS);  // without a settings file: the defaults, and no file is made
    EXPECT_STREQ(selected().Name, "Adjustable");  // the default name is none of these media
    EXPECT_FALSE(std::filesystem::exists(settings_file));

    // What a run changes: media choice and its conditions, adjustment, orientation, marks, unit.
    settings.CutCondition = static_cast<std::int32_t>(find_media_by_name(library, long_name.c_str()).Index);
    library.Media[settings.CutCondition].Speed = 9;
    library.Media[settings.CutCondition].Press = 3;
    settings.CutCondAdjust = settings.RollAction = settings.Direction = settings.PosSet = 1;
    settings.TomboDisX = 180000;
    settings.TomboDisY = 900000;
    settings.TomboAutoRead = settings.Unit = 0;
    take_selected_media(selected(), &settings);
    save_settings(settings_file.c_str(), settings, selected());
    save_media_files(media_directory.c_str(), library);
    const std::string settings_bytes = folder.read("QMACTL.INI");
    EXPECT_EQ(settings_bytes.rfind("[Version_Section]\r\nVersion=Quillmark Advanced Controller Version 2.01\r\n", 0), 0u);
    const std::string media_bytes = folder.read("Media\\" + long_name + ".qcf");

    const Settings before = settings;
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_EQ(std::memcmp(&settings, &before, sizeof before), 0);  // a 64-character name too
    save_settings(settings_file.c_str(), settings, selected());
    save_media_files(media_directory.c_str(), library);
    EXPECT_EQ(folder.read("QMACTL.INI"), settings_bytes);
    EXPECT_EQ(folder.read("Media\\" + long_name + ".qcf"), media_bytes);
    EXPECT_EQ(folder.read("Media\\Fixed.qcf"), FIXED_MEDIA);

    WritePrivateProfileStringA("Main_Section", "MediaName", (long_name + "L").c_str(), settings_file.c_str());
    ASSERT_EQ(read(), RC_SUCCESS);
    EXPECT_STREQ(selected().Name, "Adjustable");  // one character more matches no media
}

}  // namespace
