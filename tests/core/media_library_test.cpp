#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <tuple>
#include <string>
#include <vector>

#include "settings/media_library.h"

namespace {

TEST(MediaLibrary, BuiltInLibrary)
{
    MediaLibrary library;
    fill_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_EQ(library.HighestListID, 11u);
    EXPECT_EQ(library.Media[11].ConditionNo, 12);
    // Thin media cut with the lightest force; every built-in media starts at speed 10.
    EXPECT_EQ(library.Media[10].DefaultSpeed, 10);
    EXPECT_EQ(library.Media[10].DefaultPress, 1);
}

// A Media directory as `load media files` lists it: file name, ListID (0: a file that fails its
// checks), and whether the entry is a folder.
struct Entry { std::string file; std::uint32_t list_id; bool directory; };
struct Listing { std::vector<Entry> entries; std::size_t next; };

bool next_entry(void* folder, MediaFolderEntry* entry)
{
    Listing& l = *static_cast<Listing*>(folder);
    if (l.next == l.entries.size()) return false;
    const Entry& e = l.entries[l.next++];
    *entry = MediaFolderEntry{e.file.c_str(), e.directory};
    return true;
}

bool read_file(void* folder, const char*, MediaFileValues* values)
{
    const Listing& l = *static_cast<const Listing*>(folder);
    *values = MediaFileValues{l.entries[l.next - 1].list_id, MEDIA_FIXED, 5, 2, 5, 2, CAP_BLUE};
    return values->ListID != 0;
}

TEST(MediaLibrary, ScanKeepsUsableFilesOrderedByListIdNumberedAndSelectsTheLastOfTheName)
{
    const std::string n64(64, 'n');
    struct Case { std::vector<Entry> entries; const char* select; std::vector<std::string> names; int selected; };
    const Case cases[] = {
        // Selection sort with exchanges: B is taken before D, then D is exchanged with A, which
        // puts A behind C although A came first. A missing ListID (-1) is the largest.
        {{{"A.qcf", 5, false}, {"B.qcf", 3, false}, {"C.qcf", 5, false}, {"D.qcf", 3, false},
          {"Z.qcf", 0xFFFFFFFFu, false}}, "C", {"B", "D", "C", "A", "Z"}, 2},
        // The last of equal names wins; case counts; no match selects the first.
        {{{"Card.qcf", 3, false}, {"Paper.qcf", 1, false}, {"Card.y", 5, false}}, "Card", {"Paper", "Card", "Card"}, 2},
        {{{"Card.qcf", 3, false}, {"Vinyl.qcf", 4, false}}, "card", {"Card", "Vinyl"}, 0},
        // Folders, unreadable files and names beyond 64 characters are left out.
        {{{"Dir.qcf", 1, true}, {"Bad.qcf", 0, false}, {n64 + "n.qcf", 2, false}, {n64 + ".qcf", 9, false},
          {".qcf", 8, false}}, "", {"", n64}, 0},
    };
    for (const Case& c : cases) {
        Listing listing{c.entries, 0};
        MediaLibrary library;
        EXPECT_EQ(scan_media_folder(MediaFolder{next_entry, read_file, &listing}, c.select, &library), c.selected);
        std::vector<std::string> names;
        for (int i = 0; i < library.Count; ++i) {
            names.push_back(library.Media[i].Name);
            EXPECT_EQ(library.Media[i].ConditionNo, 100 + i);
        }
        EXPECT_EQ(names, c.names);
    }
}

// A media file as "Section/Key=Value" pairs separated by ';'.
using MediaFileText = std::map<std::string, std::string>;

std::int32_t map_number(const void* file, const char* section, const char* key, std::int32_t fallback)
{
    const MediaFileText& keys = *static_cast<const MediaFileText*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    return found == keys.end() ? fallback : static_cast<std::int32_t>(std::atoi(found->second.c_str()));
}

void map_text(const void* file, const char* section, const char* key, const char* fallback,
              char* text, std::size_t size)
{
    const MediaFileText& keys = *static_cast<const MediaFileText*>(file);
    const auto found = keys.find(std::string(section) + "/" + key);
    std::snprintf(text, size, "%s", found == keys.end() ? fallback : found->second.c_str());
}

TEST(MediaFileRules, FileIsReadInTheOrderOfItsChecks)
{
    const std::string header = "Generic/Product=Quillmark Controller Ver2;Generic/Type=Quillmark;";
    const std::string h7 = header + "Generic/ListID=7;";
    struct Case { std::string file; bool accepted; MediaFileValues values; };
    const Case cases[] = {
        {h7 + "Generic/ConfigurationMode=0;Defaults/Speed=10;Defaults/Force=2;Defaults/Cap=Pen;Modify/Speed=9",
         true, {7, MEDIA_FIXED, 10, 2, 10, 2, CAP_PEN}},
        // Modify values out of range fall back to the defaults.
        {h7 + "Generic/ConfigurationMode=1;Defaults/Speed=4;Defaults/Force=2;Defaults/Cap=Red;Modify/Speed=11;Modify/Force=3",
         true, {7, MEDIA_ADJUSTABLE, 4, 2, 4, 3, CAP_RED}},
        // A missing ListID is the highest number.
        {header + "Generic/ConfigurationMode=2;User/Speed=1;User/Force=3;User/Cap=Yellow",
         true, {0xFFFFFFFFu, MEDIA_USER, -1, -1, 1, 3, CAP_YELLOW}},
        {h7 + "Generic/ConfigurationMode=2;User/Speed=1;User/Force=3;User/Cap=Pen", false, {}},  // no pen
        {h7 + "Generic/ConfigurationMode=2;User/Speed=1;User/Force=3;User/Cap=red", false, {}},
        {h7 + "Generic/ConfigurationMode=3", false, {}},
        {"Generic/Product=Quillmark controller Ver2;Generic/Type=Quillmark;Generic/ConfigurationMode=2;"
         "User/Speed=1;User/Force=3;User/Cap=Red", false, {}},
        {h7 + "Generic/ConfigurationMode=0;Defaults/Speed=11;Defaults/Force=2;Defaults/Cap=Red", false, {}},
        {h7 + "Generic/ConfigurationMode=0;Defaults/Speed=4;Defaults/Force=4;Defaults/Cap=Red", false, {}},
    };
    const auto fields = [](const MediaFileValues& m) {
        return std::vector<std::int64_t>{m.ListID, m.ConfigurationMode, m.DefaultSpeed, m.DefaultPress, m.Speed, m.Press, m.Cap};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        MediaFileText file;
        std::stringstream pairs(c.file);
        for (std::string pair; std::getline(pairs, pair, ';');) {
            file[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
        }
        MediaFileValues v{};
        ASSERT_EQ(read_media_file_values(MediaFileReader{map_number, map_text, &file}, &v), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(fields(v), fields(c.values));
        }
    }
}

TEST(MediaLibrary, AddingRaisesTheHighestListIdUnsignedAndStopsAt128)
{
    MediaLibrary library;
    clear_media_library(&library);
    MediaFileValues values{40, MEDIA_USER, -1, -1, 4, 2, CAP_RED};
    for (std::uint32_t id : {40u, 12u, 0xFFFFFFFFu}) {
        values.ListID = id;
        ASSERT_TRUE(add_media_record(&library, "named", values));
        EXPECT_EQ(library.HighestListID, id == 12u ? 40u : id);
    }
    EXPECT_EQ(library.Media[0].CutterOffset, 18);
    while (library.Count < MEDIA_LIBRARY_SIZE) {
        ASSERT_TRUE(add_media_record(&library, "more", values));
    }
    EXPECT_FALSE(add_media_record(&library, "one too many", values));
}

std::string entries_of(const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    std::string lines;
    for (int i = 0; i < count; ++i) {
        lines += std::string(entries[i].Section) + "/" + entries[i].Key + "=" + entries[i].Value + "|";
    }
    return lines;
}

TEST(MediaFileRules, WrittenKeysFollowTheFileOrderAndListIdIsSigned)
{
    MediaRecord record;
    empty_media_record(&record);
    std::strcpy(record.Name, "Film");
    std::tie(record.ListID, record.ConfigurationMode, record.DefaultSpeed, record.DefaultPress, record.Speed,
             record.Press, record.Cap) = std::make_tuple(0xFFFFFFFFu, MEDIA_ADJUSTABLE, 8, 2, 6, 3, CAP_YELLOW);
    const std::string header = "Generic/Product=Quillmark Controller Ver2|Generic/Type=Quillmark|";
    EXPECT_EQ(entries_of(record), header + "Generic/ListID=-1|Generic/ConfigurationMode=1|Defaults/Speed=8|"
                                           "Defaults/Force=2|Defaults/Cap=Yellow|Modify/Speed=6|Modify/Force=3|");
    // A user media can never hold the pen: its cap is left out rather than written.
    record.ConfigurationMode = MEDIA_USER;
    record.Cap = CAP_PEN;
    EXPECT_EQ(entries_of(record), header + "Generic/ListID=-1|Generic/ConfigurationMode=2|User/Speed=6|User/Force=3|");
    record.ConfigurationMode = MEDIA_FIXED;
    EXPECT_EQ(entries_of(record), "");
}

}  // namespace
