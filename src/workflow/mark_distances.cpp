#include "mark_distances.h"

#include "common/int32_range.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The display factor of inches is this exact double; an older or rounded literal would move
// some shown third decimals by one.
static_assert(INCHES_PER_MICROMETRE == 3.9360935845610664e-05,
              "the inch display factor must be the double nearest 1 / 25405.9");

namespace {

struct DistanceLimit {
    double maximum;   // the minimum is always 0
    ResultCode code;  // its message names the range
};

struct DistanceLimits {
    DistanceLimit horizontal;
    DistanceLimit vertical;
};

// Permitted distances by orientation and unit. The cutter takes at most 970 mm along the feed and
// 192 mm across it; the inch limits are the same lengths in this program's inch (38.18 in is
// 970.0 mm, 7.557 in is 192.0 mm), so a value switched from one unit to the other stays valid.
const DistanceLimits LIMITS[2][2] = {
    // landscape
    {{{970.0, RC_HORIZONTAL_970_MM}, {192.0, RC_VERTICAL_192_MM}},
     {{38.18, RC_HORIZONTAL_38_IN}, {7.557, RC_VERTICAL_7_IN}}},
    // portrait
    {{{192.0, RC_HORIZONTAL_192_MM}, {970.0, RC_VERTICAL_970_MM}},
     {{7.557, RC_HORIZONTAL_7_IN}, {38.18, RC_VERTICAL_38_IN}}},
};

const DistanceLimits& limits_for(std::int32_t direction, std::int32_t unit)
{
    return LIMITS[direction != DIRECTION_LANDSCAPE ? 1 : 0][unit != UNIT_MILLIMETRES ? 1 : 0];
}

bool within(double value, const DistanceLimit& limit)
{
    // Written so that a value that is not a number fails too.
    return value >= 0.0 && value <= limit.maximum;
}

bool is_ascii_digit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

ResultCode check_numeric_text(const char* text)
{
    bool seen_point = false;
    bool seen_digit = false;
    for (std::size_t i = 0; text[i] != '\0'; ++i) {
        const char c = text[i];
        if (is_ascii_digit(c)) {
            seen_digit = true;
        } else if (c == '.' && !seen_point) {
            seen_point = true;
        } else if (c == '-' && i == 0) {
            // a sign, only in front
        } else {
            return RC_GENERAL_ERROR;
        }
    }
    // Also catches the empty text and a lone sign or point.
    return seen_digit ? RC_SUCCESS : RC_GENERAL_ERROR;
}

ResultCode check_mark_distances(std::int32_t direction, double horizontal, double vertical,
                                std::int32_t unit)
{
    const DistanceLimits& limits = limits_for(direction, unit);
    if (!within(horizontal, limits.horizontal)) {
        return limits.horizontal.code;
    }
    if (!within(vertical, limits.vertical)) {
        return limits.vertical.code;
    }
    return RC_SUCCESS;
}

ResultCode horizontal_range_code(std::int32_t direction, std::int32_t unit)
{
    return limits_for(direction, unit).horizontal.code;
}

ResultCode vertical_range_code(std::int32_t direction, std::int32_t unit)
{
    return limits_for(direction, unit).vertical.code;
}

ResultCode check_mark_size(double size)
{
    return size >= MARK_SIZE_MINIMUM && size <= MARK_SIZE_MAXIMUM ? RC_SUCCESS : RC_MARK_SIZE_OPTION;
}

DistanceJudgement judge_distance_texts(std::int32_t direction, std::int32_t unit,
                                       const char* horizontal, const char* vertical)
{
    // A text that is no number gets the message of its field's range, which says what to type.
    if (check_numeric_text(horizontal) != RC_SUCCESS) {
        return DistanceJudgement{horizontal_range_code(direction, unit), DistanceField::Horizontal,
                                 0.0, 0.0};
    }
    if (check_numeric_text(vertical) != RC_SUCCESS) {
        return DistanceJudgement{vertical_range_code(direction, unit), DistanceField::Vertical,
                                 0.0, 0.0};
    }
    // The typed value is judged, before any decimals are cut: 970.05 mm is out of range.
    DistanceJudgement judgement{RC_SUCCESS, DistanceField::None, read_distance_text(horizontal),
                                read_distance_text(vertical)};
    const DistanceLimits& limits = limits_for(direction, unit);
    if (!within(judgement.Horizontal, limits.horizontal)) {
        judgement.Code = limits.horizontal.code;
        judgement.Field = DistanceField::Horizontal;
    } else if (!within(judgement.Vertical, limits.vertical)) {
        judgement.Code = limits.vertical.code;
        judgement.Field = DistanceField::Vertical;
    }
    return judgement;
}

double read_distance_text(const char* text)
{
    // strtod reads exactly what "%lf" reads, without the scanf family's warnings on some compilers.
    return std::strtod(text, nullptr);
}

std::int32_t parse_mark_distance(char* text, std::int32_t unit)
{
    const bool millimetres = unit == UNIT_MILLIMETRES;
    // Keep only the decimals the unit shows, so the value used is the value the user sees.
    char* point = std::strchr(text, '.');
    if (point != nullptr) {
        const std::size_t decimals = millimetres ? 1 : 3;
        if (std::strlen(point + 1) > decimals) {
            point[1 + decimals] = '\0';
        }
    }
    const double value = read_distance_text(text);
    return truncate_to_int32(value * (millimetres ? MICROMETRES_PER_MILLIMETRE : MICROMETRES_PER_INCH));
}

MarkDistances parse_mark_distances(char* horizontal, char* vertical, std::int32_t unit)
{
    MarkDistances distances;
    distances.Horizontal = parse_mark_distance(horizontal, unit);
    distances.Vertical = parse_mark_distance(vertical, unit);
    return distances;
}

void format_mark_distance(std::int32_t micrometres, std::int32_t unit, char* out, std::size_t size)
{
    if (unit == UNIT_MILLIMETRES) {
        std::snprintf(out, size, "%.1lf", micrometres * MILLIMETRES_PER_MICROMETRE);
    } else {
        std::snprintf(out, size, "%.3lf", micrometres * INCHES_PER_MICROMETRE);
    }
}

unsigned unit_caption_id(std::int32_t unit)
{
    // A unit other than millimetres is shown and read as inches, so its caption says so too.
    return unit == UNIT_MILLIMETRES ? IDS_UNIT_MM : IDS_UNIT_INCH;
}
