// Which popup items are one choice among several (the globe's angle and its
// speed): front-ends whose menus can show radio marks give them one.
#pragma once

#include "platform/win32_types.h"

bool IsOneOfManyCommand(UINT command);
