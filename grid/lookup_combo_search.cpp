// The lookup combo's incremental search. Keys are gathered by the search
// timer; the search then moves the lookup table to the first row whose
// search field begins with the text: on the current index when the field is
// in it (a key seek), else by reading the rows.
#include "dataset/property_reflection.h"
#include "dataset/mask_settings.h"
#include "dataset/control_type_settings.h"
#include "dataset/field_text.h"
#include "dataset/text_helpers.h"
#include "dataset/intl.h"
#include "dataset/locate.h"
#include "dataset/text_compare.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "grid/popup_grid.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"

namespace {

const QString kNoMatchText = QStringLiteral("~~~~");

QString FirstPart(const QString& names)
{
    return names.section(QLatin1Char(';'), 0, 0).trimmed();
}

QString LastPart(const QString& names)
{
    return names.section(QLatin1Char(';'), -1, -1).trimmed();
}

}  // namespace

void TwwDBCustomLookupCombo::SearchTimerFired()
{
    const bool byKey = keySearch_;
    keySearch_ = true;
    PerformSearch();
    keySearch_ = byKey;
}

void TwwDBCustomLookupCombo::RestartSearchTimer()
{
    searchTimer_.stop();
    auto* table = qobject_cast<TwwTable*>(LookupTable());
    // A local table answers at once: the keys need less gathering.
    searchTimer_.setInterval(table && !table->IsSQLBased() ? SearchDelay / 2 : SearchDelay);
    searchTimer_.start();
}

void TwwDBCustomLookupCombo::PrepareForKeySearch()
{
    searchField_ = FirstPart(LookupField());
    auto* table = qobject_cast<TwwTable*>(LookupTable());
    if (!table || HasQueryLines(table)) return;
    if (table->HasMasterLink()) {
        searchField_ = LastPart(LookupField());
        table->SelectIndexForField(LookupField());
        if (!Binding().Value(0).isEmpty()) grid_->LocateValue(Binding().Value(0));
    } else if (orderByDisplay_) {
        EnsureSelected();
        const TStrings& selected = *Selected();
        if (selected.Count() > 0) searchField_ = selected[0].section(QLatin1Char('\t'), 0, 0);
        table->SelectIndexForFirstListedField(selected);
    } else {
        table->SelectIndexForField(LookupField());
    }
}

bool TwwDBCustomLookupCombo::UsesIndexSearch() const
{
    auto* table = qobject_cast<TwwTable*>(LookupTable());
    return table && table->IndexDefs().Count() > 0 && table->IndexFieldCount() > 0;
}

int TwwDBCustomLookupCombo::SearchFieldPosition(TwwTable& table) const
{
    for (int i = 0; i < table.IndexFieldCount(); ++i)
        if (SameTextNoCase(table.IndexFields(i)->FieldName(), searchField_)) return i;
    return -1;
}

void TwwDBCustomLookupCombo::PerformSearch()
{
    searchTimer_.stop();
    const QString text = Text();
    TDataSet* table = LookupTable();
    if (text == lastSearched_ || !table || !table->Active()) return;
    grid_->BindLookupFields(false);
    if (!Binding().Bound()) return;

    PrepareForKeySearch();
    auto* wwTable = qobject_cast<TwwTable*>(table);
    bool found;
    if (wwTable && UsesIndexSearch()) {
        found = IndexSearch(*wwTable);
    } else {
        found = SequentialSearch(Binding().DisplayField()->FieldName());
    }
    found_ = found;
    grid_->SetFound(found);

    if (!table->IsEmpty()) Binding().ReadCurrentRow();
    if (!IsDroppedDown()) grid_->SetChosenRow(-1);
    if (showMatchText_ && found && lastSearched_ != kNoMatchText) ShowMatchedText();
    lastSearched_ = text;
    if (IsDroppedDown()) grid_->viewport()->update();
}

bool TwwDBCustomLookupCombo::IndexSearch(TwwTable& table)
{
    const QString text = Text();
    const int position = SearchFieldPosition(table);
    if (position < 0) return Scan(&table, position);
    bool found;
    if (IsDroppedDown() || keySearch_) {
        found = table.SearchByText(text, position);
    } else {
        QStringList key;
        for (int i = 0; i < position && position < 3; ++i) key << table.IndexFields(i)->AsString();
        key << text;
        found = table.FindKeyByLookupValues(key);
    }
    return found;
}

bool TwwDBCustomLookupCombo::Scan(TwwTable* table, int position)
{
    const QString text = Text();
    const bool fromStart = IsDroppedDown() || keySearch_;
    TField* field = LookupTable()->FindField(searchField_);
    if (!field) return false;
    if (!fromStart && !LookupTable()->IsEmpty() && SameTextNoCase(field->AsString(), text)) return true;
    if (const int masterCount = DetailMasterFieldCount(); masterCount > 0) {
        if (masterCount < table->IndexFieldCount() &&
            SameTextNoCase(table->IndexFields(masterCount)->FieldName(), searchField_))
            return table->SearchByText(text, masterCount);
        return FindFieldValueRecord(fromStart, *table, searchField_, lmStartOfValue, CaseSensitive(), text);
    }
    if (position < 0) return SequentialSearch(searchField_);
    return table->SearchByText(text, position);
}

bool TwwDBCustomLookupCombo::SequentialSearch(const QString& fieldName)
{
    if (!(seqSearchOptions_ & ssoEnabled)) return false;
    TDataSet& table = *LookupTable();
    QString value = Editable() ? Text() : Binding().Value(0);
    if (auto* wwTable = qobject_cast<TwwTable*>(&table)) {
        if (value.isEmpty()) return false;
        return wwTable->LocateByFieldValue(value, fieldName, lmStartOfValue, CaseSensitive());
    }
    TField* field = table.FindField(fieldName);
    if (!field) return false;
    if (!table.IsEmpty() && field->AsString() == value) return true;
    if (field->DataType() == TFieldType::ftString && field->Size() > 0 && value.size() > field->Size())
        value.truncate(field->Size());
    if (value.isEmpty() || !IsValidFieldSearchText(field, value)) {
        grid_->viewport()->update();
        return false;
    }
    if (!GlobalIntl().UseLocateMethodForSearch())
        return LocateFieldValue(table, value, fieldName, lmStartOfValue, CaseSensitive());
    const THourglass hourglass;
    TLocateOptions options = loPartialKey;
    // A query's answer is searched without regard to case only where an index
    // that orders so serves the search.
    const auto* query = qobject_cast<const TwwQuery*>(&table);
    if (!CaseSensitive() && (!query || FieldsMapToIndex(*query, fieldName, false))) options |= loCaseInsensitive;
    return table.Locate(fieldName, value, options);
}

void TwwDBCustomLookupCombo::ShowMatchedText()
{
    const int typed = SelStart() == 0 ? Text().size() : SelStart();
    const bool setting = settingValue_;
    settingValue_ = true;
    SetText(Binding().DisplayValue());
    settingValue_ = setting;
    SetModified(true);
    setSelection(Text().size(), typed - Text().size());
    if (!IsDroppedDown()) grid_->SetChosenRow(0);
}
