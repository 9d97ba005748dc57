// The operation guide as a user walks it in demo mode: the panel shows the chosen media's cap and
// the job's loading picture, at each step the job panel offers only what the step allows,
// reaching "Media loading" either way shows how to load the sheet, and the hidden guide offers
// what the settings allow.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

// One control of each group the guide switches: media type, Adjust Settings, speed bar, Track
// Enhancing, cap text | Landscape | Registration Marks, search, width, reading | Set Origin |
// Use Keyboard | button 1.
constexpr int PROBES[] = {IDC_MEDIA_TYPE, IDC_ADJUST_SETTINGS, IDC_SPEED_BAR, IDC_TRACK_ENHANCING,
                          IDC_CAP_TEXT, IDC_LANDSCAPE, IDC_REGISTRATION_MARKS, IDC_SEARCH_MARK,
                          IDC_HORIZONTAL_DISTANCE, IDC_READ_MARKS, IDC_SET_ORIGIN_LABEL,
                          IDC_USE_KEYBOARD, IDOK};

// The guide's step name drawn in the current step's colour, as the screen shows it: the index
// of the only step name with pixels of that colour, or -1.
int highlighted_step(HWND main)
{
    constexpr DWORD CURRENT_STEP = 0xFF40C0;  // RGB(255, 64, 192) as a 32-bit pixel reads it
    int highlighted = -1;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    for (int id = IDC_GUIDE_STEP_FIRST; id <= IDC_GUIDE_STEP_LAST; ++id) {
        RECT r;
        GetWindowRect(GetDlgItem(main, id), &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        const DWORD* pixel = static_cast<const DWORD*>(bits);
        if (std::any_of(pixel, pixel + width * height, [](DWORD p) { return (p & 0xFFFFFF) == CURRENT_STEP; })) {
            highlighted = highlighted == -1 ? id - IDC_GUIDE_STEP_FIRST : -2;
        }
        SelectObject(memory, old);
        DeleteObject(picture);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return highlighted < 0 ? -1 : highlighted;
}

std::string enabled_controls(HWND panel)
{
    std::string enabled;
    for (int id : PROBES) {
        enabled += IsWindowEnabled(GetDlgItem(panel, id)) ? '1' : '0';
    }
    return enabled;
}

TEST(OperationGuide, EachStepOffersOnlyItsControlsAndTheLoadingStepShowsItsPicture)
{
    e2e::InstallCopy install;
    ASSERT_TRUE(e2e::add_media_file(&install, "Guide Media", 66, 1, {"[Defaults]", "Speed=5", "Force=2", "Cap=Red"}));
    ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"MediaName=Guide Media", "GuideMenu=1",
                                                                      "PosSet=1", "TomboAutoRead=1",
                                                                      "CutCondAdjust=0", "Direction=1"})));
    // An orientation out of range is said once, before the window shows; the stored one stays.
    e2e::Program controller;
    ASSERT_TRUE(controller.start(install.controller(), {"-DEMO", "-CUTMODE", "-FN2"}));
    EXPECT_EQ(e2e::message_answered(&controller),
              "The media loading direction has not been specified correctly.\nPlease check the "
              "\"Orientation\" setting in your application program. [code = 250]");
    HWND main = controller.wait_main_window();
    ASSERT_TRUE(main);
    EXPECT_EQ(e2e::control_text(main, IDC_VERSION_CAPTION), "Quillmark Ver.2.01 Demo Mode");
    HWND panel = e2e::job_panel_of(main);
    // One cap picture, the red cap's, and the picture of portrait loading with marks.
    int caps_shown = 0;
    for (int id : {IDC_CAP_RED_FIRST, IDC_CAP_BLUE_FIRST, IDC_CAP_YELLOW_FIRST, IDC_CAP_PEN_FIRST,
                   IDC_CAP_RED_SECOND, IDC_CAP_BLUE_SECOND, IDC_CAP_YELLOW_SECOND, IDC_CAP_PEN_SECOND}) {
        caps_shown += e2e::is_visible(panel, id) ? 1 : 0;
    }
    EXPECT_EQ(caps_shown, 1);
    EXPECT_TRUE(e2e::is_visible(panel, IDC_CAP_RED_FIRST) || e2e::is_visible(panel, IDC_CAP_RED_SECOND));
    for (int id : {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT, IDC_PICTURE_LANDSCAPE_MARKS, IDC_PICTURE_PORTRAIT_MARKS}) {
        EXPECT_EQ(e2e::is_visible(panel, id), id == IDC_PICTURE_PORTRAIT_MARKS) << "panel picture " << id;
    }
    const struct { int button; const char* enabled; } moves[] = {  // PROBES after the button
        {0, "11000" "0" "0000" "000"}, {IDC_GUIDE_NEXT, "00001" "0" "0000" "000"},
        {IDC_GUIDE_NEXT, "00000" "1" "0000" "000"}, {IDC_GUIDE_NEXT, "00000" "0" "0000" "000"},
        {IDC_GUIDE_NEXT, "00000" "0" "1100" "000"}, {IDC_GUIDE_NEXT, "00000" "0" "0000" "001"},
        {IDC_GUIDE_PREVIOUS, "00000" "0" "1100" "000"}, {IDC_GUIDE_PREVIOUS, "00000" "0" "0000" "000"},
        {IDC_GUIDE_PREVIOUS, "00000" "1" "0000" "000"}, {IDC_GUIDE_TOGGLE, "11001" "1" "1100" "011"},
        {IDC_GUIDE_TOGGLE, "00000" "1" "0000" "000"}};
    int step = 0;
    bool guide_shown = true;
    for (const auto& m : moves) {
        if (m.button != 0) {
            ASSERT_TRUE(e2e::click(main, m.button));
            step += m.button == IDC_GUIDE_NEXT ? 1 : m.button == IDC_GUIDE_PREVIOUS ? -1 : 0;
        }
        // The click is posted: give the refresh time to run.
        for (int wait = 0; wait < 100 && enabled_controls(panel) != m.enabled; ++wait) Sleep(50);
        EXPECT_EQ(enabled_controls(panel), m.enabled) << "guide step " << step << " after " << m.button;
        if (step == 3 && m.button != IDC_GUIDE_TOGGLE && m.button != 0) {
            // Portrait with registration marks.
            HWND loading = controller.wait_dialog("Media loading");
            ASSERT_TRUE(loading);
            for (int id : {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT, IDC_PICTURE_LANDSCAPE_MARKS,
                           IDC_PICTURE_PORTRAIT_MARKS}) {
                EXPECT_EQ(e2e::is_visible(loading, id), id == IDC_PICTURE_PORTRAIT_MARKS) << "picture " << id;
            }
            ASSERT_TRUE(e2e::answer(loading, IDOK));
        } else if (m.button != 0) {
            EXPECT_EQ(controller.windows(), std::vector<HWND>{main});
        }
        guide_shown = m.button == IDC_GUIDE_TOGGLE ? !guide_shown : guide_shown;
        if (guide_shown) {
            EXPECT_TRUE(e2e::wait_until([&] { return highlighted_step(main) == step; },
                                        "step " + std::to_string(step) + "'s name in its colour", 5000));
        }
    }
    EXPECT_EQ(e2e::control_text(main, IDC_GUIDE_TITLE), "Step3:Design Orientation");
    e2e::close_and_expect_exit(&controller, main, 1);
    EXPECT_EQ(e2e::saved_setting(install, "Main_Section", "Direction"), "1");
}

}  // namespace
