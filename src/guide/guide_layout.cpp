#include "guide_layout.h"

#include "guide_steps.h"
#include "resources/resource_ids.h"

namespace {

std::int32_t width_of(const ScreenRect& r) { return r.right - r.left; }
std::int32_t height_of(const ScreenRect& r) { return r.bottom - r.top; }

Switch on_if(bool on) { return on ? Switch::On : Switch::Off; }

}  // namespace

GuideTextLayout guide_text_layout(const Settings& settings, const LaunchOptions& options)
{
    GuideTextLayout layout{};  // every switch Keep
    const std::int32_t step = settings.GuideStep;
    layout.TitleId = guide_title_id(step);
    layout.TextId = guide_text_id(step, settings.PosSet, settings.TomboAutoRead);
    layout.Enabled[GUIDE_PREVIOUS] = on_if(step != FIRST_GUIDE_STEP);
    layout.Enabled[GUIDE_NEXT] = on_if(step != LAST_GUIDE_STEP);

    const ScreenRect& full = settings.MainWindowRect;
    layout.WindowWidth = width_of(full);
    layout.WindowHeight = height_of(full);
    const bool shown = settings.GuideMenu != 0;
    layout.Visible[GUIDE_PREVIOUS] = on_if(shown);
    layout.Visible[GUIDE_NEXT] = on_if(shown);
    if (shown) {
        layout.ToggleTextId = IDS_HIDE_GUIDE;
        return layout;
    }
    // Hidden: the guide area falls below the shortened window.
    layout.WindowHeight -= height_of(settings.GuideAreaRect);
    if (settings.FileMediaMode == 0) {
        // Firmware before 2.0 has neither the guide nor these functions.
        constexpr GuideControl NEWER_FIRMWARE[] = {GUIDE_TOGGLE, PANEL_ADD_MEDIA,
                                                   PANEL_TRACK_ENHANCING, PANEL_SEARCH_MARK};
        for (GuideControl control : NEWER_FIRMWARE) {
            layout.Visible[control] = Switch::Off;
        }
    } else {
        if (options.CutMode == 0) {
            layout.Visible[GUIDE_TOGGLE] = Switch::Off;
        }
        layout.ToggleTextId = IDS_SHOW_GUIDE;
    }
    return layout;
}
