#pragma once

#include "core/recorder/RecorderFile.h"

#include <QString>
#include <optional>

namespace zurval {

// Colours of the status bar during a device command.
enum class StatusColour {
    ButtonFace, // idle, cancelled or aborted
    Red,        // the device is being read
    Yellow,     // the data are in and being checked; stays on a checksum mismatch
    Green,      // the checksum matched
};

// What a device command shows in the main window. The commands run on the user-interface
// thread and block it, so the window paints only when asked to.
class TransferView {
public:
    virtual ~TransferView() = default;
    // Panel 1 of the status bar: the messages of the command, and the name of the file saved.
    virtual void setStatusText(const QString& text) = 0;
    virtual void setStatusColour(StatusColour colour) = 0;
    virtual void setProgressVisible(bool visible) = 0;
    // 0 to 100.
    virtual void setProgress(int percent) = 0;
    // Paint what has changed now (status bar, progress bar, edits).
    virtual void repaint() = 0;
    // Called before every step that may block (a port call that waits, a pause): the window
    // may paint pending changes here, cheaply (it is called for every byte received), and
    // must not let the user start anything else.
    virtual void beforeBlockingStep() {}
    // The operator details of the main window (Edit_Name, Edit_NUd, Edit_Org,
    // Edit_DataSch): written to the saved file, and updated by the operator dialog.
    [[nodiscard]] virtual OperatorBlock operatorTexts() const = 0;
    virtual void setOperatorTexts(const OperatorBlock& texts) = 0;
};

// "Информация об операторе": asks who read the device out. The dialog lives for the whole
// run and proposes the texts entered at the previous read.
class OperatorDialog {
public:
    virtual ~OperatorDialog() = default;
    // Shows the dialog modally; a given readingDate replaces the date it proposes. True, with
    // the dialog's texts in entered, when the user closes it with "Ok".
    [[nodiscard]] virtual bool ask(const std::optional<QString>& readingDate,
                                   OperatorBlock& entered) = 0;
};

} // namespace zurval
