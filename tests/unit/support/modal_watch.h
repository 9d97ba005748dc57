// Answers the next modal dialog or message box that this process shows, from a helper thread:
// records what it showed, then presses a button. Lets a test call an operation that blocks in a
// modal loop (report_result, confirmation_question) and still see and answer the window.
#ifndef CUTTER_TESTS_MODAL_WATCH_H
#define CUTTER_TESTS_MODAL_WATCH_H

#include <windows.h>

#include <functional>
#include <future>
#include <string>

enum class ShownIcon { None, Stop, Question, Exclamation, Information, Other };

struct ShownDialog {
    bool found = false;
    std::string caption;
    std::string text;            // a message box's text, or the text of `text_control`
    ShownIcon icon = ShownIcon::None;
    bool still_open_after_extra = false;  // see ModalAnswer::extra_command
};

struct ModalAnswer {
    int button = IDOK;           // the command sent to end the window; 0: none
    int text_control = 0xFFFF;   // the control whose text is recorded (0xFFFF: message box text)
    int extra_command = 0;       // a command sent first, to see whether it ends the window
    std::function<void(HWND)> inspect;  // runs on the helper thread while the window is open
};

// Starts watching; the future is ready once the window has gone (or ten seconds have passed).
// Dialogs already open when the watch begins are left alone.
std::future<ShownDialog> answer_next_modal(const ModalAnswer& answer);

#endif
