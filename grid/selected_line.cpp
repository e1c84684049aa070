#include "grid/selected_line.h"

namespace {
const QChar Tab(u'\t');
}

TSelectedLine TSelectedLine::Parse(const QString& line)
{
    const QStringList parts = line.split(Tab);
    TSelectedLine result;
    result.FieldName = parts.value(0);
    result.Width = parts.value(1);
    result.HasTitle = parts.size() >= 3;
    result.Title = parts.value(2);
    return result;
}

std::optional<int> TSelectedLine::Characters() const
{
    bool isNumber = false;
    const int characters = Width.trimmed().toInt(&isNumber);
    if (!isNumber) return std::nullopt;
    return characters;
}

QString TSelectedLine::WithWidth(int characters) const
{
    return FieldName + Tab + QString::number(characters) + Tab + Title;
}

QStringList TitlePieces(const QString& title)
{
    return title.split(u'~');
}

int CharactersInPixels(int pixels, int charWidth)
{
    if (charWidth <= 0) return 0;
    return (pixels + charWidth / 2 - 3) / charWidth;
}
