#include "radios/radio_power.hpp"

namespace gauge {

// Every radio is off when the module is loaded.
bool com_on = false;
bool nav1_on = false;
bool nav2_on = false;
bool adf_on = false;

} // namespace gauge
