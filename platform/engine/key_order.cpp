#include "platform/engine/key_order.h"
#include "platform/engine/column_values.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/nocase_collation.h"

namespace {
void AndWith(TSqlCondition& into, const TSqlCondition& more) {
    if (more.Where == QLatin1String("1")) return;
    into.Where = into.Where == QLatin1String("1") ? more.Where : into.Where + QStringLiteral(" AND ") + more.Where;
    into.Params.insert(into.Params.end(), more.Params.begin(), more.Params.end());
}
}  // namespace

TKeyOrder::TKeyOrder(std::vector<TOrderField> fields, bool descending)
    : fields_(std::move(fields)), descending_(descending) {
    for (const TOrderField& field : fields_) {
        quoted_.push_back(QuoteIdentifier(field.Name));
        refs_.push_back(field.NoCase ? quoted_.back() + QStringLiteral(" COLLATE ") + QLatin1String(kNoCaseCollation)
                                     : quoted_.back());
    }
    for (const bool forward : {false, true}) {
        const QString direction = forward != descending_ ? QStringLiteral(" ASC") : QStringLiteral(" DESC");
        QStringList parts;
        for (const QString& ref : refs_) parts.append(ref + direction);
        parts.append(QStringLiteral("rowid") + direction);
        orderBy_[forward] = parts.join(QStringLiteral(", "));
    }
}

QString TKeyOrder::Ref(const TOrderField& field) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (fields_[i].Column == field.Column && fields_[i].NoCase == field.NoCase) return refs_[i];
    QString ref = QuoteIdentifier(field.Name);
    if (field.NoCase) ref += QStringLiteral(" COLLATE ") + QLatin1String(kNoCaseCollation);
    return ref;
}

QString TKeyOrder::OrderBy(bool forward) const { return orderBy_[forward]; }

TSqlCondition TKeyOrder::Equal(const TOrderField& field, const QVariant& value) const {
    if (value.isNull()) return {QuoteIdentifier(field.Name) + QStringLiteral(" IS NULL"), {}};
    return {Ref(field) + QStringLiteral(" = ?"), {value}};
}

TSqlCondition TKeyOrder::EqualPrefix(const std::vector<QVariant>& key, size_t count) const {
    TSqlCondition condition{QStringLiteral("1"), {}};
    for (size_t i = 0; i < count; ++i) AndWith(condition, Equal(fields_[i], key[i]));
    return condition;
}

// Rows whose field lies beyond value, walking up (towards larger values) or
// down; in walking order. Down from a value come smaller values, then NULLs.
std::vector<TSqlCondition> TKeyOrder::Beyond(const TOrderField& field, const QVariant& value, bool upward) const {
    const QString column = QuoteIdentifier(field.Name);
    if (upward) {
        if (value.isNull()) return {{column + QStringLiteral(" IS NOT NULL"), {}}};
        return {{Ref(field) + QStringLiteral(" > ?"), {value}}};
    }
    if (value.isNull()) return {};
    return {{Ref(field) + QStringLiteral(" < ?"), {value}}, {column + QStringLiteral(" IS NULL"), {}}};
}

std::vector<TSqlCondition> TKeyOrder::SegmentsFrom(const TKeyPosition& position, bool inclusive, bool forward) const {
    const bool upward = forward != descending_;
    const size_t given = std::min(position.Key.size(), fields_.size());
    std::vector<TSqlCondition> segments;
    if (position.RowId && given == fields_.size()) {
        TSqlCondition same = EqualPrefix(position.Key, given);
        const QString op = upward ? (inclusive ? QStringLiteral(">=") : QStringLiteral(">"))
                                  : (inclusive ? QStringLiteral("<=") : QStringLiteral("<"));
        AndWith(same, {QStringLiteral("rowid ") + op + QStringLiteral(" ?"), {QVariant(position.RowId.value())}});
        segments.push_back(same);
    } else if (inclusive) {
        segments.push_back(EqualPrefix(position.Key, given));
        if (given == 0) return segments;
    }
    for (size_t i = given; i-- > 0;) {
        for (const TSqlCondition& beyond : Beyond(fields_[i], position.Key[i], upward)) {
            TSqlCondition segment = EqualPrefix(position.Key, i);
            AndWith(segment, beyond);
            segments.push_back(segment);
        }
    }
    return segments;
}

TSqlCondition TKeyOrder::Bound(const std::vector<QVariant>& key, bool atOrAfter) const {
    TSqlCondition bound{QStringLiteral("1"), {}};
    if (key.empty()) return bound;
    // A plain range on the first field lets SQLite seek the index; the OR
    // below is exact but SQLite cannot seek with it.
    const QVariant& first = key.front();
    const bool upward = atOrAfter != descending_;
    if (!first.isNull() && upward)
        AndWith(bound, {Ref(fields_.front()) + QStringLiteral(" >= ?"), {first}});
    QStringList alternatives;
    TSqlCondition exact{QString(), {}};
    for (const TSqlCondition& segment : SegmentsFrom({key, std::nullopt}, true, atOrAfter)) {
        alternatives.append(QLatin1Char('(') + segment.Where + QLatin1Char(')'));
        exact.Params.insert(exact.Params.end(), segment.Params.begin(), segment.Params.end());
    }
    exact.Where = QLatin1Char('(') + alternatives.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    AndWith(bound, exact);
    return bound;
}

int TKeyOrder::Compare(const std::vector<QVariant>& a, qint64 rowA, const std::vector<QVariant>& b, qint64 rowB) const {
    const int c = ComparePrefix(a, b);
    if (c != 0) return c;
    const int byRow = rowA < rowB ? -1 : (rowA > rowB ? 1 : 0);
    return descending_ ? -byRow : byRow;
}

int TKeyOrder::ComparePrefix(const std::vector<QVariant>& rowKey, const std::vector<QVariant>& key) const {
    for (size_t i = 0; i < key.size() && i < fields_.size() && i < rowKey.size(); ++i) {
        const int c = CompareStorage(rowKey[i], key[i], fields_[i].NoCase);
        if (c != 0) return descending_ ? -c : c;
    }
    return 0;
}
