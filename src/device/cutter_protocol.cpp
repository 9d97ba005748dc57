// The cutter command set over any CutterLink: the rows, the engine and the operations.
// Platform-free: the program's link (program_link.cpp) adds the debugger, transport and clock.
#include "cutter_protocol.h"

#include "common/int32_range.h"


#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Text commands end in ETX; written as its own literal so that no hex escape runs into the next
// command's letters.
#define ETX_TEXT "\x03"

// The labels of the debugger line, in the CP932 bytes the debugger shows, each below its text.
// Cindrel コントローラ起動通知命令：
constexpr char LABEL_START_NOTICE[] =
    "Cindrel \x83\x52\x83\x93\x83\x67\x83\x8D\x81\x5B\x83\x89\x8B\x4E\x93\xAE\x92\xCA\x92\x6D\x96\xBD\x97\xDF\x81\x46";
// カット条件変更命令(Quillmark)：
constexpr char LABEL_CUT_CONDITION[] =
    "\x83\x4A\x83\x62\x83\x67\x8F\xF0\x8C\x8F\x95\xCF\x8D\x58\x96\xBD\x97\xDF(Quillmark)\x81\x46";
// ならし動作変更命令：
constexpr char LABEL_TRACK_ENHANCING[] =
    "\x82\xC8\x82\xE7\x82\xB5\x93\xAE\x8D\xEC\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// カット条件番号変更命令：
constexpr char LABEL_CONDITION_NUMBER[] =
    "\x83\x4A\x83\x62\x83\x67\x8F\xF0\x8C\x8F\x94\xD4\x8D\x86\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// カット速度変更命令：
constexpr char LABEL_CUT_SPEED[] =
    "\x83\x4A\x83\x62\x83\x67\x91\xAC\x93\x78\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// カット圧変更命令(Quillmark)：
constexpr char LABEL_CUT_PRESSURE[] =
    "\x83\x4A\x83\x62\x83\x67\x88\xB3\x95\xCF\x8D\x58\x96\xBD\x97\xDF(Quillmark)\x81\x46";
// カッターオフセット変更命令：
constexpr char LABEL_CUTTER_OFFSET[] =
    "\x83\x4A\x83\x62\x83\x5E\x81\x5B\x83\x49\x83\x74\x83\x5A\x83\x62\x83\x67\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// アツモノモード変更命令：
constexpr char LABEL_THICK_MEDIA[] =
    "\x83\x41\x83\x63\x83\x82\x83\x6D\x83\x82\x81\x5B\x83\x68\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// デザインの向き変更命令：
constexpr char LABEL_ORIENTATION[] =
    "\x83\x66\x83\x55\x83\x43\x83\x93\x82\xCC\x8C\xFC\x82\xAB\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// ペン移動命令：
constexpr char LABEL_BLADE_MOVE[] =
    "\x83\x79\x83\x93\x88\xDA\x93\xAE\x96\xBD\x97\xDF\x81\x46";
// テストカット命令：
constexpr char LABEL_TEST_CUT[] =
    "\x83\x65\x83\x58\x83\x67\x83\x4A\x83\x62\x83\x67\x96\xBD\x97\xDF\x81\x46";
// 原点セット命令：
constexpr char LABEL_ORIGIN_SET[] =
    "\x8C\xB4\x93\x5F\x83\x5A\x83\x62\x83\x67\x96\xBD\x97\xDF\x81\x46";
// トンボサイズ変更命令：
constexpr char LABEL_MARK_SIZE[] =
    "\x83\x67\x83\x93\x83\x7B\x83\x54\x83\x43\x83\x59\x95\xCF\x8D\x58\x96\xBD\x97\xDF\x81\x46";
// トンボセンサ位置補正スキャン命令：
constexpr char LABEL_SENSOR_SCAN[] =
    "\x83\x67\x83\x93\x83\x7B\x83\x5A\x83\x93\x83\x54\x88\xCA\x92\x75\x95\xE2\x90\xB3\x83\x58\x83\x4C\x83\x83\x83\x93\x96\xBD\x97\xDF\x81\x46";
