#include "cutter_link.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace e2e {

VirtualCutter::VirtualCutter()
{
    static int serial = 0;
    const std::string pipe = "\\\\.\\pipe\\QuillmarkE2ECutter." +
                             std::to_string(GetCurrentProcessId()) + "." + std::to_string(++serial);
    server_ = start_cutter_server(pipe, [this](const std::string& line) {
        if (!refuse_after_.empty() && model_ != nullptr && line.find(refuse_after_) != std::string::npos) {
            model_->refuse_transfers = true;
        }
    });
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
    stop_cutter_server(server_);  // nothing when it never started
}

CutterModel VirtualCutter::model()
{
    CutterModel copy;
    with_model(server_, [&copy](CutterModel* m) { copy = *m; });
    return copy;
}

std::vector<std::string> VirtualCutter::new_commands(std::size_t count)
{
    wait_until([&] { return model().commands.size() >= seen_ + count; }, std::to_string(count) + " more commands");
    const std::vector<ReceivedCommand> all = model().commands;
    std::vector<std::string> fresh;
    for (std::size_t i = seen_; i < all.size(); ++i) fresh.push_back(all[i].bytes);
    seen_ = all.size();
    return fresh;
}

bool add_usb_library(InstallCopy* install) { return install->copy_in(sim_folder() + "\\ZOLKUSBP.DLL"); }

static std::string crlf_lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string settings_file(const std::vector<std::string>& lines) { return crlf_lines({"[Main_Section]"}) + crlf_lines(lines); }

bool add_media_file(InstallCopy* install, const std::string& name, std::int32_t list_id,
                    std::int32_t configuration_mode, const std::vector<std::string>& more_lines)
{
    return install->write_file("Media\\" + name + ".qcf",
                               crlf_lines({"[Generic]", "Product=Quillmark Controller Ver2", "Type=Quillmark",
                                           "ListID=" + std::to_string(list_id),
                                           "ConfigurationMode=" + std::to_string(configuration_mode)}) +
                                   crlf_lines(more_lines));
}

std::string saved_setting(const InstallCopy& install, const std::string& section, const std::string& key,
                          const std::string& file)
{
    char value[512] = {};
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", value, sizeof value, install.path(file).c_str());
    return value;
}

HWND job_panel_of(HWND main_window)
{
    HWND panel = FindWindowExA(main_window, nullptr, "#32770", nullptr);
    EXPECT_TRUE(panel) << "the main window holds no job panel";
    return panel;
}

HWND start_controller(Program* controller, const InstallCopy& install, const std::vector<std::string>& words)
{
    return install.ok() && controller->start(install.controller(), words) ? controller->wait_main_window() : nullptr;
}

void close_and_expect_exit(Program* controller, HWND main, DWORD exit_code)
{
    EXPECT_EQ(close_window(main) ? controller->wait_exit() : std::nullopt, exit_code);
}

std::string message_answered(Program* controller, int button)
{
    HWND box = controller->wait_message_box();
    const std::string text = box != nullptr ? message_text(box) : "(no message)";
    EXPECT_TRUE(box != nullptr && answer(box, button)) << text;
    return text;
}

void send_key(WORD virtual_key, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (up ? KEYEVENTF_KEYUP : 0);
    EXPECT_EQ(SendInput(1, &input, sizeof input), 1u);
}

}  // namespace e2e
