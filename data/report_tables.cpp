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

int TTextIds::IdOf(QByteArrayView utf8) {
    const std::string_view bytes(utf8.data(), size_t(utf8.size()));
    size_t slot = bytes.size();
    for (size_t i = bytes.size() > 2 ? bytes.size() - 2 : 0; i < bytes.size(); ++i)
        slot = slot * 31 + static_cast<unsigned char>(bytes[i]);
    TRecent& recent = recent_[slot % recent_.size()];
    if (recent.Bytes && *recent.Bytes == bytes)
        return recent.Id;
    auto spelling = spellings_.find(bytes);
    if (spelling == spellings_.end()) {
        // Bytes that are no UTF-8 read as the text they decode to, which
        // other bytes may spell too.
        const QString text = QString::fromUtf8(utf8);
        const auto [found, added] = ids_.try_emplace(text, Count());
        if (added)
            texts_.push_back(text);
        spelling = spellings_.emplace(std::string(bytes), found->second).first;
    }
    recent = {&spelling->first, spelling->second};
    return recent.Id;
}

int RowCount(TEngineDatabase& db, const QString& table, const QString& where) {
    const auto rows = db.Query(SqlText({QStringLiteral("select count(*) from ") + table, where}));
    return rows->Next() ? IntOf(rows->Value(0)) : 0;
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

void CreateReportTable(TEngineDatabase& db, const QString& table, TReportRows rows, const QStringList& moneyColumns) {
    QStringList create = {QStringLiteral("Create table ") + table, QStringLiteral("(")};
    if (rows == TReportRows::ByMonth)
        create << QStringLiteral("PeriodYear smallint , PeriodMonth smallint,");
    create << QStringLiteral("KeyField1 character(10), KeyField2 character(10)")
           << QStringLiteral(",KeyField1Desc character(50), KeyField2Desc character(50)");
    for (const QString& column : moneyColumns)
        create << QStringLiteral(", ") + column + QStringLiteral(" NUMERIC(10,2)");
    create << (rows == TReportRows::ByMonth ? QStringLiteral(", PRIMARY KEY(PeriodYear, PeriodMonth)")
                                            : QStringLiteral(", PRIMARY KEY(KeyField1, KeyField2)"))
           << QStringLiteral(")");
    db.Execute(SqlText(create));
}

void InsertGrandTotal(TEngineDatabase& db, const QString& table, const TColumnMap& columns,
                      const QStringList& sumColumns, const std::function<void(TRecordValues&)>& adjust) {
    QStringList sums = {QStringLiteral(" Select \"dummy\" as sq_dummy ")};
    for (const QString& column : sumColumns)
        sums << QStringLiteral(", sum(%1) as %1").arg(column);
    sums << QStringLiteral(" from ") + table;
    TRecordValues total = columns.EmptyRecord();
    {
        const auto rows = db.Query(SqlText(sums));
        rows->Next();
        for (int i = 0; i < sumColumns.size(); ++i)
            total[columns[sumColumns[i]]] = FloatOf(rows->Value(1 + i));
    }
    total[columns[QStringLiteral("KeyField1")]] = QStringLiteral("999999999");
    total[columns[QStringLiteral("KeyField1Desc")]] = QStringLiteral("GRAND TOTAL");
    total[columns[QStringLiteral("KeyField2")]] = QStringLiteral("999");
    if (adjust)
        adjust(total);
    db.InsertRow(table, total);
}

TColumnMap::TColumnMap(TEngineDatabase& db, const QString& table) : desc_(db.DescribeTable(table)) {}

int TColumnMap::operator[](const QString& column) const {
    const int index = desc_.ColumnIndex(column);
    if (index < 0)
        throw EDatabaseError(QStringLiteral("Field '%1' not found in table %2").arg(column, desc_.Name));
    return index;
}
