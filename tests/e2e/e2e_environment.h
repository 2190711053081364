// Where the program under test is, and where pictures are kept.
#pragma once

#include <string>

const std::wstring& E2eProgramPath();
// A path in the artefact folder (the build folder's e2e-artifacts).
std::wstring E2eArtifactPath(const wchar_t* name);
