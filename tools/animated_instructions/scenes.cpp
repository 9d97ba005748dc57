#include "scenes.h"

#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "instruction_ids.h"

namespace {

constexpr COLORREF hex(unsigned rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The palette of the controller's pictures, so that the instructions look like the same product.
constexpr COLORREF WHITE = hex(0xFFFFFF);
constexpr COLORREF SHADOW = hex(0xE4E8EC);
constexpr COLORREF BODY = hex(0xF2F4F6);
constexpr COLORREF BODY_EDGE = hex(0x8C96A0);
constexpr COLORREF BODY_LOW = hex(0xDCE1E6);
constexpr COLORREF TOP = hex(0x4A525C);
constexpr COLORREF TOP_EDGE = hex(0x363C44);
constexpr COLORREF TOP_HI = hex(0x646D78);
constexpr COLORREF SLOT = hex(0x262C33);
constexpr COLORREF RAIL = hex(0xB4BDC6);
constexpr COLORREF ROLLER = hex(0x88929C);
constexpr COLORREF ROLLER_DARK = hex(0x5E6872);
constexpr COLORREF ACCENT = hex(0x2E7CD6);
constexpr COLORREF ACCENT_DARK = hex(0x1D5EA8);
constexpr COLORREF ACCENT_LIGHT = hex(0xDCEBFA);
constexpr COLORREF METAL = hex(0xD5DAE0);
constexpr COLORREF METAL_EDGE = hex(0x7E8994);
constexpr COLORREF BLADE = hex(0x4E5862);
constexpr COLORREF LED = hex(0x27C95A);
constexpr COLORREF LED_HI = hex(0xB8F5C9);
constexpr COLORREF KEY = hex(0xE3E7EB);
constexpr COLORREF KEY_EDGE = hex(0x23282E);
constexpr COLORREF INK = hex(0x25292E);
constexpr COLORREF MUTED = hex(0x6B7580);
constexpr COLORREF SHEET_EDGE = hex(0xA3ADB7);
constexpr COLORREF SHEET_SHADOW = hex(0xD9DEE3);
constexpr COLORREF MARK = hex(0x111111);
constexpr COLORREF DIM = hex(0xE0631A);
constexpr COLORREF SKY = hex(0xCDE7FA);
constexpr COLORREF SUN = hex(0xFFC23D);
constexpr COLORREF HILL_FAR = hex(0x7FBF8E);
constexpr COLORREF HILL_NEAR = hex(0x3F9A5C);
constexpr COLORREF GROUND = hex(0x9ACD6E);
constexpr COLORREF DONE = hex(0x27A852);

constexpr double PI = 3.14159265358979323846;

double clamp01(double v)
{
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

// Progress of an action that runs from `start` to `end` seconds, smoothed at both ends.
double ease(double seconds, double start, double end)
{
    const double t = clamp01((seconds - start) / (end - start));
    return t < 0.5 ? 2 * t * t : 1 - std::pow(-2 * t + 2, 2) / 2;
}

// The same, slowing down only at the end.
double ease_out(double seconds, double start, double end)
{
    const double t = clamp01((seconds - start) / (end - start));
    return 1 - std::pow(1 - t, 3);
}

double mix(double a, double b, double amount)
{
    return a + (b - a) * amount;
}

// ---- Shared pieces --------------------------------------------------------------------------

// An upward arrow: shaft and head, `length` long with its tip at (x, tip_y).
void up_arrow(Canvas* c, double x, double tip_y, double length, double width, COLORREF colour)
{
    const double head = width * 1.25;
    fill_rect(c, x - width / 2, tip_y + head * 0.9, x + width / 2, tip_y + length, colour);
    const Point tip[] = {{x, tip_y}, {x + head, tip_y + head * 1.1}, {x - head, tip_y + head * 1.1}};
    polygon(c, tip, 3, colour);
}

// The green tick that ends each scene; it pops in from nothing.
void done_badge(Canvas* c, double cx, double cy, double appear)
{
    if (appear <= 0) {
        return;
    }
    const double grow = appear < 0.7 ? appear / 0.7 * 1.15 : 1.15 - (appear - 0.7) / 0.3 * 0.15;
    const double r = 20 * grow;
    ellipse(c, cx + 1.5, cy + 2, r, r, SHADOW);
    ellipse(c, cx, cy, r, r, DONE, WHITE, 3);
    const Point tick[] = {{cx - r * 0.42, cy + r * 0.02}, {cx - r * 0.1, cy + r * 0.34},
                          {cx + r * 0.45, cy - r * 0.3}};
    polyline(c, tick, 3, WHITE, r * 0.18);
}

// A small printed picture: sky, sun, hills and meadow, inside the given rectangle.
void design(Canvas* c, double x0, double y0, double x1, double y1)
{
    const double w = x1 - x0;
    const double h = y1 - y0;
    fill_rect(c, x0, y0, x1, y1, SKY);
    ellipse(c, x0 + w * 0.72, y0 + h * 0.24, w * 0.11, w * 0.11, SUN);
    const Point far_hill[] = {{x0, y0 + h * 0.78}, {x0 + w * 0.3, y0 + h * 0.42},
                              {x0 + w * 0.62, y0 + h * 0.8}};
    polygon(c, far_hill, 3, HILL_FAR);
    const Point near_hill[] = {{x0 + w * 0.3, y0 + h * 0.8}, {x0 + w * 0.68, y0 + h * 0.5},
                               {x1, y0 + h * 0.72}, {x1, y0 + h * 0.8}};
    polygon(c, near_hill, 4, HILL_NEAR);
    fill_rect(c, x0, y0 + h * 0.78, x1, y1, GROUND);
}

// An L-shaped registration mark with its corner at (x, y), opening towards (dx, dy).
void registration_mark(Canvas* c, double x, double y, double dx, double dy, double arm,
                       double thickness)
{
    const double hx = x + dx * arm;
    const double vy = y + dy * arm;
    fill_rect(c, dx > 0 ? x : hx, dy > 0 ? y : y - thickness, dx > 0 ? hx : x,
              dy > 0 ? y + thickness : y, MARK);
    fill_rect(c, dx > 0 ? x : x - thickness, dy > 0 ? y : vy, dx > 0 ? x + thickness : x,
              dy > 0 ? vy : y, MARK);
}

// The blade holder seen from the side, its blade point at (x, tip_y).
void blade_holder(Canvas* c, double x, double tip_y, double scale)
{
    auto s = [scale](double v) { return v * scale; };
    const double nose_top = tip_y - s(28);
    const double collar_top = nose_top - s(16);
    const double body_top = collar_top - s(150);
    round_rect(c, x - s(24), body_top, x + s(24), collar_top + s(6), s(9), ACCENT, ACCENT_DARK, s(2));
    for (int i = 0; i < 6; ++i) {  // knurled grip
        const double y = body_top + s(22) + i * s(8);
        line(c, x - s(22), y, x + s(22), y, blend(ACCENT, ACCENT_DARK, 0.6), s(1.6));
    }
    fill_rect(c, x - s(15), body_top + s(10), x - s(10), collar_top - s(6), blend(ACCENT, WHITE, 0.35));
    round_rect(c, x - s(20), collar_top, x + s(20), nose_top + s(2), s(3), METAL, METAL_EDGE, s(1.6));
    const Point nose[] = {{x - s(9), nose_top}, {x + s(9), nose_top}, {x + s(5), tip_y - s(10)},
                          {x - s(5), tip_y - s(10)}};
    polygon(c, nose, 4, METAL, METAL_EDGE, s(1.4));
    const Point blade[] = {{x - s(4), tip_y - s(11)}, {x + s(4), tip_y - s(11)}, {x, tip_y}};
    polygon(c, blade, 3, BLADE);
}

// ---- Scene 1: the blade adjustment cap -------------------------------------------------------

void draw_cap(Canvas* c, double cx, double top, double turn)
{
    const double x0 = cx - 27;
    const double x1 = cx + 27;
    const double bottom = top + 62;
    round_rect(c, x0, top, x1, bottom, 8, METAL, METAL_EDGE, 2);
    fill_rect(c, x0 + 1.5, top + 1.5, x1 - 1.5, top + 8, blend(METAL, METAL_EDGE, 0.35));
    // Ridges that run round the cap; they slide sideways while it is turned.
    clip_rect(c, x0 + 3, top + 14, x1 - 3, bottom - 8);
    const double shift = std::fmod(turn * 60.0, 9.0);
    for (double x = x0 - 9 + shift; x < x1 + 9; x += 9) {
        line(c, x, top + 16, x, bottom - 10, METAL_EDGE, 1.6);
    }
    clip_none(c);
    fill_rect(c, x0 + 6, bottom - 7, x1 - 6, bottom - 4, blend(METAL, METAL_EDGE, 0.5));
}

// A curved arrow round the cap, drawn part of the way as it appears.
void turn_arrow(Canvas* c, double cx, double cy, double progress, COLORREF colour)
{
    if (progress <= 0) {
        return;
    }
    const double rx = 56;
    const double ry = 16;
    const double start = PI * 0.15;
    const double sweep = PI * 1.55 * progress;
    Point arc[48];
    const int count = 48;
    for (int i = 0; i < count; ++i) {
        const double a = start + sweep * i / (count - 1);
        arc[i] = {cx + rx * std::cos(a), cy + ry * std::sin(a)};
    }
    polyline(c, arc, count, colour, 4.5);
    const double a = start + sweep;
    const Point end = {cx + rx * std::cos(a), cy + ry * std::sin(a)};
    const double tx = -rx * std::sin(a);
    const double ty = ry * std::cos(a);
    const double len = std::sqrt(tx * tx + ty * ty);
    const double ux = tx / len;
    const double uy = ty / len;
    const Point head[] = {{end.x + ux * 13, end.y + uy * 13},
                          {end.x - uy * 9 - ux * 2, end.y + ux * 9 - uy * 2},
                          {end.x + uy * 9 - ux * 2, end.y - ux * 9 - uy * 2}};
    polygon(c, head, 3, colour);
}

void scene_mount_cap(Canvas* c, double t)
{
    const double cx = VIEW_WIDTH / 2.0;
    const double tip_y = 248;
    const double rise = ease(t, 0.5, 2.1);
    const double cap_top = mix(PICTURE_HEIGHT + 8, tip_y - 46, rise);
    const double turn = ease(t, 2.4, 3.9);

    ellipse(c, cx, 304, 150, 11, SHADOW);
    // The part of the turn arrow behind the holder, then the holder, the cap and the front part.
    blade_holder(c, cx, tip_y, 1.0);
    clip_rect(c, 0, 0, VIEW_WIDTH, PICTURE_HEIGHT);
    draw_cap(c, cx, cap_top, turn);
    clip_none(c);

    if (t > 0.3 && t < 2.3) {
        const double fade = t < 0.6 ? (t - 0.3) / 0.3 : (t > 2.0 ? (2.3 - t) / 0.3 : 1);
        const COLORREF arrow = blend(WHITE, ACCENT, fade);
        up_arrow(c, cx + 78, 170 + (1 - rise) * 30, 86, 10, arrow);
        up_arrow(c, cx - 78, 170 + (1 - rise) * 30, 86, 10, arrow);
    }
    if (t > 2.3) {
        const double fade = clamp01((t - 2.3) / 0.3);
        turn_arrow(c, cx, cap_top + 31, clamp01((t - 2.3) / 1.6), blend(WHITE, ACCENT, fade));
    }
    done_badge(c, cx + 92, cap_top - 16, clamp01((t - 4.1) / 0.35));
}

// ---- Scene 2: loading the sheet --------------------------------------------------------------

constexpr double SLOT_Y = 136;

void cutter_top_view(Canvas* c, double grip)
{
    const double x0 = 104;
    const double x1 = VIEW_WIDTH - 104;
    round_rect(c, x0, 92, x1, 158, 10, BODY, BODY_EDGE, 2);
    fill_rect(c, x0 + 2, 146, x1 - 2, 156, BODY_LOW);
    round_rect(c, x0, 26, x1, 104, 12, TOP, TOP_EDGE, 2);
    line(c, x0 + 14, 34, x1 - 14, 34, TOP_HI, 2);
    // LED and standby key, as on the cutter itself.
    ellipse(c, x1 - 78, 64, 12, 12, blend(TOP, LED, 0.35));
    ellipse(c, x1 - 78, 64, 7, 7, LED, hex(0x1E9E47), 1.2);
    ellipse(c, x1 - 80, 62, 2.5, 2.5, LED_HI);
    round_rect(c, x1 - 56, 53, x1 - 32, 75, 4, KEY, KEY_EDGE, 1.5);
    Point power[14];
    for (int i = 0; i < 14; ++i) {
        const double a = -PI / 2 + PI * 0.28 + (2 * PI - PI * 0.56) * i / 13;
        power[i] = {x1 - 44 + 6 * std::cos(a), 64 + 6 * std::sin(a)};
    }
    polyline(c, power, 14, KEY_EDGE, 1.6);
    line(c, x1 - 44, 57, x1 - 44, 63, KEY_EDGE, 1.6);
    // Feed slot with its rail and the two pinch rollers, which turn blue when they take hold.
    round_rect(c, x0 + 22, SLOT_Y - 6, x1 - 22, SLOT_Y + 4, 3, SLOT);
    line(c, x0 + 30, SLOT_Y - 1, x1 - 30, SLOT_Y - 1, RAIL, 2);
    const COLORREF roller = blend(ROLLER, ACCENT, grip);
    const COLORREF roller_edge = blend(ROLLER_DARK, ACCENT_DARK, grip);
    for (double rx : {x0 + 96.0, x1 - 96.0}) {
        round_rect(c, rx - 15, SLOT_Y - 10, rx + 15, SLOT_Y + 6, 4, roller, roller_edge, 1.5);
    }
}

void sheet_with_design(Canvas* c, double x0, double y0, double x1, double y1)
{
    fill_rect(c, x0 + 4, y0 + 5, x1 + 4, y1 + 5, SHEET_SHADOW);
    fill_rect(c, x0, y0, x1, y1, WHITE);
    const Point outline[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    polyline(c, outline, 5, SHEET_EDGE, 1.5);
    const double inset = 18;
    design(c, x0 + inset + 7, y0 + inset + 7, x1 - inset - 7, y1 - inset - 7);
    registration_mark(c, x0 + inset, y0 + inset, 1, 1, 13, 3.5);
    registration_mark(c, x1 - inset, y0 + inset, -1, 1, 13, 3.5);
    registration_mark(c, x0 + inset, y1 - inset, 1, -1, 13, 3.5);
    registration_mark(c, x1 - inset, y1 - inset, -1, -1, 13, 3.5);
}

void scene_load_sheet(Canvas* c, double t)
{
    const double feed = ease_out(t, 0.5, 3.0);
    const double width = 140;
    const double height = 190;
    const double x0 = (VIEW_WIDTH - width) / 2;
    const double top = mix(PICTURE_HEIGHT + 12, SLOT_Y - 22, feed);

    // The sheet slides under the cutter's body: draw it first, then the cutter over it.
    ellipse(c, VIEW_WIDTH / 2.0, 160, VIEW_WIDTH / 2.0 - 90, 10, SHADOW);
    clip_rect(c, 0, SLOT_Y - 2, VIEW_WIDTH, PICTURE_HEIGHT);
    sheet_with_design(c, x0, top, x0 + width, top + height);
    clip_none(c);
    cutter_top_view(c, ease(t, 3.0, 3.4));

    // Feed arrows beside the sheet; they run upwards while the sheet moves.
    const double moving = t < 3.2 ? 1 : clamp01(1 - (t - 3.2) / 0.4);
    if (moving > 0) {
        const double drift = std::fmod(t * 1.4, 1.0);
        for (double ax : {x0 - 70, x0 + width + 70}) {
            for (int i = 0; i < 2; ++i) {
                const double phase = std::fmod(drift + i * 0.5, 1.0);
                const double tip = 300 - phase * 110;
                const double alpha = std::sin(phase * PI) * moving;
                up_arrow(c, ax, tip, 44, 12, blend(WHITE, ACCENT, alpha));
            }
        }
    }
    done_badge(c, x0 + width + 60, 230, clamp01((t - 3.7) / 0.35));
}

// ---- Scene 3: jogging the blade onto the registration mark ------------------------------------

constexpr double MARK_X = 176;
constexpr double MARK_Y = 138;
constexpr double START_X = MARK_X + 5 * 48;
constexpr double START_Y = MARK_Y + 4 * 34;
constexpr double STEP_SECONDS = 0.36;
constexpr double JOG_START = 0.6;

enum Jog { JOG_NONE, JOG_LEFT, JOG_UP };

// Where the blade point is, and which arrow is held, `t` seconds into the scene: five steps to
// the left, then four up, each a short move followed by a pause.
Point blade_point(double t, Jog* held)
{
    const int left_steps = 5;
    const int up_steps = 4;
    const double step_width = (START_X - MARK_X) / left_steps;
    const double step_height = (START_Y - MARK_Y) / up_steps;
    const double into = (t - JOG_START) / STEP_SECONDS;
    *held = JOG_NONE;
    if (into < 0) {
        return {START_X, START_Y};
    }
    const int step = static_cast<int>(into);
    const double part = ease(into - step, 0.0, 0.7);
    const bool pressed = into - step < 0.7;
    if (step < left_steps) {
        *held = pressed ? JOG_LEFT : JOG_NONE;
        return {START_X - (step + part) * step_width, START_Y};
    }
    if (step < left_steps + up_steps) {
        *held = pressed ? JOG_UP : JOG_NONE;
        return {MARK_X, START_Y - (step - left_steps + part) * step_height};
    }
    return {MARK_X, MARK_Y};
}

void arrow_key(Canvas* c, double cx, double cy, double angle, bool held)
{
    const double h = 19;
    round_rect(c, cx - h + 1, cy - h + 2, cx + h + 1, cy + h + 2, 7, SHADOW);
    round_rect(c, cx - h, cy - h, cx + h, cy + h, 7, held ? ACCENT : KEY,
               held ? ACCENT_DARK : BODY_EDGE, 1.5);
    const double ca = std::cos(angle);
    const double sa = std::sin(angle);
    auto at = [&](double x, double y) { return Point{cx + x * ca - y * sa, cy + x * sa + y * ca}; };
    const Point head[] = {at(9, 0), at(-6, -9), at(-6, 9)};
    polygon(c, head, 3, held ? WHITE : INK);
}

void scene_jog_to_mark(Canvas* c, double t)
{
    // A corner of the sheet, close up, with its first registration mark and the printed design.
    const double sheet_x = 64;
    const double sheet_y = 62;
    fill_rect(c, sheet_x + 5, sheet_y + 6, VIEW_WIDTH, PICTURE_HEIGHT, SHEET_SHADOW);
    fill_rect(c, sheet_x, sheet_y, VIEW_WIDTH, PICTURE_HEIGHT, WHITE);
    line(c, sheet_x, sheet_y, VIEW_WIDTH, sheet_y, SHEET_EDGE, 1.5);
    line(c, sheet_x, sheet_y, sheet_x, PICTURE_HEIGHT, SHEET_EDGE, 1.5);
    design(c, MARK_X + 34, MARK_Y + 34, 440, PICTURE_HEIGHT + 40);
    registration_mark(c, MARK_X, MARK_Y, 1, 1, 78, 9);

    Jog held = JOG_NONE;
    const Point point = blade_point(t, &held);
    const double arrived = clamp01((t - (JOG_START + 9 * STEP_SECONDS)) / 0.3);

    // The blade point's target: a ring round the mark's corner that turns green on arrival.
    if (arrived > 0) {
        const double r = 18 + 10 * arrived;
        ellipse(c, MARK_X, MARK_Y, r, r, CLR_INVALID, blend(WHITE, DONE, 1 - arrived * 0.4), 3);
    }
    blade_holder(c, point.x, point.y, 0.62);
    line(c, point.x - 14, point.y, point.x - 5, point.y, DIM, 2);
    line(c, point.x + 5, point.y, point.x + 14, point.y, DIM, 2);
    line(c, point.x, point.y + 5, point.x, point.y + 14, DIM, 2);

    // The arrow buttons the user holds.
    const double pad_x = 548;
    const double pad_y = 234;
    round_rect(c, pad_x - 72, pad_y - 72, pad_x + 72, pad_y + 72, 16, BODY, BODY_EDGE, 1.5);
    ellipse(c, pad_x, pad_y, 10, 10, BODY_LOW, BODY_EDGE, 1.2);
    arrow_key(c, pad_x, pad_y - 44, -PI / 2, held == JOG_UP);
    arrow_key(c, pad_x, pad_y + 44, PI / 2, false);
    arrow_key(c, pad_x - 44, pad_y, PI, held == JOG_LEFT);
    arrow_key(c, pad_x + 44, pad_y, 0, false);

    done_badge(c, MARK_X + 62, MARK_Y - 40, clamp01((t - (JOG_START + 9 * STEP_SECONDS) - 0.2) / 0.35));
}

std::string load(UINT id)
{
    char buffer[256] = {};
    const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

void text_at(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT box, UINT format)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX);
    SelectObject(dc, old);
}

constexpr double BADGE_X = 50;
constexpr double BADGE_Y = PICTURE_HEIGHT + 44;

}  // namespace

void draw_scene(Canvas* canvas, int scene, double seconds)
{
    fill_rect(canvas, 0, 0, VIEW_WIDTH, PICTURE_HEIGHT, WHITE);
    switch (scene) {
    case 0: scene_mount_cap(canvas, seconds); break;
    case 1: scene_load_sheet(canvas, seconds); break;
    default: scene_jog_to_mark(canvas, seconds); break;
    }
}

void draw_caption_band(Canvas* canvas, int scene, double seconds)
{
    fill_rect(canvas, 0, PICTURE_HEIGHT, VIEW_WIDTH, VIEW_HEIGHT, BODY);
    fill_rect(canvas, 0, PICTURE_HEIGHT, VIEW_WIDTH, PICTURE_HEIGHT + 4, BODY_LOW);
    fill_rect(canvas, 0, PICTURE_HEIGHT, VIEW_WIDTH * clamp01(seconds / SCENE_SECONDS),
              PICTURE_HEIGHT + 4, ACCENT);
    ellipse(canvas, BADGE_X, BADGE_Y, 22, 22, ACCENT, ACCENT_DARK, 1.5);
    for (int i = 0; i < SCENE_COUNT; ++i) {
        const double x = VIEW_WIDTH - 70 + i * 22;
        const double y = VIEW_HEIGHT - 20;
        if (i == scene) {
            round_rect(canvas, x - 9, y - 5, x + 9, y + 5, 5, ACCENT);
        } else {
            ellipse(canvas, x, y, 5, 5, RAIL);
        }
    }
}

void draw_caption_texts(Canvas* canvas, int scene, HFONT number_font, HFONT caption_font,
                        HFONT detail_font, HFONT hint_font)
{
    HDC dc = canvas->frame_dc;
    SetBkMode(dc, TRANSPARENT);
    char number[4];
    std::snprintf(number, sizeof number, "%d", scene + 1);
    const int bx = static_cast<int>(BADGE_X);
    const int by = static_cast<int>(BADGE_Y);
    text_at(dc, number_font, WHITE, number, {bx - 22, by - 22, bx + 22, by + 22},
            DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    const int left = 90;
    text_at(dc, caption_font, INK, load(IDS_SCENE_CAPTION_FIRST + scene),
            {left, PICTURE_HEIGHT + 18, VIEW_WIDTH - 20, PICTURE_HEIGHT + 46}, DT_LEFT | DT_SINGLELINE);
    text_at(dc, detail_font, MUTED, load(IDS_SCENE_DETAIL_FIRST + scene),
            {left, PICTURE_HEIGHT + 48, VIEW_WIDTH - 24, PICTURE_HEIGHT + 86}, DT_LEFT | DT_WORDBREAK);
    text_at(dc, hint_font, RAIL, load(IDS_HINT),
            {left, VIEW_HEIGHT - 28, VIEW_WIDTH - 100, VIEW_HEIGHT - 10}, DT_LEFT | DT_SINGLELINE);
}

double scene_fade(double seconds)
{
    return clamp01(1 - seconds / 0.35);
}

void fade_frame(Canvas* canvas, int x0, int y0, int x1, int y1, COLORREF colour, double amount)
{
    if (amount <= 0) {
        return;
    }
    const unsigned keep = static_cast<unsigned>((1 - clamp01(amount)) * 256);
    const unsigned add_r = GetRValue(colour) * (256 - keep);
    const unsigned add_g = GetGValue(colour) * (256 - keep);
    const unsigned add_b = GetBValue(colour) * (256 - keep);
    for (int y = y0; y < y1 && y < canvas->height; ++y) {
        std::uint32_t* row = canvas->frame_pixels + static_cast<std::size_t>(y) * canvas->width;
        for (int x = x0; x < x1 && x < canvas->width; ++x) {
            const std::uint32_t p = row[x];
            const unsigned r = (((p >> 16) & 0xFF) * keep + add_r) >> 8;
            const unsigned g = (((p >> 8) & 0xFF) * keep + add_g) >> 8;
            const unsigned b = ((p & 0xFF) * keep + add_b) >> 8;
            row[x] = r << 16 | g << 8 | b;
        }
    }
}
