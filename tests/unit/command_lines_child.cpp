// Child program of the debugger-line test: sends every cutter command once to a virtual cutter
// hosted in this process, then one in demo mode, while the test, attached as a debugger, reads
// the debugger lines. The exit code counts the commands that failed.
#include <windows.h>

#include <string>

#include "cutter_server.h"
#include "device/program_link.h"
#include "device/usb_transport.h"

int main()
{
    const std::string pipe =
        "\\\\.\\pipe\\QuillmarkLineCutter." + std::to_string(GetCurrentProcessId());
    SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, pipe.c_str());
    CutterServer* server = start_cutter_server(pipe);
    const CutterLink cutter = program_link(DEMO_OFF);
    create_transfer_events();
    if (server == nullptr || load_usb_library(DEMO_OFF) != RC_SUCCESS || find_cutter_printers(DEMO_OFF) != RC_SUCCESS) {
        return 100;
    }
    char version[VERSION_TEXT_SIZE];
    std::int32_t x = 0, y = 0, feed = 0;
    const ResultCode codes[] = {
        buffer_check(cutter), start_notice_command(cutter), version_query(cutter, version),
        cut_condition_command(cutter, 3, 5, 2, 0), track_enhancing_command(cutter, 1),
        condition_number_command(cutter, 4), cut_speed_command(cutter, 9),
        cut_pressure_command(cutter, 3), cutter_offset_command(cutter, -7),
        thick_media_command(cutter, 1), orientation_command(cutter, 0),
        blade_move_command(cutter, 1, 1), test_cut(cutter), origin_set(cutter),
        mark_size_command(cutter, 5.0), sensor_scan_command(cutter),
        feed_correction_command(cutter, -1255), sensor_position_command(cutter, 40, 80),
        automatic_mark_read(cutter, 1, 150000, 200049), ready_query(cutter),
        manual_mark_read(cutter, 1, 150000, 200049), sensor_position_query(cutter, &x, &y),
        feed_correction_query(cutter, &feed), version_query(program_link(DEMO_VERSION_2), version),
    };
    int failures = 0;
    for (ResultCode code : codes) {
        failures += code != RC_SUCCESS;
    }
    close_transfer_events();
    stop_cutter_server(server);
    return failures;
}
