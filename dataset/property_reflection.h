#pragma once
// Reading and writing the published properties of the library's datasets and
// controls by name, so that a control serves any dataset class that publishes
// them, and telling dataset and field kinds apart.
#include "dataset/setting_types.h"
#include "platform/db/db_types.h"
#include <QString>
#include <vector>

class QObject;
class QMetaObject;
class TDataSet;
class TDataSource;
class TField;
class TStrings;
struct TwwLookupTable;

// ---- Published properties by name; a missing property gives the empty result.
TwwInvalidValueEvent GetDataSetOnInvalidValue(const QObject* dataSet);
TStrings* GetDataSetPictureMasks(const QObject* dataSet);
TStrings* GetDataSetControlType(const QObject* dataSet);
TStrings* GetDataSetLookupFields(const QObject* dataSet);
TStrings* GetDataSetLookupLinks(const QObject* dataSet);
bool GetDataSetValidateWithMask(const QObject* dataSet);
QString GetDataSetDatabaseName(const QObject* dataSet);
TDataSource* GetControlDataSource(const QObject* control);
QString GetControlDataField(const QObject* control);
bool SetControlDataSource(QObject* control, TDataSource* source);
bool SetControlDataField(QObject* control, const QString& field);
TwwOnFilterOptions GetFilterOptions(const QObject* dataSet);
void SetFilterOptionEnabled(QObject* dataSet, bool enabled);
// The lookup tables a library dataset opened; null for any other dataset.
std::vector<TwwLookupTable>* GetDataSetLookupTables(TDataSet* dataSet);

// ---- Class tests.
bool InheritsFromClassName(const QMetaObject* type, const QString& name);
bool IsWwDataSet(const TDataSet* dataSet);
bool IsIndexedWwTable(const TDataSet* dataSet);
bool HasQueryLines(const TDataSet* dataSet);
bool IsCalculatedField(const TField& field);
bool IsCalculatedOrNonEngineField(const TField& field);
bool DataSetHasField(const TDataSet* dataSet, const QString& name);

int CompareDataSetBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b);
