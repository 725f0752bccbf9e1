#include "ListExportDialog.h"

#include "Prompts.h"
#include "RecorderSession.h"

#include <QFileInfo>

namespace zurval {

void exportListWithDialog(ExportedList list, const RecorderSession& session, Prompts& prompts,
                          const QString& folder) {
    const QString proposed = QFileInfo(session.fileName()).completeBaseName() +
                             (list == ExportedList::Frames ? QStringLiteral("_кадры.csv")
                                                           : QStringLiteral("_перегрузки.csv"));
    const QString path = prompts.saveFileName(
        {QStringLiteral("Экспорт в CSV"),
         folder,
         {QStringLiteral("Таблицы CSV (*.csv)"), QStringLiteral("Все файлы (*)")},
         QStringLiteral("csv"),
         proposed});
    if (path.isEmpty())
        return;
    QString error;
    if (!writeCsvFile(path, listTable(session.document().cyclic, list), &error))
        prompts.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(path, error));
}

} // namespace zurval
