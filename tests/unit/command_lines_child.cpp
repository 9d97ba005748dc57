// Child program of the debugger-line test: sends every cutter command once to a virtual cutter
// hosted in this process, then one in demo mode, so that the test, attached as a debugger, can
// read the debugger lines exactly as a debugger sees them. Exit code 0 when every command
// succeeded.
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
    if (server == nullptr) {
        return 10;
    }
    g_demo_mode = DEMO_OFF;
    create_transfer_events();
    if (load_usb_library() != RC_SUCCESS || find_cutter_printers() != RC_SUCCESS) {
        return 11;
    }
    char version[VERSION_TEXT_SIZE];
    std::int32_t x = 0, y = 0, feed = 0;
    int failures = 0;
    auto check = [&](ResultCode code) { failures += code != RC_SUCCESS; };
    check(buffer_check());
    check(start_notice_command());
    check(version_query(version));
    check(cut_condition_command(3, 5, 2, 0));
    check(track_enhancing_command(1));
    check(condition_number_command(4));
    check(cut_speed_command(9));
    check(cut_pressure_command(3));
    check(cutter_offset_command(-7));
    check(thick_media_command(1));
    check(orientation_command(0));
    check(blade_move_command(1, 1));
    check(test_cut());
    check(origin_set());
    check(mark_size_command(5.0));
    check(sensor_scan_command());
    check(feed_correction_command(-1255));
    check(sensor_position_command(40, 80));
    check(automatic_mark_read(1, 150000, 200049));
    check(ready_query());
    check(manual_mark_read(1, 150000, 200049));
    check(sensor_position_query(&x, &y));
    check(feed_correction_query(&feed));
    g_demo_mode = DEMO_VERSION_2;
    check(version_query(version));
    close_transfer_events();
    stop_cutter_server(server);
    return failures;
}
