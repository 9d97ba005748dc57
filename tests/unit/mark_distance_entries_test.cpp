// The distance edits of the real job panel, created from the program's own template inside the
// main window's template, with dialog procedures that do nothing else.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "app/result_report.h"
#include "app/win_text.h"
#include "support/modal_watch.h"
#include "workflow/mark_distance_entries.h"

namespace {

// A settings record with only the fields the distance edits look at.
Settings mark_settings(std::int32_t direction, std::int32_t pos_set, std::int32_t unit)
{
    Settings settings{};
    settings.Direction = direction;
    settings.PosSet = pos_set;
    settings.Unit = unit;
    return settings;
}

constexpr std::int32_t MM = UNIT_MILLIMETRES;
constexpr std::int32_t INCH = UNIT_INCHES;
constexpr std::int32_t LAND = DIRECTION_LANDSCAPE;
constexpr std::int32_t PORT = DIRECTION_PORTRAIT;
constexpr int H = IDC_HORIZONTAL_DISTANCE;
constexpr int V = IDC_VERTICAL_DISTANCE;

INT_PTR CALLBACK host_proc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR CALLBACK panel_proc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

void pump_messages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class JobPanelDistances : public ::testing::Test {
protected:
    // One shown host for all cases: under Wine without a window manager, destroying a shown
    // top-level window waits two seconds for the X server.
    static void SetUpTestSuite()
    {
        g_instance = GetModuleHandleA(nullptr);
        host_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, host_proc, 0);
        ShowWindow(host_, SW_SHOW);
        SetForegroundWindow(host_);
        pump_messages();
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(host_);
        host_ = nullptr;
        pump_messages();
    }

    void SetUp() override
    {
        ASSERT_NE(host_, nullptr);
        panel_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_JOB_PANEL), host_, panel_proc, 0);
        ASSERT_NE(panel_, nullptr);
        pump_messages();
    }

    void TearDown() override
    {
        if (panel_ != nullptr) {
            DestroyWindow(panel_);
        }
        pump_messages();
    }

    std::string text_of(int control) const
    {
        char text[600] = "";
        GetDlgItemTextA(panel_, control, text, sizeof text);
        return text;
    }

    void type(int edit, const char* text) const { SetDlgItemTextA(panel_, edit, text); }

    // What a click on a unit button does to the buttons before the panel hears of it.
    void click_unit_button(std::int32_t unit) const
    {
        CheckRadioButton(panel_, IDC_UNIT_MM, IDC_UNIT_INCH, unit == MM ? IDC_UNIT_MM : IDC_UNIT_INCH);
    }

    // Puts the focus elsewhere and clears both selections, so that a change shows.
    void focus_media_type() const
    {
        SetFocus(GetDlgItem(panel_, IDC_MEDIA_TYPE));
        SendDlgItemMessageA(panel_, H, EM_SETSEL, 0, 0);
        SendDlgItemMessageA(panel_, V, EM_SETSEL, 0, 0);
    }

    void expect_whole_text_selected_in(int edit) const
    {
        EXPECT_EQ(GetFocus(), GetDlgItem(panel_, edit));
        DWORD start = 1, end = 0;
        SendDlgItemMessageA(panel_, edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                            reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, text_of(edit).size());
    }

    static HWND host_;
    HWND panel_ = nullptr;
};

HWND JobPanelDistances::host_ = nullptr;

TEST_F(JobPanelDistances, ShowMarkDistancesWritesBothEditsAndBothUnitCaptions)
{
    struct Case {
        std::int32_t horizontal, vertical, unit;
        const char* horizontal_text;
        const char* vertical_text;
        const char* caption;
    };
    const Case cases[] = {
        {100000, 192000, MM, "100.0", "192.0", "mm"},
        {970000, 192000, INCH, "38.180", "7.557", "inch"},
        {12300, 0, 2, "0.484", "0.000", "inch"},  // any other unit is shown as inches
        {-5000, 99997, MM, "-5.0", "100.0", "mm"},
    };
    for (const Case& c : cases) {
        show_mark_distances(panel_, c.horizontal, c.vertical, c.unit);
        EXPECT_EQ(text_of(H), c.horizontal_text);
        EXPECT_EQ(text_of(V), c.vertical_text);
        EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), c.caption);
        EXPECT_EQ(text_of(IDC_VERTICAL_UNIT), c.caption);
    }
}

