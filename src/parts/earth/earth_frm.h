// CEarthFrm: the globe under the clock. Worker threads ray-cast the
// projection table for the window's size and axis; every frame turns the
// globe by an offset into the texture. It spins with the time of day, under a
// left-button drag, and tilts its axis under a Ctrl drag, while a translucent
// cylinder stands in for it. With the real Sun on, another worker lights the
// texture once a minute for the subsolar point of the moment, and the frames
// read that texture instead.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "globe/globe_table_builder.h"
#include "globe/globe_texture.h"
#include "globe/sunlit_texture_builder.h"
#include "parts/earth/tilt_guide.h"
#include "parts/frame_host.h"

class CCanvas;
struct DecodedBitmap;

// The globe's settings, as its sections of the settings file hold them.
struct GlobeSettings {
  ColorKey colorKey;  // AlphaColor
  bool gradientEnable = false;
  std::uint8_t gradientMin = 160, gradientMax = 255;
  bool shadingEnable = true;
  std::uint8_t shadingMin = 0, shadingMax = 127;
  std::int32_t offset = 0;  // Revolution: hundredths of a degree
  double speed = -60.0;     // hundredths of a degree per update period
  std::int32_t updateMs = 100;
  std::u16string fileName;  // Option
  bool useFile = false;
  bool viewBack = false;
  double tiltAngle = 30.0;     // Angle: the latitude the globe is seen from
  double turnAngle = 0.0;      // Angle2: the axis swung about the vertical
  bool photo = false;          // Option Photo: the photographs, not the map
  bool sunEnable = false;      // Sun: lit by the real Sun
  bool sunLights = false;      // the city lights on the night side
  std::uint8_t sunNight = 48;  // the night side's brightness
};

class CEarthFrm : public IFramePart {
 public:
  CEarthFrm();
  ~CEarthFrm() override;

  // IFramePart.
  void Create(IFrameHost& host) override;
  void Destroy() override;
  void LoadSettings(const ISettingsStore& settings) override;
  void SaveSettings(ISettingsStore& settings) override;
  void Layout(const RECT& client) override;
  bool Tick(const SYSTEMTIME& localTime) override;
  void Draw(CCanvas& target) override;
  bool OnCommand(UINT command) override;
  void UpdateMenu(IMenu& popup) override;
  void OnPointerMove(const PointerEvent& event) override;
  void OnLeftPress(const PointerEvent& event) override;
  void OnLeftRelease(const PointerEvent& event) override;
  void OnCaptureLost() override;

  // Turns the axis to the latitude `degrees` and rebuilds the table.
  void SetTilt(double degrees);
  // Shows the tilt guide in place of the globe, as a Ctrl drag does (the
  // frame renderer's --tilt-drag).
  void ShowTiltGuide(bool show);
  // Waits until the table for the current layout is complete (the frame
  // renderer shows the finished globe, the window lets it grow).
  void WaitForTable();
  // How many entries a table may take at most (see CGlobeTableBuilder): the
  // tests play memory running out with it.
  void LimitTableEntries(std::size_t maxEntries) {
    builder.LimitEntries(maxEntries);
  }
  // Waits for the texture lit at the last tick and shows it (the frame
  // renderer; the window shows the unlit texture for those few
  // milliseconds).
  void WaitForSunlight();

  const GlobeSettings& Settings() const { return settings; }
  std::int32_t Rotation() const { return rotation; }
  bool Dragging() const { return dragging; }
  bool ShowsTiltGuide() const { return tiltMode; }
  const CGlobeTableBuilder& Table() const { return builder; }
  // The texture as the frames read it (colour key applied), or null.
  const CCanvas* Texture() const { return texture.get(); }
  int TextureShift() const { return texShift; }
  // The lit texture the frames read while the Sun is on, or null; and the
  // subsolar point it was lit for.
  const std::uint32_t* SunlitTexture() const;
  SubsolarPoint SunlitFor() const { return sunlitFor; }

 private:
  // The timer's period while a table grows, the light is cast or the mouse
  // drags.
  static constexpr UINT kBusyPeriod = 20;

  struct DrawnState {
    std::int32_t rotation = -1;
    std::size_t filled = 0;
    bool tiltMode = false;
    double tiltAngle = 0, turnAngle = 0;
    bool operator==(const DrawnState&) const = default;
  };

  void SetTexture(const DecodedBitmap& bitmap,
                  const std::vector<std::uint8_t>& water);
  bool LoadTextureFile(const std::u16string& path);
  bool LoadTexturePicture(DecodedBitmap& picture,
                          std::vector<std::uint8_t>& water);
  void ReloadTexture();
  void MakeSunSources(const DecodedBitmap& picture,
                      const std::vector<std::uint8_t>& water);
  void RefreshSunlight();
  void UpdateSunlight();
  bool TakeSunlight();
  void RestTimerIfIdle();
  void SetSpeed(double hundredthsPerMs);
  void Reanchor();
  void StartTableBuild();
  void ApplyDrag(int x, int y);
  void FinishDrag();
  void PickKeyColor();
  void OpenTextureFile();
  DrawnState StateToDraw() const;

  GlobeSettings settings;
  IFrameHost* owner = nullptr;
  std::unique_ptr<CCanvas> texture;
  int texShift = 0;
  std::int32_t rotation = 0;
  // The client area the table is built for; kept apart from the table, so
  // that a table that could not be had is tried again at the same size.
  std::int32_t layoutWidth = 0, layoutHeight = 0;
  CGlobeTableBuilder builder;
  bool dragging = false;
  bool tiltMode = false;
  std::int32_t dragStartX = 0, dragStartY = 0, dragStartRotation = 0;
  double dragStartTilt = 0, dragStartTurn = 0;
  COLORREF customColors[16] = {};
  CTiltGuide guide;
  DrawnState drawn;
  bool redraw = true;  // something drawn changed beyond what DrawnState holds

  // The photograph's water mask, one byte a texel, while it is the texture.
  std::vector<std::uint8_t> waterMask;
  // While the Sun is on: what it lights, the lit texture shown and the
  // sources and subsolar point it was lit for, and the build under way.
  std::shared_ptr<const SunlitSources> sunSources;
  std::vector<std::uint32_t> sunlit;
  std::shared_ptr<const SunlitSources> sunlitFrom;
  SubsolarPoint sunlitFor{};
  const SunlitSources* sunPendingFrom = nullptr;
  SubsolarPoint sunPending{};
  CSunlitTextureBuilder sunBuilder;
};
