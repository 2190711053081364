// The path of the running executable, however long.
#pragma once

#include <string>

// Empty when the system cannot tell it.
std::u16string ExecutablePath();
