#include <gtest/gtest.h>

#include <string>

#include "common/program_paths.h"

namespace {

ProgramPaths compose(const std::string& module_path)
{
    ProgramPaths paths;
    compose_program_paths(module_path.c_str(), &paths);
    return paths;
}

TEST(ProgramPaths, AllFourLieBesideTheExecutableWhateverItsSeparatorsAndLength)
{
    const ProgramPaths p = compose("C:\\Tools\\QMACTL.EXE");
    EXPECT_EQ(std::string(p.SettingsFile) + "|" + p.MediaDirectory + "|" + p.HelpFile + "|" + p.AnimationProgram,
              "C:\\Tools\\QMACTL.INI|C:\\Tools\\Media|C:\\Tools\\QMHLP_A.HLP|C:\\Tools\\CIC_DMAN.EXE");
    EXPECT_STREQ(compose("C:/Program Files/QMACTL.EXE").SettingsFile, "C:/Program Files/QMACTL.INI");
    EXPECT_STREQ(compose("QMACTL.EXE").SettingsFile, "QMACTL.INI");
    // The directory part keeps its first 255 characters, so the trailing separator is lost, and
    // the path is cut to its buffer.
    const std::string directory = "\\" + std::string(300, 'd') + "\\";
    EXPECT_EQ(std::string(compose("C:" + directory + "QMACTL.EXE").SettingsFile),
              ("C:" + directory.substr(0, 255) + "QMACTL.INI").substr(0, PROGRAM_PATH_SIZE - 1));
    // A module path far beyond 512 characters is read by its first 512.
    EXPECT_STREQ(compose("C:\\" + std::string(2000, 'x') + "\\QMACTL.EXE").MediaDirectory, "C:\\Media");
}

}  // namespace
