#pragma once
// The per-field settings of the library's datasets and controls, read and
// written through published properties by name, so that a control serves
// any dataset class that publishes them:
//
//   PictureMasks  field TAB mask TAB auto-fill TAB use-mask ("T"/"F")
//   ControlType   field;type;parameters
//   LookupFields  lookup field;database;table;result field;index   or
//                 ...;result field;index field;...;flag ("N": names without extension)
//   LookupLinks   this field;lookup field;... (line i belongs to LookupFields line i)
//   Selected      field TAB display width TAB display label
//
// Field names compare without regard to case in PictureMasks and Selected,
// with regard to case in ControlType, LookupFields and LookupLinks.
#include "dataset/setting_types.h"
#include "platform/db/db_types.h"
#include "platform/db/field.h"
#include <QString>

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

// ---- PictureMasks. Masks apply to text fields only: a field of another type
// has none, whatever a line says.
struct TFieldPictureMask {
    QString Mask;
    bool AutoFill = true;
    bool UseMask = true;
};
TFieldPictureMask GetFieldPictureMask(TDataSet* dataSet, const QString& fieldName);
// An empty resulting mask deletes the field's line.
void SetFieldPictureMask(TDataSet* dataSet, const QString& fieldName, const QString& mask, bool autoFill,
                         bool useMask, bool replaceMask, bool replaceAutoFill, bool replaceUseMask);
// The check before post: the first field (not read-only) whose non-empty text
// is not complete under its mask is focused, OnInvalidValue is called and
// EDatabaseError "Invalid characters. Field : " + its display name is raised.
void ValidateFieldsWithMasks(TDataSet& dataSet, const TwwInvalidValueEvent& onInvalidValue);

// ---- ControlType. The last line of the field wins.
bool GetFieldControlType(const TDataSet* dataSet, const QString& fieldName, QString& controlType,
                         QString& parameters);
bool IsCustomEditControlType(const QString& word);
// Deletes the LookupFields lines (with their LookupLinks lines) and the
// ControlType lines of fields the dataset does not have.
void RemoveDefinitionsOfMissingFields(const TDataSet* dataSet, TStrings* lookupFields, TStrings* lookupLinks,
                                      TStrings* controlType);

// ---- Selected.
void BuildSelectedFromFields(const TDataSet* dataSet, TStrings& list);
bool FindSelectedLine(const TStrings* list, const QString& fieldName, int& index);
// Shows exactly the fields of the list, in its order, with its widths and
// labels; line numbers count every line, also lines of missing fields. A line
// with fewer than three parts or a width that is no number is passed over.
void ApplySelectedToFields(TDataSet& dataSet, const TStrings& list);

// ---- Typed text.
bool IsValidTextForFieldType(TFieldType type, const QString& text);
bool IsValidFieldText(const TField& field, const QString& text);
// As IsValidFieldText, but the empty text is no value to search a number,
// date or time field for.
bool IsValidFieldSearchText(const TField* field, const QString& text);
bool IsNumericFieldType(TFieldType type);
bool IsTextFieldType(TFieldType type);
bool IsTextEditKey(int key);

int CompareDataSetBookmarks(const TDataSet& dataSet, const TBookmark& a, const TBookmark& b);
// The lines joined by a blank, or by CR LF.
QString JoinLines(const TStrings& lines, bool blankSeparated);
