// The two-state switches whose state the host can read from the gauge itself: a
// scenario that says which state it wants ("switch": "on") clicks only when the
// switch is in the other one, so a set the pilot switched on by hand stays on.
#pragma once

#include "gauge_instance.hpp"

#include <optional>
#include <string>

namespace panelhost {

// Whether the gauge's power switch is on, read from the icon that shows only while
// it is (its power lamp); none for a gauge whose switch the host cannot read.
std::optional<bool> switch_is_on(const GaugeInstance& gauge);

} // namespace panelhost
