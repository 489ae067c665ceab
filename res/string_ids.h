// String table identifiers. Each part of the program keeps its own range:
// 1000-1099 the application shell (message texts and menu items).
#pragma once

#define IDS_ALREADY_RUNNING 1000
#define IDS_MENU_HELP 1010
#define IDS_MENU_SETTINGS 1011
#define IDS_MENU_ABOUT 1012
#define IDS_MENU_HIDE 1013
#define IDS_MENU_HIDE_ALT_F4 1014
#define IDS_MENU_EXIT 1015
#define IDS_MENU_EXIT_ALT_F4 1016
