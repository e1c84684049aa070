#include "dataset/date_text.h"
#include "dataset/text_helpers.h"
#include <algorithm>

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

void SkipBlanks(const QString& text, int& position)
{
    while (position >= 1 && position <= text.size() && text[position - 1] == QLatin1Char(' ')) ++position;
}

// Up to four significant digits (reading stops once the value reaches 1000),
// or else a short month name giving its number.
bool ReadNumber(const QString& text, int& position, int& number)
{
    int at = position;
    SkipBlanks(text, at);
    int value = 0;
    int digits = 0;
    while (value < 1000 && at <= text.size() && IsDigit(text[at - 1])) {
        value = value * 10 + text[at - 1].digitValue();
        ++at;
        ++digits;
    }
    if (digits > 0) {
        number = value;
        position = at;
        return true;
    }
    const QString word = text.mid(at - 1, 3);
    if (word.isEmpty()) return false;
    const auto& names = FormatSettings().ShortMonthNames;
    for (int month = 0; month < 12; ++month) {
        if (SameTextNoCase(word, names[month])) {
            number = month + 1;
            position = at + static_cast<int>(word.size());
            return true;
        }
    }
    return false;
}

bool ReadChar(const QString& text, int& position, QChar ch)
{
    int at = position;
    SkipBlanks(text, at);
    if (at > text.size() || text[at - 1] != ch) return false;
    position = at + 1;
    return true;
}

bool ReadWord(const QString& text, int& position, const QString& word)
{
    if (word.isEmpty()) return false;
    int at = position;
    SkipBlanks(text, at);
    if (!SameTextNoCase(text.mid(at - 1, word.size()), word)) return false;
    position = at + static_cast<int>(word.size());
    return true;
}

int CurrentYear()
{
    int year = 0, month = 0, day = 0;
    DecodeDate(Date(), year, month, day);
    return year;
}

TDateTimePart DatePart(int caret, const QString& text)
{
    const TFormatSettings& settings = FormatSettings();
    const QString separator(settings.DateSeparator);
    int position = 1;
    int n = 0;
    for (;;) {
        const QString token = NextToken(text, separator, position);
        if (token.isEmpty() || position == -1 || caret < position - 1) break;
        ++n;
    }
    if (n >= 3) return dtpDay;
    static constexpr TDateTimePart byOrder[3][3] = {
        {dtpMonth, dtpDay, dtpYear},    // month-day-year
        {dtpDay, dtpMonth, dtpYear},    // day-month-year
        {dtpYear, dtpMonth, dtpDay},    // year-month-day
    };
    return byOrder[static_cast<int>(DateOrderOfFormat(settings.ShortDateFormat))][n];
}

// The time starts at Position. Past the two digits that follow the separator
// before the seconds the caret stands in the AM/PM marker.
TDateTimePart TimePart(int caret, const QString& text, int position)
{
    const QString separator(FormatSettings().TimeSeparator);
    int limit = 100;
    int n = 0;
    for (;;) {
        const QString token = NextToken(text, separator, position);
        if (token.isEmpty() || position == -1 || caret < position - 1) break;
        if (n == 1) limit = position - 1;
        ++n;
    }
    if (n == 0) return dtpHour;
    if (n == 1) return dtpMinute;
    return n == 2 && caret > limit + 2 ? dtpAmPm : dtpSecond;
}

} // namespace

TDateOrder DateOrderOfFormat(const QString& format)
{
    for (const QChar c : format) {
        switch (c.toUpper().unicode()) {
        case 'D': return TDateOrder::DMY;
        case 'M': return TDateOrder::MDY;
        case 'Y': return TDateOrder::YMD;
        default: break;
        }
    }
    return TDateOrder::MDY;
}

bool ReadDateText(const QString& text, int& position, TDateTime& date)
{
    const TFormatSettings& settings = FormatSettings();
    const QChar separator = settings.DateSeparator;
    int at = position;
    int n1 = 0, n2 = 0, n3 = 0;
    if (!ReadNumber(text, at, n1) || !ReadChar(text, at, separator) || !ReadNumber(text, at, n2)) return false;

    const TDateOrder order = DateOrderOfFormat(settings.ShortDateFormat);
    int year = 0, month = 0, day = 0;
    if (ReadChar(text, at, separator)) {
        if (!ReadNumber(text, at, n3)) return false;
        switch (order) {
        case TDateOrder::MDY: month = n1; day = n2; year = n3; break;
        case TDateOrder::DMY: day = n1; month = n2; year = n3; break;
        case TDateOrder::YMD: year = n1; month = n2; day = n3; break;
        }
        if (year <= 99) year += 1900;
    } else {
        year = CurrentYear();
        if (order == TDateOrder::DMY) { day = n1; month = n2; }
        else { month = n1; day = n2; }
    }
    SkipBlanks(text, at);
    TDateTime value = 0;
    if (!TryEncodeDate(year, month, day, value)) return false;
    date = value;
    position = at;
    return true;
}

bool ReadTimeText(const QString& text, int& position, TDateTime& time)
{
    const TFormatSettings& settings = FormatSettings();
    const QChar separator = settings.TimeSeparator;
    int at = position;
    int hour = 0, minute = 0, second = 0;
    if (!ReadNumber(text, at, hour) || !ReadChar(text, at, separator) || !ReadNumber(text, at, minute)) return false;
    if (ReadChar(text, at, separator) && !ReadNumber(text, at, second)) return false;

    int base = -1;
    if (ReadWord(text, at, settings.TimeAMString) || ReadWord(text, at, QStringLiteral("AM"))) base = 0;
    else if (ReadWord(text, at, settings.TimePMString) || ReadWord(text, at, QStringLiteral("PM"))) base = 12;
    if (base >= 0) {
        if (hour < 1 || hour > 12) return false;
        hour = hour % 12 + base;
    }
    SkipBlanks(text, at);
    TDateTime value = 0;
    if (!TryEncodeTime(hour, minute, second, 0, value)) return false;
    time = value;
    position = at;
    return true;
}

bool IsValidDateText(const QString& text)
{
    int position = 1;
    TDateTime date = 0;
    return ReadDateText(text, position, date) && position > text.size();
}

bool IsValidTimeText(const QString& text)
{
    int position = 1;
    TDateTime time = 0;
    return ReadTimeText(text, position, time) && position > text.size();
}

bool IsValidDateTimeText(const QString& text)
{
    int position = 1;
    TDateTime date = 0, time = 0;
    return ReadDateText(text, position, date) && ReadTimeText(text, position, time) && position > text.size();
}

TDateTimePart DatePartAtCursor(int caret, const QString& text, bool timeOnly)
{
    // A caret outside the text stands at its nearer end.
    caret = std::clamp(caret, 0, static_cast<int>(text.size()));
    int position = 1;
    if (!timeOnly) {
        TDateTime date = 0;
        const bool read = ReadDateText(text, position, date);
        // A caret right after the blank that ends the date already stands in the time.
        const bool afterBlank = caret + 1 == position && caret >= 1 && text[caret - 1] == QLatin1Char(' ');
        if (!read || (caret < position && !afterBlank)) return DatePart(caret, text);
    }
    return TimePart(caret, text, position);
}

TDateTimePart TimePartAtCursor(int caret, const QString& text)
{
    if (caret < 1) return dtpHour;
    return TimePart(std::min(caret, static_cast<int>(text.size())), text, 1);
}
