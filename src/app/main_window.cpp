#include "main_window.h"


#include "app/controller.h"
#include "calibration/calibration_dialog.h"
#include "calibration/calibration_values.h"
#include "common/result_report.h"
#include "common/win_text.h"
#include "device/cutter_protocol.h"
#include "device/usb_transport.h"
#include "guide/animated_instructions.h"
#include "guide/guide_steps.h"
#include "guide/operation_guide.h"
#include "positioning/input_filters.h"
#include "positioning/pad_panel.h"
#include "settings/media_files.h"
#include "settings/settings_file.h"
#include "workflow/cut_sequence.h"
#include "workflow/job_panel.h"
#include "workflow/mark_distances.h"
#include "workflow/run_end.h"
#include "workflow/small_dialogs.h"

HWND g_main_window = nullptr;

namespace {

// Dark blue behind everything, white behind the guide's text, the current step in pink.
constexpr COLORREF BACKGROUND_COLOUR = RGB(0, 29, 160);
constexpr COLORREF TEXT_AREA_COLOUR = RGB(255, 255, 255);
constexpr COLORREF CURRENT_STEP_COLOUR = RGB(255, 64, 192);
constexpr COLORREF CAPTION_COLOUR = RGB(255, 255, 255);

constexpr LONG BOLD = 700;
constexpr LONG MESSAGE_FONT_HEIGHT = 8;

HBRUSH g_background_brush = nullptr;
HBRUSH g_text_area_brush = nullptr;
HFONT g_title_font = nullptr;
HFONT g_step_font = nullptr;
HFONT g_message_font = nullptr;

ScreenRect screen_rect_of(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

LONG pixel_height_of(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

// A font made from the stock GUI font with the given height (0: keep) and weight (0: keep).
HFONT make_font(LONG height, LONG weight)
{
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    if (height != 0) {
        font.lfHeight = height;
    }
    if (weight != 0) {
        font.lfWeight = weight;
    }
    return CreateFontIndirectA(&font);
}

void set_font(HWND window, int control, HFONT font)
{
    SendDlgItemMessageA(window, control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void create_fonts(HWND window)
{
    g_title_font = make_font(pixel_height_of(GetDlgItem(window, IDC_VERSION_CAPTION)), BOLD);
    g_step_font = make_font(pixel_height_of(GetDlgItem(window, IDC_GUIDE_STEP_FIRST)), BOLD);
    g_message_font = make_font(MESSAGE_FONT_HEIGHT, 0);
    set_font(window, IDC_VERSION_CAPTION, g_title_font);
    set_font(window, IDC_GUIDE_TITLE, g_title_font);
    for (int id = IDC_GUIDE_STEP_FIRST; id <= IDC_GUIDE_SEPARATOR_LAST; ++id) {
        set_font(window, id, g_step_font);
    }
    set_font(window, IDC_GUIDE_MESSAGE, g_message_font);
}

void show_version_caption(HWND window, const Settings& settings)
{
    const std::string caption = load_text(IDS_VERSION_PREFIX) + settings.FirmwareVersion;
    SetDlgItemTextA(window, IDC_VERSION_CAPTION, caption.c_str());
}

JobPanelEnvironment panel_environment(HWND window)
{
    return JobPanelEnvironment{window, &g_cutter_link, &g_program_paths, &g_launch_options};
}

std::int32_t selected_configuration_mode()
{
    return media_at(g_media_library, g_settings.CutCondition).ConfigurationMode;
}

// Opens the link to the cutter, reads what it knows and the settings, and builds the window.
// The cutter sees, in this order: ESC 0x04, ESC 0x05, TT, FG, FW, !, *0, FC, FY, FE, TB71, FA.
ResultCode start_up_main_window(HWND window)
{
    build_program_paths();
    SetWindowTextA(window, load_text(IDS_APP_TITLE).c_str());
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_CONTROLLER))));

    ResultCode code = create_transfer_events();
    if (code == RC_SUCCESS) code = load_usb_library(g_demo_mode);
    if (code == RC_SUCCESS) code = find_cutter_printers(g_demo_mode);
    if (code != RC_SUCCESS) return code;

    reset_animated_instructions();

    const CutterLink& link = g_cutter_link;
    code = buffer_check(link);
    if (code == RC_SUCCESS) code = start_notice_command(link);
    if (code == RC_SUCCESS) code = version_query(link, g_settings.FirmwareVersion);
    if (code != RC_SUCCESS) return code;

    const SettingsSources sources{g_program_paths.SettingsFile, g_program_paths.MediaDirectory,
                                  check_mark_distances};
    code = read_settings(sources, link, &g_launch_options, &g_settings, &g_media_library);
    if (code != RC_SUCCESS) return code;

    code = sensor_position_query(link, &g_calibration_values.SensorCorrectionX,
                                 &g_calibration_values.SensorCorrectionY);
    if (code == RC_SUCCESS) code = feed_correction_query(link, &g_calibration_values.FeedCorrection);
    if (code != RC_SUCCESS) return code;

    create_fonts(window);
    show_version_caption(window, g_settings);
    g_settings.MainWindowRect = screen_rect_of(window);
    g_settings.GuideAreaRect = screen_rect_of(GetDlgItem(window, IDC_GUIDE_AREA));
    g_settings.GuideStep = FIRST_GUIDE_STEP;

    create_job_panel(panel_environment(window));
    show_guide_step(window, g_job_panel, &g_settings, g_launch_options, &g_pad_state,
                    g_pad_rectangles, selected_configuration_mode());
    const ScreenRect& full = g_settings.MainWindowRect;
    install_input_filters(InputFilterSetup{window, &g_cutter_link, full.right - full.left,
                                           full.bottom - full.top, calibration_dialog_proc});
    return RC_SUCCESS;
}

BOOL init_main_window(HWND window)
{
    g_main_window = window;
    set_report_main_window(window);
    g_background_brush = CreateSolidBrush(BACKGROUND_COLOUR);
    g_text_area_brush = CreateSolidBrush(TEXT_AREA_COLOUR);

    const ResultCode code = start_up_main_window(window);
    if (code != RC_SUCCESS) {
        report_result(window, code);
        shut_down_controller(window, END_START_FAILED);
    } else {
        mark_start_up_complete();
        if (g_launch_options.LaunchResult != RC_SUCCESS) {
            // An option the printing side got wrong: said once, the stored value stays in force.
            report_result(window, g_launch_options.LaunchResult);
        }
    }
    // Without its Close item the caption's close button is disabled too.
    RemoveMenu(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
    return FALSE;
}

INT_PTR colour_static(HDC dc, HWND control)
{
    const int id = GetDlgCtrlID(control);
    if (id >= IDC_GUIDE_STEP_FIRST && id <= IDC_GUIDE_STEP_LAST) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, id == IDC_GUIDE_STEP_FIRST + g_settings.GuideStep ? CURRENT_STEP_COLOUR
                                                                            : CAPTION_COLOUR);
        return reinterpret_cast<INT_PTR>(g_background_brush);
    }
    if ((id >= IDC_GUIDE_SEPARATOR_FIRST && id <= IDC_GUIDE_SEPARATOR_LAST) ||
        id == IDC_VERSION_CAPTION) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, CAPTION_COLOUR);
        return reinterpret_cast<INT_PTR>(g_background_brush);
    }
    if (id == IDC_GUIDE_TEXT_BACKGROUND || id == IDC_GUIDE_TITLE || id == IDC_GUIDE_MESSAGE) {
        return reinterpret_cast<INT_PTR>(g_text_area_brush);
    }
    return FALSE;
}

