// Any sequence of log writes with any texts and counts: every line of the file ends in CR LF.
#include "batch/BatchLog.h"
#include "support/FakeFileSystem.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    FuzzedDataProvider input(data, size);
    test::FakeFileSystem files;
    const std::string path = "C:\\p\\Tessaly.log";
    {
        BatchLog log;
        if (!log.Open(files, path, "C:\\p\\~Tessaly-f-l0.tmp"))
            std::abort();
        log.WriteHeader(input.ConsumeRandomLengthString(40));
        while (input.ConsumeBool())
            log.WriteRenameFailure(input.ConsumeRandomLengthString(80));
        std::vector<std::string> notResized;
        while (input.ConsumeBool())
            notResized.push_back(input.ConsumeRandomLengthString(80));
        log.WriteResizeFailures(notResized);
        log.WriteSummary(input.ConsumeIntegral<int>(), input.ConsumeIntegral<int>(),
                         input.ConsumeBool(), input.ConsumeBool());
    }
    const std::string bytes = files.bytes(path);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            std::abort();
    return 0;
}
