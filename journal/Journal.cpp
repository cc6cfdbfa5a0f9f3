#include "journal/Journal.h"

#include "naming/FullPath.h"

#include <limits>

namespace tessaly {

namespace {

const char kHeader[] = "Tessaly journal 1";

std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        result.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return result;
        start = tab + 1;
    }
}

// Plain decimal digits only, within the type's range.
template <class Number> std::optional<Number> number(const std::string& text) {
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    unsigned long long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const unsigned digit = static_cast<unsigned>(c - '0');
        if (value > (std::numeric_limits<unsigned long long>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    if (value > static_cast<unsigned long long>(std::numeric_limits<Number>::max()))
        return std::nullopt;
    return static_cast<Number>(value);
}

bool isBatchId(const std::string& id) {
    if (id.empty() || id.size() > 32)
        return false;
    for (const char c : id)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
            return false;
    return true;
}

// A name field: empty, or a bare file name.
bool isNameField(const std::string& name) {
    return name.empty() || isBareFileName(name);
}

std::string factsFields(const FileFacts& facts) {
    return std::to_string(facts.size) + "\t" + std::to_string(facts.lastWrite);
}

std::optional<FileFacts> factsFrom(const std::string& size, const std::string& lastWrite) {
    const auto bytes = number<std::uint64_t>(size);
    const auto time = number<std::int64_t>(lastWrite);
    if (!bytes || !time)
        return std::nullopt;
    FileFacts facts;
    facts.size = *bytes;
    facts.lastWrite = *time;
    return facts;
}

std::optional<JournalEntry> entryFrom(const std::vector<std::string>& f) {
    if (f.size() != 8 || !isBareFileName(f[1]))
        return std::nullopt;
    for (std::size_t i = 2; i <= 5; ++i)
        if (!isNameField(f[i]))
            return std::nullopt;
    const std::optional<FileFacts> facts = factsFrom(f[6], f[7]);
    if (!facts)
        return std::nullopt;
    return JournalEntry{f[1], f[2], f[3], f[4], f[5], *facts};
}

} // namespace

bool isBareFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char c : name) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || c == '\\' || c == '/' || c == ':')
            return false;
    }
    return true;
}

bool journalPlanComplete(const std::string& text) {
    for (std::size_t at = text.find("\nplanned\t"); at != std::string::npos;
         at = text.find("\nplanned\t", at + 1))
        if (text.find('\n', at + 1) != std::string::npos)
            return true;
    return false;
}

std::string journalPlanText(const Journal& journal) {
    std::string text =
        std::string(kHeader) + "\nbatch\t" + journal.batchId + "\nfolder\t" + journal.folder + "\n";
    for (const JournalEntry& e : journal.entries)
        text += "file\t" + e.oldName + "\t" + e.newName + "\t" + e.temporaryName + "\t" +
                e.copyName + "\t" + e.copyTemporaryName + "\t" + factsFields(e.facts) + "\n";
    text += "planned\t" + std::to_string(journal.entries.size()) + "\n";
    return text;
}

std::string journalCopyLine(std::size_t index, const FileFacts& facts) {
    return "copy\t" + std::to_string(index) + "\t" + factsFields(facts) + "\n";
}

std::string journalRemovedLine(std::size_t index) {
    return "removed\t" + std::to_string(index) + "\n";
}

std::string journalStateLine(JournalState state, bool kept) {
    switch (state) {
    case JournalState::Finished:
        return kept ? "kept\n" : "finished\n";
    case JournalState::Undoing:
        return "undo\n";
    case JournalState::Undone:
        return "undone\n";
    case JournalState::Planned:
        break;
    }
    return std::string();
}

std::optional<Journal> parseJournal(const std::string& text) {
    // Complete lines only: an interruption may have torn the last one.
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (lines.size() < 4 || lines[0] != kHeader)
        return std::nullopt;

    Journal journal;
    const std::vector<std::string> batch = fields(lines[1]);
    const std::vector<std::string> folder = fields(lines[2]);
    if (batch.size() != 2 || batch[0] != "batch" || !isBatchId(batch[1]) || folder.size() != 2 ||
        folder[0] != "folder" || folder[1].empty() || folder[1].back() != '\\' ||
        !isFullPath(folder[1]))
        return std::nullopt;
    journal.batchId = batch[1];
    journal.folder = folder[1];

    std::size_t i = 3;
    for (; i < lines.size(); ++i) {
        const std::vector<std::string> f = fields(lines[i]);
        if (f[0] != "file")
            break;
        const std::optional<JournalEntry> entry = entryFrom(f);
        if (!entry)
            return std::nullopt;
        journal.entries.push_back(*entry);
    }
    // Without its "planned" line the plan never reached the disk whole, and no file was touched.
    if (i == lines.size())
        return std::nullopt;
    const std::vector<std::string> planned = fields(lines[i]);
    if (planned.size() != 2 || planned[0] != "planned" ||
        number<std::size_t>(planned[1]) != journal.entries.size())
        return std::nullopt;

    bool undoBegun = false;
    for (++i; i < lines.size(); ++i) {
        const std::vector<std::string> f = fields(lines[i]);
        const std::optional<std::size_t> index =
            f.size() >= 2 ? number<std::size_t>(f[1]) : std::nullopt;
        const bool indexInRange = index && *index < journal.entries.size();
        if (f[0] == "copy" && f.size() == 4 && indexInRange &&
            !journal.entries[*index].copyName.empty()) {
            const std::optional<FileFacts> facts = factsFrom(f[2], f[3]);
            if (!facts)
                return std::nullopt;
            journal.copies[*index] = *facts;
        } else if (f[0] == "removed" && f.size() == 2 && indexInRange) {
            journal.removedCopies.insert(*index);
        } else if (f[0] == "finished" && f.size() == 1 && !undoBegun) {
            journal.state = JournalState::Finished;
        } else if (f[0] == "kept" && f.size() == 1) {
            // Kept as it was, also after an interrupted undo: it can be undone (again).
            undoBegun = false;
            journal.state = JournalState::Finished;
        } else if (f[0] == "undo" && f.size() == 1) {
            undoBegun = true;
            journal.state = JournalState::Undoing;
        } else if (f[0] == "undone" && f.size() == 1 && undoBegun) {
            journal.state = JournalState::Undone;
        } else {
            return std::nullopt;
        }
    }
    return journal;
}

} // namespace tessaly
