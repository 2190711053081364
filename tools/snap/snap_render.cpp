#include "snap/snap_render.h"

#include <sys/stat.h>

#include <cstdio>
#include <vector>

#include "alphablend/canvas.h"
#include "clockfrm/clock_frm.h"
#include "clockfrm/clock_model.h"
#include "cmnutils/utf.h"
#include "earthfrm/earth_frm.h"
#include "framepart/frame_sequence.h"
#include "settings/settings_store.h"
#include "snap/snap_host.h"

namespace {
bool IsReadableFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}
}  // namespace

bool RenderSnapFrame(const SnapOptions& o, CCanvas& frame, std::string& error) {
  if (!IsReadableFile(o.ini)) {
    error = "cannot read the settings file " + o.ini;
    return false;
  }
  const std::unique_ptr<ISettingsStore> settings =
      MakeSettingsStore(Utf8ToUtf16(o.ini));

  CSnapHost host(o.time, SnapUtcTime(o));
  CClockFrm clock;
  CEarthFrm globe;
  const std::vector<IFramePart*> parts{&clock, &globe};
  for (IFramePart* part : parts) part->Create(host);
  for (IFramePart* part : parts) part->LoadSettings(*settings);

  // The pointer rested on the dial for `hover` tenths, as of this very
  // tenth, so the tick below leaves the counter alone.
  clock.SetHover({o.hover, TenthsSinceMidnight(o.time)});

  LayoutParts(frame, RECT{0, 0, o.size, o.size}, parts);
  globe.WaitForTable();  // the window would show it growing row by row
  globe.ShowTiltGuide(o.tiltDrag);
  TickParts(o.time, parts);
  globe.WaitForSunlight();  // the window would show it a tick later
  ComposeFrame(frame, parts);
  for (IFramePart* part : parts) part->Destroy();
  return true;
}
