#include "module_library.hpp"
#include "module_resources.hpp"

#include <dlfcn.h>

#include <fstream>
#include <string_view>

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

// What a file that does not load is, where its first bytes tell something the
// loader's own reason does not: a module built for Windows, or for the other word
// size than this program's.
std::string what_the_file_is(const std::string& path) {
    char start[5] = {};
    std::ifstream(path, std::ios::binary).read(start, sizeof start);
    if (start[0] == 'M' && start[1] == 'Z')
        return " (it is a module built for Windows; this host loads modules built for Linux, "
               "Module.so)";
    constexpr char elf_32 = 1, elf_64 = 2;
    const char own_class = sizeof(void*) == 8 ? elf_64 : elf_32;
    const bool elf = start[0] == 0x7F && std::string_view(start + 1, 3) == "ELF";
    if (elf && (start[4] == elf_32 || start[4] == elf_64) && start[4] != own_class)
        return start[4] == elf_32 ? " (it is a 32-bit module; this panelhost is 64-bit: a "
                                    "32-bit panelhost, the m32 preset's, loads it)"
                                  : " (it is a 64-bit module; this panelhost is 32-bit)";
    return "";
}

} // namespace

std::unique_ptr<ModuleLibrary> open_module_library(const std::string& path, std::string& error) {
    // A path without a slash would make dlopen search the library path instead.
    std::string file = path.find('/') == std::string::npos ? "./" + path : path;
    void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* said = dlerror();
        std::string reason = said ? said : "unknown error";
        // The loader's reason often begins with the file's name again.
        if (reason.starts_with(file + ": ")) reason.erase(0, file.size() + 2);
        error = "cannot load module " + path + ": " + reason + what_the_file_is(path);
        return nullptr;
    }
    return std::make_unique<PosixLibrary>(handle);
}

ModuleResources read_module_resources(const ModuleLibrary& library) {
    return ModuleResources(
        static_cast<const ResourceIndex*>(library.symbol(RESOURCE_DIRECTORY_SYMBOL)));
}

} // namespace panelhost
