// Answers the next modal dialog or message box that this process shows, from a helper thread:
// records what it showed, then presses OK. Lets a test call an operation that blocks in a
// modal loop (report_result) and still see and answer the window.
#ifndef CUTTER_TESTS_MODAL_WATCH_H
#define CUTTER_TESTS_MODAL_WATCH_H

#include <windows.h>

#include <future>

enum class ShownIcon { None, Stop, Exclamation, Other };

struct ShownDialog {
    bool found = false;
    ShownIcon icon = ShownIcon::None;
    bool picture = false;          // a static showing a bitmap
    bool stays_on_cancel = false;  // still open after the command Escape sends
};

// Starts watching; the future is ready once the window has gone (or ten seconds have passed).
// No other dialog of the process may be open meanwhile.
std::future<ShownDialog> answer_next_modal();

#endif
