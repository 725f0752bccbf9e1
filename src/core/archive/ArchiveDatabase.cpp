#include "ArchiveDatabase.h"

namespace zurval {} // namespace zurval
