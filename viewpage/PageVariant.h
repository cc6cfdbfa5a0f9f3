#pragma once

namespace tessaly {

// The two flavours of the picture page: the context-menu entry's and the main dialog's.
enum class PageVariant {
    FromViewVerb,
    FromRenameDialog,
};

} // namespace tessaly
