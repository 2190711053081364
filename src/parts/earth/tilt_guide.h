// What stands in for the globe while its axis is tilted with the mouse: a
// translucent cylinder along the axis, and the viewing latitude as embossed
// text in the window's top-left corner. Rebuilding the projection table takes
// far longer than a frame, so the table is rebuilt only when the drag ends.
#pragma once

#include <memory>
#include <string>

#include "base/vector_math.h"
#include "regions/three_dim_rgn.h"
#include "scene/scene_objects.h"
#include "text/gdi_objects.h"

class CCanvas;

class CCylinder : public CGSObject {
 public:
  CCylinder() = default;
  ~CCylinder() override = default;
  // A bottom disc, the side and a top disc, each a triangle strip of white
  // at half coverage, around the z axis.
  void Build() override;

  std::int32_t segments = 24;
  double radius = 5.0;
  double height = 7.0;
};

// "%6.1f°" of the absolute viewing latitude: 30 gives "  30.0°".
std::u16string TiltReadout(double tiltDegrees);

class CTiltGuide {
 public:
  CTiltGuide();
  ~CTiltGuide();
  CTiltGuide(const CTiltGuide&) = delete;
  CTiltGuide& operator=(const CTiltGuide&) = delete;

  void Create();
  void Destroy();
  // The camera for a view of width x height pixels.
  void Layout(std::int32_t width, std::int32_t height);
  // The cylinder turned like the globe's axis, spun by `spin` radians, and
  // the read-out; `pixelsPerInch` sizes the 14-point label.
  void Draw(CCanvas& canvas, double tiltDegrees, double turnDegrees,
            double spin, int pixelsPerInch);

  std::unique_ptr<CGSRoot> guideScene;
  CCylinder* guideCylinder = nullptr;  // owned by guideScene
  Matrix4 guideCamera{};
  CFont labelFont;
  ThreeDimRgn angleLabel;
};
