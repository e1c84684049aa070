#pragma once
// One line of a grid's Selected list: field name TAB width in characters TAB
// title. Pieces after the third are not the grid's and are ignored.
#include <QString>
#include <QStringList>
#include <optional>

struct TSelectedLine {
    QString FieldName;
    QString Width;          // as written; may be no number
    QString Title;
    bool HasTitle = false;  // the line has a third piece

    static TSelectedLine Parse(const QString& line);
    // The width as a number; none when the piece is not one.
    std::optional<int> Characters() const;
    // The line with another width: name TAB width TAB title (an absent title
    // is written empty).
    QString WithWidth(int characters) const;
};

// A title's lines: the pieces between "~".
QStringList TitlePieces(const QString& title);

// The width in characters that a column of Pixels holds, with the text
// width of "0" as the character width: the nearest whole number of
// characters after the cell's margins.
int CharactersInPixels(int pixels, int charWidth);
