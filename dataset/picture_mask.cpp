#include "dataset/picture_mask.h"
#include <array>
#include <cstddef>
#include <memory_resource>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u > 128;
}

// Literals compare with only a to z folded.
char16_t UpperAtoZ(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'a' && u <= 'z' ? static_cast<char16_t>(u - 'a' + 'A') : u;
}

bool IsComplete(TPicResult r) { return r == prComplete || r == prAmbiguous; }
bool IsIncomplete(TPicResult r) { return r == prIncomplete || r == prIncompleteNoFill; }

// Characters at which auto-fill stops; the zero character stands for the end of the mask.
bool IsSpecial(QChar c)
{
    switch (c.unicode()) {
    case 0: case '!': case '#': case '&': case '*': case ',': case '?': case '@':
    case '[': case ']': case '{': case '}': case '~':
        return true;
    default:
        return false;
    }
}

// Not empty, no escape or repetition left dangling at the end, and brackets
// and braces closed in order (escaped ones do not count).
bool SyntaxOk(const QString& mask)
{
    if (mask.isEmpty()) return false;
    int brackets = 0;
    int braces = 0;
    bool lastIsLiteral = false;
    for (qsizetype k = 0; k < mask.size(); ++k) {
        lastIsLiteral = false;
        switch (mask[k].unicode()) {
        case '[': ++brackets; break;
        case ']': --brackets; break;
        case '{': ++braces; break;
        case '}': --braces; break;
        case ';':
            if (++k == mask.size()) return false;
            lastIsLiteral = true;
            break;
        default: break;
        }
        if (brackets < 0 || braces < 0) return false;
    }
    if (mask.back() == QLatin1Char('*') && !lastIsLiteral) return false;
    return brackets == 0 && braces == 0;
}

// One pass of a mask over a text. I walks the mask and J the text (both from
// 0); Term is the end (exclusive) of the part of the mask being processed.
//
// Each part of the mask is tried on a part of the text at most once: the
// outcome of a part from a place in the text is kept and replayed, so that
// nested repetitions and alternatives cost time polynomial in the lengths of
// the mask and the text, never their product of repeat counts. That needs the
// outcome to depend on the text as typed only, so an alternative that fails
// leaves the text as it found it.
class PictureCheck {
public:
    PictureCheck(const QString& mask, QString& text) : mask_(mask), text_(text) {}

    TPicResult Run()
    {
        i_ = 0;
        j_ = 0;
        return Process(static_cast<int>(mask_.size()));
    }
    int MaskPosition() const { return i_; }
    bool TextLeft() const { return j_ < text_.size(); }

private:
    QChar At(int k) const { return k >= 0 && k < mask_.size() ? mask_[k] : QChar(); }

    void Consume(QChar stored)
    {
        Write(j_, stored);
        ++i_;
        ++j_;
    }

    // Every change of the text is noted, so that a failed alternative can be undone.
    void Write(int at, QChar stored)
    {
        if (text_[at] == stored) return;
        undo_.emplace_back(at, text_[at]);
        text_[at] = stored;
    }

    void UndoTo(std::size_t mark)
    {
        for (; undo_.size() > mark; undo_.pop_back()) text_[undo_.back().first] = undo_.back().second;
    }

    void WriteAt(int at, const QString& stored)
    {
        for (qsizetype k = 0; k < stored.size(); ++k) Write(at + static_cast<int>(k), stored[k]);
    }

    // Moves K past one item: a character, an escaped character, a bracketed
    // part or a repetition with its body.
    void SkipItem(int& k, int term) const
    {
        int brackets = 0;
        int braces = 0;
        do {
            if (k >= term) return;
            switch (At(k).unicode()) {
            case '[': ++brackets; break;
            case ']': --brackets; break;
            case '{': ++braces; break;
            case '}': --braces; break;
            case ';': ++k; break;
            case '*':
                ++k;
                while (IsDigit(At(k))) ++k;
                SkipItem(k, term);
                continue;
            default: break;
            }
            ++k;
        } while (brackets != 0 || braces != 0);
    }

