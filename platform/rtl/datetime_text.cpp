#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include <cmath>

// Dates and times as text under the regional settings.

namespace {

struct DateParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    int dayOfWeek = 1;
    bool hasTime = false;
};

DateParts Split(TDateTime value)
{
    DateParts p;
    DecodeDate(value, p.year, p.month, p.day);
    DecodeTime(value, p.hour, p.minute, p.second, p.msec);
    p.dayOfWeek = DayOfWeek(value);
    p.hasTime = p.hour != 0 || p.minute != 0 || p.second != 0 || p.msec != 0;
    return p;
}

QString Padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

bool StartsWith(const QString& pattern, qsizetype at, const char* marker)
{
    return QStringView(pattern).mid(at).startsWith(QLatin1String(marker), Qt::CaseInsensitive);
}

// True when an am/pm marker follows: the hours before it are on the 12-hour clock.
bool TwelveHourAhead(const QString& pattern, qsizetype from)
{
    QChar quote;
    for (qsizetype i = from; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (StartsWith(pattern, i, "am/pm") || StartsWith(pattern, i, "a/p") || StartsWith(pattern, i, "ampm")) {
            return true;
        }
    }
    return false;
}

class DateFormatter {
public:
    DateFormatter(const DateParts& parts, const TFormatSettings& settings)
        : p_(parts), fs_(settings) {}

    QString Run(const QString& pattern, int depth = 0)
    {
        QString out;
        qsizetype i = 0;
        while (i < pattern.size()) {
            const QChar c = pattern[i];
            const char16_t lower = c.toLower().unicode();
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                const qsizetype end = pattern.indexOf(c, i + 1);
                const qsizetype stop = end < 0 ? pattern.size() : end;
                out += pattern.mid(i + 1, stop - i - 1);
                i = stop + 1;
                continue;
            }
            if (lower == 'a') {
                if (AmPm(pattern, i, out)) continue;
                out += c;
                ++i;
                continue;
            }
            qsizetype n = 1;
            while (i + n < pattern.size() && pattern[i + n].toLower() == QChar(lower)) ++n;
            switch (lower) {
            case 'c':
                out += Run(fs_.ShortDateFormat, depth + 1);
                if (p_.hasTime) out += QLatin1Char(' ') + Run(fs_.LongTimeFormat, depth + 1);
                break;
            case 'd': Day(n, depth, out); break;
            case 'm': Month(n, out); break;
            case 'y': out += n <= 2 ? Padded(p_.year % 100, 2) : Padded(p_.year, 4); break;
            case 'h': Hour(n, pattern, i + n, out); break;
            case 'n': out += n >= 2 ? Padded(p_.minute, 2) : QString::number(p_.minute); break;
            case 's': out += n >= 2 ? Padded(p_.second, 2) : QString::number(p_.second); break;
            case 'z': out += n >= 3 ? Padded(p_.msec, 3) : QString::number(p_.msec); break;
            case 't': out += Run(n >= 2 ? fs_.LongTimeFormat : fs_.ShortTimeFormat, depth + 1); break;
            case '/': out += QString(n, fs_.DateSeparator); break;
            case ':': out += QString(n, fs_.TimeSeparator); break;
            default: out += pattern.mid(i, n); break;
            }
            if (c.isLetter()) afterHour_ = lower == 'h';
            i += n;
        }
        return out;
    }

