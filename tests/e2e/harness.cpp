#include "harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <sstream>
#include <thread>

namespace e2e {

namespace {

// How often a wait looks again. Short enough not to slow a test, long enough not to load the
// two shared cores.
constexpr DWORD POLL_MS = 20;
// Any single message sent to another program's window; a program that does not answer in this
// time is busy (in a long cutter command, say) and the test should not hang with it.
constexpr UINT SEND_TIMEOUT_MS = 5000;
// Exit code given to a program that the harness kills.
constexpr UINT KILLED_EXIT_CODE = 0xDEAD;

std::string last_error_text(DWORD error = GetLastError())
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string result = text;
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) {
        result.pop_back();
    }
    return "error " + std::to_string(error) + (result.empty() ? "" : " (" + result + ")");
}

std::string join_path(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') {
        return folder + name;
    }
    return folder + "\\" + name;
}

std::string file_name_of(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string folder_of(const std::string& path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool is_directory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool make_folders(const std::string& folder)
{
    if (folder.empty() || is_directory(folder)) {
        return true;
    }
    const std::string parent = folder_of(folder);
    if (!parent.empty() && parent != folder && !make_folders(parent)) {
        return false;
    }
    return CreateDirectoryA(folder.c_str(), nullptr) != 0 || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Copies a folder with its files and subfolders; reports the first failure.
bool copy_folder(const std::string& from, const std::string& to)
{
    if (!make_folders(to)) {
        ADD_FAILURE() << "cannot create folder " << to << ": " << last_error_text();
        return false;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(join_path(from, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot list folder " << from << ": " << last_error_text();
        return false;
    }
    bool ok = true;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string source = join_path(from, name);
        const std::string target = join_path(to, name);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            ok = copy_folder(source, target);
        } else if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
            ADD_FAILURE() << "cannot copy " << source << " to " << target << ": " << last_error_text();
            ok = false;
        }
    } while (ok && FindNextFileA(search, &found));
    FindClose(search);
    return ok;
}

bool remove_folder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(join_path(folder, "*").c_str(), &found);
    bool ok = true;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = join_path(folder, name);
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                ok = remove_folder(path) && ok;
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ok = DeleteFileA(path.c_str()) != 0 && ok;
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    return RemoveDirectoryA(folder.c_str()) != 0 && ok;
}

// Quotes one word so that the C runtime's argument splitting gives it back unchanged.
std::string quote_word(const std::string& word)
{
    if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos) {
        return word;
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string class_of(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool is_dialog_class(HWND window) { return class_of(window) == "#32770"; }

bool is_button_class(HWND window)
{
    std::string name = class_of(window);
    for (char& c : name) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    return name == "BUTTON";
}

bool is_static_class(HWND window)
{
    std::string name = class_of(window);
    for (char& c : name) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    return name == "STATIC";
}

std::vector<HWND> children_of(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

int control_id(HWND control) { return static_cast<int>(GetWindowLongPtrA(control, GWLP_ID) & 0xFFFF); }

LONG static_type(HWND control) { return GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK; }

bool is_text_static(HWND control)
{
    const LONG type = static_type(control);
    return type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE ||
           type == SS_LEFTNOWORDWRAP;
}

// A message box is a dialog that holds a text static with id 0xFFFF, buttons with the standard
// answer ids only, and statics. The controller's own dialogs have buttons of their own ids, and
// none has an id-less text.
bool is_message_box(HWND window)
{
    if (!is_dialog_class(window)) {
        return false;
    }
    bool has_text = false;
    for (HWND child : children_of(window)) {
        const int id = control_id(child);
        if (is_static_class(child)) {
            has_text = has_text || (id == 0xFFFF && is_text_static(child));
        } else if (is_button_class(child)) {
            if (id < IDOK || id > IDCONTINUE) {
                return false;
            }
        } else {
            return false;
        }
    }
    return has_text;
}

HWND icon_static_of(HWND box)
{
    for (HWND child : children_of(box)) {
        if (is_static_class(child) && static_type(child) == SS_ICON && IsWindowVisible(child)) {
            return child;
        }
    }
    return nullptr;
}

std::string describe_window(HWND window)
{
    std::ostringstream out;
    out << "[" << class_of(window) << "] \"" << escape_bytes(window_text(window)) << "\" (handle 0x"
        << std::hex << reinterpret_cast<std::uintptr_t>(window) << std::dec << ")";
    if (is_message_box(window)) {
        out << ", message box saying \"" << escape_bytes(control_text(window, 0xFFFF)) << "\"";
    }
    return out.str();
}

// Waits until the window is hidden or destroyed. The description is taken beforehand: asking a
// window that is closing for its text can stall until its thread has finished.
bool wait_gone(HWND window, const std::string& description, DWORD timeout_ms)
{
    return wait_until([window] { return !IsWindow(window) || !IsWindowVisible(window); },
                      "window " + description + " to close", timeout_ms);
}

}  // namespace

// ---------------------------------------------------------------------------------------------

std::string dist_folder() { return CUTTER_E2E_DIST_DIR; }
std::string sim_folder() { return CUTTER_E2E_SIM_DIR; }
std::string test_programs_folder() { return CUTTER_E2E_PROGRAMS_DIR; }

std::string escape_bytes(const std::string& bytes)
{
    std::string out;
    char hex[8];
    for (unsigned char c : bytes) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

// ---------------------------------------------------------------------------------------------

InstallCopy::InstallCopy(const std::string& source)
{
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100 && folder_.empty(); ++attempt) {
        const std::string candidate =
            join_path(temp, "qmactl-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
                                std::to_string(++counter) + "-" + std::to_string(GetTickCount()));
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            folder_ = candidate;
        }
    }
    if (folder_.empty()) {
        ADD_FAILURE() << "cannot create a temporary install folder in " << temp << ": "
                      << last_error_text();
        return;
    }
    if (!is_directory(source)) {
        ADD_FAILURE() << "install folder " << source << " does not exist: build first";
        return;
    }
    ok_ = copy_folder(source, folder_);
}

InstallCopy::~InstallCopy()
{
    if (folder_.empty()) {
        return;
    }
    // A program that just ended may hold its files for a moment longer.
    const DWORD start = GetTickCount();
    while (!remove_folder(folder_) && GetTickCount() - start < 3000) {
        Sleep(POLL_MS);
    }
    if (is_directory(folder_)) {
        ADD_FAILURE() << "cannot remove the temporary install folder " << folder_;
    }
}

std::string InstallCopy::path(const std::string& name) const { return join_path(folder_, name); }

bool InstallCopy::write_file(const std::string& name, const std::string& bytes)
{
    const std::string target = path(name);
    if (!make_folders(folder_of(target))) {
        ADD_FAILURE() << "cannot create the folder of " << target << ": " << last_error_text();
        return false;
    }
    FILE* file = std::fopen(target.c_str(), "wb");
    if (file == nullptr) {
        ADD_FAILURE() << "cannot write " << target;
        return false;
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !ok) {
        ADD_FAILURE() << "cannot write " << target;
        return false;
    }
    return true;
}

bool InstallCopy::copy_in(const std::string& source_file, const std::string& name)
{
    const std::string target = path(name.empty() ? file_name_of(source_file) : name);
    if (!make_folders(folder_of(target)) || !CopyFileA(source_file.c_str(), target.c_str(), FALSE)) {
        ADD_FAILURE() << "cannot copy " << source_file << " to " << target << ": " << last_error_text();
        return false;
    }
    return true;
}

std::optional<std::string> InstallCopy::read_file(const std::string& name) const
{
    FILE* file = std::fopen(path(name).c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, count);
    }
    std::fclose(file);
    return bytes;
}

bool InstallCopy::exists(const std::string& name) const
{
    return GetFileAttributesA(path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool InstallCopy::remove_file(const std::string& name)
{
    if (!DeleteFileA(path(name).c_str())) {
        ADD_FAILURE() << "cannot delete " << path(name) << ": " << last_error_text();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// The debug loop. CreateProcessA and WaitForDebugEvent must run on the same thread, so the
// background thread both starts the program and serves it until it ends.

struct Program::State {
    std::string exe;
    std::string command_line;
    std::string folder;

    mutable std::mutex lock;
    std::vector<std::string> strings;       // guarded by lock
    std::vector<std::string> exceptions;    // second-chance exceptions, guarded by lock
    std::optional<DWORD> exit_code;         // guarded by lock

    HANDLE process = nullptr;
    DWORD pid = 0;
    DWORD start_tick = 0;
    DWORD start_error = 0;
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
        if (!bytes.empty() &&
            !ReadProcessMemory(process, info.lpDebugStringData, &bytes[0], bytes.size(), &read)) {
            read = 0;
        }
        bytes.resize(read);
        const std::size_t terminator = info.fUnicode ? 2 : 1;
        if (bytes.size() >= terminator &&
            bytes.compare(bytes.size() - terminator, terminator, std::string(terminator, '\0')) == 0) {
            bytes.resize(bytes.size() - terminator);
        }
        std::lock_guard<std::mutex> guard(lock);
        strings.push_back(bytes);
    }

    void run()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        std::string line = command_line;
        if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS,
                            nullptr, folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
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

        for (;;) {
            DEBUG_EVENT event = {};
            if (!WaitForDebugEvent(&event, 100)) {
                if (abandon != 0) {
                    break;  // leaving the thread ends the debuggee too
                }
                continue;
            }
            DWORD continue_status = DBG_CONTINUE;
            bool done = false;
            switch (event.dwDebugEventCode) {
            case CREATE_PROCESS_DEBUG_EVENT:
                if (event.u.CreateProcessInfo.hFile != nullptr) {
                    CloseHandle(event.u.CreateProcessInfo.hFile);
                }
                break;
            case LOAD_DLL_DEBUG_EVENT:
                if (event.u.LoadDll.hFile != nullptr) {
                    CloseHandle(event.u.LoadDll.hFile);
                }
                break;
            case OUTPUT_DEBUG_STRING_EVENT:
                read_debug_string(event.u.DebugString);
                break;
            case EXCEPTION_DEBUG_EVENT: {
                const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
                // Every exception goes back to the program, which handles it or dies of it as
                // it would without a debugger. That includes the loader's breakpoint for a newly
                // attached debugger: the loader guards it with a handler of its own.
                continue_status = DBG_EXCEPTION_NOT_HANDLED;
                if (event.u.Exception.dwFirstChance == 0) {
                    char text[96];
                    std::snprintf(text, sizeof text, "unhandled exception 0x%08lX at %p",
                                  static_cast<unsigned long>(record.ExceptionCode),
                                  record.ExceptionAddress);
                    std::lock_guard<std::mutex> guard(lock);
                    exceptions.push_back(text);
                }
                break;
            }
            case EXIT_PROCESS_DEBUG_EVENT: {
                std::lock_guard<std::mutex> guard(lock);
                exit_code = event.u.ExitProcess.dwExitCode;
                done = true;
                break;
            }
            default:
                break;
            }
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, continue_status);
            if (done) {
                break;
            }
        }
        SetEvent(ended);
    }
};

Program::Program() : state_(std::make_shared<State>()) {}

Program::~Program()
{
    if (state_->thread.joinable()) {
        if (running()) {
            kill();
        }
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
    state_->folder = folder_of(exe);
    state_->command_line = quote_word(exe);
    for (const std::string& word : words) {
        state_->command_line += " " + quote_word(word);
    }
    State* state = state_.get();
    state_->thread = std::thread([state] { state->run(); });
    WaitForSingleObject(state_->started, INFINITE);
    if (state_->process == nullptr) {
        ADD_FAILURE() << "cannot start " << state_->command_line << ": "
                      << last_error_text(state_->start_error);
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
    if (WaitForSingleObject(state_->ended, timeout_ms) != WAIT_OBJECT_0) {
        const std::string windows = describe_windows();
        const std::string output = escape_bytes(debug_output());
        kill();
        ADD_FAILURE() << file_name_of(state_->exe) << " (pid " << pid() << ") did not end within "
                      << timeout_ms << " ms and was killed.\nIts windows:\n"
                      << windows << "Its debugger output: \"" << output << "\"";
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
    if (!running()) {
        return;
    }
    TerminateProcess(state_->process, KILLED_EXIT_CODE);
    if (WaitForSingleObject(state_->ended, 5000) != WAIT_OBJECT_0) {
        // The debug loop ends the program when it stops serving it.
        InterlockedExchange(&state_->abandon, 1);
    }
}

std::string Program::debug_output() const
{
    std::lock_guard<std::mutex> guard(state_->lock);
    std::string all;
    for (const std::string& s : state_->strings) {
        all += s;
    }
    return all;
}

std::vector<std::string> Program::debug_strings() const
{
    std::lock_guard<std::mutex> guard(state_->lock);
    return state_->strings;
}

bool Program::wait_debug_output(const std::string& bytes, DWORD timeout_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (debug_output().find(bytes) != std::string::npos) {
            return true;
        }
        if (GetTickCount() - start >= timeout_ms || !running()) {
            // Output written just before the end has been collected by now.
            if (debug_output().find(bytes) != std::string::npos) {
                return true;
            }
            ADD_FAILURE() << "debugger output \"" << escape_bytes(bytes) << "\" did not come within "
                          << timeout_ms << " ms. " << describe_end() << "\nOutput so far: \""
                          << escape_bytes(debug_output()) << "\"";
            return false;
        }
        Sleep(POLL_MS);
    }
}

std::vector<HWND> Program::windows() const
{
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
    } search{pid(), {}};
    if (search.pid == 0) {
        return {};
    }
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            Search* s = reinterpret_cast<Search*>(context);
            DWORD owner_pid = 0;
            GetWindowThreadProcessId(window, &owner_pid);
            if (owner_pid == s->pid && IsWindowVisible(window)) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string Program::describe_windows() const
{
    std::string text;
    for (HWND window : windows()) {
        text += "  " + describe_window(window) + "\n";
    }
    return text.empty() ? "  (none visible)\n" : text;
}

std::string Program::describe_end() const
{
    std::ostringstream out;
    out << file_name_of(state_->exe) << " (pid " << pid() << ")";
    if (running()) {
        out << " is still running.";
    } else {
        std::lock_guard<std::mutex> guard(state_->lock);
        out << " has ended with exit code ";
        if (state_->exit_code) {
            out << *state_->exit_code;
        } else {
            out << "unknown";
        }
        out << ".";
        for (const std::string& exception : state_->exceptions) {
            out << " It died of an " << exception << ".";
        }
    }
    return out.str();
}

HWND Program::wait_window(const char* what, DWORD timeout_ms, bool (*match)(HWND, const void*),
                          const void* context)
{
    const DWORD start = GetTickCount();
    bool last_look = false;
    for (;;) {
        for (HWND window : windows()) {
            if (match(window, context)) {
                return window;
            }
        }
        if (last_look) {
            break;
        }
        // After the end (or the time-out) look once more: the window may have come meanwhile.
        last_look = !running() || GetTickCount() - start >= timeout_ms;
        if (!last_look) {
            Sleep(POLL_MS);
        }
    }
    ADD_FAILURE() << what << " did not appear within " << timeout_ms << " ms. " << describe_end()
                  << "\nIts visible windows:\n"
                  << describe_windows() << "Its debugger output: \"" << escape_bytes(debug_output())
                  << "\"";
    return nullptr;
}

HWND Program::wait_main_window(DWORD timeout_ms)
{
    const DWORD my_pid = pid();
    const std::string what = std::string("main window \"") + CONTROLLER_TITLE + "\" of " +
                             file_name_of(state_->exe);
    return wait_window(
        what.c_str(), timeout_ms,
        [](HWND window, const void* context) {
            if (window_text(window) != CONTROLLER_TITLE || is_message_box(window)) {
                return false;
            }
            HWND owner = GetWindow(window, GW_OWNER);
            DWORD owner_pid = 0;
            if (owner != nullptr) {
                GetWindowThreadProcessId(owner, &owner_pid);
            }
            return owner == nullptr || owner_pid != *static_cast<const DWORD*>(context);
        },
        &my_pid);
}

HWND Program::wait_dialog(const std::string& title, DWORD timeout_ms)
{
    struct Wanted {
        DWORD pid;
        const std::string* title;
    } wanted{pid(), &title};
    const std::string what = (title.empty() ? std::string("a dialog") : "dialog \"" + title + "\"") +
                             " of " + file_name_of(state_->exe);
    return wait_window(
        what.c_str(), timeout_ms,
        [](HWND window, const void* context) {
            const Wanted* w = static_cast<const Wanted*>(context);
            if (!is_dialog_class(window)) {
                return false;
            }
            const std::string text = window_text(window);
            if (!w->title->empty() && text != *w->title) {
                return false;
            }
            // The main window is a dialog too: skip it.
            HWND owner = GetWindow(window, GW_OWNER);
            DWORD owner_pid = 0;
            if (owner != nullptr) {
                GetWindowThreadProcessId(owner, &owner_pid);
            }
            const bool main_window = text == CONTROLLER_TITLE && !is_message_box(window) &&
                                     (owner == nullptr || owner_pid != w->pid);
            return !main_window;
        },
        &wanted);
}

HWND Program::wait_message_box(DWORD timeout_ms)
{
    const std::string what = "a message box of " + file_name_of(state_->exe);
    return wait_window(
        what.c_str(), timeout_ms, [](HWND window, const void*) { return is_message_box(window); },
        nullptr);
}

// ---------------------------------------------------------------------------------------------

bool wait_until_impl(bool (*condition)(void*), void* context, const std::string& what,
                     DWORD timeout_ms)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition(context)) {
            return true;
        }
        if (GetTickCount() - start >= timeout_ms) {
            if (condition(context)) {
                return true;
            }
            ADD_FAILURE() << "waited " << timeout_ms << " ms in vain for: " << what;
            return false;
        }
        Sleep(POLL_MS);
    }
}

std::string window_text(HWND window)
{
    if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) == 0) {
        // The system keeps the title of a top-level window: reading it sends the program no
        // message, so it works while the program is busy.
        char title[1024] = {};
        GetWindowTextA(window, title, sizeof title);
        return title;
    }
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                             &length)) {
        return std::string();
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &copied)) {
        return std::string();
    }
    text.resize(std::min<std::size_t>(copied, length));
    return text;
}