    // Moves I to the start of the next alternative; false when there is none.
    bool SkipToNextAlternative(int term)
    {
        while (i_ < term && At(i_) != QLatin1Char(',')) SkipItem(i_, term);
        if (i_ < term) ++i_;
        return i_ < term;
    }

    // Where a part of the mask was tried: I and J at its start, and its end.
    struct Start {
        int I, J, Term;
        bool operator==(const Start&) const = default;
    };
    struct StartHash {
        std::size_t operator()(const Start& s) const
        {
            return std::hash<quint64>()((quint64(quint32(s.I)) << 32 | quint32(s.J)) * 31 + quint32(s.Term));
        }
    };
    // What the part did: its result, where it left I and J, and where the
    // text it took is kept (a part changes the text only between its start
    // and where it left J).
    struct Outcome {
        TPicResult Result;
        int I;
        int J;
        qsizetype Taken;   // in taken_, J minus the start's J characters long
    };

    TPicResult Process(int term)
    {
        const Start start{i_, j_, term};
        const auto known = outcomes_.find(start);
        if (known != outcomes_.end()) {
            const Outcome& outcome = known->second;
            for (int k = j_; k < outcome.J; ++k) Write(k, taken_[outcome.Taken + k - start.J]);
            i_ = outcome.I;
            j_ = outcome.J;
            return outcome.Result;
        }
        const TPicResult result = ProcessAlternatives(term);
        outcomes_.emplace(start, Outcome{result, i_, j_, taken_.size()});
        taken_.append(QStringView(text_).mid(start.J, j_ - start.J));
        return result;
    }

    // Tries the alternatives from I in order. A later alternative that
    // completes short of where an earlier one was left incomplete does not
    // win; when one was incomplete, a complete one is only ambiguous.
    TPicResult ProcessAlternatives(int term)
    {
        bool blankLiteralMatched = false;
        bool incomplete = false;
        int incompleteI = 0;
        int incompleteJ = 0;
        int startI = i_;
        const int startJ = j_;
        const std::size_t typed = undo_.size();
        QString incompleteText;   // what the incomplete alternative took
        for (;;) {
            TPicResult result = Scan(term, blankLiteralMatched);
            if (IsComplete(result) && incomplete && j_ < incompleteJ) {
                // The rest up to where the incomplete alternative got stays as it took it.
                WriteAt(j_, incompleteText.mid(j_ - startJ));
                result = prIncomplete;
                j_ = incompleteJ;
            }
            if (result != prError && result != prIncomplete)
                return result == prComplete && incomplete ? prAmbiguous : result;
            if (!incomplete && result == prIncomplete) {
                incomplete = true;
                incompleteI = i_;
                incompleteJ = j_;
                incompleteText = text_.mid(startJ, j_ - startJ);
            }
            i_ = startI;
            j_ = startJ;
            UndoTo(typed);
            if (!SkipToNextAlternative(term)) {
                if (!incomplete) return result;
                i_ = incompleteI;
                j_ = incompleteJ;
                WriteAt(startJ, incompleteText);
                return prIncomplete;
            }
            startI = i_;
        }
    }

