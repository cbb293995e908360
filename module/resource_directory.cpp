// The module's bitmaps and WAVE files on Linux: the files the resource generator
// wrote, assembled into the library (resources.S) and listed in the exported
// `ResourceDirectory` record, which stands in for the Windows resource section.
#include "resource_directory.h"
#include "module_exports.hpp"

extern "C" {
#define RESOURCE_ENTRY(type, number, label)                                                        \
    extern const unsigned char label[];                                                            \
    extern const unsigned char label##_end[];
#include "resource_table.inc"
#undef RESOURCE_ENTRY
}

namespace {

// The final all-zero entry only keeps the array non-empty; it is not counted.
constexpr ResourceEntry resource_entries[] = {
#define RESOURCE_ENTRY(type, number, label) {type, number, label, label##_end},
#include "resource_table.inc"
#undef RESOURCE_ENTRY
    {0, 0, nullptr, nullptr},
};

} // namespace

extern "C" {

GAUGE_EXPORT constinit ResourceIndex module_resource_directory __asm__("ResourceDirectory") = {
    static_cast<uint32_t>(sizeof resource_entries / sizeof resource_entries[0] - 1),
    resource_entries,
};

} // extern "C"
