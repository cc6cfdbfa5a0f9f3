#include "batch/CopyWorkers.h"

#include <algorithm>

namespace tessaly {

unsigned copyThreadsFor(unsigned hardwareThreads) {
    return hardwareThreads > 1 ? hardwareThreads - 1 : 1;
}

std::uint64_t copyPixelBudget() {
    // A 32-bit process has 2 GB of address space at most, Explorer's own use of it included.
    return sizeof(void*) >= 8 ? std::uint64_t{256} << 20 : std::uint64_t{96} << 20;
}

CopyWorkers::CopyWorkers(ImageResizer& resizer, unsigned threads, std::uint64_t budget,
                         std::function<void()> wake)
    : resizer_(resizer), budget_(budget), wake_(std::move(wake)) {
    threads = std::max(threads, 1u);
    threads_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

CopyWorkers::~CopyWorkers() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        ending_ = true;
    }
    dropAll();
    for (std::thread& thread : threads_)
        thread.join();
}

void CopyWorkers::submit(std::size_t id, std::string picture, unsigned width, unsigned height) {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        jobs_[id] = Given{nextTicket_, std::nullopt};
        waiting_.push_back(Job{id, std::move(picture), width, height, nextTicket_++});
    }
    changed_.notify_all();
}

bool CopyWorkers::holds(std::size_t id) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return jobs_.count(id) != 0;
}

bool CopyWorkers::done(std::size_t id) const {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = jobs_.find(id);
    return it != jobs_.end() && it->second.result.has_value();
}

std::optional<std::string> CopyWorkers::take(std::size_t id) {
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto it = jobs_.find(id);
    if (it == jobs_.end() || !it->second.result)
        return std::nullopt;
    std::optional<std::string> result = std::move(*it->second.result);
    jobs_.erase(it);
    return result;
}

void CopyWorkers::forget(std::size_t id) {
    const std::lock_guard<std::mutex> lock(mutex_);
    jobs_.erase(id);
}

std::size_t CopyWorkers::pending() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return jobs_.size();
}

void CopyWorkers::dropAll() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        waiting_.clear();
        jobs_.clear();
        dropped_ = nextTicket_;
        turn_ = std::max(turn_, nextTicket_);
    }
    changed_.notify_all();
}

std::uint64_t CopyWorkers::peakReserved() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return peakReserved_;
}

unsigned CopyWorkers::peakRunning() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return peakRunning_;
}

bool CopyWorkers::reserve(std::unique_lock<std::mutex>& lock, const Job& job, std::uint64_t bytes) {
    changed_.wait(lock, [&] {
        return job.ticket < dropped_ ||
               (turn_ == job.ticket && (reserved_ == 0 || reserved_ + bytes <= budget_));
    });
    if (job.ticket < dropped_)
        return false;
    reserved_ += bytes;
    peakReserved_ = std::max(peakReserved_, reserved_);
    ++turn_;
    ++running_;
    peakRunning_ = std::max(peakRunning_, running_);
    changed_.notify_all();
    return true;
}

void CopyWorkers::work() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (true) {
        changed_.wait(lock, [&] { return ending_ || !waiting_.empty(); });
        if (waiting_.empty())
            return; // ending, nothing left
        Job job = std::move(waiting_.front());
        waiting_.pop_front();
        lock.unlock();

        // The resizer asks for the pixels once the header tells them, before any is decoded. A
        // failure in a worker, out of memory in the middle of a picture say, is that picture's
        // failure: it gets no copy.
        bool asked = false;   // the resizer asked for its pixels
        bool holding = false; // and holds them, counted among those running
        std::uint64_t held = 0;
        const ImageResizer::PixelReservation reserveFor = [&](std::uint64_t bytes) {
            std::unique_lock<std::mutex> relock(mutex_);
            asked = true;
            holding = reserve(relock, job, bytes);
            held = holding ? bytes : 0;
            return holding;
        };
        std::optional<std::string> copy;
        try {
            copy = resizer_.ScaledJpeg(job.picture, job.width, job.height, reserveFor);
        } catch (...) {
            copy.reset();
        }
        lock.lock();
        // A picture that failed before it asked still takes its turn, so that the next can.
        if (!asked)
            holding = reserve(lock, job, 0);
        if (holding) {
            reserved_ -= held;
            --running_;
        }
        // A job dropped meanwhile (or given again under its id since) keeps no result.
        const auto it = jobs_.find(job.id);
        const bool wanted = it != jobs_.end() && it->second.ticket == job.ticket;
        if (wanted)
            it->second.result = std::move(copy);
        changed_.notify_all();
        if (wanted && wake_) {
            lock.unlock();
            wake_();
            lock.lock();
        }
    }
}

} // namespace tessaly
