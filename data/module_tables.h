#pragma once
// What the two accounts data modules share about their tables: binding the
// catalogue's datasets to the module's named members, and closing them when
// the module ends.
#include "data/catalogue_datasets.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include <span>

// A table member of a module and, when the module keeps one, its data source.
template <typename TModule>
struct TModuleTable {
    const char* Component;
    TwwTable* TModule::*Table;
    TwwDataSource* TModule::*DataSource = nullptr;
};

// Points the module's members at the datasets made from the catalogue, by
// component name, so that the catalogue, not a second list, says what each is.
template <typename TModule>
void BindModuleTables(TModule& module, std::span<const TModuleTable<TModule>> members,
                      const std::vector<TCatalogueDataSet>& made) {
    for (const TCatalogueDataSet& dataSet : made) {
        for (const TModuleTable<TModule>& member : members) {
            if (QLatin1String(member.Component) != dataSet.Table->Name()) continue;
            module.*member.Table = dataSet.Table;
            if (member.DataSource) module.*member.DataSource = dataSet.DataSource;
        }
    }
}

// Closes the module's tables before the database they stand on goes. Pending
// edits are dropped first, so that no detail tries to post its row while its
// master closes; nothing escapes, since nothing can be reported while the
// module ends.
template <typename TModule>
void CloseModuleTables(TModule& module, std::span<const TModuleTable<TModule>> members) noexcept {
    for (const TModuleTable<TModule>& member : members) {
        TwwTable* table = module.*member.Table;
        try {
            if (table && IsEditState(table->State())) table->Cancel();
        } catch (const Exception&) {
            // A row that refuses to be dropped goes with its table below.
        }
    }
    for (const TModuleTable<TModule>& member : members) {
        try {
            if (TwwTable* table = module.*member.Table) table->Close();
        } catch (const Exception&) {
        }
    }
}
