#include "ControlGatherer.h"

#include <QLabel>
#include <QLineEdit>

namespace zurval {

ControlTexts gatherControlTexts(const QWidget* root) {
    ControlTexts texts;
    // Visible as the control's own flag says: a label on a page that is not in front is
    // still shown there.
    for (const QLineEdit* e : root->findChildren<QLineEdit*>())
        if (!e->objectName().isEmpty())
            texts.set(e->objectName(), e->text(), !e->isHidden());
    for (const QLabel* l : root->findChildren<QLabel*>())
        if (!l->objectName().isEmpty())
            texts.set(l->objectName(), l->text(), !l->isHidden());
    return texts;
}

} // namespace zurval
