#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "profile_folder.h"
#include "settings/media_files.h"

namespace {

const char* const GENERIC_HEADER = "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n";

std::string generic(const std::string& list_id, const std::string& mode)
{
    return std::string(GENERIC_HEADER) + "ListID=" + list_id + "\r\nConfigurationMode=" + mode +
           "\r\n";
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
    const std::filesystem::path build = std::filesystem::path(module).parent_path().parent_path()
                                            .parent_path();
    return (build / "dist" / "Media").string();
}

std::vector<std::string> names_of(const MediaLibrary& library)
{
    std::vector<std::string> names;
    for (int i = 0; i < library.Count; ++i) {
        names.push_back(library.Media[i].Name);
    }
    return names;
}

bool same_records(const MediaLibrary& a, const MediaLibrary& b)
{
    if (a.Count != b.Count || a.HighestListID != b.HighestListID) {
        return false;
    }
    for (int i = 0; i < a.Count; ++i) {
        const MediaRecord& x = a.Media[i];
        const MediaRecord& y = b.Media[i];
        if (std::strcmp(x.Name, y.Name) != 0 || x.ListID != y.ListID ||
            x.ConfigurationMode != y.ConfigurationMode || x.ConditionNo != y.ConditionNo ||
            x.DefaultSpeed != y.DefaultSpeed || x.DefaultPress != y.DefaultPress ||
            x.Speed != y.Speed || x.Press != y.Press || x.CutterOffset != y.CutterOffset ||
            x.Cap != y.Cap) {
            return false;
        }
    }
    return true;
}

TEST(MediaFiles, BuiltInMediaTakeTheirNamesFromTheStringTable)
{
    MediaLibrary library;
    load_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_STREQ(library.Media[0].Name, "Card without Craft Paper Backing");
    EXPECT_STREQ(library.Media[6].Name, "Metallic Labels, Gold");
    EXPECT_STREQ(library.Media[11].Name, "Pen");
    EXPECT_EQ(library.Media[11].ConditionNo, 12);
    EXPECT_STREQ(library.Media[12].Name, "");
}

TEST(MediaFiles, ShippedMediaLoadInListIdOrderWithConditionNumbers)
{
    MediaLibrary library;
    const std::int32_t selected =
        load_media_files(shipped_media_directory().c_str(), "Vinyl Film", &library);
    ASSERT_EQ(library.Count, 17) << shipped_media_directory();
    EXPECT_EQ(library.Media[0].ListID, 10u);
    EXPECT_STREQ(library.Media[0].Name, "Card without Backing");
    EXPECT_EQ(library.HighestListID, 170u);
    EXPECT_STREQ(library.Media[selected].Name, "Vinyl Film");
    int fixed = 0;
    int adjustable = 0;
    for (int i = 0; i < library.Count; ++i) {
        const MediaRecord& record = library.Media[i];
        SCOPED_TRACE(record.Name);
        EXPECT_EQ(record.ConditionNo, 100 + i);
        if (i > 0) {
            EXPECT_LT(library.Media[i - 1].ListID, record.ListID);
        }
        fixed += record.ConfigurationMode == MEDIA_FIXED;
        adjustable += record.ConfigurationMode == MEDIA_ADJUSTABLE;
        EXPECT_TRUE(speed_in_range(record.Speed) && force_in_range(record.Press));
    }
    EXPECT_GT(fixed, 0);
    EXPECT_GT(adjustable, 0);
    EXPECT_EQ(fixed + adjustable, library.Count);
}

struct FileCase {
    const char*  what;
    std::string  text;
    bool         accepted;
    std::int32_t mode = -1, default_speed = -1, default_press = -1, speed = -1, press = -1,
                 cap = -1, offset = -1;
};

TEST(MediaFiles, EachCheckOfAMediaFileSkipsItSilently)
{
    const std::string adjustable = generic("4", "1") + "[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n";
    const std::string user = generic("4", "2");
    const std::vector<FileCase> cases = {
        {"fixed media", fixed_media("4", 6, 3, "Yellow"), true, 0, 6, 3, 6, 3, 2, 18},
        {"fixed pen", fixed_media("4", 10, 1, "Pen"), true, 0, 10, 1, 10, 1, 0, 0},
        {"Product differing in case",
         "[Generic]\r\nProduct=Quillmark controller Ver2\r\nType=Quillmark\r\nListID=4\r\n"
         "ConfigurationMode=0\r\n[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n",
         false},
        {"Type missing",
         "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nListID=4\r\nConfigurationMode=0\r\n"
         "[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n",
         false},
        {"ConfigurationMode 3", generic("4", "3") + "[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n", false},
        {"ConfigurationMode -1", generic("4", "-1") + "[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n", false},
        {"ConfigurationMode missing",
         std::string(GENERIC_HEADER) + "[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n", false},
        {"Defaults speed 0", fixed_media("4", 0), false},
        {"Defaults speed 11", fixed_media("4", 11), false},
        {"Defaults speed huge", generic("4", "0") + "[Defaults]\r\nSpeed=99999999999\r\nForce=2\r\nCap=Blue\r\n", false},
        {"Defaults force 0", fixed_media("4", 5, 0), false},
        {"Defaults force 4", fixed_media("4", 5, 4), false},
        {"cap word in lower case", fixed_media("4", 5, 2, "red"), false},
        {"Defaults missing", generic("4", "0"), false},
        {"adjustable without Modify", adjustable, true, 1, 8, 2, 8, 2, 3, 18},
        {"adjustable with Modify", adjustable + "[Modify]\r\nSpeed=3\r\nForce=1\r\n", true, 1, 8, 2, 3, 1, 3, 18},
        {"Modify out of range", adjustable + "[Modify]\r\nSpeed=11\r\nForce=4\r\n", true, 1, 8, 2, 8, 2, 3, 18},
        {"Modify below range", adjustable + "[Modify]\r\nSpeed=0\r\nForce=-3\r\n", true, 1, 8, 2, 8, 2, 3, 18},
        {"adjustable with a bad default",
         generic("4", "1") + "[Defaults]\r\nSpeed=8\r\nForce=5\r\nCap=Red\r\n[Modify]\r\nSpeed=3\r\nForce=1\r\n", false},
        {"user media", user + "[User]\r\nSpeed=4\r\nForce=3\r\nCap=Blue\r\n", true, 2, -1, -1, 4, 3, 1, 18},
        {"user media ignores Defaults",
         user + "[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n[User]\r\nSpeed=4\r\nForce=3\r\nCap=Yellow\r\n",
         true, 2, -1, -1, 4, 3, 2, 18},
        {"user media with the pen", user + "[User]\r\nSpeed=4\r\nForce=3\r\nCap=Pen\r\n", false},
        {"user media without speed", user + "[User]\r\nForce=3\r\nCap=Blue\r\n", false},
        {"user media with force 4", user + "[User]\r\nSpeed=4\r\nForce=4\r\nCap=Blue\r\n", false},
        {"user media with only Defaults", user + "[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n", false},
        {"empty file", "", false},
        {"binary bytes", std::string("\x00\x01\xff\xfe[\x00]=\x1a\x80\x90", 12) + std::string(3000, '\xff'), false},
        {"truncated inside the Defaults",
         generic("4", "0") + "[Defaults]\r\nSpeed=5\r\nFor", false},
        {"line ends of a Unix editor",
         "[Generic]\nProduct=Quillmark Controller Ver2\nType=Quillmark\nListID=4\nConfigurationMode=0\n"
         "[Defaults]\nSpeed=7\nForce=1\nCap=Blue\n",
         true, 0, 7, 1, 7, 1, 1, 18},
        {"a Product longer than the read buffer",
         "[Generic]\r\nProduct=Quillmark Controller Ver2" + std::string(2000, ' ') + "x\r\nType=Quillmark\r\n"
         "ListID=4\r\nConfigurationMode=0\r\n[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n",
         false},
    };
    ProfileFolder folder;
    for (const FileCase& c : cases) {
        SCOPED_TRACE(c.what);
        folder.clear();
        folder.write("Case.qcf", c.text);
        MediaLibrary library;
        load_media_files(folder.path(), "", &library);
        ASSERT_EQ(library.Count, c.accepted ? 1 : 0);
        if (!c.accepted) {
            EXPECT_EQ(library.HighestListID, 0u);
            continue;
        }
        const MediaRecord& r = library.Media[0];
        EXPECT_STREQ(r.Name, "Case");
        EXPECT_EQ(r.ListID, 4u);
        EXPECT_EQ(r.ConditionNo, 100);
        EXPECT_EQ(r.ConfigurationMode, c.mode);
        EXPECT_EQ(r.DefaultSpeed, c.default_speed);
        EXPECT_EQ(r.DefaultPress, c.default_press);
        EXPECT_EQ(r.Speed, c.speed);
        EXPECT_EQ(r.Press, c.press);
        EXPECT_EQ(r.Cap, c.cap);
        EXPECT_EQ(r.CutterOffset, c.offset);
    }
}

TEST(MediaFiles, DuplicateKeysAndSectionsAreReadAsThePlatformReadsThem)
{
    // The profile calls take the first of two equal keys and the first of two equal sections;
    // whatever they give, the value rules judge it like any other value.
    ProfileFolder folder;
    folder.write("Twice.qcf", fixed_media("4", 6, 3) + "[Defaults]\r\nSpeed=11\r\n" +
                                  "[Generic]\r\nConfigurationMode=7\r\n");
    folder.write("Keys.qcf", generic("9", "0") + "[Defaults]\r\nSpeed=2\r\nSpeed=20\r\nForce=1\r\nCap=Red\r\n");
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    ASSERT_EQ(library.Count, 2);
    EXPECT_EQ(library.Media[0].Speed, 6);
    EXPECT_EQ(library.Media[1].Speed, 2);
}

TEST(MediaFiles, NamesUpTo64CharactersLoadAndDirectoriesAreSkipped)
{
    ProfileFolder folder;
    const std::string n64(64, 'a');
    const std::string n65(65, 'b');
    folder.write(n64 + ".qcf", fixed_media("3"));
    folder.write(n65 + ".qcf", fixed_media("1"));
    folder.write("Two.Dots.qcf", fixed_media("2"));
    folder.write("Other.txt", fixed_media("0"));
    std::filesystem::create_directory(folder.file("Folder.qcf"));
    folder.write("Folder.qcf\\Inner.qcf", fixed_media("0"));

    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    EXPECT_EQ(names_of(library), (std::vector<std::string>{"Two.Dots", n64}));
}

TEST(MediaFiles, AMissingListIdSortsLastAndBecomesTheHighest)
{
    ProfileFolder folder;
    folder.write("Seven.qcf", fixed_media("7"));
    folder.write("Three.qcf", fixed_media("3"));
    folder.write("Five.qcf", fixed_media("5"));
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    EXPECT_EQ(names_of(library), (std::vector<std::string>{"Three", "Five", "Seven"}));
    EXPECT_EQ(library.HighestListID, 7u);
    EXPECT_EQ(library.Media[2].ConditionNo, 102);

    folder.write("Nothing.qcf", std::string(GENERIC_HEADER) +
                                    "ConfigurationMode=0\r\n[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n");
    folder.write("Negative.qcf", fixed_media("-2"));
    load_media_files(folder.path(), "", &library);
    EXPECT_EQ(names_of(library),
              (std::vector<std::string>{"Three", "Five", "Seven", "Negative", "Nothing"}));
    EXPECT_EQ(library.Media[3].ListID, 4294967294u);
    EXPECT_EQ(library.Media[4].ListID, 4294967295u);
    EXPECT_EQ(library.HighestListID, 4294967295u);
    EXPECT_EQ(library.Media[4].ConditionNo, 104);
}

TEST(MediaFiles, TheMediaToSelectIsFoundByItsExactName)
{
    ProfileFolder folder;
    folder.write("Paper.qcf", fixed_media("1"));
    folder.write("Vinyl.qcf", fixed_media("2"));
    folder.write("Card.qcf", fixed_media("3"));
    MediaLibrary library;
    EXPECT_EQ(load_media_files(folder.path(), "Card", &library), 2);
    EXPECT_EQ(load_media_files(folder.path(), "Vinyl", &library), 1);
    EXPECT_EQ(load_media_files(folder.path(), "vinyl", &library), 0);
    EXPECT_EQ(load_media_files(folder.path(), "Vinyl.qcf", &library), 0);
}

TEST(MediaFiles, AFolderWithoutAcceptableFilesGivesNoMedia)
{
    ProfileFolder folder;
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
    EXPECT_EQ(library.Count, 0);
    load_media_files(folder.file("Missing").c_str(), "", &library);
    EXPECT_EQ(library.Count, 0);
    folder.write("Broken.qcf", "[Generic]\r\nProduct=Something else\r\n");
    folder.write("Empty.qcf", "");
    load_media_files(folder.path(), "", &library);
    EXPECT_EQ(library.Count, 0);
    EXPECT_EQ(library.HighestListID, 0u);
}

TEST(MediaFiles, MoreThan128AcceptableFilesLoadOnly128)
{
    ProfileFolder folder;
    for (int i = 0; i < 131; ++i) {
        folder.write("Media " + std::to_string(i) + ".qcf", fixed_media(std::to_string(1000 - i)));
    }
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
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
    folder.write("Adjustable.qcf",
                 "; factory file\r\n" + generic("2", "1") +
                     "Comment=kept\r\n[Defaults]\r\nSpeed=8\r\nForce=2\r\nCap=Red\r\n");
    folder.write("User.qcf", std::string(GENERIC_HEADER) +
                                 "ConfigurationMode=2\r\n[User]\r\nSpeed=4\r\nForce=3\r\nCap=Blue\r\n");
    MediaLibrary library;
    load_media_files(folder.path(), "", &library);
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

    // A record of its own, as the Add Media dialog makes one: its file is created.
    MediaRecord added;
    empty_media_record(&added);
    std::strcpy(added.Name, "Added");
    added.ListID = 3;
    added.ConfigurationMode = MEDIA_USER;
    added.Speed = 2;
    added.Press = 2;
    added.Cap = CAP_YELLOW;
    write_media_file(folder.path(), added);
    EXPECT_EQ(folder.read("Added.qcf"),
              crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                          "ListID=3", "ConfigurationMode=2", "[User]", "Speed=2", "Force=2",
                          "Cap=Yellow"}));
}

