#pragma once
// Builds a data module's tables and data sources from the table catalogue, so
// that the datasets carry exactly the fields, formats, orders and links the
// catalogue declares.
#include "data/table_catalogue.h"
#include <QString>
#include <functional>

class TComponent;
class TDataSet;
class TField;
class TwwTable;
class TwwDataSource;

// Finds a dataset or data source by component name, across the data modules.
using TComponentFinder = std::function<TComponent*(const QString& name)>;

struct TCatalogueDataSet {
    const TCatalogueTable* Entry = nullptr;
    TwwTable* Table = nullptr;
    TwwDataSource* DataSource = nullptr;   // null when the entry declares none
};

// Creates, owned by owner, one table (named as its component, on the database
// databaseName) and its data source for every catalogue entry of the module.
// Fields and links come in a second step, once every module's components exist.
std::vector<TCatalogueDataSet> CreateModuleDataSets(TComponent& owner, const QString& dataModule,
                                                     const QString& databaseName);

// Makes the persistent fields of a table as its entry declares them and applies
// its order, master link and per-field settings. Lookup datasets and master
// sources are found through find; EDatabaseError when one is missing.
void ApplyCatalogueEntry(const TCatalogueDataSet& dataSet, const TComponentFinder& find);

// One field of an entry, owned by and added to dataSet.
TField* CreateCatalogueField(TDataSet& dataSet, const TCatalogueField& field, const TComponentFinder& find);
