#pragma once
// The class library's edit-mask language, apart from any control: a mask such
// as "!99/99/0000;1;_" is parsed into one position per character of the edit
// text, each a literal or a character class, plus the save-literals flag and
// the blank character. The mask edit and the grid's in-place editor type
// through it.
//
//   !  optional characters are leading blanks (Text drops leading blanks, not trailing)
//   >  following characters upper case, <  lower case, <> no conversion
//   L  letter          l  letter, optional
//   A  letter or digit a  letter or digit, optional
//   C  any character   c  any character, optional
//   0  digit           9  digit, optional
//   #  digit or sign, optional
//   :  the time separator, /  the date separator (regional), _  a space
//   \  the next character stands for itself
//   ;  ends the mask; then the save-literals flag (0: Text without literals)
//      and, after another ;, the blank character (default _)
#include <QChar>
#include <QString>
#include <optional>
#include <vector>

enum class TMaskCase { mcNone, mcUpper, mcLower };

struct TMaskPosition {
    enum class Kind { Literal, Letter, AlphaNumeric, AnyChar, Digit, DigitOrSign };
    Kind kind = Kind::Literal;
    bool required = false;
    TMaskCase charCase = TMaskCase::mcNone;
    QChar literal;
};

class TEditMask {
public:
    TEditMask() = default;
    explicit TEditMask(const QString& mask);

    bool IsEmpty() const { return positions_.empty(); }
    int Length() const { return static_cast<int>(positions_.size()); }
    bool IsLiteral(int pos) const;
    QChar Blank() const { return blank_; }
    bool SaveLiterals() const { return saveLiterals_; }
    bool LeadingBlanks() const { return leadingBlanks_; }

    // The character typed at Pos as it is stored (case converted); nothing when
    // the position refuses it or is a literal.
    std::optional<QChar> Accept(int pos, QChar ch) const;
    // The first editable position at or after From; -1 when there is none.
    int NextEditPos(int from) const;
    // The last editable position before Before; -1 when there is none.
    int PrevEditPos(int before) const;

    // Literals in place, every editable position blank.
    QString BlankText() const;
    // The edit text with the editable positions from Pos to End (excluded)
    // blanked; literals stay.
    QString ClearRange(const QString& editText, int pos, int end) const;
    // The text a control reports: blanks as spaces, literals only with the save
    // flag, blanks trimmed at the end (at the start with "!"); empty when
    // nothing was entered.
    QString TextOf(const QString& editText) const;
    // The edit text for Text, with or without its literals: the characters fill
    // the editable positions (from the right with "!"). A character a position
    // refuses leaves it blank.
    QString EditTextOf(const QString& text) const;
    // The first required position still blank, or -1 when the edit text is
    // complete. An edit text with nothing entered counts as complete.
    int FirstIncomplete(const QString& editText) const;
    bool HasEntry(const QString& editText) const;

private:
    std::vector<TMaskPosition> positions_;
    QChar blank_ = QLatin1Char('_');
    bool saveLiterals_ = true;
    bool leadingBlanks_ = false;
};
