#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "settings/media_library.h"

namespace {

struct Named {
    const char*   Name;
    std::uint32_t ListID;
};

MediaLibrary library_of(const std::vector<Named>& records)
{
    MediaLibrary library;
    clear_media_library(&library);
    std::int32_t speed = 1;
    for (const Named& named : records) {
        MediaFileValues values{named.ListID, MEDIA_FIXED, 5, 2, speed++, 2, CAP_BLUE};
        EXPECT_TRUE(add_media_record(&library, named.Name, values));
    }
    return library;
}

std::vector<std::string> names_of(const MediaLibrary& library)
{
    std::vector<std::string> names;
    for (int i = 0; i < library.Count; ++i) {
        names.push_back(library.Media[i].Name);
    }
    return names;
}

TEST(MediaLibrary, ClearedAndBuiltInLibraries)
{
    MediaLibrary library;
    std::memset(&library, 0x5a, sizeof library);
    clear_media_library(&library);
    EXPECT_EQ(library.Count, 0);
    EXPECT_EQ(library.HighestListID, 0u);
    const MediaRecord& last = library.Media[MEDIA_LIBRARY_SIZE - 1];
    EXPECT_STREQ(last.Name, "");
    EXPECT_EQ(last.ConfigurationMode, -1);
    EXPECT_EQ(last.Cap, -1);

    fill_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_EQ(library.HighestListID, 11u);
    EXPECT_EQ(library.Media[11].ConditionNo, 12);
    // Thin media cut with the lightest force; every built-in media starts at speed 10.
    EXPECT_EQ(library.Media[10].DefaultSpeed, 10);
    EXPECT_EQ(library.Media[10].DefaultPress, 1);
    EXPECT_EQ(built_in_media_name_id(11), 2211);
    EXPECT_EQ(library.Media[12].ConfigurationMode, -1);
}

TEST(MediaLibrary, SortOrdersByUnsignedListIdAndMovesTheFirstOfEqualsForward)
{
    struct Case { std::vector<Named> records; std::vector<std::string> expected; };
    const std::vector<Case> cases = {
        {{{"seven", 7}, {"three", 3}, {"five", 5}}, {"three", "five", "seven"}},
        // A missing ListID (-1) is the largest.
        {{{"missing", 0xFFFFFFFFu}, {"big", 0x7FFFFFFFu}, {"zero", 0}}, {"zero", "big", "missing"}},
        // Selection sort with exchanges: B is taken before D, then D is exchanged with A, which
        // puts A behind C although A came first. A stable sort would give B D A C.
        {{{"A", 5}, {"B", 3}, {"C", 5}, {"D", 3}}, {"B", "D", "C", "A"}},
        {{}, {}},
    };
    for (const Case& c : cases) {
        MediaLibrary library = library_of(c.records);
        std::strcpy(library.Media[c.records.size()].Name, "unused");  // beyond Count: left alone
        sort_media_library(&library);
        EXPECT_EQ(names_of(library), c.expected);
        EXPECT_STREQ(library.Media[c.records.size()].Name, "unused");
    }
    MediaLibrary library = library_of({{"late", 9}, {"early", 1}});
    sort_media_library(&library);
    EXPECT_EQ(library.Media[0].Speed, 2);  // whole records move
}

TEST(MediaLibrary, NumberingGivesConditionNumbersFromHundredAndSelectsTheLastExactName)
{
    struct Case { const char* select; std::int32_t expected; };
    // The last of equal names wins; case counts; a prefix, an empty name or no match select the first.
    for (const Case& c : {Case{"Vinyl", 1}, {"Card", 3}, {"vinyl", 0}, {"Glass", 0}, {"", 0}, {"Vin", 0}}) {
        MediaLibrary library = library_of({{"Paper", 1}, {"Vinyl", 2}, {"Card", 3}, {"Card", 4}});
        EXPECT_EQ(number_media_and_select(&library, c.select), c.expected) << c.select;
        EXPECT_EQ(library.Media[0].ConditionNo, 100);
        EXPECT_EQ(library.Media[3].ConditionNo, 103);
        EXPECT_EQ(library.Media[4].ConditionNo, -1);
    }
}

TEST(MediaLibrary, FindByNameGivesTheFirstExactMatchAmongRecordsInUse)
{
    MediaLibrary library = library_of({{"Paper", 30}, {"Card", 10}, {"Card", 20}});
    library.Media[1].ConfigurationMode = MEDIA_USER;
    std::strcpy(library.Media[3].Name, "Hidden");  // not in use

    const MediaMatch card = find_media_by_name(library, "Card");
    EXPECT_TRUE(card.Found);
    EXPECT_EQ(card.Index, 1);
    EXPECT_EQ(card.ListID, 10u);
    EXPECT_EQ(card.ConfigurationMode, MEDIA_USER);
    EXPECT_FALSE(find_media_by_name(library, "card").Found);
    EXPECT_FALSE(find_media_by_name(library, "Hidden").Found);
}

TEST(MediaFileRules, CandidateNameIsTheFileNameUpToItsLastDotAndAtMost64Characters)
{
    struct Case {
        std::string file;
        const char* name;  // nullptr: refused
    };
    const std::string n64(64, 'n');
    const Case cases[] = {
        {"Labels v1.2.qcf", "Labels v1.2"}, {".qcf", ""}, {"no extension", "no extension"},
        {n64 + ".qcf", n64.c_str()}, {n64 + "n.qcf", nullptr}, {n64 + ".x.qcf", nullptr},
    };
    for (const Case& c : cases) {
        char name[MEDIA_NAME_SIZE];
        ASSERT_EQ(media_name_from_file_name(c.file.c_str(), name), c.name != nullptr) << c.file;
        if (c.name != nullptr) {
            EXPECT_STREQ(name, c.name);
        }
    }
}

TEST(MediaFileRules, HeaderAndCapWordsAreComparedExactly)
{
    EXPECT_TRUE(media_file_identified("Quillmark Controller Ver2", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark controller Ver2", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark Controller Ver2 ", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark Controller Ver2", "quillmark"));

    struct CapCase {
        const char*  word;
        bool         pen_allowed;
        std::int32_t cap;  // -1: refused
    };
    const CapCase caps[] = {
        {"Red", false, 3}, {"Yellow", true, 2}, {"Blue", true, 1}, {"Pen", true, 0},
        {"Pen", false, -1}, {"red", true, -1}, {"Red ", true, -1}, {"", true, -1}, {"Error", true, -1},
    };
    for (const CapCase& c : caps) {
        std::int32_t cap = -7;
        EXPECT_EQ(cap_from_word(c.word, c.pen_allowed, &cap), c.cap >= 0) << c.word << c.pen_allowed;
        if (c.cap >= 0) {
            EXPECT_EQ(cap, c.cap) << c.word;
            EXPECT_EQ(cutter_offset_of_cap(cap), c.cap == 0 ? 0 : 18) << c.word;
        }
    }
}

// A media file as "Section/Key=Value" pairs separated by ';'; numbers are read as the profile
// calls read them.
using MediaFileText = std::map<std::string, std::string>;

MediaFileText file_of(const std::string& text)
{
    MediaFileText keys;
    std::stringstream pairs(text);
    for (std::string pair; std::getline(pairs, pair, ';');) {
        keys[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
    }
    return keys;
}

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
        {h7 + "Generic/ConfigurationMode=0;Defaults/Speed=4;Defaults/Force=2;Defaults/Cap=Pen;Modify/Speed=9",
         true, {7, MEDIA_FIXED, 4, 2, 4, 2, CAP_PEN}},
        // Modify values out of range fall back to the defaults.
        {h7 + "Generic/ConfigurationMode=1;Defaults/Speed=4;Defaults/Force=2;Defaults/Cap=Red;Modify/Speed=11;Modify/Force=3",
         true, {7, MEDIA_ADJUSTABLE, 4, 2, 4, 3, CAP_RED}},
        // A missing ListID is the highest number.
        {header + "Generic/ConfigurationMode=2;User/Speed=1;User/Force=3;User/Cap=Yellow",
         true, {0xFFFFFFFFu, MEDIA_USER, -1, -1, 1, 3, CAP_YELLOW}},
        {h7 + "Generic/ConfigurationMode=2;User/Speed=1;User/Force=3;User/Cap=Pen", false, {}},  // no pen
        {h7 + "Generic/ConfigurationMode=3", false, {}},
        {"Generic/Product=Quillmark Controller Ver2", false, {}},
        {h7 + "Generic/ConfigurationMode=0;Defaults/Speed=4;Defaults/Force=4;Defaults/Cap=Red", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const MediaFileText file = file_of(c.file);
        MediaFileValues v{};
        ASSERT_EQ(read_media_file_values(MediaFileReader{map_number, map_text, &file}, &v), c.accepted);
        if (c.accepted) {
            const MediaFileValues& e = c.values;
            EXPECT_EQ(std::vector<std::int64_t>({v.ListID, v.ConfigurationMode, v.DefaultSpeed,
                                                 v.DefaultPress, v.Speed, v.Press, v.Cap}),
                      std::vector<std::int64_t>({e.ListID, e.ConfigurationMode, e.DefaultSpeed,
                                                 e.DefaultPress, e.Speed, e.Press, e.Cap}));
        }
    }
}

TEST(MediaLibrary, AddingRaisesTheHighestListIdUnsignedAndStopsAt128)
{
    MediaLibrary library;
    clear_media_library(&library);
    MediaFileValues values{40, MEDIA_USER, -1, -1, 4, 2, CAP_RED};
    for (std::uint32_t id : {40u, 12u}) {
        values.ListID = id;
        ASSERT_TRUE(add_media_record(&library, "named", values));
        EXPECT_EQ(library.HighestListID, 40u);
    }
    values.ListID = 0xFFFFFFFFu;
    ASSERT_TRUE(add_media_record(&library, "missing", values));
    EXPECT_EQ(library.HighestListID, 0xFFFFFFFFu);

    const MediaRecord& first = library.Media[0];
    EXPECT_STREQ(first.Name, "named");
    EXPECT_EQ(first.Speed, 4);
    EXPECT_EQ(first.CutterOffset, 18);
    EXPECT_EQ(first.ConditionNo, -1);

    while (library.Count < MEDIA_LIBRARY_SIZE) {
        ASSERT_TRUE(add_media_record(&library, "more", values));
    }
    EXPECT_FALSE(add_media_record(&library, "one too many", values));
    EXPECT_EQ(library.Count, 128);
}

std::vector<std::string> entries_of(const MediaRecord& record)
{
    ProfileEntry entries[MEDIA_FILE_ENTRY_LIMIT];
    const int count = media_file_entries(record, entries);
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) {
        lines.push_back(std::string(entries[i].Section) + "/" + entries[i].Key + "=" + entries[i].Value);
    }
    return lines;
}

TEST(MediaFileRules, WrittenKeysFollowTheFileOrderAndListIdIsSigned)
{
    MediaRecord record;
    empty_media_record(&record);
    std::strcpy(record.Name, "Film");
    record.ListID = 0xFFFFFFFFu;
    record.ConfigurationMode = MEDIA_ADJUSTABLE;
    record.DefaultSpeed = 8;
    record.DefaultPress = 2;
    record.Speed = 6;
    record.Press = 3;
    record.Cap = CAP_YELLOW;
    const std::string header = "Generic/Product=Quillmark Controller Ver2|Generic/Type=Quillmark|";
    auto joined = [](const std::vector<std::string>& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "|";
        }
        return text;
    };
    EXPECT_EQ(joined(entries_of(record)),
              header + "Generic/ListID=-1|Generic/ConfigurationMode=1|Defaults/Speed=8|"
                       "Defaults/Force=2|Defaults/Cap=Yellow|Modify/Speed=6|Modify/Force=3|");
    record.ConfigurationMode = MEDIA_USER;
    record.ListID = 2147483648u;
    record.Cap = CAP_RED;
    EXPECT_EQ(joined(entries_of(record)),
              header + "Generic/ListID=-2147483648|Generic/ConfigurationMode=2|User/Speed=6|"
                       "User/Force=3|User/Cap=Red|");

    // A user media can never hold the pen; a damaged cap is left out rather than written.
    record.Cap = CAP_PEN;
    EXPECT_EQ(entries_of(record).size(), 6u);
    record.ConfigurationMode = MEDIA_ADJUSTABLE;
    EXPECT_EQ(entries_of(record)[6], "Defaults/Cap=Pen");
    record.Cap = 4;
    EXPECT_EQ(entries_of(record).size(), 8u);
    for (std::int32_t mode : {0, -1, 3}) {
        record.ConfigurationMode = mode;
        EXPECT_TRUE(entries_of(record).empty()) << mode;
    }
}

}  // namespace
