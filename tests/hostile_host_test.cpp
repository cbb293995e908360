// Both modules under a hostile host. The check of `panelhost check` drives every
// gauge each module publishes with malformed parameter strings, values no
// simulator should send, hostile expression answers and every click, and must find
// nothing. The cases here go beyond "no finding": what the gauges show once the
// values are sane again, the altimeter's reading of an altitude that is not a
// number, callbacks called with null records, and (with the renderer) drawing what
// absurd values leave. Under the sanitizer preset any overflowing conversion or
// out-of-bounds write ends the run.
#include "module_check/hostile_corpus.hpp"
#include "module_check/module_check.hpp"
#include "module_check/report.hpp"
#include "older_gauge.hpp"
#include "panel_services.hpp"
#include "placed_gauges.hpp"
#include "simulator_numbers.h"

#ifdef HOSTILE_WITH_RENDER
#include "render/bitmap_surfaces.hpp"
#include "render/drawing_signature.hpp"
#include "render/gauge_renderer.hpp"
#endif

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace panelhost;
using check::button_combinations;
using check::hostile_values;

namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan_value = std::numeric_limits<double>::quiet_NaN();

// The variables an element reads, from its record as the instance holds it.
void add_sources(const ElementState& state, std::set<uint32_t>& ids) {
    auto add = [&](const TokenVariable& source) {
        if (source.id != 0) ids.insert(source.id);
    };
    switch (state.kind) {
    case ELEMENT_NEEDLE: add(reinterpret_cast<const NeedleRecord*>(state.record)->source); break;
    case ELEMENT_STRING: {
        const auto* string = reinterpret_cast<const StringRecord*>(state.record);
        for (const TokenVariable& source : string->sources)
            add(source);
        break;
    }
    case ELEMENT_SLIDER: {
        const auto* slider = reinterpret_cast<const SliderRecord*>(state.record);
        add(slider->x_source);
        add(slider->y_source);
        break;
    }
    case ELEMENT_ICON: add(reinterpret_cast<const IconRecord*>(state.record)->source); break;
    case ELEMENT_MOVING_IMAGE: {
        const auto* image = reinterpret_cast<const MovingImageRecord*>(state.record);
        add(image->x_source);
        add(image->y_source);
        break;
    }
    case ELEMENT_SPRITE: {
        const auto* sprite = reinterpret_cast<const SpriteRecord*>(state.record);
        add(sprite->x_source);
        add(sprite->y_source);
        add(sprite->rotation_source);
        break;
    }
    default: break;
    }
}

// The ranges the renderer relies on, whatever the gauge computed.
void expect_sound_states(const GaugeInstance& instance, const std::string& context) {
    for (const ElementState& state : instance.elements()) {
        SCOPED_TRACE(context + " element kind " + std::to_string(state.kind));
        EXPECT_TRUE(state.needle_angle >= 0 && state.needle_angle < 360) << state.needle_angle;
        EXPECT_TRUE(state.slide_x >= 0 && state.slide_x <= 1) << state.slide_x;
        EXPECT_TRUE(state.slide_y >= 0 && state.slide_y <= 1) << state.slide_y;
        if (state.kind == ELEMENT_ICON && state.icon) {
            EXPECT_LT(*state.icon, reinterpret_cast<const IconRecord*>(state.record)->icon_count);
        }
        if (state.kind == ELEMENT_STRING) {
            EXPECT_LT(state.text.size(), std::max<uint32_t>(state.text_capacity, 1));
        }
    }
}

// Everything the renderer draws from, for comparing two placements.
struct Shown {
    std::vector<std::tuple<bool, double, std::optional<uint32_t>, double, double, double, double,
                           double, std::string>>
        elements;
    bool operator==(const Shown&) const = default;
};

Shown shown(const GaugeInstance& instance) {
    Shown out;
    for (const ElementState& s : instance.elements()) {
        out.elements.emplace_back(s.drawn, s.needle_angle, s.icon, s.shift_x, s.shift_y, s.slide_x,
                                  s.slide_y, s.rotation, s.text);
    }
    return out;
}

