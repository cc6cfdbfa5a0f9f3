// Reading the shell's selection: ReadSelection (the drop list read once, then put in path
// order) against one bare walk over the same list, for 1,000 to 100,000 files in the same run.
// DragQueryFileW, which walks the list from its start for every path, is timed where it ends
// in reasonable time. Usage: tessaly_selection_bench
#include "host/SelectionDataObject.h"
#include "shell/SelectionReader.h"

#include <windows.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Paths as a camera and a search over several folders leave them, out of path order.
std::vector<std::string> selection(int count) {
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(count));
    for (int i = count - 1; i >= 0; --i)
        paths.push_back("C:\\Users\\Photos\\Trip " + std::to_string(i % 7) + "\\IMG_" +
                        std::to_string(100000 + i) + ".JPG");
    return paths;
}

// One walk over the list's characters up to its end, as the floor for any reader.
double oneWalk(HGLOBAL drop, std::size_t& characters) {
    const Clock::time_point start = Clock::now();
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
    const auto* text =
        reinterpret_cast<const wchar_t*>(reinterpret_cast<const char*>(header) + header->pFiles);
    // Volatile, so that the compiler cannot drop a walk whose result nobody needs.
    const volatile wchar_t* at = text;
    std::size_t i = 0;
    while (at[i] != L'\0' || at[i + 1] != L'\0')
        ++i;
    GlobalUnlock(drop);
    characters = i;
    return secondsSince(start);
}

double readSelection(HGLOBAL drop, std::size_t& read) {
    const Clock::time_point start = Clock::now();
    const HDROP handle = static_cast<HDROP>(drop);
    read = ReadSelection(handle, CountSelection(handle)).size();
    return secondsSince(start);
}

double dragQueryFile(HGLOBAL drop, std::size_t& read) {
    const Clock::time_point start = Clock::now();
    const HDROP handle = static_cast<HDROP>(drop);
    const UINT count = DragQueryFileW(handle, 0xFFFFFFFF, nullptr, 0);
    std::wstring path;
    read = 0;
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(handle, i, nullptr, 0);
        path.assign(length + 1, L'\0');
        if (DragQueryFileW(handle, i, &path[0], length + 1) == length)
            ++read;
    }
    return secondsSince(start);
}

} // namespace
} // namespace tessaly::bench

int main() {
    using namespace tessaly::bench;
    // The first wait cursor sets up the display connection: not part of any reading.
    if (const HGLOBAL warmUp = tessaly::host::CreateDropFiles(selection(10))) {
        std::size_t read = 0;
        readSelection(warmUp, read);
        GlobalFree(warmUp);
    }
    std::printf("%8s %12s %16s %8s %16s\n", "files", "one walk", "ReadSelection", "ratio",
                "DragQueryFileW");
    for (const int count : {1000, 10000, 100000}) {
        const HGLOBAL drop = tessaly::host::CreateDropFiles(selection(count));
        if (drop == nullptr) {
            std::printf("no memory for %d paths\n", count);
            return 1;
        }
        std::size_t characters = 0;
        std::size_t read = 0;
        const double walk = oneWalk(drop, characters);
        const double reader = readSelection(drop, read);
        if (read != static_cast<std::size_t>(count))
            std::printf("ReadSelection read %zu of %d paths\n", read, count);
        std::printf("%8d %10.4f s %14.4f s %8.1f", count, walk, reader, reader / walk);
        // Quadratic: about 3 s for 10,000 files and five minutes for 100,000.
        if (count <= 10000) {
            std::size_t queried = 0;
            std::printf(" %14.4f s\n", dragQueryFile(drop, queried));
        } else {
            std::printf(" %16s\n", "(not run)");
        }
        GlobalFree(drop);
    }
    return 0;
}