std::string class_name(HWND window) { return class_of(window); }

HWND control(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        ADD_FAILURE() << "no control " << id << " in " << describe_window(dialog);
    }
    return item;
}

std::string control_text(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? window_text(item) : std::string();
}

bool set_control_text(HWND dialog, int id, const std::string& text)
{
    HWND item = control(dialog, id);
    DWORD_PTR result = 0;
    if (item == nullptr ||
        !SendMessageTimeoutA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                             SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS, &result)) {
        ADD_FAILURE() << "cannot set the text of control " << id << " to \"" << escape_bytes(text)
                      << "\"";
        return false;
    }
    return true;
}

bool is_enabled(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item != nullptr && IsWindowEnabled(item);
}

bool is_visible(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    return item != nullptr && IsWindowVisible(item);
}

bool is_checked(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    DWORD_PTR state = 0;
    if (item == nullptr || !SendMessageTimeoutA(item, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG,
                                                SEND_TIMEOUT_MS, &state)) {
        return false;
    }
    return state == BST_CHECKED;
}

bool click(HWND dialog, int id)
{
    HWND item = control(dialog, id);
    if (item == nullptr) {
        return false;
    }
    if (!IsWindowVisible(item) || !IsWindowEnabled(item)) {
        ADD_FAILURE() << "cannot click control " << id << " \"" << escape_bytes(window_text(item))
                      << "\": it is " << (IsWindowVisible(item) ? "" : "hidden ")
                      << (IsWindowEnabled(item) ? "" : "disabled");
        return false;
    }
    if (!PostMessageA(item, BM_CLICK, 0, 0)) {
        ADD_FAILURE() << "cannot click control " << id << ": " << last_error_text();
        return false;
    }
    return true;
}

