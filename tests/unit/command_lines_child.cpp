// Child program of the debugger-line test: sends every cutter command once to a virtual cutter
// hosted in this process, then one in demo mode, while the test, attached as a debugger, reads
// the debugger lines. The exit code counts the commands that failed.
#include <windows.h>

#include <string>

#include "app/controller.h"
#include "cutter_server.h"
#include "device/cutter_commands.h"
#include "device/usb_transport.h"

int main()
{
    const std::string pipe =
        "\\\\.\\pipe\\QuillmarkLineCutter." + std::to_string(GetCurrentProcessId());
    SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, pipe.c_str());
    CutterServer* server = start_cutter_server(pipe);
    g_demo_mode = DEMO_OFF;
    create_transfer_events();
    if (server == nullptr || load_usb_library() != RC_SUCCESS || find_cutter_printers() != RC_SUCCESS) {
        return 100;
    }
    char version[VERSION_TEXT_SIZE];
    std::int32_t x = 0, y = 0, feed = 0;
    const ResultCode codes[] = {
        buffer_check(), start_notice_command(), version_query(version),
        cut_condition_command(3, 5, 2, 0), track_enhancing_command(1), condition_number_command(4),
        cut_speed_command(9), cut_pressure_command(3), cutter_offset_command(-7),
        thick_media_command(1), orientation_command(0), blade_move_command(1, 1), test_cut(),
        origin_set(), mark_size_command(5.0), sensor_scan_command(), feed_correction_command(-1255),
        sensor_position_command(40, 80), automatic_mark_read(1, 150000, 200049), ready_query(),
        manual_mark_read(1, 150000, 200049), sensor_position_query(&x, &y),
        feed_correction_query(&feed), (g_demo_mode = DEMO_VERSION_2, version_query(version)),
    };
    int failures = 0;
    for (ResultCode code : codes) {
        failures += code != RC_SUCCESS;
    }
    close_transfer_events();
    stop_cutter_server(server);
    return failures;
}
