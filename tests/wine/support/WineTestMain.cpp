// The main of every Windows test program. Tests run on an OLE apartment thread, like
// Explorer's thread that calls the handler.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const HRESULT ole = OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(ole))
        OleUninitialize();
    // Wine 8 now and then dies of a signal in its own threads while it ends a process. This
    // line tells build/win32/wine-run how the program itself finished, so such a death after
    // the end is not taken for the program's failure.
    std::fprintf(stderr, "tessaly-test-exit %d\n", result);
    std::fflush(stderr);
    return result;
}