// トンボセンサ位置補正書き込み命令：
constexpr char LABEL_SENSOR_POSITION[] =
    "\x83\x67\x83\x93\x83\x7B\x83\x5A\x83\x93\x83\x54\x88\xCA\x92\x75\x95\xE2\x90\xB3\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x96\xBD\x97\xDF\x81\x46";
// ファームバッファの確認(FULL_CHECK)：
constexpr char LABEL_FULL_CHECK[] =
    "\x83\x74\x83\x40\x81\x5B\x83\x80\x83\x6F\x83\x62\x83\x74\x83\x40\x82\xCC\x8A\x6D\x94\x46(FULL_CHECK)\x81\x46";
// ファームバッファの確認(FREE_CHECK)：
constexpr char LABEL_FREE_CHECK[] =
    "\x83\x74\x83\x40\x81\x5B\x83\x80\x83\x6F\x83\x62\x83\x74\x83\x40\x82\xCC\x8A\x6D\x94\x46(FREE_CHECK)\x81\x46";
// ファームバージョン応答：
constexpr char LABEL_VERSION[] =
    "\x83\x74\x83\x40\x81\x5B\x83\x80\x83\x6F\x81\x5B\x83\x57\x83\x87\x83\x93\x89\x9E\x93\x9A\x81\x46";
// トンボREADY/WAIT応答：
constexpr char LABEL_READY[] =
    "\x83\x67\x83\x93\x83\x7BREADY/WAIT\x89\x9E\x93\x9A\x81\x46";
// トンボ自動読取応答：
constexpr char LABEL_AUTO_MARK[] =
    "\x83\x67\x83\x93\x83\x7B\x8E\xA9\x93\xAE\x93\xC7\x8E\xE6\x89\x9E\x93\x9A\x81\x46";
// トンボ読取応答：
constexpr char LABEL_MANUAL_MARK[] =
    "\x83\x67\x83\x93\x83\x7B\x93\xC7\x8E\xE6\x89\x9E\x93\x9A\x81\x46";
// トンボセンサ位置補正応答：
constexpr char LABEL_SENSOR_QUERY[] =
    "\x83\x67\x83\x93\x83\x7B\x83\x5A\x83\x93\x83\x54\x88\xCA\x92\x75\x95\xE2\x90\xB3\x89\x9E\x93\x9A\x81\x46";
// 送り方向応答：
constexpr char LABEL_FEED_QUERY[] =
    "\x91\x97\x82\xE8\x95\xFB\x8C\xFC\x89\x9E\x93\x9A\x81\x46";

ResultCode map_transport_failure(ResultCode code, ResultCode own)
{
    return code == RC_GENERAL_ERROR ? own : code;
}

std::int32_t saturate(std::int64_t value)
{
    if (value > INT32_MAX) {
        return INT32_MAX;
    }
    if (value < INT32_MIN) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(value);
}

