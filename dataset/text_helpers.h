#pragma once
// Taking apart the per-field setting lines and judging typed numbers.
// Positions in texts count from 1, as the setting formats and the caret
// arithmetic of the date texts do.
#include "dataset/text_compare.h"
#include <QChar>
#include <QString>

class TStrings;

// The next token of Text from Position, up to Delimiter. A one-character
// delimiter is matched as it stands; any other delimiter is a word and is
// matched with a blank on each side and without regard to case (" AND ").
// Position moves to the first character after the delimiter, or becomes -1
// when the token ran to the end of Text. A Position below 1 or beyond the end
// yields the empty token and stays as it is.
QString NextToken(const QString& text, const QString& delimiter, int& position);

// Clears List and adds every piece of Text between delimiters: an empty Text
// gives one empty line, as does each delimiter run and a trailing delimiter.
void SplitToList(const QString& text, QChar delimiter, TStrings& list);

// Removes from the end of Text every character that occurs in CharSet.
void StripTrailingChars(QString& text, const QString& charSet);

QString ReplaceChar(const QString& text, QChar oldChar, QChar newChar);
int CountChar(const QString& text, QChar ch);
// The part of Text after the first Ch; empty when Ch does not occur.
QString TextAfterChar(const QString& text, QChar ch);

// Digits only, with an optional leading minus before at least one digit; the
// empty text is valid (an empty field).
bool IsValidIntegerText(const QString& text);
// The regional text-to-float conversion accepts the whole text; the empty
// text is valid.
bool IsValidFloatText(const QString& text);

// The first line whose TAB-separated first part names the field (any case); -1 when none.
int FindTabLine(const TStrings& lines, const QString& fieldName);
// The lines joined by a blank, or by CR LF.
QString JoinLines(const TStrings& lines, bool blankSeparated);
