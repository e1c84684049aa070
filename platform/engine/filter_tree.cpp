#include "platform/engine/filter_tree.h"
#include "platform/engine/filter_format.h"
#include "platform/rtl/exceptions.h"
#include <QDateTime>
#include <QtEndian>

using namespace FilterFormat;

namespace {

constexpr double kMsPerDay = 86400000.0;

[[noreturn]] void Malformed(const QString& why)
{
    throw EDatabaseError(QStringLiteral("Invalid filter expression: %1").arg(why));
}

// Reads little-endian integers and zero-terminated texts inside the buffer.
class TReader {
public:
    explicit TReader(const QByteArray& buffer) : data_(buffer) {}
    quint32 U16(int at) const { return Byte(at) | Byte(at + 1) << 8; }
    quint32 U32(int at) const { return U16(at) | U16(at + 2) << 16; }
    const char* Bytes(int at, int size) const
    {
        if (at < 0 || size < 0 || at + size > data_.size()) Malformed(QStringLiteral("a value lies outside it"));
        return data_.constData() + at;
    }
    QString Text(int at, int end) const
    {
        for (int i = at; i < end; ++i)
            if (data_[i] == '\0') return QString::fromUtf8(data_.constData() + at, i - at);
        Malformed(QStringLiteral("a text is not terminated"));
    }

private:
    quint32 Byte(int at) const { return static_cast<unsigned char>(*Bytes(at, 1)); }
    const QByteArray& data_;
};

bool IsComparison(quint32 op) { return op >= opEQ && op <= opLE; }
bool IsLogical(quint32 op) { return op == opAND || op == opOR; }
bool IsArithmetic(quint32 op) { return op >= opADD && op <= opDIV; }

double MomentOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDate) return double(value.toDate().toJulianDay()) * kMsPerDay;
    const QDateTime stamp = value.toDateTime();
    return double(stamp.date().toJulianDay()) * kMsPerDay + stamp.time().msecsSinceStartOfDay();
}

} // namespace

TFilterTree::TFilterTree(const QByteArray& buffer, const TTableDesc& table)
{
    ReadNodes(buffer, table);
    Bind(0);
    if (nodes_.front().Kind != TKind::Truth) Malformed(QStringLiteral("it is not a condition"));
}

