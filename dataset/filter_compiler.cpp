#include "dataset/filter_compiler.h"
#include "dataset/date_text.h"
#include "platform/db/dataset.h"
#include "platform/db/field.h"
#include "platform/engine/filter_format.h"
#include "platform/rtl/format.h"
#include "platform/rtl/format_settings.h"
#include "platform/rtl/presenter.h"
#include <QtEndian>
#include <cmath>
#include <limits>

using namespace FilterFormat;

namespace {

constexpr int kPoolSize = 1000;
constexpr int kMaxDepth = 200;   // nesting of parentheses and of * and /
// As many nodes as a buffer with a full pool can hold (its sizes are 16-bit).
constexpr int kMaxNodes = (0xffff - kHeaderSize - kPoolSize) / kNodeSize;

enum class TNodeKind { Comparison, Logical, Arithmetic, Operand };

// The type of a constant, from the field on its left; okField writes the
// operand as a field reference.
enum TOperandKind {
    okField = 0, okString = 1, okFloat = 2, okDateTime = 3, okDate = 4, okTime = 5,
    okBoolean = 6, okInteger = 7, okBCD = 8, okSmallint = 9,
};

struct TParseNode {
    TNodeKind Kind = TNodeKind::Operand;
    TOperandKind OperandKind = okField;
    int BcdPlaces = 0;
    QString Text;
    std::unique_ptr<TParseNode> Left, Right;
};

TOperandKind OperandKindOf(const TField& field)
{
    using enum TFieldType;
    switch (field.DataType()) {
    case ftString: return okString;
    case ftSmallint:
    case ftWord: return okSmallint;
    case ftInteger:
    case ftAutoInc: return okInteger;
    case ftBoolean: return okBoolean;
    case ftFloat:
    case ftCurrency: return okFloat;
    case ftBCD: return okBCD;
    case ftDate: return okDate;
    case ftTime: return okTime;
    case ftDateTime: return okDateTime;
    default: return okField;
    }
}

std::uint32_t OperatorCode(const QString& text)
{
    static const std::pair<const char*, std::uint32_t> codes[] = {
        {"AND", opAND}, {"OR", opOR}, {"=", opEQ}, {"<>", opNE}, {">", opGT}, {"<", opLT},
        {">=", opGE}, {"<=", opLE}, {"+", opADD}, {"-", opSUB}, {"*", opMUL}, {"/", opDIV},
    };
    for (const auto& [name, code] : codes)
        if (text == QLatin1String(name)) return code;
    return 0;
}

bool IsComparisonChar(QChar c) { return c == u'<' || c == u'=' || c == u'>'; }

bool IsIdentifierStart(QChar c)
{
    const char16_t u = c.unicode();
    return u == 33 || u == 35 || u == 36 || u == 42 || u == 43 || u == 45 || u == 47 || (u >= 64 && u <= 90) ||
           (u >= 95 && u <= 122) || u >= 146;
}

bool IsIdentifierChar(QChar c) { return IsIdentifierStart(c) || c == u' ' || c.isDigit(); }

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// ---- parsing

class TParser {
public:
    TParser(const QString& text, const TDataSet& dataSet) : rest_(text), dataSet_(dataSet) {}

    // The root of the tree; null when the text does not parse or names a missing field.
    std::unique_ptr<TParseNode> Parse()
    {
        if (!L() || nodes_.size() != 1) return nullptr;
        return std::move(nodes_.back());
    }

private:
    int SkipBlanks() const
    {
        int at = 0;
        while (at < rest_.size() && (rest_[at] == u' ' || rest_[at] == u'\t')) ++at;
        return at;
    }

