// Identifiers shared by the program and its resource script. Choices and modes
// are stored as these numbers, in memory and in Tavelin.ini alike.
#ifndef TAVELIN_RES_RESOURCE_H
#define TAVELIN_RES_RESOURCE_H

// Menu commands.
#define IDM_TOPMOST             1001
#define IDM_HIDEONMOUSE         1002
#define IDM_EXIT                1003
#define IDM_ASIDEFULLSCREEN     1004  // out of the way of full-screen programs
#define IDM_CLICKTHROUGH        1005
#define IDM_MUTE                1006
#define IDM_ANIMATE             1010
#define IDM_CHARA_FIRST         40001
#define IDM_CHARA_LAST          40012
#define IDM_CHARA_RANDOM        40013
#define IDM_ALARMSETTINGS       40014
#define IDM_STARTWITHWINDOWS    40015
#define IDM_SIZE_SMALL          42001
#define IDM_SIZE_NORMAL         42002
// Opacity: IDM_OPACITY_BASE + the percentage.
#define IDM_OPACITY_BASE        43000
#define IDM_OPACITY_100         43100
#define IDM_OPACITY_80          43080
#define IDM_OPACITY_60          43060
#define IDM_OPACITY_40          43040

// Modes of the alarm settings dialog, stored as they are.
#define IDC_ALARM_STOP          1011
#define IDC_ALARM_ONCE          1012
#define IDC_ALARM_REPEAT        1013
#define IDC_TIMER_STOP          1014
#define IDC_TIMER_ONCE          1015
#define IDC_TIMER_REPEAT        1016
#define IDC_OCLOCK_OFF          1017
#define IDC_OCLOCK_ON           1018
#define IDC_ALARM_WEEKDAYS      1037  // Monday to Friday, local time

// Other controls of the alarm settings dialog.
#define IDC_ALARM_HOUR          1002
#define IDC_ALARM_MINUTE        1003
#define IDC_TIMER_MINUTE        1004
#define IDC_OCLOCK_SOUND        1010
#define IDC_TIMER_SOUND         1019
#define IDC_ALARM_SOUND         1020
#define IDC_TIMER_SPIN          1021
#define IDC_ALARMHOUR_SPIN      1022
#define IDC_ALARMMINUTE_SPIN    1023
#define IDC_OCLOCK_SOUNDLABEL   1024
#define IDC_TIMER_SOUNDLABEL    1025
#define IDC_ALARM_SOUNDLABEL    1027
#define IDC_TIMER_UNIT          1028
#define IDC_ALARM_COLON         1029
#define IDC_OCLOCK_PLAY         1033
#define IDC_TIMER_PLAY          1034
#define IDC_ALARM_PLAY          1035
#define IDC_OCLOCK_CHANGECHARA  1036
#define IDC_OCLOCK_QUIETLABEL   1038
#define IDC_OCLOCK_QUIETFROM    1039
#define IDC_QUIETFROM_SPIN      1040
#define IDC_OCLOCK_QUIETTO_LABEL 1041
#define IDC_OCLOCK_QUIETTO      1042
#define IDC_QUIETTO_SPIN        1043
#define IDC_OCLOCK_QUIETUNIT    1044

// The alarm's message: its icon and text beside OK and the snooze button.
#define IDC_RING_ICON           1050
#define IDC_RING_TEXT           1051
#define IDC_RING_SNOOZE         1052

// Resources.
#define IDI_TRAY                101
#define IDD_ALARM               124
#define IDD_ALARM_RING          125
#define IDR_ACCEL               201
#define IDR_MENU                301
#define IDD_PROGRESS            501
#define IDC_PROGRESS            602

// The clock's one timer and the tray icon's callback message (WM_USER + 100).
#define ID_CLOCKTIMER           1
#define WM_TRAYNOTIFY           1124
// Posted at the end of start-up when a message about the settings waits.
#define WM_SETTINGSNOTICE       1125

// The speech balloon: its menu item and the tray menu's two while an alarm rings.
#define IDM_BALLOON             1020
#define IDM_BALLOON_STOP        1021
#define IDM_BALLOON_SNOOZE      1022

// Texts the user reads, in the string table.
#define IDS_NEED_COLORS         1
#define IDS_NO_TIMER            2
#define IDS_TIMER_ELAPSED       3
#define IDS_TIMER_TITLE         4
#define IDS_ALARM_REACHED       5
#define IDS_ALARM_TITLE         6
#define IDS_SOUND_FILTER        7
#define IDS_SOUND_CHOOSER_TITLE 8
#define IDS_TIMER_ELAPSED_ONE   9  // the same for exactly one minute
// Start-up's messages about the settings file, shown once after start-up.
#define IDS_SETTINGS_UNREADABLE 20
#define IDS_SETTINGS_NOWHERE    21

