#include "dataset/incremental_search.h"
#include "dataset/controls_disabled.h"
#include "dataset/field_text.h"
#include "dataset/intl.h"
#include "dataset/table_index.h"
#include "dataset/text_compare.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"

namespace {

void Warn(const QString& text)
{
    MessageDlg(text, TMsgDlgType::mtWarning, mbOK);
}

// The texts of the current record's index fields before the searched one.
QStringList LeadingKeyTexts(TTable& table, int keyFieldIndex)
{
    QStringList texts;
    for (int i = 0; i < keyFieldIndex; ++i) texts << table.IndexFields(i)->AsString();
    return texts;
}

// NarrowSearch: the table shows only the keys from the typed text on; for a
// text key, only those that begin with it.
bool NarrowToText(TwwTable& table, const QString& text)
{
    const THourglass hourglass;
    const TControlsDisabled disabled(table);
    if (text.isEmpty()) {
        table.CancelRangeOrReopen();
        return !table.IsEmpty();
    }
    const TField& first = *table.IndexFields(0);
    if (first.DataType() != TFieldType::ftString) {
        table.ApplyTextRange({text}, {});
    } else {
        QString low = text;
        QString high = text + QString(first.Size(), QChar(char16_t(table.NarrowSearchUpperChar())));
        if (IndexDescending(table)) std::swap(low, high);
        table.ApplyTextRange({low}, {high});
    }
    return !table.IsEmpty();
}

// On a database server the answer is narrowed to the keys from the typed
// text on, instead of fetching every row before them.
bool RangeFromText(TwwTable& table, const QString& text, int keyFieldIndex)
{
    const THourglass hourglass;
    const TControlsDisabled disabled(table);
    if (text.isEmpty()) {
        table.CancelRangeOrReopen();
    } else {
        table.ApplyTextRange(LeadingKeyTexts(table, keyFieldIndex) << text, {});
    }
    return !table.IsEmpty();
}

bool SameKeyText(const QString& a, const QString& b, bool caseInsensitive)
{
    return caseInsensitive ? SameTextNoCase(a, b) : a == b;
}

// Whether the record carries the leading values and its searched field begins with Text.
bool RecordMatchesKey(TTable& table, const QVariantList& leading, const QString& text, bool caseInsensitive)
{
    for (int i = 0; i < leading.size(); ++i) {
        const TField& field = *table.IndexFields(i);
        const bool same = field.DataType() == TFieldType::ftString
                              ? SameKeyText(field.AsString(), leading[i].toString(), caseInsensitive)
                              : field.Value() == leading[i];
        if (!same) return false;
    }
    const QString found = table.IndexFields(int(leading.size()))->AsString();
    return SameKeyText(found.left(text.size()), text, caseInsensitive);
}

// The first record in index order whose text key begins with Text, found by
// seeking on the index: the keys that begin with it follow one another from
// the first key at or after it. Not found: the table stays where it was.
bool SeekTextKey(TTable& table, const QVariantList& leading, const QString& text, bool caseInsensitive)
{
    const TBookmark before = table.GetBookmark();
    std::vector<QVariant> key(leading.begin(), leading.end());
    key.push_back(text);
    table.FindNearest(key);
    if (!table.IsEmpty() && !table.Eof() && RecordMatchesKey(table, leading, text, caseInsensitive)) return true;
    if (before) table.GotoBookmark(before);
    return false;
}

bool MoveToText(TwwTable& table, const QString& text, int keyFieldIndex)
{
    QStringList fields;
    QVariantList leading;
    for (int i = 0; i < keyFieldIndex; ++i) {
        fields << table.IndexFields(i)->FieldName();
        leading << table.IndexFields(i)->Value();
    }
    const TField& searched = *table.IndexFields(keyFieldIndex);
    fields << searched.FieldName();
    if (!GlobalIntl().UseLocateMethodForSearch()) {
        std::vector<QVariant> key(leading.begin(), leading.end());
        key.push_back(text);
        table.FindNearest(key);
        return !table.IsEmpty();
    }
    if (text.isEmpty()) {
        table.First();
        return !table.IsEmpty();
    }
    // A partial key, case-insensitive on a case-insensitive index.
    const bool caseInsensitive = IndexCaseInsensitive(table);
    if (searched.DataType() == TFieldType::ftString && !IndexDescending(table))
        return SeekTextKey(table, leading, text, caseInsensitive);
    TLocateOptions options = loPartialKey;
    if (caseInsensitive) options |= loCaseInsensitive;
    QVariantList values = leading;
    values << text;
    const QVariant keyValues = values.size() == 1 ? values.first() : QVariant(values);
    return table.Locate(fields.join(QLatin1Char(';')), keyValues, options);
}

}  // namespace

bool IncrementalSearch(TTable& table, const QString& text, int keyFieldIndex)
{
    auto* wwTable = qobject_cast<TwwTable*>(&table);
    if (!wwTable) {
        Warn(QStringLiteral("Incremental Search - TTable component not supported. Use TwwTable instead."));
        return false;
    }
    if (table.IndexFieldCount() == 0) {
        Warn(QStringLiteral("Table ") + table.TableName() + QStringLiteral(": Table index not found"));
        return false;
    }
    if (keyFieldIndex < 0 || keyFieldIndex >= table.IndexFieldCount()) return false;
    if (!IsValidTextForFieldType(table.IndexFields(keyFieldIndex)->DataType(), text)) return false;
    if (wwTable->NarrowSearch()) return NarrowToText(*wwTable, text);
    if (wwTable->IsSQLBased() && wwTable->SyncSQLByRange() && !wwTable->HasMasterLink())
        return RangeFromText(*wwTable, text, keyFieldIndex);
    return MoveToText(*wwTable, text, keyFieldIndex);
}
