// The window's logical size (what the settings file keeps) and the device
// pixels its frames are drawn at on a scaled screen.
#pragma once

#include "platform/win32_types.h"

// The client rectangle in device pixels for a logical size; a ratio that is
// not a positive number counts as 1.
RECT DeviceClientRect(int logicalWidth, int logicalHeight, double ratio);

// The device pixel under a logical position (rounded down, so a point on the
// last logical pixel stays inside the device rectangle).
POINT ToDevicePixel(double x, double y, double ratio);

// The pixels per inch that text in points is drawn at on the device.
int DevicePixelsPerInch(double logicalDotsPerInch, double ratio);
