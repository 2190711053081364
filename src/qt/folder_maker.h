// Creates the folder a file path lies in, with its parents (QDir::mkpath):
// the per-user settings folder does not exist before the first save.
#pragma once

#include <string>

bool MakeFolderFor(const std::u16string& filePath);
