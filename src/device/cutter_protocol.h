// The cutter's language without the platform: each command is one row (label, failure code,
// time-outs, reply length, where the reply is cut and how it is judged) and one engine runs every
// row through the same steps: format, debugger line, send, read, cut, parse, judge. The platform
// is reached only through a CutterLink, so the whole command set also runs in tests and natively.
#ifndef CUTTER_CUTTER_PROTOCOL_H
#define CUTTER_CUTTER_PROTOCOL_H

#include <cstddef>
#include <cstdint>

#include "common/result_code.h"

// Room for the firmware version text of the version query.
constexpr int VERSION_TEXT_SIZE = 512;

// Every command is formatted into, and every reply read into, one work buffer of this size.
constexpr int COMMAND_BUFFER_SIZE = 512;

constexpr char ETX = '\x03';
constexpr char ESC = '\x1B';

// Transfer time-outs in milliseconds.
constexpr std::uint32_t ORDINARY_TIMEOUT_MS = 500;
constexpr std::uint32_t VERSION_TIMEOUT_MS = 25000;
constexpr std::uint32_t LONG_TIMEOUT_MS = 250000;  // mark reading and blade moves

// The fixed wait of the two mark reads in demo mode, standing in for the cutter's search.
constexpr std::uint32_t DEMO_MARK_READ_MS = 2000;

// The model word that the firmware-version reply must carry, and the sensor position offset
// (the program holds -40..+40 steps as 0..80, the positions of the calibration scroll bars).
constexpr const char* CUTTER_MODEL_WORD = "KVX";
constexpr std::int32_t SENSOR_CORRECTION_OFFSET = 40;
constexpr std::int32_t SENSOR_CORRECTION_MAX = 80;
constexpr std::int32_t FEED_CORRECTION_LIMIT = 2000;  // thousandths of a percent

// What the engine needs from the platform. The program's link writes to the debugger, uses the
// USB transport and sleeps; tests give links of their own.
struct CutterLink {
    void (*debug_output)(const char* text);
    ResultCode (*write_bytes)(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms);
    ResultCode (*read_bytes)(void* buffer, std::uint32_t count, std::uint32_t timeout_ms);
    void (*sleep)(std::uint32_t milliseconds);
    // The demo version text (string 2055 or 2056) for the given demo mode.
    void (*demo_version_text)(std::int32_t demo_mode, char* text, std::size_t size);
    std::int32_t demo_mode;  // DEMO_OFF: talk to the cutter
};

// How a reply is judged once it has been cut at its fixed index.
enum class ReplyJudgement {
    None,          // no reply is read
    BufferFree,    // first byte '0': the buffer is free
    Version,       // "%*c %*lf %s", model word "KVX", version text at indexes 1 to 4
    Ready,         // "%d" equal to 1
    MarkRead,      // "%d" equal to 0
    SensorPair,    // "%d,%d", each plus 40 within 0..80
    FeedPair,      // "%d,%d", the first times 10 within -2000..2000
};

// One row per command.
struct CommandRow {
    const char*    label;          // CP932 bytes of the Japanese label
    ResultCode     failure;        // replaces the transport's general failure 50
    std::uint32_t  write_timeout;  // milliseconds
    int            reply_length;   // bytes read; 0: no reply
    std::uint32_t  reply_timeout;  // milliseconds
    int            reply_cut;      // index of the terminating zero; -1: not cut
    ReplyJudgement judgement;
    ResultCode     negative;       // the cutter's negative answer
    bool           every_read_failure;  // every read failure becomes `failure`, not only 50
};

// What a reply gave, converted to the program's units.
struct CommandReply {
    std::int32_t first;   // sensor X + 40, or feed correction x 10
    std::int32_t second;  // sensor Y + 40
    bool         stored;  // first/second carry values for the caller
    char         version_text[COMMAND_BUFFER_SIZE];
};