bool answer(HWND dialog, int id, DWORD timeout_ms)
{
    HWND button = control(dialog, id);
    if (button == nullptr) {
        return false;
    }
    if (!IsWindowVisible(button) || !IsWindowEnabled(button)) {
        ADD_FAILURE() << "cannot press button " << id << " of " << describe_window(dialog)
                      << ": it is hidden or disabled";
        return false;
    }
    const std::string description = describe_window(dialog);
    // The command the button itself would send: works whether or not the window is in front.
    if (!PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                      reinterpret_cast<LPARAM>(button))) {
        ADD_FAILURE() << "cannot press button " << id << ": " << last_error_text();
        return false;
    }
    return wait_gone(dialog, description, timeout_ms);
}

bool close_window(HWND window)
{
    if (!PostMessageA(window, WM_CLOSE, 0, 0)) {
        ADD_FAILURE() << "cannot send WM_CLOSE to window 0x" << std::hex
                      << reinterpret_cast<std::uintptr_t>(window) << std::dec << ": "
                      << last_error_text();
        return false;
    }
    return true;
}

bool wait_window_gone(HWND window, DWORD timeout_ms)
{
    return wait_gone(window, describe_window(window), timeout_ms);
}

// ---------------------------------------------------------------------------------------------
// Telling a message box's icon by its pixels. Icon handles belong to the process that loaded
// them, so the harness draws each standard icon itself and compares what the box shows with it,
// on the pixels the icon covers fully (found by drawing it on black and on white).

