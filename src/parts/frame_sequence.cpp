#include "parts/frame_sequence.h"

#include "pixels/canvas.h"

void LayoutParts(CCanvas& canvas, const RECT& client,
                 std::span<IFramePart* const> parts) {
  canvas.Resize(client.right - client.left, client.bottom - client.top);
  for (IFramePart* part : parts) part->Layout(client);
}

bool TickParts(const SYSTEMTIME& localTime,
               std::span<IFramePart* const> parts) {
  bool changed = false;
  for (IFramePart* part : parts) changed = part->Tick(localTime) || changed;
  return changed;
}

void ComposeFrame(CCanvas& canvas, std::span<IFramePart* const> parts) {
  canvas.Clear();
  for (auto part = parts.rbegin(); part != parts.rend(); ++part)
    (*part)->Draw(canvas);
}
