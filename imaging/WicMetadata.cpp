#include "imaging/WicMetadata.h"

#include "platform/WideText.h"

#include <cstring>

#include <wrl/client.h>

namespace tessaly {

namespace {
// Where the tag lies: in a JPEG's EXIF segment, or in the first IFD of a TIFF file (and of the
// formats whose codecs present their EXIF block as TIFF does).
const wchar_t* const kDateTimeQueries[] = {L"/app1/ifd/{ushort=306}", L"/ifd/{ushort=306}"};

std::string upToNul(std::string text) {
    text.resize(std::strlen(text.c_str()));
    return text;
}
} // namespace

std::optional<std::string> wicDateTimeTag(IWICBitmapFrameDecode* frame) {
    Microsoft::WRL::ComPtr<IWICMetadataQueryReader> reader;
    if (FAILED(frame->GetMetadataQueryReader(&reader)))
        return std::nullopt;
    for (const wchar_t* query : kDateTimeQueries) {
        PROPVARIANT value;
        PropVariantInit(&value);
        if (FAILED(reader->GetMetadataByName(query, &value)))
            continue;
        std::optional<std::string> text;
        if (value.vt == VT_LPSTR && value.pszVal != nullptr)
            text = upToNul(value.pszVal);
        else if (value.vt == VT_LPWSTR && value.pwszVal != nullptr)
            text = upToNul(utf8FromWide(value.pwszVal, std::wcslen(value.pwszVal)));
        PropVariantClear(&value);
        if (text)
            return text;
    }
    return std::nullopt;
}

} // namespace tessaly