namespace {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bgra;  // top-down rows
};

// A 32-bit top-down bitmap selected into a memory DC.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        void* memory = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<std::uint32_t*>(memory);
        previous = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void fill(COLORREF colour)
    {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    Pixels pixels() const
    {
        GdiFlush();
        Pixels p;
        p.width = width;
        p.height = height;
        p.bgra.assign(bits, bits + static_cast<std::size_t>(width) * height);
        for (std::uint32_t& v : p.bgra) {
            v &= 0x00FFFFFF;
        }
        return p;
    }
};

// What the screen shows in the client area of the window.
Pixels capture_client(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    Canvas canvas(client.right, client.bottom);
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.pixels();
}

struct Candidate {
    BoxIcon icon;
    LPCSTR resource;
};

const Candidate CANDIDATES[] = {
    {BoxIcon::Exclamation, IDI_EXCLAMATION},
    {BoxIcon::Stop, IDI_HAND},
    {BoxIcon::Question, IDI_QUESTION},
    {BoxIcon::Information, IDI_ASTERISK},
};

bool close_colours(std::uint32_t a, std::uint32_t b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int x = static_cast<int>((a >> shift) & 0xFF);
        const int y = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(x - y) > 24) {
            return false;
        }
    }
    return true;
}

// Share of the icon's opaque pixels that the screen shows in the icon's colour, with the icon
// drawn as a static control draws it: stretched to the control or, centred, at its own size.
double match_score(const Pixels& shown, HICON icon)
{
    ICONINFO info = {};
    int own_width = GetSystemMetrics(SM_CXICON);
    int own_height = GetSystemMetrics(SM_CYICON);
    if (GetIconInfo(icon, &info)) {
        BITMAP bitmap = {};
        if (GetObjectA(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap,
                       &bitmap)) {
            own_width = bitmap.bmWidth;
            own_height = info.hbmColor != nullptr ? bitmap.bmHeight : bitmap.bmHeight / 2;
        }
        if (info.hbmColor != nullptr) {
            DeleteObject(info.hbmColor);
        }
        if (info.hbmMask != nullptr) {
            DeleteObject(info.hbmMask);
        }
    }
    const RECT placements[] = {
        {0, 0, shown.width, shown.height},
        {(shown.width - own_width) / 2, (shown.height - own_height) / 2,
         (shown.width + own_width) / 2, (shown.height + own_height) / 2},
    };
    double best = 0.0;
    for (const RECT& place : placements) {
        Canvas on_black(shown.width, shown.height);
        Canvas on_white(shown.width, shown.height);
        on_black.fill(RGB(0, 0, 0));
        on_white.fill(RGB(255, 255, 255));
        for (Canvas* canvas : {&on_black, &on_white}) {
            DrawIconEx(canvas->dc, place.left, place.top, icon, place.right - place.left,
                       place.bottom - place.top, 0, nullptr, DI_NORMAL);
        }
        const Pixels black = on_black.pixels();
        const Pixels white = on_white.pixels();
        std::size_t opaque = 0;
        std::size_t matching = 0;
        for (std::size_t i = 0; i < shown.bgra.size(); ++i) {
            if (black.bgra[i] != white.bgra[i]) {
                continue;
            }
            ++opaque;
            matching += close_colours(black.bgra[i], shown.bgra[i]) ? 1 : 0;
        }
        if (opaque > 0) {
            best = std::max(best, static_cast<double>(matching) / static_cast<double>(opaque));
        }
    }
    return best;
}

