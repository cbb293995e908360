// The Windows module library: LoadLibraryA, GetProcAddress and FreeLibrary; the
// handle is the HMODULE. The module's bitmaps and WAVE files are read from its
// resource section.
#include "module_library.hpp"
#include "module_resources.hpp"

#include <windows.h>

namespace panelhost {
namespace {

class WindowsLibrary final : public ModuleLibrary {
  public:
    explicit WindowsLibrary(HMODULE module) : module_(module) {}
    ~WindowsLibrary() override { FreeLibrary(module_); }
    WindowsLibrary(const WindowsLibrary&) = delete;
    WindowsLibrary& operator=(const WindowsLibrary&) = delete;

    void* symbol(const char* name) const override {
        return reinterpret_cast<void*>(GetProcAddress(module_, name));
    }
    uintptr_t handle() const override { return reinterpret_cast<uintptr_t>(module_); }

  private:
    HMODULE module_;
};

std::span<const uint8_t> resource_bytes(HMODULE module, HRSRC found) {
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return {static_cast<const uint8_t*>(data), SizeofResource(module, found)};
}

// Collects the numbers of every resource of one type.
BOOL CALLBACK note_number(HMODULE, LPCSTR, LPSTR name, LONG_PTR numbers) {
    if (IS_INTRESOURCE(name))
        reinterpret_cast<std::vector<uint32_t>*>(numbers)->push_back(
            uint32_t(reinterpret_cast<uintptr_t>(name)));
    return TRUE;
}

std::vector<uint32_t> resource_numbers(HMODULE module, LPCSTR type) {
    std::vector<uint32_t> numbers;
    EnumResourceNamesA(module, type, note_number, reinterpret_cast<LONG_PTR>(&numbers));
    return numbers;
}

} // namespace

std::unique_ptr<ModuleLibrary> open_module_library(const std::string& path, std::string& error) {
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = "cannot load module " + path + ": error " + std::to_string(GetLastError());
        return nullptr;
    }
    return std::make_unique<WindowsLibrary>(module);
}

ModuleResources read_module_resources(const ModuleLibrary& library) {
    auto module = reinterpret_cast<HMODULE>(library.handle());
    ModuleResources resources;
    // Bitmap resources hold the BMP file without its file header.
    for (uint32_t number : resource_numbers(module, MAKEINTRESOURCEA(2))) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(2));
        std::string error;
        std::optional<Image> image = decode_dib(resource_bytes(module, found), error);
        resources.add_bitmap(number, std::move(image), error);
    }
    for (uint32_t number : resource_numbers(module, "WAVE")) {
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(number), "WAVE");
        resources.add_wave(number, resource_bytes(module, found));
    }
    return resources;
}

} // namespace panelhost
