// Reads UTC instants from standard input, one a line as "YYYY MM DD hh mm ss
// mmm", and prints the subsolar point of each as "LATITUDE LONGITUDE" in
// degrees: the program compare_sun_with_ephem.py holds against an ephemeris.
#include <cstdio>

#include "globe/sun_position.h"

int main() {
  int y, mo, d, h, mi, s, ms;
  while (std::scanf("%d %d %d %d %d %d %d", &y, &mo, &d, &h, &mi, &s, &ms) ==
         7) {
    const SYSTEMTIME utc{WORD(y), WORD(mo), 0,       WORD(d),
                         WORD(h), WORD(mi), WORD(s), WORD(ms)};
    const SubsolarPoint p = SubsolarPointAt(utc);
    std::printf("%.6f %.6f\n", p.latitude, p.longitude);
  }
  return 0;
}
