#pragma once

namespace zurval {

struct RecorderDocument;

// A page of the main window: it puts back its defaults and shows a loaded document. The
// window keeps its pages in a list in the order the open command fills them.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void clear() = 0;
    virtual void show(const RecorderDocument& document) = 0;
};

} // namespace zurval
