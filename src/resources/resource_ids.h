// Identifiers shared by the resource scripts and the C++ code: dialogs, controls, strings,
// bitmaps and icons. Plain #defines, because the resource compiler reads only the preprocessor.
// A result code is at the same time the id of the string that describes it.
#ifndef CUTTER_RESOURCE_IDS_H
#define CUTTER_RESOURCE_IDS_H

// ---- Dialog templates ----------------------------------------------------------------------
#define IDD_MAIN_WINDOW              10
#define IDD_JOB_PANEL                11
#define IDD_CALIBRATION              12
#define IDD_ABOUT                    13
#define IDD_ADD_MEDIA                14
#define IDD_CANNOT_COMMUNICATE       15
#define IDD_MEDIA_LOADING            17

// ---- Main window (dialog 10) ---------------------------------------------------------------
#define IDC_GUIDE_STEP_FIRST         5000  // "Media Type" ... "Start cutting": 5000 to 5005
#define IDC_GUIDE_STEP_MEDIA_TYPE    5000
#define IDC_GUIDE_STEP_CAP           5001
#define IDC_GUIDE_STEP_ORIENTATION   5002
#define IDC_GUIDE_STEP_LOADING       5003
#define IDC_GUIDE_STEP_MARKS         5004
#define IDC_GUIDE_STEP_CUT           5005
#define IDC_GUIDE_STEP_LAST          5005
#define IDC_GUIDE_SEPARATOR_FIRST    5006  // the ">" between the step names: 5006 to 5010
#define IDC_GUIDE_SEPARATOR_LAST     5010
#define IDC_GUIDE_AREA               5011
#define IDC_GUIDE_TEXT_BACKGROUND    5100
#define IDC_GUIDE_TITLE              5101
#define IDC_VERSION_CAPTION          5132
#define IDC_GUIDE_MESSAGE            5167
#define IDC_GUIDE_PREVIOUS           5182
#define IDC_GUIDE_NEXT               5184
#define IDC_GUIDE_TOGGLE             5190

// ---- "Cannot communicate" dialog (dialog 15) ------------------------------------------------
#define IDC_COMMUNICATE_MESSAGE      5177

// ---- About dialog (dialog 13) -------------------------------------------------------------
#define IDC_ABOUT_VERSION            5147

// ---- Media loading dialog (dialog 17) ------------------------------------------------------
// Its four pictures have the ids of the job panel's orientation pictures (IDC_PICTURE_*).
#define IDC_LOADING_FIGURE_NOTE      5164
#define IDC_LOADING_INSTRUCTION      5166

// ---- Add Media dialog (dialog 14) ---------------------------------------------------------
#define IDC_ADD_MEDIA_CAP            5168  // drop-down list "Blue", "Yellow", "Red": position = cap - 1
#define IDC_ADD_MEDIA_NAME           5169
#define IDC_ADD_MEDIA_SPEED_BAR      5170
#define IDC_ADD_MEDIA_FORCE_BAR      5171
#define IDC_ADD_MEDIA_SPEED_VALUE    5172
#define IDC_ADD_MEDIA_FORCE_VALUE    5174
#define IDC_ADD_MEDIA_FORCE_MAXIMUM  1187  // "3", over the template's "30"
#define IDC_ADD_MEDIA_BLUE_PICTURE   5160  // the cap pictures: one is shown, that of the cap chosen
#define IDC_ADD_MEDIA_YELLOW_PICTURE 5161
#define IDC_ADD_MEDIA_RED_PICTURE    5162
#define IDC_ADD_MEDIA_PEN_PICTURE    5151  // a user media never uses the pen: always hidden

