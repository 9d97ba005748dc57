// What the end-to-end tests of the controller share: a virtual cutter hosted in the test process
// on a pipe of its own (our ZOLKUSBP.DLL finds it through the environment the controller
// inherits), media and settings files, and starting and ending a controller.
#ifndef CUTTER_E2E_CUTTER_LINK_H
#define CUTTER_E2E_CUTTER_LINK_H

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cutter_server.h"
#include "harness.h"

namespace e2e {

// A virtual cutter for one test. While it lives, controllers started by the test talk to it.
class VirtualCutter {
public:
    VirtualCutter();
    ~VirtualCutter();
    VirtualCutter(const VirtualCutter&) = delete;
    VirtualCutter& operator=(const VirtualCutter&) = delete;

    bool ok() const { return server_ != nullptr; }
    void set(const std::function<void(CutterModel*)>& f) { with_model(server_, f); }
    CutterModel model();
    // The commands received since the last call (each as sent, terminator included), once at
    // least `count` new ones have come.
    std::vector<std::string> new_commands(std::size_t count = 0);
    // From the first transcript line that contains `fragment` on, every new connection breaks at
    // once, so the controller's next transfer fails at once.
    void refuse_transfers_after(const std::string& fragment) { refuse_after_ = fragment; }

private:
    CutterServer* server_ = nullptr;
    CutterModel* model_ = nullptr;  // touched only from the transcript callback, under the lock
    std::string refuse_after_;
    std::size_t seen_ = 0;
};

// Puts our stand-in USB library beside the controller of the copy.
bool add_usb_library(InstallCopy* install);

// "[Main_Section]" with these lines, each ended by CR LF.
std::string settings_file(const std::vector<std::string>& main_section_lines);

// Media\<name>.qcf with [Generic]'s Product, Type, ListID and ConfigurationMode, then these lines.
bool add_media_file(InstallCopy* install, const std::string& name, std::int32_t list_id,
                    std::int32_t configuration_mode, const std::vector<std::string>& more_lines);

// A key of the copy's QMACTL.INI, or with `file` of another of its files ("" when missing).
std::string saved_setting(const InstallCopy& install, const std::string& section, const std::string& key,
                          const std::string& file = "QMACTL.INI");

// The job panel: the dialog that the main window holds as a child (nullptr and a failure if none).
HWND job_panel_of(HWND main_window);

// Starts the copy's controller with these words and returns its main window (nullptr and a
// failure when it does not come).
HWND start_controller(Program* controller, const InstallCopy& install,
                      const std::vector<std::string>& words = {});
// Closes the main window; the controller must end with this exit code.
void close_and_expect_exit(Program* controller, HWND main, DWORD exit_code);

// A message box of the controller: its message, then answered with `button`.
std::string message_answered(Program* controller, int button = IDOK);

// A key going down or up as the keyboard sends it (reaches the program in front, its filters too).
void send_key(WORD virtual_key, bool up);

}  // namespace e2e

#endif
