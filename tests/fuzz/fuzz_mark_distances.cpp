// Feeds random texts to the mark-distance rules of the job panel: the first byte picks orientation
// and unit, then the horizontal and vertical texts separated by a zero byte. Checked: numeric
// texts are exactly plain numbers; any text parses without overflow; an accepted distance is
// shown and read back unchanged and stays valid in the other unit.
#include <cstring>
#include <regex>

#include "fuzz_support.h"
#include "workflow/mark_distances.h"

namespace {

std::string shown(std::int32_t micrometres, std::int32_t unit)
{
    char text[DISTANCE_TEXT_SIZE];
    format_mark_distance(micrometres, unit, text, sizeof text);
    return text;
}

// Parses a copy held in a buffer of exactly its size, so that ASan sees a read past its end.
std::int32_t parse(const std::string& text, std::int32_t unit)
{
    std::vector<char> buffer = exact_buffer(text);
    return parse_mark_distance(buffer.data(), unit);
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

    static const std::regex plain_number("-?([0-9]+\\.?[0-9]*|\\.[0-9]+)");
    for (const std::string* text : {&horizontal, &vertical}) {
        const bool plain = std::regex_match(*text, plain_number);
        check((check_numeric_text(exact_buffer(*text).data()) == RC_SUCCESS) == plain,
              "numeric check accepts exactly plain numbers");
        parse(*text, unit);
    }
    const DistanceJudgement judgement =
        judge_distance_texts(direction, unit, horizontal.c_str(), vertical.c_str());
    if (judgement.Field != DistanceField::None) {
        return 0;
    }
    const std::int32_t other = unit == UNIT_MILLIMETRES ? UNIT_INCHES : UNIT_MILLIMETRES;
    const std::int32_t h = parse(horizontal, unit);
    const std::int32_t v = parse(vertical, unit);
    const double factor = unit == UNIT_MILLIMETRES ? MICROMETRES_PER_MILLIMETRE : MICROMETRES_PER_INCH;
    check(check_mark_distances(direction, h / factor, v / factor, unit) == RC_SUCCESS,
          "accepted distances lie in their range");
    for (std::int32_t micrometres : {h, v}) {
        const std::string again = shown(micrometres, unit);
        check(shown(parse(again, unit), unit) == again, "shown text reads back to itself");
    }
    check(judge_distance_texts(direction, other, shown(h, other).c_str(), shown(v, other).c_str())
                  .Field == DistanceField::None,
          "switched to the other unit the distances stay valid");
    return 0;
}
