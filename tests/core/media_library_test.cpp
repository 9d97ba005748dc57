#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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
    for (const Named& named : records) {
        MediaFileValues values{named.ListID, MEDIA_FIXED, 5, 2, 5, 2, CAP_BLUE};
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

TEST(MediaLibrary, ClearedLibraryHoldsOnlyEmptyRecords)
{
    MediaLibrary library;
    std::memset(&library, 0x5a, sizeof library);
    clear_media_library(&library);
    EXPECT_EQ(library.Count, 0);
    EXPECT_EQ(library.HighestListID, 0u);
    for (const MediaRecord& record : library.Media) {
        EXPECT_STREQ(record.Name, "");
        EXPECT_EQ(record.ListID, 0u);
        for (std::int32_t field : {record.ConfigurationMode, record.ConditionNo, record.DefaultSpeed,
                                   record.DefaultPress, record.Speed, record.Press,
                                   record.CutterOffset, record.Cap}) {
            EXPECT_EQ(field, -1);
        }
    }
}

TEST(MediaLibrary, BuiltInTableHoldsTheTwelveFirstGenerationMedia)
{
    MediaLibrary library;
    fill_built_in_media(&library);
    ASSERT_EQ(library.Count, 12);
    EXPECT_EQ(library.HighestListID, 11u);
    struct Row { std::int32_t press, offset, cap; };
    const Row rows[12] = {{3, 18, 2}, {3, 18, 2}, {2, 18, 1}, {2, 18, 1}, {3, 18, 1}, {3, 18, 2},
                          {3, 18, 1}, {3, 18, 1}, {3, 18, 1}, {3, 18, 2}, {1, 18, 1}, {2, 0, 0}};
    for (int i = 0; i < 12; ++i) {
        const MediaRecord& record = library.Media[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(built_in_media_name_id(i), 2200 + i);
        EXPECT_EQ(record.ListID, static_cast<std::uint32_t>(i));
        EXPECT_EQ(record.ConfigurationMode, 0);
        EXPECT_EQ(record.ConditionNo, i + 1);
        EXPECT_EQ(record.DefaultSpeed, 10);
        EXPECT_EQ(record.DefaultPress, rows[i].press);
        EXPECT_EQ(record.CutterOffset, rows[i].offset);
        EXPECT_EQ(record.Cap, rows[i].cap);
        EXPECT_EQ(record.Speed, -1);
        EXPECT_EQ(record.Press, -1);
    }
    EXPECT_EQ(library.Media[12].ConfigurationMode, -1);
}

TEST(MediaLibrary, SortOrdersByUnsignedListIdAndMovesTheFirstOfEqualsForward)
{
    struct Case {
        const char*              what;
        std::vector<Named>       records;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"ascending ListIDs", {{"seven", 7}, {"three", 3}, {"five", 5}}, {"three", "five", "seven"}},
        {"a missing ListID (-1) is the largest",
         {{"missing", 0xFFFFFFFFu}, {"big", 0x7FFFFFFFu}, {"zero", 0}},
         {"zero", "big", "missing"}},
        // Selection sort with exchanges: B is taken before D, then D is exchanged with A, which
        // puts A behind C although A came first. A stable sort would give B D A C.
        {"equal ListIDs follow the exchanges",
         {{"A", 5}, {"B", 3}, {"C", 5}, {"D", 3}},
         {"B", "D", "C", "A"}},
        {"one record", {{"only", 9}}, {"only"}},
        {"no record", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MediaLibrary library = library_of(c.records);
        sort_media_library(&library);
        EXPECT_EQ(names_of(library), c.expected);
    }
}

TEST(MediaLibrary, SortMovesWholeRecordsAndLeavesUnusedOnesAlone)
{
    MediaLibrary library = library_of({{"late", 9}, {"early", 1}});
    library.Media[0].Speed = 7;
    library.Media[1].Speed = 3;
    library.Media[2].ListID = 0;  // beyond Count: never taken into the sort
    std::strcpy(library.Media[2].Name, "unused");
    sort_media_library(&library);
    EXPECT_STREQ(library.Media[0].Name, "early");
    EXPECT_EQ(library.Media[0].Speed, 3);
    EXPECT_EQ(library.Media[1].Speed, 7);
    EXPECT_STREQ(library.Media[2].Name, "unused");
}

TEST(MediaLibrary, NumberingGivesConditionNumbersFromHundredAndSelectsTheLastExactName)
{
    struct Case {
        const char*  what;
        const char*  select;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"exact name", "Vinyl", 1},
        {"the last of equal names", "Card", 3},
        {"case counts", "vinyl", 0},
        {"no match selects the first", "Glass", 0},
        {"empty name matches nothing", "", 0},
        {"a prefix is not a match", "Vin", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MediaLibrary library = library_of({{"Paper", 1}, {"Vinyl", 2}, {"Card", 3}, {"Card", 4}});
        EXPECT_EQ(number_media_and_select(&library, c.select), c.expected);
        for (int i = 0; i < library.Count; ++i) {
            EXPECT_EQ(library.Media[i].ConditionNo, 100 + i);
        }
        EXPECT_EQ(library.Media[library.Count].ConditionNo, -1);
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
    library.Count = 0;
    EXPECT_FALSE(find_media_by_name(library, "Paper").Found);
}

TEST(MediaFileRules, CandidateNameIsTheFileNameUpToItsLastDotAndAtMost64Characters)
{
    struct Case {
        std::string file;
        bool        accepted;
        std::string name;
    };
    const std::string n64(64, 'n');
    const Case cases[] = {
        {"Vinyl Film.qcf", true, "Vinyl Film"},
        {"Labels v1.2.qcf", true, "Labels v1.2"},
        {".qcf", true, ""},
        {"no extension", true, "no extension"},
        {n64 + ".qcf", true, n64},
        {n64 + "n.qcf", false, ""},
        {n64 + ".x.qcf", false, ""},
        {std::string(259, 'x'), false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        char name[MEDIA_NAME_SIZE];
        std::memset(name, '#', sizeof name);
        ASSERT_EQ(media_name_from_file_name(c.file.c_str(), name), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(std::string(name), c.name);
        }
    }
}

TEST(MediaFileRules, HeaderAndCapWordsAreComparedExactly)
{
    EXPECT_TRUE(media_file_identified("Quillmark Controller Ver2", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark controller Ver2", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark Controller Ver2 ", "Quillmark"));
    EXPECT_FALSE(media_file_identified("Quillmark Controller Ver2", "quillmark"));
    EXPECT_FALSE(media_file_identified("Error", "Error"));

    struct CapCase {
        const char*  word;
        bool         pen_allowed;
        bool         accepted;
        std::int32_t cap;
    };
    const CapCase caps[] = {
        {"Red", true, true, 3},     {"Yellow", true, true, 2}, {"Blue", true, true, 1},
        {"Pen", true, true, 0},     {"Pen", false, false, 0},  {"Red", false, true, 3},
        {"red", true, false, 0},    {"RED", true, false, 0},   {"Red ", true, false, 0},
        {"", true, false, 0},       {"Error", true, false, 0}, {"Green", true, false, 0},
    };
    for (const CapCase& c : caps) {
        SCOPED_TRACE(std::string(c.word) + (c.pen_allowed ? " (pen allowed)" : ""));
        std::int32_t cap = -7;
        EXPECT_EQ(cap_from_word(c.word, c.pen_allowed, &cap), c.accepted);
        if (c.accepted) {
            EXPECT_EQ(cap, c.cap);
            EXPECT_EQ(cutter_offset_of_cap(cap), c.cap == 0 ? 0 : 18);
        }
    }
}

// A media file as "Section/Key" -> text; numbers are read from the text as the profile calls do
// (leading decimal digits with an optional sign, 0 when there are none).
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
    const MediaFileText header = {{"Generic/Product", "Quillmark Controller Ver2"},
                                  {"Generic/Type", "Quillmark"},
                                  {"Generic/ListID", "7"}};
    auto with = [&](MediaFileText more) {
        more.insert(header.begin(), header.end());
        return more;
    };
    struct Case {
        const char*     name;
        MediaFileText   file;
        bool            accepted;
        MediaFileValues values;  // when accepted
    };
    const Case cases[] = {
        {"fixed", with({{"Generic/ConfigurationMode", "0"}, {"Defaults/Speed", "4"},
                        {"Defaults/Force", "2"}, {"Defaults/Cap", "Pen"},
                        {"Modify/Speed", "9"}}),
         true, {7, MEDIA_FIXED, 4, 2, 4, 2, CAP_PEN}},
        {"adjustable, modify out of range falls back",
         with({{"Generic/ConfigurationMode", "1"}, {"Defaults/Speed", "4"}, {"Defaults/Force", "2"},
               {"Defaults/Cap", "Red"}, {"Modify/Speed", "11"}, {"Modify/Force", "3"}}),
         true, {7, MEDIA_ADJUSTABLE, 4, 2, 4, 3, CAP_RED}},
        {"adjustable without modify keys",
         with({{"Generic/ConfigurationMode", "1"}, {"Defaults/Speed", "10"}, {"Defaults/Force", "1"},
               {"Defaults/Cap", "Blue"}}),
         true, {7, MEDIA_ADJUSTABLE, 10, 1, 10, 1, CAP_BLUE}},
        {"user", with({{"Generic/ConfigurationMode", "2"}, {"User/Speed", "1"}, {"User/Force", "3"},
                       {"User/Cap", "Yellow"}}),
         true, {7, MEDIA_USER, -1, -1, 1, 3, CAP_YELLOW}},
        {"user media may not be a pen",
         with({{"Generic/ConfigurationMode", "2"}, {"User/Speed", "1"}, {"User/Force", "3"},
               {"User/Cap", "Pen"}}),
         false, {}},
        {"missing ListID is the highest number",
         {{"Generic/Product", "Quillmark Controller Ver2"}, {"Generic/Type", "Quillmark"},
          {"Generic/ConfigurationMode", "2"}, {"User/Speed", "2"}, {"User/Force", "2"},
          {"User/Cap", "Red"}},
         true, {0xFFFFFFFFu, MEDIA_USER, -1, -1, 2, 2, CAP_RED}},
        {"unknown mode", with({{"Generic/ConfigurationMode", "3"}}), false, {}},
        {"missing type", {{"Generic/Product", "Quillmark Controller Ver2"}}, false, {}},
        {"default force out of range",
         with({{"Generic/ConfigurationMode", "0"}, {"Defaults/Speed", "4"}, {"Defaults/Force", "4"},
               {"Defaults/Cap", "Red"}}),
         false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MediaFileValues values{};
        ASSERT_EQ(read_media_file_values(MediaFileReader{map_number, map_text, &c.file}, &values),
                  c.accepted);
        if (c.accepted) {
            EXPECT_EQ(values.ListID, c.values.ListID);
            EXPECT_EQ(values.ConfigurationMode, c.values.ConfigurationMode);
            EXPECT_EQ(values.DefaultSpeed, c.values.DefaultSpeed);
            EXPECT_EQ(values.DefaultPress, c.values.DefaultPress);
            EXPECT_EQ(values.Speed, c.values.Speed);
            EXPECT_EQ(values.Press, c.values.Press);
            EXPECT_EQ(values.Cap, c.values.Cap);
        }
    }
}

TEST(MediaLibrary, AddingRaisesTheHighestListIdUnsignedAndStopsAt128)
{
    MediaLibrary library;
    clear_media_library(&library);
    MediaFileValues values{40, MEDIA_USER, -1, -1, 4, 2, CAP_RED};
    ASSERT_TRUE(add_media_record(&library, "forty", values));
    EXPECT_EQ(library.HighestListID, 40u);
    values.ListID = 12;
    ASSERT_TRUE(add_media_record(&library, "twelve", values));
    EXPECT_EQ(library.HighestListID, 40u);
    values.ListID = 0xFFFFFFFFu;
    ASSERT_TRUE(add_media_record(&library, "missing", values));
    EXPECT_EQ(library.HighestListID, 0xFFFFFFFFu);

    const MediaRecord& first = library.Media[0];
    EXPECT_STREQ(first.Name, "forty");
    EXPECT_EQ(first.DefaultSpeed, -1);
    EXPECT_EQ(first.Speed, 4);
    EXPECT_EQ(first.Press, 2);
    EXPECT_EQ(first.Cap, CAP_RED);
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
        lines.push_back(std::string(entries[i].Section) + "/" + entries[i].Key + "=" +
                        entries[i].Value);
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
    EXPECT_EQ(entries_of(record),
              (std::vector<std::string>{"Generic/Product=Quillmark Controller Ver2",
                                        "Generic/Type=Quillmark", "Generic/ListID=-1",
                                        "Generic/ConfigurationMode=1", "Defaults/Speed=8",
                                        "Defaults/Force=2", "Defaults/Cap=Yellow",
                                        "Modify/Speed=6", "Modify/Force=3"}));

    record.ConfigurationMode = MEDIA_USER;
    record.ListID = 2147483648u;
    record.Cap = CAP_RED;
    EXPECT_EQ(entries_of(record),
              (std::vector<std::string>{"Generic/Product=Quillmark Controller Ver2",
                                        "Generic/Type=Quillmark", "Generic/ListID=-2147483648",
                                        "Generic/ConfigurationMode=2", "User/Speed=6",
                                        "User/Force=3", "User/Cap=Red"}));

    // A user media can never hold the pen; a damaged cap is left out rather than written.
    record.Cap = CAP_PEN;
    EXPECT_EQ(entries_of(record).size(), 6u);
    record.ConfigurationMode = MEDIA_ADJUSTABLE;
    record.Cap = CAP_PEN;
    EXPECT_EQ(entries_of(record)[6], "Defaults/Cap=Pen");
    record.Cap = 4;
    EXPECT_EQ(entries_of(record).size(), 8u);

    for (std::int32_t mode : {0, -1, 3}) {
        record.ConfigurationMode = mode;
        EXPECT_TRUE(entries_of(record).empty()) << mode;
    }
}

}  // namespace
