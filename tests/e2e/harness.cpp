#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>

namespace e2e {

namespace {

constexpr DWORD POLL_MS = 20;
// Any message sent to another program's window: a program busy (in a long cutter command,
// say) for longer than this does not hang the test.
constexpr UINT SEND_TIMEOUT_MS = 5000;
constexpr UINT KILLED_EXIT_CODE = 0xDEAD;

// Waits up to `ms` for `object` (nullptr: only the time) while handling what is sent or posted
// to this thread's windows, as a starting program must: a controller started with a window of
// the test as its owner disables that window, which waits until this thread answers.
bool wait_handling_messages(HANDLE object, DWORD ms)
{
    const DWORD count = object != nullptr ? 1 : 0;
    for (const DWORD start = GetTickCount();;) {
        const DWORD spent = GetTickCount() - start;
        const DWORD result =
            MsgWaitForMultipleObjects(count, &object, FALSE, spent >= ms ? 0 : ms - spent, QS_ALLINPUT);
        if (result != WAIT_OBJECT_0 + count) {
            return count == 1 && result == WAIT_OBJECT_0;
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

std::string file_name_of(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// Calls visit(path, is_folder) for every entry of a folder but "." and "..".
template <typename Visit>
bool for_each_entry(const std::string& folder, Visit visit)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            ok = visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) && ok;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

bool copy_folder(const std::string& from, const std::string& to)
{
    if (!CreateDirectoryA(to.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        ADD_FAILURE() << "cannot create folder " << to << ": error " << GetLastError();
        return false;
    }
    return for_each_entry(from, [&](const std::string& name, bool is_folder) {
        const std::string source = from + "\\" + name, target = to + "\\" + name;
        const bool copied = is_folder ? copy_folder(source, target) : CopyFileA(source.c_str(), target.c_str(), FALSE);
        EXPECT_TRUE(copied) << "cannot copy " << source << ": error " << GetLastError();
        return copied;
    });
}

bool remove_folder(const std::string& folder)
{
    for_each_entry(folder, [&](const std::string& name, bool is_folder) {
        const std::string path = folder + "\\" + name;
        return is_folder ? remove_folder(path) : DeleteFileA(path.c_str()) != 0;
    });
    return RemoveDirectoryA(folder.c_str()) != 0;
}

std::string class_of(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool has_class(HWND window, const char* name) { return lstrcmpiA(class_of(window).c_str(), name) == 0; }

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

std::string describe_window(HWND window)
{
    std::ostringstream out;
    out << "[" << class_of(window) << "] \"" << escape_bytes(window_text(window)) << "\" (handle "
        << window << ")";
    if (is_message_box(window)) {
        out << ", message box saying \"" << escape_bytes(message_text(window)) << "\"";
    }
    return out.str();
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

}  // namespace

// The build's folders, unless the environment names those of another build: the same tests then
// run the i686 programs.
std::string folder_of(const char* variable, const char* built_in)
{
    char value[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA(variable, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value) : std::string(built_in);
}

std::string dist_folder() { return folder_of("CUTTER_E2E_DIST_DIR", CUTTER_E2E_DIST_DIR); }
std::string sim_folder() { return folder_of("CUTTER_E2E_SIM_DIR", CUTTER_E2E_SIM_DIR); }
std::string installer_file() { return folder_of("CUTTER_E2E_INSTALLER", CUTTER_E2E_INSTALLER); }
std::string test_programs_folder() { return CUTTER_E2E_PROGRAMS_DIR; }

std::string escape_bytes(const std::string& bytes)
{
    std::string out;
    for (unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c == '\n' ? "\\n" : c == '\\' ? "\\\\" : c >= 0x20 && c < 0x7F ? std::string(1, c) : hex;
    }
    return out;
}

InstallCopy::InstallCopy(const std::string& source)
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    folder_ = std::string(temp) + "qmactl-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter) + "-" + std::to_string(GetTickCount());
    if (GetFileAttributesA(source.c_str()) == INVALID_FILE_ATTRIBUTES) {
        ADD_FAILURE() << "install folder " << source << " does not exist: build first";
        folder_.clear();
        return;
    }
    ok_ = copy_folder(source, folder_);
}

InstallCopy::~InstallCopy()
{
    // A program that just ended may hold its files for a moment longer.
    const DWORD start = GetTickCount();
    while (!folder_.empty() && !remove_folder(folder_) && GetTickCount() - start < 3000) {
        Sleep(POLL_MS);
    }
    if (!folder_.empty() && GetFileAttributesA(folder_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ADD_FAILURE() << "cannot remove the temporary install folder " << folder_;
    }
}

bool InstallCopy::write_file(const std::string& name, const std::string& bytes)
{
    std::ofstream file(path(name), std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    EXPECT_TRUE(file) << "cannot write " << path(name);
    return !file.fail();
}

bool InstallCopy::copy_in(const std::string& source_file, const std::string& name)
{
    const std::string target = path(name.empty() ? file_name_of(source_file) : name);
    const bool copied = CopyFileA(source_file.c_str(), target.c_str(), FALSE);
    EXPECT_TRUE(copied) << "cannot copy " << source_file << " to " << target << ": error " << GetLastError();
    return copied;
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
    for_each_entry(path(subfolder), [&names](const std::string& name, bool is_folder) {
        if (!is_folder) names.push_back(name);
        return true;
    });
    return names;
}

bool InstallCopy::exists(const std::string& name) const
{
    return GetFileAttributesA(path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool InstallCopy::remove_file(const std::string& name)
{
    const bool deleted = DeleteFileA(path(name).c_str());
    EXPECT_TRUE(deleted) << "cannot delete " << path(name) << ": error " << GetLastError();
    return deleted;
}

// ---------------------------------------------------------------------------------------------
struct Program::State {
    std::string exe;
    PROCESS_INFORMATION info = {};
    ~State()
    {
        if (info.hProcess != nullptr) {
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

Program::Program() : state_(std::make_shared<State>()) {}

Program::~Program() { kill(); }

bool Program::start(const std::string& exe, const std::vector<std::string>& words)
{
    state_->exe = exe;
    std::string line = "\"" + exe + "\"";
    for (const std::string& word : words) {
        line += word.empty() || word.find(' ') != std::string::npos ? " \"" + word + "\"" : " " + word;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &state_->info)) {
        ADD_FAILURE() << "cannot start " << line << ": error " << GetLastError();
        state_->info = {};
        return false;
    }
    return true;
}

bool Program::running() const
{
    return state_->info.hProcess != nullptr && WaitForSingleObject(state_->info.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::pid() const { return state_->info.dwProcessId; }

std::optional<DWORD> Program::wait_exit(DWORD timeout_ms)
{
    if (state_->info.hProcess == nullptr || !wait_handling_messages(state_->info.hProcess, timeout_ms)) {
        ADD_FAILURE() << "the program did not end within " << timeout_ms << " ms and was killed. "
                      << describe_end();
        kill();
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(state_->info.hProcess, &code);
    return code;
}

void Program::kill()
{
    if (running()) {
        TerminateProcess(state_->info.hProcess, KILLED_EXIT_CODE);
        WaitForSingleObject(state_->info.hProcess, 5000);
    }
}

std::vector<HWND> windows_of(DWORD pid)
{
    std::pair<DWORD, std::vector<HWND>> search{pid, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<std::pair<DWORD, std::vector<HWND>>*>(context);
            DWORD owner_pid = 0;
            GetWindowThreadProcessId(window, &owner_pid);
            if (s->first != 0 && owner_pid == s->first && IsWindowVisible(window)) {
                s->second.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::vector<HWND> Program::windows() const { return windows_of(pid()); }

std::string Program::describe_windows() const
{
    std::string text;
    for (HWND window : windows()) {
        text += "  " + describe_window(window) + "\n";
    }
    return text;
}

// How the program stands and its windows, for failure messages.
std::string Program::describe_end() const
{
    std::ostringstream out;
    out << file_name_of(state_->exe) << (running() ? " is still running." : " has ended.");
    out << "\nIts visible windows:\n" << describe_windows();
    return out.str();
}

HWND Program::wait_window(const std::string& what, DWORD timeout_ms,
                          const std::function<bool(HWND)>& match)
{
    const DWORD start = GetTickCount();
    for (bool last_look = false;;) {
        for (HWND window : windows()) {
            if (match(window)) {
                return window;
            }
        }
        if (last_look) {
            break;
        }
        // After the end (or the time-out) look once more: the window may have come meanwhile.
        last_look = !running() || GetTickCount() - start >= timeout_ms;
        wait_handling_messages(nullptr, last_look ? 0 : POLL_MS);
    }
    ADD_FAILURE() << what << " did not appear within " << timeout_ms << " ms. " << describe_end();
    return nullptr;
}

HWND Program::wait_main_window(DWORD timeout_ms)
{
    const DWORD my_pid = pid();
    return wait_window(std::string("main window \"") + CONTROLLER_TITLE + "\"", timeout_ms,
                       [my_pid](HWND window) { return is_main_window(window, my_pid); });
}

HWND Program::wait_dialog(const std::string& title, DWORD timeout_ms)
{
    const DWORD my_pid = pid();
    return wait_window(title.empty() ? "a dialog" : "dialog \"" + title + "\"", timeout_ms,
                       [&title, my_pid](HWND window) {
                           return has_class(window, "#32770") &&
                                  (title.empty() || window_text(window) == title) &&
                                  !is_main_window(window, my_pid);
                       });
}

HWND Program::wait_message_box(DWORD timeout_ms)
{
    return wait_window("a message box", timeout_ms, is_message_box);
}

bool wait_until(const std::function<bool()>& condition, const std::string& what, DWORD timeout_ms)
{
    for (const DWORD start = GetTickCount(); !condition(); wait_handling_messages(nullptr, POLL_MS)) {
        if (GetTickCount() - start >= timeout_ms) {
            ADD_FAILURE() << "waited " << timeout_ms << " ms in vain for: " << what;
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
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                             SEND_TIMEOUT_MS, &copied)) {
        return std::string();
    }
    return std::string(text, std::min<std::size_t>(copied, sizeof text - 1));
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
    if (item == nullptr) {
        ADD_FAILURE() << "no control " << id << " in " << describe_window(dialog);
    } else if (to_press && (!IsWindowVisible(item) || !IsWindowEnabled(item))) {
        ADD_FAILURE() << "cannot press control " << id << " \"" << escape_bytes(window_text(item))
                      << "\" of " << describe_window(dialog) << ": it is hidden or disabled";
        return nullptr;
    }
    return item;
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
    // Described beforehand: asking a closing window for its text can stall until it has gone.
    const std::string description = describe_window(dialog);
    // The command the button itself would send: works whether or not the window is in front.
    if (button == nullptr || !PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                                           reinterpret_cast<LPARAM>(button))) {
        return false;
    }
    return wait_until([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); },
                      "window " + description + " to close", timeout_ms);
}

bool close_window(HWND window)
{
    const bool posted = PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(posted) << "cannot send WM_CLOSE to window " << window << ": error " << GetLastError();
    return posted;
}

std::string message_text(HWND box)
{
    // Some versions show "\r\n" for a line break; the program writes "\n".
    std::string text = control_text(box, 0xFFFF);
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace e2e
