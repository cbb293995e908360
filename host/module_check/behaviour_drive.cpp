#include "module_check/behaviour_drive.hpp"

#include "element_update.hpp"
#include "module_check/chain_walk.hpp"
#include "module_check/hostile_corpus.hpp"
#include "module_check/published_records.hpp"
#include "module_check/record_checks.hpp"
#include "older_gauge.hpp"
#include "panel_host.hpp"
#include "panel_services.hpp"

#include <cmath>
#include <cstring>
#include <memory>
#include <set>

namespace panelhost::check {
namespace {

// Bytes after each text buffer that a text callback must leave as they are.
constexpr size_t guard_bytes = 64;
constexpr unsigned char guard_pattern = 0xA5;

// The buffer a string element's text callback writes, with guard bytes after it.
struct GuardedText {
    StringRecord* record;
    size_t element;
    uint32_t capacity; // what the host promises: char_count + 1 bytes
    std::unique_ptr<char[]> bytes;

    explicit GuardedText(StringRecord* string, size_t index, uint32_t size)
        : record(string), element(index), capacity(size),
          bytes(std::make_unique<char[]>(size + guard_bytes)) {
        std::memset(bytes.get(), 0, capacity);
        restore_guard();
        record->text = bytes.get();
    }
    void restore_guard() { std::memset(bytes.get() + capacity, guard_pattern, guard_bytes); }
    // How many bytes past the buffer were written (counted to the last one changed).
    size_t overrun() const {
        for (size_t i = guard_bytes; i > 0; --i)
            if (static_cast<unsigned char>(bytes[capacity + i - 1]) != guard_pattern) return i;
        return 0;
    }
};

struct Placed {
    GaugeInstance* instance;
    std::vector<std::unique_ptr<GuardedText>> texts;
};

void add_source(const TokenVariable& source, std::set<uint32_t>& ids) {
    if (source.id != 0) ids.insert(source.id);
}

// The variables an element of the current interface reads.
void add_sources(const ElementRecord& element, std::set<uint32_t>& ids) {
    switch (element.kind) {
    case ELEMENT_NEEDLE:
        add_source(reinterpret_cast<const NeedleRecord&>(element).source, ids);
        break;
    case ELEMENT_STRING:
        for (const TokenVariable& source : reinterpret_cast<const StringRecord&>(element).sources)
            add_source(source, ids);
        break;
    case ELEMENT_SLIDER: {
        const auto& slider = reinterpret_cast<const SliderRecord&>(element);
        add_source(slider.x_source, ids);
        add_source(slider.y_source, ids);
        break;
    }
    case ELEMENT_ICON: add_source(reinterpret_cast<const IconRecord&>(element).source, ids); break;
    case ELEMENT_MOVING_IMAGE: {
        const auto& image = reinterpret_cast<const MovingImageRecord&>(element);
        add_source(image.x_source, ids);
        add_source(image.y_source, ids);
        break;
    }
    case ELEMENT_SPRITE: {
        const auto& sprite = reinterpret_cast<const SpriteRecord&>(element);
        add_source(sprite.x_source, ids);
        add_source(sprite.y_source, ids);
        add_source(sprite.rotation_source, ids);
        break;
    }
    default: break;
    }
}

// Input counts as finite, for the values a callback answers, within the host's own
// limit of element values: far past any dial, yet far from where arithmetic on it
// overflows (1e300 squared is rightly infinite).
bool within_host_limit(double value) { return std::fabs(value) <= 1e12; }

class GaugeDrive {
  public:
    GaugeDrive(PanelHost& host, LoadedModule& module, const GaugeHeader& published,
               const DriveOptions& options, DriveListener& listener)
        : host_(host), module_(module), published_(published), options_(options),
          listener_(listener), records_(published), older_(older_header(&published) != nullptr) {}

    void run() {
        const std::set<uint32_t> ids = variables_read();
        step("placed twice without parameters, installed again, clicked everywhere");
        Placed first = place(std::nullopt);
        Placed second = place(std::nullopt);
        check_older_mouse_list(first);
        cycle_and_click({&first, &second}, true);
        reinstall(first);
        reinstall(first);
        cycle_and_click({&first, &second}, true);
        if (!older_) call_other_services(first);
        drive_variables(ids, {&first, &second});
        remove(first);
        remove(second);
        drive_parameter_strings();
        drive_expressions();
    }

  private:
    // --- steps ------------------------------------------------------------------

    void step(std::string cause) {
        cause_ = std::move(cause);
        listener_.step(cause_);
    }

