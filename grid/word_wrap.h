#pragma once
// Word-wrapped text of a grid cell: the text is cut into words (each with the
// separators that follow it) and the words are laid on lines that fit a width.
#include <QString>
#include <QStringList>
#include <functional>

// The lines of Text within Width, measured by TextWidth. A word that does not
// fit the rest of a line starts the next one; CR, LF, CR LF and LF CR each end
// a line; spaces stay with the word before them (leading spaces with the
// first word); a TAB ends a word and stays a TAB.
QStringList WrapText(const QString& text, int width, const std::function<int(const QString&)>& textWidth);
