#include "grid/word_wrap.h"

namespace {

struct TWord {
    QString Text;           // the word and the blanks or TAB after it
    bool LineBreak = false; // a line ends after it
};

bool IsBreak(QChar ch) { return ch == u'\r' || ch == u'\n'; }

// The next word from position; position moves past it and its separators.
TWord NextWord(const QString& text, qsizetype& position)
{
    TWord word;
    const qsizetype start = position;
    // Leading spaces at the very start belong to the first word.
    if (start == 0)
        while (position < text.size() && text[position] == u' ') ++position;
    while (position < text.size() && text[position] != u' ' && text[position] != u'\t' && !IsBreak(text[position]))
        ++position;
    if (position < text.size() && text[position] == u'\t') {
        ++position;
    } else {
        while (position < text.size() && text[position] == u' ') ++position;
    }
    word.Text = text.mid(start, position - start);
    if (position < text.size() && IsBreak(text[position])) {
        const QChar first = text[position++];
        // A pair of different break characters counts once.
        if (position < text.size() && IsBreak(text[position]) && text[position] != first) ++position;
        word.LineBreak = true;
    }
    return word;
}

} // namespace

QStringList WrapText(const QString& text, int width, const std::function<int(const QString&)>& textWidth)
{
    QStringList lines;
    QString line;
    bool lineOpen = false;
    qsizetype position = 0;
    while (position < text.size()) {
        const TWord word = NextWord(text, position);
        const QString candidate = line + word.Text;
        if (lineOpen && !line.isEmpty() && textWidth(candidate.trimmed()) > width) {
            lines << line;
            line = word.Text;
        } else {
            line = candidate;
        }
        lineOpen = true;
        if (word.LineBreak) {
            lines << line;
            line.clear();
            lineOpen = false;
        }
    }
    if (lineOpen || lines.isEmpty()) lines << line;
    return lines;
}