// ---- Bitmaps and icons ---------------------------------------------------------------------
#define IDB_LOAD_LANDSCAPE           1000  // sheet in the cutter, landscape design, no marks
#define IDB_LOAD_PORTRAIT            1001  // portrait design, no marks
#define IDB_LOAD_LANDSCAPE_MARKS     1003  // landscape, registration marks and their distances
#define IDB_LOAD_PORTRAIT_MARKS      1005  // portrait, registration marks and their distances
// The blade adjustment caps: the first picture shows what to mount, the second the holder ready.
#define IDB_CAP_PEN_FIRST            1007
#define IDB_CAP_BLUE_SECOND          1008
#define IDB_CAP_BLUE_FIRST           1009
#define IDB_CAP_RED_SECOND           1010
#define IDB_CAP_RED_FIRST            1011
#define IDB_CAP_YELLOW_SECOND        1012
#define IDB_CAP_YELLOW_FIRST         1013
#define IDB_CAP_PEN_SECOND           1014
#define IDB_CUTTER_USB               1016  // cutter with LED and standby key, USB cable to a PC
#define IDI_CONTROLLER               1500
#define IDI_CANNOT_COMMUNICATE       1515
#define IDI_CAP_TEXT_ON              1521  // beside the cap text while it applies
#define IDI_CAP_TEXT_OFF             1522
// The button pad's keys, each normal, pressed and disabled (1514 and 1515 are not the pad's).
#define IDI_PAD_FIRST                1501  // the pad's key icons lie within 1501 to 1520
#define IDI_PAD_LAST                 1520
#define IDI_PAD_TEST_CUT             1501
#define IDI_PAD_TEST_CUT_PRESSED     1502
#define IDI_PAD_LEFT                 1503
#define IDI_PAD_LEFT_PRESSED         1504
#define IDI_PAD_UP                   1505
#define IDI_PAD_UP_PRESSED           1506
#define IDI_PAD_RIGHT                1507
#define IDI_PAD_RIGHT_PRESSED        1508
#define IDI_PAD_DOWN                 1509
#define IDI_PAD_DOWN_PRESSED         1510
#define IDI_PAD_SET_ORIGIN           1511
#define IDI_PAD_SET_ORIGIN_PRESSED   1512
#define IDI_PAD_SET_ORIGIN_DISABLED  1513
#define IDI_PAD_TEST_CUT_DISABLED    1516
#define IDI_PAD_DOWN_DISABLED        1517
#define IDI_PAD_LEFT_DISABLED        1518
#define IDI_PAD_RIGHT_DISABLED       1519
#define IDI_PAD_UP_DISABLED          1520

// ---- Captions and questions ----------------------------------------------------------------
#define IDS_APP_TITLE                2000  // "Quillmark Controller": window title, message caption
#define IDS_CALIBRATION_TITLE        2001  // "Calibration"
#define IDS_ADD_MEDIA_TITLE          2002  // "Add Media"
#define IDS_QUESTION_CAPTION         2003  // "Check"
#define IDS_VERSION_PREFIX           2050  // "Quillmark Ver."
#define IDS_DEMO_VERSION_1           2055  // firmware version text in demo mode 1
#define IDS_DEMO_VERSION_2           2056  // firmware version text in demo mode 2
#define IDS_PRODUCT_VERSION          2053  // "Quillmark Advanced Controller Version 2.01": About, settings file
#define IDS_MEDIA_LOADING            2500  // instruction of the Media loading dialog

#define IDQ_TEST_CUT                 2100
#define IDQ_MOVE_TO_READABLE_RANGE   2101
#define IDQ_CALIBRATION_READ_TEST    2102
#define IDQ_CUT_WITHOUT_MARKS        2103
#define IDQ_ADJUSTMENT_WARNING       2104
#define IDQ_UPDATE_MEDIA             2105

// ---- Settings file and built-in media names (first-generation cutters) ----------------------
#define IDS_MEDIA_CARD_NO_BACKING    2200
#define IDS_MEDIA_CARD_WITH_BACKING  2201
#define IDS_MEDIA_VINYL_FILM         2202
#define IDS_MEDIA_PAPER_LABELS       2203
#define IDS_MEDIA_FILM_LABELS        2204
#define IDS_MEDIA_MAGNETIC_SHEET     2205
#define IDS_MEDIA_METALLIC_GOLD      2206
#define IDS_MEDIA_METALLIC_SILVER    2207
#define IDS_MEDIA_GLOW_LABELS        2208
#define IDS_MEDIA_THICK              2209
#define IDS_MEDIA_THIN               2210
#define IDS_MEDIA_PEN                2211

