// Any selection with any options: path splitting, the path order, the selection analysis and
// every composed name. A name composed for a file whose name Windows allows, from a prefix that
// a file name may hold, must never leave the file's own folder; every cut of a name falls
// between whole characters. The preview of the plan has a row a file, and passes no new name
// that the batch would not attempt.
#include "batch/BatchPlan.h"
#include "batch/PlanPreview.h"
#include "naming/BatchJob.h"
#include "naming/FolderBound.h"
#include "naming/FileNameCharacters.h"
#include "naming/NameComposition.h"
#include "naming/PathOrder.h"
#include "naming/SplitPath.h"
#include "naming/Utf8Text.h"
#include "support/FakeFileSystem.h"
#include "support/FakeImageResizer.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Names the invariant that broke, with the input's paths, before the fuzzer keeps the input.
#define CHECK(holds)                                                                               \
    do {                                                                                           \
        if (!(holds)) {                                                                            \
            std::fprintf(stderr, "broken: %s\n", #holds);                                          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

// The composition keeps a file's drive and directory; what the name itself may be (not empty,
// not "." or "..") is the batch's own check.
bool keepsFolder(const tessaly::PathParts& file, const std::string& target) {
    const tessaly::PathParts parts = tessaly::splitPath(target);
    return parts.drive == file.drive && parts.directory == file.directory;
}

// A cut falls between whole characters: the two sides make the text again, and their characters
// add up to the text's (a cut inside one would leave a part of it on each side).
void checkWholeCharacters(const std::string& text, std::size_t cut) {
    using tessaly::characterCount;
    CHECK(cut <= text.size());
    CHECK(characterCount(text.substr(0, cut)) + characterCount(text.substr(cut)) ==
          characterCount(text));
}

void checkCut(const std::string& text, int count) {
    const std::string leading = tessaly::leadingCharacters(text, count);
    CHECK(leading + tessaly::charactersAfter(text, count) == text);
    CHECK(tessaly::characterCount(leading) ==
          std::min<std::size_t>(static_cast<std::size_t>(std::max(count, 0)),
                                tessaly::characterCount(text)));
    checkWholeCharacters(text, leading.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaly;
    FuzzedDataProvider input(data, size);
    std::vector<FileEntry> files;
    const int count = input.ConsumeIntegralInRange(1, 12);
    for (int i = 0; i < count; ++i) {
        std::string path = input.ConsumeRandomLengthString(64);
        const PathParts parts = splitPath(path);
        CHECK(parts.drive + parts.directory + parts.baseName + parts.extension == path);
        files.push_back({std::move(path)});
    }
    sortByPath(files);
    for (std::size_t i = 0; i + 1 < files.size(); ++i)
        CHECK(!pathOrderLess(files[i + 1], files[i]));

    BatchJob job(files, std::make_unique<test::FakeImageResizer>());
    CHECK(job.prefixLength() >= 0);
    job.setRename(input.ConsumeBool());
    job.setResize(input.ConsumeBool());
    job.setRemovedCount(input.ConsumeIntegralInRange(-2, 40));
    job.setEntirePrefixRemoved(input.ConsumeBool());
    const std::string prefix = input.ConsumeRandomLengthString(16);
    const std::string resizePrefix = input.ConsumeRandomLengthString(8);
    job.setNewPrefix(prefix);
    job.setResizePrefix(resizePrefix);
    // Starts as the renumber settings give them: below 10^9, so that no file's number overflows.
    job.setRenumber(input.ConsumeIntegralInRange(0, 1), input.ConsumeIntegralInRange(-1, 12),
                    input.ConsumeIntegralInRange(0, 999999999));
    int number = input.ConsumeIntegralInRange(-1000000, 1000000000);
    for (const FileEntry& file : files) {
        const FileNames names = job.names(file, number++);
        const PathParts parts = splitPath(file.path);
        // The common prefix is whole characters of every name it leads.
        if (job.sameExtension())
            CHECK(leadingCharacters(parts.baseName, job.prefixLength()) == job.commonPrefix());
        checkCut(parts.baseName, job.removedCount());
        checkCut(parts.baseName, job.prefixLength());
        const std::string remaining = job.remainingPart(parts.baseName);
        checkWholeCharacters(remaining, trailingDigitsStart(remaining));
        // A selected file's own name holds no such character either.
        if (firstCharacterNotAllowedInFileName(parts.baseName + parts.extension))
            continue;
        if (!firstCharacterNotAllowedInFileName(prefix))
            CHECK(keepsFolder(parts, names.renameTarget));
        if (!firstCharacterNotAllowedInFileName(prefix) &&
            !firstCharacterNotAllowedInFileName(resizePrefix))
            CHECK(keepsFolder(parts, names.resizeTarget));
    }

    const BatchPlan plan = planBatch(job, files, "f");
    const PlanPreview preview = previewPlan(plan, job, test::FakeFileSystem());
    CHECK(preview.rows.size() == plan.files.size());
    for (std::size_t i = 0; i < plan.files.size(); ++i) {
        const PlannedFile& p = plan.files[i];
        if (job.rename() && preview.rows[i].note.empty())
            CHECK(staysInFolder(p.names.parts, p.names.renameTarget));
    }
    return 0;
}