// The alarm that passed in sleep, and the tray tip's lines of what is armed.
#define IDS_ALARM_MISSED          40
#define IDS_TIP_TIMER_ONCE        41
#define IDS_TIP_TIMER_ONCE_LAST   42
#define IDS_TIP_TIMER_REPEAT      43
#define IDS_TIP_TIMER_REPEAT_LAST 44
#define IDS_TIP_SNOOZE            48
#define IDS_TIP_MUTED             49

// Several alarms, sounds and volumes.
#define IDC_ALARM_DAYS          1100  // the chosen days of the week
#define IDC_ALARM_LIST          1101
#define IDC_ALARM_ADD           1102
#define IDC_ALARM_EDIT          1103
#define IDC_ALARM_DELETE        1104
#define IDC_TIMER_VOLUME        1105
#define IDC_TIMER_VOLUME_SPIN   1106
#define IDC_TIMER_VOLUME_UNIT   1107
#define IDC_OCLOCK_VOLUME       1108
#define IDC_OCLOCK_VOLUME_SPIN  1109
#define IDC_OCLOCK_VOLUME_UNIT  1110
#define IDC_EDIT_LABEL_CAPTION  1111
#define IDC_EDIT_LABEL          1112
#define IDC_EDIT_TIME_CAPTION   1113
#define IDC_EDIT_HOUR           1114
#define IDC_EDIT_HOUR_SPIN      1115
#define IDC_EDIT_COLON          1116
#define IDC_EDIT_MINUTE         1117
#define IDC_EDIT_MINUTE_SPIN    1118
#define IDC_EDIT_ONCE           1119
#define IDC_EDIT_DAILY          1120
#define IDC_EDIT_WEEKDAYS       1121
#define IDC_EDIT_DAYS           1122
#define IDC_EDIT_DAY_FIRST      1123  // Sunday; the seven run to 1129
#define IDC_EDIT_DAY_LAST       1129
#define IDC_EDIT_SOUND_CAPTION  1130
#define IDC_EDIT_SOUND          1131
#define IDC_EDIT_PLAY           1132
#define IDC_EDIT_VOLUME_CAPTION 1133
#define IDC_EDIT_VOLUME         1134
#define IDC_EDIT_VOLUME_SPIN    1135
#define IDC_EDIT_VOLUME_UNIT    1136
#define IDC_EDIT_SNOOZE_CAPTION 1137
#define IDC_EDIT_SNOOZE         1138
#define IDC_EDIT_SNOOZE_SPIN    1139
#define IDC_EDIT_SNOOZE_UNIT    1140
#define IDC_EDIT_SOUND_PROBLEM  1141
#define IDC_EDIT_REPEAT_GROUP   1142
#define IDC_EDIT_ON             1143
// What keeps the timer's and the chime's sounds from playing, under each.
#define IDC_TIMER_SOUND_PROBLEM  1150
#define IDC_OCLOCK_SOUND_PROBLEM 1151
#define IDD_ALARM_EDIT          130

// The sound worker's answer about a sound it was asked to check.
#define WM_SOUNDCHECKED         1130

#define IDS_RING_SNOOZE         100  // the ring's snooze button, %1 minutes
// The days' short names, Sunday first.
#define IDS_DAY_FIRST           101
#define IDS_DAY_SUN             101
#define IDS_DAY_MON             102
#define IDS_DAY_TUE             103
#define IDS_DAY_WED             104
#define IDS_DAY_THU             105
#define IDS_DAY_FRI             106
#define IDS_DAY_SAT             107
#define IDS_TIP_NEXT_ALARM      108  // %1 day and time, %2 the label
#define IDS_LIST_ON             109
#define IDS_LIST_TIME           110
#define IDS_LIST_REPEAT         111
#define IDS_LIST_LABEL          112
#define IDS_REPEAT_ONCE         113
#define IDS_REPEAT_DAILY        114
#define IDS_REPEAT_WEEKDAYS     115
#define IDS_ALARMS_MISSED       117  // the same for alarms missed in sleep
#define IDS_SOUND_MISSING       118
#define IDS_SOUND_TOO_LARGE     119
#define IDS_SOUND_UNDECODABLE   120
#define IDS_SOUND_OK            121  // empty: nothing to say
#define IDS_REPEAT_OFF          122
// The speech balloon's texts.
#define IDS_BALLOON_HOUR          150
#define IDS_BALLOON_SNOOZE        151
#define IDS_BALLOON_STOP          152
#define IDS_BALLOON_OK            153
#define IDS_BALLOON_MENU_STOP     154
#define IDS_BALLOON_MENU_SNOOZE   155

#endif
