// The texts the Linux program shows besides the popup menu: the About box
// (the same lines as the Windows program's, resources/ondrava.rc), the tip of
// the notification-area icon and the dialogs' titles, in either language.
#pragma once

#include <string>
#include <string_view>

#include "parts/ui_language.h"

// The legal notice of resources/ondrava.rc (ONDRAVA_LEGAL_NOTICE); a test
// holds the two to the same text.
inline constexpr std::u16string_view kLegalNotice =
    u"Copyright (C) 2026 Ondrava developers";
inline constexpr std::u16string_view kProductName = u"Ondrava";

// The version the build was made as (the CMake project's).
std::u16string ProgramVersion();

// "Ondrava Version <version>".
std::u16string AboutVersionLine();

// The notification-area tip, the Windows program's text.
std::u16string TrayTip();
// The tip once a save has failed everywhere, with the Windows program's
// notice and the file that could not be written.
std::u16string TrayTipAfterFailedSave(UiLanguage language,
                                      std::u16string_view path);
