// The table catalogue: every table is there, and its settings, indexes, links
// and lookups refer to things that exist, so that the datasets built from it
// open and link as the windows and rules expect.
#include "data/table_catalogue.h"
#include <gtest/gtest.h>
#include <QSet>

namespace {

QString Text(const char* text) { return QString::fromLatin1(text); }

// Whether fields name the leading fields of the primary key or of an index,
// the way a field list selects an index.
bool HasIndexStartingWith(const TCatalogueTable& table, const QStringList& fields) {
    const auto startsWith = [&](const char* indexFields) {
        const QStringList names = CatalogueFieldList(indexFields);
        if (names.size() < fields.size())
            return false;
        for (int i = 0; i < fields.size(); ++i)
            if (names[i].compare(fields[i], Qt::CaseInsensitive) != 0)
                return false;
        return true;
    };
    if (*table.PrimaryKey && startsWith(table.PrimaryKey))
        return true;
    for (const TCatalogueIndex& index : table.Indexes)
        if (startsWith(index.Fields))
            return true;
    return false;
}

bool IsStoredField(const TCatalogueTable& table, const QString& name) {
    const TCatalogueField* field = table.FindField(name);
    return field && field->IsStored();
}

// The entry that owns a table's physical layout.
const TCatalogueTable& Physical(const TCatalogueTable& table) {
    const TCatalogueTable* owner = FindCatalogueTable(Text(table.FileName));
    return owner ? *owner : table;
}

const TCatalogueTable* FindByDataSource(const QString& dataSource) {
    for (const TCatalogueTable* table : AccountsCatalogue())
        if (dataSource == Text(table->DataSource))
            return table;
    return nullptr;
}

TEST(TableCatalogue, HoldsEveryTableOfBothDataModules) {
    struct Expected {
        const char* File;
        const char* Component;
        const char* Module;
    };
    const Expected expected[] = {
        {"Pbanks.DB", "TblBanks", "ADm1"},          {"PCurncy.DB", "TblCurrency", "ADm1"},
        {"PCCards.DB", "TblCard", "ADm1"},          {"PcType.DB", "TblCardType", "ADm1"},
        {"BankAcnt.DB", "TblBankAccounts", "ADm1"}, {"BankItm.DB", "TblBankItems", "ADm1"},
        {"PTelcom.DB", "TblTelCom", "ADm1"},        {"PTelItm.DB", "TblTelItems", "ADm1"},
        {"PIncome.db", "TblIncome", "ADm1"},        {"PExpense.DB", "TblExpense", "ADm1"},
        {"PCatgry.db", "TblCategory", "ADm1"},      {"PConfig1.DB", "TblConfig", "ADm1"},
        {"POPTION1.DB", "TblOptions", "ADm1"},      {"PSkins.DB", "TblSkins", "ADm1"},
        {"TrnBnk1a.DB", "TblTranBank1", "ADm1"},    {"TrnTel1a.DB", "TblTranTel1", "ADm1"},
        {"TrnInc1a.DB", "TblTranIncome", "ADm1"},   {"TrnExp1a.DB", "TblTranExpense", "ADm1"},
        {"TrnLon1a.DB", "TblTrnLoan1A", "ADm1"},    {"TrnLon1b.DB", "TblTrnLoan1B", "ADm1"},
        {"TrnRec1a.DB", "TblTrnRec1A", "ADm1"},     {"TrnRec1b.DB", "TblTrnRec1B", "ADm1"},
        {"MTHBNK1A.DB", "TblRepBank1", "ADm3"},     {"MthTel1a.DB", "TblRepTel1", "ADm3"},
        {"MthInc1a.DB", "TblRepInc1", "ADm3"},      {"MthExp1a.DB", "TblRepExp1", "ADm3"},
        {"TeeData1.DB", "TblChart1", "ADm3"},       {"MthTel2a.DB", "TblTelPaid", "ADm3"},
        {"Mthbnk2a.DB", "TblFastBank", "ADm3"},     {"TempBnk1.DB", "TblProc", "ADm3"},
        {"TrnDbl1a.DB", "TblDbl1a", "ADm3"},        {"TrnDbl1b.DB", "TblDbl1b", "ADm3"},
        {"TrnDbl1c.DB", "TblDbl1c", "ADm3"},        {"TRNAST1A.DB", "TblAsset1a", "ADm3"},
        {"Trnast1b.DB", "TblAsset1b", "ADm3"},      {"BankAcnt.DB", "CpyBankAcnt", "ADm3"},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.Component);
        const TCatalogueTable* table = FindCatalogueComponent(Text(e.Component));
        ASSERT_NE(table, nullptr);
        EXPECT_STREQ(table->FileName, e.File);
        EXPECT_STREQ(table->DataModule, e.Module);
    }
    EXPECT_EQ(ModuleCatalogue(QStringLiteral("ADm1")).size(), 22u);
    EXPECT_EQ(ModuleCatalogue(QStringLiteral("ADm3")).size(), 14u);
    EXPECT_EQ(AccountsCatalogue().size(), std::size(expected));
}

