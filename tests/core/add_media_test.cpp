#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "settings/add_media.h"

namespace {

MediaRecord record_named(const char* name, std::uint32_t list_id, std::int32_t mode)
{
    MediaRecord record;
    empty_media_record(&record);
    std::strcpy(record.Name, name);
    record.ListID = list_id;
    record.ConfigurationMode = mode;
    record.ConditionNo = 100;
    record.Speed = 4;
    record.Press = 2;
    record.CutterOffset = CAP_CUTTER_OFFSET;
    record.Cap = CAP_YELLOW;
    return record;
}

// A fixed, an adjustable, a user media and one whose mode the dialog does not know, followed,
// for a full library, by user media up to the limit.
MediaLibrary library_with(bool full)
{
    MediaLibrary library;
    clear_media_library(&library);
    const MediaRecord records[] = {record_named("Pen", 10, MEDIA_FIXED),
                                   record_named("Vinyl Film", 40, MEDIA_ADJUSTABLE),
                                   record_named("My Vinyl", 120, MEDIA_USER),
                                   record_named("Odd", 130, 7)};
    for (const MediaRecord& record : records) {
        library.Media[library.Count++] = record;
    }
    while (full && library.Count < MEDIA_LIBRARY_SIZE) {
        const std::string name = "User " + std::to_string(library.Count);
        library.Media[library.Count] = record_named(name.c_str(), 200u + library.Count, MEDIA_USER);
        ++library.Count;
    }
    library.HighestListID = 130;
    return library;
}

TEST(AddMedia, TheNameDecidesBetweenAddingUpdatingAndRefusing)
{
    const struct {
        const char*    name;
        bool           full;
        AddMediaAction action;
        ResultCode     refusal;
        std::int32_t   index;
    } cases[] = {
        {" Card v1.2", false, ADD_MEDIA_APPEND, RC_SUCCESS, 4},  // dots and spaces are fine
        {"COM10", false, ADD_MEDIA_APPEND, RC_SUCCESS, 4},
        // Nothing to tell it apart in the list, and a file named ".qcf" alone.
        {"   ", false, ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, -1},
        // Device names, whatever follows the first dot and whatever the case.
        {"nul.old", false, ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, -1},
        // Factory media keep their names; so does a media that differs only in case.
        {"vinyl film", false, ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, 1},
        {"MY VINYL", false, ADD_MEDIA_REFUSE, RC_MEDIA_NAME_UNUSABLE, 2},
        {"My Vinyl", false, ADD_MEDIA_ASK_UPDATE, RC_SUCCESS, 2},
        {"Odd", false, ADD_MEDIA_UPDATE, RC_SUCCESS, 3},
        // A full library still updates; only a new name finds no room.
        {"New Media", true, ADD_MEDIA_REFUSE, RC_MEDIA_LIMIT_REACHED, -1},
        {"User 127", true, ADD_MEDIA_ASK_UPDATE, RC_SUCCESS, 127},
    };
    const MediaLibrary some = library_with(false);
    const MediaLibrary full = library_with(true);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.name + (c.full ? "\", full library" : "\""));
        const AddMediaPlan plan = plan_add_media(c.full ? full : some, c.name);
        EXPECT_EQ(plan.Action, c.action);
        EXPECT_EQ(plan.Refusal, c.refusal);
        if (c.index >= 0) {
            EXPECT_EQ(plan.Index, c.index);
        }
    }
    for (const char forbidden : std::string("\\/:*?\"<>|")) {
        const std::string name = std::string("Card ") + forbidden + " Stock";
        SCOPED_TRACE(name);
        EXPECT_EQ(plan_add_media(some, name.c_str()).Refusal, RC_MEDIA_NAME_UNUSABLE);
    }
}

TEST(AddMedia, ANewMediaFollowsEveryListIdAndUpdatesKeepTheRecordsIdentity)
{
    EXPECT_EQ(next_user_list_id(99), 100u);
    EXPECT_EQ(next_user_list_id(4294967295u), 4294967295u);

    MediaLibrary library = library_with(false);
    MediaRecord pen = library.Media[0];
    pen.Cap = CAP_PEN;
    pen.CutterOffset = PEN_CUTTER_OFFSET;
    pen.Speed = 6;
    pen.Press = 3;
    AddMediaEntry entry;
    fill_add_media_entry(pen, "New Media", &entry);
    EXPECT_EQ(std::make_tuple(entry.Cap, entry.CutterOffset, entry.Speed, entry.Press),
              std::make_tuple(static_cast<std::int32_t>(CAP_BLUE), CAP_CUTTER_OFFSET, 6, 3));  // a blade cap

    entry.Cap = CAP_RED;
    const MediaRecord added = new_user_media(library, entry);
    EXPECT_EQ(library.Count, 4);  // not yet taken
    append_media(&library, added);
    ASSERT_EQ(library.Count, 5);
    const MediaRecord& last = library.Media[4];
    EXPECT_STREQ(last.Name, "New Media");
    EXPECT_EQ(std::make_tuple(last.ListID, library.HighestListID, last.ConditionNo, last.DefaultSpeed, last.Cap),
              std::make_tuple(131u, 131u, 104, -1, static_cast<std::int32_t>(CAP_RED)));

    entry.Speed = 9;
    update_media(&library, 2, entry);
    const MediaRecord& updated = library.Media[2];
    EXPECT_EQ(std::make_tuple(updated.ListID, updated.ConditionNo, updated.Speed, updated.Cap),
              std::make_tuple(120u, 100, 9, static_cast<std::int32_t>(CAP_RED)));
}

TEST(AddMedia, TheSpeedBarPagesByFiveAndTheForceBarByOne)
{
    EXPECT_EQ(bar_step(SPEED_BAR_SCALE, BAR_PAGE_LEFT, 7, 0).Value, 2);
    EXPECT_EQ(bar_step(FORCE_BAR_SCALE, BAR_PAGE_RIGHT, 1, 0).Value, 2);
}

}  // namespace
