#pragma once
// The catalogue of the accounts database: every table of both accounts data
// modules described once, as plain data. The deployment creates the tables
// from it and the data modules build their datasets from it, so a field is
// declared in exactly one place.
#include "platform/engine/field_types.h"
#include <QString>
#include <QStringList>
#include <span>
#include <vector>

// The password that protects every table; the deployment sets it on each table
// it creates and start-up hands it to the session.
inline constexpr char AccountsTablePassword[] = "quorvintel";

enum class TCatalogueFieldKind { Data, Lookup, Calculated };

// One field in declared order. Texts left empty and numbers left 0 mean "not
// set": the dataset's own default applies (the field name as label, the size
// as display width).
struct TCatalogueField {
    const char* Name;
    TFieldType Type;
    int Size = 0;                        // characters for text and memo
    const char* DisplayLabel = "";
    int DisplayWidth = 0;
    bool Visible = true;
    const char* DisplayFormat = "";
    const char* EditFormat = "";
    const char* EditMask = "";
    TCatalogueFieldKind Kind = TCatalogueFieldKind::Data;
    // Lookup fields: the LookupResultField of the row of the dataset named
    // LookupDataSet whose LookupKeyFields equal this row's KeyFields.
    const char* LookupDataSet = "";
    const char* LookupKeyFields = "";
    const char* LookupResultField = "";
    const char* KeyFields = "";
    const char* AttributeSet = "";

    // Only data fields are columns of the table; lookups and calculated
    // fields exist in the dataset alone.
    bool IsStored() const { return Kind == TCatalogueFieldKind::Data; }
};

// A secondary index; Fields separated by ";".
struct TCatalogueIndex {
    const char* Name;
    const char* Fields;
    bool CaseInsensitive = false;
    bool Descending = false;
    bool Unique = false;
};

// One line of a dataset's PictureMasks setting.
struct TPictureMaskLine {
    const char* Field;
    const char* Mask;
    bool AutoFill = true;
    bool UseMask = true;
};

struct TCatalogueTable {
    const char* FileName;                // as the system names it: "Pbanks.DB"
    const char* Component;               // "TblBanks"
    const char* DataSource;              // "DsBanks"; empty when none
    const char* DataModule;              // "ADm1" or "ADm3"
    std::span<const TCatalogueField> Fields;

    // Dataset settings.
    bool DataSourceAutoEdit = false;
    const char* IndexName = "";
    const char* IndexFieldNames = "";    // fields separated by ";"
    const char* MasterSource = "";       // a data source name
    const char* MasterFields = "";
    bool AutoCalcFields = true;
    std::span<const TPictureMaskLine> PictureMasks = {};
    std::span<const char* const> ControlType = {};
    // False: the dataset declares no field objects and takes the table's own
    // columns (the summary tables, which the rebuild addresses by name).
    bool PersistentFields = true;

    // Physical layout, kept by the entry that deploys the table.
    const char* PrimaryKey = "";         // fields separated by ";"; empty: none
    std::span<const TCatalogueIndex> Indexes = {};
    // False for a second cursor on a table another entry deploys and for the
    // report table that the report builders create and drop themselves.
    bool Deployed = true;

    QString TableName() const;           // the file name without extension
    const TCatalogueField* FindField(const QString& name) const;   // any case
    const TCatalogueIndex* FindIndex(const QString& name) const;   // any case
    QStringList PictureMaskLines() const;   // field TAB mask TAB "T"/"F" TAB "T"/"F"
    QStringList ControlTypeLines() const;
};

// Every table of both modules, the first module's first.
std::span<const TCatalogueTable* const> AccountsCatalogue();
// The tables of one data module ("ADm1", "ADm3"), in declared order.
std::vector<const TCatalogueTable*> ModuleCatalogue(const QString& dataModule);
// By component name (case-sensitive, as components are named); null when absent.
const TCatalogueTable* FindCatalogueComponent(const QString& component);
// By file or table name, with or without extension, any case; the entry that
// deploys the table when several components share it. Null when absent.
const TCatalogueTable* FindCatalogueTable(const QString& name);

// Field lists written as the settings write them ("A;B") split into names.
QStringList CatalogueFieldList(const char* fields);
