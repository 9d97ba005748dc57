#include "main_window.h"

#include "controller.h"
#include "win_text.h"

HWND g_main_window = nullptr;

namespace {

// Dark blue behind everything, white behind the guide's text.
constexpr COLORREF BACKGROUND_COLOUR = RGB(0, 29, 160);
constexpr COLORREF TEXT_AREA_COLOUR = RGB(255, 255, 255);
constexpr COLORREF CURRENT_STEP_COLOUR = RGB(255, 64, 192);
constexpr COLORREF CAPTION_COLOUR = RGB(255, 255, 255);

HBRUSH g_background_brush = nullptr;
HBRUSH g_text_area_brush = nullptr;
int g_guide_step = 0;

BOOL init_main_window(HWND window)
{
    g_main_window = window;
    g_background_brush = CreateSolidBrush(BACKGROUND_COLOUR);
    g_text_area_brush = CreateSolidBrush(TEXT_AREA_COLOUR);

    build_program_paths();
    SetWindowTextA(window, load_text(IDS_APP_TITLE).c_str());
    SendMessageA(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(g_instance, MAKEINTRESOURCEA(IDI_CONTROLLER))));
    return FALSE;
}

INT_PTR colour_static(HDC dc, HWND control)
{
    const int id = GetDlgCtrlID(control);
    if (id >= IDC_GUIDE_STEP_FIRST && id <= IDC_GUIDE_STEP_LAST) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, id == IDC_GUIDE_STEP_FIRST + g_guide_step ? CURRENT_STEP_COLOUR
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

// The ends of a run (saving, cut confirmation) come with the cut sequence; until then closing
// the window only gives the starting program its end value.
BOOL on_close(HWND window)
{
    EndDialog(window, g_launch_options.CutMode != 0 ? 1 : 0);
    return FALSE;
}

BOOL on_destroy()
{
    DeleteObject(g_background_brush);
    DeleteObject(g_text_area_brush);
    g_background_brush = nullptr;
    g_text_area_brush = nullptr;
    g_main_window = nullptr;
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:     return init_main_window(window);
    case WM_CTLCOLORDLG:    return reinterpret_cast<INT_PTR>(g_background_brush);
    case WM_CTLCOLORSTATIC: return colour_static(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CLOSE:          return on_close(window);
    case WM_DESTROY:        return on_destroy();
    }
    return FALSE;
}
