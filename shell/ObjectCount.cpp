#include "shell/ObjectCount.h"

namespace tessaly {

LONG ObjectCount = 0;

} // namespace tessaly
