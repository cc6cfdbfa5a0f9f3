// Pumping between files: every waiting message is dispatched, and a quit is handed on.
#include "dialogs/Win32Dialog.h"

#include <gtest/gtest.h>

namespace tessaly::test {
namespace {

// A message-only window that counts what reaches it.
class Counter {
public:
    Counter() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TessalyTestCounter";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "TessalyTestCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Counter() { DestroyWindow(window); }
    Counter(const Counter&) = delete;
    Counter& operator=(const Counter&) = delete;

    HWND window = nullptr;
    int received = 0;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_APP) {
            auto* self = reinterpret_cast<Counter*>(GetWindowLongPtrA(window, GWLP_USERDATA));
            ++self->received;
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

TEST(MessagePump, DispatchesEveryWaitingMessage) {
    Counter counter;
    for (int i = 0; i < 3; ++i)
        PostMessageA(counter.window, WM_APP, 0, 0);
    EXPECT_TRUE(PumpWaitingMessages());
    EXPECT_EQ(3, counter.received);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));
}

TEST(MessagePump, HandsAQuitOnWithExitCodeZero) {
    Counter counter;
    PostMessageA(counter.window, WM_APP, 0, 0);
    PostMessageA(counter.window, WM_APP, 0, 0);
    PostQuitMessage(5);
    EXPECT_FALSE(PumpWaitingMessages());
    EXPECT_EQ(2, counter.received);

    MSG quit = {};
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), quit.message);
    EXPECT_EQ(0u, quit.wParam);
}

} // namespace
} // namespace tessaly::test
