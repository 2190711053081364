#include "snap/snap_render.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "app/ornament.h"
#include "base/utf.h"
#include "parts/clock/clock_model.h"
#include "pixels/canvas.h"
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

void CopyFrame(const CCanvas& from, CCanvas& to) {
  to.Resize(from.Width(), from.Height());
  if (from.IsEmpty() || to.IsEmpty()) return;
  const std::size_t rowBytes = std::size_t(from.Width()) * 4;
  for (int y = 0; y < from.Height(); ++y)
    std::memcpy(to.Row(y), from.Row(y), rowBytes);
}
}  // namespace

bool RenderSnapFrame(const SnapOptions& o, CCanvas& frame, std::string& error) {
  if (!IsReadableFile(o.ini)) {
    error = "cannot read the settings file " + o.ini;
    return false;
  }
  CSnapHost host(o.time, SnapUtcTime(o), o.size);
  COrnament ornament(host);
  // The file is only read: nothing here ever saves.
  ornament.Start(SettingsLocation{Utf8ToUtf16(o.ini), {}}, nullptr);

  // The pointer rested on the dial for `hover` tenths, as of this very
  // tenth, so the tick below leaves the counter alone.
  ornament.Clock().SetHover({o.hover, TenthsSinceMidnight(o.time)});

  ornament.Layout();
  ornament.Globe().WaitForTable();  // the window would show it growing
  ornament.Globe().ShowTiltGuide(o.tiltDrag);
  ornament.Tick();
  ornament.Globe().WaitForSunlight();  // the window would show it a tick later
  ornament.Compose();
  CopyFrame(ornament.Frame(), frame);
  return true;
}
