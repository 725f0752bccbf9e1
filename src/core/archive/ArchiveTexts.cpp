#include "core/archive/ArchiveTexts.h"

#include "core/common/NumberFormat.h"

#include <QJsonObject>
#include <functional>

namespace zurval {
namespace {

// One column of a table of the archive: its caption (a line break where the window wraps
// it), its name in JSON and how a row's cell is made; a column of dates or of numbers with
// decimals has a form of its own for files.
template <typename Row> struct Column {
    QString caption;
    QString key;
    std::function<SummaryCell(const Row&)> cell;
    std::function<QString(const Row&, const SpreadsheetForm&)> spreadsheet = {};
    bool number = false; // a number in JSON
};
using ReadingColumn = Column<StoredReading>;
using FleetColumn = Column<FleetRow>;

SummaryCell text(const QString& t, const QVariant& key) {
    return {t, key};
}
SummaryCell quantity(const QString& t, const QVariant& key) {
    return {t, key, true};
}

QString shownDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}
QVariant dateKey(const QDate& date) {
    return date.isValid() ? QVariant(date.toJulianDay()) : QVariant();
}
QString fileDate(const QDate& date, const SpreadsheetForm& form) {
    return date.isValid() ? spreadsheetDate(date, form) : QString();
}

using R = const StoredReading&;
using S = const SpreadsheetForm&;

template <typename Row> Column<Row> craneModel() {
    return {QStringLiteral("Кран"), QStringLiteral("crane"),
            [](const Row& r) { return text(r.crane.craneModel, r.crane.craneModel); }};
}
template <typename Row> Column<Row> craneNumber() {
    return {QStringLiteral("№ крана"),
            QStringLiteral("crane_number"),
            [](const Row& r) {
                return quantity(QString::number(r.crane.craneNumber), r.crane.craneNumber);
            },
            {},
            true};
}
template <typename Row> Column<Row> recorderNumber() {
    return {QStringLiteral("№ РП"), QStringLiteral("recorder_number"),
            [](const Row& r) { return text(r.crane.recorderNumber, r.crane.recorderNumber); }};
}
ReadingColumn readingDate(const QString& caption, const QString& key) {
    return {caption, key,
            [](R r) { return text(shownDate(r.readingDate), dateKey(r.readingDate)); },
            [](R r, S form) { return fileDate(r.readingDate, form); }};
}
ReadingColumn readingDateSource() {
    return {QStringLiteral("Дата\nвзята из"), QStringLiteral("reading_date_source"), [](R r) {
                const QString t = readingDateSourceText(r.readingDateSource);
                return text(t, t);
            }};
}
ReadingColumn operatorName() {
    return {QStringLiteral("Оператор"), QStringLiteral("operator"),
            [](R r) { return text(r.operatorName, r.operatorName); }};
}
ReadingColumn normativeGroup() {
    return {QStringLiteral("Нормативная\nгруппа"), QStringLiteral("normative_group"),
            [](R r) { return text(groupText(r.normativeGroup), r.normativeGroup); }};
}
ReadingColumn currentGroup() {
    return {QStringLiteral("Текущая\nгруппа"), QStringLiteral("group"),
            [](R r) { return text(groupText(r.duty.groupA), r.duty.groupA); }};
}
ReadingColumn classU() {
    return {QStringLiteral("Класс\nиспользования"), QStringLiteral("class_u"),
            [](R r) { return text(dutyTexts(r.duty).classU, r.duty.classU); }};
}
ReadingColumn classQ() {
    return {QStringLiteral("Режим\nнагружения"), QStringLiteral("class_q"),
            [](R r) { return text(dutyTexts(r.duty).classQ, r.duty.classQ); }};
}
// A reading whose number was no number, infinite or below zero says so.
ReadingColumn characteristicNumber() {
    return {QStringLiteral("Хар. число\nтекущее"), QStringLiteral("characteristic_number"),
            [](R r) {
                return r.characteristicNumber
                           ? quantity(formatPattern(*r.characteristicNumber, "#0.00"),
                                      *r.characteristicNumber)
                           : quantity(missingNumberText(), {});
            },
            [](R r, S form) {
                return r.characteristicNumber
                           ? formatPattern(*r.characteristicNumber, "#0.00", form.decimal)
                           : missingNumberText();
            },
            true};
}
ReadingColumn normativeNumber() {
    return {QStringLiteral("Хар. число\nнормативное"),
            QStringLiteral("normative_characteristic_number"),
            [](R r) {
                return quantity(dutyTexts(r.duty).normativeCharacteristicNumber,
                                r.duty.normativeCharacteristicNumber);
            },
            {},
            true};
}
ReadingColumn motorHours() {
    return {QStringLiteral("Общая\nнаработка"), QStringLiteral("motor_hours"),
            [](R r) { return quantity(formatMotorHours(r.motorMinutes), r.motorMinutes); }};
}
ReadingColumn newHeavyOverloads() {
    return {QStringLiteral("Новых перегрузок\n> 125%"),
            QStringLiteral("new_overloads"),
            [](R r) {
                return r.newHeavyOverloads
                           ? quantity(QString::number(*r.newHeavyOverloads), *r.newHeavyOverloads)
                           : quantity({}, {});
            },
            {},
            true};
}
ReadingColumn path() {
    return {QStringLiteral("Файл"), QStringLiteral("path"),
            [](R r) { return text(r.path, r.path); }};
}
ReadingColumn recordingKept() {
    return {QStringLiteral("Запись"), QStringLiteral("recording"), [](R r) {
                const QString t = recordingKeptText(r.recordingKept);
                return text(t, t);
            }};
}
ReadingColumn sha256() {
    return {QStringLiteral("SHA-256"), QStringLiteral("sha256"), [](R r) {
                const QString t = QString::fromLatin1(r.imageSha256);
                return text(t, t);
            }};
}

// A column of the crane's newest dated reading: empty while it has none.
FleetColumn ofLast(const ReadingColumn& c) {
    FleetColumn f{
        c.caption,
        c.key,
        [cell = c.cell](const FleetRow& row) { return row.last ? cell(*row.last) : SummaryCell{}; },
        {},
        c.number};
    if (c.spreadsheet)
        f.spreadsheet = [s = c.spreadsheet](const FleetRow& row, S form) {
            return row.last ? s(*row.last, form) : QString();
        };
    return f;
}

const std::vector<ReadingColumn>& readingColumns() {
    static const std::vector<ReadingColumn> columns = {
        craneModel<StoredReading>(),
        craneNumber<StoredReading>(),
        recorderNumber<StoredReading>(),
        readingDate(QStringLiteral("Дата\nсчитывания"), QStringLiteral("reading_date")),
        readingDateSource(),
        operatorName(),
        normativeGroup(),
        currentGroup(),
        classU(),
        classQ(),
        characteristicNumber(),
        normativeNumber(),
        motorHours(),
        newHeavyOverloads(),
        path(),
        recordingKept(),
        sha256(),
    };
    return columns;
}

const std::vector<FleetColumn>& fleetColumns() {
    using F = const FleetRow&;
    static const std::vector<FleetColumn> columns = {
        craneModel<FleetRow>(),
        craneNumber<FleetRow>(),
        recorderNumber<FleetRow>(),
        ofLast(
            readingDate(QStringLiteral("Последнее\nсчитывание"), QStringLiteral("last_reading"))),
        {QStringLiteral("Считываний"),
         QStringLiteral("readings"),
         [](F row) { return quantity(QString::number(row.readingCount), row.readingCount); },
         {},
         true},
        ofLast(normativeGroup()),
        ofLast(currentGroup()),
        ofLast(classU()),
        ofLast(classQ()),
        ofLast(characteristicNumber()),
        ofLast(normativeNumber()),
        ofLast(motorHours()),
        ofLast(newHeavyOverloads()),
        // The most urgent first: a limit reached sorts by the day it was, and before any date
        // to come.
        {QStringLiteral("Прогноз\nэкспертизы"), QStringLiteral("forecast"),
         [](F row) {
             const Forecast& f = row.forecast;
             return text(forecastText(f),
                         f.kind == ForecastKind::NoData ? QVariant() : dateKey(f.date));
         },
         [](F row, S form) { return forecastText(row.forecast, &form); }},
        {QStringLiteral("По одному\nсчитыванию"), QStringLiteral("forecast_single_reading"),
         [](F row) {
             const QString t = singleReadingText(row.forecast);
             return text(t, t);
         }},
    };
    return columns;
}

template <typename Row> QStringList captions(const std::vector<Column<Row>>& columns) {
    QStringList c;
    for (const Column<Row>& column : columns)
        c << column.caption;
    return c;
}

template <typename Row>
std::vector<SummaryCell> cells(const std::vector<Column<Row>>& columns, const Row& row,
                               const SpreadsheetForm* spreadsheet) {
    std::vector<SummaryCell> out;
    out.reserve(columns.size());
    for (const Column<Row>& column : columns) {
        SummaryCell cell = column.cell(row);
        if (spreadsheet != nullptr && column.spreadsheet)
            cell.text = column.spreadsheet(row, *spreadsheet);
        out.push_back(std::move(cell));
    }
    return out;
}

template <typename Row>
CsvTable table(const std::vector<Column<Row>>& columns, const std::vector<Row>& rows,
               CsvStyle style) {
    const SpreadsheetForm form = spreadsheetForm(style);
    CsvTable t;
    t.style = style;
    for (const QString& caption : captions(columns))
        t.header << QString(caption).replace(u'\n', u' ');
    for (const Row& row : rows) {
        QStringList texts;
        for (const SummaryCell& cell : cells(columns, row, &form))
            texts << cell.text;
        t.rows.push_back(texts);
    }
    return t;
}

// Numbers are the values themselves, a missing one null; texts in the point style.
template <typename Row>
QJsonArray json(const std::vector<Column<Row>>& columns, const std::vector<Row>& rows) {
    const SpreadsheetForm form = spreadsheetForm(CsvStyle::Point);
    QJsonArray array;
    for (const Row& row : rows) {
        const std::vector<SummaryCell> texts = cells(columns, row, &form);
        QJsonObject object;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            const SummaryCell& cell = texts[k];
            if (columns[k].number)
                object.insert(columns[k].key, cell.sortKey.isValid()
                                                  ? QJsonValue(cell.sortKey.toDouble())
                                                  : QJsonValue());
            else
                object.insert(columns[k].key,
                              cell.text.isEmpty() ? QJsonValue() : QJsonValue(cell.text));
        }
        array.append(object);
    }
    return array;
}

} // namespace

