// How far the host reads a module's records. Every list and table in a module ends
// with a zero entry or carries its own count, and a malformed one could send the host
// through the module's memory; these limits stop every reading at the same place, far
// beyond what a real gauge needs, so that the copy, the evaluation, `inspect` and
// `check` all agree on where a record is cut.
#pragma once

#include <cstddef>
#include <cstdint>

namespace panelhost {

// Elements of one gauge's chain, counted over all its branches.
constexpr size_t max_elements_per_gauge = 512;
// Entries of one zero-ended list of elements (the header's roots, an element's children).
constexpr size_t max_children_per_element = 64;
// Levels of a chain below its roots.
constexpr int max_element_depth = 64;
// Records of a mouse list, its end record included.
constexpr size_t max_mouse_records = 512;
// Areas of a mouse list open inside each other.
constexpr int max_mouse_depth = 32;
// Characters of a string element's text buffer (the buffer holds one more, the zero).
constexpr uint32_t max_text_chars = 4096;
// Rows of a needle's table.
constexpr uint32_t max_needle_rows = 1024;
// Entries of a failure list before its zero-key end entry.
constexpr size_t max_failure_entries = 64;
// Entries of a module's ImportTable before its all-zero end entry.
constexpr size_t max_import_entries = 64;

} // namespace panelhost
