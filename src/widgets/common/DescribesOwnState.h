#pragma once

#include <QJsonObject>

namespace zurval {

// A control the generic walk cannot read (a chart, a series, a picture) describes itself:
// the fields it returns are added to its entry in the dump.
class DescribesOwnState {
public:
    virtual ~DescribesOwnState() = default;
    [[nodiscard]] virtual QJsonObject describeState() const = 0;
};

} // namespace zurval
