// The commands of the popup menu: the ids the menu items carry and the frame
// parts, the main window and the resource script agree on. Plain #defines so
// that windres can read this file too.
#pragma once

// Clock commands.
#define IDM_HOUR_HAND_COLOR 105
#define IDM_MINUTE_HAND_COLOR 106
#define IDM_SECOND_HAND_COLOR 107
#define IDM_DIAL_COLOR 108
#define IDM_FONT 109
#define IDM_NEXT_CHARACTERS 110
#define IDM_ROTATE_CHARACTERS 111
#define IDM_SECOND_HAND 112
#define IDM_SMOOTH 113

// Globe commands.
#define IDM_OPEN_TEXTURE 114
#define IDM_USE_TEXTURE 115
#define IDM_KEY_COLOR 116
#define IDM_KEY_TRANSPARENCY 117
#define IDM_ANGLE_TRANSPARENCY 118
#define IDM_SHADING 119
#define IDM_FAR_SIDE 120
#define IDM_TILT_FIRST 121  // north pole, 75 N, ... equator ... south pole
#define IDM_TILT_LAST 133
#define IDM_SPEED_FIRST 134  // stop, 2/min, 1/min, 1/2 min, 1/hour, 1/day
#define IDM_SPEED_LAST 139
#define IDM_SPEED_CUSTOM 140

// Main window commands.
#define IDM_CLICK_THROUGH 141
#define IDM_STAY_ON_TOP 142
#define IDM_ABOUT 143
#define IDM_EXIT 144

// Globe commands added later.
#define IDM_PHOTO 145        // the photographs instead of the built-in map
#define IDM_SUN 146          // day and night by the real Sun
#define IDM_CITY_LIGHTS 147  // the city lights on the night side
