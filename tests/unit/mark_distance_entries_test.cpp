// The distance edits and unit buttons of the real job panel, created from the program's own
// template inside the main window's template, with dialog procedures that do nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/win_text.h"
#include "workflow/mark_distance_entries.h"

namespace {

constexpr int H = IDC_HORIZONTAL_DISTANCE;
constexpr int V = IDC_VERTICAL_DISTANCE;

INT_PTR CALLBACK host_proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

// A click on a unit button checks it before the panel's handler hears of it. Shown, because
// radio buttons group only with visible siblings.
TEST(JobPanel, UnitSwitchShowsTheDistancesInTheOtherUnitOrKeepsTheOldOneWithTheFailedTextSelected)
{
    HWND host = CreateDialogParamA(resource_instance(), MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, host_proc, 0);
    HWND panel = CreateDialogParamA(resource_instance(), MAKEINTRESOURCEA(IDD_JOB_PANEL), host, host_proc, 0);
    ASSERT_NE(panel, nullptr);
    ShowWindow(host, SW_SHOW);
    SetForegroundWindow(host);
    pump_messages();
    auto click_unit = [panel](Settings* settings, std::int32_t unit) {
        CheckRadioButton(panel, IDC_UNIT_MM, IDC_UNIT_INCH, unit == UNIT_MILLIMETRES ? IDC_UNIT_MM : IDC_UNIT_INCH);
        return set_unit(panel, settings, unit);
    };
    auto shown = [panel]() {  // the distances and their units
        std::string all;
        for (int id : {H, V, IDC_HORIZONTAL_UNIT, IDC_VERTICAL_UNIT}) {
            char text[64] = "";
            GetDlgItemTextA(panel, id, text, sizeof text);
            all += (all.empty() ? "" : " ") + std::string(text);
        }
        return all;
    };
    Settings settings{};
    settings.PosSet = 1;
    settings.Unit = UNIT_MILLIMETRES;
    show_mark_distances(panel, 100000, 192000, UNIT_MILLIMETRES);
    SetFocus(GetDlgItem(panel, IDC_MEDIA_TYPE));
    EXPECT_EQ(click_unit(&settings, UNIT_INCHES), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, UNIT_INCHES);
    EXPECT_EQ(shown(), "3.936 7.557 inch inch");
    EXPECT_EQ(GetFocus(), GetDlgItem(panel, IDC_MEDIA_TYPE));

    SetDlgItemTextA(panel, V, "7.6");
    EXPECT_EQ(click_unit(&settings, UNIT_MILLIMETRES), RC_VERTICAL_7_IN);  // the range of the unit it was typed in
    EXPECT_EQ(settings.Unit, UNIT_INCHES);
    EXPECT_EQ(IsDlgButtonChecked(panel, IDC_UNIT_INCH), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel, IDC_UNIT_MM), BST_UNCHECKED);
    EXPECT_EQ(shown(), "3.936 7.6 inch inch");
    EXPECT_EQ(GetFocus(), GetDlgItem(panel, V));
    DWORD start = 1, end = 0;
    SendDlgItemMessageA(panel, V, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::make_pair(start, end), std::make_pair(DWORD{0}, DWORD{3}));

    settings.PosSet = 0;  // without registration marks nothing is checked or converted
    EXPECT_EQ(click_unit(&settings, UNIT_MILLIMETRES), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, UNIT_MILLIMETRES);
    EXPECT_EQ(shown(), "3.936 7.6 inch inch");
    DestroyWindow(host);
    pump_messages();
}

}  // namespace