    // One alternative, item by item, up to Term or a comma.
    TPicResult Scan(int term, bool& blankLiteralMatched)
    {
        TPicResult running = prEmpty;
        while (i_ < term && At(i_) != QLatin1Char(',')) {
            if (j_ >= text_.size()) return CompletionTest(running, term);
            const QChar ch = text_[j_];
            switch (At(i_).unicode()) {
            case '#':
                if (!IsDigit(ch)) return prError;
                Consume(ch);
                break;
            case '?':
                if (!IsLetter(ch)) return prError;
                Consume(ch);
                break;
            case '&':
                if (!IsLetter(ch)) return prError;
                Consume(ch.toUpper());
                break;
            case '~':
                if (!IsLetter(ch)) return prError;
                Consume(ch.toLower());
                break;
            case '!': Consume(ch.toUpper()); break;
            case '@': Consume(ch); break;
            case '*':
                running = Repetition(term);
                if (!IsComplete(running)) return running;
                break;
            case '{':
                running = Group(term);
                if (!IsComplete(running)) return running;
                break;
            case '[':
                running = Group(term);
                if (IsIncomplete(running)) return running;
                if (running == prError) running = prAmbiguous;   // the optional part is left out
                break;
            default:
                if (!MatchLiteral(ch, blankLiteralMatched)) return prError;
                break;
            }
            running = running == prAmbiguous ? prIncompleteNoFill : prIncomplete;
        }
        return running == prIncompleteNoFill ? prAmbiguous : prComplete;
    }

    // A blank typed as the last character stands for whatever literal comes
    // next, unless an earlier alternative already took it as a blank literal.
    bool MatchLiteral(QChar ch, bool& blankLiteralMatched)
    {
        if (At(i_) == QLatin1Char(';')) ++i_;
        const QChar literal = At(i_);
        const bool blankAtEnd = ch == QLatin1Char(' ') && j_ == text_.size() - 1;
        if (UpperAtoZ(literal) != UpperAtoZ(ch)) {
            if (!blankAtEnd || blankLiteralMatched) return false;
        } else if (blankAtEnd) {
            blankLiteralMatched = true;
        }
        Consume(literal);
        return true;
    }

    // "{...}" or "[...]" at I.
    TPicResult Group(int term)
    {
        int end = i_;
        SkipItem(end, term);
        ++i_;
        const TPicResult result = Process(end - 1);
        if (!IsIncomplete(result)) i_ = end;
        return result;
    }

    // "*" at I, its count and its body.
    TPicResult Repetition(int term)
    {
        ++i_;
        int count = 0;
        while (IsDigit(At(i_))) {
            count = (count * 10 + At(i_).digitValue()) % 256;
            ++i_;
        }
        if (i_ > term) return prSyntax;
        const int bodyStart = i_;
        int bodyEnd = i_;
        SkipItem(bodyEnd, term);

        TPicResult result = prComplete;
        if (count > 0) {
            for (int n = 0; n < count; ++n) {
                i_ = bodyStart;
                result = Process(bodyEnd);
                if (IsComplete(result)) continue;
                if (result != prEmpty) return result;
                // Text used up: a required body is missing, an optional one may be.
                if (At(bodyStart) != QLatin1Char('[')) return prIncomplete;
                result = prComplete;
                break;
            }
        } else {
            // Stops when a pass takes no text, so an optional body cannot loop forever.
            int before = 0;
            do {
                i_ = bodyStart;
                before = j_;
                result = Process(bodyEnd);
            } while (IsComplete(result) && j_ > before);
            if (result == prEmpty || result == prError) result = prAmbiguous;
        }
        i_ = bodyEnd;
        return result;
    }

    // The text ran out: an incomplete result is as good as complete when
    // nothing but optional items is left of this alternative.
    TPicResult CompletionTest(TPicResult result, int term) const
    {
        if (IsIncomplete(result) && RestIsOptional(i_, term)) return prAmbiguous;
        return result;
    }

    bool RestIsOptional(int k, int term) const
    {
        while (k < term && At(k) != QLatin1Char(',')) {
            const QChar c = At(k);
            if (c == QLatin1Char('[')) {
                SkipItem(k, term);
            } else if (c == QLatin1Char('*')) {
                int body = k + 1;
                while (IsDigit(At(body))) ++body;
                if (body > k + 1 && At(body) != QLatin1Char('[')) return false;
                k = body;
                SkipItem(k, term);
            } else if (c == QLatin1Char('{')) {
                int end = k;
                SkipItem(end, term);
                if (!SomeAlternativeOptional(k + 1, end - 1)) return false;
                k = end;
            } else {
                return false;
            }
        }
        return true;
    }