void after_guide_move(HWND window)
{
    if (g_settings.GuideStep == MEDIA_LOADING_STEP) {
        run_media_loading_dialog(window, g_settings.PosSet, g_settings.Direction);
    }
}

BOOL on_command(HWND window, int id)
{
    const bool cut_mode = g_launch_options.CutMode != 0;
    if ((id == IDOK || id == IDCANCEL) && !start_up_complete()) {
        // Reached while a start-up failure is shown: that failure ends the run, with nothing
        // cut and nothing saved.
        return FALSE;
    }
    switch (id) {
    case IDOK:
        if (cut_mode) {
            const ResultCode code =
                confirm_cut(panel_environment(window), g_job_panel, &g_settings, g_media_library);
            if (code != RC_SUCCESS) {
                report_result(window, code);
            }
        } else {
            save_and_close(window, g_program_paths, g_settings, END_CLOSED, g_media_library);
        }
        break;
    case IDCANCEL:
        if (cut_mode) {
            save_and_close(window, g_program_paths, g_settings, END_CANCELLED,
                           g_media_library);
        }
        break;
    case IDC_GUIDE_PREVIOUS:
        previous_guide_step(window, g_job_panel, &g_settings, g_launch_options, &g_pad_state,
                            g_pad_rectangles, selected_configuration_mode());
        after_guide_move(window);
        break;
    case IDC_GUIDE_NEXT:
        next_guide_step(window, g_job_panel, &g_settings, g_launch_options, &g_pad_state,
                        g_pad_rectangles, selected_configuration_mode());
        after_guide_move(window);
        break;
    case IDC_GUIDE_TOGGLE:
        toggle_guide(window, g_job_panel, &g_settings, g_launch_options, &g_pad_state,
                     g_pad_rectangles, selected_configuration_mode());
        break;
    }
    return FALSE;
}

// Only a plain loss of activation (wParam 0) counts: the one that comes with minimising carries
// a non-zero high word and leaves the pad as it is.
BOOL on_activate(WPARAM state)
{
    if (state == WA_INACTIVE && g_job_panel != nullptr) {
        // Leaving the window stops a moving blade and ends keyboard jogging.
        const ResultCode code = release_pad_on_deactivation(g_job_panel, IDC_USE_KEYBOARD, g_cutter_link);
        if (code != RC_SUCCESS) {
            report_result(g_main_window, code);
        }
    }
    return FALSE;
}

BOOL on_close(HWND window)
{
    if (!start_up_complete()) {
        return FALSE;  // the start-up failure being shown ends the run
    }
    save_and_close(window, g_program_paths, g_settings,
                   g_launch_options.CutMode != 0 ? END_CANCELLED : END_CLOSED, g_media_library);
    return FALSE;
}

template <typename Handle>
void delete_gdi_object(Handle* handle)
{
    if (*handle != nullptr) {
        DeleteObject(*handle);
        *handle = nullptr;
    }
}

BOOL on_destroy()
{
    delete_gdi_object(&g_background_brush);
    delete_gdi_object(&g_text_area_brush);
    delete_gdi_object(&g_title_font);
    delete_gdi_object(&g_step_font);
    delete_gdi_object(&g_message_font);
    g_main_window = nullptr;
    set_report_main_window(nullptr);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:     return init_main_window(window);
    case WM_CTLCOLORDLG:    return reinterpret_cast<INT_PTR>(g_background_brush);
    case WM_CTLCOLORSTATIC: return colour_static(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_COMMAND:        return on_command(window, LOWORD(wparam));
    case WM_ACTIVATE:       return on_activate(wparam);
    case WM_CLOSE:          return on_close(window);
    case WM_DESTROY:        return on_destroy();
    }
    return FALSE;
}
