#pragma once

namespace zurval {

// A page of the main window that mirrors the session it was made with: it puts back its
// defaults when the session is cleared and shows a recording once one is opened. The window
// keeps its pages in a list and tells them in the order the open command fills them.
class DocumentView {
public:
    virtual ~DocumentView() = default;
    virtual void clear() = 0;
    virtual void show() = 0;
};

} // namespace zurval
