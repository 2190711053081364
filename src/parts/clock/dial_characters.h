// The sixteen sets of dial characters. Entry i of a set stands at (i + 1)
// o'clock, so entry 11 is at twelve.
#pragma once

constexpr int kDialCharacterSets = 16;
constexpr int kHours = 12;

extern const char16_t* const kDialCharacters[kDialCharacterSets][kHours];

// A set index read from the settings file, brought into 0..15 by wrapping
// around as the "change characters" command does (16 is 0, -1 is 15).
int DialCharacterSetInRange(long long index);
