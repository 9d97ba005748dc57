// Two small dialogs of the controller: About (dialog 13) and Media loading (dialog 17).
#ifndef CUTTER_SMALL_DIALOGS_H
#define CUTTER_SMALL_DIALOGS_H

#include <windows.h>

// The Media loading dialog while it is open; null otherwise.
extern HWND g_media_loading_dialog;

// About: the program's version; OK or the system Close command end it with 1.
INT_PTR CALLBACK about_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// Media loading: the instruction and the figure chosen by the design orientation and the use of
// registration marks. Its creation parameter points to a MediaLoadingFigure.
INT_PTR CALLBACK media_loading_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

struct MediaLoadingFigure {
    int PosSet;     // 1: the design has registration marks
    int Direction;  // 0: landscape, otherwise portrait
};

// Shows the Media loading dialog modally over `parent` until the user presses OK.
void run_media_loading_dialog(HWND parent, int pos_set, int direction);

#endif
