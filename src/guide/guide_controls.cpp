#include "guide_controls.h"

#include "guide_steps.h"
#include "resources/resource_ids.h"

namespace {

constexpr Offer OFF = Offer::OFF;
constexpr Offer ON = Offer::ON;
constexpr Offer RULES = Offer::AS_SETTINGS_ALLOW;

// With the guide hidden every control is offered as far as the settings allow.
constexpr StepOffer HIDDEN_GUIDE = {RULES, ON, false, ON, RULES, RULES, ON, ON};

// What each step of the shown guide lets the user touch; everything else stays disabled, so the
// user meets the controls in the order the job needs them.
//                                    media  cap  2nd cap  orient  marks  origin arrows cut
constexpr StepOffer STEP_OFFERS[] = {{RULES, OFF, false,   OFF,    OFF,   OFF,   OFF,   OFF},   // media type
                                     {OFF,   ON,  false,   OFF,    OFF,   OFF,   OFF,   OFF},   // blade cap
                                     {OFF,   OFF, true,    ON,     OFF,   OFF,   OFF,   OFF},   // orientation
                                     {OFF,   OFF, true,    OFF,    OFF,   OFF,   OFF,   OFF},   // media loading
                                     {OFF,   OFF, true,    OFF,    RULES, RULES, RULES, OFF},   // marks or origin
                                     {OFF,   OFF, true,    OFF,    OFF,   OFF,   OFF,   ON}};   // start cutting
static_assert(sizeof STEP_OFFERS / sizeof STEP_OFFERS[0] == LAST_GUIDE_STEP + 1, "one offer per step");

// The two pictures and the text of each blade adjustment cap, indexed by ActiveCap.
struct CapRow {
    int first_picture;
    int second_picture;
    int text;
};
constexpr CapRow CAPS[] = {
    {IDC_CAP_PEN_FIRST, IDC_CAP_PEN_SECOND, IDS_CAP_TEXT_PEN},
    {IDC_CAP_BLUE_FIRST, IDC_CAP_BLUE_SECOND, IDS_CAP_TEXT_BLUE},
    {IDC_CAP_YELLOW_FIRST, IDC_CAP_YELLOW_SECOND, IDS_CAP_TEXT_YELLOW},
    {IDC_CAP_RED_FIRST, IDC_CAP_RED_SECOND, IDS_CAP_TEXT_RED},
};

const CapRow& cap_row(std::int32_t active_cap)
{
    // Media records hold only caps 0 to 3; anything else is shown as the pen.
    return active_cap >= 0 && active_cap <= 3 ? CAPS[active_cap] : CAPS[0];
}

}  // namespace

const StepOffer& step_offer(const Settings& settings)
{
    if (settings.GuideMenu == 0) {
        return HIDDEN_GUIDE;
    }
    std::int32_t step = settings.GuideStep;
    step = step < FIRST_GUIDE_STEP ? FIRST_GUIDE_STEP : step > LAST_GUIDE_STEP ? LAST_GUIDE_STEP : step;
    return STEP_OFFERS[step];
}

MediaDecisions media_decisions(const Settings& settings, std::int32_t configuration_mode)
{
    const StepOffer& offer = step_offer(settings);
    const bool user_media = configuration_mode == MEDIA_USER;
    MediaDecisions d{};
    bool media = false, adjust = false, adjustment = false, track = false;
    d.CutCondAdjust = user_media ? 1 : settings.CutCondAdjust;  // user media has no factory values
    d.TestCutState = PAD_BUTTON_DISABLED;
    if (offer.media != OFF) {
        media = true;
        adjust = !user_media;
        if (d.CutCondAdjust == 1) {
            adjustment = true;
            track = settings.ActivePress >= 3;  // only thick media are tracked
            d.TestCutState = PAD_BUTTON_IDLE;
        }
    }
    const bool cap_text = offer.cap_text == ON;
    d.switches[0] = {GROUP_MEDIA_TYPE, media};
    d.switches[1] = {GROUP_ADJUST_SETTINGS, adjust};
    d.switches[2] = {GROUP_ADJUSTMENT, adjustment};
    d.switches[3] = {GROUP_TRACK_ENHANCING, track};
    d.switches[4] = {GROUP_CAP_TEXT, cap_text};
    d.track_enhancing_checked = settings.ActivePress >= 3 && settings.RollAction == 0;
    const CapRow& cap = cap_row(settings.ActiveCap);
    d.cap_picture = offer.second_cap_picture ? cap.second_picture : cap.first_picture;
    d.cap_text = cap.text;
    d.cap_icon = cap_text ? IDC_CAP_TEXT_ON_ICON : IDC_CAP_TEXT_OFF_ICON;
    return d;
}

