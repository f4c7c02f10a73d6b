// Dialog template ids; a page's or dialog's title is the string of the same
// id. Included by the .rc files and the code: #defines only.
#pragma once

#define IDD_BASIC_PAGE 100
#define IDD_OPTION_PAGE 101
#define IDD_SETUP_PAGE 102
#define IDD_ADVANCED 104
#define IDD_COLOR_ADJUST 105
#define IDD_INK_ADJUST 106
#define IDD_USER_SIZE 107
#define IDD_SIZE_SERIES 108
#define IDD_VERSION 109
#define IDD_CURRENT_SETTINGS 110
