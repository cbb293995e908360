#include "host_window.hpp"

#include <gtest/gtest.h>

namespace windows_test {
namespace {

HWND window = nullptr;

class HostWindow : public ::testing::Environment {
  public:
    void SetUp() override {
        WNDCLASSA window_class{};
        window_class.lpfnWndProc = DefWindowProcA;
        window_class.hInstance = GetModuleHandleA(nullptr);
        window_class.lpszClassName = host_window_class;
        ASSERT_NE(RegisterClassA(&window_class), 0) << "error " << GetLastError();
        window = CreateWindowA(host_window_class, "panel host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                               nullptr, nullptr, window_class.hInstance, nullptr);
        ASSERT_NE(window, nullptr) << "no window (error " << GetLastError()
                                   << "); under Wine the prefix needs the null graphics driver";
    }
    void TearDown() override {
        if (window) DestroyWindow(window);
        window = nullptr;
    }
};

const auto* const host_window_environment = ::testing::AddGlobalTestEnvironment(new HostWindow);

} // namespace

HWND host_window() { return window; }

} // namespace windows_test
