#include "Forecast.h"

namespace zurval {} // namespace zurval