void TFilterTree::ReadNodes(const QByteArray& buffer, const TTableDesc& table)
{
    const TReader in(buffer);
    if (buffer.size() < kHeaderSize || int(in.U16(0)) != kVersion) Malformed(QStringLiteral("wrong header"));
    const int total = int(in.U16(2)), count = int(in.U16(4)), nodeStart = int(in.U16(6)), pool = int(in.U16(8));
    if (total > buffer.size() || count == 0 || nodeStart != kHeaderSize || pool != kHeaderSize + count * kNodeSize ||
        pool > total)
        Malformed(QStringLiteral("wrong header"));
    const QByteArray data = buffer.left(total);
    const TReader body(data);
    auto literal = [&](int offset) { return pool + offset; };

    nodes_.resize(size_t(count));
    std::vector<bool> referenced(size_t(count), false);
    for (int slot = 0; slot < count; ++slot) {
        const int at = nodeStart + slot * kNodeSize;
        const quint32 nodeClass = body.U32(at), op = body.U32(at + 4);
        const int word1 = int(body.U16(at + 8)), word2 = int(body.U16(at + 10)), word3 = int(body.U16(at + 12));
        TNode& node = nodes_[size_t(slot)];
        node.Operator = op;
        if (nodeClass == ncBinary && (IsComparison(op) || IsLogical(op) || IsArithmetic(op))) {
            // Children come after their parent: the nodes form a tree, never a loop.
            for (const int offset : {word1, word2}) {
                const int child = offset / kNodeSize;
                if (offset % kNodeSize != 0 || child <= slot || child >= count || referenced[size_t(child)])
                    Malformed(QStringLiteral("the nodes do not form a tree"));
                referenced[size_t(child)] = true;
            }
            node.Left = word1 / kNodeSize;
            node.Right = word2 / kNodeSize;
        } else if (nodeClass == ncField && op == opField) {
            const QString name = body.Text(literal(word2), total);
            node.Column = table.ColumnIndex(name);
            if (node.Column < 0)
                throw EDatabaseError(QStringLiteral("Field %1 not found in table %2").arg(name, table.Name));
            node.Kind = KindOfColumn(table.Columns[size_t(node.Column)]);
        } else if (nodeClass == ncConstant && op == opConstant) {
            const int size = word2;
            const char* value = body.Bytes(literal(word3), size);
            TValue& constant = node.Constant;
            constant.Blank = false;
            auto expect = [&](int wanted) {
                if (size != wanted) Malformed(QStringLiteral("a constant has the wrong size"));
            };
            auto number = [&](TKind kind, double value) {
                node.Kind = kind;
                constant.Number = value;
            };
            switch (word1) {
            case ctString:
                constant.Text = body.Text(literal(word3), literal(word3) + size);
                if (constant.Text.toUtf8().size() + 1 != size) Malformed(QStringLiteral("a text has the wrong size"));
                node.Kind = TKind::Text;
                break;
            case ctDate:
                expect(4);
                number(TKind::Moment, double(DateOfDays(qFromLittleEndian<qint32>(value)).toJulianDay()) * kMsPerDay);
                break;
            case ctTimeStamp:
                // Days from 1 January of year 1 (day 1), moved onto the Julian days the rows use.
                expect(8);
                number(TKind::Moment,
                       qFromLittleEndian<double>(value) + double(QDate(1, 1, 1).toJulianDay() - 1) * kMsPerDay);
                break;
            case ctTime: expect(4); number(TKind::TimeOfDay, qFromLittleEndian<qint32>(value)); break;
            case ctBoolean: expect(2); number(TKind::Truth, qFromLittleEndian<qint16>(value) != 0); break;
            case ctSmallint: expect(2); number(TKind::Number, qFromLittleEndian<qint16>(value)); break;
            case ctInteger: expect(4); number(TKind::Number, qFromLittleEndian<qint32>(value)); break;
            case ctFloat: expect(8); number(TKind::Number, qFromLittleEndian<double>(value)); break;
            case ctBCD: {
                expect(kBcdSize);
                double decimal = 0;
                if (!DecodeBcd(value, decimal)) Malformed(QStringLiteral("a decimal constant is malformed"));
                number(TKind::Number, decimal);
                break;
            }
            default: Malformed(QStringLiteral("a constant has an unknown type"));
            }
        } else {
            Malformed(QStringLiteral("a node has an unknown class or operator"));
        }
    }
    for (int slot = 1; slot < count; ++slot)
        if (!referenced[size_t(slot)]) Malformed(QStringLiteral("the nodes do not form a tree"));
}

// Gives each node its kind, from the leaves up, and refuses operands that do not fit.
void TFilterTree::Bind(int slot)
{
    TNode& node = nodes_[size_t(slot)];
    if (node.Left < 0) return;   // a field or a constant: its kind came with its type
    Bind(node.Left);
    Bind(node.Right);
    const TKind left = nodes_[size_t(node.Left)].Kind, right = nodes_[size_t(node.Right)].Kind;
    if (IsLogical(node.Operator)) {
        if (left != TKind::Truth || right != TKind::Truth) Malformed(QStringLiteral("AND and OR join conditions only"));
        node.Kind = TKind::Truth;
    } else if (IsArithmetic(node.Operator)) {
        if (left != TKind::Number || right != TKind::Number)
            Malformed(QStringLiteral("arithmetic on a value that is no number"));
        node.Kind = TKind::Number;
    } else {
        if (left != right) Malformed(QStringLiteral("values of different types compared"));
        node.Kind = TKind::Truth;
        TNode& constant = nodes_[size_t(node.Right)];
        if (right == TKind::Text && constant.Column < 0 && constant.Left < 0 &&
            (node.Operator == opEQ || node.Operator == opNE) && constant.Constant.Text.endsWith(QLatin1Char('*'))) {
            constant.Partial = true;
            constant.Constant.Text.chop(1);
        }
    }
}

