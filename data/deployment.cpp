#include "data/deployment.h"
#include "data/table_catalogue.h"
#include "platform/engine/engine_database.h"

namespace {

// The card types a new database starts with; nothing in the program writes
// this table, so the card type lookup shows only these.
struct TCardType {
    const char* Letter;
    const char* Description;
};
constexpr TCardType CardTypes[] = {
    {"C", "Credit Card"},
    {"D", "Debit Card"},
    {"A", "Current Account"},
    {"S", "Savings Account"},
};
constexpr char CardTypeComponent[] = "TblCardType";

TColumnDesc ColumnDescOf(const TCatalogueField& field) {
    const bool sized = field.Type == TFieldType::ftString || field.Type == TFieldType::ftMemo;
    return {.Name = QString::fromLatin1(field.Name), .Type = field.Type, .Size = sized ? field.Size : 0};
}

TIndexDesc IndexDescOf(const TCatalogueIndex& index) {
    return {.Name = QString::fromLatin1(index.Name),
            .Fields = CatalogueFieldList(index.Fields),
            .Unique = index.Unique,
            .CaseInsensitive = index.CaseInsensitive,
            .Descending = index.Descending};
}

TTableDesc TableDescOf(const TCatalogueTable& table) {
    TTableDesc desc;
    desc.Name = table.TableName();
    for (const TCatalogueField& field : table.Fields)
        if (field.IsStored())
            desc.Columns.push_back(ColumnDescOf(field));
    if (*table.PrimaryKey)
        desc.Indexes.push_back(
            {.Name = QString(), .Fields = CatalogueFieldList(table.PrimaryKey), .Primary = true, .Unique = true});
    for (const TCatalogueIndex& index : table.Indexes)
        desc.Indexes.push_back(IndexDescOf(index));
    desc.Password = QString::fromLatin1(AccountsTablePassword);
    return desc;
}

void WriteCardTypes(TEngineDatabase& db, const TTableDesc& desc) {
    const int letter = desc.ColumnIndex(QStringLiteral("CardType"));
    const int description = desc.ColumnIndex(QStringLiteral("CardTypeDesc"));
    for (const TCardType& type : CardTypes) {
        TRecordValues values(desc.Columns.size());
        values[letter] = QString::fromLatin1(type.Letter);
        values[description] = QString::fromLatin1(type.Description);
        db.InsertRow(desc.Name, values);
    }
}

}  // namespace

void DeployAccountsDatabase(TEngineDatabase& db) {
    std::vector<const TCatalogueTable*> missing;
    for (const TCatalogueTable* table : AccountsCatalogue())
        if (table->Deployed && !db.TableExists(table->TableName()))
            missing.push_back(table);
    // A complete database is only read: no write lock, nothing changed.
    if (missing.empty())
        return;

    RunInTransaction(db, [&] {
        for (const TCatalogueTable* table : missing) {
            const TTableDesc desc = TableDescOf(*table);
            db.CreateTable(desc);
            if (QLatin1String(table->Component) == QLatin1String(CardTypeComponent))
                WriteCardTypes(db, desc);
        }
    });
}