TEST(TableCatalogue, FindsTablesByFileOrTableNameInAnyCase) {
    const TCatalogueTable* banks = FindCatalogueComponent(QStringLiteral("TblBanks"));
    EXPECT_EQ(FindCatalogueTable(QStringLiteral("Pbanks.DB")), banks);
    EXPECT_EQ(FindCatalogueTable(QStringLiteral("PBANKS")), banks);
    EXPECT_EQ(FindCatalogueTable(QStringLiteral("pbanks.db")), banks);
    EXPECT_EQ(banks->TableName(), QStringLiteral("Pbanks"));

    // Two components on one table: the one that deploys it answers.
    EXPECT_EQ(FindCatalogueTable(QStringLiteral("BankAcnt")), FindCatalogueComponent(QStringLiteral("TblBankAccounts")));

    EXPECT_EQ(FindCatalogueTable(QStringLiteral("Product")), nullptr);
    EXPECT_EQ(FindCatalogueComponent(QStringLiteral("tblbanks")), nullptr);   // components by exact name
}

TEST(TableCatalogue, HasTheIndexesTheWindowsAndRebuildsSelect) {
    struct Expected {
        const char* Component;
        const char* Index;
        bool Descending;
    };
    const Expected expected[] = {
        {"TblTranBank1", "ByDate", false},          {"TblTranBank1", "ByDate_Descending", true},
        {"TblTranBank1", "ByItemCode", false},      {"TblTranBank1", "ByDebitAmount", false},
        {"TblTranBank1", "ByDebitAmount_Desc", true}, {"TblTranBank1", "ByCreditAmount", false},
        {"TblTranBank1", "ByCreditAmount_Desc", true},
        {"TblTranTel1", "ByDate", false},           {"TblTranTel1", "ByItemCode", false},
        {"TblTranTel1", "ByAmount", false},
        {"TblTranIncome", "ByTransactionDate", false}, {"TblTranIncome", "ByTransactionDate_Desc", true},
        {"TblTranIncome", "ByIncomeCode", false},   {"TblTranIncome", "ByIncomeAmount", false},
        {"TblTranIncome", "ByIncomeAmount_Desc", true},
        {"TblTranExpense", "ByTransactionDate", false}, {"TblTranExpense", "ByTransactionDate_Desc", true},
        {"TblTranExpense", "ByExpenseCode", false}, {"TblTranExpense", "ByExpenseAmount", false},
        {"TblTranExpense", "ByExpenseAmount_Desc", true},
        {"TblTelCom", "ByTelcomDesc", false},
        {"TblRepBank1", "ByBankCodePeriod", false}, {"TblRepTel1", "ByTelItemPeriod", false},
        {"TblRepInc1", "ByIncomeCodePeriod", false}, {"TblRepExp1", "ByExpenseCodePeriod", false},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(Text(e.Component), Text(e.Index)).toStdString());
        const TCatalogueTable* table = FindCatalogueComponent(Text(e.Component));
        ASSERT_NE(table, nullptr);
        const TCatalogueIndex* index = table->FindIndex(Text(e.Index));
        ASSERT_NE(index, nullptr);
        EXPECT_EQ(index->Descending, e.Descending);
    }

    // The rebuild looks summary rows up by exactly their key fields.
    EXPECT_EQ(CatalogueFieldList(FindCatalogueComponent(QStringLiteral("TblRepBank1"))->FindIndex(QStringLiteral("ByBankCodePeriod"))->Fields),
              (QStringList{"BankAccountCode", "BankItemCode", "PeriodYear", "PeriodMonth"}));
    EXPECT_EQ(CatalogueFieldList(FindCatalogueComponent(QStringLiteral("TblRepExp1"))->FindIndex(QStringLiteral("ByExpenseCodePeriod"))->Fields),
              (QStringList{"ExpenseCode", "PeriodYear", "PeriodMonth"}));
}

