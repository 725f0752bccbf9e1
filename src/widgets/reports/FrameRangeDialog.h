#pragma once

#include "render/reports/Reports.h"

#include <QDialog>

class QLineEdit;

namespace zurval {

class Prompts;

// "Вывод кадров на печать": the range of the frame and overload reports. "Ok" with a start
// below the end sets the main window's range and closes; "Отмена" or closing keeps it.
class TForm_Kadr1 : public QDialog {
    Q_OBJECT
public:
    TForm_Kadr1(QWidget* mainWindow, Prompts& prompts, PrintRange& range);

private:
    void B_OkClick();

    Prompts& prompts_;
    PrintRange& range_;
    QLineEdit* E_Home;
    QLineEdit* E_End;
};

} // namespace zurval
