#include "app/menu_choices.h"

#include "parts/command_ids.h"

bool IsOneOfManyCommand(UINT command) {
  return (command >= IDM_TILT_FIRST && command <= IDM_TILT_LAST) ||
         (command >= IDM_SPEED_FIRST && command <= IDM_SPEED_CUSTOM);
}
