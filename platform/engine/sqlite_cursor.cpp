#include "platform/engine/sqlite_cursor.h"
#include "platform/engine/carried_count_check.h"
#include "platform/engine/column_values.h"
#include "platform/engine/sql_translator.h"
#include "platform/engine/sqlite_database.h"

namespace {
constexpr int kFirstPage = 64;      // a screenful and then some
constexpr int kSeekPage = 1;        // a seek reads little; Next reads on in pages
constexpr int kMaxPage = 1024;      // pages double while the cursor keeps walking
constexpr int kMaxWindow = 1536;    // rows kept around the current one: few enough that a walk lets go of
                                    // rows still in the processor's cache
constexpr int kFilterBatch = 64;    // rows read at once while a filter rejects rows
constexpr int kMaxCarriedRecNos = 1024;   // row numbers carried over an insert; more are counted again

void AndWith(TSqlCondition& into, const TSqlCondition& more) {
    if (more.Where == QLatin1String("1")) return;
    into.Where = into.Where == QLatin1String("1") ? more.Where : into.Where + QStringLiteral(" AND ") + more.Where;
    into.Params.insert(into.Params.end(), more.Params.begin(), more.Params.end());
}
}  // namespace

TSqliteCursor::TSqliteCursor(std::shared_ptr<TSqliteDatabase> db, const TCursorSpec& spec)
    : db_(std::move(db)), desc_(db_->AccessibleTable(spec.Table)), tableChanges_(&db_->TableChanges(desc_.Name)) {
    BuildOrder(spec);
    for (const TColumnDesc& column : desc_.Columns) readers_.emplace_back(column.Type);
    QStringList columns{QStringLiteral("rowid")};
    for (const TColumnDesc& column : desc_.Columns) columns.append(QuoteIdentifier(column.Name));
    selectList_ = columns.join(QStringLiteral(", "));
    from_ = QuoteIdentifier(desc_.Name);
    equal_ = spec.Equal;
    hasRange_ = spec.HasRange;
    rangeStart_ = spec.RangeStart;
    rangeEnd_ = spec.RangeEnd;
    filters_.SetCallback(spec.Filter);
    BuildView();
    First();
}

TSqliteCursor::~TSqliteCursor() = default;

void TSqliteCursor::BuildOrder(const TCursorSpec& spec) {
    QStringList names;
    bool noCase = false, descending = false;
    if (!spec.IndexName.isEmpty()) {
        const TIndexDesc* index = desc_.FindIndex(spec.IndexName);
        if (!index) throw EDatabaseError(QStringLiteral("Index %1 does not exist on table %2").arg(spec.IndexName, desc_.Name));
        names = index->Fields;
        noCase = index->CaseInsensitive;
        descending = index->Descending;
    } else if (!spec.OrderFields.isEmpty()) {
        names = spec.OrderFields;
        noCase = spec.CaseInsensitive;
        descending = spec.Descending;
    } else if (!desc_.Indexes.empty() && desc_.Indexes.front().Primary) {
        names = desc_.Indexes.front().Fields;
        noCase = desc_.Indexes.front().CaseInsensitive;
        descending = desc_.Indexes.front().Descending;
    }
    std::vector<TOrderField> fields;
    for (const QString& name : names) {
        const int column = desc_.ColumnIndex(name);
        if (column < 0) throw EDatabaseError(QStringLiteral("Field %1 not found in table %2").arg(name, desc_.Name));
        const TColumnDesc& desc = desc_.Columns[size_t(column)];
        fields.push_back({desc.Name, column, noCase && IsTextType(desc.Type)});
    }
    order_ = std::make_unique<TKeyOrder>(std::move(fields), descending);
}

QStringList TSqliteCursor::OrderFields() const {
    QStringList names;
    for (const TOrderField& field : order_->Fields()) names.append(field.Name);
    return names;
}

QVariant TSqliteCursor::FieldToStorage(int column, const QVariant& value) const {
    TColumnDesc desc = desc_.Columns[size_t(column)];
    desc.Size = 0;   // a key to look for may be longer than anything stored
    return ColumnToStorage(value, desc, desc_.Name);
}

