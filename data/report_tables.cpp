#include "data/report_tables.h"
#include "data/message_helpers.h"

QString SqlText(const QStringList& lines) {
    QString text;
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += line;
    }
    return text;
}

QString PeriodKey(int year, int month) {
    return QString::number(year) + QString::number(month);
}

QString PeriodCaption(int year, int month) {
    return MonthName(static_cast<qint16>(month)).left(3) + QLatin1Char('-') + QString::number(year);
}

QString PeriodSortKey(int year, int month) {
    return QString::number(year) + QString::number(month + 10);
}

QString TextOf(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}

double FloatOf(const QVariant& value) {
    return value.isNull() ? 0.0 : value.toDouble();
}

int IntOf(const QVariant& value) {
    return value.isNull() ? 0 : value.toInt();
}

TCursorSpec CursorOn(const QString& table, const QString& indexName, const QStringList& orderFields) {
    TCursorSpec spec;
    spec.Table = table;
    spec.IndexName = indexName;
    spec.OrderFields = orderFields;
    return spec;
}

void DropReportTable(TEngineDatabase& db, const QString& table) {
    // The table need not exist; anything else that stops the drop stops the
    // create that follows, with its own error.
    try {
        db.Execute(QStringLiteral("Drop table ") + table);
    } catch (const EDatabaseError&) {
    }
}

TColumnMap::TColumnMap(TEngineDatabase& db, const QString& table) : desc_(db.DescribeTable(table)) {}

int TColumnMap::operator[](const QString& column) const {
    const int index = desc_.ColumnIndex(column);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found in table %2").arg(column, desc_.Name));
    return index;
}
