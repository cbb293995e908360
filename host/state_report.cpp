#include "state_report.hpp"

#include <cmath>
#include <cstdio>

namespace panelhost {

static std::string describe_state(const ElementState& state) {
    char line[160];
    const ElementRecord& record = *state.record;
    if (!state.drawn) {
        std::snprintf(line, sizeof line, "bitmap %u: not drawn", record.resource_id);
        return line;
    }
    switch (state.kind) {
    case ELEMENT_NEEDLE:
        std::snprintf(line, sizeof line, "needle %u: value %g, angle %.2f deg", record.resource_id,
                      state.value_x, state.needle_angle);
        break;
    case ELEMENT_STRING: std::snprintf(line, sizeof line, "text \"%s\"", state.text.c_str()); break;
    case ELEMENT_SLIDER:
        std::snprintf(line, sizeof line, "slider %u: shifted (%.2f, %.2f)", record.resource_id,
                      state.shift_x, state.shift_y);
        break;
    case ELEMENT_ICON:
        std::snprintf(line, sizeof line, "icon: bitmap %u", record.resource_id + *state.icon);
        break;
    case ELEMENT_MOVING_IMAGE:
        std::snprintf(line, sizeof line, "moving image %u: travel x %.4f, y %.4f",
                      record.resource_id, state.slide_x, state.slide_y);
        break;
    case ELEMENT_SPRITE:
        std::snprintf(line, sizeof line, "sprite %u: shifted (%.2f, %.2f), turned %.2f deg",
                      record.resource_id, state.shift_x, state.shift_y, state.rotation);
        break;
    default: std::snprintf(line, sizeof line, "image %u", record.resource_id); break;
    }
    return line;
}

void print_state_report(const PanelHost& host, std::ostream& out) {
    for (const auto& instance : host.instances()) {
        out << instance->name() << "\n";
        for (const ElementState& state : instance->elements())
            out << "  " << std::string(2 * state.depth, ' ') << describe_state(state) << "\n";
    }
}

} // namespace panelhost
