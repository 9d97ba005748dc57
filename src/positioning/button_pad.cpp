#include "button_pad.h"

namespace {

constexpr std::int32_t ARROW_BITS[] = {PAD_UP, PAD_DOWN, PAD_LEFT, PAD_RIGHT};

PadRect square_around(std::int32_t x, std::int32_t y)
{
    const std::int32_t half = PAD_ICON_SIZE / 2;
    return PadRect{x - half, y - half, x + half, y + half};
}

bool holds(const PadRect& r, std::int32_t x, std::int32_t y)
{
    return r.left <= x && x <= r.right && r.top <= y && y <= r.bottom;
}

// The blade-move command for the current direction set: the remaining directions, or the stop.
ResultCode send_directions(PadState* state, bool moving, const CutterLink& link)
{
    const ResultCode code = blade_move_command(link, state->direction_set, moving ? 1 : 0);
    if (code != RC_SUCCESS) {
        state->direction_set = 0;  // the pad shows every arrow unpressed again
    }
    return code;
}

// Arms the test-cut or set-origin button unless it is disabled.
void arm(std::int32_t* button_state, const PadRect& rect, const PadSurface& surface)
{
    if (*button_state != PAD_BUTTON_DISABLED) {
        *button_state = PAD_BUTTON_ARMED;
        surface.redraw(rect);
    }
}

// An armed button the pointer has left is no longer pressed; coming back does not re-arm it.
bool disarm_outside(std::int32_t* button_state, const PadRect& rect, std::int32_t x, std::int32_t y,
                    const PadSurface& surface)
{
    if (*button_state != PAD_BUTTON_ARMED || holds(rect, x, y)) {
        return false;
    }
    *button_state = PAD_BUTTON_IDLE;
    surface.redraw(rect);
    return true;
}

PadButton arrow_of_key(std::uint32_t virtual_key)
{
    switch (virtual_key) {
    case KEY_UP:    return PAD_BUTTON_UP;
    case KEY_DOWN:  return PAD_BUTTON_DOWN;
    case KEY_LEFT:  return PAD_BUTTON_LEFT;
    case KEY_RIGHT: return PAD_BUTTON_RIGHT;
    }
    return PAD_NO_BUTTON;
}

}  // namespace

PadRectangles lay_out_pad_rectangles(const PadAnchors& a)
{
    // The arrows sit around the centre, each half an icon plus the gap away from it.
    const std::int32_t half = PAD_ICON_SIZE / 2;
    const std::int32_t near = a.gap + half;
    const std::int32_t far = near + PAD_ICON_SIZE;
    const std::int32_t x = a.centre_x, y = a.centre_y;
    PadRectangles r{};
    r.button[PAD_BUTTON_UP] = PadRect{x - half, y - far, x + half, y - near};
    r.button[PAD_BUTTON_DOWN] = PadRect{x - half, y + near, x + half, y + far};
    r.button[PAD_BUTTON_LEFT] = PadRect{x - far, y - half, x - near, y + half};
    r.button[PAD_BUTTON_RIGHT] = PadRect{x + near, y - half, x + far, y + half};
    r.button[PAD_BUTTON_TEST_CUT] = square_around(a.test_cut_x, a.test_cut_y);
    r.button[PAD_BUTTON_SET_ORIGIN] = square_around(a.set_origin_x, a.set_origin_y);
    return r;
}

PadButton pad_button_at(const PadRectangles& rectangles, std::int32_t x, std::int32_t y,
                        PadButton first, PadButton last)
{
    for (int b = first; b <= last; ++b) {
        if (holds(rectangles.button[b], x, y)) {
            return static_cast<PadButton>(b);
        }
    }
    return PAD_NO_BUTTON;
}

