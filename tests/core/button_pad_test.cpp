#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "positioning/button_pad.h"

namespace {

// One log of what the pad did, in order: the commands the cutter received ("move 0A", "stop",
// "FH", "FJ"), what it did to its window ("capture", "release", "ask", "uncheck"), each filter's
// verdict ("pass", "eat") and every non-zero result ("=159").
struct Recorder {
    std::vector<std::string> log;
    std::set<int> redrawn;          // buttons invalidated, by PadButton
    bool box_checked = false;       // the "Use Keyboard" boxes
    bool answer_ok = true;          // the test-cut question
    bool writes_fail = false;
};
Recorder g_rec;

constexpr PadAnchors ANCHORS{200, 150, 3, 300, 50, 60, 220};
const PadRectangles RECTS = lay_out_pad_rectangles(ANCHORS);

ResultCode record_write(const void* bytes, std::uint32_t count, std::uint32_t)
{
    const std::string b(static_cast<const char*>(bytes), count);
    if (b.size() == 3 && b[0] == '\x1B' && b[1] == '\0') {
        char text[16];
        std::snprintf(text, sizeof text, "move %02X", static_cast<unsigned char>(b[2]));
        g_rec.log.emplace_back(b[2] == 0 ? "stop" : text);
    } else {
        g_rec.log.push_back(b.substr(0, b.find('\x03')));
    }
    return g_rec.writes_fail ? RC_GENERAL_ERROR : RC_SUCCESS;
}
ResultCode no_read(void*, std::uint32_t, std::uint32_t) { return RC_SUCCESS; }
void no_debug(const char*) {}
void no_sleep(std::uint32_t) {}
void no_demo(std::int32_t, char* text, std::size_t) { text[0] = 0; }
const CutterLink LINK{no_debug, record_write, no_read, no_sleep, no_demo, 0};

void redraw(const PadRect& r)
{
    for (int b = 0; b < PAD_BUTTON_COUNT; ++b) {
        if (RECTS.button[b].left == r.left && RECTS.button[b].top == r.top) g_rec.redrawn.insert(b);
    }
}
void capture() { g_rec.log.emplace_back("capture"); }
void release() { g_rec.log.emplace_back("release"); }
bool ask() { g_rec.log.emplace_back("ask"); return g_rec.answer_ok; }
void uncheck() { g_rec.log.emplace_back("uncheck"); g_rec.box_checked = false; }
bool checked() { return g_rec.box_checked; }
const PadSurface SURFACE{redraw, capture, release, ask, uncheck, checked};

std::int32_t centre_x(PadButton b) { return (RECTS.button[b].left + RECTS.button[b].right) / 2; }
std::int32_t centre_y(PadButton b) { return (RECTS.button[b].top + RECTS.button[b].bottom) / 2; }

PadButton button_named(char c)
{
    switch (c) {
    case 'U': return PAD_BUTTON_UP;
    case 'D': return PAD_BUTTON_DOWN;
    case 'L': return PAD_BUTTON_LEFT;
    case 'R': return PAD_BUTTON_RIGHT;
    case 'T': return PAD_BUTTON_TEST_CUT;
    case 'O': return PAD_BUTTON_SET_ORIGIN;
    }
    return PAD_NO_BUTTON;
}

void note(ResultCode code)
{
    if (code != RC_SUCCESS) g_rec.log.push_back("=" + std::to_string(code));
}
void note(FilterVerdict v) { g_rec.log.emplace_back(v == FilterVerdict::Discard ? "eat" : "pass"); }

// Runs one event as the program delivers it:
//   kU+ kU-   arrow key (U D L R) down / up through the keyboard filter; kX+ any other key
//   m+ m- mm  left button down / up, a move, through the mouse filter
//   pU rU tU  press / release / pointer move in the job panel on a button (U D L R T O), p0 r0 t0
//             on no button
//   box       a "Use Keyboard" box toggles itself and notifies;  off  the window is deactivated
//   fail ok   blade-move (and every) write fails from now on / succeeds again;  cancel  the
//             test-cut question is answered with Cancel
void run_event(const std::string& e, PadState* s)
{
    ResultCode code = RC_SUCCESS;
    if (e == "fail" || e == "ok") { g_rec.writes_fail = e == "fail"; return; }
    if (e == "cancel") { g_rec.answer_ok = false; return; }
    if (e == "box") { g_rec.box_checked = !g_rec.box_checked; keyboard_jog_toggle(s, SURFACE); return; }
    if (e == "off") { note(end_pad_input(s, RECTS, LINK, SURFACE)); return; }
    if (e[0] == 'k') {
        const std::uint32_t keys[] = {KEY_UP, KEY_DOWN, KEY_LEFT, KEY_RIGHT};
        const PadButton arrow = button_named(e[1]);
        const std::uint32_t key = arrow == PAD_NO_BUTTON ? 'A' : keys[arrow];
        note(filter_key(key, e[2] == '-', s, RECTS, LINK, SURFACE, &code));
        note(code);
        return;
    }
    if (e[0] == 'm') {
        note(filter_mouse(e == "m+" ? MOUSE_LEFT_DOWN : e == "m-" ? MOUSE_LEFT_UP : 0x200, s, SURFACE));
        return;
    }
    const PadButton b = button_named(e[1]);
    const std::int32_t x = b == PAD_NO_BUTTON ? -1 : centre_x(b), y = b == PAD_NO_BUTTON ? -1 : centre_y(b);
    if (e[0] == 'p') note(press_pad(x, y, s, RECTS, LINK, SURFACE));
    if (e[0] == 'r') note(release_pad(x, y, s, RECTS, LINK, SURFACE));
    if (e[0] == 't') track_pad_pointer(x, y, s, RECTS, SURFACE);
}

std::string joined(const std::vector<std::string>& items)
{
    std::string all;
    for (const std::string& item : items) all += (all.empty() ? "" : ", ") + item;
    return all;
}

// The input mode and the pad as a sequence of (mode, event) steps leaves them, with every
// command it sent on the way.
TEST(ButtonPad, InputModesAndCommandsFollowTheEvents)
{
    struct Case {
        const char* what;
        PadState from;
        const char* events;
        PadState to;
        const char* log;
    };
    const Case cases[] = {
        {"arrow keys reach the dialogs while keyboard jogging is off", {0, 0, 0, 0}, "kU+ kU-", {0, 0, 0, 0}, "pass, pass"},
        {"held key: auto-repeat sends nothing", {2, 0, 0, 0}, "kU+ kU+ kU+ kU-", {2, 0, 0, 0},
         "move 02, capture, eat, eat, eat, release, stop, eat"},
        {"up then left, up released, left released", {2, 0, 0, 0}, "kU+ kL+ kU- kL-", {2, 0, 0, 0},
         "move 02, capture, eat, move 0A, capture, eat, move 08, eat, release, stop, eat"},
        {"other keys pass while keyboard jogging is on", {2, 0, 0, 0}, "kX+", {2, 0, 0, 0}, "pass"},
        {"disabled arrows: nothing sent, back to 2", {2, 16, 0, 0}, "kU+ kU-", {2, 16, 0, 0}, "eat, eat"},
        {"no key counts while the button is held", {0, 0, 0, 0}, "m+ kU+ kX+ m-", {0, 0, 0, 0}, "pass, eat, eat, pass"},
        {"no mouse message counts during a key jog", {2, 0, 0, 0}, "kD+ m+ mm m- kD-", {2, 0, 0, 0},
         "move 01, capture, eat, eat, eat, eat, release, stop, eat"},
        {"mouse jog keeps moving off the arrow, stops on release anywhere", {0, 0, 0, 0}, "m+ pR mm m- r0",
         {0, 0, 0, 0}, "pass, move 04, capture, pass, pass, release, stop"},
        {"mouse release on another arrow stops every direction", {0, 5, 0, 0}, "rR", {0, 0, 0, 0}, "release, stop"},
        {"a click elsewhere switches keyboard jogging off", {2, 0, 0, 0}, "m+ m-", {8, 0, 0, 0}, "uncheck, pass, pass"},
        {"switched off by a click: arrow keys pass, a later click is an ordinary one", {8, 0, 0, 0},
         "kU+ m- m+", {1, 0, 0, 0}, "pass, pass, pass"},
        {"a click on the box itself leaves it unchecked and jogging off", {0, 0, 0, 0}, "box m+ m- box",
         {8, 0, 0, 0}, "uncheck, pass, pass, uncheck"},
        {"switched on again after it was switched off", {2, 0, 0, 0}, "m+ m- m+ m- box", {2, 0, 0, 0},
         "uncheck, pass, pass, pass, pass"},
        {"deactivation stops a key jog", {4, 5, 0, 0}, "off", {0, 0, 0, 0}, "release, stop"},
        {"deactivation with nothing moving sends nothing", {2, 0, 0, 0}, "off", {0, 0, 0, 0}, ""},
        {"failed start: 159, no direction left", {0, 0, 0, 0}, "fail pU", {0, 0, 0, 0}, "move 02, capture, =159"},
        {"failed stop: 159, no direction left", {0, 1, 0, 0}, "fail r0", {0, 0, 0, 0}, "release, stop, =159"},
        {"failed key jog is reported, the mode goes back to 2", {2, 0, 0, 0}, "fail kL+ ok kL-", {2, 0, 0, 0},
         "move 08, capture, eat, =159, eat"},
        {"disabled arrow: a press does nothing", {0, 16, 0, 0}, "pU rU", {0, 16, 0, 0}, ""},
        {"test cut: a full click asks, OK cuts", {0, 0, 0, 0}, "pT tT rT", {0, 0, 0, 0}, "ask, FH"},
        {"test cut: Cancel cuts nothing", {0, 0, 0, 0}, "cancel pT rT", {0, 0, 0, 0}, "ask"},
        {"test cut: moved off, back on and released asks nothing", {0, 0, 0, 0}, "pT t0 tT rT", {0, 0, 0, 0}, ""},
        {"test cut: armed, fires on a release anywhere", {0, 0, 0, 0}, "pT r0", {0, 0, 0, 0}, "ask, FH"},
        {"test cut disabled", {0, 0, 2, 0}, "pT rT", {0, 0, 2, 0}, ""},
        {"set origin: a click sets it", {0, 0, 0, 0}, "pO rO", {0, 0, 0, 0}, "FJ"},
        {"set origin: moved off asks nothing", {0, 0, 0, 0}, "pO t0 rO", {0, 0, 0, 0}, ""},
        {"set origin disabled", {0, 0, 0, 2}, "pO rO", {0, 0, 0, 2}, ""},
        {"set origin failure is returned", {0, 0, 0, 0}, "pO fail rO", {0, 0, 0, 0}, "FJ, =158"},
        {"a press on no button does nothing", {0, 0, 0, 0}, "p0 r0", {0, 0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        g_rec = Recorder{};
        PadState state = c.from;
        std::istringstream events(c.events);
        for (std::string e; events >> e;) run_event(e, &state);
        EXPECT_EQ(joined(g_rec.log), c.log);
        EXPECT_EQ(state.input_mode, c.to.input_mode);
        EXPECT_EQ(state.direction_set, c.to.direction_set);
        EXPECT_EQ(state.test_cut_state, c.to.test_cut_state);
        EXPECT_EQ(state.set_origin_state, c.to.set_origin_state);
    }
}

// Redrawing is what makes a button look pressed or released: a press redraws its arrow unless
// the move failed, and a release redraws exactly the arrows that are no longer held.
TEST(ButtonPad, ArrowsAreRedrawnWhenTheirLookChanges)
{
    struct Case {
        const char* events;
        std::set<int> last_redrawn;
    };
    const Case cases[] = {
        {"kU+", {PAD_BUTTON_UP}},
        {"fail kU+", {}},
        {"kU+ kL+ kU-", {PAD_BUTTON_UP, PAD_BUTTON_DOWN, PAD_BUTTON_RIGHT}},
        {"pT", {PAD_BUTTON_TEST_CUT}},
        {"pT t0", {PAD_BUTTON_TEST_CUT}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.events);
        g_rec = Recorder{};
        PadState state{INPUT_MODE_KEYBOARD, 0, 0, 0};
        std::istringstream events(c.events);
        std::vector<std::string> all;
        for (std::string e; events >> e;) all.push_back(e);
        for (std::size_t i = 0; i + 1 < all.size(); ++i) run_event(all[i], &state);
        g_rec.redrawn.clear();
        run_event(all.back(), &state);
        EXPECT_EQ(g_rec.redrawn, c.last_redrawn);
    }
}

// The layout and the hit test together: edges count, the gaps between the arrows do not.
TEST(ButtonPad, PointsHitTheButtonWhoseEdgesIncludeThem)
{
    struct Case {
        std::int32_t x, y;
        PadButton hit;
    };
    const Case cases[] = {
        {200, 150 - 3 - 16, PAD_BUTTON_UP},          // up's bottom edge
        {200, 150 - 3 - 15, PAD_NO_BUTTON},          // the gap below it
        {200 - 16, 150 - 3 - 48, PAD_BUTTON_UP},     // up's top-left corner
        {200 - 17, 150 - 3 - 48, PAD_NO_BUTTON},
        {200, 150 + 3 + 48, PAD_BUTTON_DOWN},
        {200 - 3 - 48, 150 + 16, PAD_BUTTON_LEFT},
        {200 + 3 + 48, 150 + 16, PAD_BUTTON_RIGHT},  // right's bottom-right corner
        {200 + 3 + 49, 150, PAD_NO_BUTTON},
        {200, 150, PAD_NO_BUTTON},                   // the centre
        {300 + 16, 50 + 16, PAD_BUTTON_TEST_CUT},
        {60 - 16, 220 - 16, PAD_BUTTON_SET_ORIGIN},
        {-1, -1, PAD_NO_BUTTON},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pad_button_at(RECTS, c.x, c.y), c.hit) << c.x << "," << c.y;
    }
    // A key acts at its arrow's top-left corner, which only that arrow holds.
    for (int arrow = PAD_BUTTON_UP; arrow <= PAD_BUTTON_RIGHT; ++arrow) {
        EXPECT_EQ(pad_button_at(RECTS, RECTS.button[arrow].left, RECTS.button[arrow].top), arrow);
    }
}

TEST(ButtonPad, DialogsAreCentredOverTheFullSizeMainWindowWithHalvesTruncatedTowardZero)
{
    struct Case {
        std::int32_t left, top, width, height, dialog_width, dialog_height, x, y;
    };
    const Case cases[] = {
        {100, 50, 800, 600, 300, 201, 350, 249},
        {100, 50, 300, 200, 401, 303, 50, -1},  // larger than the window: -50.5 and -51.5
        {-20, -10, 100, 100, 50, 51, 5, 14},
    };
    for (const Case& c : cases) {
        const DialogPosition p = centred_dialog_position(c.left, c.top, c.width, c.height,
                                                         c.dialog_width, c.dialog_height);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

}  // namespace
