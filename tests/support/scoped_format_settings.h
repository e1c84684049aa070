#pragma once
// Puts regional settings in force for one test and restores the previous ones.
#include "platform/rtl/format_settings.h"

class ScopedFormatSettings {
public:
    explicit ScopedFormatSettings(const TFormatSettings& settings = TFormatSettings::UsEnglish())
        : saved_(FormatSettings()) { SetFormatSettings(settings); }
    ~ScopedFormatSettings() { SetFormatSettings(saved_); }
    ScopedFormatSettings(const ScopedFormatSettings&) = delete;
    ScopedFormatSettings& operator=(const ScopedFormatSettings&) = delete;

    // US names with day-month-year order and the given separators.
    static TFormatSettings DayMonthYear(QChar dateSeparator = QLatin1Char('/'), QChar decimal = QLatin1Char(','))
    {
        TFormatSettings s = TFormatSettings::UsEnglish();
        s.DateSeparator = dateSeparator;
        s.ShortDateFormat = QStringLiteral("dd") + dateSeparator + QStringLiteral("mm") + dateSeparator + QStringLiteral("yyyy");
        s.DecimalSeparator = decimal;
        s.ThousandSeparator = decimal == QLatin1Char(',') ? QLatin1Char('.') : QLatin1Char(',');
        s.ShortTimeFormat = QStringLiteral("hh:nn");
        s.LongTimeFormat = QStringLiteral("hh:nn:ss");
        return s;
    }

private:
    TFormatSettings saved_;
};