TEST(MediaFiles, LoadChangeSaveLoadKeepsRecordsAndUntouchedFilesByteForByte)
{
    ProfileFolder folder;
    const std::string shipped = shipped_media_directory();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(shipped)) {
        std::filesystem::copy_file(entry.path(), std::filesystem::path(folder.path()) / entry.path().filename());
        names.push_back(entry.path().filename().string());
    }
    ASSERT_FALSE(names.empty());

    MediaLibrary first;
    load_media_files(folder.path(), "", &first);
    save_media_files(folder.path(), first);
    for (const std::string& name : names) {
        std::ifstream original(shipped + "\\" + name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(original)), std::istreambuf_iterator<char>());
        EXPECT_EQ(folder.read(name), bytes) << name;
    }

    // Change the first adjustable media the way the job panel does, save, read again.
    int changed = -1;
    for (int i = 0; i < first.Count && changed < 0; ++i) {
        if (first.Media[i].ConfigurationMode == MEDIA_ADJUSTABLE) {
            changed = i;
        }
    }
    ASSERT_GE(changed, 0);
    first.Media[changed].Speed = first.Media[changed].Speed == 1 ? 2 : 1;
    first.Media[changed].Press = first.Media[changed].Press == 3 ? 2 : 3;
    save_media_files(folder.path(), first);
    MediaLibrary second;
    load_media_files(folder.path(), "", &second);
    EXPECT_TRUE(same_records(first, second));

    const MediaRecord& r = second.Media[changed];
    const std::string text = folder.read(std::string(r.Name) + ".qcf");
    EXPECT_NE(text.find("[Modify]\r\nSpeed=" + std::to_string(r.Speed) + "\r\nForce=" +
                        std::to_string(r.Press) + "\r\n"),
              std::string::npos)
        << text;
}

