// Magnetic compass: a card strip that slides horizontally behind a window. Pure data.
#include "flight/flight_bitmaps.hpp"
#include "flight_gauges.hpp"
#include "simulator_numbers.h"

namespace gauge {
namespace {

constexpr auto& compass_failures = failure_list<listed(FAILURE_MAGNETIC_COMPASS)>;

} // namespace

// The 531-pixel strip reads 3, N, 33, 30, W, 24, 21, S, 15, 12, E, 6, 3, N, 33 at
// 35 pixels per 30 degrees. Heading 360 shows its left end and 0 its right end, so
// the card reads on through north: the left-hand N at 360, the right-hand N at 0.
constinit MagneticCompass magnetic_compass_gauge =
    gauge_records(magnetic_compass_gauge, {.name = "Magnetic_Compass"},
                  elements(
                      // housing
                      static_image(compass_bitmaps::housing, {0, 0}, layer_flags),
                      // card
                      moving_image({.bitmap = compass_bitmaps::card,
                                    .position = {0, 0},
                                    .image_flags = lit_moving_flags,
                                    .x_source = VAR_COMPASS_HEADING,
                                    .x_range_start = 360,
                                    .x_range_end = 0,
                                    .y_range_start = 360,
                                    .y_range_end = 360,
                                    .failures = compass_failures})),
                  {
                      area_begin(0xAB77),
                      area_end(),
                      list_end(),
                  });

} // namespace gauge
