#include "FleetArchive.h"

namespace zurval {} // namespace zurval
