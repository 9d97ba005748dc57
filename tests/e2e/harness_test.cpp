// The harness's own checks, against a small stand-in program: what it captures and reads must be
// exactly what the program did, or the controller's tests would pin the wrong thing.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstdio>

#include "harness.h"

namespace {

using e2e::BoxIcon;
using e2e::Program;

std::string probe() { return e2e::test_programs_folder() + "\\harness_probe.exe"; }

TEST(Harness, CapturesDebuggerOutputByteForByteAndTheExitCode)
{
    std::string every_byte_but_zero;
    for (int c = 1; c < 256; ++c) {
        every_byte_but_zero += static_cast<char>(c);
    }
    const struct {
        std::vector<std::string> strings;
        DWORD exit_code;
    } cases[] = {
        {{}, 0},
        // "カット速度変更命令：" in CP932, then a command and its ETX.
        {{"\x83\x4a\x83\x62\x83\x67\x91\xac\x93\x78\x95\xcf\x8d\x58\x96\xbd\x97\xdf\x81\x46!2\x03\n"}, 100},
        {{every_byte_but_zero, "TT\x03\n", std::string(4000, '\x9f') + "end"}, 0xC0000001},
    };
    for (const auto& c : cases) {
        std::vector<std::string> words;
        std::string all;
        for (const std::string& s : c.strings) {
            std::string hex;
            for (unsigned char byte : s) {
                char pair[3];
                std::snprintf(pair, sizeof pair, "%02x", byte);
                hex += pair;
            }
            words.push_back("debug=" + hex);
            all += s;
        }
        words.push_back("exit=" + std::to_string(static_cast<long>(c.exit_code)));
        Program program;
        ASSERT_TRUE(program.start(probe(), words));
        EXPECT_EQ(program.wait_exit(), c.exit_code);
        EXPECT_EQ(program.debug_output(), all) << e2e::escape_bytes(program.debug_output());
    }
}

TEST(Harness, ReadsMessageBoxesAndTellsTheirIcons)
{
    const struct {
        UINT style;
        BoxIcon icon;
        std::vector<int> buttons;
        int answer;
    } cases[] = {
        {MB_OK | MB_ICONEXCLAMATION, BoxIcon::Exclamation, {IDOK}, IDOK},
        {MB_OK | MB_ICONHAND, BoxIcon::Stop, {IDOK}, IDOK},
        {MB_OKCANCEL | MB_ICONQUESTION, BoxIcon::Question, {IDOK, IDCANCEL}, IDCANCEL},
        {MB_OKCANCEL | MB_ICONINFORMATION, BoxIcon::Information, {IDOK, IDCANCEL}, IDOK},
        {MB_YESNOCANCEL, BoxIcon::None, {IDYES, IDNO, IDCANCEL}, IDNO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(e2e::icon_name(c.icon));
        Program program;
        ASSERT_TRUE(program.start(probe(), {"box=" + std::to_string(c.style)}));
        HWND box = program.wait_message_box();
        ASSERT_TRUE(box);
        const e2e::MessageBoxContent content = e2e::read_message_box(box);
        EXPECT_EQ(content.caption, "Harness probe");
        EXPECT_EQ(content.text, "First line of the probe\nSecond line");
        EXPECT_EQ(content.icon, c.icon);
        EXPECT_EQ(content.buttons, c.buttons);
        EXPECT_TRUE(e2e::answer(box, c.answer));
        EXPECT_EQ(program.wait_exit(), static_cast<DWORD>(c.answer));
    }
}

TEST(Harness, AProgramThatDoesNotEndInTimeOrOutOfScopeIsKilled)
{
    DWORD pid = 0;
    {
        Program program;
        ASSERT_TRUE(program.start(probe(), {"box=0"}));
        ASSERT_TRUE(program.wait_message_box());
        std::optional<DWORD> exit_code;
        EXPECT_NONFATAL_FAILURE(exit_code = program.wait_exit(300), "did not end within 300 ms");
        EXPECT_FALSE(exit_code.has_value());
        EXPECT_FALSE(program.running());

        Program left_running;
        ASSERT_TRUE(left_running.start(probe(), {"box=0"}));
        ASSERT_TRUE(left_running.wait_message_box());
        pid = left_running.pid();
    }
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (process != nullptr) {
        EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0) << "pid " << pid << " still runs";
        CloseHandle(process);
    }
}

TEST(Harness, ReportsAWindowThatNeverCameAndACrash)
{
    Program ends;
    ASSERT_TRUE(ends.start(probe(), {"exit=3"}));
    HWND window = nullptr;
    EXPECT_NONFATAL_FAILURE(window = ends.wait_main_window(2000), "has ended with exit code 3");
    EXPECT_EQ(window, nullptr);

    // A debugger that swallowed the first chance would keep the program's handler from it.
    Program handles;
    ASSERT_TRUE(handles.start(probe(), {"raise"}));
    EXPECT_EQ(handles.wait_exit(), 1u);
    Program crashes;
    ASSERT_TRUE(crashes.start(probe(), {"crash"}));
    EXPECT_NONFATAL_FAILURE(crashes.wait_exit(), "crashed: unhandled exception 0xC0000005");
}

TEST(Harness, InstallCopyHoldsTheInstallFolderWithSubfoldersAndIsRemoved)
{
    std::string folder;
    {
        e2e::InstallCopy install;
        ASSERT_TRUE(install.write_file("Media\\Extra.qcf", "[Generic]\r\nName=Extra\r\n"));
        e2e::InstallCopy copy_of_copy(install.folder());
        ASSERT_TRUE(copy_of_copy.ok());
        folder = copy_of_copy.folder();
        EXPECT_NE(folder, install.folder());
        EXPECT_TRUE(copy_of_copy.exists(e2e::CONTROLLER_EXE));
        EXPECT_EQ(copy_of_copy.read_file("Media\\Extra.qcf"), "[Generic]\r\nName=Extra\r\n");
    }
    EXPECT_EQ(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
}

}  // namespace
