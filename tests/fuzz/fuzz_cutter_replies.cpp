// Feeds random replies to every query of the cutter command set: the first byte picks the query,
// the second how the transfers end, the rest is the reply. Checked: no read past a buffer; a
// failed transfer fails the query and stores nothing; an accepted position or correction lies in
// its range.
#include <cstring>
#include <vector>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"
#include "fuzz_support.h"

namespace {

const std::uint8_t* g_reply;
std::size_t g_reply_size;
ResultCode g_write_code, g_read_code;

ResultCode write_bytes(const void*, std::uint32_t, std::uint32_t) { return g_write_code; }

ResultCode read_bytes(void* buffer, std::uint32_t count, std::uint32_t)
{
    if (g_read_code == RC_SUCCESS) {
        std::memcpy(buffer, g_reply, g_reply_size < count ? g_reply_size : count);
    }
    return g_read_code;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    g_reply = data + 2;
    g_reply_size = size - 2;
    g_write_code = g_read_code = RC_SUCCESS;
    const bool transfer_fails = (data[1] & 0xF0) == 0xF0;  // now and then a transfer fails
    if (transfer_fails) {
        (data[1] & 4 ? g_write_code : g_read_code) = data[1] & 1 ? RC_GENERAL_ERROR : RC_TRANSFER_TIMEOUT;
    }
    const CutterLink link{[](const char*) {}, write_bytes, read_bytes, [](std::uint32_t) {},
                          [](std::int32_t, char* text, std::size_t) { text[0] = '\0'; }, DEMO_OFF};
    constexpr std::int32_t UNTOUCHED = 0x5A5A5A5A;
    std::int32_t first = UNTOUCHED, second = UNTOUCHED;
    std::vector<char> version(VERSION_TEXT_SIZE, '#');  // on the heap: ASan sees its end
    ResultCode code = RC_SUCCESS;
    switch (data[0] % 7) {
    case 0: code = buffer_check(link); break;
    case 1: code = version_query(link, version.data()); break;
    case 2: code = ready_query(link); break;
    case 3: code = automatic_mark_read(link, 1, 12345, -678); break;
    case 4: code = manual_mark_read(link, 1, 12345, -678); break;
    case 5: code = sensor_position_query(link, &first, &second); break;
    case 6: code = feed_correction_query(link, &first); break;
    }
    if (transfer_fails) {
        check(code != RC_SUCCESS && first == UNTOUCHED && second == UNTOUCHED && version[0] == '#',
              "a failed transfer fails the query and stores nothing");
    }
    if (code == RC_SUCCESS && data[0] % 7 == 5) {
        check(first >= 0 && first <= SENSOR_CORRECTION_MAX && second >= 0 && second <= SENSOR_CORRECTION_MAX,
              "accepted sensor positions in range");
    }
    if (code == RC_SUCCESS && data[0] % 7 == 6) {
        check(first >= -FEED_CORRECTION_LIMIT && first <= FEED_CORRECTION_LIMIT, "accepted feed correction in range");
    }
    check(code != RC_SUCCESS || std::memchr(version.data(), '\0', version.size()) != nullptr || version[0] == '#',
          "a version text is terminated within its buffer");
    return 0;
}
