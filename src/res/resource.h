#pragma once

// clang-format off

// Resource, command and control ids, by window.

// The program
#define IDR_MAINFRAME           128     // the icon
#define IDS_ABOUTBOX            101

// The main window and its menu
#define IDD_VELUNDA_DIALOG      102
#define IDR_MENU                130
#define IDC_WALLPAPER_LIST      1004
#define IDC_PREVIEW_PANE        1040
// Fichier
#define ID_FILE_NEW_LIST        1011
#define ID_FILE_SAVE_STARTUP    32772
#define ID_FILE_QUIT            1008
// Fond d'Ecran
#define ID_WALLPAPER_CHANGE_NOW 32778
#define ID_WALLPAPER_ADD        1005
#define ID_WALLPAPER_REMOVE     1006
#define ID_WALLPAPER_RATING     32776
#define ID_LIST_OPEN            32774
#define ID_LIST_SAVE            1010
#define ID_WALLPAPER_PREVIEW    32780
// The list's context menu: its own two commands, then Rating and Remove above
#define IDR_LIST_MENU           131
#define ID_WALLPAPER_APPLY      32781
#define ID_WALLPAPER_OPEN_FOLDER 32782
// Préférences
#define ID_PREFS_GENERAL        32773
#define ID_PREFS_INTERVAL       32775
#define ID_PREFS_DISPLAY        32779
// Aide
#define ID_HELP_README          32777
#define ID_ABOUT                16

// Préférences générales. Its path edit and check box share their numbers
// with the menu's ID_FILE_QUIT and ID_LIST_SAVE, as they always have: the
// two never meet, since commands and controls belong to different windows.
#define IDD_GENERAL_PREFS       129
#define IDC_PREFS_PATH          1008
#define IDC_PREFS_BROWSE        1009
#define IDC_PREFS_STARTUP       1010

// Interval de mise à jour
#define IDD_UPDATE_INTERVAL     136
#define IDC_RADIO_STARTUPS      1016
#define IDC_RADIO_DAYS          1017
#define IDC_EDIT_STARTUPS       1018
#define IDC_EDIT_DAYS           1019

// Notation
#define IDD_RATING              137
#define IDC_RATING_SLIDER       1020
#define IDC_RATING_PATH         1021

// Affichage
#define IDD_DISPLAY_PREFS       140
#define IDC_DISPLAY_FORMATS     1030
#define IDC_DISPLAY_POSITION    1031
#define IDC_DISPLAY_MONITORS    1032

// A propos de Velunda
#define IDD_ABOUTBOX            100
