#include "core/frames/RecordTexts.h"

namespace zurval {
namespace {

QString checksumText(bool decoded, bool intact) {
    if (!decoded)
        return {};
    return intact ? QStringLiteral("Норма") : QStringLiteral("Брак");
}

QString overloadLine(const char* prefix, const OverloadRecord& o) {
    return QString::fromUtf8(prefix) + overloadDateText(o) + QStringLiteral(" и составила ") +
           QString::number(o.loadPercent) + QChar(u'%');
}

// A damaged stamp keeps the stored bytes the page shows, after a word that makes it a text.
QString damagedStamp(const QString& shown) {
    return QStringLiteral("неверно: ") + shown.trimmed();
}

} // namespace

QString bitText(std::uint16_t word) {
    QString text(16, Qt::Uninitialized);
    QChar* out = text.data();
    for (int p = 0; p < 16; ++p)
        out[p] = QChar((word >> (15 - p)) & 1 ? u'1' : u'0');
    return text;
}

QString wordText(const CycleFrame& f, std::uint16_t CycleFrame::*word) {
    return f.decoded ? bitText(f.*word) : QString();
}

QString frameTimeText(const CycleFrame& f) {
    if (!f.decoded)
        return {};
    if (isDateFrameMark(f.mark))
        return dateText(f.date);
    QString text = timeText(f.time) + QChar(u' ');
    if (f.dated)
        text += dateText(f.date);
    return text;
}

QString overloadDateText(const OverloadRecord& o) {
    return o.loadPercent != 0 ? dateText(o.date) : QString();
}

std::optional<QDate> calendarDate(const RecorderDate& d) {
    const std::optional<int> day = bcdValue(d.day);
    const std::optional<int> month = bcdValue(d.month);
    const std::optional<int> year = bcdValue(d.year);
    if (!day || !month || !year)
        return std::nullopt;
    const QDate date(2000 + *year, *month, *day);
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<QTime> clockTime(const RecorderTime& t) {
    const std::optional<int> hours = bcdValue(t.hours);
    const std::optional<int> minutes = bcdValue(t.minutes);
    const std::optional<int> seconds = bcdValue(t.seconds);
    if (!hours || !minutes || !seconds || !QTime::isValid(*hours, *minutes, *seconds))
        return std::nullopt;
    return QTime(*hours, *minutes, *seconds);
}

QString bitGroupsText(std::uint16_t word) {
    const QString bits = bitText(word);
    return bits.mid(0, 4) + u' ' + bits.mid(4, 4) + u' ' + bits.mid(8, 4) + u' ' + bits.mid(12, 4);
}

QString spreadsheetDate(const QDate& date, const SpreadsheetForm& form) {
    return date.toString(form.yearFirst ? u"yyyy-MM-dd" : u"dd.MM.yyyy");
}

QString frameTimeText(const CycleFrame& f, const SpreadsheetForm& form) {
    if (!f.decoded)
        return {};
    const std::optional<QDate> date = calendarDate(f.date);
    if (isDateFrameMark(f.mark))
        return date ? spreadsheetDate(*date, form) : damagedStamp(frameTimeText(f));
    const std::optional<QTime> time = clockTime(f.time);
    if (!time || (f.dated && !date))
        return damagedStamp(frameTimeText(f));
    const QString clock = time->toString(u"HH:mm:ss");
    return f.dated ? spreadsheetDate(*date, form) + u' ' + clock : clock;
}

QString overloadDateText(const OverloadRecord& o, const SpreadsheetForm& form) {
    if (o.loadPercent == 0)
        return {};
    const std::optional<QDate> date = calendarDate(o.date);
    return date ? spreadsheetDate(*date, form) : damagedStamp(overloadDateText(o));
}

OverloadSummary overloadSummary(const OverloadHighlights& highlights) {
    OverloadSummary s;
    if (highlights.largest)
        s.largest = overloadLine("Максимальная перегрузка произошла ", *highlights.largest);
    if (highlights.last)
        s.last = overloadLine("Последняя перегрузка произошла ", *highlights.last);
    return s;
}

QString checksumText(const CycleFrame& f) {
    return checksumText(f.decoded, f.intact);
}

QString checksumText(const OverloadRecord& o) {
    return checksumText(o.decoded, o.intact);
}

} // namespace zurval