// How long the scan takes at start-up: the shipped set, and folders of 128 and 1,000
// acceptable files. Printed for the record; the bound only catches a scan gone badly wrong.
TEST(MediaFiles, ScanTimes)
{
    using clock = std::chrono::steady_clock;
    auto time_scan = [](const std::string& directory, int* count) {
        MediaLibrary library;
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const auto start = clock::now();
            load_media_files(directory.c_str(), "", &library);
            best = std::min(best, std::chrono::duration<double, std::milli>(clock::now() - start).count());
        }
        *count = library.Count;
        return best;
    };
    int count = 0;
    const double shipped = time_scan(shipped_media_directory(), &count);
    std::printf("shipped set (%d media): %.2f ms\n", count, shipped);
    EXPECT_LT(shipped, 1000.0);

    for (int files : {128, 1000}) {
        ProfileFolder folder;
        for (int i = 0; i < files; ++i) {
            folder.write("Media " + std::to_string(i) + ".qcf",
                         generic(std::to_string(files - i), "1") +
                             "[Defaults]\r\nSpeed=5\r\nForce=2\r\nCap=Blue\r\n[Modify]\r\nSpeed=4\r\nForce=1\r\n");
        }
        const double ms = time_scan(folder.path(), &count);
        std::printf("%d acceptable files (%d loaded): %.2f ms\n", files, count, ms);
        EXPECT_EQ(count, 128);
    }

    // The longest scan: every file is looked at and none is taken.
    ProfileFolder folder;
    for (int i = 0; i < 1000; ++i) {
        folder.write("Other " + std::to_string(i) + ".qcf", "[Generic]\r\nProduct=Other\r\n");
    }
    const double ms = time_scan(folder.path(), &count);
    std::printf("1000 unacceptable files (%d loaded): %.2f ms\n", count, ms);
    EXPECT_EQ(count, 0);
}

}  // namespace
