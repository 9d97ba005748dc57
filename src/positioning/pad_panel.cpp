#include "pad_panel.h"

#include "common/result_report.h"
#include "resources/resource_ids.h"

PadState g_pad_state = {};
PadRectangles g_pad_rectangles = {};

namespace {

HWND g_pad_panel = nullptr;        // the job panel: where the keys are drawn
HWND g_calibration_dialog = nullptr;

// Each key's icons, in PadButton order.
struct KeyIcons {
    int normal, pressed, disabled;
};
constexpr KeyIcons KEY_ICONS[PAD_BUTTON_COUNT] = {
    {IDI_PAD_UP, IDI_PAD_UP_PRESSED, IDI_PAD_UP_DISABLED},
    {IDI_PAD_DOWN, IDI_PAD_DOWN_PRESSED, IDI_PAD_DOWN_DISABLED},
    {IDI_PAD_LEFT, IDI_PAD_LEFT_PRESSED, IDI_PAD_LEFT_DISABLED},
    {IDI_PAD_RIGHT, IDI_PAD_RIGHT_PRESSED, IDI_PAD_RIGHT_DISABLED},
    {IDI_PAD_TEST_CUT, IDI_PAD_TEST_CUT_PRESSED, IDI_PAD_TEST_CUT_DISABLED},
    {IDI_PAD_SET_ORIGIN, IDI_PAD_SET_ORIGIN_PRESSED, IDI_PAD_SET_ORIGIN_DISABLED},
};
constexpr std::int32_t ARROW_BITS[] = {PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT};

int key_icon(const PadState& state, int button)
{
    const KeyIcons& icons = KEY_ICONS[button];
    if (button <= PAD_BUTTON_RIGHT) {
        if (state.direction_set == PAD_ARROWS_DISABLED) return icons.disabled;
        return (state.direction_set & ARROW_BITS[button]) ? icons.pressed : icons.normal;
    }
    const std::int32_t key = button == PAD_BUTTON_TEST_CUT ? state.test_cut_state : state.set_origin_state;
    if (key == PAD_BUTTON_DISABLED) return icons.disabled;
    return key == PAD_BUTTON_ARMED ? icons.pressed : icons.normal;
}

// The pad's anchor points in the template's dialog units.
constexpr RECT ARROWS_CENTRE_AND_GAP = {261, 169, 2, 0};
constexpr RECT TEST_CUT_CENTRE = {280, 82, 0, 0};
constexpr RECT SET_ORIGIN_CENTRE = {53, 204, 0, 0};

RECT converted(HWND dialog, RECT units)
{
    MapDialogRect(dialog, &units);
    return units;
}

void redraw(const PadRect& r)
{
    const RECT area = {r.left, r.top, r.right + 1, r.bottom + 1};  // the edges belong to the key
    InvalidateRect(g_pad_panel, &area, TRUE);
}

void capture_pointer() { SetCapture(g_pad_panel); }
void release_pointer() { ReleaseCapture(); }

bool confirm_test_cut()
{
    return confirmation_question(GetParent(g_pad_panel), IDQ_TEST_CUT);
}

void uncheck_use_keyboard()
{
    CheckDlgButton(g_pad_panel, IDC_USE_KEYBOARD, BST_UNCHECKED);
    if (g_calibration_dialog != nullptr) {
        CheckDlgButton(g_calibration_dialog, IDC_CALIBRATION_USE_KEYBOARD, BST_UNCHECKED);
    }
}

bool use_keyboard_checked()
{
    return IsDlgButtonChecked(g_pad_panel, IDC_USE_KEYBOARD) == BST_CHECKED ||
           (g_calibration_dialog != nullptr &&
            IsDlgButtonChecked(g_calibration_dialog, IDC_CALIBRATION_USE_KEYBOARD) == BST_CHECKED);
}

constexpr PadSurface PROGRAM_SURFACE = {redraw, capture_pointer, release_pointer, confirm_test_cut,
                                        uncheck_use_keyboard, use_keyboard_checked};

}  // namespace