ResultCode start_jog(PadState* state, std::int32_t bit, const CutterLink& link,
                     const PadSurface& surface)
{
    // All directions of the set go out together: two arrows held move the blade diagonally.
    state->direction_set |= bit;
    const ResultCode code = send_directions(state, true, link);
    // Even after a failure, so that the release reaches the panel wherever the pointer is.
    surface.capture_pointer();
    return code;
}

ResultCode stop_jog(PadState* state, std::int32_t bits, const CutterLink& link,
                    const PadSurface& surface)
{
    state->direction_set &= ~bits;
    if (state->direction_set == 0) {
        surface.release_pointer();
        return send_directions(state, false, link);
    }
    return send_directions(state, true, link);
}

ResultCode press_pad(std::int32_t x, std::int32_t y, PadState* state,
                     const PadRectangles& rectangles, const CutterLink& link,
                     const PadSurface& surface)
{
    const PadButton button = pad_button_at(rectangles, x, y);
    switch (button) {
    case PAD_NO_BUTTON:
    case PAD_BUTTON_COUNT:
        return RC_SUCCESS;
    case PAD_BUTTON_TEST_CUT:
        arm(&state->test_cut_state, rectangles.button[button], surface);
        return RC_SUCCESS;
    case PAD_BUTTON_SET_ORIGIN:
        arm(&state->set_origin_state, rectangles.button[button], surface);
        return RC_SUCCESS;
    default:
        break;
    }
    if (state->direction_set == PAD_ARROWS_DISABLED) {
        return RC_SUCCESS;
    }
    const ResultCode code = start_jog(state, ARROW_BITS[button], link, surface);
    if (code == RC_SUCCESS) {
        surface.redraw(rectangles.button[button]);
    }
    return code;
}

std::int32_t released_directions(const PadState& state, const PadRectangles& rectangles,
                                 std::int32_t x, std::int32_t y)
{
    if (state.input_mode == INPUT_MODE_KEY_JOG) {
        const PadButton arrow = pad_button_at(rectangles, x, y, PAD_BUTTON_UP, PAD_BUTTON_RIGHT);
        if (arrow != PAD_NO_BUTTON) {
            return ARROW_BITS[arrow];
        }
    }
    return state.direction_set;
}

ResultCode release_pad(std::int32_t x, std::int32_t y, PadState* state,
                       const PadRectangles& rectangles, const CutterLink& link,
                       const PadSurface& surface)
{
    ResultCode code = RC_SUCCESS;
    if (state->direction_set != 0 && state->direction_set != PAD_ARROWS_DISABLED) {
        code = stop_jog(state, released_directions(*state, rectangles, x, y), link, surface);
        for (int arrow = PAD_BUTTON_UP; arrow <= PAD_BUTTON_RIGHT; ++arrow) {
            if ((state->direction_set & ARROW_BITS[arrow]) == 0) {
                surface.redraw(rectangles.button[arrow]);
            }
        }
    }
    // An armed button fires on the next release that reaches the panel, wherever it lies.
    if (state->test_cut_state == PAD_BUTTON_ARMED) {
        state->test_cut_state = PAD_BUTTON_IDLE;
        surface.redraw(rectangles.button[PAD_BUTTON_TEST_CUT]);
        code = surface.confirm_test_cut() ? test_cut(link) : RC_SUCCESS;
    }
    if (state->set_origin_state == PAD_BUTTON_ARMED) {
        code = origin_set(link);
        state->set_origin_state = PAD_BUTTON_IDLE;
        surface.redraw(rectangles.button[PAD_BUTTON_SET_ORIGIN]);
    }
    return code;
}

void track_pad_pointer(std::int32_t x, std::int32_t y, PadState* state,
                       const PadRectangles& rectangles, const PadSurface& surface)
{
    if (!disarm_outside(&state->test_cut_state, rectangles.button[PAD_BUTTON_TEST_CUT], x, y, surface)) {
        disarm_outside(&state->set_origin_state, rectangles.button[PAD_BUTTON_SET_ORIGIN], x, y, surface);
    }
}

