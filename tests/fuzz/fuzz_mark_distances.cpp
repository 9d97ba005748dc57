// Feeds random texts to the mark-distance rules of the job panel: the first byte picks orientation
// and unit, then the horizontal and vertical texts separated by a zero byte. Checked: numeric
// texts are exactly plain numbers; accepted texts parse into the range, show and read back
// unchanged, stay valid in the other unit; mark-size check and steps agree on the range.
#include <cmath>
#include <cstring>
#include <regex>

#include "device/cutter_protocol.h"
#include "fuzz_support.h"
#include "workflow/mark_distances.h"

namespace {

// Largest distances in micrometres by the limits the messages name.
double limit_um(bool horizontal, std::int32_t direction, std::int32_t unit)
{
    const bool long_side = horizontal == (direction == DIRECTION_LANDSCAPE);
    if (unit == UNIT_MILLIMETRES) {
        return long_side ? 970000.0 : 192000.0;
    }
    return (long_side ? 38.18 : 7.557) * MICROMETRES_PER_INCH;
}

std::string shown(std::int32_t micrometres, std::int32_t unit)
{
    char text[DISTANCE_TEXT_SIZE];
    format_mark_distance(micrometres, unit, text, sizeof text);
    check(std::strlen(text) < sizeof text, "shown text fits");
    return text;
}

// Parses a copy held in a buffer of exactly its size.
std::int32_t parse(const std::string& text, std::int32_t unit, std::string* cut = nullptr)
{
    std::vector<char> buffer = exact_buffer(text);
    const std::int32_t micrometres = parse_mark_distance(buffer.data(), unit);
    check(std::strlen(buffer.data()) <= text.size(), "a text is never lengthened");
    if (cut != nullptr) {
        *cut = buffer.data();
    }
    return micrometres;
}

void check_field(const std::string& text, double value, bool horizontal, std::int32_t direction,
                 std::int32_t unit)
{
    std::string cut;
    const std::int32_t micrometres = parse(text, unit, &cut);
    check(micrometres >= 0 && micrometres <= limit_um(horizontal, direction, unit),
          "accepted distance lies in its range");
    // The value used is the value typed, cut after the shown decimals, toward zero.
    check(text.compare(0, cut.size(), cut) == 0, "cutting keeps the start of the text");
    const double factor = unit == UNIT_MILLIMETRES ? MICROMETRES_PER_MILLIMETRE : MICROMETRES_PER_INCH;
    const double step = unit == UNIT_MILLIMETRES ? 100.0 : 0.001 * MICROMETRES_PER_INCH;
    // (The typed value itself may have been rounded up when it was read: 65.1999...9 reads as
    // 65.2, hence the relative margin.)
    const double typed = value * factor;
    check(micrometres <= typed * (1.0 + 1e-12) && micrometres > typed * (1.0 - 1e-12) - step - 1.0,
          "parsed value is the typed one cut to the shown decimals");

    // Only the shown decimals count: whole tenths of a millimetre or thousandths of an inch
    // (less the micrometre the truncation may take).
    if (unit == UNIT_MILLIMETRES) {
        check(micrometres % 100 == 0 || micrometres % 100 == 99, "millimetres cut to tenths");
    } else {
        const double thousandths = std::round(micrometres / (0.001 * MICROMETRES_PER_INCH));
        check(std::fabs(thousandths * 0.001 * MICROMETRES_PER_INCH - micrometres) <= 1.0 + 1e-6,
              "inches cut to thousandths");
    }

    // Shown again, it reads back to the same text: what the user sees does not drift.
    const std::string again = shown(micrometres, unit);
    check(shown(parse(again, unit), unit) == again, "shown text reads back to itself");

    // Switched to the other unit the value stays within that unit's range.
    const std::int32_t other = unit == UNIT_MILLIMETRES ? UNIT_INCHES : UNIT_MILLIMETRES;
    const std::string switched = shown(micrometres, other);
    check(check_numeric_text(switched.c_str()) == RC_SUCCESS, "switched text is a number");
    const double switched_value = read_distance_text(switched.c_str());
    const double limit = limit_um(horizontal, direction, other) /
                         (other == UNIT_MILLIMETRES ? MICROMETRES_PER_MILLIMETRE : MICROMETRES_PER_INCH);
    check(switched_value >= 0.0 && switched_value <= limit + 1e-9, "switched value stays valid");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1) {
        return 0;
    }
    // Values other than 0 and 1 stand for what a hand-edited settings file may hold.
    const std::int32_t direction = (data[0] & 0x0F) == 0x0F ? 7 : (data[0] & 1);
    const std::int32_t unit = (data[0] & 0xF0) == 0xF0 ? -3 : ((data[0] >> 4) & 1);
    const char* begin = reinterpret_cast<const char*>(data + 1);
    const char* end = reinterpret_cast<const char*>(data + size);
    const char* split = static_cast<const char*>(std::memchr(begin, '\0', size - 1));
    const std::string horizontal(begin, split != nullptr ? split : end);
    const std::string vertical = std::string(split != nullptr ? split + 1 : end, end).c_str();

    // A plain decimal number: "-"? digits* ("." digits*)? with at least one digit.
    static const std::regex plain_number("-?([0-9]+\\.?[0-9]*|\\.[0-9]+)");
    for (const std::string* text : {&horizontal, &vertical}) {
        const ResultCode numeric = check_numeric_text(exact_buffer(*text).data());
        const bool plain = std::regex_match(*text, plain_number);
        check(numeric == (plain ? RC_SUCCESS : RC_GENERAL_ERROR), "numeric check accepts exactly plain numbers");
        parse(*text, unit);  // any text, number or not, parses without overflow or UB
    }

    const DistanceJudgement judgement =
        judge_distance_texts(direction, unit, horizontal.c_str(), vertical.c_str());
    const ResultCode h_code = horizontal_range_code(direction, unit);
    const ResultCode v_code = vertical_range_code(direction, unit);
    check(h_code >= RC_HORIZONTAL_970_MM && h_code <= RC_HORIZONTAL_7_IN && v_code >= RC_VERTICAL_192_MM &&
              v_code <= RC_VERTICAL_38_IN,
          "range codes are 200 to 207");
    switch (judgement.Field) {
    case DistanceField::None:
        check(judgement.Code == RC_SUCCESS, "no field, no failure");
        check(check_mark_distances(direction, judgement.Horizontal, judgement.Vertical, unit) ==
                  RC_SUCCESS,
              "accepted values pass the stored-distance check");
        check_field(horizontal, judgement.Horizontal, true, direction, unit);
        check_field(vertical, judgement.Vertical, false, direction, unit);
        break;
    case DistanceField::Horizontal:
        check(judgement.Code == h_code, "horizontal failure names the horizontal range");
        break;
    case DistanceField::Vertical:
        check(judgement.Code == v_code, "vertical failure names the vertical range");
        check(check_numeric_text(horizontal.c_str()) == RC_SUCCESS, "horizontal judged first");
        break;
    }

    // Both texts read as mark sizes: the check and the steps sent agree on the range.
    const double mark_size = read_distance_text(horizontal.c_str());
    const std::int32_t steps = mark_size_steps(mark_size);
    if (check_mark_size(mark_size) == RC_SUCCESS) {
        check(steps >= 100 && steps <= 400, "an accepted mark size is 100 to 400 steps");
    } else {
        check(check_mark_size(mark_size) == RC_MARK_SIZE_OPTION, "mark size code");
    }
    return 0;
}
