// The rules of the Add Media dialog: the values it opens with, which names a user's own media
// may take, whether OK adds, updates or refuses, the new record, and the scales of its two bars.
// The dialog itself (add_media_dialog.cpp) applies these decisions to its controls.
#ifndef CUTTER_ADD_MEDIA_H
#define CUTTER_ADD_MEDIA_H

#include <cstdint>

#include "common/bar_step.h"
#include "common/result_code.h"
#include "media_library.h"

// The dialog's pending values.
struct AddMediaEntry {
    char         Name[MEDIA_NAME_SIZE];
    std::int32_t Speed;
    std::int32_t Press;
    std::int32_t CutterOffset;
    std::int32_t Cap;  // CAP_BLUE, CAP_YELLOW or CAP_RED: a user media always cuts with a blade
};

// The entry as the dialog opens: `initial_name`, the selected media's speed and force, the
// blade's offset and the selected media's cap, Blue in place of the pen.
void fill_add_media_entry(const MediaRecord& selected, const char* initial_name,
                          AddMediaEntry* entry);

// Whether a name can become a media file's name in the Media directory: not empty or blank
// (it could not be told apart in the media list), none of \ / : * ? " < > | nor a control
// character, and not a name the system keeps for a device (CON, NUL, COM1, ...).
bool media_name_usable(const char* name);

enum AddMediaAction : std::int32_t {
    ADD_MEDIA_REFUSE,      // show Refusal; nothing changes
    ADD_MEDIA_ASK_UPDATE,  // a user media of that name exists: ask before updating it
    ADD_MEDIA_UPDATE,      // a record of that name exists that is neither factory nor user media
    ADD_MEDIA_APPEND,      // a new user media at Index, the end of the library
};

struct AddMediaPlan {
    AddMediaAction Action;
    ResultCode     Refusal;  // RC_MEDIA_NAME_UNUSABLE or RC_MEDIA_LIMIT_REACHED for ADD_MEDIA_REFUSE
    std::int32_t   Index;    // the record updated or the place of the new one
};

// What OK does with `name`. A factory media's name is refused, and so is a name that differs
// from another media's only in case: on the file system both would be the same media file.
AddMediaPlan plan_add_media(const MediaLibrary& library, const char* name);

// ListID of a new user media: 100 at least, after every ListID already given, and the highest
// ListID again once there is none above it.
std::uint32_t next_user_list_id(std::uint32_t highest_list_id);

// The user media the entry makes at the end of the library (the library itself is not changed;
// append_media takes the record once its media file is written).
MediaRecord new_user_media(const MediaLibrary& library, const AddMediaEntry& entry);
void append_media(MediaLibrary* library, const MediaRecord& record);

// An update keeps the record's name, ListID, mode and condition number.
void update_media(MediaLibrary* library, std::int32_t index, const AddMediaEntry& entry);

// The speed and force bars step from the entry's Speed and Press: a page is 5 speeds or 1 force.
constexpr BarScale SPEED_BAR_SCALE{SPEED_MIN, SPEED_MAX, 5};
constexpr BarScale FORCE_BAR_SCALE{FORCE_MIN, FORCE_MAX, 1};

#endif
