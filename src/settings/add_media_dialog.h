// Add Media (dialog 14): stores the speed, thickness and cap in use under a name of the user's
// own, as a new user media or as the update of one, and has the job panel apply it.
#ifndef CUTTER_ADD_MEDIA_DIALOG_H
#define CUTTER_ADD_MEDIA_DIALOG_H

#include <windows.h>

#include <cstdint>

#include "add_media.h"

// Where the dialog works. The job panel opens it and hands in its own window: the panel's media
// list takes the new name, and the panel's CBN_SELENDOK of that list applies the media as if
// the user had chosen it there (the cutting conditions go to the cutter and CutCondition
// follows).
struct AddMediaPlace {
    HWND          owner;            // the main window
    HWND          job_panel;
    const char*   media_directory;  // no trailing separator
    MediaLibrary* library;
    std::int32_t  selected;         // CutCondition: the dialog opens with that media's values
};

// Runs the dialog modally over `place.owner`; it ends after a media was added or updated, or
// on Cancel.
void run_add_media_dialog(const AddMediaPlace& place);

INT_PTR CALLBACK add_media_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#endif
