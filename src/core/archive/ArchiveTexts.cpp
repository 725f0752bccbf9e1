#include "ArchiveTexts.h"

namespace zurval {} // namespace zurval
