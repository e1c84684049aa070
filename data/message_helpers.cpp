#include "data/message_helpers.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include <array>

qint16 ShowErrorMessage(const QString& msg) {
    MessageDlg(msg + QChar(13), TMsgDlgType::mtError, mbOK, 1);
    return mrNo;
}

QString TrimLeftChar(QString s, QChar c) {
    qsizetype n = 0;
    while (n < s.size() && s[n] == c)
        ++n;
    return s.remove(0, n);
}

QString TrimRightChar(QString s, QChar c) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == c)
        --n;
    s.truncate(n);
    return s;
}

QString TrimSpaces(const QString& s) {
    return TrimRightChar(TrimLeftChar(s, QChar(' ')), QChar(' '));
}

qint16 YearOf(TDateTime d) {
    int year, month, day;
    DecodeDate(d, year, month, day);
    return static_cast<qint16>(year);
}

qint16 MonthOf(TDateTime d) {
    int year, month, day;
    DecodeDate(d, year, month, day);
    return static_cast<qint16>(month);
}

TDateTime LastDayOfMonth(TDateTime d) {
    int year, month, day;
    DecodeDate(d, year, month, day);
    if (month == 12) {
        ++year;
        month = 1;
    } else {
        ++month;
    }
    return EncodeDate(year, month, 1) - 1;
}

QString MonthName(qint16 month) {
    static const std::array<const char*, 12> names = {
        "January", "February", "March", "April", "May", "June",
        "July", "August", "September", "October", "November", "December"};
    if (month < 1 || month > 12)
        throw ERangeError("Range check error");
    return QString::fromLatin1(names[month - 1]);
}
