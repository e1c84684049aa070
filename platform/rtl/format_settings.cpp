#include "platform/rtl/format_settings.h"
#include <QLocale>

namespace {

TFormatSettings& Current()
{
    static TFormatSettings settings = TFormatSettings::FromSystemLocale();
    return settings;
}

// The first character of a locale text, or the fallback when it has none.
QChar FirstChar(const QString& text, QChar fallback)
{
    return text.isEmpty() ? fallback : text.front();
}

// The first character between two fields of a Qt date or time format.
QChar SeparatorOf(const QString& qtFormat, QChar fallback)
{
    bool inField = false;
    for (const QChar c : qtFormat) {
        if (c.isLetter()) inField = true;
        else if (inField && c != QLatin1Char('\'') && !c.isSpace()) return c;
    }
    return fallback;
}

// Qt's long date format in our letters: M becomes m, the rest match.
QString LongDateFormatOf(const QString& qtFormat)
{
    QString result;
    bool quoted = false;
    for (const QChar c : qtFormat) {
        if (c == QLatin1Char('\'')) quoted = !quoted;
        result += (!quoted && c == QLatin1Char('M')) ? QLatin1Char('m') : c;
    }
    return result;
}

} // namespace

TDateOrder TFormatSettings::DateOrder() const
{
    for (const QChar c : ShortDateFormat) {
        switch (c.toLower().unicode()) {
        case 'd': return TDateOrder::DMY;
        case 'm': return TDateOrder::MDY;
        case 'y': return TDateOrder::YMD;
        default: break;
        }
    }
    return TDateOrder::MDY;
}

TFormatSettings TFormatSettings::UsEnglish()
{
    TFormatSettings s;
    s.ShortDateFormat = QStringLiteral("mm/dd/yyyy");
    s.DateSeparator = QLatin1Char('/');
    s.LongDateFormat = QStringLiteral("dddd, mmmm dd, yyyy");
    s.TimeSeparator = QLatin1Char(':');
    s.ShortTimeFormat = QStringLiteral("h:nn AMPM");
    s.LongTimeFormat = QStringLiteral("h:nn:ss AMPM");
    s.TimeAMString = QStringLiteral("AM");
    s.TimePMString = QStringLiteral("PM");
    s.DecimalSeparator = QLatin1Char('.');
    s.ThousandSeparator = QLatin1Char(',');
    s.ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    s.LongMonthNames = {"January", "February", "March", "April", "May", "June", "July",
                        "August", "September", "October", "November", "December"};
    s.ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    s.LongDayNames = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    return s;
}

TFormatSettings TFormatSettings::FromSystemLocale()
{
    const QLocale locale = QLocale::system();
    TFormatSettings s = UsEnglish();

    // Day, month and year in the locale's order, always dd, mm and yyyy.
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    s.DateSeparator = SeparatorOf(shortDate, QLatin1Char('/'));
    const qsizetype d = shortDate.indexOf(QLatin1Char('d'));
    const qsizetype m = shortDate.indexOf(QLatin1Char('M'));
    const qsizetype y = shortDate.indexOf(QLatin1Char('y'));
    QStringList parts;
    if (y >= 0 && (d < 0 || y < d) && (m < 0 || y < m))
        parts = {QStringLiteral("yyyy"), QStringLiteral("mm"), QStringLiteral("dd")};
    else if (d >= 0 && m >= 0 && d < m)
        parts = {QStringLiteral("dd"), QStringLiteral("mm"), QStringLiteral("yyyy")};
    else
        parts = {QStringLiteral("mm"), QStringLiteral("dd"), QStringLiteral("yyyy")};
    s.ShortDateFormat = parts.join(s.DateSeparator);
    s.LongDateFormat = LongDateFormatOf(locale.dateFormat(QLocale::LongFormat));

    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    s.TimeSeparator = SeparatorOf(shortTime, QLatin1Char(':'));
    const bool twelveHour = shortTime.contains(QLatin1Char('a'), Qt::CaseInsensitive);
    const QString hour = shortTime.contains(QStringLiteral("hh"), Qt::CaseInsensitive)
        ? QStringLiteral("hh") : QStringLiteral("h");
    const QString sep(s.TimeSeparator);
    s.ShortTimeFormat = hour + sep + QStringLiteral("nn");
    s.LongTimeFormat = s.ShortTimeFormat + sep + QStringLiteral("ss");
    if (twelveHour) {
        s.ShortTimeFormat += QStringLiteral(" AMPM");
        s.LongTimeFormat += QStringLiteral(" AMPM");
    }
    if (!locale.amText().isEmpty()) s.TimeAMString = locale.amText();
    if (!locale.pmText().isEmpty()) s.TimePMString = locale.pmText();

    s.DecimalSeparator = FirstChar(locale.decimalPoint(), QLatin1Char('.'));
    s.ThousandSeparator = FirstChar(locale.groupSeparator(), QLatin1Char(','));
    for (int i = 0; i < 12; ++i) {
        s.ShortMonthNames[i] = locale.monthName(i + 1, QLocale::ShortFormat);
        s.LongMonthNames[i] = locale.monthName(i + 1, QLocale::LongFormat);
    }
    for (int i = 0; i < 7; ++i) {
        const int qtDay = i == 0 ? 7 : i;   // Qt counts Monday as 1
        s.ShortDayNames[i] = locale.dayName(qtDay, QLocale::ShortFormat);
        s.LongDayNames[i] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    return s;
}

TFormatSettings& FormatSettings()
{
    return Current();
}

void SetFormatSettings(const TFormatSettings& settings)
{
    Current() = settings;
}
