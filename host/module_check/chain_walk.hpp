// A gauge's published element chain walked in chain order (each element, then its
// children: back to front, the order the host copies and evaluates them), each
// element once, with what keeps the walk from ending noted instead of followed.
#pragma once

#include "gauge_abi.h"
#include "module_check/findings.hpp"

#include <vector>

namespace panelhost::check {

struct WalkedElement {
    ElementRecord* record;
    size_t index; // position in chain order
    int depth;    // 0 for a root
};

struct ChainWalk {
    std::vector<WalkedElement> elements;
    std::vector<Finding> findings; // chains that loop or do not end, unterminated lists
};

ChainWalk walk_chain(ElementRecord* const* roots);

} // namespace panelhost::check
