// Ordering JPEG photos by the dates their cameras recorded: the file-head reader against the
// imaging library's path (load the picture, ask for the tag) on the same files, in the same run.
// Usage: tessaly_picture_date_bench [file count, default 1000] [width, default 1024]
#include "batch/OrderByTime.h"
#include "imaging/GdiplusObjects.h"
#include "imaging/ImageDateReader.h"
#include "imaging/WicResizer.h"
#include "naming/BatchJob.h"
#include "platform/Win32FileSystem.h"
#include "support/ExifBuilder.h"
#include "support/Pictures.h"
#include "support/TempFolder.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A camera's block: date, orientation, pixel size and a thumbnail of a few kilobytes.
std::string cameraBlock(int i, unsigned width, unsigned height) {
    test::ExifSpec spec;
    spec.orientation = 1;
    char date[32];
    // Dates in the reverse order of the names, a minute apart.
    std::snprintf(date, sizeof date, "2015:06:%02d %02d:%02d:00", 1 + (99999 - i) / 1440 % 28,
                  (99999 - i) / 60 % 24, (99999 - i) % 60);
    spec.dateTime = date;
    spec.pixels = std::make_pair(width, height);
    spec.thumbnail = std::string(6000, '\x42');
    return test::exifBlock(spec);
}

} // namespace
} // namespace tessaly::bench

int main(int argc, char** argv) {
    using namespace tessaly;
    using namespace tessaly::bench;
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned width = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1024;
    if (count <= 0 || count > 99999 || width < 16 || width > 8000) {
        std::printf("file count must be 1 to 99999, width 16 to 8000\n");
        return 1;
    }
    const unsigned height = width * 3 / 4;
    const GdiplusSession gdiplus; // makes the model picture
    WicResizer resizer;
    const test::TempFolder folder;

    const std::string model = folder.path() + "model.jpg";
    if (!test::writePicture(model, width, height, L"image/jpeg")) {
        std::printf("could not make a JPEG picture\n");
        return 1;
    }
    const std::string jpeg = test::readFile(model);
    std::vector<FileEntry> files;
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "IMG_%05d.JPG", i);
        files.push_back({folder.write(name, jpeg.substr(0, 2) +
                                                test::exifSegment(cameraBlock(i, width, height)) +
                                                jpeg.substr(2))});
    }

    const Win32FileSystem disk;
    Clock::time_point start = Clock::now();
    std::vector<FileEntry> ordered = files;
    OrderByTime(ordered, RenumberOrder::ByPictureDate, resizer, disk);
    const double head = secondsSince(start);
    const bool reversed = ordered.front().path == files.back().path;

    start = Clock::now();
    int found = 0;
    for (const FileEntry& file : files)
        if (const std::optional<std::string> picture = disk.readFile(file.path))
            if (resizer.ReadDateTimeTag(*picture))
                ++found;
    const double library = secondsSince(start);

    std::printf("%d JPEG photos of %u x %u with camera EXIF blocks, ordered by picture date\n",
                count, width, height);
    std::printf("  the imaging library's path: %8.3f s (%.2f ms per file; dates found: %d)\n",
                library, library * 1e3 / count, found);
    std::printf("  the file-head reader:       %8.3f s (%.3f ms per file; order by date: %s)\n",
                head, head * 1e3 / count, reversed ? "right" : "WRONG");
    std::printf("  ratio head reader / library path: %.4f (target: the whole order under 1 s)\n",
                head / library);
    return reversed ? 0 : 1;
}
