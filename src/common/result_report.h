// Telling the user about a result code, and asking the program's yes-or-no questions.
#ifndef CUTTER_RESULT_REPORT_H
#define CUTTER_RESULT_REPORT_H

#include <windows.h>

#include "result_code.h"

// Shows the message of a non-zero code: an exclamation box, a stop box, or (cutter out of reach)
// a beep and the picture dialog over `owner` (the main window while it exists).
void report_result(HWND owner, ResultCode code);

// Asks question 2100 to 2105 with OK and Cancel; true only when the user chose OK.
bool confirmation_question(HWND owner, int question_id);

// Dialog procedure of the "cannot communicate" picture dialog; its creation parameter is the code.
INT_PTR CALLBACK cannot_communicate_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

#endif