    // The next token, not consumed; empty when nothing matches.
    QString Peek(bool andOr = false) const
    {
        const int at = SkipBlanks();
        const qsizetype size = rest_.size();
        if (at >= size) return {};
        const QChar c = rest_[at];
        if (c == u'(' || c == u')') return QString(c);
        if (IsComparisonChar(c)) return rest_.mid(at, at + 1 < size && IsComparisonChar(rest_[at + 1]) ? 2 : 1);
        if (andOr) {
            if (rest_.mid(at, 3).toUpper() == QLatin1String("AND")) return rest_.mid(at, 3);
            if (rest_.mid(at, 2).toUpper() == QLatin1String("OR")) return rest_.mid(at, 2);
        }
        int end = at;
        if (IsIdentifierStart(c)) {
            ++end;
            while (end < size && IsIdentifierChar(rest_[end])) ++end;
        } else if (c == u'"') {
            end = int(rest_.indexOf(u'"', at + 1));
            if (end < 0) return {};
            ++end;
        } else {
            end = NumberEnd(at);
            if (end == at) return {};
        }
        QString token = rest_.mid(at, end - at);
        while (token.endsWith(u' ')) token.chop(1);
        return token;
    }

    int NumberEnd(int at) const
    {
        const qsizetype size = rest_.size();
        int end = at;
        if (end < size && rest_[end] == u'-') ++end;
        const int digits = end;
        while (end < size && IsAsciiDigit(rest_[end])) ++end;
        if (end == digits) return at;
        if (end + 1 < size && rest_[end] == FormatSettings().DecimalSeparator && IsAsciiDigit(rest_[end + 1])) {
            ++end;
            while (end < size && IsAsciiDigit(rest_[end])) ++end;
        }
        return end;
    }

    void Consume(const QString& token) { rest_.remove(0, SkipBlanks() + token.size()); }

    bool L()
    {
        if (!R()) return false;
        for (;;) {
            const QString token = Peek(true);
            const QString upper = token.toUpper();
            if (upper != QLatin1String("AND") && upper != QLatin1String("OR")) return true;
            Consume(token);
            if (!R() || !Reduce(TNodeKind::Logical, upper)) return false;
        }
    }

    bool R()
    {
        if (!E()) return false;
        const QString token = Peek();
        if (token.isEmpty() || !IsComparisonChar(token[0])) return true;
        Consume(token);
        return OperatorCode(token) != 0 && E() && Reduce(TNodeKind::Comparison, token);
    }

    bool E()
    {
        if (!T()) return false;
        for (;;) {
            const QString token = Peek();
            if (token != QLatin1String("+") && token != QLatin1String("-")) return true;
            Consume(token);
            if (!T() || !Reduce(TNodeKind::Arithmetic, token)) return false;
        }
    }

    bool T()
    {
        const TDepth depth(depth_);
        if (depth_ > kMaxDepth || !P()) return false;
        const QString token = Peek();
        if (token != QLatin1String("*") && token != QLatin1String("/")) return true;
        Consume(token);
        return T() && Reduce(TNodeKind::Arithmetic, token);
    }

    bool P()
    {
        const QString token = Peek();
        if (token == QLatin1String("(")) {
            Consume(token);
            if (!L() || Peek() != QLatin1String(")")) return false;
            Consume(QStringLiteral(")"));
            return true;
        }
        if (token.isEmpty() || token == QLatin1String(")") || IsComparisonChar(token[0])) return false;
        Consume(token);
        auto operand = std::make_unique<TParseNode>();
        operand->Text = token;
        return Push(std::move(operand));
    }

    bool Push(std::unique_ptr<TParseNode> node)
    {
        if (++count_ > kMaxNodes) return false;
        nodes_.push_back(std::move(node));
        return true;
    }

    // Replaces the two topmost nodes by the operator over them. An operand on
    // the left must be a field; it gives the operand on the right its type.
    bool Reduce(TNodeKind kind, const QString& op)
    {
        if (nodes_.size() < 2) return false;
        auto node = std::make_unique<TParseNode>();
        node->Kind = kind;
        node->Text = op;
        node->Right = std::move(nodes_.back());
        nodes_.pop_back();
        node->Left = std::move(nodes_.back());
        nodes_.pop_back();
        if (node->Left->Kind == TNodeKind::Operand) {
            const TField* field = dataSet_.FindField(node->Left->Text);
            if (!field) {
                MessageDlg(QStringLiteral("Field not found in Table. \n") + node->Left->Text, TMsgDlgType::mtWarning,
                           mbOK);
                return false;
            }
            if (node->Right->Kind == TNodeKind::Operand) {
                node->Right->OperandKind = OperandKindOf(*field);
                if (field->DataType() == TFieldType::ftBCD) node->Right->BcdPlaces = field->Size();
            }
        }
        return Push(std::move(node));
    }

