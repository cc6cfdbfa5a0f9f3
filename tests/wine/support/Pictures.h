#pragma once
// Pictures for the imaging tests, made and inspected with GDI+ (started by whoever calls), apart
// from the imaging library under test; WIC writes the pixel formats GDI+ does not, and what
// neither writes (a DateTime tag in a TIFF file, an icon) is written byte by byte.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::test {

// Writes a width x height picture of one colour (0xAARRGGBB) with the encoder of the MIME
// type ("image/png", "image/gif", ...); a GIF picture, or any when paletted, is 8-bit indexed,
// the others 24-bit RGB. False when GDI+ cannot.
bool writePicture(const std::string& path, unsigned width, unsigned height,
                  const std::wstring& mimeType, std::uint32_t colour = 0xFF3080C0,
                  bool paletted = false);

// Writes a width x height picture of one colour in a pixel format that GDI+ does not encode,
// with the Windows Imaging Component: a CMYK JPEG (0xCCMMYYKK, ink amounts), a 16-bit grey PNG.
// False when it cannot.
bool writeCmykJpeg(const std::string& path, unsigned width, unsigned height, std::uint32_t cmyk);
bool writeGrey16Png(const std::string& path, unsigned width, unsigned height, std::uint16_t grey);
// A PNG picture of one colour with alpha, 0xAARRGGBB, not premultiplied.
bool writeArgbPng(const std::string& path, unsigned width, unsigned height, std::uint32_t argb);

// The bytes of an icon file holding one 32-bit picture of one colour (0xAARRGGBB), at most 256 x
// 256 pixels.
std::string iconFile(unsigned width, unsigned height, std::uint32_t argb);

struct PictureFacts {
    bool loaded = false;
    unsigned width = 0;
    unsigned height = 0;
    std::uint32_t centre = 0;        // the colour of the middle pixel, 0xAARRGGBB
    std::vector<std::uint32_t> edge; // the colours of the outermost rows and columns
};

// What GDI+ reads from the file.
PictureFacts readPicture(const std::string& path);

// Writes a JPEG picture whose top-left quarter is red and the rest blue, to see which way a copy
// of it is turned.
bool writeMarkedJpeg(const std::string& path, unsigned width, unsigned height);

// Which corner of a picture is red: 0 top left, 1 top right, 2 bottom right, 3 bottom left; -1
// when none is, or more than one.
int redCorner(const std::string& path);

// Whether two colours differ by at most tolerance in each of red, green and blue (JPEG is lossy).
bool closeColours(std::uint32_t a, std::uint32_t b, int tolerance = 24);

// The bytes of an uncompressed 8-bit grey TIFF picture whose DateTime tag (0x0132) holds the
// text, stored with its terminating NUL.
std::string tiffWithDateTime(unsigned width, unsigned height, const std::string& dateTime);

// Sets a file's last-write time to the given seconds since 1970 (UTC).
bool setModificationTime(const std::string& path, std::int64_t seconds);

} // namespace tessaly::test
