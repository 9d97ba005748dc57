// CIC_DMAN.EXE: shows, animated, how to prepare a cut: mount the blade adjustment cap, load the
// sheet, jog the blade onto the registration mark. The controller starts it without arguments,
// raises its window and closes it with WM_CLOSE.
//
// "CIC_DMAN.EXE -still SCENE SECONDS" shows one moment of one scene without moving (for
// pictures of the scenes).
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "canvas.h"
#include "instruction_ids.h"
#include "scenes.h"

namespace {

constexpr UINT_PTR FRAME_TIMER = 1;
constexpr UINT FRAME_MS = 33;
constexpr const char* WINDOW_CLASS = "QuillmarkAnimatedInstructions";

struct Player {
    int scene = 0;
    DWORD scene_start = 0;  // tick count when the scene began
    bool still = false;     // a fixed moment: no timer
    double still_seconds = 0;
    Canvas canvas;
    HFONT number_font = nullptr;
    HFONT caption_font = nullptr;
    HFONT detail_font = nullptr;
    HFONT hint_font = nullptr;
};

Player g_player;

int CALLBACK note_font(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool font_installed(const char* face)
{
    HDC dc = GetDC(nullptr);
    LOGFONTA wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, note_font, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

HFONT make_font(int pixel_height, int weight)
{
    static const char* face = font_installed("Segoe UI") ? "Segoe UI" : "Tahoma";
    return CreateFontA(-pixel_height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, face);
}

double scene_seconds(const Player& player)
{
    if (player.still) {
        return player.still_seconds;
    }
    return (GetTickCount() - player.scene_start) / 1000.0;
}

void go_to_scene(Player* player, int scene)
{
    player->scene = (scene % SCENE_COUNT + SCENE_COUNT) % SCENE_COUNT;
    player->scene_start = GetTickCount();
}

void render(Player* player)
{
    Canvas* canvas = &player->canvas;
    const double seconds = scene_seconds(*player);
    draw_scene(canvas, player->scene, seconds);
    draw_caption_band(canvas, player->scene, seconds);
    resolve_canvas(canvas);
    fade_frame(canvas, 0, 0, VIEW_WIDTH, PICTURE_HEIGHT, RGB(255, 255, 255), scene_fade(seconds));
    draw_caption_texts(canvas, player->scene, player->number_font, player->caption_font,
                       player->detail_font, player->hint_font);
}

void paint(HWND window, Player* player)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (player->canvas.frame_dc != nullptr) {
        render(player);
        BitBlt(dc, 0, 0, VIEW_WIDTH, VIEW_HEIGHT, player->canvas.frame_dc, 0, 0, SRCCOPY);
    }
    EndPaint(window, &ps);
}

LRESULT on_create(HWND window, Player* player)
{
    HDC dc = GetDC(window);
    const bool ready = create_canvas(dc, VIEW_WIDTH, VIEW_HEIGHT, &player->canvas);
    ReleaseDC(window, dc);
    if (!ready) {
        return -1;
    }
    player->number_font = make_font(22, FW_BOLD);
    player->caption_font = make_font(20, FW_BOLD);
    player->detail_font = make_font(15, FW_NORMAL);
    player->hint_font = make_font(12, FW_NORMAL);
    if (!player->still) {
        SetTimer(window, FRAME_TIMER, FRAME_MS, nullptr);
        player->scene_start = GetTickCount();
    }
    return 0;
}

void on_destroy(HWND window, Player* player)
{
    KillTimer(window, FRAME_TIMER);
    destroy_canvas(&player->canvas);
    for (HFONT font : {player->number_font, player->caption_font, player->detail_font,
                       player->hint_font}) {
        if (font != nullptr) {
            DeleteObject(font);
        }
    }
    PostQuitMessage(0);
}

void on_timer(HWND window, Player* player)
{
    if (scene_seconds(*player) >= SCENE_SECONDS) {
        go_to_scene(player, player->scene + 1);
    }
    InvalidateRect(window, nullptr, FALSE);
}

void step_scene(HWND window, Player* player, int by)
{
    if (player->still) {
        return;
    }
    go_to_scene(player, player->scene + by);
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    Player* player = &g_player;
    switch (message) {
    case WM_CREATE:
        return on_create(window, player);
    case WM_ERASEBKGND:
        return 1;  // every pixel is painted from the frame
    case WM_PAINT:
        paint(window, player);
        return 0;
    case WM_TIMER:
        on_timer(window, player);
        return 0;
    case WM_LBUTTONDOWN:
        step_scene(window, player, 1);
        return 0;
    case WM_KEYDOWN:
        if (wparam == VK_RIGHT || wparam == VK_SPACE || wparam == VK_NEXT) {
            step_scene(window, player, 1);
        } else if (wparam == VK_LEFT || wparam == VK_PRIOR) {
            step_scene(window, player, -1);
        } else if (wparam == VK_ESCAPE) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return 0;
    case WM_DESTROY:
        on_destroy(window, player);
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

void read_arguments(const char* command_line, Player* player)
{
    int scene = 0;
    double seconds = 0;
    if (std::sscanf(command_line, " -still %d %lf", &scene, &seconds) == 2) {
        player->still = true;
        player->still_seconds = seconds;
        player->scene = (scene - 1 + SCENE_COUNT * 16) % SCENE_COUNT;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int show)
{
    read_arguments(command_line, &g_player);

    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_INSTRUCTIONS));
    window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    window_class.lpszClassName = WINDOW_CLASS;
    if (RegisterClassA(&window_class) == 0) {
        return 1;
    }

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, VIEW_WIDTH, VIEW_HEIGHT};
    AdjustWindowRect(&frame, style, FALSE);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = work.left + (work.right - work.left - width) / 2;
    const int y = work.top + (work.bottom - work.top - height) / 2;

    char title[128] = {};
    LoadStringA(instance, IDS_WINDOW_TITLE, title, sizeof title);
    HWND window = CreateWindowExA(0, WINDOW_CLASS, title, style, x, y, width, height, nullptr,
                                  nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    // The window is on screen before the message loop starts, so that whoever waits for this
    // program to become ready for input finds it.
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
