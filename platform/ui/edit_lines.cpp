#include "platform/ui/edit_lines.h"
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>

TEditLines::TEditLines(const QString& text, const QFont& font, int width, bool wordWrap, Qt::Alignment alignment)
    : lineHeight_(QFontMetrics(font).height())
{
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(wordWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    int start = 0;
    while (true) {
        int end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
        TParagraph paragraph{start, end - start, std::make_unique<QTextLayout>(text.mid(start, end - start), font)};
        paragraph.Layout->setTextOption(option);
        paragraph.Layout->beginLayout();
        int y = lineHeight_ * int(lines_.size());
        // An empty paragraph still has its one (empty) line.
        while (true) {
            QTextLine line = paragraph.Layout->createLine();
            if (!line.isValid()) break;
            line.setLineWidth(std::max(width, 1));
            line.setPosition(QPointF(0, y));
            y += lineHeight_;
            lines_.push_back({int(paragraphs_.size()), line.lineNumber()});
            if (line.textStart() + line.textLength() >= paragraph.Length) break;
        }
        paragraph.Layout->endLayout();
        paragraphs_.push_back(std::move(paragraph));
        if (end >= text.size()) break;
        // CR LF is one break.
        start = end + ((text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ? 2 : 1);
    }
}

const TEditLines::TParagraph& TEditLines::ParagraphOf(int position) const
{
    // A position within a CR LF pair stands at the end of the line before it.
    auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), position,
                                  [](int pos, const TParagraph& p) { return pos < p.Start; });
    return after == paragraphs_.begin() ? paragraphs_.front() : *std::prev(after);
}

QTextLine TEditLines::TextLine(int line) const
{
    const TLine& l = lines_[std::clamp(line, 0, Count() - 1)];
    return paragraphs_[l.Paragraph].Layout->lineAt(l.Index);
}

int TEditLines::LineOf(int position) const
{
    const TParagraph& paragraph = ParagraphOf(position);
    const int inParagraph = std::clamp(position - paragraph.Start, 0, paragraph.Length);
    const int paragraphIndex = int(&paragraph - paragraphs_.data());
    int line = 0;
    while (lines_[line].Paragraph != paragraphIndex) ++line;
    const int index = std::max(paragraph.Layout->lineForTextPosition(inParagraph).lineNumber(), 0);
    return line + index;
}

int TEditLines::LineStart(int line) const
{
    const TLine& l = lines_[std::clamp(line, 0, Count() - 1)];
    return paragraphs_[l.Paragraph].Start + TextLine(line).textStart();
}

int TEditLines::LineEnd(int line) const
{
    const TLine& l = lines_[std::clamp(line, 0, Count() - 1)];
    const TParagraph& paragraph = paragraphs_[l.Paragraph];
    const QTextLine text = TextLine(line);
    // A wrapped line ends before the blanks it was broken at.
    int end = text.textStart() + text.textLength();
    const QString content = paragraph.Layout->text();
    if (end < paragraph.Length)
        while (end > text.textStart() && content[end - 1] == u' ') --end;
    return paragraph.Start + end;
}

int TEditLines::PositionAt(int line, qreal x) const
{
    const TLine& l = lines_[std::clamp(line, 0, Count() - 1)];
    const int position = paragraphs_[l.Paragraph].Start + TextLine(line).xToCursor(x);
    return std::clamp(position, LineStart(line), LineEnd(line));
}

qreal TEditLines::CursorX(int position) const
{
    const TParagraph& paragraph = ParagraphOf(position);
    const int inParagraph = std::clamp(position - paragraph.Start, 0, paragraph.Length);
    return TextLine(LineOf(position)).cursorToX(inParagraph);
}

void TEditLines::Draw(QPainter& painter, const QPointF& origin, int selStart, int selEnd, const QPalette& palette,
                      int cursor) const
{
    for (const TParagraph& paragraph : paragraphs_) {
        QList<QTextLayout::FormatRange> selections;
        const int from = std::max(selStart - paragraph.Start, 0);
        const int to = std::min(selEnd - paragraph.Start, paragraph.Length);
        if (from < to) {
            QTextLayout::FormatRange range;
            range.start = from;
            range.length = to - from;
            range.format.setBackground(palette.highlight());
            range.format.setForeground(palette.highlightedText());
            selections << range;
        }
        paragraph.Layout->draw(&painter, origin, selections);
    }
    if (cursor >= 0) {
        const TParagraph& paragraph = ParagraphOf(cursor);
        paragraph.Layout->drawCursor(&painter, origin, std::clamp(cursor - paragraph.Start, 0, paragraph.Length), 1);
    }
}