QString forecastText(const Forecast& forecast, const SpreadsheetForm* spreadsheet) {
    switch (forecast.kind) {
    case ForecastKind::Date:
        return spreadsheet != nullptr ? spreadsheetDate(forecast.date, *spreadsheet)
                                      : shownDate(forecast.date);
    case ForecastKind::Reached:
        return QStringLiteral("достигнуто");
    case ForecastKind::NoData:
        break;
    }
    return QStringLiteral("нет данных");
}

QString missingNumberText() {
    return QStringLiteral("недостоверно");
}

QString recordingKeptText(bool kept) {
    return kept ? QStringLiteral("в архиве") : QStringLiteral("только путь");
}

QString singleReadingText(const Forecast& forecast) {
    return forecast.singleReading ? QStringLiteral("да") : QString();
}

QString readingDateSourceText(ReadingDateSource source) {
    switch (source) {
    case ReadingDateSource::OperatorBlock:
        return QStringLiteral("оператор");
    case ReadingDateSource::NewestFrame:
        return QStringLiteral("последний кадр");
    case ReadingDateSource::None:
        break;
    }
    return QStringLiteral("нет");
}

const QStringList& fleetCaptions() {
    static const QStringList c = captions(fleetColumns());
    return c;
}

std::vector<SummaryCell> fleetCells(const FleetRow& row, const SpreadsheetForm* spreadsheet) {
    return cells(fleetColumns(), row, spreadsheet);
}

