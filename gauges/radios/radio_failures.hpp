// The radio heads' failure lists. The host hides every radio display while the
// avionics fail; a receiver's own failure is listed on its texts (and on the COM
// and NAV lamps) with no action, for the host to know what the element shows.
#pragma once

#include "gauge_abi.h"
#include "gauge_tables.hpp"
#include "simulator_numbers.h"

#include <cstdint>

namespace gauge::radio_failures {

// Hidden while the avionics fail: every lit part, lamp and cover.
inline constexpr auto& avionics_failed = failure_list<hide(FAILURE_AVIONICS)>;

// A receiver's texts and lamp: hidden with the avionics, and its own failure listed.
inline constexpr auto& com_displays_failed =
    failure_list<hide(FAILURE_AVIONICS), listed(FAILURE_COM_RADIO)>;
inline constexpr auto& nav1_displays_failed =
    failure_list<hide(FAILURE_AVIONICS), listed(FAILURE_NAV1_RECEIVER)>;
inline constexpr auto& nav2_displays_failed =
    failure_list<hide(FAILURE_AVIONICS), listed(FAILURE_NAV2_RECEIVER)>;
// The ADF's texts are hidden by an electrical failure as well.
inline constexpr auto& adf_texts_failed =
    failure_list<hide(FAILURE_ELECTRICAL), hide(FAILURE_AVIONICS), listed(FAILURE_ADF_RECEIVER)>;

} // namespace gauge::radio_failures
