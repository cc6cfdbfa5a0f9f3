#include "platform/ExtendedPath.h"

#include "naming/FullPath.h"
#include "platform/WideText.h"

namespace tessaly {

std::wstring extendedPath(const std::string& path) {
    switch (fullPathKind(path)) {
    case FullPathKind::Extended:
        return wideFromUtf8(path);
    case FullPathKind::Drive:
        return L"\\\\?\\" + wideFromUtf8(path);
    case FullPathKind::Network:
        return L"\\\\?\\UNC\\" + wideFromUtf8(path.substr(2));
    case FullPathKind::NotFull:
        break;
    }
    return std::wstring();
}

} // namespace tessaly
