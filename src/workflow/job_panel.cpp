#include "job_panel.h"

#include <cstdio>
#include <string>

#include "common/result_report.h"
#include "common/win_text.h"
#include "calibration/calibration_dialog.h"
#include "guide/animated_instructions.h"
#include "guide/operation_guide.h"
#include "positioning/pad_panel.h"
#include "resources/resource_ids.h"
#include "settings/add_media_dialog.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"
#include "workflow/cut_sequence.h"
#include "workflow/job_panel_rules.h"
#include "workflow/mark_distance_entries.h"
#include "workflow/small_dialogs.h"

HWND g_job_panel = nullptr;

namespace {

JobPanelEnvironment g_environment{};

// The help topic of the job panel in the help file.
constexpr DWORD JOB_PANEL_HELP_CONTEXT = 98304;

static_assert(BAR_LINE_LEFT == SB_LINELEFT && BAR_LINE_RIGHT == SB_LINERIGHT && BAR_PAGE_LEFT == SB_PAGELEFT &&
                  BAR_PAGE_RIGHT == SB_PAGERIGHT && BAR_THUMB_POSITION == SB_THUMBPOSITION &&
                  BAR_THUMB_TRACK == SB_THUMBTRACK,
              "the bars' scroll codes are the platform's");

HINSTANCE resources() { return resource_instance(); }

const CutterLink& link() { return *g_environment.link; }

HWND owner() { return g_environment.main_window; }

void report(ResultCode code)
{
    if (code != RC_SUCCESS) {
        report_result(owner(), code);
    }
}

// The record at CutCondition, which the bars change (the first one for an index outside the
// library, as media_at gives it).
MediaRecord& selected_media()
{
    const std::int32_t index = g_settings.CutCondition;
    return g_media_library.Media[index >= 0 && index < g_media_library.Count ? index : 0];
}

bool is_checked(HWND panel, int id) { return IsDlgButtonChecked(panel, id) == BST_CHECKED; }

void check(HWND panel, int id, bool on) { CheckDlgButton(panel, id, on ? BST_CHECKED : BST_UNCHECKED); }

// ---- What other parts of the program do for the panel ----------------------------------------
// The operation guide decides which controls are available and checked after a change, and the
// button pad draws and drives the jog, test-cut and set-origin buttons. Each is reached through
// one of these call points.

void refresh_guide_step(HWND panel)
{
    show_guide_step(owner(), panel, &g_settings, *g_environment.options, &g_pad_state, g_pad_rectangles,
                    selected_media().ConfigurationMode);
}

// After the media, "Adjust Settings" or the thickness changed: the adjustment controls, "Track
// Enhancing", the cap pictures and text.
void refresh_media_controls(HWND panel)
{
    update_media_controls(panel, &g_settings, &g_pad_state, g_pad_rectangles, selected_media().ConfigurationMode);
}

// After "Search Registration Mark" changed.
void refresh_mark_controls(HWND panel)
{
    update_mark_controls(panel, &g_settings, *g_environment.options);
}

void refresh_blade_position(HWND panel)
{
    update_blade_position(panel, g_settings, &g_pad_state, g_pad_rectangles);
}

// After the orientation changed: the picture of how the sheet goes in.
void refresh_cut_button(HWND panel)
{
    update_cut_button(panel, g_settings, *g_environment.options);
}

// The Pad state set to zeros and the pad's rectangles laid out.
void reset_button_pad(HWND panel) { lay_out_button_pad(panel); }

// The pad's own messages: drawing, the pointer, and "Use Keyboard".
void paint_button_pad(HWND panel) { paint_pad(panel, g_pad_state, g_pad_rectangles); }
ResultCode route_to_button_pad(UINT message, LPARAM lparam) { return route_pad_pointer(message, lparam, link()); }
void toggle_keyboard_jogging() { use_keyboard_clicked(); }

// "Calibration...": the dialog works on the run's corrections; its end value is a result code.
ResultCode open_calibration(HWND panel)
{
    const CalibrationEnvironment calibration{g_environment.link, &g_settings, &g_calibration_values,
                                             g_environment.paths->HelpFile, panel};
    return run_calibration_dialog(owner(), calibration);
}

// "Add Media": the dialog selects a new or updated media in the list as a user's choice would.
void open_add_media(HWND panel)
{
    run_add_media_dialog(AddMediaPlace{owner(), panel, g_environment.paths->MediaDirectory, &g_media_library,
                                       g_settings.CutCondition});
}

// ---- Start-up --------------------------------------------------------------------------------

void fill_media_list(HWND panel)
{
    for (int i = 0; i < g_media_library.Count; ++i) {
        SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(g_media_library.Media[i].Name));
    }
    SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_SETCURSEL, static_cast<WPARAM>(g_settings.CutCondition), 0);
}