std::vector<QVariant> TSqliteCursor::KeyToStorage(const std::vector<QVariant>& key) const {
    if (key.size() > order_->Fields().size())
        throw EDatabaseError(QStringLiteral("More key values than fields in the order of table %1").arg(desc_.Name));
    std::vector<QVariant> stored;
    for (size_t i = 0; i < key.size(); ++i) stored.push_back(FieldToStorage(order_->Fields()[i].Column, key[i]));
    return stored;
}

void TSqliteCursor::BuildView() {
    view_ = {QStringLiteral("1"), {}};
    const auto bit = [](int column) { return column < 64 ? quint64(1) << column : ~quint64(0); };
    viewColumns_ = 0;
    for (const TOrderField& field : order_->Fields()) viewColumns_ |= bit(field.Column);
    for (const auto& [name, value] : equal_) {
        const int column = desc_.ColumnIndex(name);
        if (column < 0) throw EDatabaseError(QStringLiteral("Field %1 not found in table %2").arg(name, desc_.Name));
        viewColumns_ |= bit(column);
        // A link field of a case-insensitive order matches as the order does.
        TOrderField field{desc_.Columns[size_t(column)].Name, column, false};
        for (const TOrderField& ordered : order_->Fields())
            if (ordered.Column == column) field = ordered;
        AndWith(view_, order_->Equal(field, FieldToStorage(column, value)));
    }
    if (hasRange_) {
        const std::vector<QVariant> start = KeyToStorage(rangeStart_), end = KeyToStorage(rangeEnd_);
        AndWith(view_, order_->Bound(start, true));
        AndWith(view_, order_->Bound(end, false));
        // Both ends on the first field: let SQLite stop the index scan at the far end too.
        if (!start.empty() && !end.empty() && !start.front().isNull() && !end.front().isNull()) {
            const QVariant& high = order_->Descending() ? start.front() : end.front();
            AndWith(view_, {order_->Ref(order_->Fields().front()) + QStringLiteral(" <= ?"), {high}});
        }
    }
    ++viewVersion_;
    InvalidateCounts();
}

void TSqliteCursor::InvalidateCounts() {
    count_.reset();
    recNos_.clear();
}

// The rows in view change with writes to the table; a record callback may
// look at other tables too, so any write counts for it.
quint64 TSqliteCursor::Generation() const {
    return filters_.HasCallback() ? db_->ChangeCount() : db_->WideChanges() + tableChanges_->Count;
}

// --- reading ----------------------------------------------------------------

TSqliteStatement& TSqliteCursor::Statement(const QString& sql) const {
    auto found = statements_.find(sql);
    if (found == statements_.end())
        found = statements_.emplace(sql, std::make_unique<TSqliteStatement>(db_->Handle(), sql)).first;
    found->second->Reset();
    return *found->second;
}

TSqliteCursor::TRow TSqliteCursor::ReadRow(const TSqliteStatement& statement) const {
    TRow row;
    row.RowId = statement.ColumnInt(0);
    const size_t count = desc_.Columns.size();
    for (size_t i = 0; i < count; ++i) readers_[i].Read(statement, int(i) + 1);
    for (const TOrderField& field : order_->Fields()) row.Key.push_back(readers_[size_t(field.Column)].Stored());
    if (!spare_.empty()) {
        row.Values = std::move(spare_.back());
        spare_.pop_back();
    }
    row.Values.resize(qsizetype(count));
    QVariant* values = row.Values.data();   // unshared: written without a detach check per value
    for (size_t i = 0; i < count; ++i) readers_[i].TakeValueInto(values[i]);
    return row;
}

template <typename Take>
int TSqliteCursor::ReadSegment(const TSqlCondition& segment, bool forward, int limit, Take&& take) const {
    TSqliteStatement& statement =
        Statement(QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND %4 ORDER BY %5 LIMIT ?")
                      .arg(selectList_, from_, view_.Where, segment.Where, order_->OrderBy(forward)));
    statement.BindAll(view_.Params);
    statement.BindAll(segment.Params, int(view_.Params.size()) + 1);
    statement.Bind(int(view_.Params.size() + segment.Params.size()) + 1, qlonglong(limit));
    int read = 0;
    try {
        while (statement.Step()) {
            ++read;
            if (!take(ReadRow(statement))) break;
        }
    } catch (...) {
        statement.Reset();
        throw;
    }
    statement.Reset();
    return read;
}

