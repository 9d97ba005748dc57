// Telling the user about a result code, and asking the program's yes-or-no questions.
#ifndef CUTTER_RESULT_REPORT_H
#define CUTTER_RESULT_REPORT_H

#include <windows.h>

#include "result_code.h"

// Shows the message of a non-zero code: an exclamation box or a stop box over `owner`, or (cutter
// out of reach) a beep and the picture dialog, which always belongs to the main window while one
// is set, whoever asked.
void report_result(HWND owner, ResultCode code);
// The main window for the picture dialog; nullptr once it has gone.
void set_report_main_window(HWND main_window);

// Asks question 2100 to 2105 with OK and Cancel; true only when the user chose OK.
bool confirmation_question(HWND owner, int question_id);

// Dialog procedure of the "cannot communicate" picture dialog; its creation parameter is the code.
INT_PTR CALLBACK cannot_communicate_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#endif