    bool SomeAlternativeOptional(int k, int term) const
    {
        for (;;) {
            if (RestIsOptional(k, term)) return true;
            while (k < term && At(k) != QLatin1Char(',')) SkipItem(k, term);
            if (k >= term) return false;
            ++k;
        }
    }

    const QString& mask_;
    QString& text_;
    int i_ = 0;
    int j_ = 0;
    // Most checks try a few dozen parts: their outcomes live on the stack.
    std::array<std::byte, 16384> arena_;
    std::pmr::monotonic_buffer_resource memory_{arena_.data(), arena_.size()};
    std::pmr::unordered_map<Start, Outcome, StartHash> outcomes_{&memory_};
    QString taken_;
    std::vector<std::pair<int, QChar>> undo_;   // (position, character before) of every change
};

// Each pass of a text that does not stand converts it further; a few are
// more than any mask needs.
constexpr int MaxSettlingPasses = 4;

TPicResult CheckPicture(const QString& mask, QString& text, bool autoFill);

} // namespace

TwwPictureValidator::TwwPictureValidator(const QString& mask, bool autoFill)
    : mask_(mask), options_(static_cast<std::uint16_t>(voOnAppend | (autoFill ? voFill : 0)))
{
    QString empty;
    if (Picture(empty, false) != prEmpty) status_ = vsSyntax;
}

bool TwwPictureValidator::IsValidInput(QString& text, bool suppressFill) const
{
    if (mask_.isEmpty()) return true;
    const bool autoFill = (options_ & voFill) != 0 && !suppressFill;
    return Picture(text, autoFill) != prError;
}

bool TwwPictureValidator::IsValid(const QString& text) const
{
    if (mask_.isEmpty()) return true;
    QString copy = text;
    const TPicResult result = Picture(copy, false);
    return result == prComplete || result == prEmpty;
}

TPicResult TwwPictureValidator::Picture(QString& text, bool autoFill) const
{
    const QString typed = text;
    TPicResult result = CheckPicture(mask_, text, autoFill);
    // A blank typed for a literal, or a case the mask converts, can give a
    // text that an earlier alternative reads another way, or that no
    // alternative takes as it stands: check a changed text again until it
    // stands, so that an accepted text checks unchanged.
    for (int pass = 0; pass < MaxSettlingPasses && result == prComplete && text != typed; ++pass) {
        QString again = text;
        const TPicResult next = CheckPicture(mask_, again, autoFill);
        if (next == prComplete && again == text) break;
        text = again;
        result = next;
    }
    return result;
}

namespace {

TPicResult CheckPicture(const QString& mask, QString& text, bool autoFill)
{
    if (!SyntaxOk(mask)) return prSyntax;
    if (text.isEmpty()) return prEmpty;

    PictureCheck check(mask, text);
    TPicResult result = check.Run();
    if (result != prError && result != prSyntax && check.TextLeft()) result = prError;

    if (result == prIncomplete && autoFill) {
        QString filled = text;
        int i = check.MaskPosition();
        while (i < mask.size() && !IsSpecial(mask[i])) {
            if (mask[i] == QLatin1Char(';')) ++i;
            filled += mask[i];
            ++i;
        }
        // The literals go in only when the mask takes the text with them.
        if (filled.size() > text.size()) {
            PictureCheck fill(mask, filled);
            const TPicResult withLiterals = fill.Run();
            if (withLiterals != prError && withLiterals != prSyntax && !fill.TextLeft()) {
                text = filled;
                result = withLiterals;
            }
        }
    }

    if (result == prAmbiguous) return prComplete;
    if (result == prIncompleteNoFill) return prIncomplete;
    return result;
}

} // namespace
