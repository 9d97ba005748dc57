#include "canvas.h"

#include <vector>

namespace {

int fine(double v)
{
    const double scaled = v * SUPERSAMPLE;
    return static_cast<int>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

HBITMAP create_dib(HDC reference, int width, int height, std::uint32_t** pixels)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    *pixels = static_cast<std::uint32_t*>(bits);
    return bitmap;
}

// Selects a pen and a brush for one shape and puts the old ones back afterwards.
class ShapeStyle {
public:
    ShapeStyle(HDC dc, COLORREF fill, COLORREF edge, double edge_width) : dc_(dc)
    {
        if (edge == CLR_INVALID) {
            pen_ = nullptr;
            old_pen_ = SelectObject(dc, GetStockObject(NULL_PEN));
        } else {
            LOGBRUSH brush = {BS_SOLID, edge, 0};
            const int width = fine(edge_width) > 0 ? fine(edge_width) : 1;
            pen_ = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND, width,
                                &brush, 0, nullptr);
            old_pen_ = SelectObject(dc, pen_);
        }
        brush_ = fill == CLR_INVALID ? nullptr : CreateSolidBrush(fill);
        old_brush_ = SelectObject(dc, brush_ != nullptr ? static_cast<HGDIOBJ>(brush_)
                                                        : GetStockObject(NULL_BRUSH));
    }
    ~ShapeStyle()
    {
        SelectObject(dc_, old_pen_);
        SelectObject(dc_, old_brush_);
        if (pen_ != nullptr) {
            DeleteObject(pen_);
        }
        if (brush_ != nullptr) {
            DeleteObject(brush_);
        }
    }
    ShapeStyle(const ShapeStyle&) = delete;
    ShapeStyle& operator=(const ShapeStyle&) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ old_pen_;
    HGDIOBJ old_brush_;
};

std::vector<POINT> to_fine(const Point* points, int count)
{
    std::vector<POINT> result(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        result[static_cast<std::size_t>(i)] = {fine(points[i].x), fine(points[i].y)};
    }
    return result;
}

}  // namespace

bool create_canvas(HDC reference, int width, int height, Canvas* canvas)
{
    canvas->width = width;
    canvas->height = height;
    canvas->fine_dc = CreateCompatibleDC(reference);
    canvas->frame_dc = CreateCompatibleDC(reference);
    canvas->fine_bitmap = create_dib(reference, width * SUPERSAMPLE, height * SUPERSAMPLE,
                                     &canvas->fine_pixels);
    canvas->frame_bitmap = create_dib(reference, width, height, &canvas->frame_pixels);
    if (canvas->fine_dc == nullptr || canvas->frame_dc == nullptr ||
        canvas->fine_bitmap == nullptr || canvas->frame_bitmap == nullptr) {
        destroy_canvas(canvas);
        return false;
    }
    canvas->fine_old = SelectObject(canvas->fine_dc, canvas->fine_bitmap);
    canvas->frame_old = SelectObject(canvas->frame_dc, canvas->frame_bitmap);
    SetPolyFillMode(canvas->fine_dc, WINDING);
    return true;
}

void destroy_canvas(Canvas* canvas)
{
    if (canvas->fine_dc != nullptr) {
        if (canvas->fine_old != nullptr) {
            SelectObject(canvas->fine_dc, canvas->fine_old);
        }
        DeleteDC(canvas->fine_dc);
    }
    if (canvas->frame_dc != nullptr) {
        if (canvas->frame_old != nullptr) {
            SelectObject(canvas->frame_dc, canvas->frame_old);
        }
        DeleteDC(canvas->frame_dc);
    }
    if (canvas->fine_bitmap != nullptr) {
        DeleteObject(canvas->fine_bitmap);
    }
    if (canvas->frame_bitmap != nullptr) {
        DeleteObject(canvas->frame_bitmap);
    }
    *canvas = Canvas();
}

