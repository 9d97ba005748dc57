// End-to-end harness: runs QMACTL.EXE (or any program) from a fresh copy of the install folder,
// as its debugger, and drives its windows from outside as a user would.
//
//     InstallCopy install;                          // fresh copy of dist, removed afterwards
//     Program controller;
//     ASSERT_TRUE(controller.start(install.controller(), {"-DEMO"}));
//     HWND main = controller.wait_main_window();
//     ASSERT_TRUE(main);
//     close_window(main);
//     EXPECT_EQ(controller.wait_exit(), 0u);
//
// Every wait polls with a time-out and, when it runs out, adds a GoogleTest failure that says what
// was awaited and what the program showed instead; it then returns nullptr (or nothing), so a
// test can stop with ASSERT_TRUE. A Program that is still running when it goes out of scope is
// killed, so that a failed test never leaves a controller holding the single-instance mutex.
#ifndef CUTTER_E2E_HARNESS_H
#define CUTTER_E2E_HARNESS_H

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

// Long enough for a slow Wine start, short enough that a broken test fails within a minute.
constexpr DWORD DEFAULT_TIMEOUT_MS = 15000;

// Windows paths (under Wine, Z:\... for the build tree), from the build.
std::string dist_folder();        // the folder a user installs (QMACTL.EXE, Media\...)
std::string sim_folder();         // development stand-ins, e.g. the simulated ZOLKUSBP.DLL
std::string test_programs_folder();  // helper programs of the end-to-end tests

// The controller's main window title.
constexpr const char* CONTROLLER_TITLE = "Quillmark Controller";
constexpr const char* CONTROLLER_EXE = "QMACTL.EXE";

// ---------------------------------------------------------------------------------------------
// A working copy of an install folder in a new temporary folder, removed when it goes out of
// scope. Failures to copy are reported as test failures; ok() tells whether the copy is whole.
// Declare it before the Programs that run from it, so that they have ended when it is removed.
class InstallCopy {
public:
    explicit InstallCopy(const std::string& source = dist_folder());
    ~InstallCopy();
    InstallCopy(const InstallCopy&) = delete;
    InstallCopy& operator=(const InstallCopy&) = delete;

    bool ok() const { return ok_; }
    const std::string& folder() const { return folder_; }
    // folder\name (name may contain subfolders: "Media\\Plain.qcf").
    std::string path(const std::string& name) const;
    std::string controller() const { return path(CONTROLLER_EXE); }

    // Writes a file with exactly these bytes, creating missing subfolders (e.g. QMACTL.INI).
    bool write_file(const std::string& name, const std::string& bytes);
    // Copies a file in from elsewhere, e.g. sim_folder() + "\\ZOLKUSBP.DLL"; the name defaults
    // to the source's file name.
    bool copy_in(const std::string& source_file, const std::string& name = "");
    // The file's bytes, or nothing when it cannot be read.
    std::optional<std::string> read_file(const std::string& name) const;
    bool exists(const std::string& name) const;
    bool remove_file(const std::string& name);

private:
    std::string folder_;
    bool ok_ = false;
};

// ---------------------------------------------------------------------------------------------
// Icon shown by a message box, told by its pixels.
enum class BoxIcon { None, Exclamation, Stop, Question, Information, Unknown };
const char* icon_name(BoxIcon icon);
void PrintTo(BoxIcon icon, std::ostream* out);  // GoogleTest prints names, not numbers

struct BoxButton {
    int id;            // IDOK, IDCANCEL, IDYES, ...
    std::string text;  // "OK", "Cancel", ... (with any & mnemonic)
};

struct MessageBoxContent {
    std::string caption;
    std::string text;  // the message, line breaks as "\n"
    std::vector<BoxButton> buttons;  // visible push buttons, left to right
    BoxIcon icon = BoxIcon::Unknown;
};

