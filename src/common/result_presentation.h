// How a result code or a question is put before the user; the window calls live in
// result_report.cpp.
#ifndef CUTTER_RESULT_PRESENTATION_H
#define CUTTER_RESULT_PRESENTATION_H

#include <cstddef>

#include "result_code.h"

enum class Presentation {
    Exclamation,     // a value the user can correct
    Stop,            // everything else
    PictureDialog,   // the cutter cannot be reached: beep and the picture of cable and LED
};

enum class QuestionIcon { Question, Information };

constexpr std::size_t TEXT_LIMIT = 512;  // a loaded string: at most 511 characters

Presentation presentation_of(ResultCode code);

// The message followed by " [code = N]", as every result message is shown; always terminated.
void format_result_text(const char* message, ResultCode code, char* out, std::size_t size);

QuestionIcon question_icon(int question_id);

// Every result code the program can return, in ascending order; each has its own string.
extern const ResultCode ALL_RESULT_CODES[];
extern const std::size_t RESULT_CODE_COUNT;

#endif