    struct TDepth {
        explicit TDepth(int& depth) : depth_(++depth) {}
        ~TDepth() { --depth_; }
        int& depth_;
    };

    QString rest_;
    const TDataSet& dataSet_;
    std::vector<std::unique_ptr<TParseNode>> nodes_;
    int count_ = 0;   // nodes made so far
    int depth_ = 0;
};

// ---- constants

QString Unquoted(const QString& token)
{
    return token.startsWith(u'"') ? token.mid(1, token.size() - 2) : token;
}

QByteArray Bytes(const void* data, int size) { return QByteArray(static_cast<const char*>(data), size); }

template <typename T>
QByteArray LittleEndian(T value)
{
    value = qToLittleEndian(value);
    return Bytes(&value, int(sizeof value));
}

TDateTime TimeOfText(const QString& text)
{
    int position = 1;
    TDateTime time = 0;
    if (!ReadTimeText(text, position, time) || position <= text.trimmed().size())
        throw EConvertError(QStringLiteral("%1 is not a valid time").arg(QuotedInput(text)));
    return time;
}

qint32 Milliseconds(TDateTime time) { return qint32(std::llround(std::fmod(std::fabs(time), 1.0) * 86400000.0)); }

qint64 DaysOf(TDateTime date) { return DaysOfDate(QDate(1899, 12, 30).addDays(qint64(std::floor(date)))); }

// A date, or a date followed by a blank and a time.
QByteArray TimeStampOfText(const QString& text)
{
    TDateTime date = 0, time = 0;
    if (!text.contains(u' ')) {
        date = StrToDate(text);
    } else {
        int position = 1;
        if (!ReadDateText(text, position, date) || !ReadTimeText(text, position, time) || position <= text.size())
            throw EConvertError(QStringLiteral("%1 is not a valid date and time").arg(QuotedInput(text)));
    }
    return LittleEndian(double(DaysOf(date)) * 86400000.0 + Milliseconds(time));
}

// The narrowest integer type that the field's kind allows and the value fits;
// a value beyond 32 bits goes as a float, so that comparisons stay true.
std::pair<TConstType, QByteArray> IntegerConstant(const QString& text, bool small)
{
    const qint64 value = StrToInt(text);
    if (small && value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max())
        return {ctSmallint, LittleEndian(qint16(value))};
    if (value >= std::numeric_limits<qint32>::min() && value <= std::numeric_limits<qint32>::max())
        return {ctInteger, LittleEndian(qint32(value))};
    return {ctFloat, LittleEndian(double(value))};
}

// A field without known decimal places keeps those the text carries.
QByteArray BcdConstant(const QString& text, int fieldPlaces)
{
    const double value = StrToFloat(text);
    int places = fieldPlaces;
    if (places <= 0) {
        const qsizetype point = text.indexOf(FormatSettings().DecimalSeparator);
        places = point < 0 ? 0 : int(text.size() - point - 1);
    }
    places = std::min(places, kBcdPrecision - 1);
    QString digits = QString::number(std::fabs(value), 'f', places).remove(u'.');
    while (digits.size() > places + 1 && digits.startsWith(u'0')) digits.remove(0, 1);
    std::array<char, kBcdSize> bcd{};
    if (!std::isfinite(value) || !EncodeBcd(digits, value < 0, places, bcd))
        throw EConvertError(QStringLiteral("%1 is not a valid BCD value").arg(QuotedInput(text)));
    return Bytes(bcd.data(), kBcdSize);
}

// ---- the buffer

class TBufferWriter {
public:
    // Empty when the tree does not fit the buffer.
    QByteArray Write(const TParseNode& root)
    {
        const int count = Count(root);
        if (count > kMaxNodes) return {};
        nodes_ = QByteArray(count * kNodeSize, '\0');
        nextSlot_ = count - 1;
        if (WriteNode(root) < 0) return {};
        QByteArray buffer;
        buffer.reserve(kHeaderSize + nodes_.size() + kPoolSize);
        for (const int word : {kVersion, kHeaderSize + int(nodes_.size() + pool_.size()), count, kHeaderSize,
                               kHeaderSize + int(nodes_.size())})
            buffer += LittleEndian(quint16(word));
        return buffer + nodes_ + pool_;
    }

private:
    static int Count(const TParseNode& node)
    {
        return 1 + (node.Left ? Count(*node.Left) : 0) + (node.Right ? Count(*node.Right) : 0);
    }

