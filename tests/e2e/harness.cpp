#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <thread>

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
        if (is_folder) {
            return copy_folder(source, target);
        }
        if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            ADD_FAILURE() << "cannot copy " << source << ": error " << GetLastError();
            return false;
        }
        return true;
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

std::vector<HWND> children_of(HWND parent)
{
    std::vector<HWND> children;
    for (HWND c = GetWindow(parent, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        children.push_back(c);
    }
    return children;
}

int control_id(HWND control) { return static_cast<int>(GetWindowLongPtrA(control, GWLP_ID) & 0xFFFF); }

LONG static_type(HWND control) { return GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK; }

// The message text of a box: an id-less (0xFFFF) static that shows text.
bool is_message_text(HWND control)
{
    const LONG type = static_type(control);  // SS_LEFT, SS_CENTER or SS_RIGHT are 0 to 2
    return has_class(control, "STATIC") && control_id(control) == 0xFFFF &&
           (type <= SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP);
}

// A message box is a dialog of statics, among them the message text, and buttons with the
// standard answer ids only. The controller's own dialogs have buttons of their own ids.
bool is_message_box(HWND window)
{
    if (!has_class(window, "#32770")) {
        return false;
    }
    bool has_text = false;
    for (HWND child : children_of(window)) {
        const int id = control_id(child);
        if (has_class(child, "BUTTON") ? id < IDOK || id > IDCONTINUE : !has_class(child, "STATIC")) {
            return false;
        }
        has_text = has_text || is_message_text(child);
    }
    return has_text;
}

std::string describe_window(HWND window)
{
    std::ostringstream out;
    out << "[" << class_of(window) << "] \"" << escape_bytes(window_text(window)) << "\" (handle "
        << window << ")";
    if (is_message_box(window)) {
        out << ", message box saying \"" << escape_bytes(control_text(window, 0xFFFF)) << "\"";
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

// ---------------------------------------------------------------------------------------------

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
    if (!file) {
        ADD_FAILURE() << "cannot write " << path(name);
    }
    return !file.fail();
}

bool InstallCopy::copy_in(const std::string& source_file, const std::string& name)
{
    const std::string target = path(name.empty() ? file_name_of(source_file) : name);
    if (!CopyFileA(source_file.c_str(), target.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << source_file << " to " << target << ": error " << GetLastError();
        return false;
    }
    return true;
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
        if (!is_folder) {
            names.push_back(name);
        }
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
    if (!DeleteFileA(path(name).c_str())) {
        ADD_FAILURE() << "cannot delete " << path(name) << ": error " << GetLastError();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The debug loop. CreateProcessA and WaitForDebugEvent must run on the same thread, so the
// background thread both starts the program and serves it until it ends.

struct Program::State {
    std::string exe, command_line;
    mutable std::mutex lock;
    std::string output;                   // guarded by lock
    std::vector<std::string> exceptions;  // second-chance exceptions, guarded by lock
    std::optional<DWORD> exit_code;       // guarded by lock
    HANDLE process = nullptr;
    DWORD pid = 0, start_tick = 0, start_error = 0;
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ended = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    volatile LONG abandon = 0;
    std::thread thread;

    ~State()
    {
        if (process != nullptr) {
            CloseHandle(process);
        }
        CloseHandle(started);
        CloseHandle(ended);
    }

    void read_debug_string(const OUTPUT_DEBUG_STRING_INFO& info)
    {
        // The length counts the terminating zero (two bytes for a wide string).
        std::string bytes(info.nDebugStringLength, '\0');
        SIZE_T read = 0;
        if (bytes.empty() ||
            !ReadProcessMemory(process, info.lpDebugStringData, &bytes[0], bytes.size(), &read)) {
            read = 0;
        }
        bytes.resize(read);
        const std::string zero(info.fUnicode ? 2 : 1, '\0');
        if (bytes.size() >= zero.size() && bytes.compare(bytes.size() - zero.size(), zero.size(), zero) == 0) {
            bytes.resize(bytes.size() - zero.size());
        }
        std::lock_guard<std::mutex> guard(lock);
        output += bytes;
    }

    void run()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::string line = command_line;
        const std::string folder = exe.substr(0, exe.find_last_of('\\'));
        if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                            nullptr, folder.c_str(), &startup, &info)) {
            start_error = GetLastError();
            SetEvent(started);
            SetEvent(ended);
            return;
        }
        CloseHandle(info.hThread);
        process = info.hProcess;
        pid = info.dwProcessId;
        start_tick = GetTickCount();
        SetEvent(started);

        for (bool done = false; !done;) {
            DEBUG_EVENT event = {};
            if (!WaitForDebugEvent(&event, 100)) {
                if (abandon != 0) {
                    break;  // leaving the thread ends the debuggee too
                }
                continue;
            }
            DWORD status = DBG_CONTINUE;
            const DWORD code = event.dwDebugEventCode;
            if (code == CREATE_PROCESS_DEBUG_EVENT || code == LOAD_DLL_DEBUG_EVENT) {
                CloseHandle(code == LOAD_DLL_DEBUG_EVENT ? event.u.LoadDll.hFile
                                                         : event.u.CreateProcessInfo.hFile);
            } else if (code == OUTPUT_DEBUG_STRING_EVENT) {
                read_debug_string(event.u.DebugString);
            } else if (code == EXCEPTION_DEBUG_EVENT) {
                // Every exception goes back to the program, which handles it or dies of it as it
                // would without a debugger (the loader's breakpoint too: the loader guards it).
                status = DBG_EXCEPTION_NOT_HANDLED;
                const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
                if (event.u.Exception.dwFirstChance == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, "unhandled exception 0x%08lX at %p",
                                  static_cast<unsigned long>(record.ExceptionCode), record.ExceptionAddress);
                    std::lock_guard<std::mutex> guard(lock);
                    exceptions.push_back(text);
                }
            } else if (code == EXIT_PROCESS_DEBUG_EVENT) {
                std::lock_guard<std::mutex> guard(lock);
                exit_code = event.u.ExitProcess.dwExitCode;
                done = true;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        }
        SetEvent(ended);
    }
};

Program::Program() : state_(std::make_shared<State>()) {}

Program::~Program()
{
    if (state_->thread.joinable()) {
        kill();
        InterlockedExchange(&state_->abandon, 1);
        state_->thread.join();
    }
}

bool Program::start(const std::string& exe, const std::vector<std::string>& words)
{
    if (state_->thread.joinable()) {
        ADD_FAILURE() << "a Program object starts one program only; " << exe << " not started";
        return false;
    }
    state_->exe = exe;
    state_->command_line = "\"" + exe + "\"";
    for (const std::string& word : words) {
        const bool quote = word.empty() || word.find(' ') != std::string::npos;
        state_->command_line += quote ? " \"" + word + "\"" : " " + word;
    }
    State* state = state_.get();
    state_->thread = std::thread([state] { state->run(); });
    WaitForSingleObject(state_->started, INFINITE);
    if (state_->process == nullptr) {
        ADD_FAILURE() << "cannot start " << state_->command_line << ": "
                      << "error " << state_->start_error;
        return false;
    }
    return true;
}

bool Program::running() const
{
    return state_->process != nullptr && WaitForSingleObject(state_->ended, 0) != WAIT_OBJECT_0;
}

DWORD Program::pid() const { return state_->pid; }

DWORD Program::elapsed_ms() const { return GetTickCount() - state_->start_tick; }

std::optional<DWORD> Program::wait_exit(DWORD timeout_ms)
{
    if (state_->process == nullptr) {
        ADD_FAILURE() << "wait_exit: no program was started";
        return std::nullopt;
    }
    if (!wait_handling_messages(state_->ended, timeout_ms)) {
        ADD_FAILURE() << "the program did not end within " << timeout_ms << " ms and was killed. "
                      << describe_end();
        kill();
        return std::nullopt;
    }
    std::lock_guard<std::mutex> guard(state_->lock);
    for (const std::string& exception : state_->exceptions) {
        ADD_FAILURE() << file_name_of(state_->exe) << " crashed: " << exception;
    }
    return state_->exit_code;
}

void Program::kill()
{
    if (running()) {
        TerminateProcess(state_->process, KILLED_EXIT_CODE);
        if (WaitForSingleObject(state_->ended, 5000) != WAIT_OBJECT_0) {
            InterlockedExchange(&state_->abandon, 1);  // the debug loop ends it when it leaves
        }
    }
}

std::string Program::debug_output() const
{
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->output;
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
    return text.empty() ? "  (none visible)\n" : text;
}

// How the program stands, its windows and its output, for failure messages.
std::string Program::describe_end() const
{
    std::ostringstream out;
    out << file_name_of(state_->exe) << " (pid " << pid() << ")";
    if (running()) {
        out << " is still running.";
    } else {
        std::lock_guard<std::mutex> guard(state_->lock);
        out << " has ended with exit code "
            << (state_->exit_code ? std::to_string(*state_->exit_code) : std::string("unknown")) << ".";
        for (const std::string& exception : state_->exceptions) {
            out << " It died of an " << exception << ".";
        }
    }
    out << "\nIts visible windows:\n" << describe_windows() << "Its debugger output: \""
        << escape_bytes(debug_output()) << "\"";
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

// ---------------------------------------------------------------------------------------------

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
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) {
        ADD_FAILURE() << "cannot send WM_CLOSE to window " << window << ": error " << GetLastError();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Telling a message box's icon by its pixels. Icon handles belong to the process that loaded
// them, so the harness draws each standard icon itself, stretched to the icon control as the
// control draws it, and compares the screen with it on the pixels the icon covers fully (those
// that come out the same drawn on black and on white).

namespace {

// A 32-bit top-down bitmap selected into a memory DC, filled with one colour.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;

    Canvas(int w, int h, COLORREF colour)
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        previous = SelectObject(dc, bitmap);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, w, h};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::uint32_t at(std::size_t i) const { return bits[i] & 0x00FFFFFF; }
};

bool close_colours(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 24) {
            return false;
        }
    }
    return true;
}

