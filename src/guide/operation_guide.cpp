#include "operation_guide.h"

#include <cstddef>

#include "common/win_text.h"
#include "guide_controls.h"
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

void show(HWND dialog, int control, bool visible)
{
    show_control(GetDlgItem(dialog, control), visible);
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

// The job panel's controls of each group, in the order of PanelGroup.
constexpr int MEDIA_TYPE_CONTROLS[] = {IDC_MEDIA_TYPE_LABEL, IDC_MEDIA_TYPE};
constexpr int ADJUST_SETTINGS_CONTROLS[] = {IDC_ADJUST_SETTINGS};
constexpr int ADJUSTMENT_CONTROLS[] = {
    IDC_ADD_MEDIA,
    IDC_SPEED_CAPTION, IDC_SPEED_VALUE, IDC_SPEED_MINIMUM, IDC_SPEED_MAXIMUM, IDC_SPEED_SLOW,
    IDC_SPEED_FAST, IDC_SPEED_BAR,
    IDC_THICKNESS_CAPTION, IDC_THICKNESS_VALUE, IDC_THICKNESS_MINIMUM, IDC_THICKNESS_MAXIMUM,
    IDC_THICKNESS_THIN, IDC_THICKNESS_THICK, IDC_THICKNESS_BAR,
    IDC_TEST_CUT_LABEL};
constexpr int TRACK_ENHANCING_CONTROLS[] = {IDC_TRACK_ENHANCING};
constexpr int CAP_TEXT_CONTROLS[] = {IDC_CAP_TEXT};
constexpr int ORIENTATION_CONTROLS[] = {IDC_ORIENTATION_LABEL, IDC_LANDSCAPE, IDC_PORTRAIT};
constexpr int REGISTRATION_MARKS_CONTROLS[] = {IDC_REGISTRATION_MARKS};
constexpr int MARK_SEARCH_CONTROLS[] = {IDC_SEARCH_MARK};
constexpr int MARK_DISTANCES_CONTROLS[] = {
    IDC_DISTANCES_LABEL, IDC_WIDTH_LABEL, IDC_LENGTH_LABEL, IDC_HORIZONTAL_DISTANCE,
    IDC_VERTICAL_DISTANCE, IDC_HORIZONTAL_UNIT, IDC_VERTICAL_UNIT, IDC_UNIT_MM, IDC_UNIT_INCH};
constexpr int READ_MARKS_CONTROLS[] = {IDC_READ_MARKS};
constexpr int SET_ORIGIN_CONTROLS[] = {IDC_SET_ORIGIN_LABEL};
constexpr int BLADE_POSITION_CONTROLS[] = {IDC_BLADE_POSITION_LABEL, IDC_USE_KEYBOARD};
constexpr int CUT_CONTROLS[] = {IDOK};

struct GroupControls {
    const int*  ids;
    std::size_t count;
};
template <std::size_t N>
constexpr GroupControls controls(const int (&ids)[N])
{
    return {ids, N};
}
constexpr GroupControls GROUP_CONTROLS[] = {
    controls(MEDIA_TYPE_CONTROLS),  controls(ADJUST_SETTINGS_CONTROLS),
    controls(ADJUSTMENT_CONTROLS),  controls(TRACK_ENHANCING_CONTROLS),
    controls(CAP_TEXT_CONTROLS),    controls(ORIENTATION_CONTROLS),
    controls(REGISTRATION_MARKS_CONTROLS), controls(MARK_SEARCH_CONTROLS),
    controls(MARK_DISTANCES_CONTROLS),     controls(READ_MARKS_CONTROLS),
    controls(SET_ORIGIN_CONTROLS),  controls(BLADE_POSITION_CONTROLS),
    controls(CUT_CONTROLS)};
static_assert(sizeof GROUP_CONTROLS / sizeof GROUP_CONTROLS[0] == PANEL_GROUP_COUNT,
              "controls for every group");

template <std::size_t N>
void apply_switches(HWND job_panel, const GroupSwitch (&switches)[N])
{
    for (const GroupSwitch& s : switches) {
        const GroupControls& group = GROUP_CONTROLS[s.group];
        for (std::size_t i = 0; i < group.count; ++i) {
            enable_control(GetDlgItem(job_panel, group.ids[i]), s.on);
        }
    }
}

void check(HWND dialog, int control, bool checked)
{
    CheckDlgButton(dialog, control, checked ? BST_CHECKED : BST_UNCHECKED);
}

// The pad draws its buttons itself: a switched button is redrawn from its rectangle.
void redraw_pad_button(HWND job_panel, const PadRectangles& rectangles, PadButton button)
{
    const PadRect& p = rectangles.button[button];
    RECT r = {p.left, p.top, p.right + 1, p.bottom + 1};  // the pad's edges are inside
    InvalidateRect(job_panel, &r, TRUE);
}

constexpr int CAP_PICTURES[] = {IDC_CAP_RED_FIRST,  IDC_CAP_BLUE_FIRST,  IDC_CAP_YELLOW_FIRST,
                                IDC_CAP_PEN_FIRST,  IDC_CAP_RED_SECOND, IDC_CAP_BLUE_SECOND,
                                IDC_CAP_YELLOW_SECOND, IDC_CAP_PEN_SECOND};
constexpr int ORIENTATION_PICTURES[] = {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT,
                                        IDC_PICTURE_LANDSCAPE_MARKS, IDC_PICTURE_PORTRAIT_MARKS};

// Hides every picture of the set, then shows the one chosen.
template <std::size_t N>
void show_one_of(HWND dialog, const int (&pictures)[N], int shown)
{
    for (int id : pictures) {
        show(dialog, id, false);
    }
    show(dialog, shown, true);
}

}  // namespace

