#include "imaging/WicResizer.h"

#include "imaging/CarriedMetadata.h"
#include "imaging/ComApartment.h"
#include "imaging/Orientation.h"
#include "imaging/Resampler.h"
#include "imaging/WicDecoder.h"
#include "imaging/WicJpegEncoder.h"
#include "imaging/WicMetadata.h"

#include <new>
#include <utility>

namespace tessaly {

namespace {

// A picture opened for a copy: its orientation and the copy's sizes, upright and as stored.
struct CopyJob {
    WicPicture picture;
    int orientation = 1;
    PictureSize upright; // the copy as it is seen
    PictureSize stored;  // the copy before it is turned upright
};

std::optional<CopyJob> openCopyJob(const std::string& bytes, const PictureHead& head,
                                   unsigned width, unsigned height) {
    std::optional<WicPicture> picture = openWicPicture(bytes);
    if (!picture)
        return std::nullopt;
    CopyJob job{std::move(*picture), recordedOrientation(head), {}, {}};
    // The size applies to the upright picture, as every viewer shows it.
    const PictureSize seen = turnedSize(job.picture.size, job.orientation);
    const std::optional<PictureSize> copy = scaledSize(seen.width, seen.height, width, height);
    if (!copy)
        return std::nullopt;
    job.upright = *copy;
    job.stored = turnedSize(*copy, job.orientation);
    return job;
}

// The bytes of pixels the copy holds at its peak: the decoded picture, the resampler's work, and
// the copy beside it until it is encoded (turning it upright makes another).
std::uint64_t peakPixelBytes(const CopyJob& job, const DecodePlan& plan) {
    const std::uint64_t decoded =
        std::uint64_t{plan.size.width} * plan.size.height * bytesPerPixel(plan.layout);
    const std::uint64_t copy = std::uint64_t{job.upright.width} * job.upright.height * 3;
    return decoded + resampleWorkBytes(plan.size, plan.layout, job.stored) + 2 * copy;
}

} // namespace

std::optional<std::string> WicResizer::ScaledJpeg(const std::string& bytes, unsigned width,
                                                  unsigned height,
                                                  const PixelReservation& reserve) {
    const ComApartment com;
    if (!com.usable())
        return std::nullopt;
    try {
        const PictureHead head = readPictureHead(bytes);
        std::optional<CopyJob> job = openCopyJob(bytes, head, width, height);
        if (!job)
            return std::nullopt;
        // One opening of the picture tells its pixels and then decodes them: some codecs (Wine's
        // JPEG decoder) decode the whole picture as it is opened.
        const DecodePlan plan = planDecode(job->picture, job->stored);
        if (reserve && !reserve(peakPixelBytes(*job, plan)))
            return std::nullopt;
        std::optional<Pixels> decoded = decodeWicPicture(job->picture, plan);
        if (!decoded)
            return std::nullopt;
        // The source goes before the copy is encoded: its decoder may hold pixels of its own.
        job->picture.frame.Reset();
        job->picture.decoder.Reset();
        job->picture.stream.Reset();
        const Pixels copy = turnUpright(resample(*decoded, job->stored), job->orientation);
        decoded.reset();
        std::optional<std::string> jpeg = encodeWicJpeg(job->picture.factory.Get(), copy);
        if (!jpeg)
            return std::nullopt;
        return withCarriedMetadata(std::move(*jpeg), carriedMetadata(head, job->upright));
    } catch (const std::bad_alloc&) {
        return std::nullopt; // a picture too large for the memory at hand gets no copy
    }
}

std::optional<std::string> WicResizer::ReadDateTimeTag(const std::string& bytes) const {
    const ComApartment com;
    if (!com.usable())
        return std::nullopt;
    try {
        const std::optional<WicPicture> picture = openWicPicture(bytes);
        if (!picture)
            return std::nullopt;
        return wicDateTimeTag(picture->frame.Get());
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace tessaly
