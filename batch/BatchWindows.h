#pragma once
// The windows that accompany a batch: the progress window while it runs and the result dialog
// at its end. One Windows implementation over CProgressDlg and CResultDlg (Win32BatchWindows);
// the tests record what the batch shows.

#include <functional>
#include <memory>
#include <string>

namespace tessaly {

// A shown progress window. The user may hide or destroy it at any time; updates then have no
// visible effect, and the batch never learns of it. Destroying the object closes the window.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    virtual void SetCounterLabels(bool rename, bool resize) = 0;
    virtual void SetDoneText(const std::string& text) = 0;
    virtual void SetNotDoneText(const std::string& text) = 0;
    // Clamped to 0..100.
    virtual void SetPercent(int position) = 0;
    // Whether the user pressed Stop: the batch finishes the file in hand and leaves the rest.
    virtual bool StopRequested() const = 0;
    // Dispatches every message waiting for this thread's windows; false when a quit message
    // came (it is left in the queue for the thread's own loop).
    virtual bool PumpMessages() = 0;
    virtual void Close() = 0;
};

// What the result dialog shows.
struct ResultReport {
    std::string notDoneText;
    std::string doneText;
    std::string logFileText;
    bool rename = false; // the wording of the labels
    bool resize = false;
    bool canUndo = false; // the batch changed something that its journal can put back
};

class BatchWindows {
public:
    virtual ~BatchWindows() = default;
    // Opens the progress window, owned by the window in the foreground at this moment, and
    // shows it.
    virtual std::unique_ptr<ProgressWindow> OpenProgress() = 0;
    // Lets the given time pass while the thread's messages are served.
    virtual void Wait(int milliseconds) = 0;
    // Serves the thread's messages until ready() holds; it is asked again after every message
    // served and every Wake.
    virtual void WaitUntil(const std::function<bool()>& ready) = 0;
    // From any thread: what WaitUntil waits for may hold now.
    virtual void Wake() = 0;
    // Shows the result dialog modally and returns when the user closed it: true when they
    // chose to undo the batch.
    virtual bool ShowResult(const ResultReport& report) = 0;
};

} // namespace tessaly
