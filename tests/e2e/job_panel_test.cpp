// The job panel as a user works it: choosing the media type, the speed and thickness bars, the
// switches and the orientation, each checked by the bytes the virtual cutter receives, and the
// distances and mark size the printing side gives on the command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_link.h"
#include "harness.h"
#include "resource_ids.h"

namespace {

using e2e::InstallCopy;
using e2e::Program;
using e2e::VirtualCutter;

const std::string E = "\x03";

struct Session {
    InstallCopy install;
    VirtualCutter cutter;
    Program controller;
    HWND main = nullptr;
    HWND panel = nullptr;
    std::size_t writes_seen = 0;

    // Every write the cutter received since the last call, each as it came, once `expected`
    // writes have arrived (the cutter takes a write a moment after the controller made it).
    std::vector<std::string> new_writes(std::size_t expected = 0)
    {
        e2e::wait_until([&] { return cutter.model().write_log.size() >= writes_seen + expected; },
                        "the cutter to take the writes", 3000);
        const std::vector<std::string> all = cutter.model().write_log;
        std::vector<std::string> fresh(all.begin() + static_cast<long>(writes_seen), all.end());
        writes_seen = all.size();
        return fresh;
    }
    std::vector<std::string> sent(const std::vector<std::string>& expected) { return new_writes(expected.size()); }
    std::string text(int id) const { return e2e::control_text(panel, id); }
    std::string conditions() const { return text(IDC_SPEED_VALUE) + "/" + text(IDC_THICKNESS_VALUE); }
    void scroll(int bar, int code, int position = 0) const
    {
        SendMessageA(panel, WM_HSCROLL, MAKEWPARAM(code, position), reinterpret_cast<LPARAM>(GetDlgItem(panel, bar)));
    }
    void click(int id) const { SendMessageA(GetDlgItem(panel, id), BM_CLICK, 0, 0); }
    // Chooses entry `index` of the media list as the list reports it; posted when a message may come.
    void choose_media(int index, bool post) const
    {
        HWND list = GetDlgItem(panel, IDC_MEDIA_TYPE);
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        const WPARAM command = MAKEWPARAM(IDC_MEDIA_TYPE, CBN_SELENDOK);
        post ? (void)PostMessageA(panel, WM_COMMAND, command, reinterpret_cast<LPARAM>(list))
             : (void)SendMessageA(panel, WM_COMMAND, command, reinterpret_cast<LPARAM>(list));
    }
    LRESULT selected_media() const { return SendDlgItemMessageA(panel, IDC_MEDIA_TYPE, CB_GETCURSEL, 0, 0); }
};

// Two media of our own ahead of the factory ones: entry 0 fixed (speed 3, thickness 1, blue cap),
// entry 1 adjustable (defaults 8 and 2, adjusted 7 and 1, red cap). Entry 0 is selected.
void prepare(Session* s, const std::vector<std::string>& settings)
{
    ASSERT_TRUE(s->install.ok() && s->cutter.ok() && e2e::add_usb_library(&s->install));
    ASSERT_TRUE(e2e::add_media_file(&s->install, "Test Fixed", 1, 0, {"[Defaults]", "Speed=3", "Force=1", "Cap=Blue"}));
    ASSERT_TRUE(e2e::add_media_file(&s->install, "Test Adjustable", 2, 1,
                                    {"[Defaults]", "Speed=8", "Force=2", "Cap=Red", "[Modify]", "Speed=7", "Force=1"}));
    std::vector<std::string> lines = {"MediaName=Test Fixed", "CutCondAdjust=0", "RollAction=0", "Direction=0"};
    lines.insert(lines.end(), settings.begin(), settings.end());
    ASSERT_TRUE(s->install.write_file("QMACTL.INI", e2e::settings_file(lines)));
}

void start(Session* s)
{
    prepare(s, {});
    s->main = e2e::start_controller(&s->controller, s->install);
    ASSERT_TRUE(s->main);
    s->panel = e2e::job_panel_of(s->main);
    s->new_writes();
}

using Writes = std::vector<std::string>;
#define EXPECT_SENT(session, writes) EXPECT_EQ((session).sent(writes), (writes))

TEST(JobPanelControls, ChoosingAMediaAndAdjustingSpeedAndThicknessSendsOneCommandPerChange)
{
    Session s;
    start(&s);
    // The whole library is listed, the thickness scale ends at 3 and the stored conditions show.
    EXPECT_EQ(SendDlgItemMessageA(s.panel, IDC_MEDIA_TYPE, CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(s.install.files("Media").size()));
    EXPECT_EQ(s.selected_media(), 0);
    EXPECT_EQ(s.text(IDC_THICKNESS_MAXIMUM), "3");
    EXPECT_EQ(s.conditions(), "3/1");

    // An adjustable media with "Adjust Settings" off: its defaults, all four values in one write.
    s.choose_media(1, false);
    EXPECT_SENT(s, Writes{"FW101" + E + "!8" + E + "*0,2" + E + "FC18" + E});
    EXPECT_EQ(s.conditions(), "8/2");

    // "Adjust Settings" on with track enhancing on (RollAction 0): only the adjusted conditions.
    s.click(IDC_ADJUST_SETTINGS);
    EXPECT_SENT(s, Writes{"FW101" + E + "!7" + E + "*0,1" + E + "FC18" + E});
    EXPECT_EQ(s.text(IDC_SPEED_VALUE), "7");

    // Paging right from 7 stops at 10; at 10 nothing is sent.
    s.scroll(IDC_SPEED_BAR, SB_PAGERIGHT);
    EXPECT_SENT(s, Writes{"!10" + E});
    EXPECT_EQ(s.text(IDC_SPEED_VALUE), "10");
    s.scroll(IDC_SPEED_BAR, SB_PAGERIGHT);
    EXPECT_SENT(s, Writes{});

    // Dragging from 3 to 8: the number follows, one command when the thumb is dropped.
    s.scroll(IDC_SPEED_BAR, SB_THUMBPOSITION, 3);
    EXPECT_SENT(s, Writes{"!3" + E});
    for (int position = 4; position <= 8; ++position) {
        s.scroll(IDC_SPEED_BAR, SB_THUMBTRACK, position);
        EXPECT_EQ(s.text(IDC_SPEED_VALUE), std::to_string(position));
    }
    EXPECT_SENT(s, Writes{});
    s.scroll(IDC_SPEED_BAR, SB_THUMBPOSITION, 8);
    EXPECT_SENT(s, Writes{"!8" + E});
    EXPECT_EQ(GetScrollPos(GetDlgItem(s.panel, IDC_SPEED_BAR), SB_CTL), 8);

    // The thickness goes one step per page and stops at 3.
    s.scroll(IDC_THICKNESS_BAR, SB_PAGERIGHT);
    s.scroll(IDC_THICKNESS_BAR, SB_LINERIGHT);
    s.scroll(IDC_THICKNESS_BAR, SB_LINERIGHT);
    EXPECT_SENT(s, (Writes{"*0,2" + E, "*0,3" + E}));
    EXPECT_EQ(s.conditions(), "8/3");

    // "Landscape" while landscape sends nothing; "Portrait" sends the orientation.
    s.click(IDC_LANDSCAPE);
    EXPECT_SENT(s, Writes{});
    s.click(IDC_PORTRAIT);
    EXPECT_SENT(s, Writes{"FN1" + E});

    // What the cutter took is what the run saves.
    e2e::close_and_expect_exit(&s.controller, s.main, 0);
    EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "MediaName"), "Test Adjustable");
    EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "Direction"), "1");
}

