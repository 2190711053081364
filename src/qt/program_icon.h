// The program's icon, the picture of resources/ondrava.ico (the build turns
// it into a PNG and embeds it).
#pragma once

#include <QIcon>

QIcon ProgramIcon();