TSqliteCursor::TFetch TSqliteCursor::Fetch(const std::optional<TKeyPosition>& from, bool inclusive, bool forward,
                                           int want) const {
    TFetch out;
    out.Rows.reserve(size_t(want));
    std::optional<TKeyPosition> position = from;
    bool include = inclusive;
    while (int(out.Rows.size()) < want) {
        const std::vector<TSqlCondition> segments =
            position ? order_->SegmentsFrom(*position, include, forward) : std::vector<TSqlCondition>{{QStringLiteral("1"), {}}};
        bool more = false;
        for (const TSqlCondition& segment : segments) {
            const int limit = std::max(want - int(out.Rows.size()), filters_.Any() ? kFilterBatch : 1);
            bool full = false;
            // The last row read, kept whole only when the filter rejected it.
            bool lastAccepted = false;
            TRow rejected;
            const int read = ReadSegment(segment, forward, limit, [&](TRow&& row) {
                lastAccepted = Accepts(row);
                if (lastAccepted) out.Rows.push_back(std::move(row));
                else rejected = std::move(row);
                full = int(out.Rows.size()) >= want;
                return !full;
            });
            if (read > 0) out.LastScanned = lastAccepted ? out.Rows.back().Position() : rejected.Position();
            if (full) return out;
            if (read == limit) {   // the segment may hold more: go on from the last row read
                position = out.LastScanned;
                include = false;
                more = true;
                break;
            }
        }
        if (!more) {
            out.Exhausted = true;
            break;
        }
    }
    return out;
}

std::optional<TSqliteCursor::TRow> TSqliteCursor::ReadViewRow(qint64 rowId) const {
    TSqliteStatement& statement =
        Statement(QStringLiteral("SELECT %1 FROM %2 WHERE %3 AND rowid = ?").arg(selectList_, from_, view_.Where));
    statement.BindAll(view_.Params);
    statement.Bind(int(view_.Params.size()) + 1, rowId);
    std::optional<TRow> row;
    if (statement.Step()) row = ReadRow(statement);
    statement.Reset();
    return row;
}

