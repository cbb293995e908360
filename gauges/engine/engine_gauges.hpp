// The engine and systems instruments' gauge records, as the registry publishes them.
#pragma once

#include "needle_dial.hpp"

namespace gauge {

extern NeedleDial fuel_qty_left_main_gauge;
extern NeedleDial fuel_qty_right_main_gauge;
extern NeedleDial fuel_qty_left_aux_gauge;
extern NeedleDial fuel_qty_right_aux_gauge;

} // namespace gauge