TEST(JobPanelControls, ARefusedMediaChangeLeavesThePreviousMediaSelectedAndSaysWhy)
{
    Session s;
    start(&s);
    s.cutter.set([](CutterModel* m) { m->refuse_transfers = true; });
    s.choose_media(1, true);
    HWND box = s.controller.wait_message_box();
    ASSERT_TRUE(box);
    EXPECT_NE(e2e::read_message_box(box).text.find("[code = 150]"), std::string::npos);
    ASSERT_TRUE(e2e::answer(box, IDOK));
    EXPECT_EQ(s.selected_media(), 0);
    EXPECT_EQ(s.conditions(), "3/1");
    EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "MediaName"), "Test Fixed");
}

TEST(JobPanelControls, CommandLineDistancesAndMarkSizeAreTakenOrReportedOnceAfterStartUp)
{
    struct Case {
        const char* what;
        std::vector<std::string> words;
        const char* message;  // the one message after start-up, or none
        const char* horizontal;
        const char* vertical;
        Writes last_writes;   // the end of the start sequence
        bool cancel_shown;
    };
    const Case cases[] = {
        {"971 mm in landscape", {"-TB23,971,100"}, "[code = 251]", "100.0", "150.0", {"FA" + E, "FN0" + E}, false},
        {"a bad distance and a 4 mm mark", {"-TB23,971,100", "-TB51,4"}, "[code = 252]", "100.0", "150.0",
         {"FA" + E, "FN0" + E}, false},
        {"in range, cut mode", {"-CUTMODE", "-TB23,120.05,140", "-TB51,7.99"}, nullptr, "120.0", "140.0",
         {"TB51,159" + E, "FN0" + E}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Session s;
        prepare(&s, {"PosSet=1", "Unit=0", "TomboDisX=100000", "TomboDisY=150000"});
        ASSERT_TRUE(s.controller.start(s.install.controller(), c.words));
        if (c.message != nullptr) {
            HWND box = s.controller.wait_message_box();
            ASSERT_TRUE(box);
            EXPECT_NE(e2e::read_message_box(box).text.find(c.message), std::string::npos);
            ASSERT_TRUE(e2e::answer(box, IDOK));
        }
        s.main = s.controller.wait_main_window();
        ASSERT_TRUE(s.main);
        s.panel = e2e::job_panel_of(s.main);
        EXPECT_EQ(s.text(IDC_HORIZONTAL_DISTANCE), c.horizontal);
        EXPECT_EQ(s.text(IDC_VERTICAL_DISTANCE), c.vertical);
        EXPECT_EQ(e2e::is_visible(s.panel, IDCANCEL), c.cancel_shown);
        // The orientation ends the start.
        e2e::wait_until([&] { return s.cutter.model().write_log.back().rfind("FN", 0) == 0; }, "the orientation", 3000);
        const Writes all = s.new_writes();
        EXPECT_EQ(Writes(all.end() - 2, all.end()), c.last_writes);
        e2e::close_and_expect_exit(&s.controller, s.main, c.cancel_shown ? 1 : 0);
        // The command line's distances are not stored.
        EXPECT_EQ(e2e::saved_setting(s.install, "Main_Section", "TomboDisX"), "100000");
    }
}

}  // namespace
