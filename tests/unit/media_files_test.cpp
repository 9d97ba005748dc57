#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "profile_folder.h"
#include "settings/media_files.h"

namespace {

const char HEADER[] = "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n";

std::string generic(const std::string& list_id, const std::string& mode)
{
    return HEADER + ("ListID=" + list_id + "\r\nConfigurationMode=" + mode + "\r\n");
}

std::string fixed_media(const std::string& list_id, int speed = 5, int force = 2,
                        const char* cap = "Blue")
{
    return generic(list_id, "0") + "[Defaults]\r\nSpeed=" + std::to_string(speed) +
           "\r\nForce=" + std::to_string(force) + "\r\nCap=" + cap + "\r\n";
}

// The folder the build ships beside QMACTL.EXE, found from this test program's own place.
std::string shipped_media_directory()
{
    char module[MAX_PATH];
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    return (std::filesystem::path(module).parent_path().parent_path().parent_path() / "dist" /
            "Media").string();
}

std::vector<std::string> names_of(const MediaLibrary& library)
{
    std::vector<std::string> names;
    for (int i = 0; i < library.Count; ++i) {
        names.push_back(library.Media[i].Name);
    }
    return names;
}

// Every record in use, one line each, for comparing whole libraries.
std::vector<std::string> records_of(const MediaLibrary& library)
{
    std::vector<std::string> lines{"highest " + std::to_string(library.HighestListID)};
    for (int i = 0; i < library.Count; ++i) {
        const MediaRecord& r = library.Media[i];
        char line[200];
        std::snprintf(line, sizeof line, "%s %u %d %d %d %d %d %d %d %d", r.Name, r.ListID,
                      r.ConfigurationMode, r.ConditionNo, r.DefaultSpeed, r.DefaultPress, r.Speed,
                      r.Press, r.CutterOffset, r.Cap);
        lines.push_back(line);
    }
    return lines;
}

MediaLibrary loaded(const ProfileFolder& folder)
{
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    return library;
}

TEST(MediaFiles, BuiltInMediaTakeTheirNamesFromTheStringTable)
{
    MediaLibrary library;
    load_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_STREQ(library.Media[0].Name, "Card without Craft Paper Backing");
    EXPECT_STREQ(library.Media[6].Name, "Metallic Labels, Gold");
    EXPECT_STREQ(library.Media[11].Name, "Pen");
    EXPECT_STREQ(library.Media[12].Name, "");
}

TEST(MediaFiles, ShippedMediaLoadInListIdOrderWithConditionNumbers)
{
    MediaLibrary library;
    const std::int32_t selected =
        load_media_files(shipped_media_directory().c_str(), "Vinyl Film", &library);
    ASSERT_EQ(library.Count, 17) << shipped_media_directory();
    EXPECT_STREQ(library.Media[0].Name, "Card without Backing");
    EXPECT_EQ(library.HighestListID, 170u);
    EXPECT_STREQ(library.Media[selected].Name, "Vinyl Film");
    for (int i = 0; i < library.Count; ++i) {
        EXPECT_EQ(library.Media[i].ConditionNo, 100 + i);
        EXPECT_EQ(library.Media[i].ListID, 10u * static_cast<unsigned>(i + 1)) << i;
    }
}

// Files as the profile calls read them; the value rules themselves are checked without files.
TEST(MediaFiles, MediaFilesAreReadThroughTheProfileCalls)
{
    struct Case {
        const char*  what;
        std::string  text;
        const char*  record;  // as records_of() shows it; null: skipped
    };
    const Case cases[] = {
        {"fixed media", fixed_media("4", 6, 3, "Yellow"), "Case 4 0 100 6 3 6 3 18 2"},
        {"adjustable with Modify",
         generic("4", "1") + "[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n[Modify]\r\nSpeed=3\r\nForce=1\r\n",
         "Case 4 1 100 8 2 3 1 18 3"},
        {"line ends of a Unix editor",
         "[Generic]\nProduct=Quillmark Controller Ver2\nType=Quillmark\nListID=4\n"
         "ConfigurationMode=0\n[Defaults]\nSpeed=7\nForce=1\nCap=Blue\n",
         "Case 4 0 100 7 1 7 1 18 1"},
        // The first of two equal keys and of two equal sections, judged like any other value.
        {"keys and sections twice", fixed_media("4", 6, 3) + "[Defaults]\r\nSpeed=11\r\n[Generic]\r\n"
         "ConfigurationMode=7\r\n", "Case 4 0 100 6 3 6 3 18 1"},
        {"binary bytes", std::string("\x00\x01\xff\xfe[\x00]=\x1a\x80\x90", 12) + std::string(3000, '\xff'), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProfileFolder folder;
        folder.write("Case.qcf", c.text);
        const std::vector<std::string> records = records_of(loaded(folder));
        if (c.record == nullptr) {
            EXPECT_EQ(records, std::vector<std::string>{"highest 0"});
        } else {
            EXPECT_EQ(records, (std::vector<std::string>{"highest 4", c.record}));
        }
    }
}

TEST(MediaFiles, OnlyFilesWithNamesUpTo64CharactersLoadAndAMissingListIdSortsLast)
{
    ProfileFolder folder;
    const std::string n64(64, 'a');
    folder.write(n64 + ".qcf", fixed_media("3"));
    folder.write(std::string(65, 'b') + ".qcf", fixed_media("1"));
    folder.write("Two.Dots.qcf", fixed_media("2"));
    folder.write("Other.txt", fixed_media("0"));
    std::filesystem::create_directory(folder.file("Folder.qcf"));
    folder.write("Folder.qcf\\Inner.qcf", fixed_media("0"));
    folder.write("Seven.qcf", fixed_media("7"));
    folder.write("Nothing.qcf", std::string(HEADER) +
                                    "ConfigurationMode=0\r\n[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n");
    folder.write("Negative.qcf", fixed_media("-2"));
    const MediaLibrary library = loaded(folder);
    EXPECT_EQ(names_of(library),
              (std::vector<std::string>{"Two.Dots", n64, "Seven", "Negative", "Nothing"}));
    EXPECT_EQ(library.Media[3].ListID, 4294967294u);
    EXPECT_EQ(library.Media[4].ListID, 4294967295u);
    EXPECT_EQ(library.HighestListID, 4294967295u);
    EXPECT_EQ(library.Media[4].ConditionNo, 104);
}

TEST(MediaFiles, MoreThan128AcceptableFilesLoadOnly128)
{
    ProfileFolder folder;
    for (int i = 0; i < 131; ++i) {
        folder.write("Media " + std::to_string(i) + ".qcf", fixed_media(std::to_string(1000 - i)));
    }
    const MediaLibrary library = loaded(folder);
    ASSERT_EQ(library.Count, 128);
    for (int i = 1; i < library.Count; ++i) {
        EXPECT_LT(library.Media[i - 1].ListID, library.Media[i].ListID);
    }
    EXPECT_EQ(library.Media[127].ConditionNo, 227);
}

TEST(MediaFiles, SavingWritesAdjustableAndUserMediaOnlyWithTheirKeysInOrder)
{
    ProfileFolder folder;
    const std::string fixed = fixed_media("1");
    folder.write("Fixed.qcf", fixed);
    folder.write("Adjustable.qcf", "; factory file\r\n" + generic("2", "1") +
                                       "Comment=kept\r\n[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n");
    folder.write("User.qcf", std::string(HEADER) +
                                 "ConfigurationMode=2\r\n[User]\r\nSpeed=4\r\nForce=3\r\nCap=Blue\r\n");
    MediaLibrary library = loaded(folder);
    ASSERT_EQ(names_of(library), (std::vector<std::string>{"Fixed", "Adjustable", "User"}));
    library.Media[0].Speed = 9;  // fixed media are never written
    library.Media[1].Speed = 6;
    library.Media[2].Press = 1;
    save_media_files(folder.path(), library);

    EXPECT_EQ(folder.read("Fixed.qcf"), fixed);
    EXPECT_EQ(folder.read("Adjustable.qcf"),
              crlf_lines({"; factory file", "[Generic]", "Product=Quillmark Controller Ver2",
                          "Type=Quillmark", "ListID=2", "ConfigurationMode=1", "Comment=kept",
                          "[Defaults]", "Speed=8", "Force=2", "Cap=Red", "[Modify]", "Speed=6",
                          "Force=2"}));
    EXPECT_EQ(folder.read("User.qcf"),
              crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                          "ConfigurationMode=2", "ListID=-1", "[User]", "Speed=4", "Force=1",
                          "Cap=Blue"}));

}

}  // namespace
