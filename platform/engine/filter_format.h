#pragma once
// The engine's filter-expression buffer: the form in which a filter is handed
// to a cursor (TEngineCursor::AddFilter). All integers are little-endian.
//
//   header   u16 version (1), u16 total size, u16 node count,
//            u16 start of the nodes (10), u16 start of the literal pool
//   nodes    14 bytes each: u32 class, u32 operator, three u16 operand words
//   literals zero-terminated UTF-8 texts and constant values
//
// Node offsets count from the start of the node array (slot * 14); literal
// offsets from the start of the pool. An operator node names its left and
// right children; a field node its field number and the offset of its name;
// a constant node its data type, its size in bytes and the offset of its value.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <cstdint>

namespace FilterFormat {

inline constexpr int kHeaderSize = 10;
inline constexpr int kNodeSize = 14;
inline constexpr int kVersion = 1;
inline constexpr int kMaxLiteral = 255;   // characters of a name or a text constant

enum TNodeClass : std::uint32_t { ncBinary = 2, ncField = 4, ncConstant = 5 };

enum TOperator : std::uint32_t {
    opEQ = 3, opNE = 4, opGT = 5, opLT = 6, opGE = 7, opLE = 8,
    opAND = 10, opOR = 11, opField = 13, opConstant = 14,
    opADD = 16, opSUB = 17, opMUL = 18, opDIV = 19,
};

// Data types of constants, with the size of their value in the pool.
enum TConstType : std::uint16_t {
    ctString = 1,      // text length + 1, zero-terminated UTF-8
    ctDate = 2,        // 4: days, 1 January of year 1 being day 1
    ctBoolean = 4,     // 2: -1 true, 0 false
    ctSmallint = 5,    // 2
    ctInteger = 6,     // 4
    ctFloat = 7,       // 8: a double
    ctBCD = 8,         // 34: see EncodeBcd
    ctTime = 10,       // 4: milliseconds since midnight
    ctTimeStamp = 11,  // 8: a double, days (as ctDate) * 86400000 + milliseconds
};

inline constexpr int kBcdSize = 34;
inline constexpr int kBcdPrecision = 32;

// Days of ctDate for a date, and back.
inline qint64 DaysOfDate(const QDate& date) { return date.toJulianDay() - QDate(1, 1, 1).toJulianDay() + 1; }
inline QDate DateOfDays(qint64 days) { return QDate::fromJulianDay(days - 1 + QDate(1, 1, 1).toJulianDay()); }

// A decimal value of at most 32 digits: byte 0 the precision, byte 1 the
// number of decimal places with bit 7 for a negative value, then one digit
// per half byte from the most significant on, the last `places` of them
// after the decimal point. Digits is the value's digits without sign or
// point (at most 32); false when it has more.
bool EncodeBcd(const QString& digits, bool negative, int places, std::array<char, kBcdSize>& out);
// The value of a BCD as a double; false when it is malformed.
bool DecodeBcd(const char* bcd, double& value);

} // namespace FilterFormat