    void drive_variables(const std::set<uint32_t>& ids, std::vector<Placed*> placed) {
        for (uint32_t id : ids) {
            for (double value : hostile_values()) {
                step("variable " + std::to_string(id) + " = " + number_text(value));
                restore_initial_values(ids);
                host_.simulation().set(id, value);
                cycle_and_click(placed, within_host_limit(value));
            }
        }
        for (double value : hostile_values()) {
            step("every variable = " + number_text(value));
            for (uint32_t id : ids)
                host_.simulation().set(id, value);
            cycle_and_click(placed, within_host_limit(value));
        }
        restore_initial_values(ids);
    }

    void drive_parameter_strings() {
        std::vector<std::string> strings = parameter_corpus();
        strings.insert(strings.end(), options_.extra_parameters.begin(),
                       options_.extra_parameters.end());
        for (const std::string& parameters : strings) {
            step("parameters \"" + shortened(parameters) + "\"");
            Placed placed = place(parameters);
            cycle_and_click({&placed}, true);
            reinstall(placed);
            cycle_and_click({&placed}, true);
            remove(placed);
        }
    }

    void drive_expressions() {
        Placed placed = place(std::nullopt);
        for (const std::string& expression : answered_expressions()) {
            for (double value : hostile_values()) {
                step("(A:" + expression + ") = " + number_text(value));
                host_.simulation().set_named(expression, value);
                cycle_and_click({&placed}, within_host_limit(value));
            }
            for (const std::string& text : hostile_texts()) {
                step("(A:" + expression + ") = \"" + shortened(text) + "\"");
                host_.simulation().set_named_text(expression, text);
                cycle_and_click({&placed}, true);
            }
        }
        remove(placed);
    }

    // Services a host may send that the gauge has no use for.
    void call_other_services(Placed& placed) {
        if (!placed.instance) return;
        GaugeHeader& header = placed.instance->header();
        if (!header.gauge_callback) return;
        for (int32_t service : other_services()) {
            step("service " + std::to_string(service));
            listener_.at({Place::service, service});
            ServiceScope scope(host_.simulation());
            header.gauge_callback(&header, service, 0);
            check_published();
        }
        // The extra word means something at installation only (the resource handle).
        step("services 6 and 12 with every bit of the extra word set");
        const std::pair<int32_t, uintptr_t> calls[] = {
            {int32_t(SERVICE_UPDATE), UINTPTR_MAX},
            {int32_t(SERVICE_KILL), UINTPTR_MAX},
            {int32_t(SERVICE_INSTALL), module_.resource_handle()}};
        for (const auto& [service, extra] : calls) {
            listener_.at({Place::service, service});
            ServiceScope scope(host_.simulation());
            header.gauge_callback(&header, service, extra);
        }
        cycle_and_click({&placed}, true);
    }

    // --- placements -------------------------------------------------------------

    Placed place(std::optional<std::string> parameters) {
        listener_.at({Place::service, int32_t(SERVICE_INSTALL)});
        std::string error;
        GaugeInstance* instance =
            host_.place(module_.name(), published_.name, std::move(parameters), error);
        Placed placed{instance, {}};
        if (instance) guard_texts(placed);
        check_published();
        return placed;
    }

    void reinstall(Placed& placed) {
        if (!placed.instance) return;
        listener_.at({Place::service, int32_t(SERVICE_KILL)});
        host_.reinstall(*placed.instance);
        check_published();
    }

    void remove(Placed& placed) {
        if (!placed.instance) return;
        listener_.at({Place::service, int32_t(SERVICE_KILL)});
        host_.remove(placed.instance);
        placed.instance = nullptr;
        placed.texts.clear();
        check_published();
    }

    void guard_texts(Placed& placed) {
        const std::vector<ElementState>& states = placed.instance->elements();
        for (size_t i = 0; i < states.size(); ++i) {
            if (states[i].kind != ELEMENT_STRING || states[i].text_capacity == 0) continue;
            placed.texts.push_back(std::make_unique<GuardedText>(
                reinterpret_cast<StringRecord*>(states[i].record), i, states[i].text_capacity));
        }
    }

    // An older gauge hands its mouse list to the host when installed.
    void check_older_mouse_list(const Placed& placed) {
        if (!older_ || !placed.instance || !placed.instance->older()) return;
        for (const Finding& found : check_mouse_list(placed.instance->older()->mouse_list(),
                                                     placed.instance->design_size()))
            report(found);
    }

    // --- one cycle --------------------------------------------------------------

    // Service 6 and every element's callbacks called one by one, so that a crash is
    // seen at its element; then the host's own update of all, then every click.
    void cycle_and_click(std::vector<Placed*> placed, bool finite_input) {
        for (int round = 0; round < 2; ++round) {
            for (Placed* one : placed)
                if (one->instance) probe(*one, finite_input);
            listener_.at({Place::gauge});
            host_.update();
            for (Placed* one : placed) {
                if (!one->instance) continue;
                check_texts(*one);
                check_host_states(*one);
            }
            if (round == 0)
                for (Placed* one : placed)
                    if (one->instance) click_everything(*one);
        }
        check_published();
    }

