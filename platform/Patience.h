#pragma once
// The thumbnailer, the preview pane and virus scanners open a new photo for a moment; a rename
// then fails with a sharing violation. Such a failure is tried again a few times, about 100 ms
// apart, with the thread's messages served in between, before it counts.

#include "platform/FileSystem.h"

#include <functional>

namespace tessaly {

class Patience {
public:
    static constexpr int kTries = 5;
    static constexpr int kPauseMilliseconds = 100;

    // wait: lets the given time pass while the thread's messages are served.
    explicit Patience(std::function<void(int milliseconds)> wait) : wait_(std::move(wait)) {}

    // The attempt's result; Busy only when every try met a file held by someone else.
    FileResult operator()(const std::function<FileResult()>& attempt) const {
        FileResult result = attempt();
        for (int tries = 1; result == FileResult::Busy && tries < kTries; ++tries) {
            if (wait_)
                wait_(kPauseMilliseconds);
            result = attempt();
        }
        return result;
    }

private:
    std::function<void(int)> wait_;
};

} // namespace tessaly
