#include "module_check/chain_walk.hpp"

#include "record_limits.hpp"

#include <algorithm>

namespace panelhost::check {
namespace {

class Walker {
  public:
    ChainWalk walk(ElementRecord* const* roots) {
        visit_list(roots, nullptr, 0);
        return std::move(out_);
    }

  private:
    // The list's entries up to its zero; `owner` is the element whose children they
    // are (null for the header's root list).
    void visit_list(ElementRecord* const* list, const WalkedElement* owner, int depth) {
        if (!list) return;
        for (size_t i = 0; list[i]; ++i) {
            if (i == max_children_per_element) {
                note_list_end(owner);
                return;
            }
            visit(list[i], owner, depth);
        }
    }

    void visit(ElementRecord* element, const WalkedElement* owner, int depth) {
        auto on_path = std::find(path_.begin(), path_.end(), element);
        if (on_path != path_.end()) {
            note_loop(*owner, index_of(element));
            return;
        }
        if (index_of(element) != npos) return; // shared with another branch: walked once
        if (depth > max_element_depth || out_.elements.size() >= max_elements_per_gauge) {
            if (!cut_noted_ && owner) {
                out_.findings.push_back(element_finding(
                    "chain", owner->index, owner->record->kind,
                    "the chain does not end within " + std::to_string(max_element_depth) +
                        " levels or " + std::to_string(max_elements_per_gauge) +
                        " elements; the host cuts it there"));
            }
            cut_noted_ = true;
            return;
        }
        out_.elements.push_back({element, out_.elements.size(), depth});
        const WalkedElement walked = out_.elements.back();
        path_.push_back(element);
        visit_list(element->children, &walked, depth + 1);
        path_.pop_back();
    }

    static constexpr size_t npos = size_t(-1);

    size_t index_of(const ElementRecord* element) const {
        for (const WalkedElement& walked : out_.elements)
            if (walked.record == element) return walked.index;
        return npos;
    }

    void note_loop(const WalkedElement& owner, size_t back_to) {
        out_.findings.push_back(element_finding("chain", owner.index, owner.record->kind,
                                                "its children list leads back to element " +
                                                    std::to_string(back_to) +
                                                    ": the chain loops and never ends"));
    }

    void note_list_end(const WalkedElement* owner) {
        std::string what = "list has no terminating zero within " +
                           std::to_string(max_children_per_element) + " entries";
        if (owner)
            out_.findings.push_back(
                element_finding("children", owner->index, owner->record->kind, "children " + what));
        else
            out_.findings.push_back({"children", std::nullopt, "", "the root element " + what, ""});
    }

    ChainWalk out_;
    std::vector<const ElementRecord*> path_;
    bool cut_noted_ = false;
};

} // namespace

ChainWalk walk_chain(ElementRecord* const* roots) { return Walker().walk(roots); }

} // namespace panelhost::check
