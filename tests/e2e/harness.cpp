#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace e2e {

namespace fs = std::filesystem;

namespace {

constexpr DWORD POLL_MS = 20;
// Any message sent to another program's window: a program busy (in a long cutter command,
// say) for longer than this does not hang the test.
constexpr UINT SEND_TIMEOUT_MS = 5000;

// Waits `ms` while handling what is sent or posted to this thread's windows, as a starting
// program must: a controller started with a window of the test as its owner disables that
// window, which waits until this thread answers.
void handle_messages_for(DWORD ms)
{
    for (DWORD start = GetTickCount(), spent = 0; spent < ms; spent = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

bool has_class(HWND window, const char* name)
{
    char found[64] = {};
    GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
}

// A message box is a dialog with its message in an id-less (0xFFFF) static and buttons with the
// standard answer ids only. The controller's own dialogs have buttons of their own ids.
bool is_message_box(HWND window)
{
    if (!has_class(window, "#32770") || GetDlgItem(window, 0xFFFF) == nullptr) {
        return false;
    }
    for (HWND c = GetWindow(window, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = static_cast<int>(GetWindowLongPtrA(c, GWLP_ID) & 0xFFFF);
        if (has_class(c, "BUTTON") ? id < IDOK || id > IDCONTINUE : !has_class(c, "STATIC")) {
            return false;
        }
    }
    return true;
}

// Titled as the main window, not a message box, and not owned by another window of the program.
bool is_main_window(HWND window, DWORD pid)
{
    if (window_text(window) != CONTROLLER_TITLE || is_message_box(window)) {
        return false;
    }
    HWND owner = GetWindow(window, GW_OWNER);
    DWORD owner_pid = 0;
    if (owner != nullptr) {
        GetWindowThreadProcessId(owner, &owner_pid);
    }
    return owner == nullptr || owner_pid != pid;
}

// The build's folders, unless the environment names those of another build: the same tests then
// run the i686 programs.
std::string folder_of(const char* variable, const char* built_in)
{
    char value[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string(built_in);
}

}  // namespace

std::string dist_folder() { return folder_of("CUTTER_E2E_DIST_DIR", CUTTER_E2E_DIST_DIR); }
std::string sim_folder() { return folder_of("CUTTER_E2E_SIM_DIR", CUTTER_E2E_SIM_DIR); }
std::string installer_file() { return folder_of("CUTTER_E2E_INSTALLER", CUTTER_E2E_INSTALLER); }

InstallCopy::InstallCopy(const std::string& source)
{
    static unsigned counter = 0;
    folder_ = (fs::temp_directory_path() / ("qmactl-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                                            std::to_string(++counter) + "-" + std::to_string(GetTickCount())))
                  .string();
    std::error_code error;
    fs::copy(source, folder_, fs::copy_options::recursive, error);
    ok_ = !error && fs::exists(controller());
    EXPECT_TRUE(ok_) << "cannot copy the install folder " << source << " (built?): " << error.message();
}

InstallCopy::~InstallCopy()
{
    // A program that just ended may hold its files for a moment longer.
    std::error_code error;
    fs::remove_all(folder_, error);
    for (const DWORD start = GetTickCount(); error && GetTickCount() - start < 3000; fs::remove_all(folder_, error)) {
        Sleep(POLL_MS);
    }
    EXPECT_FALSE(error) << "cannot remove the temporary install folder " << folder_;
}

bool InstallCopy::write_file(const std::string& name, const std::string& bytes)
{
    std::ofstream file(path(name), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    EXPECT_TRUE(file) << "cannot write " << path(name);
    return !file.fail();
}

bool InstallCopy::copy_in(const std::string& source_file)
{
    std::error_code error;
    fs::copy_file(source_file, path(fs::path(source_file).filename().string()),
                  fs::copy_options::overwrite_existing, error);
    EXPECT_FALSE(error) << "cannot copy " << source_file << ": " << error.message();
    return !error;
}

std::optional<std::string> InstallCopy::read_file(const std::string& name) const
{
    std::ifstream file(path(name), std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> InstallCopy::files(const std::string& subfolder) const
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(path(subfolder))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

Program::~Program()
{
    kill();
    if (info_.hProcess != nullptr) {
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool Program::start(const std::string& exe, const std::vector<std::string>& words)
{
    std::string line = "\"" + exe + "\"";
    for (const std::string& word : words) {
        line += word.empty() || word.find(' ') != std::string::npos ? " \"" + word + "\"" : " " + word;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info_)) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        info_ = {};
        return false;
    }
    return true;
}

bool Program::running() const
{
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Program::wait_exit(DWORD timeout_ms)
{
    DWORD code = 0;
    if (!wait_until([this] { return !running(); }, "the program to end", timeout_ms) ||
        !GetExitCodeProcess(info_.hProcess, &code)) {
        kill();
        return std::nullopt;
    }
    return code;
}

void Program::kill()
{
    if (running()) {
        TerminateProcess(info_.hProcess, 0xDEAD);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

std::vector<HWND> windows_of(DWORD pid)
{
    std::vector<HWND> found;
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        DWORD owner_pid = 0;
        GetWindowThreadProcessId(window, &owner_pid);
        if (pid != 0 && owner_pid == pid && IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
}

HWND Program::wait_window(const std::string& what, DWORD timeout_ms, const std::function<bool(HWND)>& match)
{
    HWND found = nullptr;
    const bool over = wait_until([&] {
        for (HWND window : windows()) {
            if (match(window)) {
                found = window;
                return true;
            }
        }
        return !running();
    }, what, timeout_ms);
    EXPECT_TRUE(found != nullptr || !over) << "the program ended without showing " << what;
    return found;
}

HWND Program::wait_main_window(DWORD timeout_ms)
{
    const DWORD my_pid = pid();
    return wait_window("the main window", timeout_ms, [my_pid](HWND window) { return is_main_window(window, my_pid); });
}

HWND Program::wait_dialog(const std::string& title, DWORD timeout_ms)
{
    const DWORD my_pid = pid();
    return wait_window("dialog \"" + title + "\"", timeout_ms, [&title, my_pid](HWND window) {
        return has_class(window, "#32770") && window_text(window) == title && !is_main_window(window, my_pid);
    });
}

HWND Program::wait_message_box(DWORD timeout_ms) { return wait_window("a message box", timeout_ms, is_message_box); }

bool wait_until(const std::function<bool()>& condition, const std::string& what, DWORD timeout_ms)
{
    for (const DWORD start = GetTickCount(); !condition(); handle_messages_for(POLL_MS)) {
        if (GetTickCount() - start >= timeout_ms) {
            ADD_FAILURE() << "waited " << timeout_ms << " ms in vain for " << what;
            return false;
        }
    }
    return true;
}

std::string window_text(HWND window)
{
    char text[4096] = {};
    DWORD_PTR copied = 0;
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) {
        // The system keeps a top-level window's title: reading it sends the program no message.
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    const bool got = SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                         SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &copied);
    return got ? std::string(text, std::min<std::size_t>(copied, sizeof text - 1)) : std::string();
}

std::string control_text(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? window_text(item) : std::string();
}

namespace {

// The control, or nullptr and a failure when there is none (or, to be pressed, it is hidden or
// disabled).
HWND control(HWND dialog, int id, bool to_press = false)
{
    HWND item = GetDlgItem(dialog, id);
    const bool usable = item != nullptr && (!to_press || (IsWindowVisible(item) && IsWindowEnabled(item)));
    EXPECT_TRUE(usable) << "control " << id << (item == nullptr ? " is missing in \"" : " is hidden or disabled in \"")
                        << window_text(dialog) << "\"";
    return usable ? item : nullptr;
}

}  // namespace

bool is_visible(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item != nullptr && IsWindowVisible(item);
}

bool click(HWND dialog, int id)
{
    HWND item = control(dialog, id, true);
    return item != nullptr && PostMessageA(item, BM_CLICK, 0, 0);
}

bool answer(HWND dialog, int id, DWORD timeout_ms)
{
    HWND button = control(dialog, id, true);
    const std::string closing = "\"" + window_text(dialog) + "\" to close";
    // The command the button itself would send: works whether or not the window is in front.
    return button != nullptr &&
           PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)) &&
           wait_until([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); },
                      closing, timeout_ms);
}

std::string message_text(HWND box)
{
    // Some versions show "\r\n" for a line break; the program writes "\n".
    std::string text = control_text(box, 0xFFFF);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace e2e
