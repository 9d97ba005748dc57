// The guide's "Media loading" step: reaching it, forwards or backwards, shows how to load the
// sheet for the orientation and registration marks of the settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;

TEST(MediaLoading, ReachingTheLoadingStepEitherWayShowsThePictureForMarksAndOrientation)
{
    const int pictures[] = {IDC_PICTURE_LANDSCAPE, IDC_PICTURE_PORTRAIT, IDC_PICTURE_LANDSCAPE_MARKS,
                            IDC_PICTURE_PORTRAIT_MARKS};
    for (int pos_set : {0, 1}) {
        for (int direction : {0, 1}) {
            SCOPED_TRACE("PosSet " + std::to_string(pos_set) + ", Direction " + std::to_string(direction));
            const int picture = pictures[pos_set * 2 + direction];
            InstallCopy install;
            ASSERT_TRUE(install.write_file("QMACTL.INI", e2e::settings_file({"GuideMenu=1",
                                           "PosSet=" + std::to_string(pos_set),
                                           "Direction=" + std::to_string(direction)})));
            Program controller;
            HWND main = e2e::start_controller(&controller, install, {"-DEMO", "-CUTMODE"});
            ASSERT_TRUE(main);
            // From GuideStep 0 to 4 and back to 2; only step 3 is Media loading.
            const int presses[] = {IDC_GUIDE_NEXT, IDC_GUIDE_NEXT, IDC_GUIDE_NEXT, IDC_GUIDE_NEXT,
                                   IDC_GUIDE_PREVIOUS, IDC_GUIDE_PREVIOUS};
            const int steps[] = {1, 2, 3, 4, 3, 2};
            for (int i = 0; i < 6; ++i) {
                SCOPED_TRACE("step " + std::to_string(steps[i]));
                ASSERT_TRUE(e2e::click(main, presses[i]));
                if (steps[i] != 3) {
                    // Nothing but the main window a little later (step 1 is checked with step 2).
                    if (i > 0) {
                        Sleep(300);
                        EXPECT_EQ(controller.windows(), std::vector<HWND>{main})
                            << controller.describe_windows();
                    }
                    continue;
                }
                HWND dialog = controller.wait_dialog("Media loading");
                ASSERT_TRUE(dialog);
                for (int id : pictures) {
                    EXPECT_EQ(e2e::is_visible(dialog, id), id == picture) << "picture " << id;
                }
                EXPECT_EQ(e2e::control_text(dialog, IDC_LOADING_INSTRUCTION).substr(0, 28),
                          "Load the media on Quillmark.");
                EXPECT_TRUE(e2e::answer(dialog, IDOK));
            }
            e2e::close_and_expect_exit(&controller, main, 1);
        }
    }
}

}  // namespace
