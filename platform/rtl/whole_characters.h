#pragma once
// Cutting a text to a length limit without splitting a character: a
// character beyond 16 bits (an emoji, say) takes two places in a QString,
// and half of one is no character at all.
#include <QString>
#include <QStringView>

// The first Limit places of Text, one fewer when the last would hold only
// the first half of a character.
QString LeftWholeCharacters(QStringView text, qsizetype limit);
