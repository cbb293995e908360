/*
 * simulator_numbers.h - the host simulator's numbers that the gauges use: token
 * variables, key events and failure keys.
 *
 * Plain C (C11) that also compiles as C++20, part of the binary interface beside
 * gauge_abi.h: the modules name the numbers they read and send with these names,
 * and the host builds its variable catalogue, key event names and failure names
 * from the lists below. Every number is written here once; everything else uses
 * the names.
 *
 * Each list is an X-macro: SIMULATOR_VARIABLES(X) calls X(NAME, id, unit) once per
 * variable, and so on. The names (VAR_..., KEY_..., FAILURE_...) are enumeration
 * constants generated from the lists; VAR_ENG_NAME(engine) gives one engine's member
 * of a per-engine variable.
 */
#ifndef SIMULATOR_NUMBERS_H
#define SIMULATOR_NUMBERS_H

#include <stdint.h>

/* ---------------------------------------------------------------------------------
 * Token variables: X(NAME, id, unit). VAR_NAME is the id.
 * Integer variables hold BCD or bit fields in the low 32 bits of the value.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_VARIABLES(X)                                                                     \
    X(PANEL_LIGHTING, 10, "0 off, above 0 lit")                                                    \
    X(ADF_FREQUENCY, 16, "BCD kHz: hundreds, tens, units")                                         \
    X(ADF_FREQUENCY_TENTHS, 18, "tenths of kHz; +0x100 from 1000 kHz")                             \
    X(COM_FREQUENCY, 23, "BCD MHz without the leading 1")                                          \
    X(NAV1_FREQUENCY, 24, "BCD MHz without the leading 1")                                         \
    X(NAV2_FREQUENCY, 27, "BCD MHz without the leading 1")                                         \
    X(TRANSPONDER_CODE, 38, "four BCD digits")                                                     \
    X(ADF_BEARING, 39, "degrees from the nose")                                                    \
    X(NAV1_COURSE_DEVIATION, 40, "-127 left .. 127 right")                                         \
    X(NAV1_GLIDESLOPE_DEVIATION, 41, "-127 .. 127")                                                \
    X(NAV1_TO_FROM, 43, "0 none, 1 TO, 2 FROM")                                                    \
    X(NAV1_GLIDESLOPE_VALID, 44, "flag")                                                           \
    X(NAV1_SELECTED_COURSE, 45, "degrees")                                                         \
    X(NAV1_STATION_CODE, 46, "bits, 0x80 no bearing")                                              \
    X(NAV2_STATION_CODE, 55, "bits, 0x80 no bearing")                                              \
    X(NAV2_BEARING, 59, "degrees from the nose")                                                   \
    X(AIRSPEED, 61, "knots")                                                                       \
    X(VERTICAL_SPEED, 65, "1/256 m/s")                                                             \
    X(TURN_COORDINATOR_BALL, 69, "-127 left .. 127 right")                                         \
    X(TURN_RATE, 70, "1/256 of 1.5 deg/s, right positive")                                         \
    X(INDICATED_ALTITUDE, 74, "feet")                                                              \
    X(KOHLSMAN_SETTING_MB, 75, "millibars")                                                        \
    X(KOHLSMAN_SETTING_HG, 76, "inches of mercury")                                                \
    X(PITCH, 78, "degrees, nose up positive")                                                      \
    X(BANK, 80, "degrees, left positive")                                                          \
    X(COMPASS_HEADING, 83, "degrees")                                                              \
    X(HEADING_INDICATOR, 84, "degrees")                                                            \
    X(ALTIMETER_FAILED, 275, "flag")                                                               \
    X(ATTITUDE_GYRO_FAILED, 276, "flag")                                                           \
    X(INSTRUMENT_POWER_FAILED, 279, "flag")                                                        \
    X(HEADING_GYRO_FAILED, 282, "flag")                                                            \
    X(NAV_INDICATION_FAILED, 285, "flag")                                                          \
    X(HEADING_SLAVING_FAILED, 288, "flag")                                                         \
    X(FUEL_TANK_LEFT_MAIN_LEVEL, 291, "tank level")                                                \
    X(FUEL_TANK_LEFT_AUX_LEVEL, 293, "tank level")                                                 \
    X(FUEL_TANK_RIGHT_MAIN_LEVEL, 297, "tank level")                                               \
    X(FUEL_TANK_RIGHT_AUX_LEVEL, 299, "tank level")                                                \
    X(FLAPS_POSITION, 330, "0 up .. 16380 down")                                                   \
    X(GEAR_CENTRE_POSITION, 332, "0 up .. 16383 down")                                             \
    X(GEAR_LEFT_POSITION, 333, "0 up .. 16383 down")                                               \
    X(GEAR_RIGHT_POSITION, 334, "0 up .. 16383 down")                                              \
    X(MARKER_BEACON, 354, "0 none, 1 outer, 2 middle, 3 inner")                                    \
    X(DME_SOURCE, 355, "receiver 1 or 2")                                                          \
    X(DME_DISTANCE, 372, "nautical miles, negative no signal")                                     \
    X(DME_SPEED, 373, "knots")                                                                     \
    X(DME_TIME, 374, "minutes")                                                                    \
    X(NAV1_BEARING, 550, "degrees from the nose")                                                  \
    X(ATTITUDE_SYMBOL_HEIGHT, 612, "knob steps, up positive")                                      \
    X(COM_STANDBY_FREQUENCY, 617, "BCD MHz without the leading 1")                                 \
    X(MAIN_BUS_VOLTAGE, 753, "volts")                                                              \
    X(HSI_SUPPLY, 755, "volts")                                                                    \
    X(HSI_ALTERNATE_SOURCE, 848, "flag")                                                           \
    X(HSI_LATERAL_DEVIATION, 849, "dots")                                                          \
    X(HSI_VERTICAL_DEVIATION, 850, "dots")                                                         \
    X(HSI_COURSE_VALID, 851, "flag")                                                               \
    X(HSI_GLIDESLOPE_VALID, 852, "flag")                                                           \
    X(HSI_TO_FROM, 853, "+1 TO, -1 FROM")                                                          \
    X(HSI_COURSE, 854, "degrees")                                                                  \
    X(HEADING_BUG, 855, "degrees")                                                                 \
    X(NAV1_STANDBY_FREQUENCY, 872, "BCD MHz without the leading 1")                                \
    X(NAV2_STANDBY_FREQUENCY, 873, "BCD MHz without the leading 1")

/* ---------------------------------------------------------------------------------
 * Token variables the host does not model: X(NAME, id). The transponder names them
 * as sources of its flight-level text only so that the host refreshes the text.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_UNMODELLED_VARIABLES(X)                                                          \
    X(FLIGHT_LEVEL_REFRESH_A, 73)                                                                  \
    X(FLIGHT_LEVEL_REFRESH_B, 335)

/* ---------------------------------------------------------------------------------
 * Per-engine token variables: X(NAME, engine 1's id, stride, unit). Engine n
 * (1 to SIMULATOR_ENGINE_COUNT) has id + (n - 1) x stride; VAR_ENG_NAME(n) gives it.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_ENGINE_COUNT 4

#define SIMULATOR_ENGINE_VARIABLES(X)                                                              \
    X(OIL_TEMPERATURE, 561, 10, "degrees Rankine")                                                 \
    X(OIL_PRESSURE, 562, 10, "pounds per square foot")                                             \
    X(GAS_GENERATOR_RPM, 624, 19, "percent")                                                       \
    X(TORQUE, 629, 19, "fraction of 4400 ft-lb")                                                   \
    X(ITT, 631, 19, "degrees Rankine")                                                             \
    X(FUEL_FLOW, 638, 19, "pounds per hour")                                                       \
    X(PROPELLER_RPM, 701, 8, "fraction of 1750 RPM")                                               \
    X(HYDRAULIC_PRESSURE, 732, 2, "pounds per square foot")

/* ---------------------------------------------------------------------------------
 * Key events: X(NAME, id). KEY_NAME is the id. Grouped as the panel groups them.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_KEY_EVENT_FIRST 0x10000u /* every key event is numbered from here */