void resolve_canvas(Canvas* canvas)
{
    GdiFlush();  // the fine bitmap is read directly below
    const int fine_width = canvas->width * SUPERSAMPLE;
    const unsigned samples = SUPERSAMPLE * SUPERSAMPLE;
    for (int y = 0; y < canvas->height; ++y) {
        std::uint32_t* out = canvas->frame_pixels + static_cast<std::size_t>(y) * canvas->width;
        const std::uint32_t* rows =
            canvas->fine_pixels + static_cast<std::size_t>(y) * SUPERSAMPLE * fine_width;
        for (int x = 0; x < canvas->width; ++x) {
            unsigned r = 0, g = 0, b = 0;
            for (int sy = 0; sy < SUPERSAMPLE; ++sy) {
                const std::uint32_t* p = rows + static_cast<std::size_t>(sy) * fine_width +
                                         static_cast<std::size_t>(x) * SUPERSAMPLE;
                for (int sx = 0; sx < SUPERSAMPLE; ++sx) {
                    r += (p[sx] >> 16) & 0xFF;
                    g += (p[sx] >> 8) & 0xFF;
                    b += p[sx] & 0xFF;
                }
            }
            out[x] = ((r + samples / 2) / samples) << 16 | ((g + samples / 2) / samples) << 8 |
                     ((b + samples / 2) / samples);
        }
    }
}

void fill_rect(Canvas* canvas, double x0, double y0, double x1, double y1, COLORREF fill)
{
    RECT r = {fine(x0), fine(y0), fine(x1), fine(y1)};
    HBRUSH brush = CreateSolidBrush(fill);
    FillRect(canvas->fine_dc, &r, brush);
    DeleteObject(brush);
}

void round_rect(Canvas* canvas, double x0, double y0, double x1, double y1, double radius,
                COLORREF fill, COLORREF edge, double edge_width)
{
    ShapeStyle style(canvas->fine_dc, fill, edge, edge_width);
    const int d = fine(radius * 2);
    RoundRect(canvas->fine_dc, fine(x0), fine(y0), fine(x1), fine(y1), d, d);
}

void ellipse(Canvas* canvas, double cx, double cy, double rx, double ry, COLORREF fill,
             COLORREF edge, double edge_width)
{
    ShapeStyle style(canvas->fine_dc, fill, edge, edge_width);
    Ellipse(canvas->fine_dc, fine(cx - rx), fine(cy - ry), fine(cx + rx), fine(cy + ry));
}

void polygon(Canvas* canvas, const Point* points, int count, COLORREF fill, COLORREF edge,
             double edge_width)
{
    ShapeStyle style(canvas->fine_dc, fill, edge, edge_width);
    const std::vector<POINT> p = to_fine(points, count);
    Polygon(canvas->fine_dc, p.data(), count);
}

void polyline(Canvas* canvas, const Point* points, int count, COLORREF colour, double width)
{
    ShapeStyle style(canvas->fine_dc, CLR_INVALID, colour, width);
    const std::vector<POINT> p = to_fine(points, count);
    Polyline(canvas->fine_dc, p.data(), count);
}

void line(Canvas* canvas, double x0, double y0, double x1, double y1, COLORREF colour,
          double width)
{
    const Point p[] = {{x0, y0}, {x1, y1}};
    polyline(canvas, p, 2, colour, width);
}

void clip_rect(Canvas* canvas, double x0, double y0, double x1, double y1)
{
    HRGN region = CreateRectRgn(fine(x0), fine(y0), fine(x1), fine(y1));
    SelectClipRgn(canvas->fine_dc, region);
    DeleteObject(region);
}

void clip_none(Canvas* canvas)
{
    SelectClipRgn(canvas->fine_dc, nullptr);
}

COLORREF blend(COLORREF from, COLORREF to, double amount)
{
    amount = amount < 0 ? 0 : (amount > 1 ? 1 : amount);
    auto mix = [amount](int a, int b) {
        return static_cast<BYTE>(a + (b - a) * amount + 0.5);
    };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}
