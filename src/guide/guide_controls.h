// Which of the job panel's controls the operation guide offers: per guide step while the guide
// is shown, and as the settings allow while it is hidden. Each refresh of the panel is one pure
// decision here; operation_guide.cpp applies the decisions to the controls and the button pad.
#ifndef CUTTER_GUIDE_CONTROLS_H
#define CUTTER_GUIDE_CONTROLS_H

#include <cstdint>

#include "common/launch_options.h"
#include "guide/pad_link.h"
#include "settings/settings_record.h"

// The job panel's controls as the guide switches them on and off, group by group.
enum PanelGroup : std::uint8_t {
    GROUP_MEDIA_TYPE,          // "Media Type" and its list
    GROUP_ADJUST_SETTINGS,     // "Adjust Settings"
    GROUP_ADJUSTMENT,          // "Add Media", speed and thickness, the "Test Cut" label
    GROUP_TRACK_ENHANCING,
    GROUP_CAP_TEXT,
    GROUP_ORIENTATION,         // "Design Orientation", "Landscape", "Portrait"
    GROUP_REGISTRATION_MARKS,  // the "Registration Marks" box
    GROUP_MARK_SEARCH,         // "Search Registration Mark"
    GROUP_MARK_DISTANCES,      // labels, edits, unit captions and unit buttons of the distances
    GROUP_READ_MARKS,          // "Registration mark reading"
    GROUP_SET_ORIGIN,          // the "Set Origin" label (the pad's button follows it)
    GROUP_BLADE_POSITION,      // the "Blade Position" label and "Use Keyboard" (the arrows follow)
    GROUP_CUT,                 // button 1: "Cut..." in cut mode, "Close" otherwise
    PANEL_GROUP_COUNT
};

struct GroupSwitch {
    PanelGroup group;
    bool       on;
};

// What one guide step lets the user touch. `AS_SETTINGS_ALLOW` means the group follows the same
// rules as while the guide is hidden.
enum class Offer : std::uint8_t { OFF, ON, AS_SETTINGS_ALLOW };

struct StepOffer {
    Offer media;              // media type, "Adjust Settings", adjustment group, "Track Enhancing", test cut
    Offer cap_text;           // the cap text and which of its icons shows
    bool  second_cap_picture;
    Offer orientation;
    Offer marks;
    Offer set_origin;
    Offer arrows;             // the jog arrows and "Use Keyboard"
    Offer cut;
};

// The offer of the hidden guide, or of the shown guide's current step.
const StepOffer& step_offer(const Settings& settings);

// The direction set of enabled arrows; the guide clears the pad's disabled markers with it and
// with PAD_BUTTON_IDLE.
constexpr std::int32_t PAD_ARROWS_ENABLED = 0;

// `update media controls`.
struct MediaDecisions {
    GroupSwitch  switches[5];          // media type, Adjust Settings, adjustment, Track Enhancing, cap text
    std::int32_t CutCondAdjust;        // stored, and "Adjust Settings" checked when 1
    bool         track_enhancing_checked;
    int          cap_picture;          // the one cap picture shown
    int          cap_text;             // string shown in the cap text
    int          cap_icon;             // the icon beside the cap text
    std::int32_t TestCutState;
};
MediaDecisions media_decisions(const Settings& settings, std::int32_t configuration_mode);

// `update orientation controls`.
struct OrientationDecisions {
    GroupSwitch switches[1];
    int         checked_button;       // "Landscape" or "Portrait"
};
OrientationDecisions orientation_decisions(const Settings& settings);

// `update mark controls`.
struct MarkDecisions {
    GroupSwitch  switches[4];          // the box, the search, the distances, the reading button
    std::int32_t PosSet;               // stored: the launch options may force it
    bool         marks_checked;
    bool         search_checked;
    int          unit_button;          // "mm" or "inch"
};
MarkDecisions mark_decisions(const Settings& settings, const LaunchOptions& options);

// `update set origin`.
struct SetOriginDecisions {
    GroupSwitch  switches[1];
    std::int32_t SetOriginState;
};
SetOriginDecisions set_origin_decisions(const Settings& settings);

// `update blade position`.
struct BladePositionDecisions {
    GroupSwitch  switches[1];
    std::int32_t DirectionSet;
};
BladePositionDecisions blade_position_decisions(const Settings& settings);

// `update cut button`.
struct CutButtonDecisions {
    GroupSwitch switches[1];
    bool        close_caption;        // outside cut mode button 1 closes the controller
    int         picture;              // the orientation picture shown
};
CutButtonDecisions cut_button_decisions(const Settings& settings, const LaunchOptions& options);

#endif