// The distances and mark size the printing side gave, then the orientation. A mark size the
// cutter refuses ends the start here, unreported.
void apply_command_line(HWND panel)
{
    LaunchOptions* options = g_environment.options;
    const CommandLineValues values = take_command_line_values(g_settings.Direction, options);
    if (values.ShowDistances) {
        // The stored distances stay; the command line's reach the cutter through the edits.
        show_mark_distances(panel, values.Horizontal, values.Vertical, g_settings.Unit);
    }
    if (values.SendMarkSize && mark_size_command(link(), options->MarkSize) != RC_SUCCESS) {
        return;
    }
    if (options->CutMode == 0) {
        ShowWindow(GetDlgItem(panel, IDCANCEL), SW_HIDE);
    }
    (void)orientation_command(link(), g_settings.Direction);
}

BOOL init_job_panel(HWND panel)
{
    g_job_panel = panel;
    reset_button_pad(panel);
    fill_media_list(panel);
    SetScrollRange(GetDlgItem(panel, IDC_SPEED_BAR), SB_CTL, CONDITION_SPEED_SCALE.Minimum,
                   CONDITION_SPEED_SCALE.Maximum, TRUE);
    SetScrollRange(GetDlgItem(panel, IDC_THICKNESS_BAR), SB_CTL, CONDITION_THICKNESS_SCALE.Minimum,
                   CONDITION_THICKNESS_SCALE.Maximum, TRUE);
    SetDlgItemTextA(panel, IDC_THICKNESS_MAXIMUM, load_text(IDS_THICKNESS_MAXIMUM).c_str());
    set_thickness_caption(panel, g_settings.CutCondition);
    show_cut_conditions(panel, g_settings.ActiveSpeed, g_settings.ActivePress);
    show_mark_distances(panel, g_settings.TomboDisX, g_settings.TomboDisY, g_settings.Unit);
    apply_command_line(panel);
    return FALSE;
}

// ---- Handlers --------------------------------------------------------------------------------

void on_condition_bar(HWND panel, HWND bar_window, int scroll_code, int thumb)
{
    const int id = GetDlgCtrlID(bar_window);
    if (id != IDC_SPEED_BAR && id != IDC_THICKNESS_BAR) {
        return;
    }
    const ConditionBar bar = id == IDC_SPEED_BAR ? ConditionBar::Speed : ConditionBar::Thickness;
    MediaRecord& media = selected_media();
    const BarStep move = bar == ConditionBar::Speed ? bar_step(CONDITION_SPEED_SCALE, scroll_code, media.Speed, thumb)
                                                    : bar_step(CONDITION_THICKNESS_SCALE, scroll_code, media.Press, thumb);
    if (!move.Handled) {
        return;
    }
    if (bar == ConditionBar::Speed) {
        show_cut_conditions(panel, move.Value, media.Press);
    } else {
        show_cut_conditions(panel, media.Speed, move.Value);
    }
    if (!move.Send) {
        return;
    }
    const ResultCode code = send_condition_bar(link(), bar, move.Value, &g_settings, &media);
    if (code != RC_SUCCESS) {
        show_cut_conditions(panel, media.Speed, media.Press);
        report(code);
    } else if (bar == ConditionBar::Thickness) {
        // The thickness decides whether "Track Enhancing" is offered.
        refresh_media_controls(panel);
    }
}

