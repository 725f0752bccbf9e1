#include "widgets/reports/FrameRangeDialog.h"

#include "core/common/Prompts.h"
#include "core/frames/IntegerText.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zurval {
namespace {

QLabel* label(const char* name, const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLineEdit* edit(const char* name, int value) {
    auto* e = new QLineEdit(QString::number(value));
    e->setObjectName(QString::fromLatin1(name));
    e->setFixedWidth(56);
    return e;
}

QPushButton* button(const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text));
    b->setObjectName(QString::fromLatin1(name));
    b->setFixedWidth(80);
    return b;
}

} // namespace

TForm_Kadr1::TForm_Kadr1(QWidget* mainWindow, Prompts& prompts, PrintRange& range)
    : QDialog(mainWindow, Qt::Tool), prompts_(prompts), range_(range),
      E_Home(edit("E_Home", kDefaultPrintRange.from)), E_End(edit("E_End", kDefaultPrintRange.to)) {
    setObjectName("Form_Kadr1");
    setWindowTitle(QStringLiteral("Вывод кадров на печать"));
    setFixedSize(313, 128);
    if (mainWindow)
        setFont(mainWindow->font()); // a window does not take its parent's font by itself

    auto* line = new QHBoxLayout;
    line->addStretch(1);
    line->addWidget(label("Label1", "Печатать с"));
    line->addWidget(E_Home);
    line->addWidget(label("Label2", "кадра по"));
    line->addWidget(E_End);
    line->addWidget(label("Label3", "кадр"));
    line->addStretch(1);
    QPushButton* ok = button("B_Ok", "Ok");
    QPushButton* cancel = button("B_Cancel", "Отмена");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TForm_Kadr1::B_OkClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addSpacing(16);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->addStretch(1);
    column->addLayout(line);
    column->addSpacing(12);
    column->addLayout(buttons);
    column->addStretch(1);

    if (mainWindow)
        move(mainWindow->frameGeometry().center() - rect().center());
}

void TForm_Kadr1::B_OkClick() {
    // Each edit must hold an integer; the dialog stays open to mend it.
    std::optional<int> ends[2];
    QLineEdit* const edits[2] = {E_Home, E_End};
    for (int i = 0; i < 2; ++i) {
        ends[i] = parseInteger(edits[i]->text());
        if (!ends[i]) {
            prompts_.error(notAnIntegerMessage(edits[i]->text()));
            return;
        }
    }
    if (*ends[0] >= *ends[1]) {
        prompts_.message(kWrongRangeMessage);
        return;
    }
    range_ = PrintRange{*ends[0], *ends[1]};
    accept();
}

} // namespace zurval
