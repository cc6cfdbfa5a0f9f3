#pragma once
// The picture work of a batch's copies on threads of their own: a picture's bytes in, the copy's
// JPEG bytes out. Jobs start in the order they are given; a job holds decoded pixels only within
// a budget, which it takes in that order (a picture larger than the whole budget runs alone), so
// that the batch's memory stays bounded however large its pictures. Everything that touches the
// disk, a dialog or the journal stays with the batch's own thread, which takes the results in
// its order. No thread outlives the object.

#include "imaging/ImageResizer.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tessaly {

// The worker threads for a machine: its hardware threads but the batch's own, at least one.
unsigned copyThreadsFor(unsigned hardwareThreads);
// The budget of decoded pixels, in bytes: more where the process has the address space for it.
std::uint64_t copyPixelBudget();

class CopyWorkers {
public:
    // wake is called, from a worker's thread, whenever a result is ready.
    CopyWorkers(ImageResizer& resizer, unsigned threads, std::uint64_t budget,
                std::function<void()> wake);
    // Drops the jobs that did not start and waits for those in hand.
    ~CopyWorkers();
    CopyWorkers(const CopyWorkers&) = delete;
    CopyWorkers& operator=(const CopyWorkers&) = delete;

    // Queues the scaling of a picture to the given width (or height) under the given id, which
    // no job waiting or done holds.
    void submit(std::size_t id, std::string picture, unsigned width, unsigned height);
    // Whether the job is known, and whether it is done.
    bool holds(std::size_t id) const;
    bool done(std::size_t id) const;
    // The result of a done job, which it gives up: the copy, or nothing when none could be
    // made (a failure in a worker is that picture's failure).
    std::optional<std::string> take(std::size_t id);
    // Gives up the job's result, whenever it comes: its file gets no copy after all.
    void forget(std::size_t id);
    // Jobs given and not taken (or forgotten) yet.
    std::size_t pending() const;
    // Forgets every job: those waiting never start, the results of those in hand are dropped.
    void dropAll();
    // The most decoded bytes that jobs held at once, and the most jobs that ran at once.
    std::uint64_t peakReserved() const;
    unsigned peakRunning() const;

private:
    struct Job {
        std::size_t id;
        std::string picture;
        unsigned width;
        unsigned height;
        std::uint64_t ticket; // the order of its taking the budget
    };
    void work();
    // Waits until the job may hold its pixels; false when it was dropped meanwhile.
    bool reserve(std::unique_lock<std::mutex>& lock, const Job& job, std::uint64_t bytes);

    ImageResizer& resizer_;
    const std::uint64_t budget_;
    const std::function<void()> wake_;

    mutable std::mutex mutex_;
    std::condition_variable changed_; // work queued, budget freed, a turn come, the end
    std::deque<Job> waiting_;
    struct Given {
        std::uint64_t ticket;
        std::optional<std::optional<std::string>> result; // once done
    };
    std::map<std::size_t, Given> jobs_; // by id
    std::uint64_t nextTicket_ = 0;
    std::uint64_t turn_ = 0;    // the ticket whose job takes the budget next
    std::uint64_t dropped_ = 0; // every ticket below it was dropped
    std::uint64_t reserved_ = 0;
    std::uint64_t peakReserved_ = 0;
    unsigned running_ = 0;
    unsigned peakRunning_ = 0;
    bool ending_ = false;
    std::vector<std::thread> threads_;
};

} // namespace tessaly