// ---- Result codes (each is also the id of its message) -------------------------------------
#define RC_GENERAL_ERROR             50
#define RC_ALREADY_ACTIVE            51
#define RC_USB_LIBRARY_MISSING       52
#define RC_USB_ENTRY_MISSING         53
#define RC_PRINTER_LIST_NO_MEMORY    54
#define RC_PRINTER_OPEN_FAILED       55
#define RC_PRINTER_JOBS_QUEUED       56
#define RC_CANNOT_COMMUNICATE        57
#define RC_TRANSFER_TIMEOUT          58
#define RC_BUFFER_CHECK_FAILED       59
#define RC_BUFFER_NOT_FREE           60
#define RC_MEDIA_LIST_MISSING        61
#define RC_OTHER_MODEL               62
#define RC_VERSION_QUERY_FAILED      100
#define RC_READY_QUERY_FAILED        101
#define RC_MANUAL_MARK_READ_FAILED   102
#define RC_SENSOR_QUERY_FAILED       103
#define RC_FEED_QUERY_FAILED         104
#define RC_ALL_CONDITIONS_FAILED     150
#define RC_CONDITION_NUMBER_FAILED   151
#define RC_CUT_SPEED_FAILED          152
#define RC_CUT_PRESSURE_FAILED       153
#define RC_CUTTER_OFFSET_FAILED      154
#define RC_THICK_MEDIA_FAILED        155
#define RC_ORIENTATION_FAILED        156
#define RC_TEST_CUT_FAILED           157
#define RC_SET_ORIGIN_FAILED         158
#define RC_BLADE_MOVE_FAILED         159
#define RC_SENSOR_WRITE_FAILED       160
#define RC_SENSOR_SCAN_FAILED        161
#define RC_FEED_WRITE_FAILED         162
#define RC_AUTO_MARK_SEARCH_FAILED   163
#define RC_MARK_SIZE_FAILED          164
#define RC_TRACK_ENHANCING_FAILED    165
#define RC_START_NOTICE_FAILED       166
#define RC_HORIZONTAL_970_MM         200
#define RC_HORIZONTAL_38_IN          201
#define RC_HORIZONTAL_192_MM         202
#define RC_HORIZONTAL_7_IN           203
#define RC_VERTICAL_192_MM           204
#define RC_VERTICAL_7_IN             205
#define RC_VERTICAL_970_MM           206
#define RC_VERTICAL_38_IN            207
#define RC_MARK_READ_FAILURE         208
#define RC_FEED_CORRECTION_RANGE     209
#define RC_AUTO_MARK_READ_FAILURE    210
#define RC_ANIMATION_START_FAILED    211
#define RC_MEDIA_FILE_NOT_WRITTEN    212
#define RC_ORIENTATION_OPTION        250
#define RC_DISTANCE_OPTION           251
#define RC_MARK_SIZE_OPTION          252
#define RC_MEDIA_LIMIT_REACHED       253
#define RC_MEDIA_NAME_UNUSABLE       254

// ---- Job panel (dialog 11) -----------------------------------------------------------------
#define IDC_HELP_BUTTON              5102  // (IDC_HELP is a system cursor)
#define IDC_MEDIA_TYPE               5103  // drop-down list of the Media records
#define IDC_ADJUST_SETTINGS          5104
#define IDC_THICKNESS_BAR            5106
#define IDC_SPEED_BAR                5107
#define IDC_REGISTRATION_MARKS       5108  // PosSet
#define IDC_READ_MARKS               5109  // "Registration mark reading"
#define IDC_HORIZONTAL_DISTANCE      5111  // edit "Width:"
#define IDC_VERTICAL_DISTANCE        5113  // edit "Length:"
#define IDC_UNIT_MM                  5115  // radio buttons of Unit, one group: 5115 to 5116
#define IDC_UNIT_INCH                5116
#define IDC_HORIZONTAL_UNIT          5117  // unit captions beside the edits
#define IDC_VERTICAL_UNIT            5118
#define IDC_CALIBRATION_BUTTON       5119
#define IDC_LANDSCAPE                5127  // radio buttons of Direction, one group: 5127 to 5128
#define IDC_PORTRAIT                 5128
#define IDC_SPEED_VALUE              5133
#define IDC_THICKNESS_CAPTION        5135
#define IDC_THICKNESS_VALUE          5136
#define IDC_USE_KEYBOARD             5141
#define IDC_CALIBRATION_USE_KEYBOARD 5142  // the calibration dialog's "Use Keyboard"
#define IDC_THICKNESS_MAXIMUM        5146
#define IDC_ABOUT_BUTTON             5147
#define IDC_SEARCH_MARK              5157  // "Search Registration Mark"
#define IDC_TRACK_ENHANCING          5173
#define IDC_ADD_MEDIA                5175
#define IDC_CAP_TEXT                 5176
#define IDC_ANIMATED_INSTRUCTIONS    5183
// Passive captions, enabled and disabled with the controls they name.
#define IDC_SPEED_SLOW               5120
#define IDC_SPEED_FAST               5121
#define IDC_THICKNESS_THIN           5122
#define IDC_THICKNESS_THICK          5123
#define IDC_DISTANCES_LABEL          5124
#define IDC_WIDTH_LABEL              5125
#define IDC_LENGTH_LABEL             5126
#define IDC_SPEED_CAPTION            5134
#define IDC_SPEED_MINIMUM            5143
#define IDC_SPEED_MAXIMUM            5144
#define IDC_THICKNESS_MINIMUM        5145
#define IDC_MEDIA_TYPE_LABEL         5185
#define IDC_TEST_CUT_LABEL           5186
#define IDC_ORIENTATION_LABEL        5187
#define IDC_SET_ORIGIN_LABEL         5188
#define IDC_BLADE_POSITION_LABEL     5189
#define IDC_ORIENTATION_FRAME        1188
#define IDC_MARKS_FRAME              1189
// Pictures: how the sheet goes into the cutter (also in the media-loading dialog), and the two
// pictures of each blade adjustment cap.
#define IDC_PICTURE_LANDSCAPE        5129
#define IDC_PICTURE_PORTRAIT         5138
#define IDC_PICTURE_LANDSCAPE_MARKS  5139
#define IDC_PICTURE_PORTRAIT_MARKS   5140
#define IDC_CAP_RED_FIRST            5148
#define IDC_CAP_BLUE_FIRST           5149
#define IDC_CAP_YELLOW_FIRST         5150
#define IDC_CAP_RED_SECOND           5152
#define IDC_CAP_BLUE_SECOND          5154
#define IDC_CAP_YELLOW_SECOND        5155
#define IDC_CAP_PEN_FIRST            5180
#define IDC_CAP_PEN_SECOND           5181
#define IDC_CAP_TEXT_ON_ICON         5178
#define IDC_CAP_TEXT_OFF_ICON        5179

