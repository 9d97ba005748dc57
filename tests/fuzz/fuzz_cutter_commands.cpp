// Frames every command of the cutter command set with random arguments (any 32-bit value, any
// double for the mark size) and reads the written bytes back: each text command is one or more
// pieces ending in ETX, no longer than the work buffer, and the numbers in it are the arguments
// in the cutter's units (feed correction in 0.01 %, sensor positions without the offset of 40,
// mark distances in 0.05 mm steps, mark size in 0.05 mm steps), converted without overflow.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/launch_options.h"
#include "device/cutter_protocol.h"

namespace {

std::vector<std::string> g_writes;
std::string g_debug;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

void debug_output(const char* text) { g_debug += text; }

ResultCode write_bytes(const void* bytes, std::uint32_t count, std::uint32_t)
{
    check(count > 0 && count < COMMAND_BUFFER_SIZE, "write length");
    g_writes.emplace_back(static_cast<const char*>(bytes), count);
    return RC_SUCCESS;
}

ResultCode read_bytes(void*, std::uint32_t, std::uint32_t) { return RC_GENERAL_ERROR; }
void sleep_for(std::uint32_t) {}
void demo_text(std::int32_t, char* text, std::size_t size) { std::snprintf(text, size, "demo"); }

std::int32_t clamp32(long long value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value);
}

