#include <gtest/gtest.h>

#include <windows.h>

#include "common/result_presentation.h"
#include "common/result_report.h"

namespace {

enum class ShownIcon { None, Stop, Exclamation, Other };

// What the window that report_result shows held. A thread timer looks at it from inside its
// modal loop: the first tick sends the command Escape sends, a later one finds it still open.
struct Shown {
    HWND box = nullptr;
    ShownIcon icon = ShownIcon::None;
    bool picture = false;  // a static showing a bitmap
    bool stays_on_cancel = false;
    HWND owner = nullptr;
} g_shown;

void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// System icons are shared handles within one process, so the box's icon can be compared to
// the ones this process loads.
void CALLBACK look(HWND, UINT, UINT_PTR, DWORD)
{
    HWND box = FindWindowExA(nullptr, nullptr, "#32770", nullptr);
    while (box != nullptr &&
           (GetWindowThreadProcessId(box, nullptr) != GetCurrentThreadId() || !IsWindowVisible(box))) {
        box = FindWindowExA(nullptr, box, "#32770", nullptr);
    }
    if (box == nullptr) {
        return;
    }
    if (box == g_shown.box) {
        g_shown.stays_on_cancel = true;
        press(box, IDOK);
        return;
    }
    g_shown.box = box;
    g_shown.owner = GetWindow(box, GW_OWNER);
    for (HWND c = FindWindowExA(box, nullptr, "Static", nullptr); c; c = FindWindowExA(box, c, "Static", nullptr)) {
        const LONG type = GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK;
        if (type == SS_ICON && g_shown.icon == ShownIcon::None) {
            const HICON icon = reinterpret_cast<HICON>(SendMessageA(c, STM_GETICON, 0, 0));
            g_shown.icon = icon == LoadIcon(nullptr, IDI_HAND)          ? ShownIcon::Stop
                           : icon == LoadIcon(nullptr, IDI_EXCLAMATION) ? ShownIcon::Exclamation
                                                                        : ShownIcon::Other;
        }
        g_shown.picture |= type == SS_BITMAP && SendMessageA(c, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
    }
    press(box, IDCANCEL);
}

// Failures show a stop box, notices an exclamation box, both closed by Escape too, over the window
// that asked; an unreachable cutter shows the dialog with the cable's picture, which only OK
// closes, over the main window.
TEST(Messages, EachKindOfResultShowsItsBox)
{
    HWND main_window = CreateWindowExA(0, "STATIC", "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND asker = CreateWindowExA(0, "STATIC", "asker", WS_POPUP, 0, 0, 10, 10, main_window, nullptr, nullptr, nullptr);
    set_report_main_window(main_window);
    const struct { ResultCode code; ShownIcon icon; bool picture; } cases[] = {
        {58, ShownIcon::Stop, false}, {51, ShownIcon::Exclamation, false},
        {205, ShownIcon::Exclamation, false}, {62, ShownIcon::Other, true}};
    for (const auto& c : cases) {
        g_shown = {};
        const UINT_PTR timer = SetTimer(nullptr, 0, 200, look);
        report_result(asker, c.code);
        KillTimer(nullptr, timer);
        ASSERT_NE(g_shown.box, nullptr) << c.code;
        EXPECT_EQ(g_shown.icon, c.icon) << c.code;
        EXPECT_EQ(g_shown.picture, c.picture) << c.code;
        EXPECT_EQ(g_shown.stays_on_cancel, c.picture) << c.code;
        EXPECT_EQ(g_shown.owner, c.picture ? main_window : asker) << c.code;
    }
    set_report_main_window(nullptr);
    DestroyWindow(asker);
    DestroyWindow(main_window);
}

}  // namespace
