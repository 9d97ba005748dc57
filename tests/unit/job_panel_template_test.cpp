// The job panel's template as the program's resources build it: where it sits in the main
// window, and the two groups of radio buttons the user sees.
#include <gtest/gtest.h>

#include <windows.h>

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