void PrintTo(const Shown& shown, std::ostream* out) {
    for (const auto& [drawn, angle, icon, sx, sy, lx, ly, turn, text] : shown.elements) {
        *out << "\n  " << drawn << " " << angle << " " << (icon ? int64_t(*icon) : -1) << " " << sx
             << " " << sy << " " << lx << " " << ly << " " << turn << " '" << text << "'";
    }
}

// Every element record of a published chain, roots and children, each once.
void walk_elements(ElementRecord* const* list, std::set<ElementRecord*>& seen, int depth = 0) {
    if (!list || depth >= max_element_depth) return;
    for (size_t i = 0; list[i] && i < max_children_per_element; ++i) {
        if (!seen.insert(list[i]).second) continue;
        walk_elements(list[i]->children, seen, depth + 1);
    }
}

// The value callbacks of an element of the current interface, by its kind.
std::vector<ValueCallback> value_callbacks(const ElementRecord& record) {
    switch (record.kind) {
    case ELEMENT_NEEDLE: return {reinterpret_cast<const NeedleRecord&>(record).value_callback};
    case ELEMENT_STRING: return {reinterpret_cast<const StringRecord&>(record).text_callback};
    case ELEMENT_SLIDER: {
        const auto& slider = reinterpret_cast<const SliderRecord&>(record);
        return {slider.x_callback, slider.y_callback};
    }
    case ELEMENT_ICON: return {reinterpret_cast<const IconRecord&>(record).value_callback};
    case ELEMENT_MOVING_IMAGE: {
        const auto& image = reinterpret_cast<const MovingImageRecord&>(record);
        return {image.x_callback, image.y_callback};
    }
    case ELEMENT_SPRITE: {
        const auto& sprite = reinterpret_cast<const SpriteRecord&>(record);
        return {sprite.x_callback, sprite.y_callback, sprite.rotation_callback};
    }
    default: return {};
    }
}

class HostileHost : public PlacedGauges<> {
  protected:
    HostileHost() : PlacedGauges({MARLOW_MODULE_PATH, HARROW_MODULE_PATH}) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlacedGauges::SetUp());
        for (const LoadedModule* module : modules) {
            // The module's own list of what it publishes, so gauges added later are
            // covered without naming them here.
            ASSERT_FALSE(module->gauges().empty()) << module->name();
            for (const GaugeHeader* header : module->gauges()) {
                ASSERT_TRUE(header->name);
                gauges.push_back({module->name(), header->name});
            }
        }
    }

    // Clicks the middle of every area of the gauge with every button combination.
    void click_everything(GaugeInstance& instance) {
        std::vector<Box> boxes;
        for (const MouseNode& node : instance.mouse_map().nodes)
            boxes.push_back(node.box);
        for (const Box& box : boxes) {
            for (uint32_t buttons : button_combinations()) {
                host.click(instance, box.x + box.width / 2, box.y + box.height / 2, buttons);
            }
        }
    }

    // Every variable any placed gauge reads, and every variable the host knows.
    std::set<uint32_t> every_variable() const {
        std::set<uint32_t> ids;
        for (const auto& instance : host.instances())
            for (const ElementState& state : instance->elements())
                add_sources(state, ids);
        for (const VariableInfo& info : variable_catalog())
            ids.insert(info.id);
        return ids;
    }

    void restore_initial_values() {
        for (const VariableInfo& info : variable_catalog())
            host.simulation().set(info.id, info.initial);
        for (uint32_t id : every_variable())
            if (!find_variable_info(id)) host.simulation().set(id, 0);
    }

    void place_every_gauge_twice() {
        for (const GaugeName& name : gauges) {
            place(name);
            place(name);
        }
    }

    void update_and_click_all() {
        host.update();
        for (const auto& instance : host.instances())
            click_everything(*instance);
        host.update();
    }

    void expect_all_sound(const std::string& context) {
        for (const auto& instance : host.instances())
            expect_sound_states(*instance, context + " " + instance->name());
    }

    std::vector<GaugeName> gauges;
};

