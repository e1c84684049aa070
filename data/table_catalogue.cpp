#include "data/table_catalogue.h"
#include "data/catalogue_modules.h"

namespace {

std::vector<const TCatalogueTable*> BuildCatalogue() {
    std::vector<const TCatalogueTable*> all;
    for (const auto part : {Adm1CatalogueTables(), Adm3CatalogueTables()})
        for (const TCatalogueTable& table : part)
            all.push_back(&table);
    return all;
}

QString Flag(bool value) { return value ? QStringLiteral("T") : QStringLiteral("F"); }

}  // namespace

QString TCatalogueTable::TableName() const {
    return StripTableExtension(QString::fromLatin1(FileName));
}

const TCatalogueField* TCatalogueTable::FindField(const QString& name) const {
    for (const TCatalogueField& field : Fields)
        if (name.compare(QLatin1String(field.Name), Qt::CaseInsensitive) == 0)
            return &field;
    return nullptr;
}

const TCatalogueIndex* TCatalogueTable::FindIndex(const QString& name) const {
    for (const TCatalogueIndex& index : Indexes)
        if (name.compare(QLatin1String(index.Name), Qt::CaseInsensitive) == 0)
            return &index;
    return nullptr;
}

QStringList TCatalogueTable::PictureMaskLines() const {
    QStringList lines;
    for (const TPictureMaskLine& line : PictureMasks)
        lines << QStringList{QString::fromLatin1(line.Field), QString::fromLatin1(line.Mask), Flag(line.AutoFill),
                             Flag(line.UseMask)}
                     .join(QLatin1Char('\t'));
    return lines;
}

QStringList TCatalogueTable::ControlTypeLines() const {
    QStringList lines;
    for (const char* line : ControlType)
        lines << QString::fromLatin1(line);
    return lines;
}

std::span<const TCatalogueTable* const> AccountsCatalogue() {
    static const std::vector<const TCatalogueTable*> catalogue = BuildCatalogue();
    return catalogue;
}

std::vector<const TCatalogueTable*> ModuleCatalogue(const QString& dataModule) {
    std::vector<const TCatalogueTable*> tables;
    for (const TCatalogueTable* table : AccountsCatalogue())
        if (dataModule == QLatin1String(table->DataModule))
            tables.push_back(table);
    return tables;
}

const TCatalogueTable* FindCatalogueComponent(const QString& component) {
    for (const TCatalogueTable* table : AccountsCatalogue())
        if (component == QLatin1String(table->Component))
            return table;
    return nullptr;
}

const TCatalogueTable* FindCatalogueTable(const QString& name) {
    const QString wanted = StripTableExtension(name);
    const TCatalogueTable* found = nullptr;
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        if (wanted.compare(table->TableName(), Qt::CaseInsensitive) != 0)
            continue;
        if (table->Deployed)
            return table;
        if (!found)
            found = table;
    }
    return found;
}

QStringList CatalogueFieldList(const char* fields) {
    return QString::fromLatin1(fields).split(QLatin1Char(';'), Qt::SkipEmptyParts);
}