qlonglong TSqliteCursor::CountWhere(const TSqlCondition& condition) const {
    TSqliteStatement& statement =
        Statement(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 AND %3").arg(from_, view_.Where, condition.Where));
    statement.BindAll(view_.Params);
    statement.BindAll(condition.Params, int(view_.Params.size()) + 1);
    statement.Step();
    const qlonglong count = statement.ColumnInt(0);
    statement.Reset();
    return count;
}

// --- the window -------------------------------------------------------------

void TSqliteCursor::SetWindow(std::vector<TRow> rows, bool headDone, std::optional<TKeyPosition> headScan,
                              bool tailDone, std::optional<TKeyPosition> tailScan, int current) {
    rows_.assign(std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    headDone_ = headDone;
    headScan_ = std::move(headScan);
    tailDone_ = tailDone;
    tailScan_ = std::move(tailScan);
    current_ = current;
    bof_ = eof_ = false;
}

void TSqliteCursor::SetSingle(TRow row) {
    const TKeyPosition position = row.Position();
    std::vector<TRow> rows;
    rows.push_back(std::move(row));
    SetWindow(std::move(rows), false, position, false, position, 0);
    pageSize_ = 0;
}

bool TSqliteCursor::ExtendTail() {
    if (tailDone_) return false;
    std::optional<TKeyPosition> from = tailScan_;
    if (!from && !rows_.empty()) from = rows_.back().Position();
    pageSize_ = std::clamp(pageSize_ * 2, kFirstPage, kMaxPage);
    TFetch fetch = Fetch(from, !from, true, pageSize_);
    if (fetch.LastScanned) tailScan_ = fetch.LastScanned;
    tailDone_ = fetch.Exhausted;
    for (TRow& row : fetch.Rows) rows_.push_back(std::move(row));
    TrimFront();
    return !fetch.Rows.empty();
}

bool TSqliteCursor::ExtendHead() {
    if (headDone_) return false;
    std::optional<TKeyPosition> from = headScan_;
    if (!from && !rows_.empty()) from = rows_.front().Position();
    pageSize_ = std::clamp(pageSize_ * 2, kFirstPage, kMaxPage);
    TFetch fetch = Fetch(from, !from, false, pageSize_);
    if (fetch.LastScanned) headScan_ = fetch.LastScanned;
    headDone_ = fetch.Exhausted;
    for (TRow& row : fetch.Rows) rows_.push_front(std::move(row));
    current_ += int(fetch.Rows.size());
    TrimBack();
    return !fetch.Rows.empty();
}

void TSqliteCursor::TrimFront() {
    const int drop = std::min(int(rows_.size()) - kMaxWindow, current_);
    if (drop <= 0) return;
    Recycle(rows_.begin(), rows_.begin() + drop);
    rows_.erase(rows_.begin(), rows_.begin() + drop);
    current_ -= drop;
    headDone_ = false;
    headScan_ = rows_.front().Position();
}

void TSqliteCursor::TrimBack() {
    const int drop = std::min(int(rows_.size()) - kMaxWindow, int(rows_.size()) - 1 - current_);
    if (drop <= 0) return;
    Recycle(rows_.end() - drop, rows_.end());
    rows_.erase(rows_.end() - drop, rows_.end());
    tailDone_ = false;
    tailScan_ = rows_.back().Position();
}

// A walk lets go of a row for each row it reads: their records, values and
// all, serve again for the rows read next (see TakeValueInto), unless a dataset
// still shares the record.
void TSqliteCursor::Recycle(std::deque<TRow>::iterator first, std::deque<TRow>::iterator last) {
    for (; first != last && spare_.size() < size_t(kMaxPage); ++first)
        if (first->Values.isDetached()) spare_.push_back(std::move(first->Values));
}

// Whether the window holds the view's rows up to its last (forward) or from
// its first row: when that is not known yet, one step of reading beyond the
// window tells.
bool TSqliteCursor::ReachesEnd(bool forward) {
    bool& done = forward ? tailDone_ : headDone_;
    if (done || rows_.empty()) return done;
    std::optional<TKeyPosition> from = forward ? tailScan_ : headScan_;
    if (!from) from = (forward ? rows_.back() : rows_.front()).Position();
    const TFetch fetch = Fetch(from, false, forward, 1);
    done = fetch.Rows.empty() && fetch.Exhausted;
    return done;
}

// Rows read before a write may be stale: keep only the current row as the
// place to read on from.
void TSqliteCursor::SyncWithChanges() {
    const quint64 changes = Generation();
    if (changes == seenChanges_) return;
    seenChanges_ = changes;
    if (HasRecord()) {
        TRow row = std::move(rows_[size_t(current_)]);
        SetSingle(std::move(row));
    } else if (eof_ && !bof_) {
        rows_.clear();
        current_ = 0;
        tailDone_ = true;
        headDone_ = false;
        headScan_.reset();
        tailScan_.reset();
    } else {
        rows_.clear();
        current_ = -1;
        headDone_ = true;
        tailDone_ = false;
        headScan_.reset();
        tailScan_.reset();
        bof_ = true;
        eof_ = false;
    }
}

// --- moving -----------------------------------------------------------------

void TSqliteCursor::First() {
    seenChanges_ = Generation();
    pageSize_ = kFirstPage;
    TFetch fetch = Fetch(std::nullopt, true, true, pageSize_);
    const bool empty = fetch.Rows.empty();
    SetWindow(std::move(fetch.Rows), true, std::nullopt, fetch.Exhausted, fetch.LastScanned, 0);
    bof_ = eof_ = empty;
}

void TSqliteCursor::Last() {
    seenChanges_ = Generation();
    pageSize_ = kFirstPage;
    TFetch fetch = Fetch(std::nullopt, true, false, pageSize_);
    std::reverse(fetch.Rows.begin(), fetch.Rows.end());
    const int last = int(fetch.Rows.size()) - 1;
    SetWindow(std::move(fetch.Rows), fetch.Exhausted, fetch.LastScanned, true, std::nullopt, last);
    bof_ = eof_ = last < 0;
}

bool TSqliteCursor::Next() {
    SyncWithChanges();
    if (eof_) return false;
    if (current_ + 1 >= int(rows_.size()) && !ExtendTail()) {
        current_ = int(rows_.size());
        eof_ = true;
        bof_ = false;
        return false;
    }
    ++current_;
    bof_ = eof_ = false;
    return true;
}

bool TSqliteCursor::Prior() {
    SyncWithChanges();
    if (bof_) return false;
    if (current_ - 1 < 0 && !ExtendHead()) {
        current_ = -1;
        bof_ = true;
        eof_ = false;
        return false;
    }
    --current_;
    bof_ = eof_ = false;
    return true;
}

qint64 TSqliteCursor::RowId() const {
    if (!HasRecord()) throw EDatabaseError(QStringLiteral("No current record in table %1").arg(desc_.Name));
    return rows_[size_t(current_)].RowId;
}

const TRecordValues& TSqliteCursor::Record() const {
    if (!HasRecord()) throw EDatabaseError(QStringLiteral("No current record in table %1").arg(desc_.Name));
    return rows_[size_t(current_)].Values;
}

bool TSqliteCursor::GotoRowId(qint64 rowId) {
    SyncWithChanges();
    std::optional<TRow> row = ReadViewRow(rowId);
    if (!row || !Accepts(*row)) return false;
    SetSingle(std::move(*row));
    return true;
}

bool TSqliteCursor::Seek(const std::vector<QVariant>& key, bool nearest) {
    SyncWithChanges();
    const std::vector<QVariant> stored = KeyToStorage(key);
    TFetch fetch = Fetch(TKeyPosition{stored, std::nullopt}, true, true, kSeekPage);
    if (fetch.Rows.empty()) {
        if (!nearest) return false;
        SetWindow({}, false, std::nullopt, true, std::nullopt, 0);
        eof_ = true;
        return false;
    }
    if (!nearest && order_->ComparePrefix(fetch.Rows.front().Position().Key, stored) != 0) return false;
    const TKeyPosition head = fetch.Rows.front().Position();
    SetWindow(std::move(fetch.Rows), false, head, fetch.Exhausted, fetch.LastScanned, 0);
    pageSize_ = 0;
    return true;
}

int TSqliteCursor::CompareRowIds(qint64 a, qint64 b) const {
    QStringList columns;
    for (const TOrderField& field : order_->Fields()) columns.append(QuoteIdentifier(field.Name));
    if (columns.isEmpty()) return order_->Compare({}, a, {}, b);
    TSqliteStatement& statement =
        Statement(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(columns.join(QStringLiteral(", ")), from_));
    auto keyOf = [&](qint64 rowId) {
        statement.Reset();
        statement.Bind(1, rowId);
        if (!statement.Step())
            throw EDatabaseError(QStringLiteral("Record no longer exists in table %1").arg(desc_.Name));
        std::vector<QVariant> key;
        for (int i = 0; i < columns.size(); ++i) key.push_back(statement.Column(i));
        statement.Reset();
        return key;
    };
    return order_->Compare(keyOf(a), a, keyOf(b), b);
}

// --- counting ---------------------------------------------------------------

int TSqliteCursor::RecordCount() {
    SyncWithChanges();
    const quint64 generation = Generation();
    if (count_ && count_->Generation == generation) return CheckedCount(count_->Rows);
    // A posted row costs a look-up instead of a count.
    std::optional<TOneWrite> write;
    if (count_) write = OneWriteSince(count_->Generation, count_->TableWrites);
    const int count = write ? CheckedCount(count_->Rows + (write->Shown ? 1 : 0)) : CountRows();
    count_ = TCounted{generation, tableChanges_->Count, count};
    return count;
}

int TSqliteCursor::CheckedCount(int carried) const {
    if (CheckingCarriedCounts()) ExpectCarriedCount("record count", desc_.Name, carried, CountRows());
    return carried;
}

int TSqliteCursor::CountRows() const {
    if (!filters_.Any()) return int(CountWhere({QStringLiteral("1"), {}}));
    int count = 0;
    std::optional<TKeyPosition> position;
    for (;;) {
        const TFetch fetch = Fetch(position, !position, true, kMaxPage);
        count += int(fetch.Rows.size());
        if (fetch.Exhausted || !fetch.LastScanned) return count;
        position = fetch.LastScanned;
    }
}

std::optional<TSqliteCursor::TOneWrite> TSqliteCursor::OneWriteSince(quint64 generation, quint64 tableWrites) const {
    using TWrite = TSqliteDatabase::TTableChanges::TWrite;
    const TSqliteDatabase::TTableChanges& table = *tableChanges_;
    if (filters_.HasCallback() || table.Last == TWrite::Other) return std::nullopt;
    // One write since, and that one to this table.
    if (Generation() != generation + 1 || table.Count != tableWrites + 1) return std::nullopt;
    if (table.Last == TWrite::Update) {
        // Rows leave the view or move along it only by their order and link
        // fields; which rows a filter hides, only reading them tells.
        if (filters_.Any() || (table.ChangedColumns & viewColumns_) != 0) return std::nullopt;
        return TOneWrite{};
    }
    TOneWrite insert;
    if (const std::optional<TRow> row = ReadViewRow(table.RowId); row && Accepts(*row)) insert.Shown = row->Position();
    return insert;
}

// Row numbers hold until the table is written; over a single insert they are
// carried, the rows after the new one a place further on, and over an update
// that moved no row they stay.
void TSqliteCursor::CarryRecNos() const {
    const quint64 generation = Generation();
    if (recNoGeneration_ == generation) return;
    const std::optional<TOneWrite> write = OneWriteSince(recNoGeneration_, recNoTableWrites_);
    if (!write || recNos_.size() > size_t(kMaxCarriedRecNos)) {
        recNos_.clear();
    } else if (const std::optional<TKeyPosition>& shown = write->Shown) {
        for (auto& [rowId, numbered] : recNos_)
            if (order_->Compare(numbered.Position.Key, rowId, shown->Key, *shown->RowId) > 0) ++numbered.RecNo;
    }
    recNoGeneration_ = generation;
    recNoTableWrites_ = tableChanges_->Count;
}

int TSqliteCursor::Number(const TRow& row, int recNo) const {
    recNos_[row.RowId] = {recNo, row.Position()};
    return recNo;
}

int TSqliteCursor::RecNo() {
    if (!HasRecord()) return 0;
    CarryRecNos();
    const TRow& row = rows_[size_t(current_)];
    if (const std::optional<int> known = KnownRecNo(row)) {
        if (CheckingCarriedCounts()) ExpectCarriedCount("row number", desc_.Name, *known, CountRecNo(row));
        return *known;
    }
    return Number(row, CountRecNo(row));
}

// A number without counting the rows before: carried, taken from a neighbour,
// or counted from an end of the view that the window reaches.
std::optional<int> TSqliteCursor::KnownRecNo(const TRow& row) {
    if (auto found = recNos_.find(row.RowId); found != recNos_.end()) return found->second.RecNo;
    // Rows read before the last write may no longer stand beside each other:
    // another cursor's insert may have come between them.
    const quint64 generation = Generation();
    const bool windowCurrent = seenChanges_ == generation;
    // Walking row by row, the neighbour's number is usually known; typing rows
    // one after another, the row posted last stands beside the new one.
    if (windowCurrent && current_ > 0)
        if (auto found = recNos_.find(rows_[size_t(current_ - 1)].RowId); found != recNos_.end())
            return Number(row, found->second.RecNo + 1);
    if (windowCurrent && current_ + 1 < int(rows_.size()))
        if (auto found = recNos_.find(rows_[size_t(current_ + 1)].RowId); found != recNos_.end())
            return Number(row, found->second.RecNo - 1);
    if (!recNos_.empty())
        for (const bool forward : {false, true}) {
            const TFetch beside = Fetch(row.Position(), false, forward, 1);
            if (beside.Rows.empty()) continue;
            if (auto found = recNos_.find(beside.Rows.front().RowId); found != recNos_.end())
                return Number(row, found->second.RecNo + (forward ? -1 : 1));
        }
    // A window that reaches an end of the view numbers its rows from that end:
    // a row just posted at the end of an account needs no count of the rows
    // before it.
    if (windowCurrent) {
        if (ReachesEnd(false)) return Number(row, current_ + 1);
        const bool counted = count_ && count_->Generation == generation;
        if ((counted || !filters_.Any()) && ReachesEnd(true)) {
            const int after = int(rows_.size()) - 1 - current_;
            const int count = RecordCount();
            return Number(row, count - after);
        }
    }
    return std::nullopt;
}

int TSqliteCursor::CountRecNo(const TRow& row) const {
    qlonglong before = 0;
    if (!filters_.Any()) {
        for (const TSqlCondition& segment : order_->SegmentsFrom(row.Position(), false, false))
            before += CountWhere(segment);
    } else {
        std::optional<TKeyPosition> position = row.Position();
        for (;;) {
            const TFetch fetch = Fetch(position, false, false, kMaxPage);
            before += qlonglong(fetch.Rows.size());
            if (fetch.Exhausted || !fetch.LastScanned) break;
            position = fetch.LastScanned;
        }
    }
    return int(before) + 1;
}

// SQLite skips the rows before the wanted one inside its index walk; asking
// for the row id alone lets it walk the index without touching the table.
std::optional<TSqliteCursor::TRow> TSqliteCursor::ReadNthViewRow(qlonglong offset) const {
    TSqliteStatement& statement = Statement(QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1 OFFSET ?")
                                                .arg(from_, view_.Where, order_->OrderBy(true)));
    statement.BindAll(view_.Params);
    statement.Bind(int(view_.Params.size()) + 1, offset);
    std::optional<qint64> rowId;
    if (statement.Step()) rowId = statement.ColumnInt(0);
    statement.Reset();
    if (!rowId) return std::nullopt;
    return ReadViewRow(*rowId);
}

// Which rows a filter hides only reading them tells: step from the current
// row, whose number is usually known already.
bool TSqliteCursor::StepToRecNo(int recNo) {
    if (!HasRecord()) First();
    int at = RecNo();
    while (at < recNo && Next()) ++at;
    while (at > recNo && Prior()) --at;
    return HasRecord();
}

bool TSqliteCursor::GotoRecNo(int recNo) {
    SyncWithChanges();
    if (filters_.Any()) return StepToRecNo(recNo);
    std::optional<TRow> row;
    if (recNo >= 1) row = ReadNthViewRow(recNo - 1);
    if (!row) {
        // Before the first row, or after the last; Next / Prior read on from that end.
        const bool before = recNo < 1;
        SetWindow({}, before, std::nullopt, !before, std::nullopt, before ? -1 : 0);
        bof_ = before;
        eof_ = !before;
        return false;
    }
    // The number is known now: RecNo need not count the rows before.
    CarryRecNos();
    Number(*row, recNo);
    SetSingle(std::move(*row));
    return true;
}

// --- refreshing and the view ------------------------------------------------

// The rows in view change with writes, which the counts follow; the rows a
// record callback hides may change with anything it looks at.
void TSqliteCursor::Refresh() {
    db_->NoticeOtherWriters();
    if (filters_.HasCallback()) InvalidateCounts();
    seenChanges_ = Generation();
    if (!HasRecord()) {
        First();
        return;
    }
    const TKeyPosition old = rows_[size_t(current_)].Position();
    if (std::optional<TRow> row = ReadViewRow(*old.RowId); row && Accepts(*row)) {
        SetSingle(std::move(*row));
        return;
    }
    // Gone from the view: the row that now follows its place takes it.
    TFetch fetch = Fetch(old, false, true, kFirstPage);
    if (fetch.Rows.empty()) {
        Last();
        return;
    }
    SetWindow(std::move(fetch.Rows), false, old, fetch.Exhausted, fetch.LastScanned, 0);
}

void TSqliteCursor::SetEqual(std::vector<std::pair<QString, QVariant>> equal) {
    equal_ = std::move(equal);
    BuildView();
    First();
}

void TSqliteCursor::SetRange(bool hasRange, std::vector<QVariant> start, std::vector<QVariant> end) {
    hasRange_ = hasRange;
    rangeStart_ = std::move(start);
    rangeEnd_ = std::move(end);
    BuildView();
    First();
}

void TSqliteCursor::SetFilter(std::function<bool(const TRecordValues&)> filter) {
    filters_.SetCallback(std::move(filter));
    InvalidateCounts();
    First();
}

int TSqliteCursor::AddFilter(const QByteArray& expression) {
    const int handle = filters_.Add(expression, desc_);
    InvalidateCounts();
    First();
    return handle;
}

void TSqliteCursor::DropFilter(int handle) {
    if (!filters_.Drop(handle)) return;
    InvalidateCounts();
    First();
}
