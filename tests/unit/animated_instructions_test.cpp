#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "common/program_paths.h"
#include "common/win_text.h"
#include "guide/animated_instructions.h"

namespace {

// A path of the build tree as the program sees it: under Wine the Unix root is drive Z:.
std::string windows_path(std::string path)
{
    for (char& c : path) {
        c = c == '/' ? '\\' : c;
    }
    return path[0] == '\\' ? "Z:" + path : path;
}

// The program path the launcher is handed.
char g_program[PROGRAM_PATH_SIZE];

void use_program(const std::string& path)
{
    lstrcpynA(g_program, path.c_str(), PROGRAM_PATH_SIZE);
}

// A handle of our own to the launched process, valid after the launcher lets go of its own.
HANDLE watch_launched_process()
{
    HANDLE copy = nullptr;
    DuplicateHandle(GetCurrentProcess(), g_animation_launcher.Process.hProcess, GetCurrentProcess(),
                    &copy, 0, FALSE, DUPLICATE_SAME_ACCESS);
    return copy;
}

bool ends_within(HANDLE process, DWORD ms)
{
    return WaitForSingleObject(process, ms) == WAIT_OBJECT_0;
}

bool is_topmost(HWND window)
{
    return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

DWORD process_of(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

bool process_fields_are_zero()
{
    PROCESS_INFORMATION zero = {};
    return std::memcmp(&g_animation_launcher.Process, &zero, sizeof zero) == 0;
}

class AnimatedInstructions : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_animation_launcher = AnimationLauncher{};
        reset_animated_instructions();
        use_program(windows_path(CUTTER_DIST_DIR "/CIC_DMAN.EXE"));
    }

    // Ends whatever a test left running, the way the controller does at shut-down.
    void TearDown() override
    {
        HANDLE left = watch_launched_process();
        close_animated_instructions();
        if (left != nullptr) {
            if (!ends_within(left, 5000)) {
                TerminateProcess(left, 1);
            }
            CloseHandle(left);
        }
    }

    // Starts the program and closes it as the user would; its window is still remembered.
    static void start_and_close_as_the_user()
    {
        ASSERT_EQ(start_animated_instructions(g_program), RC_SUCCESS);
        HANDLE launched = watch_launched_process();
        PostMessageA(g_animation_launcher.Window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(ends_within(launched, 5000));
        CloseHandle(launched);
    }
};

TEST_F(AnimatedInstructions, StartsOnceRaisesTheRunningInstanceAndStartsAfreshAfterTheUserClosedIt)
{
    ASSERT_EQ(start_animated_instructions(g_program), RC_SUCCESS);
    const DWORD first_process = g_animation_launcher.Process.dwProcessId;
    HWND window = g_animation_launcher.Window;
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(process_of(window), first_process);
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Quillmark Animated Instructions");
    EXPECT_TRUE(is_topmost(window));

    // Another window took the top; the second press brings the program back above it.
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    ASSERT_EQ(start_animated_instructions(g_program), RC_SUCCESS);
    EXPECT_EQ(g_animation_launcher.Process.dwProcessId, first_process);
    EXPECT_TRUE(is_topmost(window));

    HANDLE first = watch_launched_process();
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(ends_within(first, 5000));
    CloseHandle(first);
    ASSERT_EQ(start_animated_instructions(g_program), RC_SUCCESS);
    EXPECT_NE(g_animation_launcher.Process.dwProcessId, first_process);
    EXPECT_NE(g_animation_launcher.Window, window);
    EXPECT_EQ(process_of(g_animation_launcher.Window), g_animation_launcher.Process.dwProcessId);
    EXPECT_TRUE(is_topmost(g_animation_launcher.Window));

    // At shut-down the program is asked to end, and ends in its own orderly way.
    HANDLE launched = watch_launched_process();
    close_animated_instructions();
    EXPECT_TRUE(ends_within(launched, 5000));
    DWORD exit_code = STILL_ACTIVE;
    GetExitCodeProcess(launched, &exit_code);
    EXPECT_EQ(exit_code, 0u);
    CloseHandle(launched);
    EXPECT_TRUE(process_fields_are_zero());
}

TEST_F(AnimatedInstructions, ProgramThatCannotStartGives211AndChangesNothing)
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string text_file = std::string(temp) + "CIC_DMAN_TEXT.EXE";
    HANDLE file = CreateFileA(text_file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "not a program\r\n", 15, &written, nullptr);
    CloseHandle(file);

    // An earlier instance that the user closed: its ended process must not linger either.
    start_and_close_as_the_user();
    HWND earlier_window = g_animation_launcher.Window;
    const std::string dist = windows_path(CUTTER_DIST_DIR);
    for (const std::string& path : {dist + "\\NO_DMAN.EXE", dist, text_file}) {
        use_program(path);
        // Twice: a failed start leaves nothing behind that would stop the next try.
        EXPECT_EQ(start_animated_instructions(g_program), RC_ANIMATION_START_FAILED) << path;
        EXPECT_EQ(start_animated_instructions(g_program), RC_ANIMATION_START_FAILED) << path;
        EXPECT_TRUE(process_fields_are_zero()) << path;
        EXPECT_EQ(g_animation_launcher.Window, earlier_window) << path;
    }
    DeleteFileA(text_file.c_str());
}

// When nothing runs, close must post nothing: the window it remembers may by now belong to
// someone else. A window of this thread stands in for it and must receive no WM_CLOSE.
TEST_F(AnimatedInstructions, CloseWithNothingRunningPostsNothing)
{
    HWND bystander = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(bystander, nullptr);
    for (bool started_and_ended : {false, true}) {
        if (started_and_ended) {
            start_and_close_as_the_user();
        }
        g_animation_launcher.Window = bystander;
        close_animated_instructions();
        MSG message;
        EXPECT_FALSE(PeekMessageA(&message, bystander, WM_CLOSE, WM_CLOSE, PM_REMOVE))
            << (started_and_ended ? "after the program ended" : "never started");
        EXPECT_TRUE(process_fields_are_zero());
    }
    g_animation_launcher.Window = nullptr;
    DestroyWindow(bystander);
}

}  // namespace