private:
    void Day(qsizetype n, int depth, QString& out)
    {
        switch (n) {
        case 1: out += QString::number(p_.day); break;
        case 2: out += Padded(p_.day, 2); break;
        case 3: out += fs_.ShortDayNames[p_.dayOfWeek - 1]; break;
        case 4: out += fs_.LongDayNames[p_.dayOfWeek - 1]; break;
        case 5: if (depth < 2) out += Run(fs_.ShortDateFormat, depth + 1); break;
        default: if (depth < 2) out += Run(fs_.LongDateFormat, depth + 1); break;
        }
    }

    // "m" and "mm" straight after an hour are minutes, as in "hh:mm".
    void Month(qsizetype n, QString& out)
    {
        if (afterHour_ && n <= 2) {
            out += n == 2 ? Padded(p_.minute, 2) : QString::number(p_.minute);
            return;
        }
        switch (n) {
        case 1: out += QString::number(p_.month); break;
        case 2: out += Padded(p_.month, 2); break;
        case 3: out += fs_.ShortMonthNames[p_.month - 1]; break;
        default: out += fs_.LongMonthNames[p_.month - 1]; break;
        }
    }

    void Hour(qsizetype n, const QString& pattern, qsizetype next, QString& out)
    {
        int hour = p_.hour;
        if (TwelveHourAhead(pattern, next)) {
            hour %= 12;
            if (hour == 0) hour = 12;
        }
        out += n >= 2 ? Padded(hour, 2) : QString::number(hour);
    }

    // am/pm and a/p keep the pattern's case; ampm writes the regional texts.
    bool AmPm(const QString& pattern, qsizetype& i, QString& out)
    {
        const bool pm = p_.hour >= 12;
        if (StartsWith(pattern, i, "am/pm")) {
            const QString marker = pattern.mid(pm ? i + 3 : i, 2);
            out += marker;
            i += 5;
        } else if (StartsWith(pattern, i, "a/p")) {
            out += pattern[pm ? i + 2 : i];
            i += 3;
        } else if (StartsWith(pattern, i, "ampm")) {
            out += pm ? fs_.TimePMString : fs_.TimeAMString;
            i += 4;
        } else {
            return false;
        }
        afterHour_ = false;
        return true;
    }

    const DateParts& p_;
    const TFormatSettings& fs_;
    bool afterHour_ = false;
};

} // namespace

QString FormatDateTime(const QString& pattern, TDateTime value)
{
    const DateParts parts = Split(value);
    if (parts.year == 0) return {};   // outside the calendar's years 1 to 9999
    return DateFormatter(parts, FormatSettings()).Run(pattern);
}

QString DateToStr(TDateTime value)
{
    return FormatDateTime(QStringLiteral("ddddd"), value);
}

QString TimeToStr(TDateTime value)
{
    return FormatDateTime(QStringLiteral("tt"), value);
}

QString DateTimeToStr(TDateTime value)
{
    return FormatDateTime(QStringLiteral("c"), value);
}

// Two or three numbers separated by the date separator, in the order of the
// short date format; a missing year is this year, a year below 100 is in this
// century.
bool TryStrToDate(const QString& text, TDateTime& result)
{
    const TFormatSettings& fs = FormatSettings();
    const QStringList parts = text.trimmed().split(fs.DateSeparator);
    if (parts.size() < 2 || parts.size() > 3) return false;
    int numbers[3] = {0, 0, 0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = parts[i].trimmed();
        if (part.isEmpty() || part.size() > 4) return false;
        for (const QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        numbers[i] = part.toInt();
    }
    int currentYear = 0, currentMonth = 0, currentDay = 0;
    DecodeDate(Date(), currentYear, currentMonth, currentDay);
    int year = 0, month = 0, day = 0;
    const bool withYear = parts.size() == 3;
    switch (fs.DateOrder()) {
    case TDateOrder::MDY: month = numbers[0]; day = numbers[1]; year = withYear ? numbers[2] : currentYear; break;
    case TDateOrder::DMY: day = numbers[0]; month = numbers[1]; year = withYear ? numbers[2] : currentYear; break;
    case TDateOrder::YMD:
        if (withYear) { year = numbers[0]; month = numbers[1]; day = numbers[2]; }
        else { year = currentYear; month = numbers[0]; day = numbers[1]; }
        break;
    }
    if (withYear) {
        const QString yearText = parts[fs.DateOrder() == TDateOrder::YMD ? 0 : 2].trimmed();
        if (yearText.size() <= 2) year += currentYear / 100 * 100;
    }
    return TryEncodeDate(year, month, day, result);
}

TDateTime StrToDate(const QString& text)
{
    TDateTime result = 0;
    if (!TryStrToDate(text, result))
        throw EConvertError(QStringLiteral("%1 is not a valid date").arg(QuotedInput(text)));
    return result;
}
