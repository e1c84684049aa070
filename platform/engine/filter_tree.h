#pragma once
// A filter expression read from its buffer (filter_format.h) and bound to the
// columns of one table, so that a cursor can test each row it reads without
// leaving C++: a filtered walk costs little more than a plain one.
//
// Reading checks everything: the header, that the nodes form one tree, every
// literal, that each field names a column and that the operands of each
// operator have types that fit (comparisons of like with like, arithmetic on
// numbers, AND and OR on truth values). A buffer that fails raises
// EDatabaseError and no filter is made.
//
// Values: a date and a date-time compare as points in time; a logical
// compares as a number (true 1). A blank text is the empty text, so that
// Name = "" finds the rows without a name. Any other blank equals nothing and
// differs from everything: Amount = 5 and Amount < 5 are both false on a
// blank amount, Amount <> 5 true. Texts compare by their characters, with
// case (as a case-sensitive index orders them). A text constant that ends in
// "*" compared by = or <> matches the texts that begin with what precedes it.
// Arithmetic on a blank, and a division by zero, give a blank.
#include "platform/engine/field_types.h"
#include <QByteArray>
#include <cstdint>
#include <vector>

class TFilterTree {
public:
    TFilterTree(const QByteArray& buffer, const TTableDesc& table);

    bool Accepts(const TRecordValues& row) const;

private:
    enum class TKind : std::uint8_t { Truth, Number, Text, Moment, TimeOfDay };
    struct TValue {
        bool Blank = true;
        double Number = 0;     // Truth, Number, Moment (ms), TimeOfDay (ms)
        QString Text;
    };
    struct TNode {
        std::uint32_t Operator = 0;
        TKind Kind = TKind::Truth;
        int Left = -1, Right = -1;   // operators: child slots
        int Column = -1;             // fields
        TValue Constant;             // constants
        bool Partial = false;        // a text constant ending in "*" (Constant.Text without it)
    };

    void ReadNodes(const QByteArray& buffer, const TTableDesc& table);
    static TKind KindOfColumn(const TColumnDesc& column);
    void Bind(int slot);
    TValue Evaluate(int slot, const TRecordValues& row) const;
    bool Compare(const TNode& node, const TValue& left, const TValue& right) const;

    std::vector<TNode> nodes_;   // slot 0 is the root
};