void keyboard_jog_toggle(PadState* state, const PadSurface& surface)
{
    // A click on a box while keyboard jogging was on has switched it off (mode 8); the box has
    // since toggled itself back on, so it is unchecked again and jogging stays off.
    if (state->input_mode == INPUT_MODE_SWITCHED_OFF) {
        surface.uncheck_use_keyboard();
    }
    if (surface.use_keyboard_checked()) {
        state->input_mode = INPUT_MODE_KEYBOARD;
    }
}

ResultCode end_pad_input(PadState* state, const PadRectangles& rectangles, const CutterLink& link,
                         const PadSurface& surface)
{
    const ResultCode code = release_pad(-1, -1, state, rectangles, link, surface);
    state->input_mode = INPUT_MODE_IDLE;
    return code;
}

FilterVerdict filter_key(std::uint32_t virtual_key, bool key_up, PadState* state,
                         const PadRectangles& rectangles, const CutterLink& link,
                         const PadSurface& surface, ResultCode* result)
{
    *result = RC_SUCCESS;
    if (state->input_mode & INPUT_MODE_MOUSE_HELD) {
        return FilterVerdict::Discard;  // no key counts while the left button is held
    }
    const PadButton arrow = arrow_of_key(virtual_key);
    if (arrow == PAD_NO_BUTTON ||
        (state->input_mode != INPUT_MODE_KEYBOARD && state->input_mode != INPUT_MODE_KEY_JOG)) {
        return FilterVerdict::PassOn;
    }
    // The key acts as the mouse would at the arrow's top-left corner.
    const PadRect& corner = rectangles.button[arrow];
    if (!key_up) {
        state->input_mode = INPUT_MODE_KEY_JOG;
        if (state->direction_set & ARROW_BITS[arrow]) {
            return FilterVerdict::Discard;  // the keyboard's auto-repeat never reaches the cutter
        }
        *result = press_pad(corner.left, corner.top, state, rectangles, link, surface);
    } else {
        *result = release_pad(corner.left, corner.top, state, rectangles, link, surface);
        if ((state->direction_set & PAD_DIRECTIONS) == 0) {
            state->input_mode = INPUT_MODE_KEYBOARD;
        }
    }
    // While keyboard jogging is on, the arrow keys never reach the dialogs.
    return FilterVerdict::Discard;
}

FilterVerdict filter_mouse(std::uint32_t mouse_message, PadState* state, const PadSurface& surface)
{
    if (state->input_mode & INPUT_MODE_KEY_JOG) {
        return FilterVerdict::Discard;  // the mouse does nothing until the key is released
    }
    if (mouse_message == MOUSE_LEFT_DOWN) {
        // A click anywhere in the program switches keyboard jogging off.
        if (state->input_mode == INPUT_MODE_KEYBOARD) {
            surface.uncheck_use_keyboard();
            state->input_mode = INPUT_MODE_MOUSE_HELD_OFF;
        } else {
            state->input_mode = INPUT_MODE_MOUSE_HELD;
        }
    } else if (mouse_message == MOUSE_LEFT_UP) {
        if (state->input_mode & INPUT_MODE_SWITCHED_OFF) {
            state->input_mode = INPUT_MODE_SWITCHED_OFF;
        } else if ((state->input_mode & INPUT_MODE_KEYBOARD) == 0) {
            state->input_mode = INPUT_MODE_IDLE;
        }
    }
    return FilterVerdict::PassOn;
}

DialogPosition centred_dialog_position(std::int32_t main_left, std::int32_t main_top,
                                       std::int32_t full_width, std::int32_t full_height,
                                       std::int32_t dialog_width, std::int32_t dialog_height)
{
    // Integer division truncates toward zero, as the halves must.
    return DialogPosition{main_left + (full_width - dialog_width) / 2,
                          main_top + (full_height - dialog_height) / 2};
}
