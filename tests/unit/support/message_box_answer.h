// Answering the program's message boxes in unit tests. A message box is modal: the code under
// test does not return until it is closed, so a helper thread must close it. Start the helper
// before calling the code that shows the box; the helper waits for a new top-level dialog window
// (class "#32770") of this process, reads its caption and text, and presses the given button.
//
//     std::future<AnsweredBox> answer = answer_message_box(IDOK);
//     report_result(owner, RC_HORIZONTAL_970_MM);
//     const AnsweredBox box = answer.get();
//     EXPECT_TRUE(box.Seen);
//
// The future waits for the helper when it is destroyed, so the helper never outlives the test.
#ifndef CUTTER_TEST_MESSAGE_BOX_ANSWER_H
#define CUTTER_TEST_MESSAGE_BOX_ANSWER_H

#include <windows.h>

#include <future>
#include <string>

struct AnsweredBox {
    bool Seen;             // false when no box appeared within the time allowed
    std::string Caption;
    std::string Text;      // the message, without the caption
};

// Answers the next message box (or other dialog window) that this process opens, by pressing
// `button` (IDOK, IDCANCEL, IDYES, ...). Dialog windows already open when this is called, such
// as a test's own host dialog, are left alone.
std::future<AnsweredBox> answer_message_box(int button, DWORD timeout_ms = 10000);

#endif
