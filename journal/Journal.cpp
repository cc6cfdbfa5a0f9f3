#include "journal/Journal.h"

#include "journal/Hash64.h"
#include "naming/FullPath.h"
#include "naming/TemporaryName.h"

#include <limits>

namespace tessaly {

namespace {

const char kHeader[] = "Tessaly journal ";

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

// The whole lines of a text, without their line ends; a last line without one was torn.
std::vector<std::string> wholeLines(const std::string& text) {
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
    return lines;
}

// A torn line that a later record ended.
bool isEndedTornLine(const std::string& line) {
    return !line.empty() && line.back() == kTornLineEnd[0];
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

// As volumes tell them (see FileSystem::identity), or empty.
bool isIdentity(const std::string& identity) {
    if (identity.size() > 64)
        return false;
    for (const char c : identity)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              c == '-'))
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

// A "file" line of the given version, the index-th of the batch with the given id.
std::optional<JournalEntry> entryFrom(const std::vector<std::string>& f, int version,
                                      const std::string& batchId, std::size_t index) {
    if (f.size() != (version == 1 ? 8u : 9u) || !isBareFileName(f[1]))
        return std::nullopt;
    for (std::size_t i = 2; i <= 5; ++i)
        if (!isNameField(f[i]))
            return std::nullopt;
    const std::optional<FileFacts> facts = factsFrom(f[6], f[7]);
    if (!facts)
        return std::nullopt;
    JournalEntry entry{f[1], f[2], f[3], f[4], f[5], *facts, version == 1 ? "" : f[8]};
    // Temporary names are the batch's own, made for this very line: nothing else is ever
    // moved or deleted under a temporary name.
    const bool temporaryFits =
        entry.temporaryName.empty() ||
        (entry.renames() &&
         entry.temporaryName == temporaryName(batchId, TemporaryUse::Rename, index));
    const bool copyTemporaryFits =
        entry.copyName.empty()
            ? entry.copyTemporaryName.empty()
            : entry.copyTemporaryName == temporaryName(batchId, TemporaryUse::Copy, index);
    if (!temporaryFits || !copyTemporaryFits || !isIdentity(entry.identity))
        return std::nullopt;
    return entry;
}

// Reads the records after the plan, in the orders the batch, its recovery and its undo write
// them; false for any other.
class RecordReader {
public:
    explicit RecordReader(Journal& journal) : journal_(journal) {}

    bool read(const std::vector<std::string>& f) {
        const std::string& kind = f[0];
        const JournalState state = journal_.state;
        if (state == JournalState::Planned && (kind == "writing" || kind == "copy"))
            return kind == "writing" ? writing(f) : copy(f);
        if (state == JournalState::Planned && journal_.version >= 2 && kind == "second" &&
            f.size() == 1 && !journal_.secondSteps)
            return journal_.secondSteps = true;
        if (state == JournalState::Planned && journal_.version >= 2 && kind == "failed") {
            const std::optional<std::size_t> k = index(f, 2);
            return k && !journal_.entries[*k].temporaryName.empty() &&
                   journal_.failed.insert(*k).second;
        }
        if (kind == "finished" && f.size() == 1 && state == JournalState::Planned)
            return to(JournalState::Finished);
        if (kind == "kept" && f.size() == 1 &&
            (state == JournalState::Planned || state == JournalState::Undoing))
            return to(JournalState::Kept);
        if (kind == "undo" && f.size() == 1 && state != JournalState::Undone) {
            journal_.left.clear();
            return to(JournalState::Undoing);
        }
        if (state != JournalState::Undoing)
            return false;
        if (kind == "undone" && f.size() == 1)
            return journal_.left.empty() && to(JournalState::Undone);
        if (kind == "first" && f.size() == 1 && journal_.version >= 2 && journal_.secondSteps) {
            journal_.secondSteps = false;
            return true;
        }
        const std::optional<std::size_t> k = index(f, 2);
        if (!k)
            return false;
        if (kind == "removed") {
            const auto copy = journal_.copies.find(*k);
            return copy != journal_.copies.end() && copy->second.complete &&
                   journal_.removedCopies.insert(*k).second;
        }
        return kind == "left" && journal_.version >= 2 && journal_.left.insert(*k).second;
    }

private:
    bool to(JournalState state) {
        journal_.state = state;
        return true;
    }

    // The file index of a record of the given number of fields.
    std::optional<std::size_t> index(const std::vector<std::string>& f, std::size_t count) const {
        if (f.size() != count)
            return std::nullopt;
        const std::optional<std::size_t> k = number<std::size_t>(f[1]);
        if (!k || *k >= journal_.entries.size())
            return std::nullopt;
        return k;
    }

    bool writing(const std::vector<std::string>& f) {
        const std::optional<std::size_t> k = index(f, 4);
        if (journal_.version < 2 || !k || journal_.entries[*k].copyName.empty() ||
            journal_.copies.count(*k) != 0)
            return false;
        const auto size = number<std::uint64_t>(f[2]);
        const auto hash = f[3].size() == 16 ? hexValue(f[3]) : std::nullopt;
        if (!size || !hash)
            return false;
        CopyRecord& copy = journal_.copies[*k];
        copy.size = *size;
        copy.hash = *hash;
        return true;
    }

