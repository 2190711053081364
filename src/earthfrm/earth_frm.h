// CEarthFrm: the globe under the clock. A worker thread ray-casts the
// projection table for the window's size and axis; every frame turns the
// globe by an offset into the texture. It spins with the time of day, under a
// left-button drag, and tilts its axis under a Ctrl drag, while a translucent
// cylinder stands in for it.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "alphablend/canvas.h"
#include "earthfrm/globe_draw.h"
#include "earthfrm/globe_table.h"
#include "earthfrm/globe_texture.h"
#include "earthfrm/tilt_guide.h"
#include "gdiobjects/gdi_objects.h"
#include "mainframe/frame_host.h"
#include "threedimrgns/three_dim_rgn.h"

struct DecodedBitmap;

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
  void Tick(const SYSTEMTIME& localTime) override;
  void Draw(CCanvas& target) override;
  bool OnCommand(UINT command) override;
  void UpdateMenu(IMenu* submenu) override;
  void OnMouseMove(WPARAM keys, int x, int y) override;
  void OnLButtonDown(WPARAM keys, int x, int y) override;
  void OnLButtonUp(int x, int y) override;
  void OnCaptureLost() override;

  // The texture from a decoded bitmap (the built-in map or a file).
  void SetTexture(const DecodedBitmap& bitmap);
  bool LoadTextureFile(const std::u16string& path);
  void ReloadTexture();
  void SetSpeed(double hundredthsPerMs);
  void SetTilt(double degrees);
  void Reanchor();
  void StartTableBuild(std::int32_t width, std::int32_t height);
  // Stops the worker after its current row and waits for it.
  void StopTableBuild();
  // Waits until the running build has finished the table.
  void WaitForTable();

  // Settings.
  ColorKey colorKey;
  bool gradientEnable = false;
  std::uint8_t gradientMin = 160, gradientMax = 255;
  bool shadingEnable = true;
  std::uint8_t shadingMin = 0, shadingMax = 127;
  std::int32_t offset = 0;
  double speed = -60.0;
  std::int32_t updateMs = 100;
  std::u16string fileName;
  bool useFile = false;
  bool viewBack = false;
  double tiltAngle = 30.0;
  double turnAngle = 0.0;

  // State.
  IFrameHost* owner = nullptr;
  std::unique_ptr<CCanvas> texture;
  int texShift = 0;
  std::int32_t rotation = 0;
  RECT globeRect{};
  std::int32_t tableWidth = 0, tableHeight = 0;
  std::vector<GlobeEntry> table;
  GlobeTableInputs tableInputs;
  std::atomic<std::size_t> fillLevel{0};
  std::atomic<bool> tableDone{false};
  std::atomic<bool> stopRequest{false};
  bool dragging = false;
  bool tiltMode = false;
  std::int32_t dragStartX = 0, dragStartY = 0, dragStartRotation = 0;
  double dragStartTilt = 0, dragStartTurn = 0;
  COLORREF customColors[16] = {};
  CTiltGuide guide;

 private:
  void ApplyDrag(int x, int y);
  void FinishDrag();
  void PickKeyColor();
  void OpenTextureFile();
  void SetTextureFromMap();

  std::thread worker;
};
