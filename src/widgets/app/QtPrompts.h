#pragma once

#include "core/common/Prompts.h"

class QWidget;

namespace zurval {

// Modal message boxes and file dialogs over the main window.
class QtPrompts : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void message(const QString& text) override;
    void error(const QString& text) override;
    void information(const QString& text) override;
    bool confirm(const QString& text) override;
    QString openFileName(const FileDialogRequest& request) override;
    SaveAnswer saveFile(const FileDialogRequest& request) override;
    QString existingFolder(const QString& title, const QString& folder) override;

private:
    QWidget* parent_;
};

} // namespace zurval