#define SIMULATOR_KEY_EVENTS(X)                                                                    \
    /* panel windows and views (toggle buttons) */                                                 \
    X(ATC_WINDOW, 0x1001C)                                                                         \
    X(KNEEBOARD_WINDOW, 0x10154)                                                                   \
    X(MAP_WINDOW, 0x10380)                                                                         \
    X(PANEL_WINDOW_TOGGLE, 0x103CA)                                                                \
    X(PANEL_WINDOW_OPEN, 0x103CB)                                                                  \
    X(PANEL_WINDOW_CLOSE, 0x103CC)                                                                 \
    X(VIEW_RESET, 0x10153)                                                                         \
    X(VIEW_NEXT, 0x100C6)                                                                          \
    X(VIEW_PREVIOUS, 0x100C7)                                                                      \
    /* COM transceiver */                                                                          \
    X(COM_WHOLE_DEC, 0x10064)                                                                      \
    X(COM_WHOLE_INC, 0x10065)                                                                      \
    X(COM_FRACTION_DEC, 0x10066)                                                                   \
    X(COM_FRACTION_INC, 0x10067)                                                                   \
    X(COM_STANDBY_SWAP, 0x10344)                                                                   \
    /* NAV receivers */                                                                            \
    X(NAV1_WHOLE_DEC, 0x10068)                                                                     \
    X(NAV1_WHOLE_INC, 0x10069)                                                                     \
    X(NAV1_FRACTION_DEC, 0x1006A)                                                                  \
    X(NAV1_FRACTION_INC, 0x1006B)                                                                  \
    X(NAV1_STANDBY_SWAP, 0x10390)                                                                  \
    X(NAV2_WHOLE_DEC, 0x1006C)                                                                     \
    X(NAV2_WHOLE_INC, 0x1006D)                                                                     \
    X(NAV2_FRACTION_DEC, 0x1006E)                                                                  \
    X(NAV2_FRACTION_INC, 0x1006F)                                                                  \
    X(NAV2_STANDBY_SWAP, 0x10394)                                                                  \
    X(NAV1_IDENT_ON, 0x1012D)                                                                      \
    X(NAV1_IDENT_OFF, 0x10128)                                                                     \
    X(NAV2_IDENT_ON, 0x1012E)                                                                      \
    X(NAV2_IDENT_OFF, 0x10129)                                                                     \
    X(NAV1_COURSE_SET, 0x100B4)                                                                    \
    /* ADF receiver */                                                                             \
    X(ADF_FREQUENCY_SET, 0x1024A)                                                                  \
    X(ADF_FREQUENCY_HIGH_SET, 0x1024B)                                                             \
    X(ADF_IDENT_ON, 0x10131)                                                                       \
    X(ADF_IDENT_OFF, 0x1012C)                                                                      \
    /* transponder */                                                                              \
    X(XPDR_1000_INC, 0x10073)                                                                      \
    X(XPDR_100_INC, 0x10074)                                                                       \
    X(XPDR_10_INC, 0x10075)                                                                        \
    X(XPDR_1_INC, 0x10076)                                                                         \
    X(XPDR_1000_DEC, 0x10397)                                                                      \
    X(XPDR_100_DEC, 0x10398)                                                                       \
    X(XPDR_10_DEC, 0x10399)                                                                        \
    X(XPDR_1_DEC, 0x1039A)                                                                         \
    X(XPDR_CODE_SET, 0x100B3)                                                                      \
    /* DME and HSI */                                                                              \
    X(DME_FROM_NAV1, 0x100FB)                                                                      \
    X(DME_FROM_NAV2, 0x100FC)                                                                      \
    X(HEADING_BUG_SET, 0x101FA)                                                                    \
    /* flight instruments */                                                                       \
    X(KOHLSMAN_INC, 0x1015B)                                                                       \
    X(KOHLSMAN_DEC, 0x1015C)                                                                       \
    X(ATTITUDE_SYMBOL_UP, 0x1030E)                                                                 \
    X(ATTITUDE_SYMBOL_DOWN, 0x1030F)