TFilterTree::TKind TFilterTree::KindOfColumn(const TColumnDesc& column)
{
    using enum TFieldType;
    switch (column.Type) {
    case ftString:
    case ftMemo: return TKind::Text;
    case ftDate:
    case ftDateTime: return TKind::Moment;
    case ftTime: return TKind::TimeOfDay;
    case ftBoolean: return TKind::Truth;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftAutoInc: return TKind::Number;
    case ftBlob:
    case ftUnknown: break;
    }
    Malformed(QStringLiteral("field %1 cannot be compared").arg(column.Name));
}

bool TFilterTree::Accepts(const TRecordValues& row) const
{
    const TValue result = Evaluate(0, row);
    return !result.Blank && result.Number != 0;
}

TFilterTree::TValue TFilterTree::Evaluate(int slot, const TRecordValues& row) const
{
    const TNode& node = nodes_[size_t(slot)];
    if (node.Column >= 0) {
        const QVariant& value = row[size_t(node.Column)];
        TValue out;
        if (value.isNull()) {
            if (node.Kind == TKind::Text) out.Blank = false;   // a blank text is the empty text
            return out;
        }
        out.Blank = false;
        switch (node.Kind) {
        case TKind::Text: out.Text = value.toString(); break;
        case TKind::Truth: out.Number = value.toBool(); break;
        case TKind::Number: out.Number = value.toDouble(); break;
        case TKind::Moment: out.Number = MomentOf(value); break;
        case TKind::TimeOfDay: out.Number = value.toTime().msecsSinceStartOfDay(); break;
        }
        return out;
    }
    if (node.Left < 0) return node.Constant;

    TValue out;
    out.Blank = false;
    if (IsLogical(node.Operator)) {
        const TValue left = Evaluate(node.Left, row);
        const bool leftTrue = !left.Blank && left.Number != 0;
        // Short cut: the right side is not looked at when the left decides.
        if (node.Operator == opAND && !leftTrue) return out;
        if (node.Operator == opOR && leftTrue) {
            out.Number = 1;
            return out;
        }
        const TValue right = Evaluate(node.Right, row);
        out.Number = !right.Blank && right.Number != 0;
        return out;
    }
    const TValue left = Evaluate(node.Left, row), right = Evaluate(node.Right, row);
    if (IsArithmetic(node.Operator)) {
        if (left.Blank || right.Blank || (node.Operator == opDIV && right.Number == 0)) return TValue{};
        switch (node.Operator) {
        case opADD: out.Number = left.Number + right.Number; break;
        case opSUB: out.Number = left.Number - right.Number; break;
        case opMUL: out.Number = left.Number * right.Number; break;
        default: out.Number = left.Number / right.Number; break;
        }
        return out;
    }
    out.Number = Compare(node, left, right);
    return out;
}

bool TFilterTree::Compare(const TNode& node, const TValue& left, const TValue& right) const
{
    if (left.Blank || right.Blank) return node.Operator == opNE && !(left.Blank && right.Blank);
    int order = 0;
    if (nodes_[size_t(node.Left)].Kind == TKind::Text) {
        if (nodes_[size_t(node.Right)].Partial) {
            const bool begins = left.Text.startsWith(right.Text);
            return node.Operator == opEQ ? begins : !begins;
        }
        order = left.Text.compare(right.Text);
    } else {
        order = left.Number < right.Number ? -1 : left.Number > right.Number ? 1 : 0;
    }
    switch (node.Operator) {
    case opEQ: return order == 0;
    case opNE: return order != 0;
    case opGT: return order > 0;
    case opLT: return order < 0;
    case opGE: return order >= 0;
    default: return order <= 0;
    }
}
