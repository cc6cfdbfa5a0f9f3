#include "batch/BatchPlan.h"

#include "naming/CaseFolding.h"
#include "naming/FolderBound.h"
#include "naming/NameIndex.h"
#include "naming/TemporaryName.h"

#include <map>
#include <optional>

namespace tessaly {

namespace {

// The name in the file's folder that target gives, or empty when it leaves the folder (such a
// name is never attempted).
std::string nameInFolder(const PathParts& file, const std::string& target) {
    if (!staysInFolder(file, target))
        return std::string();
    return target.substr(file.drive.size() + file.directory.size());
}

// For each file, whether its new path names, now, another selected file that gives up its name
// by its own rename, or the file itself under another letter case.
void markNamesGivenUp(std::vector<PlannedFile>& files) {
    std::vector<const std::string*> paths;
    paths.reserve(files.size());
    for (const PlannedFile& p : files)
        paths.push_back(&p.file.path);
    const NameIndex selected(std::move(paths));
    const auto keeps = [&](std::size_t i) {
        return files[i].names.renameTarget == files[i].file.path;
    };
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (keeps(i))
            continue;
        // A selection holds each file once, so one holder at most.
        const std::optional<std::size_t> holder = selected.first(files[i].names.renameTarget);
        files[i].givenUp = holder && (*holder == i || !keeps(*holder));
    }
}

} // namespace

BatchPlan planBatch(const BatchJob& job, const std::vector<FileEntry>& files,
                    const std::string& batchId) {
    BatchPlan plan;
    plan.files.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        PlannedFile planned;
        planned.file = files[i];
        planned.names = job.names(files[i], job.startNumber() + static_cast<int>(i));
        plan.files.push_back(std::move(planned));
    }
    markNamesGivenUp(plan.files);
    const auto moves = [&](const PlannedFile& p) {
        return job.rename() && p.names.renameTarget != p.file.path;
    };

    std::map<std::string, std::size_t, FileSystemNameLess> folders;
    for (std::size_t i = 0; i < plan.files.size(); ++i) {
        PlannedFile& p = plan.files[i];
        const PathParts& parts = p.names.parts;
        const std::string folder = parts.drive + parts.directory;
        const auto [at, added] = folders.emplace(folder, plan.journals.size());
        if (added) {
            Journal journal;
            journal.batchId = batchId;
            journal.folder = folder;
            plan.journals.push_back(std::move(journal));
        }
        p.journal = at->second;
        Journal& journal = plan.journals[p.journal];
        p.entry = journal.entries.size();

        p.twoStep = job.inPlace() && moves(p) && p.givenUp;
        JournalEntry entry;
        entry.oldName = parts.baseName + parts.extension;
        if (moves(p))
            entry.newName = nameInFolder(parts, p.names.renameTarget);
        if (p.twoStep && !entry.newName.empty()) {
            entry.temporaryName = temporaryName(batchId, TemporaryUse::Rename, p.entry);
            p.temporary = folder + entry.temporaryName;
        } else {
            p.twoStep = false;
        }
        if (job.resize()) {
            entry.copyName = nameInFolder(parts, p.names.resizeTarget);
            if (!entry.copyName.empty()) {
                entry.copyTemporaryName = temporaryName(batchId, TemporaryUse::Copy, p.entry);
                p.copyTemporary = folder + entry.copyTemporaryName;
            }
        }
        journal.entries.push_back(std::move(entry));
    }
    return plan;
}

void recordFileFacts(BatchPlan& plan, const FileSystem& fileSystem) {
    // One listing a folder, which also tells each file's identity; where it fails, a look at
    // each file.
    std::vector<std::optional<FolderListing>> listings;
    for (const Journal& journal : plan.journals)
        listings.push_back(fileSystem.listFolder(journal.folder));
    std::vector<NameIndex> byName;
    for (const std::optional<FolderListing>& listing : listings) {
        std::vector<const std::string*> names;
        if (listing)
            for (const FolderEntry& entry : listing->entries)
                names.push_back(&entry.name);
        byName.emplace_back(std::move(names));
    }
    for (const PlannedFile& p : plan.files) {
        JournalEntry& entry = plan.journals[p.journal].entries[p.entry];
        const std::optional<FolderListing>& listing = listings[p.journal];
        if (!listing) {
            entry.facts = fileSystem.facts(p.file.path).value_or(FileFacts());
        } else if (const std::optional<std::size_t> k = byName[p.journal].first(entry.oldName)) {
            entry.facts = listing->entries[*k].facts;
            entry.identity = listing->entries[*k].identity;
        }
    }
}

} // namespace tessaly