// A match is nearly every opaque pixel; the icons of the same shape (question and information)
// share much of theirs, hence the high bar.
constexpr double MATCH_THRESHOLD = 0.97;

}  // namespace

const char* icon_name(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None:        return "None";
    case BoxIcon::Exclamation: return "Exclamation";
    case BoxIcon::Stop:        return "Stop";
    case BoxIcon::Question:    return "Question";
    case BoxIcon::Information: return "Information";
    case BoxIcon::Unknown:     return "Unknown";
    }
    return "?";
}

void PrintTo(BoxIcon icon, std::ostream* out) { *out << icon_name(icon); }

BoxIcon message_box_icon(HWND box, DWORD timeout_ms)
{
    HWND icon_control = icon_static_of(box);
    DWORD_PTR shown_icon = 0;
    if (icon_control == nullptr ||
        !SendMessageTimeoutA(icon_control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, SEND_TIMEOUT_MS,
                             &shown_icon) ||
        shown_icon == 0) {
        return BoxIcon::None;
    }
    const DWORD start = GetTickCount();
    std::string scores;
    for (;;) {
        const Pixels shown = capture_client(icon_control);
        BoxIcon best = BoxIcon::Unknown;
        double best_score = 0.0;
        scores.clear();
        for (const Candidate& candidate : CANDIDATES) {
            const double score = match_score(shown, LoadIconA(nullptr, candidate.resource));
            char text[64];
            std::snprintf(text, sizeof text, " %s %.3f", icon_name(candidate.icon), score);
            scores += text;
            if (score > best_score) {
                best_score = score;
                best = candidate.icon;
            }
        }
        if (best_score >= MATCH_THRESHOLD) {
            return best;
        }
        // Not painted yet, or covered: look again.
        if (GetTickCount() - start >= timeout_ms) {
            ADD_FAILURE() << "the icon of " << describe_window(box)
                          << " matches no standard icon (is the box covered?); share of matching "
                             "pixels:"
                          << scores;
            return BoxIcon::Unknown;
        }
        Sleep(POLL_MS * 5);
    }
}

MessageBoxContent read_message_box(HWND box, DWORD timeout_ms)
{
    MessageBoxContent content;
    content.caption = window_text(box);
    std::vector<std::pair<LONG, BoxButton>> buttons;
    for (HWND child : children_of(box)) {
        if (is_static_class(child) && control_id(child) == 0xFFFF && is_text_static(child)) {
            content.text = window_text(child);
        } else if (is_button_class(child) && IsWindowVisible(child)) {
            RECT place = {};
            GetWindowRect(child, &place);
            buttons.push_back({place.left, BoxButton{control_id(child), window_text(child)}});
        }
    }
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& button : buttons) {
        content.buttons.push_back(button.second);
    }
    // Message boxes show "\r\n" for a line break in some versions; the program writes "\n".
    std::string text;
    for (std::size_t i = 0; i < content.text.size(); ++i) {
        if (content.text[i] == '\r' && i + 1 < content.text.size() && content.text[i + 1] == '\n') {
            continue;
        }
        text += content.text[i];
    }
    content.text = text;
    content.icon = message_box_icon(box, timeout_ms);
    return content;
}

}  // namespace e2e
