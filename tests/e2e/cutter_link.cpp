#include "cutter_link.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

const char* const CANNOT_COMMUNICATE_TEXT =
    "Cannot communicate with Quillmark.\nCheck that the USB cable is connected correctly, press "
    "Quillmark's standby switch, and then confirm that the LED is lit.";
const char* const PORT_IN_USE_TEXT =
    "The USB port is currently in use.\nPlease wait ten seconds, and then try again.";
const char* const COMMUNICATION_ERROR_TEXT =
    "Quillmark communication error.\nPress the standby switch twice.";

VirtualCutter::VirtualCutter()
{
    static int serial = 0;
    const std::string pipe = "\\\\.\\pipe\\QuillmarkE2ECutter." +
                             std::to_string(GetCurrentProcessId()) + "." + std::to_string(++serial);
    server_ = start_cutter_server(pipe, [this](const std::string& line) { on_line(line); });
    if (server_ == nullptr) {
        ADD_FAILURE() << "the virtual cutter could not serve " << pipe;
        return;
    }
    with_model(server_, [this](CutterModel* m) { model_ = m; });
    SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, pipe.c_str());
}

VirtualCutter::~VirtualCutter()
{
    SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, nullptr);
    if (server_ != nullptr) {
        stop_cutter_server(server_);
    }
}

void VirtualCutter::on_line(const std::string& line)
{
    if (!refuse_after_.empty() && model_ != nullptr &&
        line.find(refuse_after_) != std::string::npos) {
        model_->refuse_transfers = true;
    }
}

CutterModel VirtualCutter::model()
{
    CutterModel copy;
    with_model(server_, [&copy](CutterModel* m) { copy = *m; });
    return copy;
}

std::vector<std::string> VirtualCutter::commands()
{
    std::vector<std::string> bytes;
    for (const ReceivedCommand& c : model().commands) {
        bytes.push_back(c.bytes);
    }
    return bytes;
}

bool add_usb_library(InstallCopy* install)
{
    return install->copy_in(sim_folder() + "\\ZOLKUSBP.DLL");
}

std::string settings_file(const std::vector<std::string>& main_section_lines)
{
    std::string text = "[Main_Section]\r\n";
    for (const std::string& line : main_section_lines) {
        text += line + "\r\n";
    }
    return text;
}

bool add_media_file(InstallCopy* install, const std::string& name, std::int32_t list_id,
                    std::int32_t configuration_mode, const std::vector<std::string>& more_lines)
{
    std::string text = "[Generic]\r\nProduct=Quillmark Controller Ver2\r\nType=Quillmark\r\n";
    text += "ListID=" + std::to_string(list_id) + "\r\n";
    text += "ConfigurationMode=" + std::to_string(configuration_mode) + "\r\n";
    for (const std::string& line : more_lines) {
        text += line + "\r\n";
    }
    return install->write_file("Media\\" + name + ".qcf", text);
}

int condition_number_of(const InstallCopy& install, std::int32_t list_id)
{
    int smaller = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(install.path("Media\\*.qcf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return -1;
    }
    do {
        const std::string file = install.path(std::string("Media\\") + found.cFileName);
        const UINT id = GetPrivateProfileIntA("Generic", "ListID", -1, file.c_str());
        if (id < static_cast<UINT>(list_id)) {
            ++smaller;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return 100 + smaller;
}

std::string saved_setting(const InstallCopy& install, const std::string& section,
                          const std::string& key)
{
    char value[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value,
                             install.path("QMACTL.INI").c_str());
    return value;
}

std::string message_with_code(const std::string& text, int code)
{
    return text + " [code = " + std::to_string(code) + "]";
}

HWND job_panel_of(HWND main_window)
{
    HWND panel = FindWindowExA(main_window, nullptr, "#32770", nullptr);
    if (panel == nullptr) {
        ADD_FAILURE() << "the main window holds no job panel";
    }
    return panel;
}

std::vector<DWORD> child_processes(DWORD parent_pid, const std::string& exe_name)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return ids;
    }
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent_pid && lstrcmpiA(entry.szExeFile, exe_name.c_str()) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
    return ids;
}

}  // namespace e2e