bool is_scanf_space(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Judges a reply that has been cut at its index. A reply that does not give the number a
// judgement needs counts as the cutter's negative answer.
ResultCode judge_reply(const CommandRow& row, char (&work)[COMMAND_BUFFER_SIZE],
                       CommandReply* reply)
{
    switch (row.judgement) {
    case ReplyJudgement::None:
        return RC_SUCCESS;
    case ReplyJudgement::BufferFree:
        return work[0] == '0' ? RC_SUCCESS : row.negative;
    case ReplyJudgement::Version: {
        // One character, a number, a word (" 2.01 KVX"). The number is skipped, so "%*f"
        // reads it exactly as "%*lf" would.
        char word[COMMAND_BUFFER_SIZE] = {};
        if (std::sscanf(work, "%*c %*f %511s", word) < 1 ||
            std::strcmp(word, CUTTER_MODEL_WORD) != 0) {
            return row.negative;
        }
        // The version text is the reply's characters at indexes 1 to 4 ("2.01").
        for (int i = 5; i <= 8; ++i) {
            work[i] = '\0';
        }
        std::strcpy(reply->version_text, work + 1);
        return RC_SUCCESS;
    }
    case ReplyJudgement::Ready: {
        std::int32_t value = 0;
        return scan_decimal(work, &value) != 0 && value == 1 ? RC_SUCCESS : row.negative;
    }
    case ReplyJudgement::MarkRead: {
        std::int32_t value = 0;
        return scan_decimal(work, &value) != 0 && value == 0 ? RC_SUCCESS : row.negative;
    }
    case ReplyJudgement::SensorPair: {
        std::int32_t x = 0;
        std::int32_t y = 0;
        if (scan_decimal_pair(work, &x, &y) < 2) {
            return row.negative;
        }
        // Stored even when out of range: the calibration dialog shows what the cutter holds.
        reply->first = saturate(static_cast<std::int64_t>(x) + SENSOR_CORRECTION_OFFSET);
        reply->second = saturate(static_cast<std::int64_t>(y) + SENSOR_CORRECTION_OFFSET);
        reply->stored = true;
        const bool in_range = reply->first >= 0 && reply->first <= SENSOR_CORRECTION_MAX &&
                              reply->second >= 0 && reply->second <= SENSOR_CORRECTION_MAX;
        return in_range ? RC_SUCCESS : row.negative;
    }
    case ReplyJudgement::FeedPair: {
        std::int32_t wire = 0;
        std::int32_t unused = 0;
        if (scan_decimal_pair(work, &wire, &unused) < 1) {
            return row.negative;
        }
        // 0.01 % on the wire, 0.001 % in the program.
        reply->first = saturate(static_cast<std::int64_t>(wire) * 10);
        reply->stored = true;
        const bool in_range =
            reply->first >= -FEED_CORRECTION_LIMIT && reply->first <= FEED_CORRECTION_LIMIT;
        return in_range ? RC_SUCCESS : row.negative;
    }
    }
    return row.negative;
}

// The fixed answers of demo mode.
ResultCode demo_answer(const CutterLink& link, const CommandRow& row, CommandReply* reply)
{
    switch (row.judgement) {
    case ReplyJudgement::MarkRead:
        link.sleep(DEMO_MARK_READ_MS);
        return RC_SUCCESS;
    case ReplyJudgement::SensorPair:
        reply->first = SENSOR_CORRECTION_OFFSET;
        reply->second = SENSOR_CORRECTION_OFFSET;
        reply->stored = true;
        return RC_SUCCESS;
    case ReplyJudgement::FeedPair:
        reply->first = 0;
        reply->stored = true;
        return RC_SUCCESS;
    case ReplyJudgement::Version:
        link.demo_version_text(link.demo_mode, reply->version_text, sizeof reply->version_text);
        return RC_SUCCESS;
    default:
        return RC_SUCCESS;
    }
}

// Length of a text command formatted into the work buffer: up to its terminating zero.
std::uint32_t text_length(const char (&work)[COMMAND_BUFFER_SIZE])
{
    return static_cast<std::uint32_t>(std::strlen(work));
}

// Runs a command without a reply (or whose reply leaves nothing for the caller).
ResultCode run(const CutterLink& link, const CommandRow& row,
               char (&work)[COMMAND_BUFFER_SIZE], std::uint32_t length)
{
    CommandReply reply = {};
    return run_command(link, row, work, length, &reply);
}

// Formats a text command (its arguments already in the cutter's units) and runs it.
template <typename... Args>
ResultCode send_text(const CutterLink& link, const CommandRow& row, const char* format, Args... args)
{
    char work[COMMAND_BUFFER_SIZE] = {};
    std::snprintf(work, sizeof work, format, args...);
    return run(link, row, work, text_length(work));
}

// Commands without a reply: label and the code that replaces the general failure 50.
constexpr CommandRow no_reply(const char* label, ResultCode failure,
                               std::uint32_t write_timeout = ORDINARY_TIMEOUT_MS)
{
    return CommandRow{label, failure, write_timeout, 0, 0, -1, ReplyJudgement::None, 0, false};
}

// Commands with a reply, all written with the ordinary time-out.
constexpr CommandRow with_reply(const char* label, ResultCode failure, int reply_length,
                                 std::uint32_t reply_timeout, int reply_cut,
                                 ReplyJudgement judgement, ResultCode negative,
                                 bool every_read_failure = false)
{
    return CommandRow{label,     failure,   ORDINARY_TIMEOUT_MS, reply_length, reply_timeout,
                       reply_cut, judgement, negative,            every_read_failure};
}

}  // namespace