// ---------------------------------------------------------------------------------------------
// A program started as a debuggee: a background thread runs the debug loop and collects every
// debugger output string byte for byte and the exit code.
class Program {
public:
    Program();
    ~Program();  // kills the program when it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts exe with the given command-line words (quoted as the C runtime splits them) in the
    // exe's folder. False (and a test failure) when it cannot be started.
    bool start(const std::string& exe, const std::vector<std::string>& words = {});

    bool running() const;
    DWORD pid() const;
    // Milliseconds since start() created the process.
    DWORD elapsed_ms() const;

    // Waits for the program to end and returns its exit code. When it does not end within the
    // time-out it is killed, a test failure says so, and the result is empty.
    std::optional<DWORD> wait_exit(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // Ends the program at once (exit code 0xDEAD); no failure.
    void kill();

    // The debugger output so far: every string concatenated, or one entry per call of
    // OutputDebugStringA. Raw bytes (CP932 text stays CP932), without the terminating zeros.
    std::string debug_output() const;
    std::vector<std::string> debug_strings() const;
    // Waits until the debugger output contains these bytes.
    bool wait_debug_output(const std::string& bytes, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

    // The controller's main window: visible, top-level, titled "Quillmark Controller", not a
    // message box and not owned by another window of the program.
    HWND wait_main_window(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // A visible dialog (class #32770) of the program other than the main window; with a title,
    // only one with exactly that title. Message boxes are dialogs too.
    HWND wait_dialog(const std::string& title = "", DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // A visible message box of the program.
    HWND wait_message_box(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // Visible top-level windows of the program, for checks and failure messages.
    std::vector<HWND> windows() const;
    // One line per visible top-level window: class, title, handle.
    std::string describe_windows() const;

private:
    struct State;
    HWND wait_window(const char* what, DWORD timeout_ms, bool (*match)(HWND, const void*),
                     const void* context);
    std::string describe_end() const;
    std::shared_ptr<State> state_;
};

// ---------------------------------------------------------------------------------------------
// Windows and controls of another process. Functions that act report a test failure and return
// false when they cannot.

// Polls until condition() holds; false (and a failure naming `what`) after the time-out.
template <typename Condition>
bool wait_until(Condition condition, const std::string& what,
                DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
bool wait_until_impl(bool (*condition)(void*), void* context, const std::string& what,
                     DWORD timeout_ms);

// Text of a window or control: a top-level window's title as the system keeps it (no message,
// so it works while the program is busy), a control's text by WM_GETTEXT.
std::string window_text(HWND window);
std::string control_text(HWND dialog, int id);
bool set_control_text(HWND dialog, int id, const std::string& text);
std::string class_name(HWND window);

HWND control(HWND dialog, int id);  // nullptr (and a failure) when the dialog has none
bool is_enabled(HWND dialog, int id);
bool is_visible(HWND dialog, int id);
bool is_checked(HWND dialog, int id);  // check box or radio button

// Clicks an enabled, visible button (BM_CLICK, posted, so that a modal dialog it opens does not
// block the test).
bool click(HWND dialog, int id);
// Answers a message box or dialog as its button `id` would (IDOK, IDCANCEL, IDYES, ...), then
// waits until the window has gone.
bool answer(HWND dialog, int id, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
// Posts WM_CLOSE.
bool close_window(HWND window);
bool wait_window_gone(HWND window, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

// Caption, message, buttons and icon of a message box. The icon is told from the pixels on
// screen, so the box must be visible; it is polled until it has been painted.
MessageBoxContent read_message_box(HWND box, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
BoxIcon message_box_icon(HWND box, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

// Shows bytes readably in failure messages: printable ASCII as is, others as \xNN.
std::string escape_bytes(const std::string& bytes);

template <typename Condition>
bool wait_until(Condition condition, const std::string& what, DWORD timeout_ms)
{
    return wait_until_impl([](void* c) { return static_cast<bool>((*static_cast<Condition*>(c))()); },
                           &condition, what, timeout_ms);
}

}  // namespace e2e

#endif
