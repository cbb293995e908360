// The radio heads' failure lists. The host hides every radio display while the
// avionics fail; a receiver's own failure is listed on its texts (and on the COM
// and NAV lamps) with no action, for the host to know what the element shows.
#pragma once

#include "gauge_abi.h"
#include "simulator_numbers.h"

#include <cstdint>

namespace gauge::radio_failures {

// Hidden while the avionics fail: every lit part, lamp and cover.
inline constexpr FailureEntry avionics_failed[] = {{FAILURE_AVIONICS, FAILURE_ACTION_HIDE, 0},
                                                   {0, 0, 0}};

// A receiver's texts and lamp: hidden with the avionics, and its own failure listed.
inline constexpr FailureEntry com_displays_failed[] = {{FAILURE_AVIONICS, FAILURE_ACTION_HIDE, 0},
                                                       {FAILURE_COM_RADIO, FAILURE_ACTION_NONE, 0},
                                                       {0, 0, 0}};
inline constexpr FailureEntry nav1_displays_failed[] = {
    {FAILURE_AVIONICS, FAILURE_ACTION_HIDE, 0},
    {FAILURE_NAV1_RECEIVER, FAILURE_ACTION_NONE, 0},
    {0, 0, 0}};
inline constexpr FailureEntry nav2_displays_failed[] = {
    {FAILURE_AVIONICS, FAILURE_ACTION_HIDE, 0},
    {FAILURE_NAV2_RECEIVER, FAILURE_ACTION_NONE, 0},
    {0, 0, 0}};
// The ADF's texts are hidden by an electrical failure as well.
inline constexpr FailureEntry adf_texts_failed[] = {{FAILURE_ELECTRICAL, FAILURE_ACTION_HIDE, 0},
                                                    {FAILURE_AVIONICS, FAILURE_ACTION_HIDE, 0},
                                                    {FAILURE_ADF_RECEIVER, FAILURE_ACTION_NONE, 0},
                                                    {0, 0, 0}};

} // namespace gauge::radio_failures
