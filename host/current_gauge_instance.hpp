// A placement of a gauge of the current interface. The instance owns its own copy of
// the gauge header, element chain and mouse list (so that a gauge may rewrite its own
// records at installation without touching other placements); tables, failure lists
// and texts stay shared with the module. Its lifecycle is the gauge callback: service
// 2 at installation, service 6 and the element evaluation every cycle, service 12 at
// removal.
#pragma once

#include "gauge_instance.hpp"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace panelhost {

class CurrentGaugeInstance final : public GaugeInstance {
  public:
    // Copies the published gauge. `parameters` absent means the panel gave none.
    CurrentGaugeInstance(const GaugeHeader& published, std::optional<std::string> parameters,
                         uintptr_t resource_handle, DesignSize design_size);
    ~CurrentGaugeInstance() override;

    const std::vector<ElementState>& elements() const override { return states_; }

  private:
    union ElementStorage;

    // Copies of a zero-ended list's elements, the zero included; `unended` is the
    // problem noted when the list has no zero within max_children_per_element.
    std::vector<ElementRecord*> copy_list(ElementRecord* const* list, int depth,
                                          const char* unended);
    ElementRecord* copy_element(ElementRecord* source, int depth);
    ElementState state_of_copy(ElementRecord* copy, int depth);
    void call_gauge_callback(uint32_t service, uintptr_t extra);

    void install_gauge(Simulation& simulation) override;
    void update_gauge(Simulation& simulation) override;
    void kill_gauge() override;
    GaugeHeader* owner_for_callbacks() override { return &header_; }

    std::optional<std::string> parameters_;
    uintptr_t resource_handle_ = 0;
    std::vector<ElementRecord*> roots_;
    std::vector<std::unique_ptr<ElementStorage>> element_copies_;
    std::vector<std::unique_ptr<std::vector<ElementRecord*>>> child_lists_;
    std::vector<std::unique_ptr<char[]>> text_buffers_;
    std::vector<std::pair<ElementRecord*, ElementRecord*>> copied_; // source -> copy
    std::vector<ElementState> states_;
};

} // namespace panelhost