TEST_F(JobPanelDistances, FailedEntryHasTheFocusWithItsWholeTextSelected)
{
    struct Case {
        std::int32_t direction, unit;
        const char* horizontal;
        const char* vertical;
        ResultCode expected;
        int edit;
    };
    const Case cases[] = {
        {LAND, MM, "970.05", "10", RC_HORIZONTAL_970_MM, H},  // judged before decimals are cut
        {LAND, MM, "970", "192.5", RC_VERTICAL_192_MM, V},
        {LAND, MM, "-5", "10", RC_HORIZONTAL_970_MM, H},
        {LAND, MM, "", "10", RC_HORIZONTAL_970_MM, H},         // no number: its field's range
        {LAND, MM, "10", "-", RC_VERTICAL_192_MM, V},
        {LAND, INCH, "10", "+5", RC_VERTICAL_7_IN, V},
        {LAND, INCH, "1.2.3", "5-", RC_HORIZONTAL_38_IN, H},   // both wrong: horizontal first
        {LAND, MM, "971", "193", RC_HORIZONTAL_970_MM, H},
        {PORT, MM, "970", "10", RC_HORIZONTAL_192_MM, H},
        {PORT, INCH, "7", " 5", RC_VERTICAL_38_IN, V},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.horizontal) + " / " + c.vertical);
        type(H, c.horizontal);
        type(V, c.vertical);
        focus_media_type();
        DistanceEntries entries;
        const Settings settings = mark_settings(c.direction, 1, c.unit);
        EXPECT_EQ(validate_distance_entries(panel_, settings, &entries), c.expected);
        expect_whole_text_selected_in(c.edit);
    }
}

TEST_F(JobPanelDistances, ValidEntriesGiveTheTypedNumbersAndLeaveTheFocus)
{
    type(H, "970");
    type(V, "191.96");
    focus_media_type();
    DistanceEntries entries;
    EXPECT_EQ(validate_distance_entries(panel_, mark_settings(LAND, 1, MM), &entries), RC_SUCCESS);
    EXPECT_DOUBLE_EQ(entries.Horizontal, 970.0);
    EXPECT_DOUBLE_EQ(entries.Vertical, 191.96);
    EXPECT_STREQ(entries.HorizontalText, "970");
    EXPECT_STREQ(entries.VerticalText, "191.96");
    EXPECT_EQ(GetFocus(), GetDlgItem(panel_, IDC_MEDIA_TYPE));
}

TEST_F(JobPanelDistances, SwitchingTheUnitShowsTheSameDistancesInTheOtherUnit)
{
    Settings settings = mark_settings(LAND, 1, MM);
    show_mark_distances(panel_, 100000, 192000, MM);
    click_unit_button(MM);

    click_unit_button(INCH);
    EXPECT_EQ(set_unit(panel_, &settings, INCH), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, INCH);
    EXPECT_EQ(text_of(H), "3.936");
    EXPECT_EQ(text_of(V), "7.557");
    EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), "inch");
    EXPECT_EQ(text_of(IDC_VERTICAL_UNIT), "inch");

    click_unit_button(MM);
    EXPECT_EQ(set_unit(panel_, &settings, MM), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, MM);
    EXPECT_EQ(text_of(H), "100.0");
    EXPECT_EQ(text_of(V), "192.0");
    EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), "mm");

    // A typed value is used, and shown, with the decimals the unit keeps.
    type(H, "12.345");
    type(V, "970.0");
    settings.Direction = PORT;
    click_unit_button(INCH);
    EXPECT_EQ(set_unit(panel_, &settings, INCH), RC_SUCCESS);
    EXPECT_EQ(text_of(H), "0.484");   // 12.3 mm
    EXPECT_EQ(text_of(V), "38.180");  // still within the inch limit
}

