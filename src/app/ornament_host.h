// The one port every host implements for the ornament: what the parts ask
// of a window (IFrameHost) and what the program itself asks of it. A host
// holds only its window system's code behind these calls.
#pragma once

#include <optional>
#include <vector>

#include "app/placement.h"
#include "parts/frame_host.h"

class IOrnamentHost : public IFrameHost {
 public:
  // The window's client area, in the device pixels the frame is drawn in.
  virtual RECT ClientRect() const = 0;
  // The window's rectangle on the desktop; nothing where the window system
  // does not tell, so that a place the program cannot know is never saved.
  virtual std::optional<RECT> Placement() = 0;
  virtual void Place(const RECT& window) = 0;
  virtual std::vector<MonitorArea> Monitors() const = 0;
  virtual void SetClickThrough(bool on) = 0;
  virtual void SetStayOnTop(bool on) = 0;
  virtual void ShowAbout() = 0;
  // Ends the program; the host has the ornament save once on the way out.
  virtual void Close() = 0;
  // False once the window is gone.
  virtual bool IsOpen() const = 0;
  // A new frame is in the ornament's canvas: put it on the screen.
  virtual void Present() = 0;
  // The popup menu the host made from the description, for its marks; null
  // while it has none.
  virtual IMenu* PopupMenu() = 0;
  // No place could take the settings: tell the user (the ornament calls
  // this once).
  virtual void ReportSaveFailure() = 0;
  // Whether the user's system speaks Japanese: the interface language when
  // the settings file names none.
  virtual bool SystemSpeaksJapanese() const = 0;

 protected:
  ~IOrnamentHost() = default;
};
