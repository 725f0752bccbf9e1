#include "widgets/acquisition/Saver.h"

#include "widgets/common/ControlColours.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zurval {
namespace {

constexpr int kWidth = 454;
constexpr int kHeight = 179;
constexpr int kEditWidth = 300;

QLineEdit* edit(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMinimumWidth(kEditWidth);
    return e;
}

QLabel* label(const char* name, const QString& caption) {
    auto* l = new QLabel(caption);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(75);
    return b;
}

} // namespace

TForm_saver::TForm_saver(QWidget* parent) : QDialog(parent, Qt::Tool) {
    setObjectName("Form_saver");
    setWindowTitle(QStringLiteral("Информация об операторе"));
    setFont(QFont(QStringLiteral("Liberation Sans"), 8));

    Edit_Name = edit("Edit_Name");
    QFont bold = Edit_Name->font();
    bold.setBold(true);
    Edit_Name->setFont(bold);
    setControlColour(Edit_Name, colours::Navy);
    Edit_Org = edit("Edit_Org");
    Edit_NUd = edit("Edit_NUd");
    Edit_DataSch = edit("Edit_DataSch");
    Button_Ok = button("Button_Ok", QStringLiteral("Ok"));
    Button_Ok->setDefault(true);
    Button_Cansel = button("Button_Cansel", QStringLiteral("Отмена"));

    auto* rows = new QGridLayout;
    rows->setVerticalSpacing(8);
    const std::pair<QLabel*, QLineEdit*> kRows[] = {
        {label("Label49", QStringLiteral("Инормацию считал:")), Edit_Name},
        {label("Label54", QStringLiteral("Организация:")), Edit_Org},
        {label("Label58", QStringLiteral("Удостоверение №")), Edit_NUd},
        {label("Label65", QStringLiteral("Дата считывания:")), Edit_DataSch},
    };
    for (int i = 0; i < 4; ++i) {
        rows->addWidget(kRows[i].first, i, 0);
        rows->addWidget(kRows[i].second, i, 1);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button_Ok);
    buttons->addSpacing(16);
    buttons->addWidget(Button_Cansel);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 10, 12, 10);
    column->addLayout(rows);
    column->addStretch(1);
    column->addLayout(buttons);

    setTabOrder(Button_Ok, Edit_Name);
    setTabOrder(Edit_Name, Edit_NUd);
    setTabOrder(Edit_NUd, Edit_Org);
    setTabOrder(Edit_Org, Edit_DataSch);
    setTabOrder(Edit_DataSch, Button_Cansel);
    resize(kWidth, kHeight);

    // "Ok" takes the texts; "Отмена" and the close box leave the main window's as they were.
    connect(Button_Ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button_Cansel, &QPushButton::clicked, this, &QDialog::reject);
}

OperatorBlock TForm_saver::texts() const {
    return {Edit_Name->text(), Edit_NUd->text(), Edit_Org->text(), Edit_DataSch->text()};
}

bool TForm_saver::ask(const std::optional<QString>& readingDate, OperatorBlock& entered) {
    if (readingDate)
        Edit_DataSch->setText(*readingDate);
    placeOverOwner();
    Button_Ok->setFocus(); // the first in the tab order: Enter keeps the proposed texts
    if (exec() != QDialog::Accepted)
        return false;
    entered = texts();
    return true;
}

void TForm_saver::placeOverOwner() {
    if (owner_)
        move(owner_->frameGeometry().center() - QPoint(width() / 2, height() / 2));
}

} // namespace zurval
