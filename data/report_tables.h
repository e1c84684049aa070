#pragma once
// What the summary rebuild and the report builders share: statement text from
// lines, the month keys and captions the report page reads, and the one way a
// build runs: in one transaction under the hourglass, all or nothing.
#include "platform/engine/cursor.h"
#include "platform/engine/engine_database.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include <QStringList>
#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

// A statement written as a list of lines; an empty line (a where-clause that
// selects every row) adds nothing.
QString SqlText(const QStringList& lines);

// The period key of a month column: year and month in decimal, no separator.
QString PeriodKey(int year, int month);
// "Mar-2026".
QString PeriodCaption(int year, int month);
// The sort text of a month row: the year followed by the month plus 10.
QString PeriodSortKey(int year, int month);

// The text of a field value; empty for null.
QString TextOf(const QVariant& value);
// A number field's value; 0 for null, as the datasets read an empty float.
double FloatOf(const QVariant& value);
int IntOf(const QVariant& value);

// Distinct texts (codes) as small numbers, in the order they were first met:
// a report reads each code of its source once per row.
class TTextIds {
public:
    TTextIds() = default;
    TTextIds(const TTextIds&) = delete;   // the recent spellings point into the table of spellings
    TTextIds& operator=(const TTextIds&) = delete;
    TTextIds(TTextIds&&) = default;
    TTextIds& operator=(TTextIds&&) = default;

    // The number of the text these UTF-8 bytes spell, as a result's text
    // column gives them.
    int IdOf(QByteArrayView utf8);
    const QString& Text(int id) const { return texts_[size_t(id)]; }
    int Count() const { return static_cast<int>(texts_.size()); }

private:
    std::vector<QString> texts_;
    std::unordered_map<QString, int> ids_;
    struct TBytesHash {
        using is_transparent = void;
        size_t operator()(std::string_view bytes) const noexcept { return std::hash<std::string_view>()(bytes); }
    };
    std::unordered_map<std::string, int, TBytesHash, std::equal_to<>> spellings_;   // the texts' bytes as met
    // The spellings met lately, each in a slot chosen by its length and last
    // bytes: a summary's rows come in runs of the same first code, its
    // second codes in turns.
    struct TRecent {
        const std::string* Bytes = nullptr;
        int Id = -1;
    };
    std::array<TRecent, 64> recent_{};
};

// Each value's place, from 0, among the values in ascending order.
template <typename T>
std::vector<int> Ranks(const std::vector<T>& values) {
    std::vector<int> order(values.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) { return values[size_t(a)] < values[size_t(b)]; });
    std::vector<int> rank(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        rank[size_t(order[i])] = int(i);
    return rank;
}

// The number of rows of a table a where clause ("where ...", or empty for
// every row) selects.
int RowCount(TEngineDatabase& db, const QString& table, const QString& where);

// A cursor over a whole table in the order of a named index, of the given
// fields, or (both empty) of the primary key.
TCursorSpec CursorOn(const QString& table, const QString& indexName = {}, const QStringList& orderFields = {});

// Drops a report table; a missing table is no failure.
void DropReportTable(TEngineDatabase& db, const QString& table);

// How the rows of a report table are keyed: by their two codes, or by month
// (PeriodYear, PeriodMonth before the codes).
enum class TReportRows { ByCodes, ByMonth };

// Creates a report table: the key columns every report shares (the codes and
// their names, after the period for month rows), then its money columns.
void CreateReportTable(TEngineDatabase& db, const QString& table, TReportRows rows, const QStringList& moneyColumns);

class TColumnMap;

// Adds the "GRAND TOTAL" row, sorted after every other: the database's sums
// of sumColumns over the rows written, under the same columns; adjust may set
// more of the row (a month row's period) before it is stored.
void InsertGrandTotal(TEngineDatabase& db, const QString& table, const TColumnMap& columns,
                      const QStringList& sumColumns, const std::function<void(TRecordValues&)>& adjust = {});

// The column positions of a table, looked up by name.
class TColumnMap {
public:
    TColumnMap(TEngineDatabase& db, const QString& table);
    int operator[](const QString& column) const;   // EDatabaseError when absent
    TRecordValues EmptyRecord() const { return TRecordValues(desc_.Columns.size()); }
    const TTableDesc& Desc() const { return desc_; }

private:
    TTableDesc desc_;
};

// A report whose rows do not fit its own columns: nothing sensible can be
// shown, so the build is abandoned.
class EReportMismatch : public Exception {
public:
    EReportMismatch() : Exception(QStringLiteral("Serious error, please contcat developer")) {}
};

// Runs work in one transaction of db (or in the caller's, when one is open).
template <typename F>
void RunAtomically(TEngineDatabase& db, F&& work) {
    if (db.InTransaction())
        work();
    else
        RunInTransaction(db, std::forward<F>(work));
}

// One report build: the hourglass while it runs, one transaction, and on a
// mismatch of rows and columns the message box and the silent abort, the
// database left as it was. Any other error propagates after the rollback.
template <typename F>
void RunReportBuild(TEngineDatabase& db, F&& work) {
    const THourglass hourglass;
    try {
        RunAtomically(db, std::forward<F>(work));
    } catch (const EReportMismatch& error) {
        ShowMessage(error.Message);
        Abort();
    }
}
