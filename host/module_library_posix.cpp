#include "module_library.hpp"
#include "module_resources.hpp"

#include <dlfcn.h>

namespace panelhost {
namespace {

class PosixLibrary final : public ModuleLibrary {
  public:
    explicit PosixLibrary(void* handle) : handle_(handle) {}
    ~PosixLibrary() override { dlclose(handle_); }
    PosixLibrary(const PosixLibrary&) = delete;
    PosixLibrary& operator=(const PosixLibrary&) = delete;

    void* symbol(const char* name) const override { return dlsym(handle_, name); }
    uintptr_t handle() const override { return reinterpret_cast<uintptr_t>(handle_); }

  private:
    void* handle_;
};

} // namespace

std::unique_ptr<ModuleLibrary> open_module_library(const std::string& path, std::string& error) {
    // A path without a slash would make dlopen search the library path instead.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* reason = dlerror();
        error = "cannot load module " + path + ": " + (reason ? reason : "unknown error");
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(handle);
}

ModuleResources read_module_resources(const ModuleLibrary& library) {
    return ModuleResources(
        static_cast<const ResourceIndex*>(library.symbol(RESOURCE_DIRECTORY_SYMBOL)));
}

} // namespace panelhost