void show_guide_text(HWND main_window, HWND job_panel, const Settings& settings,
                     const LaunchOptions& options)
{
    const GuideTextLayout layout = guide_text_layout(settings, options);
    set_text(main_window, IDC_GUIDE_TITLE, layout.TitleId);
    set_text(main_window, IDC_GUIDE_MESSAGE, layout.TextId);
    // Only the size changes: the window keeps its place among the others and its activation
    // (restacking and activating it at each step cost as much as the rest of the step).
    SetWindowPos(main_window, nullptr, 0, 0, layout.WindowWidth, layout.WindowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (const ControlPlace& place : GUIDE_CONTROL_PLACES) {
        HWND control = GetDlgItem(place.host == Host::MainWindow ? main_window : job_panel, place.id);
        const Switch enabled = layout.Enabled[place.control];
        if (enabled != Switch::Keep) {
            enable_control(control, enabled == Switch::On);
        }
        const Switch visible = layout.Visible[place.control];
        if (visible != Switch::Keep) {
            show_control(control, visible == Switch::On);
        }
    }
    if (layout.ToggleTextId != 0) {
        set_text(main_window, IDC_GUIDE_TOGGLE, layout.ToggleTextId);
    }
    invalidate_step_names(main_window);
}

void update_media_controls(HWND job_panel, Settings* settings, PadState* pad,
                           const PadRectangles& rectangles, std::int32_t configuration_mode)
{
    const MediaDecisions d = media_decisions(*settings, configuration_mode);
    settings->CutCondAdjust = d.CutCondAdjust;
    show_one_of(job_panel, CAP_PICTURES, d.cap_picture);
    set_text(job_panel, IDC_CAP_TEXT, d.cap_text);
    check(job_panel, IDC_ADJUST_SETTINGS, d.CutCondAdjust == 1);
    check(job_panel, IDC_TRACK_ENHANCING, d.track_enhancing_checked);
    apply_switches(job_panel, d.switches);
    show(job_panel, IDC_CAP_TEXT_ON_ICON, d.cap_icon == IDC_CAP_TEXT_ON_ICON);
    show(job_panel, IDC_CAP_TEXT_OFF_ICON, d.cap_icon == IDC_CAP_TEXT_OFF_ICON);
    pad->test_cut_state = d.TestCutState;
    redraw_pad_button(job_panel, rectangles, PAD_BUTTON_TEST_CUT);
}

void update_orientation_controls(HWND job_panel, const Settings& settings)
{
    const OrientationDecisions d = orientation_decisions(settings);
    apply_switches(job_panel, d.switches);
    check_radio_button(job_panel, IDC_LANDSCAPE, IDC_PORTRAIT, d.checked_button);
}

void update_mark_controls(HWND job_panel, Settings* settings, const LaunchOptions& options)
{
    const MarkDecisions d = mark_decisions(*settings, options);
    settings->PosSet = d.PosSet;
    apply_switches(job_panel, d.switches);
    check(job_panel, IDC_REGISTRATION_MARKS, d.marks_checked);
    check(job_panel, IDC_SEARCH_MARK, d.search_checked);
    check_radio_button(job_panel, IDC_UNIT_MM, IDC_UNIT_INCH, d.unit_button);
}

void update_set_origin(HWND job_panel, const Settings& settings, PadState* pad,
                       const PadRectangles& rectangles)
{
    const SetOriginDecisions d = set_origin_decisions(settings);
    apply_switches(job_panel, d.switches);
    pad->set_origin_state = d.SetOriginState;
    redraw_pad_button(job_panel, rectangles, PAD_BUTTON_SET_ORIGIN);
}

void update_blade_position(HWND job_panel, const Settings& settings, PadState* pad,
                           const PadRectangles& rectangles)
{
    const BladePositionDecisions d = blade_position_decisions(settings);
    apply_switches(job_panel, d.switches);
    pad->direction_set = d.DirectionSet;
    for (PadButton arrow : {PAD_BUTTON_LEFT, PAD_BUTTON_RIGHT, PAD_BUTTON_UP, PAD_BUTTON_DOWN}) {
        redraw_pad_button(job_panel, rectangles, arrow);
    }
}

void update_cut_button(HWND job_panel, const Settings& settings, const LaunchOptions& options)
{
    const CutButtonDecisions d = cut_button_decisions(settings, options);
    if (d.close_caption) {
        set_text(job_panel, IDOK, IDS_CLOSE);
    }
    apply_switches(job_panel, d.switches);
    show_one_of(job_panel, ORIENTATION_PICTURES, d.picture);
}

void show_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                     std::int32_t configuration_mode)
{
    show_guide_text(main_window, job_panel, *settings, options);
    update_media_controls(job_panel, settings, pad, rectangles, configuration_mode);
    update_orientation_controls(job_panel, *settings);
    update_mark_controls(job_panel, settings, options);
    update_set_origin(job_panel, *settings, pad, rectangles);
    update_blade_position(job_panel, *settings, pad, rectangles);
    update_cut_button(job_panel, *settings, options);
}

void previous_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                         const LaunchOptions& options, PadState* pad,
                         const PadRectangles& rectangles, std::int32_t configuration_mode)
{
    if (settings->GuideStep != FIRST_GUIDE_STEP) {
        --settings->GuideStep;
        show_guide_step(main_window, job_panel, settings, options, pad, rectangles, configuration_mode);
    }
}

void next_guide_step(HWND main_window, HWND job_panel, Settings* settings,
                     const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                     std::int32_t configuration_mode)
{
    if (settings->GuideStep != LAST_GUIDE_STEP) {
        ++settings->GuideStep;
        show_guide_step(main_window, job_panel, settings, options, pad, rectangles, configuration_mode);
    }
}

void toggle_guide(HWND main_window, HWND job_panel, Settings* settings,
                  const LaunchOptions& options, PadState* pad, const PadRectangles& rectangles,
                  std::int32_t configuration_mode)
{
    settings->GuideMenu = settings->GuideMenu == 0 ? 1 : 0;
    show_guide_step(main_window, job_panel, settings, options, pad, rectangles, configuration_mode);
}
