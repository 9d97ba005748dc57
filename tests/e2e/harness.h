// End-to-end harness: runs QMACTL.EXE (or any program) from a fresh copy of the install folder
// and drives its windows from outside as a user would. Every wait polls with a time-out, after
// which it adds a failure naming what was awaited and returns nullptr (or false/nothing); while it
// waits, the test's thread handles its own windows' messages, so that a window of the test can be
// a controller's owner (-OWNER). A Program still running at its end is killed, so a failed test
// never leaves a controller holding the single-instance mutex.
#ifndef CUTTER_E2E_HARNESS_H
#define CUTTER_E2E_HARNESS_H

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Long enough for a slow Wine start, short enough that a broken test fails within a minute.
constexpr DWORD DEFAULT_TIMEOUT_MS = 15000;

// Windows paths of the install folder, the development stand-ins (the simulated ZOLKUSBP.DLL)
// and the installer, from the build, or from the environment variables CUTTER_E2E_DIST_DIR,
// CUTTER_E2E_SIM_DIR and CUTTER_E2E_INSTALLER, which name another build's (the i686 one's).
std::string dist_folder();
std::string sim_folder();
std::string installer_file();

constexpr const char* CONTROLLER_TITLE = "Quillmark Controller";

// A copy of an install folder in a new temporary folder, removed when it goes out of scope.
// Declare it before the Programs that run from it, so that they have ended when it is removed.
class InstallCopy {
public:
    explicit InstallCopy(const std::string& source = dist_folder());
    ~InstallCopy();
    InstallCopy(const InstallCopy&) = delete;
    InstallCopy& operator=(const InstallCopy&) = delete;

    bool ok() const { return ok_; }
    std::string path(const std::string& name) const { return folder_ + "\\" + name; }
    std::string controller() const { return path("QMACTL.EXE"); }

    // Writes exactly these bytes (name may hold an existing subfolder: "Media\\Plain.qcf").
    bool write_file(const std::string& name, const std::string& bytes);
    bool copy_in(const std::string& source_file);  // under its own name
    std::optional<std::string> read_file(const std::string& name) const;  // nothing when missing
    std::vector<std::string> files(const std::string& subfolder) const;  // names of its entries, sorted

private:
    std::string folder_;
    bool ok_ = false;
};

// Visible top-level windows of a process.
std::vector<HWND> windows_of(DWORD pid);

// A program started by the test, which waits for its windows and its exit code.
class Program {
public:
    Program() = default;
    ~Program();  // kills the program when it still runs
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Starts exe in its folder with these command-line words; false (and a failure) if it cannot.
    bool start(const std::string& exe, const std::vector<std::string>& words = {});
    bool running() const;
    DWORD pid() const { return info_.dwProcessId; }

    // The exit code; when the program does not end in time, a failure and it is killed.
    std::optional<DWORD> wait_exit(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    void kill();  // ends it at once, no failure

    // The main window: visible, top-level, titled "Quillmark Controller", not a message box.
    HWND wait_main_window(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    // A visible dialog with exactly this title other than the main window.
    HWND wait_dialog(const std::string& title, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    HWND wait_message_box(DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
    std::vector<HWND> windows() const { return windows_of(pid()); }

private:
    HWND wait_window(const std::string& what, DWORD timeout_ms, const std::function<bool(HWND)>& match);
    PROCESS_INFORMATION info_ = {};
};

// Polls until condition() holds; false (and a failure naming `what`) after the time-out.
bool wait_until(const std::function<bool()>& condition, const std::string& what,
                DWORD timeout_ms = DEFAULT_TIMEOUT_MS);

// A top-level window's title as the system keeps it (works while the program is busy), a
// control's text by WM_GETTEXT.
std::string window_text(HWND window);
std::string control_text(HWND dialog, int id);
bool is_visible(HWND dialog, int id);  // false (and a failure) when there is no such control
// The message of a message box, line breaks as "\n".
std::string message_text(HWND box);

// Clicks an enabled, visible button (posted, so a modal dialog it opens does not block the test).
bool click(HWND dialog, int id);
// Answers a message box or dialog as its button `id` would, then waits until it has gone.
bool answer(HWND dialog, int id, DWORD timeout_ms = DEFAULT_TIMEOUT_MS);
inline bool close_window(HWND window) { return PostMessageA(window, WM_CLOSE, 0, 0) != 0; }

}  // namespace e2e

#endif
