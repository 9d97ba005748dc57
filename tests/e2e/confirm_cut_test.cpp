// "Cut..." in cut mode: the marks are read when the job has them and the search is on, the
// cutter is asked whether it is ready, and a confirmed cut saves and ends with 2.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

struct Started {
    InstallCopy install;
    VirtualCutter cutter;
    Program controller;
    HWND main = nullptr;
    std::size_t commands_at_start = 0;
};

// Starts the controller against the virtual cutter with these settings and options.
void start(Started* s, const std::vector<std::string>& settings,
           const std::vector<std::string>& words, Fault ready = Fault::None,
           Fault search = Fault::None)
{
    ASSERT_TRUE(s->install.ok());
    ASSERT_TRUE(s->cutter.ok());
    ASSERT_TRUE(e2e::add_usb_library(&s->install));
    ASSERT_TRUE(s->install.write_file("QMACTL.INI", e2e::settings_file(settings)));
    s->cutter.set([ready, search](CutterModel* m) {
        m->faults["FQ5"] = ready;
        m->faults["TB123"] = search;
    });
    ASSERT_TRUE(s->controller.start(s->install.controller(), words));
    s->main = s->controller.wait_main_window();
    ASSERT_TRUE(s->main);
    s->commands_at_start = s->cutter.commands().size();
}

std::vector<std::string> commands_after_start(Started* s)
{
    std::vector<std::string> all = s->cutter.commands();
    return std::vector<std::string>(all.begin() + static_cast<long>(s->commands_at_start), all.end());
}

void press_cut(HWND main)
{
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(ConfirmCut, SearchesTheMarksAtTheStoredDistancesThenCutsAndEndsWithTwo)
{
    Started s;
    // 100.049 mm shows as 100.0 mm, and what is read is what is shown.
    start(&s, {"PosSet=1", "TomboAutoRead=1", "Unit=0", "TomboDisX=100049", "TomboDisY=150000"},
          {"-CUTMODE"});
    EXPECT_EQ(e2e::control_text(e2e::job_panel_of(s.main), IDC_HORIZONTAL_DISTANCE), "100.0");
    press_cut(s.main);
    EXPECT_EQ(s.controller.wait_exit(), 2u);
    const std::vector<std::string> expected = {"TB99\x03", "TB55,1\x03", "TB123,2000,3000\x03", "FQ5\x03"};
    EXPECT_EQ(commands_after_start(&s), expected);
    EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "TomboDisX"), "100000");
}

TEST(ConfirmCut, WithoutTheSearchOnlyTheReadyQueryIsAskedAndAJobWithoutMarksAsksNothing)
{
    struct Case { const char* what; std::vector<std::string> settings; std::vector<std::string> words;
                  std::vector<std::string> commands; };
    const Case cases[] = {
        // The cutter has read no marks, so it is not ready: the user is asked, and cuts.
        {"marks off", {"PosSet=0"}, {"-CUTMODE"}, {"FQ5\x03"}},
        {"search off", {"PosSet=1", "TomboAutoRead=0", "TomboDisX=1000"}, {"-CUTMODE"}, {"FQ5\x03"}},
        {"job without marks", {"PosSet=1", "TomboAutoRead=1"}, {"-CUTMODE", "-NOTRM"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Started s;
        start(&s, c.settings, c.words);
        press_cut(s.main);
        if (!c.commands.empty()) {
            HWND box = s.controller.wait_message_box();
            ASSERT_TRUE(box);
            EXPECT_EQ(e2e::read_message_box(box).caption, "Check");
            ASSERT_TRUE(e2e::answer(box, IDOK));
        }
        EXPECT_EQ(s.controller.wait_exit(), 2u);
        EXPECT_EQ(commands_after_start(&s), c.commands);
    }
}

TEST(ConfirmCut, ACutterThatIsNotReadyAsksWhetherToCutAnyway)
{
    Started s;
    start(&s, {"PosSet=0"}, {"-CUTMODE"}, Fault::NotReady);
    press_cut(s.main);
    HWND box = s.controller.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent question = e2e::read_message_box(box);
    EXPECT_EQ(question.caption, "Check");
    EXPECT_EQ(question.text, "Cannot read the registration marks.\nThe print and cut positions may "
                             "not line up.\nCut anyway?");
    EXPECT_EQ(question.icon, e2e::BoxIcon::Question);
    ASSERT_TRUE(e2e::answer(box, IDCANCEL));  // not yet: the run goes on
    EXPECT_TRUE(IsWindow(s.main));

    press_cut(s.main);
    box = s.controller.wait_message_box();
    ASSERT_TRUE(box);
    ASSERT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(s.controller.wait_exit(), 2u);
}

TEST(ConfirmCut, AFailedSearchIsReportedAndTheRunGoesOn)
{
    Started s;
    start(&s, {"PosSet=1", "TomboAutoRead=1", "Unit=0", "TomboDisX=100000", "TomboDisY=150000"},
          {"-CUTMODE"}, Fault::None, Fault::MarksNotFound);
    press_cut(s.main);
    HWND box = s.controller.wait_message_box();
    ASSERT_TRUE(box);
    const e2e::MessageBoxContent message = e2e::read_message_box(box);
    EXPECT_NE(message.text.find("[code = 210]"), std::string::npos) << message.text;
    EXPECT_EQ(message.icon, e2e::BoxIcon::Exclamation);
    ASSERT_TRUE(e2e::answer(box, IDOK));
    const std::vector<std::string> commands = commands_after_start(&s);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), std::string("FQ5\x03")), 0);
    EXPECT_TRUE(e2e::close_window(s.main));
    EXPECT_EQ(s.controller.wait_exit(), 1u);
    EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "TomboDisX"), "100000");
}

}  // namespace
