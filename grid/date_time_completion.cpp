#include "grid/date_time_completion.h"
#include "dataset/date_text.h"
#include "platform/rtl/format_settings.h"

namespace {

QString Digits(int value, bool twoDigits)
{
    return twoDigits ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')) : QString::number(value);
}

bool AmPmInUse()
{
    const TFormatSettings& fs = FormatSettings();
    return fs.LongTimeFormat.contains(QLatin1String("am"), Qt::CaseInsensitive)
           || fs.ShortTimeFormat.contains(QLatin1String("am"), Qt::CaseInsensitive);
}

QString AmString()
{
    const QString& am = FormatSettings().TimeAMString;
    return am.isEmpty() ? QStringLiteral("AM") : am;
}

QString PmString()
{
    const QString& pm = FormatSettings().TimePMString;
    return pm.isEmpty() ? QStringLiteral("PM") : pm;
}

bool DateComplete(const QString& date)
{
    const QChar separator = FormatSettings().DateSeparator;
    return date.count(separator) >= 2 && !date.endsWith(separator);
}

QString DatePartText(TDateTimePart part, TDateTime now)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(now, year, month, day);
    const QString format = FormatSettings().ShortDateFormat.toLower();
    switch (part) {
    case dtpDay: return Digits(day, format.contains(QLatin1String("dd")));
    case dtpMonth: return Digits(month, format.contains(QLatin1String("mm")));
    default: return QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    }
}

QString CompleteDate(const QString& text, TDateTime now)
{
    const QChar separator = FormatSettings().DateSeparator;
    TDateTimePart part = dtpDay;
    if (text.isEmpty()) {
        switch (DateOrderOfFormat(FormatSettings().ShortDateFormat)) {
        case TDateOrder::MDY: part = dtpMonth; break;
        case TDateOrder::DMY: part = dtpDay; break;
        case TDateOrder::YMD: part = dtpYear; break;
        }
    } else if (text.count(separator) < 2 && !text.endsWith(separator)) {
        return text + separator;
    } else {
        part = DatePartAtCursor(int(text.size()), text, false);
    }
    QString result = text + DatePartText(part, now);
    if (!result.endsWith(separator) && result.count(separator) < 2) result += separator;
    return result;
}

// Time is the time part of Text, which it ends.
QString CompleteTime(const QString& text, const QString& time, TDateTime now)
{
    const QChar separator = FormatSettings().TimeSeparator;
    const bool amPm = AmPmInUse();
    const bool complete = amPm ? time.contains(AmString(), Qt::CaseInsensitive)
                                     || time.contains(PmString(), Qt::CaseInsensitive)
                               : time.count(separator) >= 2 && !time.endsWith(separator);
    if (complete) return text;
    int hour = 0, minute = 0, second = 0, msec = 0;
    DecodeTime(now, hour, minute, second, msec);
    if (time.trimmed().isEmpty()) {
        int shown = hour;
        if (amPm) shown = hour % 12 == 0 ? 12 : hour % 12;
        return text + QString::number(shown) + separator;
    }
    if (!time.endsWith(separator)) {
        if (time.count(separator) < 2) return text + separator;
        if (!text.endsWith(QLatin1Char(' '))) return text + QLatin1Char(' ');
        return text + (hour < 12 ? AmString() : PmString());
    }
    if (TimePartAtCursor(int(time.size()), time) == dtpMinute) return text + Digits(minute, true) + separator;
    return text + Digits(second, true);
}

} // namespace

QString CompleteDateTimeText(const QString& text, TwwEditDataType kind, TDateTime now)
{
    switch (kind) {
    case TwwEditDataType::wwDefault: return text;
    case TwwEditDataType::wwEdtTime: return CompleteTime(text, text, now);
    case TwwEditDataType::wwEdtDate: return DateComplete(text) ? text : CompleteDate(text, now);
    case TwwEditDataType::wwEdtDateTime: break;
    }
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString date = blank < 0 ? text : text.left(blank);
    if (!DateComplete(date)) return blank < 0 ? CompleteDate(text, now) : text;
    if (blank < 0) return text + QLatin1Char(' ');
    return CompleteTime(text, text.mid(blank + 1), now);
}
