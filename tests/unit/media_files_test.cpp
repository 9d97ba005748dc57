#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "profile_folder.h"
#include "settings/media_files.h"

namespace {

const char HEADER[] = "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n";

std::string fixed_media(const std::string& list_id, int speed = 5)
{
    return HEADER + ("ListID=" + list_id + "\r\nConfigurationMode=0\r\n[Defaults]\r\nSpeed=" +
                     std::to_string(speed) + "\r\nForce=2\r\nCap=Blue\r\n");
}

// Every record in use, one line each: name, ListID, mode, condition number, speeds and forces.
std::vector<std::string> records_of(const MediaLibrary& library)
{
    std::vector<std::string> lines;
    for (int i = 0; i < library.Count; ++i) {
        const MediaRecord& r = library.Media[i];
        char line[200];
        std::snprintf(line, sizeof line, "%s %u %d %d %d %d %d %d", r.Name, r.ListID, r.ConfigurationMode,
                      r.ConditionNo, r.DefaultSpeed, r.DefaultPress, r.Speed, r.Press);
        lines.push_back(line);
    }
    return lines;
}

// The folder's ".qcf" files as the profile calls read them; the value and profile rules are tested
// where they are made.
TEST(MediaFiles, OnlyTheQcfFilesOfTheFolderAreReadThroughTheProfileCallsBuiltInOnesFromTheStringTable)
{
    ProfileFolder folder;
    folder.write("Fixed.qcf", fixed_media("4", 6));
    folder.write("Adjustable.qcf", HEADER + std::string("ListID=2\r\nConfigurationMode=1\r\n[Defaults]\r\nSpeed=8\r\n"
                                                         "Force=2\r\nCap=Red\r\n[Modify]\r\nSpeed=3\r\n"));
    folder.write("Last.qcf", fixed_media("7", 9));
    folder.write("Binary.qcf", std::string("\x00\x01\xff\xfe[\x00]=\x1a", 9) + std::string(3000, '\xff'));
    folder.write("Other.txt", fixed_media("0"));
    std::filesystem::create_directory(folder.file("Folder.qcf"));
    MediaLibrary library;
    EXPECT_EQ(load_media_files(folder.path(), "Last", &library), 2);
    EXPECT_EQ(records_of(library), (std::vector<std::string>{"Adjustable 2 1 100 8 2 3 2", "Fixed 4 0 101 6 2 6 2",
                                                             "Last 7 0 102 9 2 9 2"}));
    load_media_files(folder.file("Missing").c_str(), "", &library);
    EXPECT_EQ(library.Count, 0);
    // The built-in media take their names from the string table.
    load_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_STREQ(library.Media[0].Name, "Card without Craft Paper Backing");
    EXPECT_STREQ(library.Media[11].Name, "Pen");
}

TEST(MediaFiles, SavingWritesAdjustableAndUserMediaKeepingTheRestOfTheirFiles)
{
    ProfileFolder folder;
    const std::string fixed = fixed_media("3");
    folder.write("Fixed.qcf", fixed);
    folder.write("Adjustable.qcf", "; factory file\r\n" + std::string(HEADER) + "ListID=1\r\nConfigurationMode=1\r\n"
                                   "Comment=kept\r\n[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n");
    folder.write("User.qcf", std::string(HEADER) + "ConfigurationMode=2\r\n[User]\r\nSpeed=4\r\nForce=3\r\nCap=Blue\r\n");
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    ASSERT_EQ(library.Count, 3);
    library.Media[0].Speed = 6;  // Adjustable
    library.Media[1].Speed = 9;  // Fixed: never written
    library.Media[2].Press = 1;  // User
    save_media_files(folder.path(), library);

    EXPECT_EQ(folder.read("Fixed.qcf"), fixed);
    EXPECT_EQ(folder.read("Adjustable.qcf"),
              crlf_lines({"; factory file", "[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                          "ListID=1", "ConfigurationMode=1", "Comment=kept", "[Defaults]", "Speed=8", "Force=2",
                          "Cap=Red", "[Modify]", "Speed=6", "Force=2"}));
    EXPECT_EQ(folder.read("User.qcf"),
              crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark", "ConfigurationMode=2",
                          "ListID=-1", "[User]", "Speed=4", "Force=1", "Cap=Blue"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);  // no draft left
}

}  // namespace
