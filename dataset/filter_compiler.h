#pragma once
// The filter-expression compiler: turns a filter text such as
//   Balance > 100 AND (City = "Springfield")
// into the engine's filter buffer (platform/engine/filter_format.h), which a
// cursor evaluates on every row it reads.
//
// The language:
//   L := R { (AND | OR) R }          left to right, AND and OR alike
//   R := E [ comparison E ]          = <> < > <= >= (any two of < = >)
//   E := T { (+ | -) T }             left to right
//   T := P [ (* | /) T ]             to the right: a / b / c is a / (b / c)
//   P := ( L ) | operand
// An operand is a name, a number or a text in double quotes. A name runs on
// through blanks and signs (Amount + 1 is one name), so constants that hold
// blanks or signs are best quoted; text after a complete expression is
// ignored. The operand on the left of an operator must name a field of the
// dataset; the operand on its right is then a constant of that field's type.
#include <QByteArray>
#include <QString>

class TDataSet;

// The buffer for Text. Empty when the text does not parse (the caller reports
// it), when its names or texts do not fit the buffer, or when an operand on
// the left names no field: the warning "Field not found in Table. " and the
// name is shown first. A constant that does not convert to its field's type
// raises EConvertError.
QByteArray CompileFilterExpression(const QString& text, const TDataSet& dataSet);
