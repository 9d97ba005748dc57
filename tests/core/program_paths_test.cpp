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

TEST(ProgramPaths, AllFourLieBesideTheExecutable)
{
    const ProgramPaths p = compose("C:\\Tools\\QMACTL.EXE");
    EXPECT_STREQ(p.SettingsFile, "C:\\Tools\\QMACTL.INI");
    EXPECT_STREQ(p.MediaDirectory, "C:\\Tools\\Media");
    EXPECT_STREQ(p.HelpFile, "C:\\Tools\\QMHLP_A.HLP");
    EXPECT_STREQ(p.AnimationProgram, "C:\\Tools\\CIC_DMAN.EXE");
}

TEST(ProgramPaths, WorksForRootsUncPathsAndForwardSlashes)
{
    EXPECT_STREQ(compose("C:/Program Files/Quillmark/QMACTL.EXE").SettingsFile,
                 "C:/Program Files/Quillmark/QMACTL.INI");
    EXPECT_STREQ(compose("QMACTL.EXE").SettingsFile, "QMACTL.INI");
    EXPECT_STREQ(compose("").MediaDirectory, "Media");
}

TEST(ProgramPaths, ADirectoryLongerThanItsLimitIsCutAndNothingOverflows)
{
    const std::string directory = "\\" + std::string(300, 'd') + "\\";
    const ProgramPaths p = compose("C:" + directory + "QMACTL.EXE");
    // The directory part keeps its first 255 characters, so the trailing separator is lost.
    const std::string expected_start = "C:" + directory.substr(0, 255);
    EXPECT_EQ(std::string(p.SettingsFile).substr(0, expected_start.size()), expected_start);
    EXPECT_LT(std::string(p.SettingsFile).size(), static_cast<std::size_t>(PROGRAM_PATH_SIZE));
    EXPECT_LT(std::string(p.AnimationProgram).size(), static_cast<std::size_t>(PROGRAM_PATH_SIZE));

    // A module path far beyond 512 characters is read by its first 512.
    const ProgramPaths q = compose("C:\\" + std::string(2000, 'x') + "\\QMACTL.EXE");
    EXPECT_STREQ(q.MediaDirectory, "C:\\Media");
}

}  // namespace