void on_select_media(HWND panel)
{
    const auto index = static_cast<std::int32_t>(SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_GETCURSEL, 0, 0));
    const ResultCode code = select_media(link(), index, &g_settings, &g_media_library);
    if (code != RC_SUCCESS) {
        SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_SETCURSEL, static_cast<WPARAM>(g_settings.CutCondition), 0);
        report(code);
        return;
    }
    set_thickness_caption(panel, g_settings.CutCondition);
    show_cut_conditions(panel, g_settings.ActiveSpeed, g_settings.ActivePress);
    refresh_media_controls(panel);
}

void on_adjust_settings(HWND panel)
{
    const ResultCode code =
        toggle_adjust_settings(link(), is_checked(panel, IDC_ADJUST_SETTINGS), selected_media(), &g_settings);
    if (code != RC_SUCCESS) {
        check(panel, IDC_ADJUST_SETTINGS, g_settings.CutCondAdjust != 0);
        report(code);
        return;
    }
    show_cut_conditions(panel, g_settings.ActiveSpeed, g_settings.ActivePress);
    refresh_media_controls(panel);
}

void on_track_enhancing(HWND panel)
{
    const ResultCode code = toggle_track_enhancing(link(), is_checked(panel, IDC_TRACK_ENHANCING), &g_settings);
    if (code != RC_SUCCESS) {
        check(panel, IDC_TRACK_ENHANCING, g_settings.RollAction == 0);
        report(code);
    }
}

void on_orientation(HWND panel, std::int32_t direction, int button)
{
    bool changed = false;
    const ResultCode code = set_orientation(link(), direction, is_checked(panel, button), &g_settings, &changed);
    if (code != RC_SUCCESS) {
        // The refused button gives way to the other one, whatever the stored direction holds.
        check_radio_button(panel, IDC_LANDSCAPE, IDC_PORTRAIT,
                           button == IDC_LANDSCAPE ? IDC_PORTRAIT : IDC_LANDSCAPE);
        report(code);
    } else if (changed) {
        refresh_cut_button(panel);
    }
}

void on_registration_marks(HWND panel)
{
    g_settings.PosSet = is_checked(panel, IDC_REGISTRATION_MARKS) ? 1 : 0;
    if (g_settings.PosSet == 1) {
        show_mark_distances(panel, g_settings.TomboDisX, g_settings.TomboDisY, g_settings.Unit);
    }
    refresh_guide_step(panel);
}

void on_mark_search(HWND panel)
{
    // Inverted whatever the box shows; the guide sets the box from it.
    g_settings.TomboAutoRead = g_settings.TomboAutoRead == 0 ? 1 : 0;
    refresh_mark_controls(panel);
    refresh_blade_position(panel);
}

void open_help()
{
    WinHelpA(owner(), g_environment.paths->HelpFile, HELP_CONTEXT, JOB_PANEL_HELP_CONTEXT);
}

void on_calibration(HWND panel)
{
    if (confirmation_question(owner(), IDQ_ADJUSTMENT_WARNING)) {
        report(open_calibration(panel));
    }
}

