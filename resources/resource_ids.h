/* Resource numbers shared by the program's code and zorvant2.rc (plain defines for rc). */
#pragma once

#define IDD_CHART 1000
#define ID_FINE_ROWS 321
#define ID_FINE_COLUMNS 322
#define ID_SHOW_A 323
#define ID_SHOW_B 324
#define IDD_ABOUT 2000
#define ID_ABOUT_OK 2001
#define ID_ABOUT_ICON 2002
#define IDD_DOWNLOAD 3000
#define ID_PROGRESS 319
#define ID_START_TIMER 320
