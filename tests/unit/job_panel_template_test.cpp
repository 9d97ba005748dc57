// The job panel's template as the program's resources build it: the controls that the panel's
// operations address by id exist with the right kind, and the radio buttons form the two groups
// the user sees.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "app/result_code.h"
#include "app/win_text.h"

namespace {

INT_PTR CALLBACK host_proc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR CALLBACK panel_proc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

enum class Kind { Combo, CheckBox, PushLikeCheckBox, Radio, Button, ScrollBar, Edit, Text, Picture };

bool has_kind(HWND control, Kind kind)
{
    char class_name[32] = "";
    GetClassNameA(control, class_name, sizeof class_name);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG button_type = style & BS_TYPEMASK;
    switch (kind) {
    case Kind::Combo:
        return _stricmp(class_name, "ComboBox") == 0 && (style & 3) == CBS_DROPDOWNLIST;
    case Kind::CheckBox:
        return _stricmp(class_name, "Button") == 0 && button_type == BS_AUTOCHECKBOX &&
               (style & BS_PUSHLIKE) == 0;
    case Kind::PushLikeCheckBox:
        return _stricmp(class_name, "Button") == 0 && button_type == BS_AUTOCHECKBOX &&
               (style & BS_PUSHLIKE) != 0;
    case Kind::Radio:
        return _stricmp(class_name, "Button") == 0 && button_type == BS_AUTORADIOBUTTON;
    case Kind::Button:
        return _stricmp(class_name, "Button") == 0 && button_type == BS_PUSHBUTTON;
    case Kind::ScrollBar:
        return _stricmp(class_name, "ScrollBar") == 0 && (style & SBS_VERT) == 0;
    case Kind::Edit:
        // Typing stops at the field's edge instead of scrolling.
        return _stricmp(class_name, "Edit") == 0 && (style & ES_AUTOHSCROLL) == 0;
    case Kind::Text:
        return _stricmp(class_name, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT;
    case Kind::Picture:
        return _stricmp(class_name, "Static") == 0 &&
               ((style & SS_TYPEMASK) == SS_BITMAP || (style & SS_TYPEMASK) == SS_ICON);
    }
    return false;
}

class JobPanelTemplate : public ::testing::Test {
protected:
    // Shown, because radio buttons group only with visible siblings; one host for all cases, as
    // destroying a shown window waits two seconds under Wine without a window manager.
    static void SetUpTestSuite()
    {
        g_instance = GetModuleHandleA(nullptr);
        host_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_MAIN_WINDOW), nullptr, host_proc, 0);
        ShowWindow(host_, SW_SHOW);
    }

    static void TearDownTestSuite()
    {
        DestroyWindow(host_);
        host_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(host_, nullptr);
        panel_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_JOB_PANEL), host_, panel_proc, 0);
        ASSERT_NE(panel_, nullptr);
    }

    void TearDown() override
    {
        if (panel_ != nullptr) {
            DestroyWindow(panel_);
        }
    }

    static HWND host_;
    HWND panel_ = nullptr;
};

HWND JobPanelTemplate::host_ = nullptr;

