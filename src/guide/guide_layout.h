// What the operation guide shows for a Settings record and the Launch options: the step's title
// and text, which of its buttons (and of the job panel's functions of newer firmware) are shown
// or enabled, the Show/Hide text and the main window's size. Platform-free: operation_guide.cpp
// applies the decisions through its table of control ids.
#ifndef CUTTER_GUIDE_LAYOUT_H
#define CUTTER_GUIDE_LAYOUT_H

#include <cstdint>

#include "common/launch_options.h"
#include "settings/settings_record.h"

// The controls the guide decides about.
enum GuideControl : int {
    GUIDE_PREVIOUS,
    GUIDE_NEXT,
    GUIDE_TOGGLE,
    PANEL_ADD_MEDIA,
    PANEL_TRACK_ENHANCING,
    PANEL_SEARCH_MARK,
    GUIDE_CONTROL_COUNT
};

// One aspect of a control (shown, enabled): left as it is, or switched on or off.
enum class Switch : std::uint8_t { Keep, On, Off };

struct GuideTextLayout {
    int          TitleId;        // string ids of the step's title and text
    int          TextId;
    int          ToggleTextId;   // "Show guide" or "Hide guide"; 0 leaves the button's text
    std::int32_t WindowWidth;    // the main window: full, or shortened by the guide area
    std::int32_t WindowHeight;
    Switch       Visible[GUIDE_CONTROL_COUNT];
    Switch       Enabled[GUIDE_CONTROL_COUNT];
};

GuideTextLayout guide_text_layout(const Settings& settings, const LaunchOptions& options);

#endif
