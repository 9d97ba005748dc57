#include "operation_guide.h"

#include "common/win_text.h"
#include "guide_steps.h"

namespace {

int width_of(const ScreenRect& r) { return r.right - r.left; }
int height_of(const ScreenRect& r) { return r.bottom - r.top; }

void show(HWND dialog, int control, bool visible)
{
    ShowWindow(GetDlgItem(dialog, control), visible ? SW_SHOWNORMAL : SW_HIDE);
}

void set_text(HWND dialog, int control, int string_id)
{
    SetDlgItemTextA(dialog, control, load_text(static_cast<UINT>(string_id)).c_str());
}

// The main window recolours the step names when they are painted again.
void invalidate_step_names(HWND main_window)
{
    for (int id = IDC_GUIDE_STEP_FIRST; id <= IDC_GUIDE_STEP_LAST; ++id) {
        RECT r;
        GetWindowRect(GetDlgItem(main_window, id), &r);
        MapWindowPoints(nullptr, main_window, reinterpret_cast<POINT*>(&r), 2);
        InvalidateRect(main_window, &r, FALSE);
    }
}

}  // namespace

void show_guide_text(HWND main_window, HWND job_panel, const Settings& settings,
                     const LaunchOptions& options)
{
    const int step = settings.GuideStep;
    set_text(main_window, IDC_GUIDE_TITLE, guide_title_id(step));
    set_text(main_window, IDC_GUIDE_MESSAGE,
             guide_text_id(step, settings.PosSet, settings.TomboAutoRead));
    EnableWindow(GetDlgItem(main_window, IDC_GUIDE_PREVIOUS), step != FIRST_GUIDE_STEP);
    EnableWindow(GetDlgItem(main_window, IDC_GUIDE_NEXT), step != LAST_GUIDE_STEP);

    const ScreenRect& full = settings.MainWindowRect;
    if (settings.GuideMenu == 0) {
        // Hidden: the guide area falls below the shortened window.
        SetWindowPos(main_window, nullptr, 0, 0, width_of(full),
                     height_of(full) - height_of(settings.GuideAreaRect), SWP_NOMOVE);
        show(main_window, IDC_GUIDE_PREVIOUS, false);
        show(main_window, IDC_GUIDE_NEXT, false);
        if (settings.FileMediaMode == 0) {
            // Firmware before 2.0 has neither the guide nor these functions.
            show(main_window, IDC_GUIDE_TOGGLE, false);
            show(job_panel, IDC_ADD_MEDIA, false);
            show(job_panel, IDC_TRACK_ENHANCING, false);
            show(job_panel, IDC_SEARCH_MARK, false);
        } else {
            if (options.CutMode == 0) {
                show(main_window, IDC_GUIDE_TOGGLE, false);
            }
            set_text(main_window, IDC_GUIDE_TOGGLE, IDS_SHOW_GUIDE);
        }
    } else {
        SetWindowPos(main_window, nullptr, 0, 0, width_of(full), height_of(full), SWP_NOMOVE);
        show(main_window, IDC_GUIDE_PREVIOUS, true);
        show(main_window, IDC_GUIDE_NEXT, true);
        set_text(main_window, IDC_GUIDE_TOGGLE, IDS_HIDE_GUIDE);
    }
    invalidate_step_names(main_window);
}

void show_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, std::int32_t /*configuration_mode*/)
{
    // Which job-panel controls each step makes available comes with the job panel's logic.
    show_guide_text(main_window, job_panel, *settings, options);
}

void previous_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                         const LaunchOptions& options, std::int32_t configuration_mode)
{
    if (settings->GuideStep != FIRST_GUIDE_STEP) {
        --settings->GuideStep;
        show_guide_step(main_window, job_panel, settings, options, configuration_mode);
    }
}

void next_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, std::int32_t configuration_mode)
{
    if (settings->GuideStep != LAST_GUIDE_STEP) {
        ++settings->GuideStep;
        show_guide_step(main_window, job_panel, settings, options, configuration_mode);
    }
}

void toggle_guide(HWND main_window, HWND job_panel, Settings* settings,
                  const LaunchOptions& options, std::int32_t configuration_mode)
{
    settings->GuideMenu = settings->GuideMenu == 0 ? 1 : 0;
    show_guide_step(main_window, job_panel, settings, options, configuration_mode);
}
