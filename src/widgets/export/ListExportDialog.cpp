#include "widgets/export/ListExportDialog.h"

#include "core/common/Prompts.h"
#include "core/document/RecorderSession.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace zurval {

std::optional<CsvDestination> askCsvDestination(Prompts& prompts, const QString& title,
                                                const QString& folder, const QString& fileName) {
    const SaveAnswer answer = prompts.saveFile(
        {title,
         folder,
         {QStringLiteral("CSV для таблиц на русском: «;», десятичная запятая (*.csv)"),
          QStringLiteral("CSV с разделителем «,» и десятичной точкой (*.csv)"),
          QStringLiteral("Все файлы (*)")},
         QStringLiteral("csv"),
         fileName});
    if (answer.path.isEmpty())
        return std::nullopt;
    return CsvDestination{answer.path, answer.filter == 1 ? CsvStyle::Point : CsvStyle::Comma};
}

void exportListWithDialog(ExportedList list, const RecorderSession& session, Prompts& prompts,
                          const QString& folder) {
    // A reading opened from the archive is named "архив: N, DD.MM.YYYY", which is no file's
    // name and whose date's dots are no extension.
    const QString stem =
        session.fromBytes()
            ? QString(session.fileName()).replace(QRegularExpression(QStringLiteral("[:,\\s]+")),
                                                  QStringLiteral("_"))
            : QFileInfo(session.fileName()).completeBaseName();
    const QString proposed = stem +
                             (list == ExportedList::Frames ? QStringLiteral("_кадры.csv")
                                                           : QStringLiteral("_перегрузки.csv"));
    const std::optional<CsvDestination> to =
        askCsvDestination(prompts, QStringLiteral("Экспорт в CSV"), folder, proposed);
    if (!to)
        return;
    QString error;
    if (!writeCsvFile(to->path, listTable(session.document().cyclic, list, to->style), &error))
        prompts.error(QStringLiteral("Не удалось записать файл %1:\n%2").arg(to->path, error));
}

} // namespace zurval