TEST(TableCatalogue, ReferenceCodesAndLookupKeysAreUnique) {
    const std::pair<const char*, const char*> codes[] = {
        {"TblBanks", "BankCode"},         {"TblCurrency", "CurrencyCode"}, {"TblCard", "CardCode"},
        {"TblCardType", "CardType"},      {"TblBankAccounts", "BankAccountCode"},
        {"TblBankItems", "BankItemCode"}, {"TblTelCom", "TelcomCode"},     {"TblTelItems", "TelItemCode"},
        {"TblIncome", "IncomeCode"},      {"TblExpense", "ExpenseCode"},   {"TblCategory", "CategoryCode"},
        {"TblTrnLoan1A", "LoanCode"},     {"TblTrnRec1A", "RecurCode"},    {"TblDbl1a", "DoubleCode"},
        {"TblAsset1a", "AssetCode"},
    };
    for (const auto& [component, code] : codes) {
        SCOPED_TRACE(component);
        EXPECT_STREQ(FindCatalogueComponent(Text(component))->PrimaryKey, code);
    }

    // A lookup shows the one row whose key matches, so the key is the primary key.
    for (const TCatalogueTable* table : AccountsCatalogue())
        for (const TCatalogueField& field : table->Fields) {
            if (field.Kind != TCatalogueFieldKind::Lookup)
                continue;
            SCOPED_TRACE(QStringLiteral("%1.%2").arg(Text(table->Component), Text(field.Name)).toStdString());
            const TCatalogueTable* source = FindCatalogueComponent(Text(field.LookupDataSet));
            ASSERT_NE(source, nullptr);
            EXPECT_STREQ(Physical(*source).PrimaryKey, field.LookupKeyFields);
            EXPECT_TRUE(source->FindField(Text(field.LookupResultField)));
            EXPECT_TRUE(IsStoredField(*table, Text(field.KeyFields)));
        }

    // One bank account per bank and card.
    const TCatalogueIndex* pair = FindCatalogueComponent(QStringLiteral("TblBankAccounts"))->FindIndex(QStringLiteral("ByBankCard"));
    ASSERT_NE(pair, nullptr);
    EXPECT_TRUE(pair->Unique);
}

TEST(TableCatalogue, KeysIndexesAndOrdersNameStoredFields) {
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        SCOPED_TRACE(table->Component);
        QSet<QString> names;
        for (const TCatalogueField& field : table->Fields) {
            const QString key = Text(field.Name).toLower();
            EXPECT_FALSE(names.contains(key)) << field.Name;
            names.insert(key);
        }

        for (const QString& name : CatalogueFieldList(table->PrimaryKey))
            EXPECT_TRUE(IsStoredField(*table, name)) << name.toStdString();
        QSet<QString> indexNames;
        for (const TCatalogueIndex& index : table->Indexes) {
            EXPECT_FALSE(indexNames.contains(Text(index.Name).toLower())) << index.Name;
            indexNames.insert(Text(index.Name).toLower());
            for (const QString& name : CatalogueFieldList(index.Fields))
                EXPECT_TRUE(IsStoredField(*table, name)) << index.Name << " " << name.toStdString();
        }

        const TCatalogueTable& physical = Physical(*table);
        if (*table->IndexName) {
            EXPECT_TRUE(physical.FindIndex(Text(table->IndexName))) << table->IndexName;
        }
        // The report table is retargeted at run time; every other order maps onto an index.
        if (*table->IndexFieldNames && table->Deployed) {
            EXPECT_TRUE(HasIndexStartingWith(physical, CatalogueFieldList(table->IndexFieldNames)))
                << table->IndexFieldNames;
        }
    }
}

