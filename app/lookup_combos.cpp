#include "app/lookup_combos.h"
#include "app/window_building.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "platform/rtl/string_list.h"

TwwDBLookupCombo* MakeLookupCombo(QWidget* parent, const char* name, TwwTable* table, const char* lookupField,
                                  std::span<const char* const> columns, TDataSource* source, const char* dataField)
{
    auto* combo = Named(new TwwDBLookupCombo(parent), name);
    combo->SetAutoDropDown(true);
    combo->SetStyle(csDropDownList);
    combo->SetLookupTable(table);
    combo->SetLookupField(QString::fromLatin1(lookupField));
    TStringList shown;
    for (const char* column : columns)
        shown.Add(QString::fromLatin1(column));
    combo->SetSelected(&shown);
    combo->SetDataSource(source);
    combo->SetDataField(QString::fromLatin1(dataField));
    return combo;
}