    void click_everything(Placed& placed) {
        std::vector<std::pair<size_t, Box>> boxes;
        const MouseMap& map = placed.instance->mouse_map();
        const MouseArea* list = placed.instance->header().mouse_areas;
        for (const MouseNode& node : map.nodes)
            boxes.emplace_back(list ? size_t(node.record - list) : 0, node.box);
        for (const auto& [record, box] : boxes) {
            for (uint32_t buttons : button_combinations()) {
                listener_.at({Place::mouse, int32_t(record), buttons});
                host_.click(*placed.instance, box.x + box.width / 2, box.y + box.height / 2,
                            buttons);
            }
        }
    }

    void probe(Placed& placed, bool finite_input) {
        ServiceScope scope(host_.simulation());
        GaugeHeader& header = placed.instance->header();
        if (!older_ && header.gauge_callback && placed.instance->installed()) {
            listener_.at({Place::service, int32_t(SERVICE_UPDATE)});
            header.gauge_callback(&header, SERVICE_UPDATE, 0);
        }
        const std::vector<ElementState>& states = placed.instance->elements();
        for (size_t i = 0; i < states.size(); ++i) {
            listener_.at({Place::element, int32_t(i), states[i].kind});
            if (older_)
                probe_older(states[i], i, finite_input);
            else
                probe_element(states[i], i, finite_input);
        }
        check_texts(placed);
    }

    void refresh(TokenVariable& source) {
        if (source.id != 0) host_.simulation().lookup(source);
    }

    void ask(const ElementState& state, size_t index, const char* which, ValueCallback callback,
             bool finite_input) {
        if (!callback) return;
        double result = callback(state.record);
        if (finite_input && !std::isfinite(result))
            report(element_finding("non-finite-value", index, state.kind,
                                   std::string("its ") + which + " returned " +
                                       number_text(result) + " from finite input (within 1e12)",
                                   cause_),
                   which);
    }

    // Sliders and moving images: an x and a y axis, each a source and a callback.
    template <class TwoAxes>
    void probe_two_axes(const ElementState& state, size_t index, TwoAxes& record,
                        bool finite_input) {
        refresh(record.x_source);
        refresh(record.y_source);
        ask(state, index, "x callback", record.x_callback, finite_input);
        ask(state, index, "y callback", record.y_callback, finite_input);
    }

    void probe_element(const ElementState& state, size_t index, bool finite_input) {
        ElementRecord* record = state.record;
        switch (state.kind) {
        case ELEMENT_NEEDLE: {
            auto* needle = reinterpret_cast<NeedleRecord*>(record);
            refresh(needle->source);
            ask(state, index, "value callback", needle->value_callback, finite_input);
            break;
        }
        case ELEMENT_STRING: {
            auto* string = reinterpret_cast<StringRecord*>(record);
            for (TokenVariable& source : string->sources)
                refresh(source);
            if (string->text_callback && string->text) {
                string->text_callback(record);
                check_terminated(state, index);
            }
            break;
        }
        case ELEMENT_SLIDER:
            probe_two_axes(state, index, *reinterpret_cast<SliderRecord*>(record), finite_input);
            break;
        case ELEMENT_ICON: {
            auto* icon = reinterpret_cast<IconRecord*>(record);
            refresh(icon->source);
            ask(state, index, "value callback", icon->value_callback, finite_input);
            break;
        }
        case ELEMENT_MOVING_IMAGE:
            probe_two_axes(state, index, *reinterpret_cast<MovingImageRecord*>(record),
                           finite_input);
            break;
        case ELEMENT_SPRITE: {
            auto* sprite = reinterpret_cast<SpriteRecord*>(record);
            refresh(sprite->x_source);
            refresh(sprite->y_source);
            refresh(sprite->rotation_source);
            ask(state, index, "x callback", sprite->x_callback, finite_input);
            ask(state, index, "y callback", sprite->y_callback, finite_input);
            ask(state, index, "rotation callback", sprite->rotation_callback, finite_input);
            break;
        }
        default: break;
        }
    }

    void probe_older(const ElementState& state, size_t index, bool finite_input) {
        if (state.kind != ELEMENT_NEEDLE) return;
        auto* needle = reinterpret_cast<NeedleRecordOld*>(state.record);
        refresh(needle->source);
        if (!needle->value_callback) return;
        double result = needle->value_callback(&needle->source);
        if (finite_input && !std::isfinite(result))
            report(element_finding("non-finite-value", index, state.kind,
                                   "its value callback returned " + number_text(result) +
                                       " from finite input (within 1e12)",
                                   cause_),
                   "value callback");
    }

