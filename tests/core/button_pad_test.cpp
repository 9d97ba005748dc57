#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <tuple>

#include "positioning/button_pad.h"

namespace {

// One log of what the pad did, in order: the commands the cutter received ("move 0A", "stop",
// "FH", "FJ"), what it did to its window ("capture", "release", "ask", "uncheck"), each filter's
// verdict ("pass", "eat") and every non-zero result ("=159").
struct Recorder {
    std::string log;
    bool box_checked = false;  // the "Use Keyboard" boxes
    bool answer_ok = true;     // the test-cut question
    bool writes_fail = false;
};
Recorder g_rec;
void note(const std::string& what) { g_rec.log += (g_rec.log.empty() ? "" : ", ") + what; }
void note(ResultCode code) { if (code != RC_SUCCESS) note("=" + std::to_string(code)); }
void note(FilterVerdict v) { note(v == FilterVerdict::Discard ? "eat" : "pass"); }

const PadRectangles RECTS = lay_out_pad_rectangles(PadAnchors{200, 150, 3, 300, 50, 60, 220});

ResultCode record_write(const void* bytes, std::uint32_t count, std::uint32_t)
{
    const std::string b(static_cast<const char*>(bytes), count);
    char move[16];
    std::snprintf(move, sizeof move, "move %02X", static_cast<unsigned char>(b.back()));
    note(b[0] != '\x1B' ? b.substr(0, b.find('\x03')) : b.back() == 0 ? "stop" : move);
    return g_rec.writes_fail ? RC_GENERAL_ERROR : RC_SUCCESS;
}
const CutterLink LINK{[](const char*) {}, record_write, nullptr, [](std::uint32_t) {}, nullptr, 0};
const PadSurface SURFACE{[](const PadRect&) {}, [] { note("capture"); }, [] { note("release"); },
                         [] { note("ask"); return g_rec.answer_ok; },
                         [] { note("uncheck"); g_rec.box_checked = false; }, [] { return g_rec.box_checked; }};

// Runs one event as the program delivers it:
//   kU+ kU-   arrow key (U D L R) down / up through the keyboard filter; kX+ any other key
//   m+ m- mm  left button down / up, a move, through the mouse filter
//   pU rU tU  press / release / pointer move in the job panel at the centre of a button
//             (U D L R T O), p0 r0 t0 on no button
//   box       a "Use Keyboard" box toggles itself and notifies;  off  the window is deactivated
//   fail ok   every write fails from now on / succeeds again;  cancel  the test-cut question
//             is answered with Cancel
void run_event(const std::string& e, PadState* s)
{
    const std::string names = "UDLRTO";
    const std::size_t b = e.size() > 1 ? names.find(e[1]) : std::string::npos;
    const PadRect r = b == std::string::npos ? PadRect{-1, -1, -1, -1} : RECTS.button[b];
    const std::int32_t x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    ResultCode code = RC_SUCCESS;
    if (e == "fail" || e == "ok") g_rec.writes_fail = e == "fail";
    else if (e == "cancel") g_rec.answer_ok = false;
    else if (e == "box") {
        g_rec.box_checked = !g_rec.box_checked;
        keyboard_jog_toggle(s, SURFACE);
    }
    else if (e == "off") note(end_pad_input(s, RECTS, LINK, SURFACE));
    else if (e[0] == 'k') {
        const std::uint32_t keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT, 'A'};
        note(filter_key(keys[b < 4 ? b : 4], e[2] == '-', s, RECTS, LINK, SURFACE, &code));
        note(code);
    } else if (e[0] == 'm') {
        note(filter_mouse(e == "m+" ? MOUSE_LEFT_DOWN : e == "m-" ? MOUSE_LEFT_UP : 0x200, s, SURFACE));
    } else if (e[0] == 'p') note(press_pad(x, y, s, RECTS, LINK, SURFACE));
    else if (e[0] == 'r') note(release_pad(x, y, s, RECTS, LINK, SURFACE));
    else track_pad_pointer(x, y, s, RECTS, SURFACE);
}