TEST_F(JobPanelTemplate, EveryControlThePanelAddressesIsThereWithItsKind)
{
    struct Expected {
        int id;
        Kind kind;
        const char* text;  // null: not looked at
    };
    const Expected controls[] = {
        {IDC_MEDIA_TYPE, Kind::Combo, nullptr},
        {IDC_ADJUST_SETTINGS, Kind::CheckBox, "Adjust Settings"},
        {IDC_ADD_MEDIA, Kind::Button, "Add Media"},
        {IDC_SPEED_BAR, Kind::ScrollBar, nullptr},
        {IDC_SPEED_VALUE, Kind::Text, "ST1"},
        {IDC_THICKNESS_BAR, Kind::ScrollBar, nullptr},
        {IDC_THICKNESS_VALUE, Kind::Text, "ST2"},
        {IDC_THICKNESS_CAPTION, Kind::Text, "Thickness:"},
        {IDC_THICKNESS_MAXIMUM, Kind::Text, "30"},
        {IDC_TRACK_ENHANCING, Kind::CheckBox, "Track Enhancing"},
        {IDC_LANDSCAPE, Kind::Radio, "Landscape"},
        {IDC_PORTRAIT, Kind::Radio, "Portrait"},
        {IDC_REGISTRATION_MARKS, Kind::CheckBox, "Registration Marks"},
        {IDC_SEARCH_MARK, Kind::CheckBox, "Search Registration Mark"},
        {IDC_HORIZONTAL_DISTANCE, Kind::Edit, ""},
        {IDC_VERTICAL_DISTANCE, Kind::Edit, ""},
        {IDC_HORIZONTAL_UNIT, Kind::Text, "Unit"},
        {IDC_VERTICAL_UNIT, Kind::Text, "Unit"},
        {IDC_UNIT_MM, Kind::Radio, "mm"},
        {IDC_UNIT_INCH, Kind::Radio, "inch"},
        {IDC_READ_MARKS, Kind::Button, "Registration mark reading"},
        {IDC_USE_KEYBOARD, Kind::PushLikeCheckBox, "Use Keyboard"},
        {IDC_ANIMATED_INSTRUCTIONS, Kind::Button, "Animated Instructions"},
        {IDC_ABOUT_BUTTON, Kind::Button, "About..."},
        {IDC_HELP_BUTTON, Kind::Button, "Help..."},
        {IDC_CALIBRATION_BUTTON, Kind::Button, "Calibration..."},
        {IDCANCEL, Kind::Button, "Cancel"},
        {IDOK, Kind::Button, "Cut..."},
        {IDC_MEDIA_TYPE_LABEL, Kind::Text, "Media Type"},
        {IDC_SPEED_CAPTION, Kind::Text, "Speed:"},
        {IDC_SPEED_SLOW, Kind::Text, "Slow"},
        {IDC_SPEED_FAST, Kind::Text, "Fast"},
        {IDC_SPEED_MINIMUM, Kind::Text, "1"},
        {IDC_SPEED_MAXIMUM, Kind::Text, "10"},
        {IDC_THICKNESS_THIN, Kind::Text, "Thin"},
        {IDC_THICKNESS_MINIMUM, Kind::Text, "1"},
        {IDC_THICKNESS_THICK, Kind::Text, "Thick "},
        {IDC_TEST_CUT_LABEL, Kind::Text, "Test Cut"},
        {IDC_ORIENTATION_LABEL, Kind::Text, "Design Orientation"},
        {IDC_SET_ORIGIN_LABEL, Kind::Text, "Set Origin"},
        {IDC_BLADE_POSITION_LABEL, Kind::Text, "Blade Position"},
        {IDC_DISTANCES_LABEL, Kind::Text, "Distance Between\n  Registration Marks"},
        {IDC_WIDTH_LABEL, Kind::Text, "Width:"},
        {IDC_LENGTH_LABEL, Kind::Text, "Length:"},
        {IDC_CAP_TEXT, Kind::Text, "Blade adjustment cap : Mount the *** cap on the blade holder."},
        {IDC_PICTURE_LANDSCAPE, Kind::Picture, nullptr},
        {IDC_PICTURE_PORTRAIT, Kind::Picture, nullptr},
        {IDC_PICTURE_LANDSCAPE_MARKS, Kind::Picture, nullptr},
        {IDC_PICTURE_PORTRAIT_MARKS, Kind::Picture, nullptr},
        {IDC_CAP_RED_FIRST, Kind::Picture, nullptr},
        {IDC_CAP_BLUE_FIRST, Kind::Picture, nullptr},
        {IDC_CAP_YELLOW_FIRST, Kind::Picture, nullptr},
        {IDC_CAP_PEN_FIRST, Kind::Picture, nullptr},
        {IDC_CAP_RED_SECOND, Kind::Picture, nullptr},
        {IDC_CAP_BLUE_SECOND, Kind::Picture, nullptr},
        {IDC_CAP_YELLOW_SECOND, Kind::Picture, nullptr},
        {IDC_CAP_PEN_SECOND, Kind::Picture, nullptr},
        {IDC_CAP_TEXT_ON_ICON, Kind::Picture, nullptr},
        {IDC_CAP_TEXT_OFF_ICON, Kind::Picture, nullptr},
    };
    for (const Expected& e : controls) {
        const HWND control = GetDlgItem(panel_, e.id);
        ASSERT_NE(control, nullptr) << "control " << e.id;
        EXPECT_TRUE(has_kind(control, e.kind)) << "control " << e.id;
        if (e.text != nullptr) {
            char text[128] = "";
            GetWindowTextA(control, text, sizeof text);
            EXPECT_STREQ(text, e.text) << "control " << e.id;
        }
    }
}

TEST_F(JobPanelTemplate, OnlyTheCapPicturesStartHidden)
{
    for (int id : {IDC_CAP_RED_FIRST, IDC_CAP_BLUE_FIRST, IDC_CAP_YELLOW_FIRST, IDC_CAP_PEN_FIRST,
                   IDC_CAP_RED_SECOND, IDC_CAP_BLUE_SECOND, IDC_CAP_YELLOW_SECOND, IDC_CAP_PEN_SECOND}) {
        EXPECT_EQ(GetWindowLongA(GetDlgItem(panel_, id), GWL_STYLE) & WS_VISIBLE, 0) << id;
    }
    for (int id : {IDC_MEDIA_TYPE, IDC_HORIZONTAL_DISTANCE, IDC_UNIT_INCH, IDCANCEL, IDOK,
                   IDC_PICTURE_LANDSCAPE, IDC_CAP_TEXT_ON_ICON}) {
        EXPECT_NE(GetWindowLongA(GetDlgItem(panel_, id), GWL_STYLE) & WS_VISIBLE, 0) << id;
    }
}

TEST_F(JobPanelTemplate, UnitAndOrientationButtonsAreTwoSeparateGroups)
{
    // What a click on an automatic radio button does: the others of its group go out.
    CheckDlgButton(panel_, IDC_LANDSCAPE, BST_CHECKED);
    CheckDlgButton(panel_, IDC_UNIT_MM, BST_CHECKED);

    SendDlgItemMessageA(panel_, IDC_UNIT_INCH, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_INCH), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_MM), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_LANDSCAPE), BST_CHECKED);

    SendDlgItemMessageA(panel_, IDC_PORTRAIT, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_PORTRAIT), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_LANDSCAPE), BST_UNCHECKED);
    EXPECT_EQ(IsDlgButtonChecked(panel_, IDC_UNIT_INCH), BST_CHECKED);
}

TEST_F(JobPanelTemplate, PanelFillsTheMainWindowFrame)
{
    // Placed at 4,27 with 419 x 232 dialog units in the main window's client area.
    RECT expected = {4, 27, 4 + 419, 27 + 232};
    MapDialogRect(host_, &expected);
    RECT actual;
    GetWindowRect(panel_, &actual);
    MapWindowPoints(nullptr, host_, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
    const LONG style = GetWindowLongA(panel_, GWL_STYLE);
    EXPECT_NE(style & WS_CHILD, 0);
    EXPECT_NE(style & DS_CONTROL, 0);
}

}  // namespace
