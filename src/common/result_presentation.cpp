#include "result_presentation.h"

#include <cstdio>

const ResultCode ALL_RESULT_CODES[] = {
    RC_GENERAL_ERROR, RC_ALREADY_ACTIVE, RC_USB_LIBRARY_MISSING, RC_USB_ENTRY_MISSING,
    RC_PRINTER_LIST_NO_MEMORY, RC_PRINTER_OPEN_FAILED, RC_PRINTER_JOBS_QUEUED,
    RC_CANNOT_COMMUNICATE, RC_TRANSFER_TIMEOUT, RC_BUFFER_CHECK_FAILED, RC_BUFFER_NOT_FREE,
    RC_MEDIA_LIST_MISSING, RC_OTHER_MODEL,
    RC_VERSION_QUERY_FAILED, RC_READY_QUERY_FAILED, RC_MANUAL_MARK_READ_FAILED,
    RC_SENSOR_QUERY_FAILED, RC_FEED_QUERY_FAILED,
    RC_ALL_CONDITIONS_FAILED, RC_CONDITION_NUMBER_FAILED, RC_CUT_SPEED_FAILED,
    RC_CUT_PRESSURE_FAILED, RC_CUTTER_OFFSET_FAILED, RC_THICK_MEDIA_FAILED,
    RC_ORIENTATION_FAILED, RC_TEST_CUT_FAILED, RC_SET_ORIGIN_FAILED, RC_BLADE_MOVE_FAILED,
    RC_SENSOR_WRITE_FAILED, RC_SENSOR_SCAN_FAILED, RC_FEED_WRITE_FAILED,
    RC_AUTO_MARK_SEARCH_FAILED, RC_MARK_SIZE_FAILED, RC_TRACK_ENHANCING_FAILED,
    RC_START_NOTICE_FAILED,
    RC_HORIZONTAL_970_MM, RC_HORIZONTAL_38_IN, RC_HORIZONTAL_192_MM, RC_HORIZONTAL_7_IN,
    RC_VERTICAL_192_MM, RC_VERTICAL_7_IN, RC_VERTICAL_970_MM, RC_VERTICAL_38_IN,
    RC_MARK_READ_FAILURE, RC_FEED_CORRECTION_RANGE, RC_AUTO_MARK_READ_FAILURE,
    RC_ANIMATION_START_FAILED,
    RC_ORIENTATION_OPTION, RC_DISTANCE_OPTION, RC_MARK_SIZE_OPTION, RC_MEDIA_LIMIT_REACHED,
    RC_MEDIA_NAME_UNUSABLE,
};
const std::size_t RESULT_CODE_COUNT = sizeof ALL_RESULT_CODES / sizeof ALL_RESULT_CODES[0];

Presentation presentation_of(ResultCode code)
{
    // Values of the input or of the job that the user can put right.
    if (code == RC_ALREADY_ACTIVE || (code >= RC_HORIZONTAL_970_MM && code <= RC_AUTO_MARK_READ_FAILURE) ||
        (code >= RC_ORIENTATION_OPTION && code <= RC_MEDIA_NAME_UNUSABLE)) {
        return Presentation::Exclamation;
    }
    if (code == RC_CANNOT_COMMUNICATE || code == RC_OTHER_MODEL) {
        return Presentation::PictureDialog;
    }
    return Presentation::Stop;
}

void format_result_text(const char* message, ResultCode code, char* out, std::size_t size)
{
    if (size == 0) {
        return;
    }
    std::snprintf(out, size, "%s [code = %d]", message, static_cast<int>(code));
}

QuestionIcon question_icon(int question_id)
{
    return question_id == IDQ_ADJUSTMENT_WARNING ? QuestionIcon::Information : QuestionIcon::Question;
}
