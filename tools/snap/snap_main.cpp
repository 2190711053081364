// ondrava-snap: composes one frame of the clock (and, once it exists, the
// globe) exactly as the window does, and writes it as a PNG.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "alphablend/alpha_functions.h"
#include "alphablend/canvas.h"
#include "clockfrm/clock_frm.h"
#include "clockfrm/clock_model.h"
#include "mainframe/frame_sequence.h"
#include "platform/settings_store.h"
#include "png_writer.h"
#include "snap_host.h"
#include "snap_options.h"

namespace {
bool IsReadableFile(const std::string& path) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "ondrava-snap: %s\n", message.c_str());
  return 2;
}

int Render(const SnapOptions& o) {
  if (!IsReadableFile(o.ini))
    return Fail("cannot read the settings file " + o.ini);
  const std::unique_ptr<ISettingsStore> settings =
      MakeSettingsStore(std::u16string(o.ini.begin(), o.ini.end()));
  if (!settings) return Fail("cannot read the settings file " + o.ini);

  CSnapHost host(o.time);
  CClockFrm clock;
  std::vector<IFramePart*> parts{&clock};
  for (IFramePart* part : parts) part->Create(host);
  for (IFramePart* part : parts) part->LoadSettings(*settings);

  // The pointer rested on the dial for `hover` tenths, as of this very
  // tenth, so the tick below leaves the counter alone.
  clock.hoverCount = o.hover;
  clock.hoverStamp = TenthsSinceMidnight(o.time);

  CCanvas canvas;
  const RECT client{0, 0, o.size, o.size};
  LayoutParts(canvas, client, parts);
  for (IFramePart* part : parts) part->Tick(o.time);
  ComposeFrame(canvas, parts);

  std::string error;
  const bool written = WritePng(canvas, o.out, o.premultiplied, error);
  for (IFramePart* part : parts) part->Destroy();
  return written ? 0 : Fail(error);
}
}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      ParseSnapOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "ondrava-snap: %s\n%s", error.c_str(), kSnapUsage);
    return 2;
  }
  BindAlphaFunctions();
  const int status = Render(*options);
  ReleaseAlphaFunctions();
  return status;
}
