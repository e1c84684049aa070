#pragma once
// Regional settings that formatting and date texts follow.
#include <QChar>
#include <QString>
#include <array>

enum class TDateOrder { MDY, DMY, YMD };

struct TFormatSettings {
    QString ShortDateFormat;   // e.g. "mm/dd/yyyy"; always two-digit day/month, four-digit year
    QChar DateSeparator;
    QString LongDateFormat;
    QChar TimeSeparator;
    QString ShortTimeFormat;
    QString LongTimeFormat;
    QString TimeAMString;
    QString TimePMString;
    QChar DecimalSeparator;
    QChar ThousandSeparator;
    std::array<QString, 12> ShortMonthNames;
    std::array<QString, 12> LongMonthNames;
    std::array<QString, 7> ShortDayNames;   // [0] = Sunday
    std::array<QString, 7> LongDayNames;

    TDateOrder DateOrder() const;           // read off ShortDateFormat

    // English names, "mm/dd/yyyy", "/", ":", "AM"/"PM", "." and ",".
    static TFormatSettings UsEnglish();
    // From the system locale, normalised to dd, mm, yyyy in the locale's order.
    static TFormatSettings FromSystemLocale();
};

// The settings in force; tests replace them.
TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
