#include "command_line.h"

#include <cstdio>
#include <cstring>

#include "common/ascii_text.h"

namespace {

// How an option word is recognised: as the whole word or by its first letters.
enum class Match { WholeWord, Prefix };

enum class Option { DemoV1, Demo, Owner, CutMode, NoMarks, Orientation, Distances, MarkSize };

struct OptionRule {
    const char* name;   // without the leading '-' or '/'
    Match match;
    Option option;
};

// Checked in this order; the first rule that matches decides. "DEMO_V1" must come before "DEMO".
constexpr OptionRule OPTION_RULES[] = {
    {"DEMO_V1", Match::WholeWord, Option::DemoV1},
    {"DEMO",    Match::WholeWord, Option::Demo},
    {"OWNER",   Match::Prefix,    Option::Owner},
    {"CUTMODE", Match::WholeWord, Option::CutMode},
    {"NOTRM",   Match::WholeWord, Option::NoMarks},
    {"FN",      Match::Prefix,    Option::Orientation},
    {"TB23",    Match::Prefix,    Option::Distances},
    {"TB51",    Match::Prefix,    Option::MarkSize},
};

bool matches(const char* word, const OptionRule& rule)
{
    if (word[0] != '-' && word[0] != '/') {
        return false;
    }
    const char* rest = word + 1;
    const std::size_t length = std::strlen(rule.name);
    if (std::strncmp(rest, rule.name, length) != 0) {
        return false;
    }
    return rule.match == Match::Prefix || rest[length] == '\0';
}

void apply(Option option, const char* word, LaunchOptions* options, std::int32_t* demo_mode)
{
    // The formats skip the '-' or '/' and require the option letters; a value that does not
    // parse leaves its field as it was while the flag beside it is set.
    switch (option) {
    case Option::DemoV1:
        *demo_mode = DEMO_VERSION_1;
        break;
    case Option::Demo:
        *demo_mode = DEMO_VERSION_2;
        break;
    case Option::Owner: {
        options->OwnerGiven = 1;
        int owner = 0;
        if (std::sscanf(word, "%*cOWNER%d", &owner) == 1) {
            options->OwnerWindow = owner;
        }
        break;
    }
    case Option::CutMode:
        options->CutMode = 1;
        break;
    case Option::NoMarks:
        options->NoRegistrationMarks = 1;
        break;
    case Option::Orientation: {
        options->OrientationGiven = 1;
        int orientation = 0;
        if (std::sscanf(word, "%*cFN%d", &orientation) == 1) {
            options->Orientation = orientation;
        }
        break;
    }
    case Option::Distances: {
        options->DistancesGiven = 1;
        double horizontal = 0.0;
        double vertical = 0.0;
        const int parsed = std::sscanf(word, "%*cTB23,%lf,%lf", &horizontal, &vertical);
        if (parsed >= 1) {
            options->HorizontalDistance = horizontal;
        }
        if (parsed >= 2) {
            options->VerticalDistance = vertical;
        }
        break;
    }
    case Option::MarkSize: {
        options->MarkSizeGiven = 1;
        double size = 0.0;
        if (std::sscanf(word, "%*cTB51,%lf", &size) == 1) {
            options->MarkSize = size;
        }
        break;
    }
    }
}

}  // namespace

void read_command_line(int argc, const char* const* argv, LaunchOptions* options,
                       std::int32_t* demo_mode)
{
    char word[COMMAND_WORD_LIMIT + 1];
    for (int i = 0; i < argc; ++i) {
        if (argv[i] == nullptr) {
            continue;
        }
        copy_ascii_upper(argv[i], word, COMMAND_WORD_LIMIT);
        for (const OptionRule& rule : OPTION_RULES) {
            if (matches(word, rule)) {
                apply(rule.option, word, options, demo_mode);
                break;
            }
        }
    }
}