TEST_F(JobPanelDistances, FailedSwitchKeepsTheOldUnitAndNamesItsRange)
{
    struct Case {
        std::int32_t old_unit;
        const char* horizontal;
        const char* vertical;
        ResultCode expected;
        int edit;
    };
    const Case cases[] = {
        {MM, "970.05", "10", RC_HORIZONTAL_970_MM, H},
        {INCH, "1", "7.6", RC_VERTICAL_7_IN, V},  // the inch range, in which it was typed
        {MM, "abc", "10", RC_HORIZONTAL_970_MM, H},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.horizontal) + " / " + c.vertical);
        const std::int32_t new_unit = c.old_unit == MM ? INCH : MM;
        Settings settings = mark_settings(LAND, 1, c.old_unit);
        show_mark_distances(panel_, 0, 0, c.old_unit);
        type(H, c.horizontal);
        type(V, c.vertical);
        focus_media_type();

        click_unit_button(new_unit);
        const ResultCode code = set_unit(panel_, &settings, new_unit);
        EXPECT_EQ(code, c.expected);
        EXPECT_EQ(settings.Unit, c.old_unit);
        EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_MM), c.old_unit == MM ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_INCH), c.old_unit == MM ? BST_UNCHECKED : BST_CHECKED);
        EXPECT_EQ(text_of(H), c.horizontal);
        EXPECT_EQ(text_of(V), c.vertical);
        EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), c.old_unit == MM ? "mm" : "inch");
        expect_whole_text_selected_in(c.edit);
    }
}

TEST_F(JobPanelDistances, FailedSwitchIsReportedWithTheRangeOfTheOldUnit)
{
    Settings settings = mark_settings(LAND, 1, INCH);
    show_mark_distances(panel_, 0, 0, INCH);
    type(V, "7.6");
    click_unit_button(MM);
    const ResultCode code = set_unit(panel_, &settings, MM);
    ASSERT_EQ(code, RC_VERTICAL_7_IN);

    // What the panel does with the code: the message names the inch range the user typed in.
    std::future<ShownDialog> answer = answer_next_modal({});
    report_result(host_, code);
    const ShownDialog box = answer.get();
    EXPECT_TRUE(box.found);
    EXPECT_EQ(box.icon, ShownIcon::Exclamation);
    EXPECT_EQ(box.caption, "Quillmark Controller");
    EXPECT_EQ(box.text,
              "The value specified for the vertical distance between the registration marks exceeds "
              "the specifiable range.\nPlease specify a distance in the range 0 to 7.557 inches. "
              "[code = 205]");
    // The message leaves the field as it was, ready to be typed over once the focus is back.
    DWORD start = 1, end = 0;
    SendDlgItemMessageA(panel_, V, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);
}

TEST_F(JobPanelDistances, WithoutRegistrationMarksTheSwitchChecksAndConvertsNothing)
{
    Settings settings = mark_settings(LAND, 0, MM);
    show_mark_distances(panel_, 100000, 0, MM);
    type(H, "abc");
    focus_media_type();

    click_unit_button(INCH);
    EXPECT_EQ(set_unit(panel_, &settings, INCH), RC_SUCCESS);
    EXPECT_EQ(settings.Unit, INCH);
    EXPECT_EQ(text_of(H), "abc");
    EXPECT_EQ(text_of(V), "0.0");
    EXPECT_EQ(text_of(IDC_HORIZONTAL_UNIT), "mm");  // until the distances are next shown
    EXPECT_EQ(GetFocus(), GetDlgItem(panel_, IDC_MEDIA_TYPE));
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_INCH), BST_CHECKED);
}

TEST_F(JobPanelDistances, SameUnitOrUncheckedButtonDoesNothing)
{
    show_mark_distances(panel_, 100000, 0, INCH);
    type(H, "abc");
    focus_media_type();

    Settings settings = mark_settings(LAND, 1, INCH);
    click_unit_button(INCH);
    EXPECT_EQ(set_unit(panel_, &settings, INCH), RC_SUCCESS);  // already inches
    EXPECT_EQ(set_unit(panel_, &settings, MM), RC_SUCCESS);    // the mm button is not checked
    EXPECT_EQ(settings.Unit, INCH);
    EXPECT_EQ(text_of(H), "abc");
    EXPECT_EQ(GetFocus(), GetDlgItem(panel_, IDC_MEDIA_TYPE));
}

}  // namespace