void on_panel_command(HWND panel, int id, int notification)
{
    switch (id) {
    case IDC_MEDIA_TYPE:
        if (notification == CBN_SELENDOK) {
            on_select_media(panel);
        } else if (notification == CBN_CLOSEUP) {
            SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_SETCURSEL, static_cast<WPARAM>(g_settings.CutCondition), 0);
        }
        break;
    case IDC_ADJUST_SETTINGS:       on_adjust_settings(panel); break;
    case IDC_TRACK_ENHANCING:       on_track_enhancing(panel); break;
    case IDC_LANDSCAPE:             on_orientation(panel, DIRECTION_LANDSCAPE, IDC_LANDSCAPE); break;
    case IDC_PORTRAIT:              on_orientation(panel, DIRECTION_PORTRAIT, IDC_PORTRAIT); break;
    case IDC_REGISTRATION_MARKS:    on_registration_marks(panel); break;
    case IDC_SEARCH_MARK:           on_mark_search(panel); break;
    case IDC_UNIT_MM:               report(set_unit(panel, &g_settings, UNIT_MILLIMETRES)); break;
    case IDC_UNIT_INCH:             report(set_unit(panel, &g_settings, UNIT_INCHES)); break;
    case IDC_READ_MARKS:
        report(read_registration_marks(g_environment, panel, &g_settings));
        break;
    case IDC_USE_KEYBOARD:          toggle_keyboard_jogging(); break;
    case IDC_ANIMATED_INSTRUCTIONS: report(start_animated_instructions(g_environment.paths->AnimationProgram)); break;
    case IDC_ABOUT_BUTTON:
        DialogBoxParamA(resources(), MAKEINTRESOURCEA(IDD_ABOUT), owner(), about_dialog_proc, 0);
        break;
    case IDC_ADD_MEDIA:             open_add_media(panel); break;
    case IDC_HELP_BUTTON:           open_help(); break;
    case IDC_CALIBRATION_BUTTON:    on_calibration(panel); break;
    case IDOK:
    case IDCANCEL:
        // "Cut..." and "Cancel" end the run exactly as Enter and Escape in the main window do.
        SendMessageA(owner(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        break;
    }
}

}  // namespace

HWND create_job_panel(const JobPanelEnvironment& environment)
{
    g_environment = environment;
    return CreateDialogParamA(resources(), MAKEINTRESOURCEA(IDD_JOB_PANEL), environment.main_window,
                              job_panel_proc, 0);
}

const JobPanelEnvironment& job_panel_environment()
{
    return g_environment;
}

void show_cut_conditions(HWND panel, int speed, int thickness)
{
    SetDlgItemInt(panel, IDC_SPEED_VALUE, static_cast<UINT>(speed), TRUE);
    SetDlgItemInt(panel, IDC_THICKNESS_VALUE, static_cast<UINT>(thickness), TRUE);
    SetScrollPos(GetDlgItem(panel, IDC_SPEED_BAR), SB_CTL, speed, TRUE);
    SetScrollPos(GetDlgItem(panel, IDC_THICKNESS_BAR), SB_CTL, thickness, TRUE);
}

void set_thickness_caption(HWND panel, int index)
{
    std::string names[THIN_MEDIA_NAME_COUNT];
    const char* thin_media_names[THIN_MEDIA_NAME_COUNT];
    for (int i = 0; i < THIN_MEDIA_NAME_COUNT; ++i) {
        names[i] = load_text(THIN_MEDIA_NAME_IDS[i]);
        thin_media_names[i] = names[i].c_str();
    }
    const unsigned caption = thickness_caption_id(media_at(g_media_library, index), thin_media_names);
    SetDlgItemTextA(panel, IDC_THICKNESS_CAPTION, load_text(caption).c_str());
}

INT_PTR CALLBACK job_panel_proc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return init_job_panel(panel);
    case WM_PAINT:
        paint_button_pad(panel);
        return FALSE;
    case WM_ERASEBKGND:
        erase_pad_background(panel, reinterpret_cast<HDC>(wparam));
        SetWindowLongPtrA(panel, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_HELP:
        open_help();
        return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        // The pad takes the client position from lParam (x low, y high, signed).
        report(route_to_button_pad(message, lparam));
        return FALSE;
    case WM_LBUTTONDBLCLK:
        // Dialogs receive a quick second click as a double click: for the pad it is one more
        // press, so that two quick clicks on an arrow move the blade twice.
        report(route_to_button_pad(WM_LBUTTONDOWN, lparam));
        return FALSE;
    case WM_HSCROLL:
        on_condition_bar(panel, reinterpret_cast<HWND>(lparam), LOWORD(wparam), HIWORD(wparam));
        return FALSE;
    case WM_COMMAND:
        on_panel_command(panel, LOWORD(wparam), HIWORD(wparam));
        return FALSE;
    case WM_DESTROY:
        if (g_job_panel == panel) {
            g_job_panel = nullptr;
        }
        return FALSE;
    }
    return FALSE;
}
