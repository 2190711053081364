#include "snap/snap_host.h"

#include "parts/default_colors.h"

COLORREF CSnapHost::SystemColor(int index) const {
  return DefaultSystemColor(index);
}
