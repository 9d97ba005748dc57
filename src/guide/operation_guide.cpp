#include "operation_guide.h"

#include "common/win_text.h"
#include "guide_layout.h"
#include "guide_steps.h"

namespace {

// Where each decision of the layout is applied.
enum class Host { MainWindow, JobPanel };
struct ControlPlace {
    GuideControl control;
    Host         host;
    int          id;
};
constexpr ControlPlace GUIDE_CONTROL_PLACES[] = {
    {GUIDE_PREVIOUS,        Host::MainWindow, IDC_GUIDE_PREVIOUS},
    {GUIDE_NEXT,            Host::MainWindow, IDC_GUIDE_NEXT},
    {GUIDE_TOGGLE,          Host::MainWindow, IDC_GUIDE_TOGGLE},
    {PANEL_ADD_MEDIA,       Host::JobPanel,   IDC_ADD_MEDIA},
    {PANEL_TRACK_ENHANCING, Host::JobPanel,   IDC_TRACK_ENHANCING},
    {PANEL_SEARCH_MARK,     Host::JobPanel,   IDC_SEARCH_MARK},
};

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
    const GuideTextLayout layout = guide_text_layout(settings, options);
    set_text(main_window, IDC_GUIDE_TITLE, layout.TitleId);
    set_text(main_window, IDC_GUIDE_MESSAGE, layout.TextId);
    SetWindowPos(main_window, nullptr, 0, 0, layout.WindowWidth, layout.WindowHeight, SWP_NOMOVE);
    for (const ControlPlace& place : GUIDE_CONTROL_PLACES) {
        HWND control = GetDlgItem(place.host == Host::MainWindow ? main_window : job_panel, place.id);
        const Switch enabled = layout.Enabled[place.control];
        if (enabled != Switch::Keep) {
            EnableWindow(control, enabled == Switch::On);
        }
        const Switch visible = layout.Visible[place.control];
        if (visible != Switch::Keep) {
            ShowWindow(control, visible == Switch::On ? SW_SHOWNORMAL : SW_HIDE);
        }
    }
    if (layout.ToggleTextId != 0) {
        set_text(main_window, IDC_GUIDE_TOGGLE, layout.ToggleTextId);
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
