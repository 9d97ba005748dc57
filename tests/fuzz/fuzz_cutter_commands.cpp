// Frames every command of the cutter command set with random arguments (any 32-bit value, any
// double for the mark size) and compares the bytes written with the command's text holding the
// arguments in the cutter's units (feed correction in 0.01 %, sensor positions without the
// offset of 40, mark distances and mark size in 0.05 mm steps), converted without overflow.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cmath>
#include <cstring>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"
#include "fuzz_support.h"

namespace {

std::vector<std::string> g_writes;
std::string g_debug;

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

long long clamp32(long long value) { return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : value; }

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
    const char* format = nullptr;  // the command's text, a %lld per number
    long long n[4] = {a, b, c, d};
    switch (command) {
    case 0:  code = start_notice_command(link); format = "TT\x03"; break;
    case 1:  code = cut_condition_command(link, a, b, c, d); format = "FW%lld\x03!%lld\x03*0,%lld\x03" "FC%lld\x03"; break;
    case 2:  code = track_enhancing_command(link, a); format = "FY%lld\x03"; break;
    case 3:  code = condition_number_command(link, a); format = "FW%lld\x03"; break;
    case 4:  code = cut_speed_command(link, a); format = "!%lld\x03"; break;
    case 5:  code = cut_pressure_command(link, a); format = "*0,%lld\x03"; break;
    case 6:  code = cutter_offset_command(link, a); format = "FC%lld\x03"; break;
    case 7:  code = thick_media_command(link, a); format = "FE%lld\x03"; break;
    case 8:  code = orientation_command(link, a); format = "FN%lld\x03"; break;
    case 9:  code = test_cut(link); format = "FH\x03"; break;
    case 10: code = origin_set(link); format = "FJ\x03"; break;
    case 11: {
        // 0.05 mm steps, the fraction dropped; a size that is no number, or beyond 32 bits,
        // stays inside the integer range.
        code = mark_size_command(link, size_mm);
        format = "TB51,%lld\x03";
        const double steps = size_mm * 20.0;
        n[0] = std::isnan(steps) ? 0 : clamp32(steps >= 0x1p62 ? LLONG_MAX / 2 : steps <= -0x1p62 ? LLONG_MIN / 2
                                                                                 : static_cast<long long>(steps));
        break;
    }
    case 12: code = sensor_scan_command(link); format = "TB70\x03"; break;
    case 13:
        // 0.001 % held, 0.01 % sent, truncated toward zero.
        code = feed_correction_command(link, a);
        format = "FB%lld,0\x03";
        n[0] = a / 10;
        break;
    case 14:
        code = sensor_position_command(link, a, b);
        format = "TB72,%lld,%lld\x03";
        n[0] = clamp32(n[0] - SENSOR_CORRECTION_OFFSET);
        n[1] = clamp32(n[1] - SENSOR_CORRECTION_OFFSET);
        break;
    case 15:
    case 16:
        // The mark reads fail at their read; the command they wrote is what is looked at.
        // Distances go as whole tenths of a millimetre (toward zero) in 0.05 mm steps.
        code = command == 15 ? automatic_mark_read(link, a, b, c) : manual_mark_read(link, a, b, c);
        check(code != RC_SUCCESS, "a failed read fails the mark read");
        code = RC_SUCCESS;
        format = command == 15 ? "TB99\x03TB55,%lld\x03TB123,%lld,%lld\x03" : "TB99\x03TB55,%lld\x03TB23,%lld,%lld\x03";
        n[1] = 2 * (n[1] / 100);
        n[2] = 2 * (n[2] / 100);
        break;
    case 17: {
        code = blade_move_command(link, a, b);
        const unsigned bits = blade_direction_bits(a, b);
        check(g_writes.size() == 1 && g_writes[0] == std::string("\x1B\0", 2) + static_cast<char>(bits),
              "blade move is ESC 0 and the direction bits");
        check(bits <= 0x0F && (b == 1 || bits == 0), "anything but moving stops the blade");
        check(g_debug.find('\x1B') != std::string::npos && code == RC_SUCCESS, "the ESC is logged and sent");
        return 0;
    }
    }
    char expected[COMMAND_BUFFER_SIZE];
    std::snprintf(expected, sizeof expected, format, n[0], n[1], n[2], n[3]);
    check(code == RC_SUCCESS, "sent");
    check(g_writes.size() == 1 && g_writes[0] == expected, "the bytes sent are the command with its arguments");
    check(g_debug.find(expected) != std::string::npos, "the command is logged");
    return 0;
}
