// Opening a module file and finding its exported records. The rest of the host
// only sees this small interface, so that it can be built for other platforms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace panelhost {

class ModuleLibrary {
  public:
    virtual ~ModuleLibrary() = default;
    // Address of an exported symbol, or null.
    virtual void* symbol(const char* name) const = 0;
    // The platform's handle of the loaded library: what service 2 hands the gauges
    // as the module's resource handle.
    virtual uintptr_t handle() const = 0;
};

// Opens the library at `path`; on failure returns null and sets `error`.
std::unique_ptr<ModuleLibrary> open_module_library(const std::string& path, std::string& error);

} // namespace panelhost
