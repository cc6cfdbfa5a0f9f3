#include "batch/PlanPreview.h"

#include "naming/FileNameCharacters.h"
#include "naming/NameIndex.h"
#include "platform/Utf16.h"

#include <algorithm>
#include <map>
#include <optional>

namespace tessaly {

namespace {

// One folder's entries, to find which one holds a name.
struct FolderLook {
    std::vector<std::string> names;
    std::size_t longestName = 255;
    NameIndex index{{}};

    // The entry's own spelling of the name, when the folder holds it.
    const std::string* holder(const std::string& name) const {
        const std::optional<std::size_t> at = index.first(name);
        return at ? &names[*at] : nullptr;
    }
};

template <class PathOf> NameIndex indexOf(std::size_t count, PathOf pathOf) {
    std::vector<const std::string*> paths;
    paths.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        paths.push_back(&pathOf(i));
    return NameIndex(std::move(paths));
}

// Why no file may have the name in its folder, or nothing.
std::optional<std::string> notAllowed(const std::string& name, std::size_t longestName) {
    if (const std::optional<char> c = firstCharacterNotAllowedInFileName(name))
        return "a file name cannot hold " + describeFileNameCharacter(*c);
    if (name.empty() || name == "." || name == "..")
        return std::string("a file needs a name");
    if (utf16Length(name) > longestName)
        return "longer than the " + std::to_string(longestName) +
               " characters a name may have there";
    return std::nullopt;
}

std::string counted(std::size_t count, const char* one, const char* many) {
    return groupedNumber(count) + " " + (count == 1 ? one : many);
}

} // namespace

std::string groupedNumber(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

PlanPreview previewPlan(const BatchPlan& plan, const BatchJob& job, const FileSystem& fileSystem) {
    PlanPreview preview;
    preview.rename = job.rename();
    preview.resize = job.resize();
    const std::vector<PlannedFile>& files = plan.files;
    preview.rows.resize(files.size());

    std::map<std::string, FolderLook> folders;
    const auto look = [&](const std::string& folder) -> const FolderLook& {
        const auto [at, added] = folders.try_emplace(folder);
        FolderLook& found = at->second;
        if (added) {
            // A folder that cannot be listed shows nothing taken in it; the batch finds out.
            if (std::optional<FolderListing> listing = fileSystem.listFolder(folder)) {
                for (FolderEntry& entry : listing->entries)
                    found.names.push_back(std::move(entry.name));
                found.longestName = listing->longestName;
            }
            found.index = indexOf(found.names.size(), [&](std::size_t k) -> const std::string& {
                return found.names[k];
            });
        }
        return found;
    };
    const NameIndex byOldPath = indexOf(
        files.size(), [&](std::size_t i) -> const std::string& { return files[i].file.path; });
    const NameIndex byNewPath = indexOf(files.size(), [&](std::size_t i) -> const std::string& {
        return files[i].names.renameTarget;
    });

    std::string folder;
    const FolderLook* here = nullptr;
    std::size_t toRename = 0, twoSteps = 0, unchanged = 0, taken = 0, refused = 0, copies = 0,
                replacing = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const PlannedFile& p = files[i];
        const PathParts& parts = p.names.parts;
        // Files of one folder come together: its look is found again only when it changes.
        const std::size_t folderLength = parts.drive.size() + parts.directory.size();
        if (here == nullptr || folderLength != folder.size() ||
            p.file.path.compare(0, folderLength, folder) != 0) {
            folder = p.file.path.substr(0, folderLength);
            here = &look(folder);
        }
        PreviewRow& row = preview.rows[i];
        row.name = p.file.path.substr(folderLength);
        const auto note = [&row](const std::string& text) {
            row.note += (row.note.empty() ? "" : "; ") + text;
        };
        bool notAllowedHere = false;
        bool renameFails = false; // and with it the copy
        const bool moves = preview.rename && p.names.renameTarget != p.file.path;

        if (preview.rename) {
            row.newName = p.names.renameTarget.substr(folder.size());
            const std::size_t firstTaker = byNewPath.first(p.names.renameTarget).value_or(i);
            if (!moves) {
                note("unchanged");
                ++unchanged;
            } else if (const std::optional<std::string> reason =
                           notAllowed(row.newName, here->longestName)) {
                note("not allowed: " + *reason);
                notAllowedHere = renameFails = true;
            } else if (firstTaker != i) {
                // An earlier file of the batch takes the name first.
                note("name taken by " + preview.rows[firstTaker].name);
                ++taken;
                renameFails = true;
            } else if (p.givenUp) {
                note("in two steps");
                ++twoSteps;
                ++toRename;
            } else if (const std::string* holder = here->holder(row.newName)) {
                note("name taken by " + *holder);
                ++taken;
                renameFails = true;
            } else {
                ++toRename;
            }
        }

        if (preview.resize) {
            row.copyName = p.names.resizeTarget.substr(folder.size());
            // A selection holds each file once; a file renamed away leaves its old name free
            // for its own copy.
            const std::optional<std::size_t> oldHolder = byOldPath.first(p.names.resizeTarget);
            const bool ownOldName = moves && oldHolder == i;
            const bool heldBySelected =
                (oldHolder && !ownOldName) ||
                (preview.rename && byNewPath.first(p.names.resizeTarget).has_value());
            if (renameFails) {
                // A file that is not renamed is not resized either.
            } else if (const std::optional<std::string> reason =
                           notAllowed(row.copyName, here->longestName)) {
                note("not allowed: the copy's name: " + *reason);
                notAllowedHere = true;
            } else if (heldBySelected) {
                note("no copy: " + row.copyName + " is a selected file");
            } else {
                ++copies;
                const std::string* holder = ownOldName ? nullptr : here->holder(row.copyName);
                if (holder != nullptr) {
                    note("copy replaces " + *holder);
                    ++replacing;
                }
            }
        }
        refused += notAllowedHere ? 1 : 0;
    }

    std::vector<std::string> parts;
    if (preview.rename) {
        parts.push_back(groupedNumber(toRename) + " to rename");
        if (twoSteps > 0)
            parts.push_back(groupedNumber(twoSteps) + " in two steps");
        if (unchanged > 0)
            parts.push_back(groupedNumber(unchanged) + " unchanged");
        if (taken > 0)
            parts.push_back(counted(taken, "name taken", "names taken"));
    }
    if (preview.resize) {
        const std::string size = job.resizeWidth() != 0
                                     ? std::to_string(job.resizeWidth()) + " pixels wide"
                                     : std::to_string(job.resizeHeight()) + " pixels high";
        parts.push_back(counted(copies, "copy ", "copies ") + size);
        if (replacing > 0)
            parts.push_back(counted(replacing, "replacing a file", "replacing files"));
    }
    if (refused > 0)
        parts.push_back(groupedNumber(refused) + " not allowed");
    preview.summary = counted(files.size(), "file", "files") + ":";
    for (std::size_t k = 0; k < parts.size(); ++k)
        preview.summary += (k == 0 ? " " : ", ") + parts[k];
    return preview;
}

} // namespace tessaly