    bool copy(const std::vector<std::string>& f) {
        if (journal_.version == 1) {
            const std::optional<std::size_t> k = index(f, 4);
            if (!k || journal_.entries[*k].copyName.empty() || journal_.copies.count(*k) != 0)
                return false;
            const std::optional<FileFacts> facts = factsFrom(f[2], f[3]);
            if (!facts)
                return false;
            CopyRecord& copy = journal_.copies[*k];
            copy.size = facts->size;
            copy.lastWrite = facts->lastWrite;
            copy.complete = true;
            return true;
        }
        const std::optional<std::size_t> k = index(f, 5);
        if (!k)
            return false;
        const auto copy = journal_.copies.find(*k);
        const auto lastWrite = number<std::int64_t>(f[2]);
        if (copy == journal_.copies.end() || copy->second.complete || !lastWrite ||
            !isIdentity(f[3]) || (f[4] != "0" && f[4] != "1"))
            return false;
        copy->second.complete = true;
        copy->second.lastWrite = *lastWrite;
        copy->second.identity = f[3];
        copy->second.replaces = f[4] == "1";
        return true;
    }

    Journal& journal_;
};

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
    std::string text = kHeader + std::to_string(journal.version) + "\nbatch\t" + journal.batchId +
                       "\nfolder\t" + journal.folder + "\n";
    for (const JournalEntry& e : journal.entries) {
        text += "file\t" + e.oldName + "\t" + e.newName + "\t" + e.temporaryName + "\t" +
                e.copyName + "\t" + e.copyTemporaryName + "\t" + factsFields(e.facts);
        if (journal.version >= 2)
            text += "\t" + e.identity;
        text += "\n";
    }
    text += "planned\t" + std::to_string(journal.entries.size()) + "\n";
    return text;
}

std::string journalWritingLine(std::size_t index, const CopyRecord& copy) {
    return "writing\t" + std::to_string(index) + "\t" + std::to_string(copy.size) + "\t" +
           hexDigits(copy.hash.value_or(0), 16) + "\n";
}

std::string journalCopyLine(int version, std::size_t index, const CopyRecord& copy) {
    if (version == 1)
        return "copy\t" + std::to_string(index) + "\t" + std::to_string(copy.size) + "\t" +
               std::to_string(copy.lastWrite) + "\n";
    return "copy\t" + std::to_string(index) + "\t" + std::to_string(copy.lastWrite) + "\t" +
           copy.identity + "\t" + (copy.replaces ? "1" : "0") + "\n";
}

std::string journalSecondStepsLine() {
    return "second\n";
}

std::string journalSecondStepsUndoneLine() {
    return "first\n";
}

std::string journalFailedLine(std::size_t index) {
    return "failed\t" + std::to_string(index) + "\n";
}

std::string journalRemovedLine(std::size_t index) {
    return "removed\t" + std::to_string(index) + "\n";
}

std::string journalLeftLine(std::size_t index) {
    return "left\t" + std::to_string(index) + "\n";
}

std::string journalStateLine(JournalState state) {
    switch (state) {
    case JournalState::Finished:
        return "finished\n";
    case JournalState::Kept:
        return "kept\n";
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
    const std::vector<std::string> lines = wholeLines(text);
    if (lines.size() < 4)
        return std::nullopt;
    Journal journal;
    if (lines[0] == kHeader + std::string("1")) {
        journal.version = 1;
        journal.secondSteps = true; // it does not tell
    } else if (lines[0] == kHeader + std::to_string(kJournalVersion))
        journal.version = kJournalVersion;
    else
        return std::nullopt;

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
        std::optional<JournalEntry> entry =
            entryFrom(f, journal.version, journal.batchId, journal.entries.size());
        if (!entry)
            return std::nullopt;
        journal.entries.push_back(std::move(*entry));
    }
    // Without its "planned" line the plan never reached the disk whole, and no file was touched.
    if (i == lines.size())
        return std::nullopt;
    const std::vector<std::string> planned = fields(lines[i]);
    if (planned.size() != 2 || planned[0] != "planned" ||
        number<std::size_t>(planned[1]) != journal.entries.size())
        return std::nullopt;

    RecordReader records(journal);
    for (++i; i < lines.size(); ++i)
        if (!isEndedTornLine(lines[i]) && !records.read(fields(lines[i])))
            return std::nullopt;
    return journal;
}

std::optional<JournalState> stateOfLastRecord(const std::string& tail) {
    const std::vector<std::string> lines = wholeLines(tail);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (isEndedTornLine(*line))
            continue;
        const std::string kind = fields(*line)[0];
        if (kind == "finished")
            return JournalState::Finished;
        if (kind == "kept")
            return JournalState::Kept;
        if (kind == "undone")
            return JournalState::Undone;
        if (kind == "undo" || kind == "removed" || kind == "left" || kind == "first")
            return JournalState::Undoing;
        return std::nullopt;
    }
    return std::nullopt;
}

std::vector<std::string> namesOfBatch(const Journal& journal) {
    std::vector<std::string> names;
    for (std::size_t k = 0; k < journal.entries.size(); ++k) {
        if (!journal.left.empty() && journal.left.count(k) == 0)
            continue;
        const JournalEntry& e = journal.entries[k];
        if (e.renames()) {
            names.push_back(e.newName);
            if (!e.temporaryName.empty())
                names.push_back(e.temporaryName);
            // Where an undo of the release before parked a file on its way back.
            if (journal.version == 1)
                names.push_back(temporaryName(journal.batchId, TemporaryUse::Restore, k));
        }
        const auto copy = journal.copies.find(k);
        if (copy != journal.copies.end() && journal.removedCopies.count(k) == 0) {
            names.push_back(e.copyTemporaryName);
            if (copy->second.complete)
                names.push_back(e.copyName);
        }
    }
    return names;
}

} // namespace tessaly
