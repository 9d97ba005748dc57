// The distance edits and unit buttons of the real job panel, created from the program's own
// template inside the main window's template, with dialog procedures that do nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>

#include "common/win_text.h"
#include "workflow/mark_distance_entries.h"

namespace {

constexpr std::int32_t MM = UNIT_MILLIMETRES;
constexpr std::int32_t INCH = UNIT_INCHES;
constexpr std::int32_t LAND = DIRECTION_LANDSCAPE;
constexpr std::int32_t PORT = DIRECTION_PORTRAIT;
constexpr int H = IDC_HORIZONTAL_DISTANCE;
constexpr int V = IDC_VERTICAL_DISTANCE;

// A settings record with only the fields the distance edits look at.
Settings mark_settings(std::int32_t direction, std::int32_t pos_set, std::int32_t unit)
{
    Settings settings{};
    std::tie(settings.Direction, settings.PosSet, settings.Unit) = std::tie(direction, pos_set, unit);
    return settings;
}

INT_PTR CALLBACK host_proc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

void pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

class JobPanel : public ::testing::Test {
protected:
    // One shown host and panel for all cases (radio buttons group only with visible siblings):
    // under Wine without a window manager, destroying a shown top-level window waits two seconds.
    static void SetUpTestSuite()
    {
        host_ = CreateDialogParamA(resource_instance(), MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, host_proc, 0);
        panel_ = CreateDialogParamA(resource_instance(), MAKEINTRESOURCEA(IDD_JOB_PANEL), host_, host_proc, 0);
        ShowWindow(host_, SW_SHOW);
        SetForegroundWindow(host_);
        pump_messages();
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(host_);
        pump_messages();
    }

    void SetUp() override { ASSERT_NE(panel_, nullptr); }

    static std::string text_of(int control)
    {
        char text[600] = "";
        GetDlgItemTextA(panel_, control, text, sizeof text);
        return text;
    }

    // Both edits typed, the focus elsewhere and no selection, so that a change shows.
    static void type(const char* horizontal, const char* vertical)
    {
        SetDlgItemTextA(panel_, H, horizontal);
        SetDlgItemTextA(panel_, V, vertical);
        SetFocus(GetDlgItem(panel_, IDC_MEDIA_TYPE));
        SendDlgItemMessageA(panel_, H, EM_SETSEL, 0, 0);
        SendDlgItemMessageA(panel_, V, EM_SETSEL, 0, 0);
    }

    // What a click on a unit button does before the panel hears of it, then the panel's handler.
    static ResultCode click_unit(Settings* settings, std::int32_t unit)
    {
        CheckRadioButton(panel_, IDC_UNIT_MM, IDC_UNIT_INCH, unit == MM ? IDC_UNIT_MM : IDC_UNIT_INCH);
        return set_unit(panel_, settings, unit);
    }

    static void expect_shown(const char* horizontal, const char* vertical, const char* caption)
    {
        EXPECT_EQ(text_of(H), horizontal);
        EXPECT_EQ(text_of(V), vertical);
        EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), caption);
        EXPECT_EQ(text_of(IDC_VERTICAL_UNIT), caption);
    }

    static void expect_whole_text_selected_in(int edit)
    {
        EXPECT_EQ(GetFocus(), GetDlgItem(panel_, edit));
        DWORD start = 1, end = 0;
        SendDlgItemMessageA(panel_, edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, text_of(edit).size());
    }

    static HWND host_, panel_;
};

HWND JobPanel::host_ = nullptr;
HWND JobPanel::panel_ = nullptr;

TEST_F(JobPanel, FailedEntryHasTheFocusWithItsWholeTextSelected)
{
    type("970", " 5");
    DistanceEntries entries;
    EXPECT_EQ(validate_distance_entries(panel_, mark_settings(LAND, 1, MM), &entries), RC_VERTICAL_192_MM);
    expect_whole_text_selected_in(V);
    type("970", "191.96");
    EXPECT_EQ(validate_distance_entries(panel_, mark_settings(LAND, 1, MM), &entries), RC_SUCCESS);
    EXPECT_DOUBLE_EQ(entries.Horizontal, 970.0);
    EXPECT_STREQ(entries.VerticalText, "191.96");
    EXPECT_EQ(GetFocus(), GetDlgItem(panel_, IDC_MEDIA_TYPE));  // a valid entry keeps it elsewhere
}

TEST_F(JobPanel, SwitchingTheUnitShowsTheSameDistancesInTheOtherUnitOrKeepsTheOldOne)
{
    Settings settings = mark_settings(LAND, 1, MM);
    show_mark_distances(panel_, 100000, 192000, MM);
    EXPECT_EQ(click_unit(&settings, INCH), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, INCH);
    expect_shown("3.936", "7.557", "inch");
    EXPECT_EQ(set_unit(panel_, &settings, MM), RC_SUCCESS);  // a button that is not checked
    EXPECT_EQ(settings.Unit, INCH);

    type("1", "7.6");
    EXPECT_EQ(click_unit(&settings, MM), RC_VERTICAL_7_IN);  // the range of the unit it was typed in
    EXPECT_EQ(settings.Unit, INCH);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_INCH), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_MM), BST_UNCHECKED);
    expect_shown("1", "7.6", "inch");
    expect_whole_text_selected_in(V);

    settings.PosSet = 0;  // without registration marks nothing is checked or converted
    EXPECT_EQ(click_unit(&settings, MM), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, MM);
    expect_shown("1", "7.6", "inch");
}

}  // namespace
