// The program's link for the command set: the debugger output, the USB transport, the clock,
// the demo texts from the string table and the run's demo mode.
#include "cutter_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/controller.h"
#include "app/win_text.h"
#include "cutter_protocol.h"
#include "program_link.h"
#include "usb_transport.h"

namespace {

// A transfer that timed out is not cancelled: it may still take its bytes from, or put a late
// reply into, its buffer. These buffers live as long as the program, so that can never reach a
// command's stack frame that has gone.
char g_outgoing[COMMAND_BUFFER_SIZE];
char g_incoming[COMMAND_BUFFER_SIZE];

void debug_output(const char* text)
{
    OutputDebugStringA(text);
}

ResultCode link_write(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    if (count > sizeof g_outgoing) {
        count = sizeof g_outgoing;
    }
    std::memcpy(g_outgoing, bytes, count);
    return write_bytes(g_outgoing, count, timeout_ms);
}

ResultCode link_read(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    if (count > sizeof g_incoming) {
        count = sizeof g_incoming;
    }
    // What the reply does not cover stays as the caller left it.
    std::memcpy(g_incoming, buffer, count);
    const ResultCode code = read_bytes(g_incoming, count, timeout_ms);
    if (code == RC_SUCCESS) {
        std::memcpy(buffer, g_incoming, count);
    }
    return code;
}

void sleep_for(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

void demo_version_text(std::int32_t demo_mode, char* text, std::size_t size)
{
    const UINT id = demo_mode == DEMO_VERSION_1 ? IDS_DEMO_VERSION_1 : IDS_DEMO_VERSION_2;
    std::snprintf(text, size, "%s", load_text(id).c_str());
}

}  // namespace

CutterLink program_link(std::int32_t demo_mode)
{
    return CutterLink{debug_output, link_write, link_read, sleep_for, demo_version_text, demo_mode};
}

ResultCode start_notice_command() { return start_notice_command(program_link(g_demo_mode)); }

ResultCode cut_condition_command(int condition_number, int speed, int pressure, int offset)
{
    return cut_condition_command(program_link(g_demo_mode), condition_number, speed, pressure, offset);
}

ResultCode track_enhancing_command(int on) { return track_enhancing_command(program_link(g_demo_mode), on); }

ResultCode condition_number_command(int condition_number)
{
    return condition_number_command(program_link(g_demo_mode), condition_number);
}

ResultCode cut_speed_command(int speed) { return cut_speed_command(program_link(g_demo_mode), speed); }

ResultCode cut_pressure_command(int pressure)
{
    return cut_pressure_command(program_link(g_demo_mode), pressure);
}

ResultCode cutter_offset_command(int offset)
{
    return cutter_offset_command(program_link(g_demo_mode), offset);
}

ResultCode thick_media_command(int on) { return thick_media_command(program_link(g_demo_mode), on); }

ResultCode orientation_command(int orientation)
{
    return orientation_command(program_link(g_demo_mode), orientation);
}

ResultCode blade_move_command(int direction_mask, int moving)
{
    return blade_move_command(program_link(g_demo_mode), direction_mask, moving);
}

ResultCode test_cut() { return test_cut(program_link(g_demo_mode)); }

ResultCode origin_set() { return origin_set(program_link(g_demo_mode)); }

ResultCode mark_size_command(double size_mm) { return mark_size_command(program_link(g_demo_mode), size_mm); }

ResultCode sensor_scan_command() { return sensor_scan_command(program_link(g_demo_mode)); }

ResultCode feed_correction_command(std::int32_t feed_correction)
{
    return feed_correction_command(program_link(g_demo_mode), feed_correction);
}

ResultCode sensor_position_command(std::int32_t x, std::int32_t y)
{
    return sensor_position_command(program_link(g_demo_mode), x, y);
}

ResultCode buffer_check() { return buffer_check(program_link(g_demo_mode)); }

ResultCode version_query(char* version_text) { return version_query(program_link(g_demo_mode), version_text); }

ResultCode ready_query() { return ready_query(program_link(g_demo_mode)); }

ResultCode automatic_mark_read(std::int32_t read_arg, std::int32_t horizontal_um,
                               std::int32_t vertical_um)
{
    return automatic_mark_read(program_link(g_demo_mode), read_arg, horizontal_um, vertical_um);
}

ResultCode manual_mark_read(std::int32_t read_arg, std::int32_t horizontal_um,
                            std::int32_t vertical_um)
{
    return manual_mark_read(program_link(g_demo_mode), read_arg, horizontal_um, vertical_um);
}

ResultCode sensor_position_query(std::int32_t* x, std::int32_t* y)
{
    return sensor_position_query(program_link(g_demo_mode), x, y);
}

ResultCode feed_correction_query(std::int32_t* feed_correction)
{
    return feed_correction_query(program_link(g_demo_mode), feed_correction);
}