// ---- Calibration dialog (dialog 12) ----------------------------------------------------------
#define IDC_FEED_CORRECTION          5105  // feed correction in percent, two decimals
#define IDC_SENSOR_READ_TEST         5110  // "Registration Mark Reading Test"
#define IDC_SENSOR_X_VALUE           5112  // "X:" and the cutter's own value
#define IDC_SENSOR_Y_VALUE           5114
#define IDC_SENSOR_X_BAR             5130  // vertical, 0 to 80
#define IDC_SENSOR_Y_BAR             5131  // horizontal, 0 to 80
#define IDC_CALIBRATION_HELP         5137
#define IDS_SENSOR_X_LABEL           2404  // "X:"
#define IDS_SENSOR_Y_LABEL           2405  // "Y:"

// ---- Job panel: captions -------------------------------------------------------------------
#define IDS_THICKNESS                2400  // "Thickness:"
#define IDS_THICKNESS_THIN_MEDIA     2401  // "Thickness:" for vinyl, film labels, magnetic and thin media
#define IDS_UNIT_MM                  2402  // unit caption of Unit 0; Unit 1 is 2402 + 1
#define IDS_UNIT_INCH                2403
#define IDS_THICKNESS_MAXIMUM        2501  // "3", over the template's "30"

// ---- Add Media dialog: texts ---------------------------------------------------------------
#define IDS_CAP_NAME_BLUE            2321  // the cap list's items, in the order of the caps
#define IDS_CAP_NAME_YELLOW          2322
#define IDS_CAP_NAME_RED             2323
#define IDS_NEW_MEDIA_NAME           2406  // "New Media": the name the dialog offers

// ---- Operation guide -----------------------------------------------------------------------
#define IDS_GUIDE_TITLE_FIRST        2300  // "Step1:Media Type" ... "Step6:Start cutting": 2300 + step
#define IDS_GUIDE_MEDIA_TYPE         2310
#define IDS_GUIDE_CAP                2311
#define IDS_GUIDE_ORIENTATION        2312
#define IDS_GUIDE_LOADING            2313
#define IDS_GUIDE_MARKS              2314  // registration marks in use
#define IDS_GUIDE_SET_ORIGIN         2315  // no registration marks
#define IDS_GUIDE_CUT_WITH_SEARCH    2316  // marks searched automatically
#define IDS_GUIDE_CUT                2317
#define IDS_HIDE_GUIDE               2502
#define IDS_SHOW_GUIDE               2503
#define IDS_CLOSE                    2504
#define IDS_CAP_TEXT_RED             2409  // the cap text of each ActiveCap
#define IDS_CAP_TEXT_YELLOW          2410
#define IDS_CAP_TEXT_BLUE            2411
#define IDS_CAP_TEXT_PEN             2412

#endif
