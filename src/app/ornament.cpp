#include "app/ornament.h"

#include "app/form_settings.h"
#include "parts/frame_sequence.h"

COrnament::COrnament(IOrnamentHost& owner)
    : host(owner), parts{&clock, &globe} {}

// Lets the parts go without a word to the host, which may be half gone by
// now: hosts save through Stop.
COrnament::~COrnament() { ReleaseParts(); }

void COrnament::Start(std::optional<SettingsLocation> location,
                      CSettingsFile::MakeFolder makeFolder) {
  if (location)
    settings = std::make_unique<CSettingsFile>(std::move(*location),
                                               std::move(makeFolder));
  language = ChooseUiLanguage(
      settings ? settings->Store().ReadString(u"Option", u"Language", u"")
               : std::u16string(),
      host.SystemSpeaksJapanese());
  for (IFramePart* part : parts) part->Create(host);
  started = true;
  LoadSettings();
}

void COrnament::LoadSettings() {
  if (!settings) return;
  const ISettingsStore& store = settings->Store();
  const FormSettings form = LoadFormSettings(store);
  host.Place(KeepOnSomeMonitor(
      SavedWindowRect(form.left, form.top, form.width, form.height),
      host.Monitors()));
  for (IFramePart* part : parts) part->LoadSettings(store);
  switches = {form.transparent, form.stayOnTop};
  host.SetClickThrough(switches.clickThrough);
  host.SetStayOnTop(switches.stayOnTop);
}

void COrnament::Stop() {
  if (started && !savedAtExit) {
    savedAtExit = true;
    SaveSettings();
  }
  ReleaseParts();
}

void COrnament::ReleaseParts() {
  if (!started) return;
  started = false;
  for (IFramePart* part : parts) part->Destroy();
}

void COrnament::Layout() {
  if (!started) return;
  LayoutParts(canvas, host.ClientRect(), parts);
  Compose();
}

bool COrnament::Tick() {
  // A tick that changes nothing on the screen composes nothing.
  if (!started || !TickParts(host.LocalTime(), parts)) return false;
  Compose();
  return true;
}

void COrnament::Compose() {
  if (!started || canvas.IsEmpty()) return;
  ComposeFrame(canvas, parts);
  host.Present();
}

bool COrnament::Command(UINT command) {
  return started && RouteCommand(command, *this, switches, parts);
}

void COrnament::PointerMove(const PointerEvent& event) {
  Tell(&IFramePart::OnPointerMove, event);
}

void COrnament::LeftPress(const PointerEvent& event) {
  Tell(&IFramePart::OnLeftPress, event);
}

void COrnament::LeftRelease(const PointerEvent& event) {
  Tell(&IFramePart::OnLeftRelease, event);
}

void COrnament::Wheel(const WheelStep& step) {
  Tell(&IFramePart::OnWheel, step);
}

void COrnament::CaptureLost() { Tell(&IFramePart::OnCaptureLost); }

void COrnament::UpdateMenu() {
  if (IMenu* popup = host.PopupMenu(); popup && started)
    UpdateMenuMarks(*popup, switches, parts);
}

void COrnament::SaveSettings() {
  if (!settings || !started) return;
  // A rectangle the host cannot tell is never written: the file keeps the
  // placement it has.
  const std::optional<RECT> placed = host.Placement();
  settings->Save([&](ISettingsStore& store) {
    if (placed)
      SaveFormSettings(store, *placed, switches.clickThrough,
                       switches.stayOnTop);
    for (IFramePart* part : parts) part->SaveSettings(store);
  });
  if (settings->TakeFailureToReport()) host.ReportSaveFailure();
}

std::u16string COrnament::SettingsPath() const {
  return settings ? settings->Path() : std::u16string();
}

POINT MenuPoint(const RECT& window, std::optional<POINT> pointer) {
  if (pointer) return *pointer;
  return {(window.left + window.right) / 2, (window.top + window.bottom) / 2};
}
