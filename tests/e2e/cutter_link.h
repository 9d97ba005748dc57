// What the end-to-end tests of the start-up share: a virtual cutter hosted in the test process
// on a pipe of its own (the controller's stand-in ZOLKUSBP.DLL finds it through the
// environment, which the controller inherits), media files and settings files for an install
// copy, and the texts the user is shown.
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
    // The commands received so far, each exactly as sent (terminator included).
    std::vector<std::string> commands();
    // From the first transcript line that contains `fragment` on, every new connection breaks
    // at once, so the controller's next transfer fails at once.
    void refuse_transfers_after(const std::string& fragment) { refuse_after_ = fragment; }

private:
    void on_line(const std::string& line);

    CutterServer* server_ = nullptr;
    CutterModel* model_ = nullptr;  // touched only from on_line, which runs under the lock
    std::string refuse_after_;
};

// Puts our stand-in USB library beside the controller of the copy.
bool add_usb_library(InstallCopy* install);

// "[Main_Section]" with these lines, each ended by CR LF.
std::string settings_file(const std::vector<std::string>& main_section_lines);

// One media file (Media\<name>.qcf) with the given sections' lines after [Generic]'s Product and
// Type.
bool add_media_file(InstallCopy* install, const std::string& name, std::int32_t list_id,
                    std::int32_t configuration_mode, const std::vector<std::string>& more_lines);

// The cut-condition number the media of this ListID gets: 100 plus the number of media files in
// the copy's Media folder with a smaller ListID (the ListIDs there are all different).
int condition_number_of(const InstallCopy& install, std::int32_t list_id);

// A key of the copy's QMACTL.INI ("" when missing).
std::string saved_setting(const InstallCopy& install, const std::string& section,
                          const std::string& key);

// The message a result code shows: the text and " [code = N]".
std::string message_with_code(const std::string& text, int code);
extern const char* const CANNOT_COMMUNICATE_TEXT;  // 57 and 62
extern const char* const PORT_IN_USE_TEXT;         // 54 to 56, 58 to 60
extern const char* const COMMUNICATION_ERROR_TEXT;  // 100 to 104, 150 to 166

// The job panel: the dialog that the main window holds as a child.
HWND job_panel_of(HWND main_window);

// Ids of the running processes of this program file name that this parent started.
std::vector<DWORD> child_processes(DWORD parent_pid, const std::string& exe_name);

}  // namespace e2e

#endif
