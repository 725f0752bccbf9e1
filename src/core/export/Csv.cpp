#include "core/export/Csv.h"

#include <QSaveFile>

namespace zurval {
namespace {

// A sign followed by digits and the separators of numbers and times only.
bool isSignedNumber(const QString& text) {
    if (text.size() < 2 || !text.at(1).isDigit())
        return false;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!c.isDigit() && c != u'.' && c != u',' && c != u':')
            return false;
    }
    return true;
}

bool runsAsFormula(const QString& text) {
    if (text.isEmpty())
        return false;
    const QChar first = text.at(0);
    if (first == u'=' || first == u'@' || first == u'\t' || first == u'\r')
        return true;
    return (first == u'+' || first == u'-') && !isSignedNumber(text);
}

} // namespace

char csvSeparator(CsvStyle style) {
    return style == CsvStyle::Point ? ',' : ';';
}

SpreadsheetForm spreadsheetForm(CsvStyle style) {
    return style == CsvStyle::Point ? SpreadsheetForm{u'.', true} : SpreadsheetForm{u',', false};
}

std::optional<CsvStyle> csvStyleNamed(const QString& name) {
    if (name == QLatin1String("comma"))
        return CsvStyle::Comma;
    if (name == QLatin1String("point"))
        return CsvStyle::Point;
    return std::nullopt;
}

QString csvField(const QString& text, char separator) {
    QString field = runsAsFormula(text) ? QStringLiteral("'") + text : text;
    const bool quote = field.contains(QChar(separator)) || field.contains(u'"') ||
                       field.contains(u'\n') || field.contains(u'\r') || field.startsWith(u' ') ||
                       field.endsWith(u' ');
    if (!quote)
        return field;
    field.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QStringLiteral("\"") + field + QStringLiteral("\"");
}

QByteArray csvBytes(const CsvTable& table) {
    QString text;
    const char separator = csvSeparator(table.style);
    auto addLine = [&text, separator](const QStringList& fields) {
        for (qsizetype i = 0; i < fields.size(); ++i) {
            if (i > 0)
                text += QChar(separator);
            text += csvField(fields[i], separator);
        }
        text += QStringLiteral("\r\n");
    };
    addLine(table.header);
    for (const QStringList& row : table.rows)
        addLine(row);
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool writeCsvFile(const QString& path, const CsvTable& table, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    const QByteArray bytes = csvBytes(table);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zurval