// The numbers of a text command, read with the given format (its pieces joined by ETX); the
// whole command must be consumed.
std::vector<long long> numbers_of(const std::string& command, const char* format, int expected)
{
    check(!command.empty() && command.back() == ETX, "text command ends in ETX");
    check(command.find('\0') == std::string::npos, "text command holds no zero byte");
    long long n[4] = {};
    int used = -1;
    // %n takes the argument after the numbers.
    switch (expected) {
    case 0: std::sscanf(command.c_str(), format, &used); break;
    case 1: std::sscanf(command.c_str(), format, &n[0], &used); break;
    case 2: std::sscanf(command.c_str(), format, &n[0], &n[1], &used); break;
    case 3: std::sscanf(command.c_str(), format, &n[0], &n[1], &n[2], &used); break;
    case 4: std::sscanf(command.c_str(), format, &n[0], &n[1], &n[2], &n[3], &used); break;
    }
    check(used == static_cast<int>(command.size()), "command is exactly its format");
    return std::vector<long long>(n, n + expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int command = input.ConsumeIntegralInRange<int>(0, 17);
    const std::int32_t a = input.ConsumeIntegral<std::int32_t>();
    const std::int32_t b = input.ConsumeIntegral<std::int32_t>();
    const std::int32_t c = input.ConsumeIntegral<std::int32_t>();
    const std::int32_t d = input.ConsumeIntegral<std::int32_t>();
    double size_mm = 0.0;
    const std::vector<std::uint8_t> raw = input.ConsumeBytes<std::uint8_t>(sizeof size_mm);
    if (!raw.empty()) {
        std::memcpy(&size_mm, raw.data(), raw.size());
    }

    g_writes.clear();
    g_debug.clear();
    const CutterLink link{debug_output, write_bytes, read_bytes, sleep_for, demo_text, DEMO_OFF};
    ResultCode code = RC_SUCCESS;
    const char* format = nullptr;  // sscanf format with %lld per number and a final %n
    std::vector<long long> expected;
    switch (command) {
    case 0:  code = start_notice_command(link); format = "TT\x03%n"; break;
    case 1:
        code = cut_condition_command(link, a, b, c, d);
        format = "FW%lld\x03!%lld\x03*0,%lld\x03" "FC%lld\x03%n";
        expected = {a, b, c, d};
        break;
    case 2:  code = track_enhancing_command(link, a); format = "FY%lld\x03%n"; expected = {a}; break;
    case 3:  code = condition_number_command(link, a); format = "FW%lld\x03%n"; expected = {a}; break;
    case 4:  code = cut_speed_command(link, a); format = "!%lld\x03%n"; expected = {a}; break;
    case 5:  code = cut_pressure_command(link, a); format = "*0,%lld\x03%n"; expected = {a}; break;
    case 6:  code = cutter_offset_command(link, a); format = "FC%lld\x03%n"; expected = {a}; break;
    case 7:  code = thick_media_command(link, a); format = "FE%lld\x03%n"; expected = {a}; break;
    case 8:  code = orientation_command(link, a); format = "FN%lld\x03%n"; expected = {a}; break;
    case 9:  code = test_cut(link); format = "FH\x03%n"; break;
    case 10: code = origin_set(link); format = "FJ\x03%n"; break;
    case 11: {
        code = mark_size_command(link, size_mm);
        format = "TB51,%lld\x03%n";
        // 0.05 mm steps, the fraction dropped; a size that is no number, or beyond 32 bits,
        // stays inside the integer range.
        const double steps = size_mm * 20.0;
        expected = {std::isnan(steps) ? 0 : clamp32(steps >= 0x1p62 ? LLONG_MAX / 2
                                                    : steps <= -0x1p62 ? LLONG_MIN / 2
                                                    : static_cast<long long>(steps))};
        break;
    }
    case 12: code = sensor_scan_command(link); format = "TB70\x03%n"; break;
    case 13: {
        code = feed_correction_command(link, a);
        format = "FB%lld,0\x03%n";
        // 0.001 % held, 0.01 % sent, truncated toward zero: never more than 0.009 % lost.
        const long long wire = a / 10;
        check(std::llabs(static_cast<long long>(a) - wire * 10) < 10, "feed correction loses < 10");
        expected = {wire};
        break;
    }
    case 14:
        code = sensor_position_command(link, a, b);
        format = "TB72,%lld,%lld\x03%n";
        expected = {clamp32(static_cast<long long>(a) - SENSOR_CORRECTION_OFFSET),
                    clamp32(static_cast<long long>(b) - SENSOR_CORRECTION_OFFSET)};
        break;
    case 15:
    case 16: {
        // The mark reads fail at their read; the command they wrote is what is looked at.
        code = command == 15 ? automatic_mark_read(link, a, b, c) : manual_mark_read(link, a, b, c);
        format = command == 15 ? "TB99\x03TB55,%lld\x03TB123,%lld,%lld\x03%n"
                               : "TB99\x03TB55,%lld\x03TB23,%lld,%lld\x03%n";
        // Whole tenths of a millimetre (toward zero), sent in 0.05 mm steps.
        const long long h = 2 * (static_cast<long long>(b) / 100);
        const long long v = 2 * (static_cast<long long>(c) / 100);
        check(std::llabs(h * 50 - b) < 100 && std::llabs(v * 50 - c) < 100, "steps within a tenth");
        expected = {a, h, v};
        break;
    }
    case 17: {
        code = blade_move_command(link, a, b);
        check(g_writes.size() == 1 && g_writes[0].size() == 3, "blade move is three bytes");
        const std::string& bytes = g_writes[0];
        check(bytes[0] == ESC && bytes[1] == '\0', "blade move starts ESC 0");
        const unsigned bits = static_cast<unsigned char>(bytes[2]);
        check(bits == blade_direction_bits(a, b) && bits <= 0x0F, "direction bits");
        check(b == 1 || bits == 0, "anything but moving stops the blade");
        check(g_debug.find('\x1B') != std::string::npos, "the ESC is logged");
        check(code == RC_SUCCESS, "sent");
        return 0;
    }
    }
    check(g_writes.size() == 1, "one write per command");
    const std::string& written = g_writes[0];
    if (command == 15 || command == 16) {
        check(code != RC_SUCCESS, "a failed read fails the mark read");
    } else {
        check(code == RC_SUCCESS, "sent");
    }
    // The debugger line shows exactly the bytes sent.
    check(g_debug.find(written) != std::string::npos, "the command is logged");
    const std::vector<long long> numbers = numbers_of(written, format, static_cast<int>(expected.size()));
    check(numbers == expected, "numbers sent are the arguments in the cutter's units");
    return 0;
}
