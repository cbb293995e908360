// What no simulator or panel author should hand a gauge, yet a broken or hostile
// one may: the values, parameter strings, expression answers and clicks that the
// check drives every gauge with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panelhost::check {

// Token variable values: NaN, infinities, huge, tiny, negative and beyond 32 bits.
const std::vector<double>& hostile_values();

// Parameter strings: empty and blank, every option key with empty, huge, negative,
// non-numeric and named values, comment marks, and texts far longer than any
// buffer a gauge keeps.
const std::vector<std::string>& parameter_corpus();

// Texts answered to the expressions that ask for text.
const std::vector<std::string>& hostile_texts();

// The expressions the host answers, as "NAME,unit".
const std::vector<std::string>& answered_expressions();

// Button combinations every mouse area is clicked with.
const std::vector<uint32_t>& button_combinations();

// Service numbers a gauge callback is called with beyond 2, 6 and 12.
const std::vector<int32_t>& other_services();

} // namespace panelhost::check
