// The radio heads' failure lists. The host hides every radio display while the
// avionics fail; a receiver's own failure is listed on its texts (and on the COM
// and NAV lamps) with no action, for the host to know what the element shows.
#pragma once

#include "gauge_abi.h"

#include <cstdint>

namespace gauge::radio_failures {

// Host failure keys.
constexpr uint32_t electrical = 20;
constexpr uint32_t avionics = 21;
constexpr uint32_t com_radio = 9;
constexpr uint32_t nav1_receiver = 14;
constexpr uint32_t nav2_receiver = 15;
constexpr uint32_t adf_receiver = 5;

// Hidden while the avionics fail: every lit part, lamp and cover.
inline constexpr FailureEntry avionics_failed[] = {{avionics, FAILURE_ACTION_HIDE, 0}, {0, 0, 0}};

// A receiver's texts and lamp: hidden with the avionics, and its own failure listed.
inline constexpr FailureEntry com_displays_failed[] = {
    {avionics, FAILURE_ACTION_HIDE, 0}, {com_radio, FAILURE_ACTION_NONE, 0}, {0, 0, 0}};
inline constexpr FailureEntry nav1_displays_failed[] = {
    {avionics, FAILURE_ACTION_HIDE, 0}, {nav1_receiver, FAILURE_ACTION_NONE, 0}, {0, 0, 0}};
inline constexpr FailureEntry nav2_displays_failed[] = {
    {avionics, FAILURE_ACTION_HIDE, 0}, {nav2_receiver, FAILURE_ACTION_NONE, 0}, {0, 0, 0}};
// The ADF's texts are hidden by an electrical failure as well.
inline constexpr FailureEntry adf_texts_failed[] = {{electrical, FAILURE_ACTION_HIDE, 0},
                                                    {avionics, FAILURE_ACTION_HIDE, 0},
                                                    {adf_receiver, FAILURE_ACTION_NONE, 0},
                                                    {0, 0, 0}};

} // namespace gauge::radio_failures
