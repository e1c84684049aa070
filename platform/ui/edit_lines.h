#pragma once
// The lines a multi-line edit lays its text on. The text's own line breaks
// (CR LF, LF or CR) end lines, and with word wrap so does the edit's width.
// Positions are those of the whole text, so that the edit's caret and
// selection keep their meaning; lines are numbered from 0, top to bottom.
#include <QFont>
#include <QString>
#include <QTextLayout>
#include <memory>
#include <vector>

class QPainter;
class QPalette;

class TEditLines {
public:
    TEditLines(const QString& text, const QFont& font, int width, bool wordWrap, Qt::Alignment alignment);

    int Count() const { return int(lines_.size()); }
    int LineHeight() const { return lineHeight_; }
    // The line that shows the caret at Position.
    int LineOf(int position) const;
    // The first position of Line, and the position after its last character
    // (before a line break).
    int LineStart(int line) const;
    int LineEnd(int line) const;
    // The position on Line nearest to X.
    int PositionAt(int line, qreal x) const;
    // Where the caret at Position stands across its line.
    qreal CursorX(int position) const;

    // Draws the text with its top left corner at Origin in the painter's pen,
    // the selection [SelStart, SelEnd) in the palette's highlight colours, and
    // the caret at Cursor unless it is -1.
    void Draw(QPainter& painter, const QPointF& origin, int selStart, int selEnd, const QPalette& palette,
              int cursor) const;

private:
    struct TParagraph {
        int Start = 0;     // its first position in the text
        int Length = 0;    // without the break after it
        std::unique_ptr<QTextLayout> Layout;
    };
    struct TLine {
        int Paragraph = 0;
        int Index = 0;     // the line within its paragraph's layout
    };

    const TParagraph& ParagraphOf(int position) const;
    QTextLine TextLine(int line) const;

    std::vector<TParagraph> paragraphs_;
    std::vector<TLine> lines_;
    int lineHeight_ = 0;
};
