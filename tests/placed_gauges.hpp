// A fixture for the tests that drive gauges through the host as a panel does: a
// host with the modules loaded, gauges placed by name, simulator variables set and
// read, update cycles, element states. A placement the host refuses ends the test
// there, naming the module, the gauge and the host's reason, so that no test goes
// on with a gauge that was never placed.
#pragma once

#include "module_library.hpp"
#include "panel_host.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <source_location>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace panelhost {

// Key events compare, and show in a failure, by number and value.
inline bool operator==(const KeyEvent& a, const KeyEvent& b) {
    return a.event == b.event && a.value == b.value;
}

inline void PrintTo(const KeyEvent& key, std::ostream* out) {
    *out << std::hex << "0x" << key.event << std::dec << "(" << key.value << ")";
}

// A gauge as a panel configuration names it.
struct GaugeName {
    std::string module;
    std::string gauge;
};

// Thrown once the fixture has reported a failure that the test cannot go on from;
// GoogleTest catches it and ends the test.
struct FixtureFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void fail_fatally(const std::string& message, std::source_location where) {
    ADD_FAILURE_AT(where.file_name(), int(where.line())) << message;
    throw FixtureFailure(message);
}

// `Base` is ::testing::Test, or ::testing::TestWithParam<T> for parameterised suites.
template <typename Base = ::testing::Test> class PlacedGauges : public Base {
  protected:
    // The modules to load, in order; `place` with a bare gauge name takes the first.
    explicit PlacedGauges(std::vector<std::string> module_paths = {MARLOW_MODULE_PATH})
        : module_paths_(std::move(module_paths)) {}

    void SetUp() override {
        for (const std::string& path : module_paths_) {
            std::string error;
            LoadedModule* module = host.load_module(path, error);
            ASSERT_TRUE(module) << "cannot load the module " << path << ": " << error;
            modules.push_back(module);
        }
    }

    // Places a gauge of the first module and installs it (service 2).
    GaugeInstance& place(const std::string& gauge,
                         std::optional<std::string> parameters = std::nullopt,
                         std::source_location where = std::source_location::current()) {
        if (modules.empty()) fail_fatally("no module is loaded to place " + gauge + " from", where);
        return place(GaugeName{modules.front()->name(), gauge}, std::move(parameters), where);
    }

    GaugeInstance& place(const GaugeName& name,
                         std::optional<std::string> parameters = std::nullopt,
                         std::source_location where = std::source_location::current()) {
        std::string error;
        const std::optional<std::string> asked = parameters;
        GaugeInstance* instance = host.place(name.module, name.gauge, std::move(parameters), error);
        if (!instance) {
            fail_fatally("cannot place " + name.module + "!" + name.gauge +
                             (asked ? " with parameters \"" + *asked + "\"" : "") + ": " + error,
                         where);
        }
        return *instance;
    }

    Simulation& sim() { return host.simulation(); }
    void set(uint32_t variable, double value) { host.simulation().set(variable, value); }
    double get(uint32_t variable) const { return host.simulation().get(variable); }
    void set_failure(uint32_t key, bool active) { host.simulation().set_failure(key, active); }

    // One update cycle of every placed gauge.
    void update() { host.update(); }

    // The state of element `index` (in chain order, 0 the background) after one
    // more update cycle.
    const ElementState& element(GaugeInstance& gauge, size_t index,
                                std::source_location where = std::source_location::current()) {
        host.update();
        const std::vector<ElementState>& elements = gauge.elements();
        if (index >= elements.size()) {
            fail_fatally(gauge.name() + " has " + std::to_string(elements.size()) +
                             " elements: no element " + std::to_string(index),
                         where);
        }
        return elements[index];
    }

    PanelHost host;
    std::vector<LoadedModule*> modules; // as loaded, in the order asked for

  private:
    std::vector<std::string> module_paths_;
};

// A fixture of `Fixture` (a PlacedGauges) whose tests all drive one gauge, placed
// before each test.
template <typename Fixture> class OneGaugePlaced : public Fixture {
  protected:
    explicit OneGaugePlaced(std::string gauge_name) : gauge_name_(std::move(gauge_name)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Fixture::SetUp());
        gauge = &this->place(gauge_name_);
    }

    // The state of the gauge's element `index` once `variable` is set to `value`.
    const ElementState&
    after_setting(uint32_t variable, double value, size_t index,
                  std::source_location where = std::source_location::current()) {
        this->set(variable, value);
        return this->element(*gauge, index, where);
    }

    GaugeInstance* gauge = nullptr;

  private:
    std::string gauge_name_;
};

// A fixture whose tests drive one gauge of one module, placed by each test as often
// as it needs. The test modules also export what their callbacks record;
// `exported` reaches it.
class OneModuleGauge : public PlacedGauges<> {
  protected:
    OneModuleGauge(std::string module_path, std::string gauge_name)
        : PlacedGauges({module_path}), module_path_(std::move(module_path)),
          gauge_name_(std::move(gauge_name)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PlacedGauges::SetUp());
        module = modules.front();
    }

    // Places the gauge and installs it (service 2).
    GaugeInstance& place(std::optional<std::string> parameters = std::nullopt,
                         std::source_location where = std::source_location::current()) {
        return PlacedGauges::place(gauge_name_, std::move(parameters), where);
    }

    // A symbol of the module, found by opening its library again: dlopen hands back
    // the loaded copy and its data.
    void* exported(const std::string& symbol,
                   std::source_location where = std::source_location::current()) {
        if (!library_) {
            std::string error;
            library_ = open_module_library(module_path_, error);
            if (!library_) fail_fatally("cannot open " + module_path_ + " again: " + error, where);
        }
        void* found = library_->symbol(symbol.c_str());
        if (!found) fail_fatally(module_path_ + " exports no " + symbol, where);
        return found;
    }

    LoadedModule* module = nullptr;

  private:
    std::string module_path_;
    std::string gauge_name_;
    std::unique_ptr<ModuleLibrary> library_;
};

} // namespace panelhost
