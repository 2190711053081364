// The bytes of the program's icon as a PNG file, made by the build from
// resources/ondrava.ico (packaging/linux/ico_to_png.py) and embedded with
// cmake/EmbedFile.cmake; the same PNG is installed for the desktop menus.
#pragma once

#include <cstddef>

extern const unsigned char kProgramIconPng[];
extern const std::size_t kProgramIconPngSize;
