#include "parts/earth/tilt_guide.h"

#include <cmath>
#include <cstdio>

#include "scene/scene_render.h"
#include "text/text.h"

namespace {
// Triangle strips, in the scene library's numbering.
constexpr std::int32_t kStrip = 12;

void Disc(CCylinder& c, double z, double normalZ) {
  c.BeginBlock(kStrip);
  c.Color(255, 255, 255, 127.0);
  for (int i = 0; i <= c.segments; ++i) {
    // Zigzag between the two halves of the rim while sweeping half a turn,
    // so that the strip covers the disc.
    const double a = i * kPi / c.segments;
    const double side = i % 2 == 0 ? 1 : -1;
    c.Normal(0, 0, normalZ);
    c.Vertex(c.radius * std::cos(a), side * c.radius * std::sin(a), z);
  }
}
}  // namespace

void CCylinder::Build() {
  Disc(*this, -height / 2, -1);
  BeginBlock(kStrip);
  Color(255, 255, 255, 127.0);
  for (int i = 0; i <= segments; ++i) {
    const double phi = 2 * kPi * i / segments;
    NormalUnit(std::cos(phi), std::sin(phi), 0);
    Vertex(radius * std::cos(phi), radius * std::sin(phi), -height / 2);
    NormalUnit(std::cos(phi), std::sin(phi), 0);
    Vertex(radius * std::cos(phi), radius * std::sin(phi), height / 2);
  }
  Disc(*this, height / 2, 1);
}

std::u16string TiltReadout(double tiltDegrees) {
  char text[32];
  std::snprintf(text, sizeof text, "%6.1f", std::fabs(tiltDegrees));
  std::u16string readout(text, text + std::char_traits<char>::length(text));
  return readout + u"\u00B0";
}

CTiltGuide::CTiltGuide() : guideScene(std::make_unique<CGSRoot>()) {
  auto cylinder = std::make_unique<CCylinder>();
  cylinder->radius = 3.5;  // as tall as it is wide
  cylinder->Build();
  guideCylinder = cylinder.get();
  if (guideScene->PushBack(cylinder.get())) cylinder.release();
}

CTiltGuide::~CTiltGuide() = default;

void CTiltGuide::Create() {
  labelFont.CreateDefault();
  InitThreeDimRgn(angleLabel);
  SetThreeDimRgnColor(angleLabel, 0xFF0000);  // blue
  angleLabel.alpha = 255;
}

void CTiltGuide::Destroy() {
  labelFont.DeleteHandle();
  FreeThreeDimRgn(angleLabel);
}

void CTiltGuide::Layout(std::int32_t width, std::int32_t height) {
  // The projection works in units of 16 pixels.
  const double a = width / 32.0, b = height / 32.0;
  const double focal = 2.6 * std::sqrt(a * a + b * b);
  SetPerspective(guideCamera, focal, 1, 1, a, b, 1, 16777215, 1, 65536);
}

void CTiltGuide::Draw(CCanvas& canvas, double tiltDegrees, double turnDegrees,
                      double spin, int pixelsPerInch) {
  Matrix4 m;
  SetIdentity(m);
  RotateZ(m, m, spin);
  RotateX(m, m, (tiltDegrees + 90) * kPi / 180);
  RotateY(m, m, turnDegrees * kPi / 180);
  CopyMat(guideScene->matrix, m);
  RenderScene(*guideScene, canvas, guideCamera);

  LOGFONTW lf;
  labelFont.GetLogFont(lf);
  lf.lfHeight = -((14 * pixelsPerInch + 36) / 72);  // 14 points
  lf.lfEscapement = lf.lfOrientation = 0;
  labelFont.CreateFromLogFont(lf);
  SetThreeDimRgnShape(angleLabel,
                      MakeTextRegion(labelFont, TiltReadout(tiltDegrees), 0, 0,
                                     TA_LEFT | TA_TOP));
  FillThreeDimRgn(angleLabel, canvas);
}
