// What the notification-area tip says when the settings could be written
// nowhere: the user learns it once, from the icon, instead of losing the
// settings silently.
#pragma once

#include <string>
#include <string_view>

#include "parts/ui_language.h"

// "<product>: <notice in the interface language>", cut to the 63 characters
// the tip holds without splitting a surrogate pair.
std::u16string SaveFailedTipText(std::u16string_view productName,
                                 UiLanguage language);

// The notice alone, for tips that hold more text (the Linux tray's).
std::u16string_view SaveFailedNotice(UiLanguage language);
