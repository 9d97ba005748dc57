// The cutter's command set: every operation builds its command, writes the debugger line, sends
// it (nothing is sent in demo mode, which gives the fixed demo answers), reads and judges the
// reply, and returns a ResultCode that names the command that failed.
#ifndef CUTTER_CUTTER_COMMANDS_H
#define CUTTER_CUTTER_COMMANDS_H

#include <cstdint>

#include "app/result_code.h"
#include "cutter_protocol.h"

// The program's link: debugger output, USB transport, Sleep, demo texts, the run's demo mode.
CutterLink program_link();

// Commands without a reply.
ResultCode start_notice_command();
ResultCode cut_condition_command(int condition_number, int speed, int pressure, int offset);
ResultCode track_enhancing_command(int on);
ResultCode condition_number_command(int condition_number);
ResultCode cut_speed_command(int speed);
ResultCode cut_pressure_command(int pressure);
ResultCode cutter_offset_command(int offset);
ResultCode thick_media_command(int on);
ResultCode orientation_command(int orientation);
ResultCode blade_move_command(int direction_mask, int moving);
ResultCode test_cut();
ResultCode origin_set();
ResultCode mark_size_command(double size_mm);
ResultCode sensor_scan_command();
ResultCode feed_correction_command(std::int32_t feed_correction);    // thousandths of a percent
ResultCode sensor_position_command(std::int32_t x, std::int32_t y);  // as held: 0 to 80

// Commands with a reply.
constexpr int VERSION_TEXT_SIZE = 512;
ResultCode buffer_check();
ResultCode version_query(char* version_text);  // VERSION_TEXT_SIZE bytes
ResultCode ready_query();
ResultCode automatic_mark_read(std::int32_t read_arg, std::int32_t horizontal_um,
                               std::int32_t vertical_um);
ResultCode manual_mark_read(std::int32_t read_arg, std::int32_t horizontal_um,
                            std::int32_t vertical_um);
ResultCode sensor_position_query(std::int32_t* x, std::int32_t* y);
ResultCode feed_correction_query(std::int32_t* feed_correction);

#endif