    // --- what is checked after each call ------------------------------------------

    // A text callback writes at most char_count characters and their zero.
    void check_terminated(const ElementState& state, size_t index) {
        const auto* string = reinterpret_cast<const StringRecord*>(state.record);
        if (std::memchr(string->text, 0, state.text_capacity)) return;
        report(element_finding("out-of-range-value", index, state.kind,
                               "its text callback left no terminating zero within its " +
                                   std::to_string(state.text_capacity) + "-byte text buffer",
                               cause_));
    }

    void check_texts(Placed& placed) {
        for (const auto& text : placed.texts) {
            size_t past = text->overrun();
            if (past == 0) continue;
            report(element_finding("text-overflow", text->element, ELEMENT_STRING,
                                   "its text callback wrote " + std::to_string(past) +
                                       " bytes past the end of its text buffer (char_count " +
                                       std::to_string(text->capacity - 1) + ": " +
                                       std::to_string(text->capacity) + " bytes)",
                                   cause_),
                   "past the end");
            text->restore_guard();
        }
    }

    // What the host computed stays in the ranges its renderer relies on.
    void check_host_states(const Placed& placed) {
        const std::vector<ElementState>& states = placed.instance->elements();
        for (size_t i = 0; i < states.size(); ++i) {
            const ElementState& s = states[i];
            std::string wrong;
            if (!(s.needle_angle >= 0 && s.needle_angle < 360))
                wrong = "needle angle " + number_text(s.needle_angle);
            else if (!(s.slide_x >= 0 && s.slide_x <= 1 && s.slide_y >= 0 && s.slide_y <= 1))
                wrong = "slide " + number_text(s.slide_x) + ", " + number_text(s.slide_y);
            else if (s.kind == ELEMENT_STRING &&
                     s.text.size() >= std::max<uint32_t>(s.text_capacity, 1))
                wrong = "text of " + std::to_string(s.text.size()) + " characters";
            if (!wrong.empty())
                report(element_finding("host-state", i, s.kind,
                                       "the host's drawing state is out of range: " + wrong,
                                       cause_),
                       "drawing state");
        }
    }

    void check_published() {
        for (const PublishedRecords::Change& change : records_.take_changes()) {
            std::string message = "running the gauge wrote into the module's own " + change.record +
                                  " (the host works on its copies; published records stay as "
                                  "they are)";
            if (change.element)
                report(element_finding("published-write", *change.element, change.kind, message,
                                       cause_));
            else
                report({"published-write", std::nullopt, "", message, cause_});
        }
    }

    // Each problem once per gauge, with the first cause that showed it: findings of
    // one check on one element that differ only in a number are the same problem
    // when `same_problem` names it.
    void report(const Finding& found, const std::string& same_problem = {}) {
        std::string key = found.check + "|" +
                          (found.element ? std::to_string(*found.element) : std::string("-")) +
                          "|" + (same_problem.empty() ? found.message : same_problem);
        if (reported_.insert(key).second) listener_.finding(found);
    }

    // --- variables --------------------------------------------------------------

    std::set<uint32_t> variables_read() const {
        std::set<uint32_t> ids;
        for (const WalkedElement& walked : walk_chain(published_.element_list).elements) {
            if (!older_)
                add_sources(*walked.record, ids);
            else if (walked.record->kind == ELEMENT_NEEDLE)
                add_source(reinterpret_cast<const NeedleRecordOld*>(walked.record)->source, ids);
        }
        for (const VariableInfo& info : variable_catalog())
            ids.insert(info.id);
        return ids;
    }

    void restore_initial_values(const std::set<uint32_t>& ids) {
        for (uint32_t id : ids) {
            const VariableInfo* info = find_variable_info(id);
            host_.simulation().set(id, info ? info->initial : 0.0);
        }
    }

    PanelHost& host_;
    LoadedModule& module_;
    const GaugeHeader& published_;
    const DriveOptions& options_;
    DriveListener& listener_;
    PublishedRecords records_;
    bool older_;
    std::string cause_;
    std::set<std::string> reported_;
};

} // namespace

bool drive_gauge(const std::string& module_path, const std::string& gauge_name,
                 const DriveOptions& options, DriveListener& listener) {
    PanelHost host;
    std::string error;
    LoadedModule* module = host.load_module(module_path, error);
    if (!module) {
        listener.finding({"load", std::nullopt, "", error, ""});
        return false;
    }
    const GaugeHeader* published = module->find_gauge(gauge_name);
    if (!published) {
        listener.finding(
            {"load", std::nullopt, "", module_path + " has no gauge named " + gauge_name, ""});
        return false;
    }
    GaugeDrive(host, *module, *published, options, listener).run();
    return true;
}

} // namespace panelhost::check
