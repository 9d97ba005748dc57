// Distances between the registration marks: which typed texts are numbers, the permitted ranges
// (they depend on the design orientation), the conversion between the text shown in millimetres
// or inches and the micrometres that are stored and sent, and the check of the mark size.
// Platform-free: the job panel's edits are read and written in mark_distance_entries.cpp.
#ifndef CUTTER_MARK_DISTANCES_H
#define CUTTER_MARK_DISTANCES_H

#include <cstddef>
#include <cstdint>

#include "common/result_code.h"

// Unit of the distance fields (the Settings record's Unit). Every value other than
// UNIT_MILLIMETRES is taken as inches, as a hand-edited settings file may hold anything.
constexpr std::int32_t UNIT_MILLIMETRES = 0;
constexpr std::int32_t UNIT_INCHES = 1;

// Design orientation (the Settings record's Direction). Every value other than
// DIRECTION_LANDSCAPE is judged as portrait.
constexpr std::int32_t DIRECTION_LANDSCAPE = 0;
constexpr std::int32_t DIRECTION_PORTRAIT = 1;

// One inch in micrometres. This cutter family takes the inch as 25.4059 mm, not 25.4 mm, in both
// directions of conversion; the printing side and the users' saved distances rely on it, so it
// must not be "corrected". This is the only place the factor is written down.
constexpr double MICROMETRES_PER_INCH = 25405.9;
// The display multiplies by the inverse instead of dividing; the product's last bit (and so the
// rounding of the shown third decimal) depends on that.
constexpr double INCHES_PER_MICROMETRE = 1.0 / MICROMETRES_PER_INCH;

constexpr double MICROMETRES_PER_MILLIMETRE = 1000.0;
constexpr double MILLIMETRES_PER_MICROMETRE = 0.001;

// Room for a distance shown in an edit ("%.1lf" or "%.3lf" of any 32-bit micrometre value).
constexpr std::size_t DISTANCE_TEXT_SIZE = 32;

// Smallest and largest registration-mark size the cutter can look for, in millimetres.
constexpr double MARK_SIZE_MINIMUM = 5.0;
constexpr double MARK_SIZE_MAXIMUM = 20.0;

// 0 when `text` is a plain decimal number: an optional leading minus sign, ASCII digits (at least
// one) and at most one decimal point, nothing else; RC_GENERAL_ERROR otherwise.
[[nodiscard]] ResultCode check_numeric_text(const char* text);

// 0 when both distances (in `unit`) lie in the range permitted for the orientation, both ends
// included; otherwise the code whose message names that range, the horizontal one judged first.
[[nodiscard]] ResultCode check_mark_distances(std::int32_t direction, double horizontal, double vertical,
                                std::int32_t unit);

// The code naming the permitted horizontal (200 to 203) or vertical (204 to 207) range.
[[nodiscard]] ResultCode horizontal_range_code(std::int32_t direction, std::int32_t unit);
[[nodiscard]] ResultCode vertical_range_code(std::int32_t direction, std::int32_t unit);

// 0 for a mark size from 5.0 to 20.0 mm inclusive, RC_MARK_SIZE_OPTION otherwise.
[[nodiscard]] ResultCode check_mark_size(double size);

// Reads a distance text as the C library's "%lf" does; 0.0 when it holds no number.
double read_distance_text(const char* text);

// The judgement of the two distance texts typed in `unit` for `direction`: both must be numbers
// (check_numeric_text) and lie in their ranges, the horizontal one judged first. The values are
// those of the texts as typed, before any decimals are cut; 0.0 for a text that is no number.
enum class DistanceField { None, Horizontal, Vertical };
struct DistanceJudgement {
    ResultCode    Code;   // 0, or the code naming the failing field's range
    DistanceField Field;  // the field to correct; None when Code is 0
    double        Horizontal;
    double        Vertical;
};
DistanceJudgement judge_distance_texts(std::int32_t direction, std::int32_t unit,
                                       const char* horizontal, const char* vertical);

// Micrometres of both distances.
struct MarkDistances {
    std::int32_t Horizontal;
    std::int32_t Vertical;
};

// Cuts `text` in place after the unit's shown decimals (one for millimetres, three for inches;
// a text is never lengthened), then converts it to micrometres, truncated toward zero.
std::int32_t parse_mark_distance(char* text, std::int32_t unit);

// parse_mark_distance of both texts.
MarkDistances parse_mark_distances(char* horizontal, char* vertical, std::int32_t unit);

// The text shown for `micrometres` in `unit`: millimetres with one decimal, inches with three,
// rounded to the nearest last digit. Always terminated.
void format_mark_distance(std::int32_t micrometres, std::int32_t unit, char* out, std::size_t size);

// String id of the unit caption beside the edits: "mm" or "inch".
unsigned unit_caption_id(std::int32_t unit);

#endif
