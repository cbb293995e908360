#include "drawing_signature.hpp"

#include <bit>

namespace panelhost {
namespace {

class SignatureWriter {
public:
    explicit SignatureWriter(DrawingSignature& out) : out_(out) {}
    void add(uint64_t word) { out_.words.push_back(word); }
    void add(double number) { out_.words.push_back(std::bit_cast<uint64_t>(number)); }
    void add(const std::string& text) { out_.texts.append(text).push_back('\0'); }

private:
    DrawingSignature& out_;
};

void add_element(SignatureWriter& out, const ElementState& state) {
    out.add(uint64_t(state.kind) << 1 | uint64_t(state.drawn));
    if (!state.drawn) return;
    // Gauges may rewrite their own records while they run.
    const ElementRecord& record = *state.record;
    out.add(uint64_t(record.resource_id));
    out.add(uint64_t(uint32_t(record.position_x)) << 32 | uint32_t(record.position_y));
    out.add(uint64_t(uint32_t(record.offset_x)) << 32 | uint32_t(record.offset_y));
    switch (state.kind) {
    case ELEMENT_NEEDLE: out.add(state.needle_angle); break;
    case ELEMENT_ICON: out.add(uint64_t(state.icon.value_or(UINT32_MAX))); break;
    case ELEMENT_SLIDER:
        out.add(state.shift_x);
        out.add(state.shift_y);
        break;
    case ELEMENT_MOVING_IMAGE:
        out.add(state.slide_x);
        out.add(state.slide_y);
        break;
    case ELEMENT_SPRITE:
        out.add(state.shift_x);
        out.add(state.shift_y);
        out.add(state.rotation);
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

DrawingSignature drawing_signature(const GaugeInstance& instance) {
    DrawingSignature signature;
    SignatureWriter out(signature);
    for (const ElementState& state : instance.elements()) add_element(out, state);
    return signature;
}

} // namespace panelhost