CsvTable fleetTable(const std::vector<FleetRow>& rows, CsvStyle style) {
    return table(fleetColumns(), rows, style);
}

QJsonArray fleetJson(const std::vector<FleetRow>& rows) {
    return json(fleetColumns(), rows);
}

const QStringList& readingCaptions() {
    static const QStringList c = captions(readingColumns());
    return c;
}

std::vector<SummaryCell> readingCells(const StoredReading& reading,
                                      const SpreadsheetForm* spreadsheet) {
    return cells(readingColumns(), reading, spreadsheet);
}

CsvTable readingsTable(const std::vector<StoredReading>& readings, CsvStyle style) {
    return table(readingColumns(), readings, style);
}

QJsonArray readingsJson(const std::vector<StoredReading>& readings) {
    return json(readingColumns(), readings);
}

} // namespace zurval

namespace zurval {

const QStringList& historyCaptions() {
    static const QStringList c = {
        QStringLiteral("№"),
        QStringLiteral("Дата\nсчитывания"),
        QStringLiteral("Дата\nвзята из"),
        QStringLiteral("Оператор"),
        QStringLiteral("Наработка,\nч:мин:с"),
        QStringLiteral("Хар. число\nтекущее"),
        QStringLiteral("Прирост"),
        QStringLiteral("Класс\nU"),
        QStringLiteral("Режим\nQ"),
        QStringLiteral("Группа"),
        QStringLiteral("Новых\nперегрузок\n> 125%"),
    };
    return c;
}

QStringList historyCells(int number, const StoredReading& r, const NumberGrowth& growth) {
    const DutyTexts duty = dutyTexts(r.duty);
    QString grew;
    if (growth.reset)
        grew = QStringLiteral("сброс");
    else if (growth.growth)
        grew = formatPattern(*growth.growth, "#0.00");
    return {QString::number(number),
            r.readingDate.isValid() ? shownDate(r.readingDate) : QStringLiteral("без даты"),
            readingDateSourceText(r.readingDateSource),
            r.operatorName,
            formatMotorHours(r.motorMinutes),
            r.characteristicNumber ? formatPattern(*r.characteristicNumber, "#0.00")
                                   : missingNumberText(),
            grew,
            duty.classU,
            duty.classQ,
            groupText(r.duty.groupA),
            r.newHeavyOverloads ? QString::number(*r.newHeavyOverloads) : QString()};
}

QString installationText(const QDate& installed, const QDate& fromReading) {
    if (!installed.isValid())
        return QStringLiteral("не известна");
    return shownDate(installed) +
           (fromReading.isValid()
                ? QStringLiteral(" (по считыванию от %1)").arg(shownDate(fromReading))
                : QStringLiteral(" (по считыванию без даты)"));
}

QString forecastBasisText(const std::vector<StoredReading>& readings, const Forecast& forecast) {
    int first = 0, last = 0, count = 0;
    for (int i = forecast.seriesBegin; i < static_cast<int>(readings.size()); ++i)
        if (readings[i].readingDate.isValid() && readings[i].characteristicNumber) {
            first = first == 0 ? i + 1 : first;
            last = i + 1;
            ++count;
        }
    if (count == 0)
        return QStringLiteral("нет считываний с датой и характеристическим числом");
    if (count == 1)
        return QStringLiteral("считывание № %1 и дата установки").arg(first);
    return QStringLiteral("считывания № %1–%2 (%3)").arg(first).arg(last).arg(count);
}

QString growthPerYearText(const Forecast& forecast) {
    constexpr double kDaysPerYear = 365.25;
    if (!forecast.hasLine)
        return {};
    return formatPattern(forecast.slopePerDay * kDaysPerYear, "#0.00") + QStringLiteral(" в год");
}

QString forecastMethodText(const Forecast& forecast) {
    QString method =
        forecast.singleReading
            ? QStringLiteral("После последнего сброса счётчиков есть одно считывание: прямая "
                             "проведена от даты установки регистратора, когда характеристическое "
                             "число было равно нулю, через это считывание.")
            : QStringLiteral("Прямая проведена методом наименьших квадратов через считывания "
                             "после последнего сброса счётчиков (считывания до уменьшения "
                             "характеристического числа не учитываются).");
    method += QStringLiteral(" Прогноз экспертизы — первый день, когда прямая достигает "
                             "нормативного характеристического числа группы крана.");
    if (forecast.kind == ForecastKind::Reached)
        method += QStringLiteral(" Считывание уже достигло нормативного числа: дата прогноза — "
                                 "дата этого считывания.");
    else if (forecast.kind == ForecastKind::NoData)
        method += forecast.hasLine ? QStringLiteral(" Прямая не растёт: дату назвать нельзя.")
                                   : QStringLiteral(" Прямую провести нельзя: нет двух "
                                                    "считываний с датой или даты установки.");
    return method;
}

const CraneChartTexts& craneChartTexts() {
    static const CraneChartTexts t{
        QStringLiteral("Дата считывания"), QStringLiteral("Характеристическое число"),
        QStringLiteral("Считывания"), QStringLiteral("Считывания до сброса"),
        QStringLiteral("Прямая по считываниям")};
    return t;
}

QString normativeLevelText(double normative) {
    return QStringLiteral("нормативное: %1").arg(formatGeneral(normative));
}

QString forecastMarkText(const Forecast& forecast) {
    const QString text = forecastText(forecast);
    return forecast.kind == ForecastKind::Date ? QStringLiteral("прогноз: ") + text : text;
}

QString craneText(const CraneKey& crane) {
    return QStringLiteral("Кран %1 № %2, регистратор № %3")
        .arg(crane.craneModel)
        .arg(crane.craneNumber)
        .arg(crane.recorderNumber);
}

QString archivedReadingName(const StoredReading& reading) {
    QString name = QStringLiteral("архив: ") + reading.crane.recorderNumber;
    if (reading.readingDate.isValid())
        name += QStringLiteral(", ") + shownDate(reading.readingDate);
    return name;
}

} // namespace zurval
