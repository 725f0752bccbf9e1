#pragma once

#include "ControlTexts.h"

class QWidget;

namespace zurval {

// The text and the visibility of every named edit and label below root, as the reports
// read the main window.
[[nodiscard]] ControlTexts gatherControlTexts(const QWidget* root);

} // namespace zurval
