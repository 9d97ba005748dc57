#include "add_media_dialog.h"

#include "common/result_report.h"
#include "common/win_text.h"
#include "media_files.h"
#include "resources/resource_ids.h"

namespace {

// What the dialog works on, from its opening to its end.
struct AddMediaSession {
    AddMediaPlace place;
    AddMediaEntry entry;
};

// One picture per cap a user media may take; the pen's is never shown here.
constexpr struct {
    std::int32_t Cap;
    int          Picture;
    int          Item;  // the cap list's text; the list holds the caps in this order
} CAPS[] = {
    {CAP_BLUE, IDC_ADD_MEDIA_BLUE_PICTURE, IDS_CAP_NAME_BLUE},
    {CAP_YELLOW, IDC_ADD_MEDIA_YELLOW_PICTURE, IDS_CAP_NAME_YELLOW},
    {CAP_RED, IDC_ADD_MEDIA_RED_PICTURE, IDS_CAP_NAME_RED},
};

AddMediaSession* session_of(HWND dialog)
{
    return reinterpret_cast<AddMediaSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The list position of a cap: Blue first.
int cap_position(std::int32_t cap)
{
    return static_cast<int>(cap - CAP_BLUE);
}

void show_cap_picture(HWND dialog, std::int32_t cap)
{
    ShowWindow(GetDlgItem(dialog, IDC_ADD_MEDIA_PEN_PICTURE), SW_HIDE);
    for (const auto& row : CAPS) {
        ShowWindow(GetDlgItem(dialog, row.Picture), row.Cap == cap ? SW_SHOW : SW_HIDE);
    }
}

void show_bar(HWND dialog, int bar, int label, std::int32_t value)
{
    SetDlgItemInt(dialog, label, static_cast<UINT>(value), TRUE);
    SetScrollPos(GetDlgItem(dialog, bar), SB_CTL, value, TRUE);
}

void show_conditions(HWND dialog, const AddMediaEntry& entry)
{
    show_bar(dialog, IDC_ADD_MEDIA_SPEED_BAR, IDC_ADD_MEDIA_SPEED_VALUE, entry.Speed);
    show_bar(dialog, IDC_ADD_MEDIA_FORCE_BAR, IDC_ADD_MEDIA_FORCE_VALUE, entry.Press);
}

BOOL init_add_media(HWND dialog, AddMediaSession* session)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
    const AddMediaPlace& place = session->place;
    AddMediaEntry& entry = session->entry;
    fill_add_media_entry(media_at(*place.library, place.selected),
                         load_text(IDS_NEW_MEDIA_NAME).c_str(), &entry);

    SetWindowTextA(dialog, load_text(IDS_ADD_MEDIA_TITLE).c_str());
    SendDlgItemMessageA(dialog, IDC_ADD_MEDIA_NAME, EM_LIMITTEXT, MEDIA_NAME_LIMIT, 0);
    SetDlgItemTextA(dialog, IDC_ADD_MEDIA_NAME, entry.Name);
    SetScrollRange(GetDlgItem(dialog, IDC_ADD_MEDIA_SPEED_BAR), SB_CTL, SPEED_BAR_SCALE.Minimum,
                   SPEED_BAR_SCALE.Maximum, FALSE);
    SetScrollRange(GetDlgItem(dialog, IDC_ADD_MEDIA_FORCE_BAR), SB_CTL, FORCE_BAR_SCALE.Minimum,
                   FORCE_BAR_SCALE.Maximum, FALSE);
    SetDlgItemTextA(dialog, IDC_ADD_MEDIA_FORCE_MAXIMUM, load_text(IDS_THICKNESS_MAXIMUM).c_str());
    show_conditions(dialog, entry);

    for (const auto& row : CAPS) {
        SendDlgItemMessageA(dialog, IDC_ADD_MEDIA_CAP, CB_INSERTSTRING,
                            static_cast<WPARAM>(cap_position(row.Cap)),
                            reinterpret_cast<LPARAM>(load_text(row.Item).c_str()));
    }
    SendDlgItemMessageA(dialog, IDC_ADD_MEDIA_CAP, CB_SETCURSEL,
                        static_cast<WPARAM>(cap_position(entry.Cap)), 0);
    show_cap_picture(dialog, entry.Cap);
    return TRUE;  // the name has the focus, all of it selected: typing replaces it
}

// Every scroll code the bars act on stores the new value in the entry and shows both again.
BOOL on_bar(HWND dialog, HWND bar, int code, int thumb)
{
    AddMediaEntry& entry = session_of(dialog)->entry;
    const int id = GetDlgCtrlID(bar);
    if (id != IDC_ADD_MEDIA_SPEED_BAR && id != IDC_ADD_MEDIA_FORCE_BAR) {
        return TRUE;
    }
    const bool speed = id == IDC_ADD_MEDIA_SPEED_BAR;
    std::int32_t& value = speed ? entry.Speed : entry.Press;
    const BarStep step = bar_step(speed ? SPEED_BAR_SCALE : FORCE_BAR_SCALE, code, value, thumb);
    if (step.Handled) {
        value = step.Value;
        show_conditions(dialog, entry);
    }
    return TRUE;
}

void on_cap_list(HWND dialog, int notification)
{
    AddMediaEntry& entry = session_of(dialog)->entry;
    if (notification == CBN_CLOSEUP) {
        // A list closed without a choice shows the cap in use again.
        SendDlgItemMessageA(dialog, IDC_ADD_MEDIA_CAP, CB_SETCURSEL,
                            static_cast<WPARAM>(cap_position(entry.Cap)), 0);
    } else if (notification == CBN_SELENDOK) {
        const LRESULT position = SendDlgItemMessageA(dialog, IDC_ADD_MEDIA_CAP, CB_GETCURSEL, 0, 0);
        if (position >= 0 && position < static_cast<LRESULT>(sizeof CAPS / sizeof CAPS[0])) {
            entry.Cap = CAPS[position].Cap;
            show_cap_picture(dialog, entry.Cap);
        }
    }
}

// Selects the media in the job panel's list and has the panel apply it, exactly as when the
// user chooses it there.
void select_in_job_panel(HWND job_panel, std::int32_t index)
{
    SendDlgItemMessageA(job_panel, IDC_MEDIA_TYPE, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(job_panel, WM_COMMAND, MAKEWPARAM(IDC_MEDIA_TYPE, CBN_SELENDOK), 0);
}

// `add media`: the name is already in the entry. `taken` says whether the media was added or
// updated, so that the dialog may end; a refusal or a declined update leaves it open.
ResultCode add_media(HWND dialog, const AddMediaPlace& place, const AddMediaEntry& entry,
                     bool* taken)
{
    const AddMediaPlan plan = plan_add_media(*place.library, entry.Name);
    switch (plan.Action) {
    case ADD_MEDIA_REFUSE:
        return plan.Refusal;
    case ADD_MEDIA_ASK_UPDATE:
        if (!confirmation_question(dialog, IDQ_UPDATE_MEDIA)) {
            return RC_SUCCESS;
        }
        update_media(place.library, plan.Index, entry);
        break;
    case ADD_MEDIA_UPDATE:
        update_media(place.library, plan.Index, entry);
        break;
    case ADD_MEDIA_APPEND: {
        // The file first: a media whose file could not be written is not taken at all.
        const MediaRecord record = new_user_media(*place.library, entry);
        const ResultCode written = write_media_file(place.media_directory, record);
        if (written != RC_SUCCESS) {
            return written;
        }
        append_media(place.library, record);
        SendDlgItemMessageA(place.job_panel, IDC_MEDIA_TYPE, CB_INSERTSTRING,
                            static_cast<WPARAM>(plan.Index), reinterpret_cast<LPARAM>(record.Name));
        break;
    }
    }
    select_in_job_panel(place.job_panel, plan.Index);
    *taken = true;
    return RC_SUCCESS;
}

void on_ok(HWND dialog)
{
    AddMediaSession* session = session_of(dialog);
    GetDlgItemTextA(dialog, IDC_ADD_MEDIA_NAME, session->entry.Name, sizeof session->entry.Name);
    bool taken = false;
    const ResultCode code = add_media(dialog, session->place, session->entry, &taken);
    if (code != RC_SUCCESS) {
        report_result(dialog, code);
    } else if (taken) {
        EndDialog(dialog, 1);
    }
}

BOOL on_command(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDOK:
        on_ok(dialog);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_ADD_MEDIA_CAP:
        on_cap_list(dialog, notification);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void run_add_media_dialog(const AddMediaPlace& place)
{
    AddMediaSession session{place, {}};
    DialogBoxParamA(resource_instance(), MAKEINTRESOURCEA(IDD_ADD_MEDIA), place.owner,
                    add_media_dialog_proc, reinterpret_cast<LPARAM>(&session));
}

INT_PTR CALLBACK add_media_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return init_add_media(dialog, reinterpret_cast<AddMediaSession*>(lparam));
    case WM_HSCROLL:
        return on_bar(dialog, reinterpret_cast<HWND>(lparam), LOWORD(wparam), HIWORD(wparam));
    case WM_COMMAND:
        return on_command(dialog, LOWORD(wparam), HIWORD(wparam));
    }
    return FALSE;
}
