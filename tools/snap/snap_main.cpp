// ondrava-snap: composes one frame of the clock and the globe exactly as the
// window does, and writes it as a PNG; or tells where the Sun stands.
#include <cstdio>
#include <string>
#include <vector>

#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "snap/png_writer.h"
#include "snap/snap_options.h"
#include "snap/snap_render.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options =
      ParseSnapOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "ondrava-snap: %s\n%s", error.c_str(), kSnapUsage);
    return 2;
  }
  if (options->sunInfo) {
    std::printf("%s\n", SunInfoLine(*options).c_str());
    return 0;
  }
  BindAlphaFunctions();
  CCanvas frame;
  const bool ok = RenderSnapFrame(*options, frame, error) &&
                  WritePng(frame, options->out, options->premultiplied, error);
  ReleaseAlphaFunctions();
  if (!ok) std::fprintf(stderr, "ondrava-snap: %s\n", error.c_str());
  return ok ? 0 : 2;
}
