#pragma once
// Streams over memory of the global heap (CreateStreamOnHGlobal): what encoders write into and
// what is read back from them as bytes.

#include <windows.h>
#include <objidl.h>

#include <optional>
#include <string>

#include <wrl/client.h>

namespace tessaly {

// A stream over a copy of the bytes, or null.
Microsoft::WRL::ComPtr<IStream> memoryStream(const std::string& bytes);

// Everything a memory stream holds; nothing when it cannot be read.
std::optional<std::string> memoryStreamBytes(IStream* stream);

} // namespace tessaly