/* ---------------------------------------------------------------------------------
 * Failure keys: X(NAME, key, what the key fails). FAILURE_NAME is the key; key 0
 * ends a failure list and names no failure.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_FAILURES(X)                                                                      \
    X(ENGINE_SYSTEMS, 2, "Engine-driven systems (vacuum, engine sensors)")                         \
    X(PITOT_STATIC, 3, "Pitot-static system")                                                      \
    X(HEADING_GYRO, 4, "Heading gyro")                                                             \
    X(ADF_RECEIVER, 5, "ADF receiver")                                                             \
    X(AIRSPEED, 6, "Airspeed indicator")                                                           \
    X(ALTIMETER, 7, "Altimeter")                                                                   \
    X(ATTITUDE, 8, "Attitude indicator")                                                           \
    X(COM_RADIO, 9, "COM radio")                                                                   \
    X(COMPASS_SYSTEM, 11, "Compass system")                                                        \
    X(MAGNETIC_COMPASS, 12, "Magnetic compass")                                                    \
    X(NAV1_RECEIVER, 14, "NAV1 receiver")                                                          \
    X(NAV2_RECEIVER, 15, "NAV2 receiver")                                                          \
    X(TRANSPONDER, 17, "Transponder")                                                              \
    X(TURN_COORDINATOR, 18, "Turn coordinator")                                                    \
    X(VERTICAL_SPEED, 19, "Vertical speed indicator")                                              \
    X(ELECTRICAL, 20, "Electrical system")                                                         \
    X(AVIONICS, 21, "Avionics")

/* ---------------------------------------------------------------------------------
 * The names, generated from the lists.
 * ------------------------------------------------------------------------------- */
