#pragma once
// The batch's windows without windows: everything the batch shows, in order, as lines of an
// event list ("labels 1 0", "done 3", "not done 1", "percent 66", "pump", "close",
// "result 1 3 C:\p\Tessaly.log 1 0"), so that tests compare whole sequences.

#include "batch/BatchWindows.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace tessaly::test {

class RecordingBatchWindows final : public BatchWindows {
public:
    std::vector<std::string> events;
    std::vector<int> percents; // every SetPercent, as given
    std::vector<ResultReport> results;
    std::vector<int> waits;      // every Wait, in milliseconds
    bool chooseUndo = false;     // the answer of the result dialog
    int openProgressWindows = 0; // progress windows not yet destroyed
    // Runs inside every PumpMessages, as a message handler would (a nested invocation, say).
    std::function<void()> onPump;
    bool pumpResult = true;
    bool stopRequested = false; // the user pressed Stop

    void WaitUntil(const std::function<bool()>& ready) override {
        std::unique_lock<std::mutex> lock(wakeMutex_);
        woken_.wait(lock, ready);
    }
    void Wake() override {
        // Under the lock, so that a wake between a look and the wait is never lost.
        const std::lock_guard<std::mutex> lock(wakeMutex_);
        woken_.notify_all();
    }

    std::unique_ptr<ProgressWindow> OpenProgress() override;
    void Wait(int milliseconds) override {
        waits.push_back(milliseconds);
        events.push_back("wait " + std::to_string(milliseconds));
    }
    bool ShowResult(const ResultReport& report) override;

private:
    class Progress;
    std::mutex wakeMutex_;
    std::condition_variable woken_;
};

class RecordingBatchWindows::Progress final : public ProgressWindow {
public:
    explicit Progress(RecordingBatchWindows& owner) : owner_(owner) {
        ++owner_.openProgressWindows;
    }
    ~Progress() override {
        Close();
        --owner_.openProgressWindows;
    }
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void SetCounterLabels(bool rename, bool resize) override {
        record("labels " + std::to_string(rename) + " " + std::to_string(resize));
    }
    void SetDoneText(const std::string& text) override { record("done " + text); }
    void SetNotDoneText(const std::string& text) override { record("not done " + text); }
    bool StopRequested() const override { return owner_.stopRequested; }
    void SetPercent(int position) override {
        owner_.percents.push_back(position);
        record("percent " + std::to_string(position));
    }
    bool PumpMessages() override {
        record("pump");
        if (owner_.onPump)
            owner_.onPump();
        return owner_.pumpResult;
    }
    void Close() override {
        if (!closed_)
            record("close");
        closed_ = true;
    }

private:
    void record(const std::string& event) {
        owner_.events.push_back(closed_ ? event + " (closed)" : event);
    }

    RecordingBatchWindows& owner_;
    bool closed_ = false;
};

inline std::unique_ptr<ProgressWindow> RecordingBatchWindows::OpenProgress() {
    events.push_back("open");
    return std::make_unique<Progress>(*this);
}

inline bool RecordingBatchWindows::ShowResult(const ResultReport& report) {
    results.push_back(report);
    events.push_back("result " + report.notDoneText + " " + report.doneText + " " +
                     report.logFileText + " " + std::to_string(report.rename) + " " +
                     std::to_string(report.resize));
    return chooseUndo;
}

} // namespace tessaly::test
