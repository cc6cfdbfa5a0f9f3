// The resampler natively against vips on the same decoded photos: the time of the resample step
// alone, one thread each, and how close our copies come to vips' Lanczos-3 reduction, which
// this program also writes as the reference for the copies measured under Wine.
// Usage: tessaly_resample_bench <folder> (with decoded/NAME.ppm and decoded/NAME.v in it, as
// scripts/bench prepares them; the references go to reference/NAME-WIDTH.ppm)
#include "PortablePixmap.h"

#include "imaging/Resampler.h"
#include "imaging/ScaledSize.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace tessaly::bench {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The shortest of three runs of a shell command, in seconds; negative when it fails.
double commandTime(const std::string& command) {
    double best = 1e9;
    for (int i = 0; i < 3; ++i) {
        const Clock::time_point start = Clock::now();
        if (std::system(command.c_str()) != 0)
            return -1;
        best = std::min(best, secondsSince(start));
    }
    return best;
}

// vips' resize to exactly the copy's size (its scales are per axis).
std::string vipsResize(const std::string& in, const std::string& out, PictureSize from,
                       PictureSize to, const char* extra = "") {
    char scales[96];
    std::snprintf(scales, sizeof scales, " %.17g --vscale %.17g", double(to.width) / from.width,
                  double(to.height) / from.height);
    return "vips resize '" + in + "' '" + out + "'" + scales + extra;
}

} // namespace
} // namespace tessaly::bench

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    using namespace tessaly;
    using namespace tessaly::bench;
    if (argc < 2) {
        std::printf("usage: tessaly_resample_bench <folder>\n");
        return 1;
    }
    const fs::path folder = argv[1];
    fs::create_directories(folder / "reference");
    std::vector<fs::path> photos;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "decoded"))
        if (entry.path().extension() == ".ppm")
            photos.push_back(entry.path());
    std::sort(photos.begin(), photos.end());
    // vips on one thread, as our resampler runs one picture on one thread.
    setenv("VIPS_CONCURRENCY", "1", 1);
    const std::string scratch = (folder / "scratch.v").string();

    std::printf("%zu photos, natively; vips with VIPS_CONCURRENCY=1\n", photos.size());
    bool ok = !photos.empty();
    for (const unsigned width : {640u, 160u}) {
        double ours = 0, vips = 0, decibels = 0;
        unsigned counted = 0;
        for (const fs::path& photo : photos) {
            const std::optional<Pixels> picture = readPortablePixmap(photo.string());
            if (!picture) {
                std::printf("  cannot read %s\n", photo.string().c_str());
                ok = false;
                continue;
            }
            const PictureSize from{picture->width, picture->height};
            const PictureSize to = *scaledSize(from.width, from.height, width, 0);
            const std::string name = photo.stem().string();
            const std::string v = (folder / "decoded" / (name + ".v")).string();
            const std::string reference =
                (folder / "reference" / (name + "-" + std::to_string(width) + ".ppm")).string();
            if (!fs::exists(reference) &&
                std::system(vipsResize(v, reference, from, to, " --kernel lanczos3").c_str()) != 0)
                ok = false;

            double best = 1e9;
            Pixels copy;
            for (int i = 0; i < 3; ++i) {
                const Clock::time_point start = Clock::now();
                copy = resample(*picture, to);
                best = std::min(best, secondsSince(start));
            }
            ours += best;
            // vips' resample step: its resize less a plain copy of the same file, which reads
            // and writes as much.
            const double resize = commandTime(vipsResize(v, scratch, from, to));
            const double plain = commandTime("vips copy '" + v + "' '" + scratch + "'");
            if (resize < 0 || plain < 0)
                ok = false;
            vips += std::max(0.0, resize - plain);
            if (const std::optional<Pixels> lanczos = readPortablePixmap(reference)) {
                decibels += psnr(copy, *lanczos);
                ++counted;
            }
        }
        std::printf("to %u px wide:\n", width);
        std::printf("  our resampler: %8.3f s; vips resize (less vips copy): %8.3f s\n", ours,
                    vips);
        std::printf("  ratio ours / vips: %.2f (target: at most 1.0)\n", ours / vips);
        std::printf("  our resample against vips' Lanczos-3: %.1f dB PSNR on average\n",
                    counted ? decibels / counted : 0.0);
    }
    const Pixels grey = resample(stripes(1000, 1000), {40, 40});
    std::printf("1-px stripes, 1000 px shrunk 25x: standard deviation %.2f of 255 (target: < 12)\n",
                deviation(grey));
    fs::remove(scratch);
    return ok ? 0 : 1;
}