// Share of the icon's opaque pixels that the screen shows in the icon's colour.
double match_score(const Canvas& shown, int width, int height, HICON icon)
{
    Canvas on_black(width, height, RGB(0, 0, 0)), on_white(width, height, RGB(255, 255, 255));
    DrawIconEx(on_black.dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    DrawIconEx(on_white.dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::size_t opaque = 0, matching = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
        if (on_black.at(i) == on_white.at(i)) {
            ++opaque;
            matching += close_colours(on_black.at(i), shown.at(i)) ? 1 : 0;
        }
    }
    return opaque == 0 ? 0.0 : static_cast<double>(matching) / static_cast<double>(opaque);
}

// Nearly every opaque pixel: question and information share their shape, hence the high bar.
constexpr double MATCH_THRESHOLD = 0.97;

BoxIcon message_box_icon(HWND box, DWORD timeout_ms)
{
    HWND icon_control = nullptr;
    for (HWND child : children_of(box)) {
        if (has_class(child, "STATIC") && static_type(child) == SS_ICON && IsWindowVisible(child)) {
            icon_control = child;
        }
    }
    DWORD_PTR shown_icon = 0;
    if (icon_control == nullptr ||
        !SendMessageTimeoutA(icon_control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                             &shown_icon) ||
        shown_icon == 0) {
        return BoxIcon::None;
    }
    const struct {
        BoxIcon icon;
        LPCSTR resource;
    } candidates[] = {{BoxIcon::Exclamation, IDI_EXCLAMATION}, {BoxIcon::Stop, IDI_HAND},
                      {BoxIcon::Question, IDI_QUESTION}, {BoxIcon::Information, IDI_ASTERISK}};
    const DWORD start = GetTickCount();
    for (;;) {
        // What the screen shows in the control's client area.
        RECT client = {};
        GetClientRect(icon_control, &client);
        POINT origin = {0, 0};
        ClientToScreen(icon_control, &origin);
        Canvas shown(client.right, client.bottom, RGB(0, 0, 0));
        HDC screen = GetDC(nullptr);
        BitBlt(shown.dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);

        std::string scores;
        BoxIcon best = BoxIcon::Unknown;
        double best_score = MATCH_THRESHOLD;
        for (const auto& candidate : candidates) {
            const double score =
                match_score(shown, client.right, client.bottom, LoadIconA(nullptr, candidate.resource));
            if (score >= best_score) {
                best_score = score;
                best = candidate.icon;
            }
            scores += std::string(" ") + icon_name(candidate.icon) + " " + std::to_string(score);
        }
        if (best != BoxIcon::Unknown) {
            return best;
        }
        // Not painted yet, or covered: look again.
        if (GetTickCount() - start >= timeout_ms) {
            ADD_FAILURE() << "the icon of " << describe_window(box)
                          << " matches no standard icon (is the box covered?); share of matching "
                             "pixels:" << scores;
            return BoxIcon::Unknown;
        }
        wait_handling_messages(nullptr, POLL_MS * 5);
    }
}

}  // namespace

const char* icon_name(BoxIcon icon)
{
    const char* const names[] = {"None", "Exclamation", "Stop", "Question", "Information", "Unknown"};
    return names[static_cast<int>(icon)];
}

MessageBoxContent read_message_box(HWND box, DWORD timeout_ms)
{
    MessageBoxContent content;
    content.caption = window_text(box);
    std::vector<std::pair<LONG, int>> buttons;
    for (HWND child : children_of(box)) {
        if (is_message_text(child)) {
            // Some versions show "\r\n" for a line break; the program writes "\n".
            const std::string text = window_text(child);
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text.compare(i, 2, "\r\n") != 0) {
                    content.text += text[i];
                }
            }
        } else if (has_class(child, "BUTTON") && IsWindowVisible(child)) {
            RECT place = {};
            GetWindowRect(child, &place);
            buttons.push_back({place.left, control_id(child)});
        }
    }
    std::stable_sort(buttons.begin(), buttons.end());
    for (const auto& button : buttons) {
        content.buttons.push_back(button.second);
    }
    content.icon = message_box_icon(box, timeout_ms);
    return content;
}

}  // namespace e2e
