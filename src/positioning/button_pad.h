// The button pad without the platform: the Pad state and the pad rectangles, what a press, a
// release and a pointer move do, jogging with its two blade-move commands, the decisions of the
// keyboard and mouse filters, and where the dialog centring puts a dialog. What the pad does to
// its window (redraw a button, capture the mouse, ask before a test cut, the "Use Keyboard"
// boxes) goes through a PadSurface, so every rule here also runs in tests and natively.
#ifndef CUTTER_BUTTON_PAD_H
#define CUTTER_BUTTON_PAD_H

#include <cstdint>

#include "common/result_code.h"
#include "device/cutter_protocol.h"

// Direction bits of the pad (the blade-move command maps them to its own byte).
constexpr std::int32_t PAD_UP = 1;
constexpr std::int32_t PAD_DOWN = 2;
constexpr std::int32_t PAD_LEFT = 4;
constexpr std::int32_t PAD_RIGHT = 8;
constexpr std::int32_t PAD_DIRECTIONS = PAD_UP | PAD_DOWN | PAD_LEFT | PAD_RIGHT;
// The direction set while the guide has disabled the arrows (exactly this value).
constexpr std::int32_t PAD_ARROWS_DISABLED = 16;

// States of the test-cut and set-origin buttons.
constexpr std::int32_t PAD_BUTTON_IDLE = 0;
constexpr std::int32_t PAD_BUTTON_ARMED = 1;     // pressed, drawn pressed, fires on release
constexpr std::int32_t PAD_BUTTON_DISABLED = 2;

// Input modes. The mode is tested bit by bit, but only these values occur.
constexpr std::int32_t INPUT_MODE_IDLE = 0;            // keyboard jogging off, no button held
constexpr std::int32_t INPUT_MODE_MOUSE_HELD = 1;      // left button held, went down in mode 0
constexpr std::int32_t INPUT_MODE_KEYBOARD = 2;        // keyboard jogging on, no arrow key held
constexpr std::int32_t INPUT_MODE_KEY_JOG = 4;         // keyboard jogging on, an arrow key held
constexpr std::int32_t INPUT_MODE_SWITCHED_OFF = 8;    // keyboard jogging just switched off by a click
constexpr std::int32_t INPUT_MODE_MOUSE_HELD_OFF = 9;  // left button held, went down in mode 2

struct PadState {
    std::int32_t input_mode;
    std::int32_t direction_set;
    std::int32_t test_cut_state;
    std::int32_t set_origin_state;
};

// The six buttons, in the order in which a point is tested against them.
enum PadButton : int {
    PAD_BUTTON_UP,
    PAD_BUTTON_DOWN,
    PAD_BUTTON_LEFT,
    PAD_BUTTON_RIGHT,
    PAD_BUTTON_TEST_CUT,
    PAD_BUTTON_SET_ORIGIN,
    PAD_BUTTON_COUNT,
    PAD_NO_BUTTON = -1,
};

// In the job panel's client pixels; a point on any of the four edges is inside.
struct PadRect {
    std::int32_t left, top, right, bottom;
};

struct PadRectangles {
    PadRect button[PAD_BUTTON_COUNT];
};

// The pad's anchor points, in pixels converted from the dialog units of the job panel's template.
struct PadAnchors {
    std::int32_t centre_x, centre_y;  // centre of the four arrows
    std::int32_t gap;                 // between the centre and the arrows, both ways
    std::int32_t test_cut_x, test_cut_y;
    std::int32_t set_origin_x, set_origin_y;
};

// Each button's icon is this many pixels square.
constexpr std::int32_t PAD_ICON_SIZE = 32;

PadRectangles lay_out_pad_rectangles(const PadAnchors& anchors);

// The first of the buttons first..last (in PadButton order) that holds the point, or PAD_NO_BUTTON.
PadButton pad_button_at(const PadRectangles& rectangles, std::int32_t x, std::int32_t y,
                        PadButton first = PAD_BUTTON_UP, PadButton last = PAD_BUTTON_SET_ORIGIN);

// What the pad does to the job panel and the program's dialogs.
struct PadSurface {
    void (*redraw)(const PadRect& rect);  // invalidate, background erased
    void (*capture_pointer)();            // the job panel takes the mouse
    void (*release_pointer)();
    bool (*confirm_test_cut)();           // asks the test-cut question; true on OK
    void (*uncheck_use_keyboard)();       // both "Use Keyboard" boxes
    bool (*use_keyboard_checked)();       // either box
};

// Press-and-hold jogging: one blade-move command when a direction is added or removed.
[[nodiscard]] ResultCode start_jog(PadState* state, std::int32_t bit, const CutterLink& link,
                                   const PadSurface& surface);
[[nodiscard]] ResultCode stop_jog(PadState* state, std::int32_t bits, const CutterLink& link,
                                  const PadSurface& surface);

// A press, a release (x = y = -1 when the caller has no point) and a pointer move in the job panel.
[[nodiscard]] ResultCode press_pad(std::int32_t x, std::int32_t y, PadState* state,
                                   const PadRectangles& rectangles, const CutterLink& link,
                                   const PadSurface& surface);
[[nodiscard]] ResultCode release_pad(std::int32_t x, std::int32_t y, PadState* state,
                                     const PadRectangles& rectangles, const CutterLink& link,
                                     const PadSurface& surface);
void track_pad_pointer(std::int32_t x, std::int32_t y, PadState* state,
                       const PadRectangles& rectangles, const PadSurface& surface);

// The directions a release at (x, y) takes away: the arrow under the point during a key jog,
// otherwise all of them.
std::int32_t released_directions(const PadState& state, const PadRectangles& rectangles,
                                 std::int32_t x, std::int32_t y);

// After a "Use Keyboard" box has toggled itself.
void keyboard_jog_toggle(PadState* state, const PadSurface& surface);

// The main window or the calibration dialog lost activation: the pad is released with no point
// and keyboard jogging ends (the caller unchecks that window's box).
[[nodiscard]] ResultCode end_pad_input(PadState* state, const PadRectangles& rectangles,
                                       const CutterLink& link, const PadSurface& surface);

// What a filter tells the platform to do with the message it saw.
enum class FilterVerdict { PassOn, Discard };

// Virtual-key codes of the arrow keys and the mouse messages the filters look at.
constexpr std::uint32_t KEY_LEFT = 0x25;
constexpr std::uint32_t KEY_UP = 0x26;
constexpr std::uint32_t KEY_RIGHT = 0x27;
constexpr std::uint32_t KEY_DOWN = 0x28;
constexpr std::uint32_t MOUSE_LEFT_DOWN = 0x201;
constexpr std::uint32_t MOUSE_LEFT_UP = 0x202;

// The keyboard filter: a key going down or up. *result is what the pad operation returned (0
// when none ran), for the caller to report.
FilterVerdict filter_key(std::uint32_t virtual_key, bool key_up, PadState* state,
                         const PadRectangles& rectangles, const CutterLink& link,
                         const PadSurface& surface, ResultCode* result);

// The mouse filter: any mouse message.
FilterVerdict filter_mouse(std::uint32_t mouse_message, PadState* state, const PadSurface& surface);

// Where the dialog centring puts a dialog: centred over the main window's full-size rectangle
// (full_width x full_height) at the main window's current top-left corner, the halves truncated
// toward zero (also when the dialog is the larger one).
struct DialogPosition {
    std::int32_t x, y;
};
DialogPosition centred_dialog_position(std::int32_t main_left, std::int32_t main_top,
                                       std::int32_t full_width, std::int32_t full_height,
                                       std::int32_t dialog_width, std::int32_t dialog_height);

#endif
