// The workers that make a batch's copies: every job gives its copy (or none, for a picture that
// fails), jobs start in the order given, and the decoded pixels held at once stay within the
// budget, a picture larger than the whole budget running alone.
#include "batch/CopyWorkers.h"
#include "support/FakeImageResizer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <new>
#include <thread>

namespace tessaly::test {
namespace {

TEST(CopyWorkers, KeepTheOrderAndTheBudget) {
    const struct {
        const char* name;
        unsigned threads;
        std::uint64_t budget;
        std::vector<std::uint64_t> pixels; // of each picture, in the order given
        std::uint64_t peakReserved;        // at most
        unsigned peakRunning;              // at most
    } rows[] = {
        {"room for two at once", 2, 100, {40, 40, 40, 40}, 80, 2},
        // Beside the one that cannot be read, which needs no pixels.
        {"room for one at a time", 3, 50, {40, 40, 40, 40}, 40, 2},
        {"a picture larger than the budget runs alone", 3, 50, {10, 200, 10, 10}, 200, 3},
        {"one thread", 1, 1000, {1, 2, 3, 4, 5}, 5, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        FakeImageResizer resizer;
        resizer.unreadable = {"picture 2"};
        resizer.onScale = [](const std::string& picture) {
            if (picture == "picture 3")
                throw std::bad_alloc(); // out of memory in the middle of a picture
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        };
        std::uint64_t largest = 0;
        for (std::size_t i = 0; i < row.pixels.size(); ++i) {
            resizer.decodedBytes["picture " + std::to_string(i)] = row.pixels[i];
            largest = std::max(largest, row.pixels[i]);
        }
        std::atomic<int> wakes{0};
        {
            CopyWorkers workers(resizer, row.threads, row.budget, [&wakes] { ++wakes; });
            for (std::size_t i = 0; i < row.pixels.size(); ++i)
                workers.submit(i, "picture " + std::to_string(i), 640, 0);
            for (std::size_t i = 0; i < row.pixels.size(); ++i) {
                while (!workers.done(i))
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                const std::optional<std::string> copy = workers.take(i);
                if (i == 2 || i == 3) {
                    EXPECT_FALSE(copy) << i;
                } else {
                    EXPECT_EQ("copy of picture " + std::to_string(i), copy) << i;
                }
                EXPECT_FALSE(workers.holds(i));
            }
            EXPECT_EQ(0u, workers.pending());
            EXPECT_LE(workers.peakReserved(), row.peakReserved);
            EXPECT_LE(workers.peakRunning(), row.peakRunning);
            // The largest picture ran alone when the budget had no room beside it.
            if (largest > row.budget) {
                EXPECT_EQ(largest, workers.peakReserved());
            }
        }
        EXPECT_EQ(static_cast<int>(row.pixels.size()), wakes.load()); // one for each result
        // Started in the order given.
        for (std::size_t i = 1; i < resizer.scaled.size() && row.threads == 1; ++i)
            EXPECT_LT(resizer.scaled[i - 1].picture, resizer.scaled[i].picture);
    }
}

// Cancel at the overwrite question: what was given and not taken is forgotten, pictures that
// did not start never do, and no thread outlives the workers.
TEST(CopyWorkers, DropEverythingAtOnce) {
    FakeImageResizer resizer;
    resizer.onScale = [](const std::string&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    {
        CopyWorkers workers(resizer, 1, 1000, nullptr);
        for (std::size_t i = 0; i < 6; ++i)
            workers.submit(i, "picture " + std::to_string(i), 640, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        workers.dropAll();
        for (std::size_t i = 0; i < 6; ++i)
            EXPECT_FALSE(workers.holds(i));
        EXPECT_EQ(0u, workers.pending());
        workers.submit(0, "picture again", 640, 0);
        while (!workers.done(0))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_EQ("copy of picture again", workers.take(0));
    }
    EXPECT_LE(resizer.scaled.size(), 3u);
}

} // namespace
} // namespace tessaly::test
