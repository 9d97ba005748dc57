// Feeds random replies to every query of the cutter command set through the program's own engine:
// the first byte picks the query, the second how the transfers end, the rest is the reply.
// Checked: no read past a buffer; every result is one the query can give (its success, its
// negative answer, its own failure or the transfer's code); a failed transfer stores nothing; a
// position or correction accepted lies in its range.
#include <cstring>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"
#include "fuzz_support.h"

namespace {

struct Cutter {
    const std::uint8_t* reply;
    std::size_t reply_size;
    ResultCode write_code, read_code;
};

Cutter g_cutter;

void debug_output(const char* text)
{
    check(std::strlen(text) < COMMAND_BUFFER_SIZE, "debugger line longer than the work buffer");
}

ResultCode write_bytes(const void*, std::uint32_t count, std::uint32_t)
{
    check(count > 0 && count < COMMAND_BUFFER_SIZE, "write length");
    return g_cutter.write_code;
}

ResultCode read_bytes(void* buffer, std::uint32_t count, std::uint32_t)
{
    check(count > 0 && count <= COMMAND_BUFFER_SIZE, "read length");
    if (g_cutter.read_code == RC_SUCCESS) {
        std::memcpy(buffer, g_cutter.reply, g_cutter.reply_size < count ? g_cutter.reply_size : count);
    }
    return g_cutter.read_code;
}

void sleep_for(std::uint32_t) {}
void demo_text(std::int32_t, char* text, std::size_t size) { std::snprintf(text, size, "demo"); }

const ResultCode TRANSFER_CODES[] = {RC_GENERAL_ERROR, RC_TRANSFER_TIMEOUT, RC_CANNOT_COMMUNICATE,
                                     RC_PRINTER_JOBS_QUEUED};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const int ending = data[1];
    g_cutter = Cutter{data + 2, size - 2, RC_SUCCESS, RC_SUCCESS};
    // Mostly answered replies; now and then a transfer that fails.
    ResultCode transfer = RC_SUCCESS;
    if ((ending & 0xF0) == 0xF0) {
        transfer = TRANSFER_CODES[ending & 3];
        (ending & 4 ? g_cutter.write_code : g_cutter.read_code) = transfer;
    }
    const CutterLink link{debug_output, write_bytes, read_bytes, sleep_for, demo_text, DEMO_OFF};

    constexpr std::int32_t UNTOUCHED = 0x5A5A5A5A;
    std::int32_t first = UNTOUCHED, second = UNTOUCHED;
    std::vector<char> version(VERSION_TEXT_SIZE, '#');  // on the heap: ASan sees its end
    const CommandRow* row = nullptr;
    ResultCode code = RC_SUCCESS;
    switch (data[0] % 7) {
    case 0: row = &FREE_CHECK_ROW;       code = buffer_check(link); break;
    case 1: row = &VERSION_ROW;          code = version_query(link, version.data()); break;
    case 2: row = &READY_ROW;            code = ready_query(link); break;
    case 3: row = &AUTO_MARK_READ_ROW;   code = automatic_mark_read(link, 1, 12345, -678); break;
    case 4: row = &MANUAL_MARK_READ_ROW; code = manual_mark_read(link, 1, 12345, -678); break;
    case 5: row = &SENSOR_QUERY_ROW;     code = sensor_position_query(link, &first, &second); break;
    case 6: row = &FEED_QUERY_ROW;       code = feed_correction_query(link, &first); break;
    }
    check(code == RC_SUCCESS || code == row->negative || code == row->failure ||
              code == FULL_CHECK_ROW.failure || (transfer != RC_SUCCESS && code == transfer),
          "a result the query can give");
    if (transfer != RC_SUCCESS) {
        check(code != RC_SUCCESS, "a failed transfer fails the query");
        check(first == UNTOUCHED && second == UNTOUCHED && version[0] == '#',
              "nothing stored after a failed transfer");
    }
    if (code == RC_SUCCESS && row == &SENSOR_QUERY_ROW) {
        check(first >= 0 && first <= SENSOR_CORRECTION_MAX && second >= 0 &&
                  second <= SENSOR_CORRECTION_MAX,
              "accepted sensor positions in range");
    }
    if (code == RC_SUCCESS && row == &FEED_QUERY_ROW) {
        check(first >= -FEED_CORRECTION_LIMIT && first <= FEED_CORRECTION_LIMIT,
              "accepted feed correction in range");
    }
    if (code == RC_SUCCESS && row == &VERSION_ROW) {
        check(std::strlen(version.data()) <= 4, "version text of at most four characters");
    }
    return 0;
}