const PadSurface& pad_surface()
{
    return PROGRAM_SURFACE;
}

void lay_out_button_pad(HWND panel)
{
    g_pad_panel = panel;
    g_pad_state = PadState{};
    const HWND main_window = GetParent(panel);
    const RECT arrows = converted(main_window, ARROWS_CENTRE_AND_GAP);
    const RECT test_cut = converted(main_window, TEST_CUT_CENTRE);
    const RECT set_origin = converted(main_window, SET_ORIGIN_CENTRE);
    g_pad_rectangles = lay_out_pad_rectangles(PadAnchors{arrows.left, arrows.top, arrows.right,
                                                         test_cut.left, test_cut.top,
                                                         set_origin.left, set_origin.top});
}

namespace {

// Each key icon is loaded once: the system keeps icons loaded with LoadIconA for the life of the
// program, and looking one up again at every repaint cost more than drawing it.
HICON key_icon_handle(int id)
{
    static HICON loaded[IDI_PAD_LAST - IDI_PAD_FIRST + 1] = {};
    HICON& icon = loaded[id - IDI_PAD_FIRST];
    if (icon == nullptr) {
        icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    }
    return icon;
}

void draw_pad_keys(HDC dc, const PadState& state, const PadRectangles& rectangles)
{
    for (int button = 0; button < PAD_BUTTON_COUNT; ++button) {
        DrawIcon(dc, rectangles.button[button].left, rectangles.button[button].top,
                 key_icon_handle(key_icon(state, button)));
    }
}

// Set when the panel's erase drew the keys: the paint that caused the erase then has them already.
bool g_keys_drawn_by_erase = false;

}  // namespace

void paint_pad(HWND panel, PadState state, const PadRectangles& rectangles)
{
    PAINTSTRUCT paint;
    g_keys_drawn_by_erase = false;
    const HDC dc = BeginPaint(panel, &paint);
    // An erase sent by this BeginPaint drew the keys with the same clipping as this paint.
    if (!g_keys_drawn_by_erase) {
        draw_pad_keys(dc, state, rectangles);
    }
    EndPaint(panel, &paint);
}

void erase_pad_background(HWND panel, HDC dc)
{
    // The system may erase the panel in one step and leave nothing to paint in the next (Wine
    // does so when two repaints of the panel meet): the keys go with every erase so that the pad
    // never stands empty.
    RECT client;
    GetClientRect(panel, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
    draw_pad_keys(dc, g_pad_state, g_pad_rectangles);
    g_keys_drawn_by_erase = true;
}

ResultCode route_pad_pointer(UINT message, LPARAM lparam, const CutterLink& link)
{
    // Client coordinates, signed: with the mouse captured they can lie left of or above the panel.
    const std::int32_t x = static_cast<std::int16_t>(LOWORD(lparam));
    const std::int32_t y = static_cast<std::int16_t>(HIWORD(lparam));
    switch (message) {
    case WM_LBUTTONDOWN:
        return press_pad(x, y, &g_pad_state, g_pad_rectangles, link, PROGRAM_SURFACE);
    case WM_LBUTTONUP:
        return release_pad(x, y, &g_pad_state, g_pad_rectangles, link, PROGRAM_SURFACE);
    case WM_MOUSEMOVE:
        track_pad_pointer(x, y, &g_pad_state, g_pad_rectangles, PROGRAM_SURFACE);
        break;
    }
    return RC_SUCCESS;
}

void use_keyboard_clicked()
{
    keyboard_jog_toggle(&g_pad_state, PROGRAM_SURFACE);
}

ResultCode release_pad_on_deactivation(HWND dialog, int box, const CutterLink& link)
{
    const ResultCode code = end_pad_input(&g_pad_state, g_pad_rectangles, link, PROGRAM_SURFACE);
    CheckDlgButton(dialog, box, BST_UNCHECKED);
    return code;
}

void set_pad_calibration_dialog(HWND dialog)
{
    g_calibration_dialog = dialog;
}

HWND pad_job_panel()
{
    return g_pad_panel;
}