const CommandRow START_NOTICE_ROW     = no_reply(LABEL_START_NOTICE, RC_START_NOTICE_FAILED);
const CommandRow CUT_CONDITION_ROW    = no_reply(LABEL_CUT_CONDITION, RC_ALL_CONDITIONS_FAILED);
const CommandRow TRACK_ENHANCING_ROW  = no_reply(LABEL_TRACK_ENHANCING, RC_TRACK_ENHANCING_FAILED);
const CommandRow CONDITION_NUMBER_ROW = no_reply(LABEL_CONDITION_NUMBER, RC_CONDITION_NUMBER_FAILED);
const CommandRow CUT_SPEED_ROW        = no_reply(LABEL_CUT_SPEED, RC_CUT_SPEED_FAILED);
const CommandRow CUT_PRESSURE_ROW     = no_reply(LABEL_CUT_PRESSURE, RC_CUT_PRESSURE_FAILED);
const CommandRow CUTTER_OFFSET_ROW    = no_reply(LABEL_CUTTER_OFFSET, RC_CUTTER_OFFSET_FAILED);
const CommandRow THICK_MEDIA_ROW      = no_reply(LABEL_THICK_MEDIA, RC_THICK_MEDIA_FAILED);
const CommandRow ORIENTATION_ROW      = no_reply(LABEL_ORIENTATION, RC_ORIENTATION_FAILED);
const CommandRow BLADE_MOVE_ROW       = no_reply(LABEL_BLADE_MOVE, RC_BLADE_MOVE_FAILED, LONG_TIMEOUT_MS);
const CommandRow TEST_CUT_ROW         = no_reply(LABEL_TEST_CUT, RC_TEST_CUT_FAILED);
const CommandRow ORIGIN_SET_ROW       = no_reply(LABEL_ORIGIN_SET, RC_SET_ORIGIN_FAILED);
const CommandRow MARK_SIZE_ROW        = no_reply(LABEL_MARK_SIZE, RC_MARK_SIZE_FAILED);
const CommandRow SENSOR_SCAN_ROW      = no_reply(LABEL_SENSOR_SCAN, RC_SENSOR_SCAN_FAILED);
// The feed correction shares its label with the condition-number command.
const CommandRow FEED_CORRECTION_ROW  = no_reply(LABEL_CONDITION_NUMBER, RC_FEED_WRITE_FAILED);
const CommandRow SENSOR_POSITION_ROW  = no_reply(LABEL_SENSOR_POSITION, RC_SENSOR_WRITE_FAILED);
const CommandRow FULL_CHECK_ROW       = no_reply(LABEL_FULL_CHECK, RC_BUFFER_CHECK_FAILED);

//                                                  label, code for 50,
//                                                  length, time-out, cut at, judgement, negative
const CommandRow FREE_CHECK_ROW       = with_reply(LABEL_FREE_CHECK, RC_BUFFER_CHECK_FAILED,
                                                     2, ORDINARY_TIMEOUT_MS, -1,
                                                     ReplyJudgement::BufferFree, RC_BUFFER_NOT_FREE);
const CommandRow VERSION_ROW          = with_reply(LABEL_VERSION, RC_VERSION_QUERY_FAILED,
                                                     10, VERSION_TIMEOUT_MS, 9,
                                                     ReplyJudgement::Version, RC_OTHER_MODEL);