#define SIMULATOR_NUMBERS_VARIABLE_(name, id, unit) VAR_##name = id,
#define SIMULATOR_NUMBERS_UNMODELLED_(name, id) VAR_##name = id,
enum SimulatorVariable {
    SIMULATOR_VARIABLES(SIMULATOR_NUMBERS_VARIABLE_)
        SIMULATOR_UNMODELLED_VARIABLES(SIMULATOR_NUMBERS_UNMODELLED_)
};
#undef SIMULATOR_NUMBERS_VARIABLE_
#undef SIMULATOR_NUMBERS_UNMODELLED_

/* VAR_ENG_name_ENGINE1 and VAR_ENG_name_STRIDE, in one enumeration so that the
 * per-engine arithmetic never mixes enumeration types. */
#define SIMULATOR_NUMBERS_ENGINE_VARIABLE_(name, id, stride, unit)                                 \
    VAR_ENG_##name##_ENGINE1 = id, VAR_ENG_##name##_STRIDE = stride,
enum SimulatorEngineVariable { SIMULATOR_ENGINE_VARIABLES(SIMULATOR_NUMBERS_ENGINE_VARIABLE_) };
#undef SIMULATOR_NUMBERS_ENGINE_VARIABLE_

#define SIMULATOR_NUMBERS_KEY_EVENT_(name, id) KEY_##name = id,
enum SimulatorKeyEvent { SIMULATOR_KEY_EVENTS(SIMULATOR_NUMBERS_KEY_EVENT_) };
#undef SIMULATOR_NUMBERS_KEY_EVENT_

#define SIMULATOR_NUMBERS_FAILURE_(name, key, text) FAILURE_##name = key,
enum SimulatorFailure { SIMULATOR_FAILURES(SIMULATOR_NUMBERS_FAILURE_) };
#undef SIMULATOR_NUMBERS_FAILURE_

/* Engine `engine`'s member of the per-engine variable `name` (as listed in
 * SIMULATOR_ENGINE_VARIABLES), an unsigned 32-bit id. Engine numbers outside 1 to
 * SIMULATOR_ENGINE_COUNT give ids the host does not list. */
#define SIMULATOR_ENGINE_VARIABLE(name, engine)                                                    \
    ((uint32_t)VAR_ENG_##name##_ENGINE1 +                                                          \
     (uint32_t)VAR_ENG_##name##_STRIDE * (uint32_t)((engine)-1))

#define VAR_ENG_OIL_TEMPERATURE(engine) SIMULATOR_ENGINE_VARIABLE(OIL_TEMPERATURE, engine)
#define VAR_ENG_OIL_PRESSURE(engine) SIMULATOR_ENGINE_VARIABLE(OIL_PRESSURE, engine)
#define VAR_ENG_GAS_GENERATOR_RPM(engine) SIMULATOR_ENGINE_VARIABLE(GAS_GENERATOR_RPM, engine)
#define VAR_ENG_TORQUE(engine) SIMULATOR_ENGINE_VARIABLE(TORQUE, engine)
#define VAR_ENG_ITT(engine) SIMULATOR_ENGINE_VARIABLE(ITT, engine)
#define VAR_ENG_FUEL_FLOW(engine) SIMULATOR_ENGINE_VARIABLE(FUEL_FLOW, engine)
#define VAR_ENG_PROPELLER_RPM(engine) SIMULATOR_ENGINE_VARIABLE(PROPELLER_RPM, engine)
#define VAR_ENG_HYDRAULIC_PRESSURE(engine) SIMULATOR_ENGINE_VARIABLE(HYDRAULIC_PRESSURE, engine)

#endif /* SIMULATOR_NUMBERS_H */
