#include "drawing_signature.hpp"

#include <bit>
#include <cmath>

namespace panelhost {
namespace {

class SignatureWriter {
  public:
    explicit SignatureWriter(DrawingSignature& out) : out_(out) {}
    void add(uint64_t word) { out_.words.push_back(word); }
    // A number to the nearest multiple of `step` (exactly when the step is 0).
    void add(double number, double step) {
        if (step > 0 && std::isfinite(number)) number = std::round(number / step);
        out_.words.push_back(std::bit_cast<uint64_t>(number));
    }
    void add(const std::string& text) { out_.texts.append(text).push_back('\0'); }

  private:
    DrawingSignature& out_;
};

void add_element(SignatureWriter& out, const ElementState& state, const SignatureSteps& steps) {
    out.add(uint64_t(state.kind) << 1 | uint64_t(state.drawn));
    if (!state.drawn) return;
    // Gauges may rewrite their own records while they run.
    const ElementRecord& record = *state.record;
    out.add(uint64_t(record.resource_id));
    out.add(uint64_t(uint32_t(record.position_x)) << 32 | uint32_t(record.position_y));
    out.add(uint64_t(uint32_t(record.offset_x)) << 32 | uint32_t(record.offset_y));
    switch (state.kind) {
    case ELEMENT_NEEDLE: out.add(state.needle_angle, steps.degrees); break;
    case ELEMENT_ICON: out.add(uint64_t(state.icon.value_or(UINT32_MAX))); break;
    case ELEMENT_SLIDER:
        out.add(state.shift_x, steps.pixels);
        out.add(state.shift_y, steps.pixels);
        break;
    case ELEMENT_MOVING_IMAGE:
        out.add(state.slide_x, steps.travel);
        out.add(state.slide_y, steps.travel);
        break;
    case ELEMENT_SPRITE:
        out.add(state.shift_x, steps.pixels);
        out.add(state.shift_y, steps.pixels);
        out.add(state.rotation, steps.degrees);
        break;
    case ELEMENT_STRING: {
        const auto& string = reinterpret_cast<const StringRecord&>(record);
        out.add(uint64_t(string.text_colour) << 32 | string.background_colour);
        out.add(state.text);
        break;
    }
    default: break;
    }
}

} // namespace

DrawingSignature drawing_signature(const GaugeInstance& instance, const SignatureSteps& steps) {
    DrawingSignature signature;
    SignatureWriter out(signature);
    for (const ElementState& state : instance.elements())
        add_element(out, state, steps);
    return signature;
}

} // namespace panelhost

namespace panelhost {

int update_until_settled(PanelHost& host, int most) {
    auto signatures = [&host] {
        std::vector<DrawingSignature> all;
        for (const auto& instance : host.instances())
            all.push_back(drawing_signature(*instance));
        return all;
    };
    std::vector<DrawingSignature> before = signatures();
    for (int cycle = 1; cycle <= most; ++cycle) {
        host.update();
        std::vector<DrawingSignature> after = signatures();
        if (after == before) return cycle;
        before = std::move(after);
    }
    return most;
}

} // namespace panelhost
