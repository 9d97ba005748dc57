// Answers the next modal dialog or message box that this process shows, from a helper thread:
// records what it showed, then presses OK. Lets a test call an operation that blocks in a
// modal loop (report_result) and still see and answer the window.
#ifndef CUTTER_TESTS_MODAL_WATCH_H
#define CUTTER_TESTS_MODAL_WATCH_H

#include <windows.h>

#include <functional>
#include <future>

enum class ShownIcon { None, Stop, Exclamation, Other };

struct ShownDialog {
    bool found = false;
    ShownIcon icon = ShownIcon::None;
    bool still_open_after_extra = false;  // see `extra_command` below
};

// Starts watching; the future is ready once the window has gone (or ten seconds have passed).
// Dialogs already open when the watch begins are left alone. While the window is open, `inspect`
// runs on the helper thread, then `extra_command` (when not 0) is sent to see whether it ends the
// window, then OK ends it.
std::future<ShownDialog> answer_next_modal(int extra_command = 0,
                                           const std::function<void(HWND)>& inspect = {});

#endif
