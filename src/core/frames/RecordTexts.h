#pragma once

#include "core/frames/CycleFrame.h"
#include "core/frames/Overloads.h"
#include "core/recorder/ServiceTexts.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace zurval {

// Every text of a frame or an overload record, made where it is shown. A reset entry shows
// empty texts for its words, its time and its checksum state (and zeros elsewhere).

// A word as 16 characters "0"/"1", most significant bit first.
[[nodiscard]] QString bitText(std::uint16_t word);
// One of the four words of a frame, named by its member (&CycleFrame::inputs).
[[nodiscard]] QString wordText(const CycleFrame& f, std::uint16_t CycleFrame::*word);

// "Время/Дата": a date frame's date, a time frame's time, a space and its date (nothing
// after the space when the ring has no date frame).
[[nodiscard]] QString frameTimeText(const CycleFrame& f);
// An overload record's date; empty in an empty record (load percentage 0).
[[nodiscard]] QString overloadDateText(const OverloadRecord& o);

// The recorder keeps the year as two BCD digits; its years are 2000 to 2099. none when a
// byte is no BCD number or there is no such day.
[[nodiscard]] std::optional<QDate> calendarDate(const RecorderDate& d);
// none when a byte is no BCD number or there is no such time of day.
[[nodiscard]] std::optional<QTime> clockTime(const RecorderTime& t);

// The texts a spreadsheet is to read right, whatever its locale: numbers with this decimal
// separator; a word in groups of four bits, which no spreadsheet takes for a number, so all
// sixteen stay a text; time stamps as dates with four-digit years, the day first
// ("02.03.2026 10:08:00") or, where the spreadsheet reads no such dates, year first
// ("2026-03-02 10:08:00").
struct SpreadsheetForm {
    QChar decimal = u',';
    bool yearFirst = false;
};

// "1010 0000 0001 0111"
[[nodiscard]] QString bitGroupsText(std::uint16_t word);
// A date frame's date, a time frame's date and time, or its time alone when the ring has no
// date frame. A stamp that is no date or time (a damaged frame) is "неверно: " and the
// stored bytes as the page shows them, a text that no spreadsheet takes for a date.
[[nodiscard]] QString frameTimeText(const CycleFrame& f, const SpreadsheetForm& form);
[[nodiscard]] QString overloadDateText(const OverloadRecord& o, const SpreadsheetForm& form);
[[nodiscard]] QString spreadsheetDate(const QDate& date, const SpreadsheetForm& form);

// The two lines under the overload selection group; a line is shown only while its text is
// not empty.
struct OverloadSummary {
    QString largest; // Label_MaxM
    QString last;    // Label_LastM
};
[[nodiscard]] OverloadSummary overloadSummary(const OverloadHighlights& highlights);

// "Норма" or "Брак".
[[nodiscard]] QString checksumText(const CycleFrame& f);
[[nodiscard]] QString checksumText(const OverloadRecord& o);

} // namespace zurval
