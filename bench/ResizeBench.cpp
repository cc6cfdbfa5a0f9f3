// Resized copies of real photographs under Wine: the WIC resizer, on one thread and on all
// hardware threads (a plain parallel loop over the photos), against the bare GDI+ path it
// replaces, one picture at a time, in the same run; the shares of decoding, resampling and
// encoding; and the quality of the copies: PSNR against vips' Lanczos-3 reduction of the same
// photos, made natively by tessaly_resample_bench, and 1-pixel stripes shrunk 25 times.
// Usage: tessaly_resize_bench <folder> (with photos\NAME.jpg and reference\NAME-WIDTH.ppm)
#include "GdiplusBaseline.h"
#include "PortablePixmap.h"

#include "batch/RunBatch.h"
#include "batch/Win32BatchWindows.h"
#include "host/WindowDriver.h"
#include "imaging/ComApartment.h"
#include "imaging/Orientation.h"
#include "imaging/Resampler.h"
#include "imaging/WicDecoder.h"
#include "imaging/WicJpegEncoder.h"
#include "imaging/WicResizer.h"
#include "naming/PathOrder.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"
#include "resources/ResourceIds.h"
#include "support/TempFolder.h"

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor time of this process so far, in seconds.
double processorSeconds() {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    const auto seconds = [](const FILETIME& t) {
        return ((std::uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

struct Photo {
    std::string name;
    std::string bytes;
};

// A picture decoded as it is stored; nothing when WIC cannot.
std::optional<Pixels> decoded(const std::string& bytes) {
    const std::optional<WicPicture> picture = openWicPicture(bytes);
    if (!picture)
        return std::nullopt;
    return decodeWicPicture(*picture, planDecode(*picture, picture->size));
}

Microsoft::WRL::ComPtr<IWICImagingFactory> wicFactory() {
    Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
    CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                     IID_PPV_ARGS(&factory));
    return factory;
}

// A 24-bit BMP file of the pixels.
std::string bitmapFile(const Pixels& bgr) {
    const std::uint32_t row = (bgr.width * 3 + 3) / 4 * 4;
    std::string bytes;
    const auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "BM";
    put(54 + row * bgr.height, 4), put(0, 4), put(54, 4);
    put(40, 4), put(bgr.width, 4), put(bgr.height, 4), put(1, 2), put(24, 2);
    put(0, 4), put(row * bgr.height, 4), put(2835, 4), put(2835, 4), put(0, 4), put(0, 4);
    for (unsigned y = bgr.height; y-- > 0;) {
        bytes.append(reinterpret_cast<const char*>(bgr.row(y)), bgr.width * 3);
        bytes.append(row - bgr.width * 3, '\0');
    }
    return bytes;
}

// The average PSNR of copies against the references of their width.
double averagePsnr(const std::filesystem::path& folder, const std::vector<Photo>& photos,
                   const std::vector<std::optional<std::string>>& copies, unsigned width) {
    double sum = 0;
    unsigned counted = 0;
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const std::optional<Pixels> reference = readPortablePixmap(
            (folder / "reference" / (photos[i].name + "-" + std::to_string(width) + ".ppm"))
                .string());
        const std::optional<Pixels> copy = copies[i] ? decoded(*copies[i]) : std::nullopt;
        if (reference && copy && copy->layout == PixelLayout::Bgr) {
            sum += psnr(*copy, *reference);
            ++counted;
        }
    }
    return counted ? sum / counted : 0;
}

// The bytes this process holds of its own now: its commit charge (Wine tells no PrivateUsage).
std::uint64_t privateBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

struct BatchRun {
    double seconds = 0;
    std::uint64_t peakGrowth = 0; // the most private bytes held beyond those before the batch
    std::string done;
};

// The batch as the verb runs it, copies only, of the photos written as files of a folder of its
// own, with its progress window and result dialog (closed as soon as it shows), the given
// number of copy threads (0: the machine's choice).
BatchRun batchOf(const std::vector<Photo>& photos, unsigned width, unsigned threads) {
    test::TempFolder folder;
    std::vector<FileEntry> files;
    for (const Photo& photo : photos)
        files.push_back({folder.write(photo.name + ".jpg", photo.bytes)});
    sortByPath(files);
    BatchJob job(files, std::make_unique<WicResizer>());
    job.setResize(true);
    job.setResizeWidth(static_cast<int>(width));
    job.setResizePrefix("sml.");
    BatchRun run;
    std::atomic<bool> running{true};
    const std::uint64_t before = privateBytes();
    std::thread watcher([&] {
        while (running) {
            const std::uint64_t now = privateBytes();
            run.peakGrowth = std::max(run.peakGrowth, now > before ? now - before : 0);
            Sleep(5);
        }
    });
    std::thread closer([&] {
        const HWND result =
            host::WaitForDialogWithControl("Vexmoor Software Tessaly 3.1", IDC_LOG_FILE, 600000);
        if (result == nullptr)
            return;
        run.done = host::ControlText(result, IDC_DONE_COUNT);
        host::ClickButton(result, IDC_OK);
    });
    Win32FileSystem disk;
    Win32MessageBoxes messages;
    Win32BatchWindows windows;
    test::TempFolder journalFolder;
    JournalStore journals(disk, journalFolder.path());
    BatchPorts ports{disk, messages, windows, journals};
    ports.copyThreads = threads;
    const Clock::time_point start = Clock::now();
    RunBatch(job, files, ports);
    run.seconds = secondsSince(start);
    closer.join();
    running = false;
    watcher.join();
    return run;
}

// A photograph of 24 megapixels made of tiles of a real one.
std::optional<std::string> largePhoto(IWICImagingFactory* factory, const Photo& photo) {
    const std::optional<Pixels> tile = decoded(photo.bytes);
    if (!tile)
        return std::nullopt;
    Pixels large = blankPixels(6000, 4000, PixelLayout::Bgr);
    const std::size_t pixel = bytesPerPixel(tile->layout);
    for (unsigned y = 0; y < large.height; ++y) {
        const std::uint8_t* from = tile->row(y % tile->height);
        std::uint8_t* to = large.row(y);
        for (unsigned x = 0; x < large.width; ++x)
            for (int c = 0; c < 3; ++c)
                to[x * 3 + c] = from[(x % tile->width) * pixel + c];
    }
    return encodeWicJpeg(factory, large);
}

} // namespace
} // namespace tessaly::bench

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace tessaly;
    using namespace tessaly::bench;
    if (argc < 2) {
        std::printf("usage: tessaly_resize_bench <folder>\n");
        return 1;
    }
    const ComApartment com;
    const fs::path folder = argv[1];
    std::vector<Photo> photos;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "photos"))
        if (entry.path().extension() == ".jpg")
            photos.push_back({entry.path().stem().string(), readBytes(entry.path())});
    std::sort(photos.begin(), photos.end(),
              [](const Photo& a, const Photo& b) { return a.name < b.name; });
    if (photos.empty()) {
        std::printf("no photos in %s\n", (folder / "photos").string().c_str());
        return 1;
    }
    double megapixels = 0;
    for (const Photo& photo : photos)
        if (const std::optional<WicPicture> picture = openWicPicture(photo.bytes))
            megapixels += picture->size.width * double(picture->size.height) / 1e6;
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::printf("%zu photos, %.1f megapixels on average, under Wine; %u hardware threads\n",
                photos.size(), megapixels / photos.size(), threads);

    const Microsoft::WRL::ComPtr<IWICImagingFactory> factory = wicFactory();
    if (!factory) {
        std::printf("no WIC imaging factory\n");
        return 1;
    }
    bench::GdiplusBaseline gdiplus;
    WicResizer wic;
    // Codecs loaded and caches warm before anything is timed.
    gdiplus.ScaledJpeg(photos[0].bytes, 160, 0);
    wic.ScaledJpeg(photos[0].bytes, 160, 0);

    bool ok = true;
    for (const unsigned width : {640u, 160u}) {
        std::vector<std::optional<std::string>> before(photos.size()), after(photos.size());
        Clock::time_point start = Clock::now();
        for (std::size_t i = 0; i < photos.size(); ++i)
            before[i] = gdiplus.ScaledJpeg(photos[i].bytes, width, 0);
        const double baseline = secondsSince(start);

        start = Clock::now();
        for (std::size_t i = 0; i < photos.size(); ++i)
            after[i] = wic.ScaledJpeg(photos[i].bytes, width, 0);
        const double single = secondsSince(start);

        std::atomic<std::size_t> next{0};
        const double busyBefore = processorSeconds();
        start = Clock::now();
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t)
            pool.emplace_back([&] {
                for (std::size_t i; (i = next++) < photos.size();)
                    after[i] = wic.ScaledJpeg(photos[i].bytes, width, 0);
            });
        for (std::thread& thread : pool)
            thread.join();
        const double all = secondsSince(start);
        const double busy = processorSeconds() - busyBefore;

        // The same path step by step, to see what bounds it; and the references themselves
        // through the same encoder, which bounds what any copy can score at its quality.
        double decoding = 0, resampling = 0, encoding = 0;
        std::vector<std::optional<std::string>> encodedReferences(photos.size());
        for (std::size_t i = 0; i < photos.size(); ++i) {
            const Photo& photo = photos[i];
            if (const std::optional<Pixels> reference = readPortablePixmap(
                    (folder / "reference" / (photo.name + "-" + std::to_string(width) + ".ppm"))
                        .string()))
                encodedReferences[i] = encodeWicJpeg(factory.Get(), *reference);
            const int orientation = recordedOrientation(readPictureHead(photo.bytes));
            start = Clock::now();
            const std::optional<WicPicture> picture = openWicPicture(photo.bytes);
            if (!picture)
                continue;
            const PictureSize seen = turnedSize(picture->size, orientation);
            const PictureSize copy =
                turnedSize(*scaledSize(seen.width, seen.height, width, 0), orientation);
            const std::optional<Pixels> pixels =
                decodeWicPicture(*picture, planDecode(*picture, copy));
            decoding += secondsSince(start);
            if (!pixels)
                continue;
            start = Clock::now();
            const Pixels scaled = turnUpright(resample(*pixels, copy), orientation);
            resampling += secondsSince(start);
            start = Clock::now();
            encodeWicJpeg(picture->factory.Get(), scaled);
            encoding += secondsSince(start);
        }
        const double steps = decoding + resampling + encoding;
        const auto written = [](const std::vector<std::optional<std::string>>& copies) {
            return std::count_if(copies.begin(), copies.end(),
                                 [](const std::optional<std::string>& c) { return c.has_value(); });
        };
        ok = ok && written(after) == static_cast<long>(photos.size());

        std::printf("to %u px wide:\n", width);
        std::printf("  bare GDI+ path, one at a time: %7.3f s (%ld copies)\n", baseline,
                    static_cast<long>(written(before)));
        std::printf("  WIC resizer, one thread:       %7.3f s, ratio %.2f\n", single,
                    single / baseline);
        std::printf("  WIC resizer, %u threads:        %7.3f s, ratio %.2f%s\n", threads, all,
                    all / baseline, width == 640 ? " (target: at most 0.60)" : "");
        std::printf("    processors busy %.0f%% of the time the threads ran (%.2f of %u); with them"
                    " all ours, one thread's time shared out would give a ratio of %.2f\n",
                    100 * busy / all / threads, busy / all, threads, single / threads / baseline);
        std::printf("  shares of one thread's work: decode %.0f%%, resample %.0f%%, encode %.0f%%;"
                    " bound by %s\n",
                    100 * decoding / steps, 100 * resampling / steps, 100 * encoding / steps,
                    decoding > resampling + encoding
                        ? "decoding at full size (Wine's JPEG decoder does not scale)"
                        : "resampling and encoding");
        std::printf("  PSNR against the Lanczos-3 reference: WIC resizer %.1f dB, GDI+ %.1f dB%s\n",
                    averagePsnr(folder, photos, after, width),
                    averagePsnr(folder, photos, before, width),
                    width == 640 ? " (target: at least 36 dB)" : "");
        std::printf("    the reference itself through the same JPEG encoder: %.1f dB\n",
                    averagePsnr(folder, photos, encodedReferences, width));
    }

    // The batch itself: the workers make the copies while its own thread reads, writes, records
    // and serves its windows.
    const unsigned machine = copyThreadsFor(threads);
    std::printf("the batch, copies 640 px wide, against the bare GDI+ path one at a time:\n");
    {
        Clock::time_point start = Clock::now();
        for (const Photo& photo : photos)
            gdiplus.ScaledJpeg(photo.bytes, 640, 0);
        const double baseline = secondsSince(start);
        for (const unsigned workers : {1u, machine, threads}) {
            const BatchRun run = batchOf(photos, 640, workers);
            std::printf("  %u copy thread%s%s: %7.3f s, ratio %.2f (%s done)%s\n", workers,
                        workers == 1 ? "" : "s",
                        workers == machine ? " (the machine's choice: its threads but one)" : "",
                        run.seconds, run.seconds / baseline, run.done.c_str(),
                        workers == machine ? " (target: at most 0.60)" : "");
        }
        if (machine < 2)
            std::printf("    bound here by one copy thread: the batch leaves one of the %u hardware"
                        " threads to its own thread, and decoding at full size (Wine's JPEG decoder"
                        " does not scale) is most of a copy's work\n",
                        threads);
    }
    // Memory: photos of 24 megapixels, their pixels within the budget plus one picture.
    std::vector<Photo> large;
    for (std::size_t i = 0; i < photos.size() && large.size() < 6; ++i)
        if (const std::optional<std::string> bytes = largePhoto(factory.Get(), photos[i]))
            large.push_back({"large" + std::to_string(i), *bytes});
    const std::uint64_t picture = 6000ull * 4000 * 4;
    const std::uint64_t budget = copyPixelBudget();
    for (const unsigned workers : {machine, threads}) {
        const BatchRun run = batchOf(large, 640, workers);
        std::printf("%zu photos of 24 MP, %u copy thread%s: %.1f s, private bytes grew %.0f MB at "
                    "most, against a budget of %.0f MB plus one picture of %.0f MB (%.2f of it)\n",
                    large.size(), workers, workers == 1 ? "" : "s", run.seconds,
                    run.peakGrowth / 1048576.0, budget / 1048576.0, picture / 1048576.0,
                    double(run.peakGrowth) / double(budget + picture));
    }

    const std::string lines = bitmapFile(stripes(1000, 1000));
    const auto spread = [](const std::optional<std::string>& copy) {
        const std::optional<Pixels> pixels = copy ? decoded(*copy) : std::nullopt;
        return pixels ? deviation(*pixels) : -1.0;
    };
    std::printf("1-px stripes, 1000 px shrunk 25x: standard deviation WIC resizer %.2f, GDI+ %.2f "
                "of 255 (target: < 12)\n",
                spread(wic.ScaledJpeg(lines, 40, 0)), spread(gdiplus.ScaledJpeg(lines, 40, 0)));
    return ok ? 0 : 1;
}
