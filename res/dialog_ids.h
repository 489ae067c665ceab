// Control identifiers of the settings dialog (136) and the About dialog (103),
// and the string-table ids of the dialogs' texts. Plain macros: included by the
// resource script, the Win32 code and the portable rules alike.
#pragma once

// Settings dialog: shortcut keys.
#define IDC_ACTIVATE_LABEL 1011
#define IDC_ACTIVATE_HOTKEY 1008
#define IDC_COPYKEY_LABEL 1012
#define IDC_COPYKEY_COMBO 1009

// Settings dialog: character mapping of the readings, one radio group each.
#define IDC_WIDTH_NONE 1029
#define IDC_WIDTH_HALF 1030
#define IDC_WIDTH_FULL 1031
#define IDC_KANA_NONE 1032
#define IDC_KANA_HIRAGANA 1033
#define IDC_KANA_KATAKANA 1034
#define IDC_CASE_NONE 1035
#define IDC_CASE_LOWER 1036
#define IDC_CASE_UPPER 1037

// Settings dialog: list sizes.
#define IDC_MAXLINE_LABEL 1017
#define IDC_MAXLINE_EDIT 1014
#define IDC_MAXLINE_SPIN 1025
#define IDC_MAXCANDI_LABEL 1018
#define IDC_MAXCANDI_EDIT 1016
#define IDC_MAXCANDI_SPIN 1027

// Settings dialog: on/off options.
#define IDC_SORT 1015
#define IDC_LINENO 1019
#define IDC_TOPMOST 1013
#define IDC_EXITONCE 1020
#define IDC_XEXIT 1021

// Settings dialog: clipboard line limit.
#define IDC_CBCR_LIMIT 1023
#define IDC_CBCR_LABEL 1026
#define IDC_CBCR_EDIT 1022
#define IDC_CBCR_SPIN 1028

// Settings dialog: where the readings come from (IME, built-in dictionary).
#define IDC_READING_SOURCE_LABEL 1038
#define IDC_READING_SOURCE_COMBO 1039

// Settings dialog: the furigana line.
#define IDC_FURIGANA 1040

// Settings dialog: the help button (OK and Cancel are IDOK 1 and IDCANCEL 2).
#define IDC_SETTINGS_HELP 3

// About dialog. The icon static carries id 2, like the close command.
#define IDC_ABOUT_ICON 2
#define IDC_VERSION_LINE 1003
#define IDC_COPYRIGHT_LINE 1004
#define IDC_URL_LINK 1005
#define IDC_MAIL_LINK 1006

// String table: texts of the settings dialog.
#define IDS_SETTINGS_TITLE_SUFFIX 4000
#define IDS_MODIFIER_CHOICE_FIRST 4010  // six rows, 4010..4015
#define IDS_READING_SOURCE_FIRST 4016   // three rows, 4016..4018
#define IDS_WARN_SAME_KEY 4021
#define IDS_WARN_MAXLINE_ZERO 4022
#define IDS_WARN_MAXCANDI_ZERO 4023
#define IDS_WARN_CBCRLINES_ZERO 4024
// Tooltip texts: this base plus the id of the control that the text explains
// (5008..5040); an up-down control shares the text of its edit control.
#define IDS_TOOLTIP_BASE 4000

// String table: texts of the About dialog.
#define IDS_ABOUT_TITLE_SUFFIX 4100
