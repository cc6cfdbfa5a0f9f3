// A batch in a process of its own, for the test that ends it halfway: renames every file of the
// folder given on the command line to "x_" and its name, as the rename verb runs a batch.
#include "batch/Win32Batch.h"
#include "imaging/WicResizer.h"
#include "naming/Selection.h"
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

int wmain(int argc, wchar_t** argv) {
    using namespace tessaly;
    if (argc != 2)
        return 2;
    std::string folder = utf8FromWide(argv[1]);
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    std::vector<std::string> paths;
    for (const std::string& name : Win32FileSystem().fileNames(folder))
        paths.push_back(folder + name);
    std::vector<FileEntry> files = selectionFromPaths(paths);
    if (files.empty())
        return 1;
    BatchJob job(files, std::make_unique<WicResizer>());
    job.setRename(true);
    job.setNewPrefix("x_");
    RunBatch(job, files, nullptr);
    return 0;
}