// Each module as `panelhost check` sees it: records, resources and every gauge's
// behaviour, each gauge in a child process of its own.
TEST_F(HostileHost, BothModulesComeOutOfTheCheckWithoutFindings) {
    for (const char* path : {MARLOW_MODULE_PATH, HARROW_MODULE_PATH}) {
        check::CheckOptions options;
        options.module_path = path;
        // A busy machine or a sanitizer build is slow; it must not read as a hang.
        options.child.time_limit = 120;
        // Where no child process can be had (the Windows test programs), in this one.
        options.in_process = !check::child_runs_available(options.child);
        std::string error;
        std::optional<check::ModuleFindings> findings = check::check_module(options, error);
        ASSERT_TRUE(findings) << error;
        EXPECT_EQ(findings->count(), 0u) << check::report_text(*findings);
        EXPECT_FALSE(findings->gauges.empty()) << path;
    }
}

TEST_F(HostileHost, EveryVariableAtOnceThenBackToSaneValuesShowsWhatAFreshPlacementShows) {
    place_every_gauge_twice();
    const std::set<uint32_t> ids = every_variable();
    for (double value : hostile_values()) {
        for (uint32_t id : ids)
            host.simulation().set(id, value);
        update_and_click_all();
        expect_all_sound("every variable = " + std::to_string(value));
    }
    // Clicks changed windows and settings: a fresh placement in the same simulation
    // sees the same, so only the gauges' own memory of the bad values could differ.
    restore_initial_values();
    host.update();
    host.update();
    std::vector<std::pair<GaugeInstance*, GaugeInstance*>> pairs;
    for (const GaugeName& name : gauges) {
        GaugeInstance* old = nullptr;
        for (const auto& instance : host.instances())
            if (instance->name() == name.gauge) old = instance.get();
        pairs.emplace_back(old, &place(name));
    }
    host.update();
    host.update();
    for (const auto& [old, fresh] : pairs) {
        SCOPED_TRACE(fresh->name());
        EXPECT_EQ(shown(*old), shown(*fresh));
    }
}

// An altitude that is not a number, or is infinite, reads as 0 on every part of the
// altimeter: pointer, drums and the hatch over the thousands drum alike.
TEST_F(HostileHost, AltimeterShowsZeroFeetForAnAltitudeThatIsNotANumber) {
    GaugeInstance& altimeter = place("Altimeter");
    set(VAR_INDICATED_ALTITUDE, 0);
    host.update();
    const std::vector<ElementState> at_zero = altimeter.elements();
    for (double value : {nan_value, inf, -inf}) {
        set(VAR_INDICATED_ALTITUDE, value);
        host.update();
        ASSERT_EQ(altimeter.elements().size(), at_zero.size());
        for (size_t i = 0; i < at_zero.size(); ++i) {
            const ElementState& state = altimeter.elements()[i];
            SCOPED_TRACE("altitude " + std::to_string(value) + ", element " + std::to_string(i));
            EXPECT_EQ(state.drawn, at_zero[i].drawn);
            EXPECT_EQ(state.icon, at_zero[i].icon);
            EXPECT_DOUBLE_EQ(state.slide_y, at_zero[i].slide_y);
            // The host holds an infinite pointer value to a whole number of turns.
            double apart = std::fabs(state.needle_angle - at_zero[i].needle_angle);
            EXPECT_LT(std::min(apart, 360 - apart), 1e-6);
        }
    }
    // Far out of range the drums still show a cell of their strip.
    for (double value : {1e300, -1e300, 1e17, -1e17}) {
        set(VAR_INDICATED_ALTITUDE, value);
        host.update();
        for (const ElementState& state : altimeter.elements()) {
            if (state.kind == ELEMENT_MOVING_IMAGE) {
                EXPECT_TRUE(state.slide_y >= 0 && state.slide_y <= 1) << value;
            }
        }
    }
}

