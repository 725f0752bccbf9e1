#pragma once

#include "core/acquisition/TransferView.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace zurval {

// "Информация об операторе": who read the device out, with the certificate, organisation
// and date. One instance lives for the whole run, so it proposes the texts entered at the
// previous read. It is a window of its own, not a child of the main window: its edits carry
// the same names as the main window's operator edits, which they are copied into.
class TForm_saver : public QDialog, public OperatorDialog {
    Q_OBJECT
public:
    explicit TForm_saver(QWidget* parent = nullptr);

    // The window the dialog is shown over.
    void setOwnerWindow(QWidget* owner) { owner_ = owner; }
    // Shows the dialog modally; a given readingDate goes into Edit_DataSch first.
    [[nodiscard]] bool ask(const std::optional<QString>& readingDate,
                           OperatorBlock& entered) override;
    [[nodiscard]] OperatorBlock texts() const;

private:
    void placeOverOwner();

    QWidget* owner_ = nullptr;
    QLineEdit *Edit_Name, *Edit_Org, *Edit_NUd, *Edit_DataSch;
    QPushButton *Button_Ok, *Button_Cansel;
};

} // namespace zurval