// Not ready is the general code 50 itself; a transport failure is 101.
const CommandRow READY_ROW            = with_reply(LABEL_READY, RC_READY_QUERY_FAILED,
                                                     6, ORDINARY_TIMEOUT_MS, 5,
                                                     ReplyJudgement::Ready, RC_GENERAL_ERROR);
// The mark reads turn every failure of their read, not only 50, into their own code.
const CommandRow AUTO_MARK_READ_ROW   = with_reply(LABEL_AUTO_MARK, RC_AUTO_MARK_SEARCH_FAILED,
                                                     6, LONG_TIMEOUT_MS, 5,
                                                     ReplyJudgement::MarkRead,
                                                     RC_AUTO_MARK_READ_FAILURE, true);
const CommandRow MANUAL_MARK_READ_ROW = with_reply(LABEL_MANUAL_MARK, RC_MANUAL_MARK_READ_FAILED,
                                                     6, LONG_TIMEOUT_MS, 5,
                                                     ReplyJudgement::MarkRead,
                                                     RC_MARK_READ_FAILURE, true);
const CommandRow SENSOR_QUERY_ROW     = with_reply(LABEL_SENSOR_QUERY, RC_SENSOR_QUERY_FAILED,
                                                     12, ORDINARY_TIMEOUT_MS, 11,
                                                     ReplyJudgement::SensorPair,
                                                     RC_SENSOR_QUERY_FAILED);
const CommandRow FEED_QUERY_ROW       = with_reply(LABEL_FEED_QUERY, RC_FEED_QUERY_FAILED,
                                                     12, ORDINARY_TIMEOUT_MS, 11,
                                                     ReplyJudgement::FeedPair, RC_FEED_QUERY_FAILED);

ResultCode run_command(const CutterLink& link, const CommandRow& row,
                       char (&work)[COMMAND_BUFFER_SIZE], std::uint32_t length,
                       CommandReply* reply)
{
    reply->stored = false;
    reply->version_text[0] = '\0';
    // The debugger line shows the command as a string: up to its first zero byte.
    work[COMMAND_BUFFER_SIZE - 1] = '\0';
    link.debug_output(row.label);
    link.debug_output(work);
    link.debug_output("\n");

    if (link.demo_mode != 0) {
        return demo_answer(link, row, reply);
    }
    const ResultCode written = link.write_bytes(work, length, row.write_timeout);
    if (written != RC_SUCCESS) {
        return map_transport_failure(written, row.failure);
    }
    if (row.reply_length == 0) {
        return RC_SUCCESS;
    }
    // The reply overwrites the command; what it does not cover stays as it was.
    const ResultCode read = link.read_bytes(work, static_cast<std::uint32_t>(row.reply_length),
                                            row.reply_timeout);
    if (read != RC_SUCCESS) {
        return row.every_read_failure ? row.failure : map_transport_failure(read, row.failure);
    }
    if (row.reply_cut >= 0) {
        work[row.reply_cut] = '\0';
    }
    return judge_reply(row, work, reply);
}

std::int32_t mark_distance_steps(std::int32_t micrometres)
{
    // Cut to whole tenths of a millimetre, then in 0.05 mm steps (C++ division truncates
    // toward zero, as the cutter expects for negative distances).
    return 2 * (micrometres / 100);
}

std::int32_t mark_size_steps(double millimetres)
{
    // 20 steps of 0.05 mm per millimetre, the fraction dropped. Values the caller cannot have
    // checked (not a number, beyond 32 bits) are kept inside the integer range.
    return truncate_to_int32(millimetres * 20.0);
}

std::int32_t feed_correction_wire(std::int32_t held)
{
    return held / 10;  // 0.001 % held, 0.01 % on the wire, truncated toward zero
}

std::uint8_t blade_direction_bits(int direction_mask, int moving)
{
    if (moving != 1) {
        return 0x00;  // stops the blade
    }
    std::uint8_t bits = 0;
    if (direction_mask & 1) bits |= 0x02;  // up
    if (direction_mask & 2) bits |= 0x01;  // down
    if (direction_mask & 4) bits |= 0x08;  // left
    if (direction_mask & 8) bits |= 0x04;  // right
    return bits;
}