// A host that calls the module's callbacks itself with what no host should pass:
// null records, headers without lists or parameters, unknown service numbers,
// mouse flags with every bit set.
TEST_F(HostileHost, CallbacksTakeNullRecordsAndUnknownServices) {
    ServiceScope scope(host.simulation());
    std::vector<std::string> texts = {"",
                                      "t",
                                      "f",
                                      "p99999999999999999999",
                                      "b-4h9999999999",
                                      "o" + std::string(5000, '9'),
                                      std::string(5000, 't')};
    for (const auto& [module_name, module] : host.modules()) {
        for (GaugeHeader* published : module->gauges()) {
            SCOPED_TRACE(published->name);
            if (older_header(published)) {
                std::set<ElementRecord*> elements;
                walk_elements(published->element_list, elements);
                for (ElementRecord* element : elements) {
                    if (element->kind != ELEMENT_NEEDLE) continue;
                    auto* needle = reinterpret_cast<NeedleRecordOld*>(element);
                    if (SourceValueCallback callback = needle->value_callback) {
                        TokenVariable nan_source{};
                        nan_source.value.number = nan_value;
                        callback(&nan_source);
                        callback(nullptr);
                    }
                }
                continue;
            }
            // Headers of the gauge's kind without lists, with and without parameters.
            for (const std::string& text : texts) {
                GaugeHeader bare{};
                bare.version = published->version;
                bare.name = published->name;
                std::vector<char> writable(text.begin(), text.end());
                writable.push_back('\0');
                bare.parameters = text.empty() ? nullptr : writable.data();
                if (GaugeCallback callback = published->gauge_callback) {
                    for (int32_t service : {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 99,
                                            INT32_MAX, INT32_MIN}) {
                        callback(nullptr, service, 0);
                        callback(&bare, service, UINTPTR_MAX);
                    }
                }
                const MouseArea* areas = published->mouse_areas;
                for (size_t i = 0; areas && i < max_mouse_records && areas[i].kind != MOUSE_END;
                     ++i) {
                    if (areas[i].kind != MOUSE_CHILD || !areas[i].action.callback) continue;
                    MousePoint nowhere{INT32_MIN, INT32_MAX, nullptr};
                    MousePoint on_bare{-1, -1, &bare};
                    for (uint32_t flags :
                         {0u, MOUSE_LEFT_BUTTON, MOUSE_RIGHT_BUTTON, 0xFFFFFFFFu}) {
                        areas[i].action.callback(nullptr, flags);
                        areas[i].action.callback(&nowhere, flags);
                        areas[i].action.callback(&on_bare, flags);
                    }
                }
            }
            std::set<ElementRecord*> elements;
            walk_elements(published->element_list, elements);
            for (ElementRecord* element : elements)
                for (ValueCallback callback : value_callbacks(*element))
                    if (callback) callback(nullptr);
        }
    }
    // The module's own records are as they were: a fresh placement still works.
    for (const GaugeName& name : gauges)
        place(name);
    update_and_click_all();
    expect_all_sound("after direct calls");
}

#ifdef HOSTILE_WITH_RENDER
// The renderer and the drawing signature take whatever states absurd values leave.
TEST_F(HostileHost, DrawingAndSignaturesTakeAbsurdStates) {
    std::map<std::string, std::unique_ptr<BitmapSurfaces>> bitmaps;
    for (const auto& [name, module] : host.modules())
        bitmaps[name] = std::make_unique<BitmapSurfaces>(module->resources());
    for (const GaugeName& name : gauges)
        place(name);
    const std::set<uint32_t> ids = every_variable();
    SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 64, 64));
    ContextPtr cr(cairo_create(surface.get()));
    for (double value : hostile_values()) {
        for (uint32_t id : ids)
            host.simulation().set(id, value);
        host.update();
        for (size_t i = 0; i < gauges.size(); ++i) {
            const GaugeInstance& instance = *host.instances()[i];
            for (double scale : {0.2, 1.0}) {
                EXPECT_EQ(draw_gauge(cr.get(), instance, *bitmaps.at(gauges[i].module), scale), 0)
                    << instance.name();
                // A context in an error state would leave every later gauge undrawn.
                ASSERT_EQ(cairo_status(cr.get()), CAIRO_STATUS_SUCCESS) << instance.name();
            }
            for (double step : {0.0, 1.0 / 32, 1e-300}) {
                DrawingSignature signature =
                    drawing_signature(instance, {.degrees = step, .pixels = step, .travel = step});
                EXPECT_FALSE(signature.words.empty());
            }
        }
    }
}
#endif

} // namespace