TEST(TableCatalogue, DetailTablesFollowTheirMasterInIndexOrder) {
    int details = 0;
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        if (!*table->MasterSource)
            continue;
        ++details;
        SCOPED_TRACE(table->Component);
        const TCatalogueTable* master = FindByDataSource(Text(table->MasterSource));
        ASSERT_NE(master, nullptr);
        EXPECT_STREQ(master->DataModule, table->DataModule);
        const QStringList masterFields = CatalogueFieldList(table->MasterFields);
        ASSERT_FALSE(masterFields.isEmpty());
        for (const QString& name : masterFields) {
            EXPECT_TRUE(IsStoredField(*table, name)) << name.toStdString();
            EXPECT_TRUE(IsStoredField(*master, name)) << name.toStdString();
        }
        // The active order and every named order keep one master's rows together.
        EXPECT_TRUE(HasIndexStartingWith(*table, masterFields));
        for (const TCatalogueIndex& index : table->Indexes)
            EXPECT_EQ(CatalogueFieldList(index.Fields).mid(0, masterFields.size()), masterFields) << index.Name;
    }
    EXPECT_EQ(details, 7);
}

TEST(TableCatalogue, SettingLinesHaveTheirFormats) {
    const QSet<QString> attributeSets{"", "CurrencyCode", "BankDesc", "TelItemDesc", "Order", "Amount", "Date"};
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        SCOPED_TRACE(table->Component);
        for (const QString& line : table->PictureMaskLines()) {
            const QStringList parts = line.split(QLatin1Char('\t'));
            ASSERT_EQ(parts.size(), 4) << line.toStdString();
            EXPECT_FALSE(parts[1].isEmpty());
            EXPECT_TRUE(parts[2] == "T" || parts[2] == "F");
            EXPECT_TRUE(parts[3] == "T" || parts[3] == "F");
        }
        // A custom editor belongs to a lookup field of the table.
        for (const QString& line : table->ControlTypeLines()) {
            const QStringList parts = line.split(QLatin1Char(';'));
            ASSERT_GE(parts.size(), 3) << line.toStdString();
            const TCatalogueField* field = table->FindField(parts[0]);
            ASSERT_NE(field, nullptr) << line.toStdString();
            EXPECT_STREQ(field->Name, parts[0].toLatin1().constData());   // ControlType compares with case
            if (parts[1] == "CustomEdit") {
                EXPECT_EQ(field->Kind, TCatalogueFieldKind::Lookup) << line.toStdString();
            } else {
                EXPECT_EQ(parts[1], "RichEdit");
            }
        }
        for (const TCatalogueField& field : table->Fields)
            EXPECT_TRUE(attributeSets.contains(Text(field.AttributeSet))) << field.AttributeSet;
    }

    const TCatalogueTable* banks = FindCatalogueComponent(QStringLiteral("TblBanks"));
    EXPECT_EQ(banks->PictureMaskLines().value(0), "BankDesc\t*[&*[{#, ,.,;,,;;,:,;[,;],(,),}]]\tT\tT");
    EXPECT_EQ(banks->ControlTypeLines(), QStringList{"BankNotes;RichEdit;"});
}

TEST(TableCatalogue, ComponentsAndDataSourcesAreNamedOnce) {
    QSet<QString> components;
    QSet<QString> dataSources;
    QSet<QString> deployedTables;
    for (const TCatalogueTable* table : AccountsCatalogue()) {
        SCOPED_TRACE(table->Component);
        EXPECT_FALSE(components.contains(Text(table->Component)));
        components.insert(Text(table->Component));
        if (*table->DataSource) {
            EXPECT_FALSE(dataSources.contains(Text(table->DataSource)));
            dataSources.insert(Text(table->DataSource));
        }
        if (QLatin1String(table->DataModule) == QLatin1String("ADm1")) {
            EXPECT_EQ(Text(table->DataSource), "Ds" + Text(table->Component).mid(3));
        }
        if (table->Deployed) {
            EXPECT_FALSE(deployedTables.contains(table->TableName().toLower()));
            deployedTables.insert(table->TableName().toLower());
        }
    }
    EXPECT_EQ(deployedTables.size(), 34);
}

TEST(TableCatalogue, SecondBankAccountCursorDeclaresTheStoredFields) {
    const TCatalogueTable* accounts = FindCatalogueComponent(QStringLiteral("TblBankAccounts"));
    const TCatalogueTable* copy = FindCatalogueComponent(QStringLiteral("CpyBankAcnt"));
    QStringList stored;
    for (const TCatalogueField& field : accounts->Fields)
        if (field.IsStored())
            stored << Text(field.Name);
    QStringList declared;
    for (const TCatalogueField& field : copy->Fields)
        declared << Text(field.Name);
    EXPECT_EQ(declared, stored);
    EXPECT_FALSE(copy->Deployed);
}

}  // namespace
