#include "dataset/text_helpers.h"
#include "platform/rtl/format.h"
#include "platform/rtl/string_list.h"

QString NextToken(const QString& text, const QString& delimiter, int& position)
{
    if (position < 1 || position > text.size()) return {};
    const QString rest = text.mid(position - 1);

    qsizetype found = -1;
    qsizetype length = 1;
    if (delimiter.size() == 1) {
        found = rest.indexOf(delimiter.front());
    } else {
        const QString word = QLatin1Char(' ') + delimiter + QLatin1Char(' ');
        found = rest.indexOf(word, 0, Qt::CaseInsensitive);
        length = word.size();
    }
    if (found < 0) {
        position = -1;
        return rest;
    }
    position += static_cast<int>(found + length);
    return rest.left(found);
}

void SplitToList(const QString& text, QChar delimiter, TStrings& list)
{
    list.Clear();
    qsizetype start = 0;
    for (;;) {
        const qsizetype found = text.indexOf(delimiter, start);
        if (found < 0) {
            list.Add(text.mid(start));
            return;
        }
        list.Add(text.mid(start, found - start));
        start = found + 1;
    }
}

void StripTrailingChars(QString& text, const QString& charSet)
{
    qsizetype end = text.size();
    while (end > 0 && charSet.contains(text[end - 1])) --end;
    text.truncate(end);
}

QString ReplaceChar(const QString& text, QChar oldChar, QChar newChar)
{
    QString result = text;
    return result.replace(oldChar, newChar);
}

int CountChar(const QString& text, QChar ch)
{
    return static_cast<int>(text.count(ch));
}

QString TextAfterChar(const QString& text, QChar ch)
{
    const qsizetype found = text.indexOf(ch);
    return found < 0 ? QString() : text.mid(found + 1);
}

bool IsValidIntegerText(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool leadingMinus = i == 0 && c == QLatin1Char('-') && text.size() > 1;
        if (!digit && !leadingMinus) return false;
    }
    return true;
}

bool IsValidFloatText(const QString& text)
{
    double value = 0;
    return text.isEmpty() || TryStrToFloat(text, value);
}

int FindTabLine(const TStrings& lines, const QString& fieldName)
{
    for (int i = 0; i < lines.Count(); ++i)
        if (SameTextNoCase(lines[i].section(QLatin1Char('\t'), 0, 0), fieldName)) return i;
    return -1;
}

QString JoinLines(const TStrings& lines, bool blankSeparated)
{
    return lines.ToQStringList().join(blankSeparated ? QStringLiteral(" ") : QStringLiteral("\r\n"));
}