std::size_t scan_decimal(const char* text, std::int32_t* value)
{
    std::size_t i = 0;
    while (is_scanf_space(text[i])) {
        ++i;
    }
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (text[i] < '0' || text[i] > '9') {
        return 0;
    }
    std::int64_t magnitude = 0;
    while (text[i] >= '0' && text[i] <= '9') {
        if (magnitude <= INT64_C(1) << 40) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
        ++i;
    }
    *value = saturate(negative ? -magnitude : magnitude);
    return i;
}

int scan_decimal_pair(const char* text, std::int32_t* first, std::int32_t* second)
{
    const std::size_t used = scan_decimal(text, first);
    if (used == 0) {
        return 0;
    }
    if (text[used] != ',') {
        return 1;
    }
    return scan_decimal(text + used + 1, second) == 0 ? 1 : 2;
}

ResultCode start_notice_command(const CutterLink& link)
{
    return send_text(link, START_NOTICE_ROW, "%s", "TT" ETX_TEXT);
}

ResultCode cut_condition_command(const CutterLink& link, int condition_number, int speed,
                                 int pressure, int offset)
{
    return send_text(link, CUT_CONDITION_ROW,
                     "FW%d" ETX_TEXT "!%d" ETX_TEXT "*0,%d" ETX_TEXT "FC%d" ETX_TEXT,
                     condition_number, speed, pressure, offset);
}

ResultCode track_enhancing_command(const CutterLink& link, int on)
{
    return send_text(link, TRACK_ENHANCING_ROW, "FY%d" ETX_TEXT, on);
}

ResultCode condition_number_command(const CutterLink& link, int condition_number)
{
    return send_text(link, CONDITION_NUMBER_ROW, "FW%d" ETX_TEXT, condition_number);
}

ResultCode cut_speed_command(const CutterLink& link, int speed)
{
    return send_text(link, CUT_SPEED_ROW, "!%d" ETX_TEXT, speed);
}

ResultCode cut_pressure_command(const CutterLink& link, int pressure)
{
    return send_text(link, CUT_PRESSURE_ROW, "*0,%d" ETX_TEXT, pressure);
}

ResultCode cutter_offset_command(const CutterLink& link, int offset)
{
    return send_text(link, CUTTER_OFFSET_ROW, "FC%d" ETX_TEXT, offset);
}

ResultCode thick_media_command(const CutterLink& link, int on)
{
    return send_text(link, THICK_MEDIA_ROW, "FE%d" ETX_TEXT, on);
}

ResultCode orientation_command(const CutterLink& link, int orientation)
{
    return send_text(link, ORIENTATION_ROW, "FN%d" ETX_TEXT, orientation);
}

ResultCode blade_move_command(const CutterLink& link, int direction_mask, int moving)
{
    // ESC 0x00 <direction bits>: three bytes, so the debugger line shows the ESC alone.
    char work[COMMAND_BUFFER_SIZE] = {};
    work[0] = ESC;
    work[1] = '\x00';
    work[2] = static_cast<char>(blade_direction_bits(direction_mask, moving));
    return run(link, BLADE_MOVE_ROW, work, 3);
}

ResultCode test_cut(const CutterLink& link)
{
    return send_text(link, TEST_CUT_ROW, "%s", "FH" ETX_TEXT);
}

ResultCode origin_set(const CutterLink& link)
{
    return send_text(link, ORIGIN_SET_ROW, "%s", "FJ" ETX_TEXT);
}

ResultCode mark_size_command(const CutterLink& link, double size_mm)
{
    return send_text(link, MARK_SIZE_ROW, "TB51,%d" ETX_TEXT,
                     static_cast<int>(mark_size_steps(size_mm)));
}

ResultCode sensor_scan_command(const CutterLink& link)
{
    return send_text(link, SENSOR_SCAN_ROW, "%s", "TB70" ETX_TEXT);
}