OrientationDecisions orientation_decisions(const Settings& settings)
{
    OrientationDecisions d{};
    d.switches[0] = {GROUP_ORIENTATION, step_offer(settings).orientation == ON};
    d.checked_button = settings.Direction == 0 ? IDC_LANDSCAPE : IDC_PORTRAIT;
    return d;
}

MarkDecisions mark_decisions(const Settings& settings, const LaunchOptions& options)
{
    const bool active = step_offer(settings).marks != OFF;
    const bool job_without_marks = options.CutMode != 0 && options.NoRegistrationMarks != 0;
    // A job waiting to be cut whose marks are searched by "Cut..." needs neither the distances
    // nor the reading button.
    const bool search_on_cut = settings.TomboAutoRead != 0 && options.CutMode != 0;
    MarkDecisions d{};
    d.PosSet = settings.PosSet;
    bool box = false, search = false, distances = false, reading = false;
    if (job_without_marks) {
        d.PosSet = 0;  // at every step, whether the mark group is offered or not
    } else if (active && options.DistancesGiven != 0) {
        // The printing side knows the distances: the job has marks and its distances stand.
        d.PosSet = 1;
        search = true;
        reading = !search_on_cut;
    } else if (active) {
        box = true;
        if (d.PosSet != 0) {
            search = true;
            distances = reading = !search_on_cut;
        }
    }
    d.switches[0] = {GROUP_REGISTRATION_MARKS, box};
    d.switches[1] = {GROUP_MARK_SEARCH, search};
    d.switches[2] = {GROUP_MARK_DISTANCES, distances};
    d.switches[3] = {GROUP_READ_MARKS, reading};
    d.marks_checked = d.PosSet == 1;
    d.search_checked = d.PosSet != 0 && settings.TomboAutoRead != 0;
    d.unit_button = settings.Unit == 0 ? IDC_UNIT_MM : IDC_UNIT_INCH;
    return d;
}

SetOriginDecisions set_origin_decisions(const Settings& settings)
{
    // The origin is set by hand only for a job without registration marks.
    const bool on = step_offer(settings).set_origin != OFF && settings.PosSet == 0;
    SetOriginDecisions d{};
    d.switches[0] = {GROUP_SET_ORIGIN, on};
    d.SetOriginState = on ? PAD_BUTTON_IDLE : PAD_BUTTON_DISABLED;
    return d;
}

BladePositionDecisions blade_position_decisions(const Settings& settings)
{
    const Offer arrows = step_offer(settings).arrows;
    // The calibration dialog jogs the blade onto its test marks at any step; at the marks step
    // the blade is moved only when the marks are read by hand or the origin is set.
    const bool on = settings.CalibrationOpen != 0 || arrows == ON ||
                    (arrows == RULES && (settings.PosSet == 0 || settings.TomboAutoRead == 0));
    BladePositionDecisions d{};
    d.switches[0] = {GROUP_BLADE_POSITION, on};
    d.DirectionSet = on ? PAD_ARROWS_ENABLED : PAD_ARROWS_DISABLED;
    return d;
}

CutButtonDecisions cut_button_decisions(const Settings& settings, const LaunchOptions& options)
{
    CutButtonDecisions d{};
    d.close_caption = options.CutMode == 0;
    d.switches[0] = {GROUP_CUT, d.close_caption || step_offer(settings).cut == ON};
    const bool portrait = settings.Direction != 0;
    if (settings.PosSet == 1) {
        d.picture = portrait ? IDC_PICTURE_PORTRAIT_MARKS : IDC_PICTURE_LANDSCAPE_MARKS;
    } else {
        d.picture = portrait ? IDC_PICTURE_PORTRAIT : IDC_PICTURE_LANDSCAPE;
    }
    return d;
}
