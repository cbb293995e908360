// The radios' power flags: written only by their own receiver's ON button, read by
// the navigation displays (VOR indicator, DME, HSI, RMI).
#pragma once

namespace gauge {

extern bool com_on;
extern bool nav1_on;
extern bool nav2_on;
extern bool adf_on;

} // namespace gauge
