#pragma once

#include <QString>
#include <QStringList>

namespace zurval {

// What a file dialog is opened with.
struct FileDialogRequest {
    QString title;
    QString folder;        // where the dialog starts
    QStringList filters;   // "Бинарные (*.vrl)", ...
    QString defaultSuffix; // added to a typed name without one (save dialogs)
    QString fileName = {}; // the name proposed (save dialogs), "" for none
};

// What a save dialog gives: the file ("" when the user cancels) and the position of the
// filter ("file type") chosen in the request's list.
struct SaveAnswer {
    QString path;
    int filter = 0;
};

// Every modal message box and file dialog of the program goes through this interface, so
// commands can run under tests and in the headless state dump.
class Prompts {
public:
    virtual ~Prompts() = default;
    virtual void message(const QString& text) = 0;     // plain box, OK
    virtual void error(const QString& text) = 0;       // error box, OK
    virtual void information(const QString& text) = 0; // information box, OK
    // OK and Cancel; true when the user confirms.
    [[nodiscard]] virtual bool confirm(const QString& text) = 0;
    // The chosen file, or "" when the user cancels.
    [[nodiscard]] virtual QString openFileName(const FileDialogRequest& request) = 0;
    [[nodiscard]] virtual SaveAnswer saveFile(const FileDialogRequest& request) = 0;
    [[nodiscard]] QString saveFileName(const FileDialogRequest& request) {
        return saveFile(request).path;
    }
    // An existing folder, starting in folder; "" when the user cancels.
    [[nodiscard]] virtual QString existingFolder(const QString& title, const QString& folder) = 0;
};

} // namespace zurval