    // Post-order, each node in the next slot from the end: the root lands in slot 0.
    int WriteNode(const TParseNode& node)
    {
        if (node.Kind != TNodeKind::Operand) {
            const int left = WriteNode(*node.Left);
            const int right = left < 0 ? -1 : WriteNode(*node.Right);
            if (right < 0) return -1;
            return Put(ncBinary, OperatorCode(node.Text), left * kNodeSize, right * kNodeSize, 0);
        }
        if (node.OperandKind == okField) {
            const int name = Literal(Text(node.Text));
            return name < 0 ? -1 : Put(ncField, opField, ++fieldNumber_, name, 0);
        }
        const auto [type, value] = Constant(node);
        const int at = Literal(value);
        return at < 0 ? -1 : Put(ncConstant, opConstant, type, int(value.size()), at);
    }

    int Put(std::uint32_t nodeClass, std::uint32_t op, int word1, int word2, int word3)
    {
        const int slot = nextSlot_--;
        const QByteArray node = LittleEndian(nodeClass) + LittleEndian(op) + LittleEndian(quint16(word1)) +
                                LittleEndian(quint16(word2)) + LittleEndian(quint16(word3));
        nodes_.replace(slot * kNodeSize, kNodeSize, node);
        return slot;
    }

    // A name or text constant, zero-terminated; empty (refused) when too long.
    static QByteArray Text(const QString& text)
    {
        return text.size() > kMaxLiteral ? QByteArray() : text.toUtf8() + '\0';
    }

    // The value's offset in the pool; -1 when it is refused or the pool is full.
    int Literal(const QByteArray& value)
    {
        if (value.isEmpty() || pool_.size() + value.size() > kPoolSize) return -1;
        const int at = int(pool_.size());
        pool_ += value;
        return at;
    }

    static std::pair<std::uint16_t, QByteArray> Constant(const TParseNode& node)
    {
        const QString text = Unquoted(node.Text);
        switch (node.OperandKind) {
        case okString: return {ctString, Text(text)};
        case okFloat: return {ctFloat, LittleEndian(StrToFloat(node.Text))};
        case okInteger:
        case okSmallint: {
            const auto [type, value] = IntegerConstant(node.Text, node.OperandKind == okSmallint);
            return {type, value};
        }
        case okBoolean:
            return {ctBoolean, LittleEndian(qint16(text.startsWith(u'T', Qt::CaseInsensitive) ? -1 : 0))};
        case okBCD: return {ctBCD, BcdConstant(node.Text, node.BcdPlaces)};
        case okDate: return {ctDate, LittleEndian(qint32(DaysOf(StrToDate(text))))};
        case okTime: return {ctTime, LittleEndian(Milliseconds(TimeOfText(text)))};
        case okDateTime: return {ctTimeStamp, TimeStampOfText(text)};
        case okField: break;
        }
        return {};
    }

    QByteArray nodes_, pool_;
    int nextSlot_ = 0;
    int fieldNumber_ = 0;
};

} // namespace

QByteArray CompileFilterExpression(const QString& text, const TDataSet& dataSet)
{
    const std::unique_ptr<TParseNode> root = TParser(text, dataSet).Parse();
    return root ? TBufferWriter().Write(*root) : QByteArray();
}