ResultCode feed_correction_command(const CutterLink& link, std::int32_t feed_correction)
{
    return send_text(link, FEED_CORRECTION_ROW, "FB%d,0" ETX_TEXT,
                     static_cast<int>(feed_correction_wire(feed_correction)));
}

ResultCode sensor_position_command(const CutterLink& link, std::int32_t x, std::int32_t y)
{
    const int wire_x = saturate(static_cast<std::int64_t>(x) - SENSOR_CORRECTION_OFFSET);
    const int wire_y = saturate(static_cast<std::int64_t>(y) - SENSOR_CORRECTION_OFFSET);
    return send_text(link, SENSOR_POSITION_ROW, "TB72,%d,%d" ETX_TEXT, wire_x, wire_y);
}

ResultCode buffer_check(const CutterLink& link)
{
    // Two writes, each with its own debugger line: "is the buffer full", then "is it free",
    // whose 2-byte reply is judged.
    char work[COMMAND_BUFFER_SIZE] = {ESC, '\x04'};
    const ResultCode full = run(link, FULL_CHECK_ROW, work, 2);
    if (full != RC_SUCCESS) {
        return full;
    }
    std::memset(work, 0, sizeof work);
    work[0] = ESC;
    work[1] = '\x05';
    return run(link, FREE_CHECK_ROW, work, 2);
}

ResultCode version_query(const CutterLink& link, char* version_text)
{
    char work[COMMAND_BUFFER_SIZE] = {};
    CommandReply reply = {};
    std::snprintf(work, sizeof work, "FG" ETX_TEXT);
    const ResultCode code =
        run_command(link, VERSION_ROW, work, text_length(work), &reply);
    if (code == RC_SUCCESS) {
        std::snprintf(version_text, VERSION_TEXT_SIZE, "%s", reply.version_text);
    }
    return code;
}

ResultCode ready_query(const CutterLink& link)
{
    return send_text(link, READY_ROW, "%s", "FQ5" ETX_TEXT);
}

ResultCode automatic_mark_read(const CutterLink& link, std::int32_t read_arg,
                               std::int32_t horizontal_um, std::int32_t vertical_um)
{
    return send_text(link, AUTO_MARK_READ_ROW,
                     "TB99" ETX_TEXT "TB55,%d" ETX_TEXT "TB123,%d,%d" ETX_TEXT,
                     static_cast<int>(read_arg),
                     static_cast<int>(mark_distance_steps(horizontal_um)),
                     static_cast<int>(mark_distance_steps(vertical_um)));
}

ResultCode manual_mark_read(const CutterLink& link, std::int32_t read_arg,
                            std::int32_t horizontal_um, std::int32_t vertical_um)
{
    return send_text(link, MANUAL_MARK_READ_ROW,
                     "TB99" ETX_TEXT "TB55,%d" ETX_TEXT "TB23,%d,%d" ETX_TEXT,
                     static_cast<int>(read_arg),
                     static_cast<int>(mark_distance_steps(horizontal_um)),
                     static_cast<int>(mark_distance_steps(vertical_um)));
}

ResultCode sensor_position_query(const CutterLink& link, std::int32_t* x, std::int32_t* y)
{
    char work[COMMAND_BUFFER_SIZE] = {};
    CommandReply reply = {};
    std::snprintf(work, sizeof work, "TB71" ETX_TEXT);
    const ResultCode code =
        run_command(link, SENSOR_QUERY_ROW, work, text_length(work), &reply);
    if (reply.stored) {
        *x = reply.first;
        *y = reply.second;
    }
    return code;
}

ResultCode feed_correction_query(const CutterLink& link, std::int32_t* feed_correction)
{
    char work[COMMAND_BUFFER_SIZE] = {};
    CommandReply reply = {};
    std::snprintf(work, sizeof work, "FA" ETX_TEXT);
    const ResultCode code =
        run_command(link, FEED_QUERY_ROW, work, text_length(work), &reply);
    if (reply.stored) {
        *feed_correction = reply.first;
    }
    return code;
}
