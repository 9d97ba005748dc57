#include "mark_distance_entries.h"

#include "common/win_text.h"

namespace {

int unit_button(std::int32_t unit)
{
    return unit == UNIT_MILLIMETRES ? IDC_UNIT_MM : IDC_UNIT_INCH;
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
    const DistanceJudgement judgement = judge_distance_texts(
        settings.Direction, settings.Unit, entries->HorizontalText, entries->VerticalText);
    entries->Horizontal = judgement.Horizontal;
    entries->Vertical = judgement.Vertical;
    if (judgement.Field != DistanceField::None) {
        select_edit_text(panel, judgement.Field == DistanceField::Horizontal
                                    ? IDC_HORIZONTAL_DISTANCE
                                    : IDC_VERTICAL_DISTANCE);
    }
    return judgement.Code;
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
        check_radio_button(panel, IDC_UNIT_MM, IDC_UNIT_INCH, unit_button(settings->Unit));
        return code;
    }
    const MarkDistances distances =
        parse_mark_distances(entries.HorizontalText, entries.VerticalText, settings->Unit);
    settings->Unit = new_unit;
    // The stored distances change only when the marks are read; this converts the display.
    show_mark_distances(panel, distances.Horizontal, distances.Vertical, settings->Unit);
    return RC_SUCCESS;
}
