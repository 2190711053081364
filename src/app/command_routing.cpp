#include "app/command_routing.h"

#include "parts/command_ids.h"

namespace {
// The window's own commands; false for any other.
bool RunWindowCommand(UINT command, IMainWindow& window,
                      WindowSwitches& switches) {
  switch (command) {
    case IDM_CLICK_THROUGH:
      switches.clickThrough = !switches.clickThrough;
      window.SetClickThrough(switches.clickThrough);
      return true;
    case IDM_STAY_ON_TOP:
      switches.stayOnTop = !switches.stayOnTop;
      window.SetStayOnTop(switches.stayOnTop);
      return true;
    case IDM_ABOUT:
      window.ShowAbout();
      return true;
    default:
      return false;
  }
}
}  // namespace

bool RouteCommand(UINT command, IMainWindow& window, WindowSwitches& switches,
                  std::span<IFramePart* const> parts) {
  if (command == IDM_EXIT) {
    window.Close();  // saves the settings once, on the way out
    return true;
  }
  bool handled = RunWindowCommand(command, window, switches);
  for (IFramePart* part : parts) {
    if (handled) break;
    handled = part->OnCommand(command);
  }
  if (!handled) return false;
  // A dialog or box the command opened may have outlived the window.
  if (!window.IsOpen()) return true;
  window.Layout();
  window.SaveSettings();
  window.UpdateMenu();
  return true;
}

void UpdateMenuMarks(IMenu& popup, const WindowSwitches& switches,
                     std::span<IFramePart* const> parts) {
  for (IFramePart* part : parts) part->UpdateMenu(popup);
  popup.CheckItem(IDM_CLICK_THROUGH, switches.clickThrough);
  popup.CheckItem(IDM_STAY_ON_TOP, switches.stayOnTop);
}
