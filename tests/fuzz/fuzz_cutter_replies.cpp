// Feeds random replies to every query of the cutter command set, through the program's own
// engine and rows: the first byte picks the query, the second how the transfers end, the rest is
// the reply (a short one leaves the command's bytes behind it, a long one is cut to the read
// length). Each result is checked against what the C library makes of the same bytes.
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

#include "common/launch_options.h"
#include "device/cutter_protocol.h"
#include "fuzz_support.h"

namespace {

struct Cutter {
    const std::uint8_t* reply;
    std::size_t reply_size;
    ResultCode write_code, read_code;
    std::vector<std::string> writes;
    int reads;
};

Cutter g_cutter;

void debug_output(const char* text)
{
    // Every debugger line is a terminated string (ASan reports a read past the buffer).
    check(std::strlen(text) < COMMAND_BUFFER_SIZE, "debugger line longer than the work buffer");
}

ResultCode write_bytes(const void* bytes, std::uint32_t count, std::uint32_t)
{
    check(count > 0 && count < COMMAND_BUFFER_SIZE, "write length");
    g_cutter.writes.emplace_back(static_cast<const char*>(bytes), count);
    return g_cutter.write_code;
}

ResultCode read_bytes(void* buffer, std::uint32_t count, std::uint32_t)
{
    check(count > 0 && count <= COMMAND_BUFFER_SIZE, "read length");
    ++g_cutter.reads;
    if (g_cutter.read_code != RC_SUCCESS) {
        return g_cutter.read_code;
    }
    const std::size_t n = g_cutter.reply_size < count ? g_cutter.reply_size : count;
    std::memcpy(buffer, g_cutter.reply, n);
    return RC_SUCCESS;
}

void sleep_for(std::uint32_t) {}
void demo_text(std::int32_t, char* text, std::size_t size) { std::snprintf(text, size, "demo"); }

// The work buffer as the engine holds it after the read: the command, overwritten by the reply
// up to the read length, cut at the row's index.
std::string cut_reply(const std::string& command, const CommandRow& row)
{
    char work[COMMAND_BUFFER_SIZE] = {};
    std::memcpy(work, command.data(), command.size());
    std::memcpy(work, g_cutter.reply, std::min(g_cutter.reply_size, static_cast<std::size_t>(row.reply_length)));
    if (row.reply_cut >= 0) {
        work[row.reply_cut] = '\0';
    }
    return std::string(work, std::find(work, work + sizeof work, '\0'));
}

std::int32_t saturated(long long value)
{
    return value > INT32_MAX ? INT32_MAX : value < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(value);
}

// "%d" as strtol reads it (the C library defines "%d" by strtol), held in 32 bits.
bool c_library_number(const char* text, std::int32_t* value, const char** end)
{
    char* stop = nullptr;
    *value = saturated(std::strtoll(text, &stop, 10));
    *end = stop;
    return stop != text;
}

// What a failed transfer becomes: the command's own code for the general failure 50, or for
// every read failure of the mark reads.
ResultCode failed_transfer(const CommandRow& row, ResultCode code, bool read)
{
    return (read && row.every_read_failure) || code == RC_GENERAL_ERROR ? row.failure : code;
}

const ResultCode TRANSFER_CODES[] = {RC_GENERAL_ERROR, RC_TRANSFER_TIMEOUT, RC_CANNOT_COMMUNICATE,
                                     RC_PRINTER_JOBS_QUEUED};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) {
        return 0;
    }
    const int command = data[0] % 7;
    const int ending = data[1];
    g_cutter = Cutter{data + 2, size - 2, RC_SUCCESS, RC_SUCCESS, {}, 0};
    // Mostly answered replies; now and then a transfer that fails.
    if ((ending & 0xF0) == 0xF0) {
        const ResultCode code = TRANSFER_CODES[ending & 3];
        if (ending & 4) {
            g_cutter.write_code = code;
        } else {
            g_cutter.read_code = code;
        }
    }
    const CutterLink link{debug_output, write_bytes, read_bytes, sleep_for, demo_text, DEMO_OFF};

    const CommandRow* row = nullptr;
    ResultCode code = RC_SUCCESS;
    // Outputs start with a mark that a query must leave alone when it stores nothing.
    constexpr std::int32_t UNTOUCHED = 0x5A5A5A5A;
    std::int32_t first = UNTOUCHED, second = UNTOUCHED;
    // Exactly the size the query may fill, on the heap so that ASan sees its end.
    std::vector<char> version(VERSION_TEXT_SIZE, '#');
    switch (command) {
    case 0: row = &FREE_CHECK_ROW;       code = buffer_check(link); break;
    case 1: row = &VERSION_ROW;          code = version_query(link, version.data()); break;
    case 2: row = &READY_ROW;            code = ready_query(link); break;
    case 3: row = &AUTO_MARK_READ_ROW;   code = automatic_mark_read(link, 1, 12345, -678); break;
    case 4: row = &MANUAL_MARK_READ_ROW; code = manual_mark_read(link, 1, 12345, -678); break;
    case 5: row = &SENSOR_QUERY_ROW;     code = sensor_position_query(link, &first, &second); break;
    case 6: row = &FEED_QUERY_ROW;       code = feed_correction_query(link, &first); break;
    }

    check(!g_cutter.writes.empty(), "every command writes");
    const bool write_failed = g_cutter.write_code != RC_SUCCESS;
    check(g_cutter.reads == (write_failed ? 0 : 1), "one read per query, none after a failed write");
    if (write_failed || g_cutter.read_code != RC_SUCCESS) {
        const CommandRow& failing = write_failed && command == 0 ? FULL_CHECK_ROW : *row;
        check(code == failed_transfer(failing, write_failed ? g_cutter.write_code : g_cutter.read_code, !write_failed),
              "a failed transfer gives its code");
        check(first == UNTOUCHED && second == UNTOUCHED, "nothing stored after a failed transfer");
        return 0;
    }

    const std::string text = cut_reply(g_cutter.writes.back(), *row);
    check(code == RC_SUCCESS || code == row->negative, "a reply is judged positive or negative");
    switch (row->judgement) {
    case ReplyJudgement::BufferFree:
        check((code == RC_SUCCESS) == (!text.empty() && text[0] == '0'), "buffer free is a '0'");
        break;
    case ReplyJudgement::Version:
        if (code == RC_SUCCESS) {
            // The model word ends a word after one character and a number, and the version
            // text is the reply's characters 1 to 4, up to a zero byte.
            bool named = false;
            const std::size_t length = std::strlen(CUTTER_MODEL_WORD);
            for (std::size_t at = text.find(CUTTER_MODEL_WORD, 2); at != std::string::npos;
                 at = text.find(CUTTER_MODEL_WORD, at + 1)) {
                named = named || at + length == text.size() ||
                        std::isspace(static_cast<unsigned char>(text[at + length]));
            }
            check(named, "accepted version names the model");
            const std::string expected = text.substr(1, 4).c_str();
            check(std::string(version.data()) == expected, "version text is characters 1 to 4");
        } else {
            check(version[0] == '#', "a rejected version leaves the caller's text");
        }
        break;
    case ReplyJudgement::Ready:
    case ReplyJudgement::MarkRead: {
        std::int32_t value = 0;
        const char* end = nullptr;
        const bool number = c_library_number(text.c_str(), &value, &end);
        const std::int32_t wanted = row->judgement == ReplyJudgement::Ready ? 1 : 0;
        check((code == RC_SUCCESS) == (number && value == wanted), "number reply judged as %d");
        break;
    }
    case ReplyJudgement::SensorPair: {
        std::int32_t x = 0, y = 0;
        const char* end = nullptr;
        const bool two = c_library_number(text.c_str(), &x, &end) && *end == ',' &&
                         c_library_number(end + 1, &y, &end);
        if (!two) {
            check(code == row->negative, "sensor reply without two numbers");
            check(first == UNTOUCHED && second == UNTOUCHED, "nothing stored without two numbers");
            break;
        }
        check(first == saturated(static_cast<long long>(x) + SENSOR_CORRECTION_OFFSET) &&
                  second == saturated(static_cast<long long>(y) + SENSOR_CORRECTION_OFFSET),
              "sensor positions stored with the offset");
        const bool in_range = first >= 0 && first <= SENSOR_CORRECTION_MAX && second >= 0 &&
                              second <= SENSOR_CORRECTION_MAX;
        check((code == RC_SUCCESS) == in_range, "sensor positions judged by their range");
        break;
    }
    case ReplyJudgement::FeedPair: {
        std::int32_t wire = 0;
        const char* end = nullptr;
        if (!c_library_number(text.c_str(), &wire, &end)) {
            check(code == row->negative && first == UNTOUCHED, "feed reply without a number");
            break;
        }
        check(first == saturated(static_cast<long long>(wire) * 10), "feed correction is wire x 10");
        check((code == RC_SUCCESS) == (first >= -FEED_CORRECTION_LIMIT && first <= FEED_CORRECTION_LIMIT),
              "feed correction judged by its range");
        break;
    }
    case ReplyJudgement::None:
        check(false, "every query judges its reply");
    }
    return 0;
}
