// The clock face's submenu of the popup, as the face describes it.
#pragma once

#include "parts/menu_builder.h"

// "時計(&C)" / "&Clock" and its items, in order.
void DescribeClockMenu(IMenuBuilder& builder, UiLanguage language);
