#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "profile_folder.h"
#include "settings/settings_file.h"
#include "virtual_cutter_fixture.h"

namespace {

const std::string E = "\x03";

ResultCode distances_accepted(std::int32_t, double, double, std::int32_t)
{
    return RC_SUCCESS;
}

// `read settings` with the cutter's own commands, sent over the stand-in USB library to the
// virtual cutter.
class ReadSettingsOverUsb : public VirtualCutterTest {
protected:
    ResultCode read(const std::string& settings_keys)
    {
        std::filesystem::create_directory(folder_.file("Media"));
        folder_.write("Media\\Vinyl.qcf",
                      crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                                  "ListID=5", "ConfigurationMode=1", "[Defaults]", "Speed=8",
                                  "Force=2", "Cap=Blue", "[Modify]", "Speed=3", "Force=1"}));
        folder_.write("QMACTL.INI", "[Main_Section]\r\n" + settings_keys);
        const std::string settings_file = folder_.file("QMACTL.INI");
        const std::string media_directory = folder_.file("Media");
        const SettingsSources sources{settings_file.c_str(), media_directory.c_str(),
                                      &CUTTER_CONDITION_COMMANDS, distances_accepted};
        reset_launch_options(&options_);
        std::memset(&settings_, 0, sizeof settings_);
        std::strcpy(settings_.FirmwareVersion, "2.01");
        return read_settings(sources, &options_, &settings_, &library_);
    }

    ProfileFolder folder_;
    LaunchOptions options_;
    Settings      settings_;
    MediaLibrary  library_;
};

TEST_F(ReadSettingsOverUsb, TheCutterReceivesTheConditionsOfTheSelectedMedia)
{
    ASSERT_EQ(read("CutCondAdjust=1\r\nRollAction=1\r\n"), RC_SUCCESS);
    EXPECT_EQ(writes(6), (std::vector<std::string>{"FW100" + E, "!3" + E, "*0,1" + E, "FC18" + E,
                                                   "FY1" + E, "FE0" + E}));
}

TEST_F(ReadSettingsOverUsb, ABrokenConnectionEndsTheReadWithTheFirstCommandsCode)
{
    set([](CutterModel* m) { m->refuse_transfers = true; });
    EXPECT_EQ(read("Direction=1\r\n"), RC_CONDITION_NUMBER_FAILED);
    EXPECT_EQ(settings_.Direction, 0);  // the read ended before the orientation
}

}  // namespace
