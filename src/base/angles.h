// π, once for the whole program, and the radians of one degree.
#pragma once

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;
inline constexpr double kDegree = kPi / 180;
