#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "guide/guide_layout.h"
#include "resources/resource_ids.h"

namespace {

// Switches of previous, next, show/hide, add media, track enhancing, mark search:
// '.' leaves the control, '+' switches on, '-' switches off.
std::string switches(const Switch (&s)[GUIDE_CONTROL_COUNT])
{
    std::string text;
    for (Switch one : s) {
        text += one == Switch::Keep ? '.' : one == Switch::On ? '+' : '-';
    }
    return text;
}

TEST(GuideLayout, DecisionsByStepMenuFirmwareAndCutMode)
{
    struct Case { int menu, media_files, cut_mode, step, pos_set, auto_read, text, toggle_text, height;
                  const char *visible, *enabled; };
    // The main window is 600 high, its guide area 200: hidden, the window is 400 high.
    const Case cases[] = {
        {1, 1, 1, 0, 0, 0, IDS_GUIDE_MEDIA_TYPE, IDS_HIDE_GUIDE, 600, "++....", "-+...."},
        {1, 1, 1, 3, 1, 1, IDS_GUIDE_LOADING, IDS_HIDE_GUIDE, 600, "++....", "++...."},
        {1, 1, 1, 4, 0, 1, IDS_GUIDE_SET_ORIGIN, IDS_HIDE_GUIDE, 600, "++....", "++...."},
        {1, 1, 1, 4, 1, 0, IDS_GUIDE_MARKS, IDS_HIDE_GUIDE, 600, "++....", "++...."},
        {1, 1, 1, 5, 1, 1, IDS_GUIDE_CUT_WITH_SEARCH, IDS_HIDE_GUIDE, 600, "++....", "+-...."},
        {0, 1, 1, 1, 0, 0, IDS_GUIDE_CAP, IDS_SHOW_GUIDE, 400, "--....", "++...."},
        {0, 1, 0, 2, 0, 0, IDS_GUIDE_ORIENTATION, IDS_SHOW_GUIDE, 400, "---...", "++...."},
        {0, 0, 1, 0, 0, 0, IDS_GUIDE_MEDIA_TYPE, 0, 400, "------", "-+...."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "row " << &c - cases);
        Settings settings{};
        std::tie(settings.GuideMenu, settings.FileMediaMode, settings.GuideStep, settings.PosSet, settings.TomboAutoRead) =
            std::make_tuple(c.menu, c.media_files, c.step, c.pos_set, c.auto_read);
        settings.MainWindowRect = ScreenRect{10, 20, 410, 620};
        settings.GuideAreaRect = ScreenRect{10, 370, 410, 570};
        LaunchOptions options;
        reset_launch_options(&options);
        options.CutMode = c.cut_mode;

        const GuideTextLayout layout = guide_text_layout(settings, options);
        EXPECT_EQ(layout.TitleId, IDS_GUIDE_TITLE_FIRST + c.step);
        EXPECT_EQ(layout.TextId, c.text);
        EXPECT_EQ(layout.ToggleTextId, c.toggle_text);
        EXPECT_EQ(std::make_pair(layout.WindowWidth, layout.WindowHeight), std::make_pair(400, c.height));
        EXPECT_EQ(switches(layout.Visible), c.visible);
        EXPECT_EQ(switches(layout.Enabled), c.enabled);
    }
}

}  // namespace
