#pragma once
// Owning handles for GDI+ objects of the flat interface, so that every picture, canvas, drawing
// context and set of image attributes is released on every path that made it, GDI+ started for
// a scope, and the encoder lookup.

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "imaging/HGlobalStream.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <wrl/client.h>

namespace tessaly {

// GDI+ started while this lives (version 1, no debug callback, background thread and external
// codecs not suppressed); GDI+ counts the starts of several.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

struct GdiplusImageDispose {
    void operator()(Gdiplus::GpImage* image) const { Gdiplus::DllExports::GdipDisposeImage(image); }
};
struct GdiplusGraphicsDelete {
    void operator()(Gdiplus::GpGraphics* graphics) const {
        Gdiplus::DllExports::GdipDeleteGraphics(graphics);
    }
};

struct GdiplusImageAttributesDispose {
    void operator()(Gdiplus::GpImageAttributes* attributes) const {
        Gdiplus::DllExports::GdipDisposeImageAttributes(attributes);
    }
};

using GdiplusImage = std::unique_ptr<Gdiplus::GpImage, GdiplusImageDispose>;
using GdiplusBitmap = std::unique_ptr<Gdiplus::GpBitmap, GdiplusImageDispose>;
using GdiplusGraphics = std::unique_ptr<Gdiplus::GpGraphics, GdiplusGraphicsDelete>;
using GdiplusImageAttributes =
    std::unique_ptr<Gdiplus::GpImageAttributes, GdiplusImageAttributesDispose>;

// A picture that GDI+ decodes from a stream over bytes in memory: it reads from the stream for
// as long as the picture lives, so the stream goes last.
struct StreamedImage {
    Microsoft::WRL::ComPtr<IStream> stream;
    GdiplusImage image;
};

// Loads a picture from a file's bytes; the image is null when GDI+ cannot.
StreamedImage loadGdiplusImage(const std::string& bytes);

// The class identifier of the first installed encoder, in GDI+'s order, whose MIME type is
// exactly mimeType; nothing when there is none.
std::optional<CLSID> findGdiplusEncoder(const std::wstring& mimeType);

} // namespace tessaly
