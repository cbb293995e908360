// The engine-selectable needle gauges: one gauge per kind of engine value, placed
// once per engine; the parameter string names the engine (engine_select.hpp). The
// records name engine 1's token variables and help ids.
#include "element_sources.hpp"
#include "engine/engine_bitmaps.hpp"
#include "engine_gauges.hpp"
#include "engine_select.hpp"
#include "engine_tables.hpp"
#include "simulator_numbers.h"

#include <initializer_list>

namespace gauge {
namespace {

namespace bitmaps = engine_bitmaps;

constexpr auto& standard_failures =
    failure_list<listed(FAILURE_ENGINE_SYSTEMS), zero(FAILURE_ELECTRICAL)>;
constexpr auto& itt_failures = failure_list<listed(FAILURE_ENGINE_SYSTEMS)>;
constexpr auto& torque_failures =
    failure_list<freeze(FAILURE_ELECTRICAL), listed(FAILURE_ENGINE_SYSTEMS)>;
constexpr auto& oil_failures =
    failure_list<zero(FAILURE_ELECTRICAL), listed(FAILURE_ENGINE_SYSTEMS)>;

constexpr NeedleDialFields engine_dial(const char* name, const DialBitmaps& dial,
                                       const NeedleFields& needle, uint32_t tooltip_help_id) {
    return {.name = name,
            .face = dial.face,
            .cover = dial.cover,
            .needle = needle,
            .tooltip_help_id = tooltip_help_id,
            .callback = engine_gauge_callback};
}

// Torque: the host's fraction of full torque, shown in foot-pounds.
constexpr double torque_full_scale_ft_lb = 4400.0;

double GAUGE_CALL torque_needle_value(ElementRecord* element) {
    return needle_source(element) * torque_full_scale_ft_lb;
}

// Two needles over one face, with the given mouse list written into the record.
struct TwoNeedleFields {
    const char* name;
    uint32_t face;
    uint32_t cover;
    NeedleFields first;
    NeedleFields second;
};

constexpr TwoNeedleDial two_needle_dial(TwoNeedleDial& self, const TwoNeedleFields& fields,
                                        std::initializer_list<MouseArea> areas) {
    TwoNeedleDial dial{};
    dial.header =
        gauge_header(fields.name, self.roots, 100, self.mouse_areas, engine_gauge_callback);
    link_chain(dial, self,
               // face
               static_image(fields.face, {0, 0}, lit_layer_flags),
               // first needle
               needle(fields.first),
               // second needle
               needle(fields.second),
               // cover
               static_image(fields.cover, {0, 0}, layer_flags));
    size_t i = 0;
    for (const MouseArea& area : areas)
        dial.mouse_areas[i++] = area;
    return dial;
}

constexpr NeedleFields units_needle{.bitmap = bitmaps::gas_generator_units_needle,
                                    .pivot = {90, 83},
                                    .image_flags = lit_moving_flags,
                                    .source = VAR_ENG_GAS_GENERATOR_RPM(1),
                                    .table = gas_generator_units_table,
                                    .failures = standard_failures};

constexpr NeedleFields oil_needle(Point pivot, Point offset, uint32_t source, NeedleTable table) {
    return {.bitmap = bitmaps::oil_needle,
            .pivot = pivot,
            .needle_offset = offset,
            .image_flags = lit_moving_flags,
            .source = source,
            .table = table,
            .failures = oil_failures};
}

} // namespace

constinit NeedleDial interstage_turb_temp_gauge = needle_dial(
    interstage_turb_temp_gauge,
    engine_dial("Interstage_Turb_Temp", bitmaps::itt,
                centre_needle(bitmaps::itt.needle, VAR_ENG_ITT(1), itt_table, itt_failures),
                12758));

constinit NeedleDial torque_gauge = needle_dial(
    torque_gauge, engine_dial("Torque", bitmaps::torque,
                              centre_needle(bitmaps::torque.needle, VAR_ENG_TORQUE(1), torque_table,
                                            torque_failures, torque_needle_value),
                              12742));

constinit NeedleDial propeller_rpm_gauge =
    needle_dial(propeller_rpm_gauge,
                engine_dial("Propeller_RPM", bitmaps::propeller,
                            centre_needle(bitmaps::propeller.needle, VAR_ENG_PROPELLER_RPM(1),
                                          propeller_table, standard_failures),
                            12465));

constinit TwoNeedleDial gas_generator_rpm_gauge = two_needle_dial(
    gas_generator_rpm_gauge,
    {"Gas_Generator_RPM", bitmaps::gas_generator.face, bitmaps::gas_generator.cover, units_needle,
     centre_needle(bitmaps::gas_generator.needle, VAR_ENG_GAS_GENERATOR_RPM(1), gas_generator_table,
                   standard_failures)},
    {area_begin(), tooltip(12769), area_end(), list_end()});

constinit NeedleDial fuel_flow_gauge = needle_dial(
    fuel_flow_gauge, engine_dial("Fuel_Flow", bitmaps::fuel_flow,
                                 centre_needle(bitmaps::fuel_flow.needle, VAR_ENG_FUEL_FLOW(1),
                                               fuel_flow_table, standard_failures),
                                 12491));

constinit TwoNeedleDial oil_temp_press_gauge = two_needle_dial(
    oil_temp_press_gauge,
    {"Oil_Temp_Press", bitmaps::oil_face, bitmaps::oil_cover,
     oil_needle({120, 150}, bitmaps::oil_pressure_needle_pivot, VAR_ENG_OIL_PRESSURE(1),
                oil_pressure_table),
     oil_needle({170, 150}, bitmaps::oil_temperature_needle_pivot, VAR_ENG_OIL_TEMPERATURE(1),
                oil_temperature_table)},
    {area_begin(), area_begin(0, {0, 0, 150, 300}), tooltip(12545), area_end(),
     area_begin(0, {150, 0, 150, 300}), tooltip(12529), area_end(), area_end(), list_end()});

constinit NeedleDial hydraulic_pressure_gauge =
    needle_dial(hydraulic_pressure_gauge,
                {.name = "Hydraulic_Pressure",
                 .face = bitmaps::hydraulic.face,
                 .cover = bitmaps::hydraulic.cover,
                 .needle = centre_needle(bitmaps::hydraulic.needle, VAR_ENG_HYDRAULIC_PRESSURE(1),
                                         hydraulic_table, standard_failures),
                 .area_help_id = 0xAB8C,
                 .has_tooltip = false,
                 .callback = engine_gauge_callback});

} // namespace gauge