// The rows. Each names its label in Unicode beside it in cutter_protocol.cpp.
extern const CommandRow START_NOTICE_ROW;
extern const CommandRow CUT_CONDITION_ROW;
extern const CommandRow TRACK_ENHANCING_ROW;
extern const CommandRow CONDITION_NUMBER_ROW;
extern const CommandRow CUT_SPEED_ROW;
extern const CommandRow CUT_PRESSURE_ROW;
extern const CommandRow CUTTER_OFFSET_ROW;
extern const CommandRow THICK_MEDIA_ROW;
extern const CommandRow ORIENTATION_ROW;
extern const CommandRow BLADE_MOVE_ROW;
extern const CommandRow TEST_CUT_ROW;
extern const CommandRow ORIGIN_SET_ROW;
extern const CommandRow MARK_SIZE_ROW;
extern const CommandRow SENSOR_SCAN_ROW;
extern const CommandRow FEED_CORRECTION_ROW;
extern const CommandRow SENSOR_POSITION_ROW;
extern const CommandRow FULL_CHECK_ROW;
extern const CommandRow FREE_CHECK_ROW;
extern const CommandRow VERSION_ROW;
extern const CommandRow READY_ROW;
extern const CommandRow AUTO_MARK_READ_ROW;
extern const CommandRow MANUAL_MARK_READ_ROW;
extern const CommandRow SENSOR_QUERY_ROW;
extern const CommandRow FEED_QUERY_ROW;

// The engine: writes the debugger line for the command in `work` (length bytes to send), gives
// the demo answer or sends it, reads, cuts, parses and judges the reply into *reply.
[[nodiscard]] ResultCode run_command(const CutterLink& link, const CommandRow& row,
                       char (&work)[COMMAND_BUFFER_SIZE], std::uint32_t length,
                       CommandReply* reply);

// Unit conversions on the wire.
std::int32_t mark_distance_steps(std::int32_t micrometres);  // 2 x (d div 100), toward zero
std::int32_t mark_size_steps(double millimetres);            // trunc(size x 20.0)
std::int32_t feed_correction_wire(std::int32_t held);        // held / 10, toward zero
std::uint8_t blade_direction_bits(int direction_mask, int moving);

// "%d" as the C library reads it (leading white space, optional sign, digits), but a number
// too large for 32 bits saturates instead of being undefined. Returns the characters consumed,
// 0 when no number is there.
std::size_t scan_decimal(const char* text, std::int32_t* value);
// "%d,%d": returns how many numbers were read (0, 1 or 2), as sscanf would.
int scan_decimal_pair(const char* text, std::int32_t* first, std::int32_t* second);

// The operations: each builds its command, writes the debugger line, sends it (nothing is sent in
// demo mode, which gives the fixed demo answers), reads and judges the reply, and returns a
// ResultCode that names the command that failed.
[[nodiscard]] ResultCode start_notice_command(const CutterLink& link);
[[nodiscard]] ResultCode cut_condition_command(const CutterLink& link, int condition_number, int speed,
                                 int pressure, int offset);
[[nodiscard]] ResultCode track_enhancing_command(const CutterLink& link, int on);
[[nodiscard]] ResultCode condition_number_command(const CutterLink& link, int condition_number);
[[nodiscard]] ResultCode cut_speed_command(const CutterLink& link, int speed);
[[nodiscard]] ResultCode cut_pressure_command(const CutterLink& link, int pressure);
[[nodiscard]] ResultCode cutter_offset_command(const CutterLink& link, int offset);
[[nodiscard]] ResultCode thick_media_command(const CutterLink& link, int on);
[[nodiscard]] ResultCode orientation_command(const CutterLink& link, int orientation);
[[nodiscard]] ResultCode blade_move_command(const CutterLink& link, int direction_mask, int moving);
[[nodiscard]] ResultCode test_cut(const CutterLink& link);
[[nodiscard]] ResultCode origin_set(const CutterLink& link);
[[nodiscard]] ResultCode mark_size_command(const CutterLink& link, double size_mm);
[[nodiscard]] ResultCode sensor_scan_command(const CutterLink& link);
[[nodiscard]] ResultCode feed_correction_command(const CutterLink& link, std::int32_t feed_correction);
[[nodiscard]] ResultCode sensor_position_command(const CutterLink& link, std::int32_t x, std::int32_t y);
[[nodiscard]] ResultCode buffer_check(const CutterLink& link);
[[nodiscard]] ResultCode version_query(const CutterLink& link, char* version_text);  // VERSION_TEXT_SIZE bytes
[[nodiscard]] ResultCode ready_query(const CutterLink& link);
[[nodiscard]] ResultCode automatic_mark_read(const CutterLink& link, std::int32_t read_arg,
                               std::int32_t horizontal_um, std::int32_t vertical_um);
[[nodiscard]] ResultCode manual_mark_read(const CutterLink& link, std::int32_t read_arg,
                            std::int32_t horizontal_um, std::int32_t vertical_um);
[[nodiscard]] ResultCode sensor_position_query(const CutterLink& link, std::int32_t* x, std::int32_t* y);
[[nodiscard]] ResultCode feed_correction_query(const CutterLink& link, std::int32_t* feed_correction);

#endif
