#include "ArchiveReading.h"

namespace zurval {} // namespace zurval
