#include "platform/ui/edit_mask.h"
#include "platform/rtl/format_settings.h"
#include <algorithm>

namespace {

using Kind = TMaskPosition::Kind;

std::optional<TMaskPosition> CharClass(QChar ch)
{
    switch (ch.unicode()) {
    case 'L': return TMaskPosition{Kind::Letter, true, {}, {}};
    case 'l': return TMaskPosition{Kind::Letter, false, {}, {}};
    case 'A': return TMaskPosition{Kind::AlphaNumeric, true, {}, {}};
    case 'a': return TMaskPosition{Kind::AlphaNumeric, false, {}, {}};
    case 'C': return TMaskPosition{Kind::AnyChar, true, {}, {}};
    case 'c': return TMaskPosition{Kind::AnyChar, false, {}, {}};
    case '0': return TMaskPosition{Kind::Digit, true, {}, {}};
    case '9': return TMaskPosition{Kind::Digit, false, {}, {}};
    case '#': return TMaskPosition{Kind::DigitOrSign, false, {}, {}};
    default: return std::nullopt;
    }
}

TMaskPosition Literal(QChar ch)
{
    return TMaskPosition{Kind::Literal, false, TMaskCase::mcNone, ch};
}

bool Fits(Kind kind, QChar ch)
{
    switch (kind) {
    case Kind::Letter: return ch.isLetter();
    case Kind::AlphaNumeric: return ch.isLetterOrNumber();
    case Kind::AnyChar: return ch.isPrint();
    case Kind::Digit: return ch.isDigit();
    case Kind::DigitOrSign: return ch.isDigit() || ch == QLatin1Char('+') || ch == QLatin1Char('-');
    case Kind::Literal: return false;
    }
    return false;
}

} // namespace

TEditMask::TEditMask(const QString& mask)
{
    TMaskCase charCase = TMaskCase::mcNone;
    int i = 0;
    for (; i < mask.size(); ++i) {
        const QChar ch = mask[i];
        if (ch == QLatin1Char(';'))
            break;
        if (ch == QLatin1Char('\\')) {
            if (++i < mask.size())
                positions_.push_back(Literal(mask[i]));
        } else if (ch == QLatin1Char('!')) {
            leadingBlanks_ = true;
        } else if (ch == QLatin1Char('<') && i + 1 < mask.size() && mask[i + 1] == QLatin1Char('>')) {
            charCase = TMaskCase::mcNone;
            ++i;
        } else if (ch == QLatin1Char('<')) {
            charCase = TMaskCase::mcLower;
        } else if (ch == QLatin1Char('>')) {
            charCase = TMaskCase::mcUpper;
        } else if (ch == QLatin1Char('/')) {
            positions_.push_back(Literal(FormatSettings().DateSeparator));
        } else if (ch == QLatin1Char(':')) {
            positions_.push_back(Literal(FormatSettings().TimeSeparator));
        } else if (ch == QLatin1Char('_')) {
            positions_.push_back(Literal(QLatin1Char(' ')));
        } else if (auto position = CharClass(ch)) {
            position->charCase = charCase;
            positions_.push_back(*position);
        } else {
            positions_.push_back(Literal(ch));
        }
    }
    // The fields after the mask: save-literals flag, then blank character.
    const QString rest = i < mask.size() ? mask.mid(i + 1) : QString();
    const int semicolon = rest.indexOf(QLatin1Char(';'));
    const QString flag = semicolon < 0 ? rest : rest.left(semicolon);
    if (!flag.isEmpty())
        saveLiterals_ = flag[0] != QLatin1Char('0');
    if (semicolon >= 0 && semicolon + 1 < rest.size())
        blank_ = rest[semicolon + 1];
}

bool TEditMask::IsLiteral(int pos) const
{
    return pos >= 0 && pos < Length() && positions_[pos].kind == Kind::Literal;
}

std::optional<QChar> TEditMask::Accept(int pos, QChar ch) const
{
    if (pos < 0 || pos >= Length())
        return std::nullopt;
    const TMaskPosition& position = positions_[pos];
    if (!Fits(position.kind, ch))
        return std::nullopt;
    switch (position.charCase) {
    case TMaskCase::mcUpper: return ch.toUpper();
    case TMaskCase::mcLower: return ch.toLower();
    case TMaskCase::mcNone: break;
    }
    return ch;
}

int TEditMask::NextEditPos(int from) const
{
    for (int pos = std::max(0, from); pos < Length(); ++pos)
        if (!IsLiteral(pos))
            return pos;
    return -1;
}

int TEditMask::PrevEditPos(int before) const
{
    for (int pos = std::min(before, Length()) - 1; pos >= 0; --pos)
        if (!IsLiteral(pos))
            return pos;
    return -1;
}

QString TEditMask::BlankText() const
{
    QString text(Length(), blank_);
    for (int pos = 0; pos < Length(); ++pos)
        if (IsLiteral(pos))
            text[pos] = positions_[pos].literal;
    return text;
}

QString TEditMask::ClearRange(const QString& editText, int pos, int end) const
{
    QString text = editText;
    for (int i = std::max(0, pos); i < std::min<int>(end, text.size()); ++i)
        if (!IsLiteral(i))
            text[i] = blank_;
    return text;
}

bool TEditMask::HasEntry(const QString& editText) const
{
    for (int pos = 0; pos < std::min<int>(Length(), editText.size()); ++pos)
        if (!IsLiteral(pos) && editText[pos] != blank_ && editText[pos] != QLatin1Char(' '))
            return true;
    return false;
}

QString TEditMask::TextOf(const QString& editText) const
{
    if (!HasEntry(editText))
        return {};
    QString text;
    for (int pos = 0; pos < std::min<int>(Length(), editText.size()); ++pos) {
        if (IsLiteral(pos)) {
            if (saveLiterals_)
                text += editText[pos];
        } else {
            text += editText[pos] == blank_ ? QChar(QLatin1Char(' ')) : editText[pos];
        }
    }
    if (saveLiterals_)
        return text;
    // Unfilled optional characters are trailing blanks, or leading ones with "!".
    if (leadingBlanks_) {
        int first = 0;
        while (first < text.size() && text[first] == QLatin1Char(' '))
            ++first;
        return text.mid(first);
    }
    int last = text.size();
    while (last > 0 && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.left(last);
}

QString TEditMask::EditTextOf(const QString& text) const
{
    // Walk the mask and the text together: a literal takes the same character
    // when the text has it, an editable position takes the next character. With
    // "!" the walk runs from the end, so that a short text fills from the right.
    QString edit = BlankText();
    const int step = leadingBlanks_ ? -1 : 1;
    int pos = leadingBlanks_ ? Length() - 1 : 0;
    int i = leadingBlanks_ ? static_cast<int>(text.size()) - 1 : 0;
    for (; pos >= 0 && pos < Length() && i >= 0 && i < text.size(); pos += step) {
        const QChar ch = text[i];
        if (IsLiteral(pos)) {
            if (ch == positions_[pos].literal)
                i += step;
            continue;
        }
        i += step;
        if (ch == blank_ || ch == QLatin1Char(' '))
            continue;
        if (auto accepted = Accept(pos, ch))
            edit[pos] = *accepted;
    }
    return edit;
}

int TEditMask::FirstIncomplete(const QString& editText) const
{
    if (!HasEntry(editText))
        return -1;
    for (int pos = 0; pos < Length(); ++pos) {
        if (IsLiteral(pos) || !positions_[pos].required)
            continue;
        if (pos >= editText.size() || editText[pos] == blank_ || editText[pos] == QLatin1Char(' '))
            return pos;
    }
    return -1;
}