// The input mode and the pad as a sequence of (mode, event) steps leaves them, with every
// command it sent on the way.
TEST(ButtonPad, InputModesAndCommandsFollowTheEvents)
{
    struct Case { const char* what; PadState from; const char* events; PadState to; const char* log; };
    const Case cases[] = {
        {"arrow keys reach the dialogs while keyboard jogging is off", {0, 0, 0, 0}, "kU+ kU-", {0, 0, 0, 0}, "pass, pass"},
        {"held key: auto-repeat sends nothing", {2, 0, 0, 0}, "kU+ kU+ kU+ kU-", {2, 0, 0, 0},
         "move 02, capture, eat, eat, eat, release, stop, eat"},
        {"up then left, up released, left released", {2, 0, 0, 0}, "kU+ kL+ kU- kL-", {2, 0, 0, 0},
         "move 02, capture, eat, move 0A, capture, eat, move 08, eat, release, stop, eat"},
        {"disabled arrows: nothing sent, back to 2", {2, 16, 0, 0}, "kU+ kU-", {2, 16, 0, 0}, "eat, eat"},
        {"no key counts while the button is held", {0, 0, 0, 0}, "m+ kU+ kX+ m-", {0, 0, 0, 0}, "pass, eat, eat, pass"},
        {"mouse jog keeps moving off the arrow, stops on release anywhere", {0, 0, 0, 0}, "m+ pR mm m- r0",
         {0, 0, 0, 0}, "pass, move 04, capture, pass, pass, release, stop"},
        {"a click elsewhere switches keyboard jogging off", {2, 0, 0, 0}, "m+ m-", {8, 0, 0, 0}, "uncheck, pass, pass"},
        {"a click on the box itself leaves it unchecked and jogging off", {0, 0, 0, 0}, "box m+ m- box",
         {8, 0, 0, 0}, "uncheck, pass, pass, uncheck"},
        {"deactivation stops a key jog, then nothing more", {4, 5, 0, 0}, "off off", {0, 0, 0, 0}, "release, stop"},
        {"failed start: 159, no direction left", {0, 0, 0, 0}, "fail pU", {0, 0, 0, 0}, "move 02, capture, =159"},
        {"failed key jog is reported, the mode goes back to 2", {2, 0, 0, 0}, "fail kL+ ok kL-", {2, 0, 0, 0},
         "move 08, capture, eat, =159, eat"},
        {"test cut: a full click asks, OK cuts", {0, 0, 0, 0}, "pT tT rT", {0, 0, 0, 0}, "ask, FH"},
        {"disabled keys and no key do nothing", {0, 16, 2, 2}, "pU rU pT rT pO rO p0 r0", {0, 16, 2, 2}, ""},
        {"test cut: Cancel cuts nothing", {0, 0, 0, 0}, "cancel pT rT", {0, 0, 0, 0}, "ask"},
        {"test cut: moved off, back on and released asks nothing", {0, 0, 0, 0}, "pT t0 tT rT", {0, 0, 0, 0}, ""},
        {"test cut: armed, fires on a release anywhere", {0, 0, 0, 0}, "pT r0", {0, 0, 0, 0}, "ask, FH"},
        {"set origin: a click sets it, moved off it does not", {0, 0, 0, 0}, "pO rO pO t0 rO", {0, 0, 0, 0}, "FJ"},
        {"set origin failure is returned", {0, 0, 0, 0}, "pO fail rO", {0, 0, 0, 0}, "FJ, =158"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_rec = Recorder{};
        PadState state = c.from;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) run_event(e, &state);
        EXPECT_EQ(g_rec.log, c.log);
        EXPECT_EQ(std::make_tuple(state.input_mode, state.direction_set, state.test_cut_state, state.set_origin_state),
                  std::make_tuple(c.to.input_mode, c.to.direction_set, c.to.test_cut_state, c.to.set_origin_state));
    }
}

// The layout and the hit test together: edges count, the gaps between the arrows do not.
TEST(ButtonPad, PointsHitTheButtonWhoseEdgesIncludeThem)
{
    EXPECT_EQ(pad_button_at(RECTS, 200, 150 - 3 - 16), PAD_BUTTON_UP);             // up's bottom edge
    EXPECT_EQ(pad_button_at(RECTS, 200, 150 - 3 - 15), PAD_NO_BUTTON);             // the gap below it
    EXPECT_EQ(pad_button_at(RECTS, 200 + 3 + 48, 150 + 16), PAD_BUTTON_RIGHT);     // right's bottom-right corner
    // A key acts at its arrow's top-left corner, which only that arrow holds.
    for (int arrow = PAD_BUTTON_UP; arrow <= PAD_BUTTON_RIGHT; ++arrow) {
        EXPECT_EQ(pad_button_at(RECTS, RECTS.button[arrow].left, RECTS.button[arrow].top), arrow);
    }
}

TEST(ButtonPad, DialogsAreCentredOverTheFullSizeMainWindowWithHalvesTruncatedTowardZero)
{
    // Larger than the window: -50.5 and -51.5 from its corner.
    const DialogPosition p = centred_dialog_position(100, 50, 300, 200, 401, 303);
    EXPECT_EQ(std::make_pair(p.x, p.y), std::make_pair(50, -1));
}

}  // namespace
