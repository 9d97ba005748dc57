// Smooth flat drawing with plain GDI: shapes are drawn at a multiple of the window's size into a
// memory bitmap and averaged down, which gives them soft edges; text is drawn afterwards at the
// window's own size, where the platform renders it best.
#ifndef INSTRUCTIONS_CANVAS_H
#define INSTRUCTIONS_CANVAS_H

#include <windows.h>

#include <cstdint>

constexpr int SUPERSAMPLE = 2;

struct Point {
    double x;
    double y;
};

// A frame being drawn. Shape coordinates are in window pixels, as doubles.
struct Canvas {
    int width = 0;          // window pixels
    int height = 0;
    HDC fine_dc = nullptr;  // SUPERSAMPLE times larger; shapes go here
    HBITMAP fine_bitmap = nullptr;
    std::uint32_t* fine_pixels = nullptr;
    HDC frame_dc = nullptr;  // window size; text goes here, then it is copied to the window
    HBITMAP frame_bitmap = nullptr;
    std::uint32_t* frame_pixels = nullptr;
    HGDIOBJ fine_old = nullptr;
    HGDIOBJ frame_old = nullptr;
};

bool create_canvas(HDC reference, int width, int height, Canvas* canvas);
void destroy_canvas(Canvas* canvas);

// Averages the fine drawing into the frame.
void resolve_canvas(Canvas* canvas);

// Shapes. `edge` CLR_INVALID draws no outline; `fill` CLR_INVALID leaves the inside empty.
void fill_rect(Canvas* canvas, double x0, double y0, double x1, double y1, COLORREF fill);
void round_rect(Canvas* canvas, double x0, double y0, double x1, double y1, double radius,
                COLORREF fill, COLORREF edge = CLR_INVALID, double edge_width = 1.0);
void ellipse(Canvas* canvas, double cx, double cy, double rx, double ry, COLORREF fill,
             COLORREF edge = CLR_INVALID, double edge_width = 1.0);
void polygon(Canvas* canvas, const Point* points, int count, COLORREF fill,
             COLORREF edge = CLR_INVALID, double edge_width = 1.0);
void polyline(Canvas* canvas, const Point* points, int count, COLORREF colour, double width);
void line(Canvas* canvas, double x0, double y0, double x1, double y1, COLORREF colour,
          double width);

// Limits shape drawing to a rectangle until clip_none; used to slide things under others.
void clip_rect(Canvas* canvas, double x0, double y0, double x1, double y1);
void clip_none(Canvas* canvas);

// Mixes two colours; amount 0 gives `from`, 1 gives `to`.
COLORREF blend(COLORREF from, COLORREF to, double amount);

#endif
