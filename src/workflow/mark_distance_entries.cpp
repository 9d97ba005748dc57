#include "mark_distance_entries.h"

#include "app/win_text.h"

namespace {

int unit_button(std::int32_t unit)
{
    return unit == UNIT_MILLIMETRES ? IDC_UNIT_MM : IDC_UNIT_INCH;
}

// The edit whose field a range code names.
int edit_of(ResultCode code, const Settings& settings)
{
    return code == horizontal_range_code(settings.Direction, settings.Unit) ? IDC_HORIZONTAL_DISTANCE
                                                                            : IDC_VERTICAL_DISTANCE;
}

}  // namespace

void show_mark_distances(HWND panel, std::int32_t horizontal, std::int32_t vertical, std::int32_t unit)
{
    char text[DISTANCE_TEXT_SIZE];
    format_mark_distance(horizontal, unit, text, sizeof text);
    SetDlgItemTextA(panel, IDC_HORIZONTAL_DISTANCE, text);
    format_mark_distance(vertical, unit, text, sizeof text);
    SetDlgItemTextA(panel, IDC_VERTICAL_DISTANCE, text);

    const std::string caption = load_text(unit_caption_id(unit));
    SetDlgItemTextA(panel, IDC_HORIZONTAL_UNIT, caption.c_str());
    SetDlgItemTextA(panel, IDC_VERTICAL_UNIT, caption.c_str());
    UpdateWindow(panel);
}

void select_edit_text(HWND dialog, int control_id)
{
    SetFocus(GetDlgItem(dialog, control_id));
    const LRESULT limit = SendDlgItemMessageA(dialog, control_id, EM_GETLIMITTEXT, 0, 0);
    SendDlgItemMessageA(dialog, control_id, EM_SETSEL, 0, limit);
}

ResultCode validate_distance_entries(HWND panel, const Settings& settings, DistanceEntries* entries)
{
    GetDlgItemTextA(panel, IDC_HORIZONTAL_DISTANCE, entries->HorizontalText,
                    static_cast<int>(sizeof entries->HorizontalText));
    GetDlgItemTextA(panel, IDC_VERTICAL_DISTANCE, entries->VerticalText,
                    static_cast<int>(sizeof entries->VerticalText));
    entries->Horizontal = 0.0;
    entries->Vertical = 0.0;

    // A text that is no number gets the message of its field's range, which says what to type.
    if (check_numeric_text(entries->HorizontalText) != RC_SUCCESS) {
        select_edit_text(panel, IDC_HORIZONTAL_DISTANCE);
        return horizontal_range_code(settings.Direction, settings.Unit);
    }
    if (check_numeric_text(entries->VerticalText) != RC_SUCCESS) {
        select_edit_text(panel, IDC_VERTICAL_DISTANCE);
        return vertical_range_code(settings.Direction, settings.Unit);
    }

    // The typed value is judged, before any decimals are cut: 970.05 mm is out of range.
    entries->Horizontal = read_distance_text(entries->HorizontalText);
    entries->Vertical = read_distance_text(entries->VerticalText);
    const ResultCode code =
        check_mark_distances(settings.Direction, entries->Horizontal, entries->Vertical, settings.Unit);
    if (code != RC_SUCCESS) {
        select_edit_text(panel, edit_of(code, settings));
    }
    return code;
}

ResultCode set_unit(HWND panel, Settings* settings, std::int32_t new_unit)
{
    if (settings->Unit == new_unit || IsDlgButtonChecked(panel, unit_button(new_unit)) != BST_CHECKED) {
        return RC_SUCCESS;
    }
    // Without registration marks the edits are not used: they are shown in the new unit the next
    // time the stored distances are displayed.
    if (settings->PosSet == 0) {
        settings->Unit = new_unit;
        return RC_SUCCESS;
    }
    // Checked in the unit in which the text was typed, so that a message names that unit's range.
    DistanceEntries entries;
    const ResultCode code = validate_distance_entries(panel, *settings, &entries);
    if (code != RC_SUCCESS) {
        CheckRadioButton(panel, IDC_UNIT_MM, IDC_UNIT_INCH, unit_button(settings->Unit));
        return code;
    }
    const MarkDistances distances =
        parse_mark_distances(entries.HorizontalText, entries.VerticalText, settings->Unit);
    settings->Unit = new_unit;
    // The stored distances change only when the marks are read; this converts the display.
    show_mark_distances(panel, distances.Horizontal, distances.Vertical, settings->Unit);
    return RC_SUCCESS;
}
