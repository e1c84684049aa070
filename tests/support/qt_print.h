#pragma once
// Lets GoogleTest print Qt values in failure messages as readable text.
#include <QDate>
#include <QString>
#include <QVariant>
#include <ostream>

inline void PrintTo(const QString& value, std::ostream* os) { *os << '"' << value.toStdString() << '"'; }
inline void PrintTo(const QDate& value, std::ostream* os) { *os << value.toString(Qt::ISODate).toStdString(); }
inline void PrintTo(const QVariant& value, std::ostream* os)
{
    *os << "QVariant(" << value.typeName() << ", " << value.toString().toStdString() << ')';
}
