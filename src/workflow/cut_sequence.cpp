#include "cut_sequence.h"

#include "common/result_report.h"
#include "common/win_text.h"
#include "mark_distance_entries.h"
#include "run_end.h"

namespace {

// The cutter answered that the marks were not read: not an error, a question to the user.
constexpr ResultCode NOT_READY = RC_GENERAL_ERROR;

// Throws away what the user clicked or typed while the cutter was busy, up to the next paint.
void discard_queued_input(HWND main_window)
{
    MSG message;
    while (PeekMessageA(&message, main_window, 0, 0, PM_REMOVE)) {
        if (message.message == WM_PAINT) {
            break;
        }
    }
}

}  // namespace

ResultCode read_registration_marks(const JobPanelEnvironment& environment, HWND job_panel,
                                   Settings* settings)
{
    HWND main_window = environment.main_window;
    if (settings->TomboAutoRead == 0 && !confirmation_question(main_window, IDQ_MOVE_TO_READABLE_RANGE)) {
        return RC_SUCCESS;
    }
    DistanceEntries entries;
    const ResultCode valid = validate_distance_entries(job_panel, *settings, &entries);
    if (valid != RC_SUCCESS) {
        return valid;
    }
    const MarkDistances distances =
        parse_mark_distances(entries.HorizontalText, entries.VerticalText, settings->Unit);
    show_mark_distances(job_panel, distances.Horizontal, distances.Vertical, settings->Unit);

    SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    const ResultCode code =
        settings->TomboAutoRead != 0
            ? automatic_mark_read(*environment.link, settings->MarkReadArg, distances.Horizontal,
                                  distances.Vertical)
            : manual_mark_read(*environment.link, settings->MarkReadArg, distances.Horizontal,
                               distances.Vertical);
    if (code == RC_SUCCESS) {
        settings->TomboDisX = distances.Horizontal;
        settings->TomboDisY = distances.Vertical;
        HWND owner = owner_window(*environment.options);
        if (environment.options->OwnerGiven == 1 && owner != nullptr) {
            SetForegroundWindow(owner);
            SetFocus(owner);
        }
    }
    discard_queued_input(main_window);
    SetForegroundWindow(main_window);
    SetFocus(main_window);
    return code;
}

ResultCode confirm_cut(const JobPanelEnvironment& environment, HWND job_panel, Settings* settings,
                       const MediaLibrary& library)
{
    HWND main_window = environment.main_window;
    const LaunchOptions& options = *environment.options;
    if (options.CutMode == 1 && options.NoRegistrationMarks != 1) {
        if (settings->TomboAutoRead != 0 && settings->PosSet != 0) {
            const ResultCode read = read_registration_marks(environment, job_panel, settings);
            if (read != RC_SUCCESS) {
                return read;
            }
        }
        const ResultCode ready = ready_query(*environment.link);
        if (ready == NOT_READY) {
            if (!confirmation_question(main_window, IDQ_CUT_WITHOUT_MARKS)) {
                return RC_SUCCESS;
            }
        } else if (ready != RC_SUCCESS) {
            return ready;
        }
    }
    save_and_close(main_window, *environment.paths, *settings, END_CUT_CONFIRMED, library);
    return RC_SUCCESS;
}
