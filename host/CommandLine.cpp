#include "host/CommandLine.h"

#include "platform/WideText.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

namespace tessaly::host {

namespace {
struct LocalFreer {
    void operator()(LPWSTR* memory) const { LocalFree(memory); }
};
} // namespace

std::vector<std::string> CommandLineArguments() {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreer> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> result;
    if (!arguments)
        return result;
    for (int i = 1; i < count; ++i)
        result.push_back(utf8FromWide(arguments.get()[i]));
    return result;
}

} // namespace tessaly::host
