// Start-up of the first data module on new and existing databases.
#include "tests/data/accounts_fixture.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/engine/engine_database.h"
#include "platform/engine/engine_session.h"
#include <QFile>

namespace {

QString Text(TDataSet& dataSet, const char* field) {
    return dataSet.FieldByName(QString::fromLatin1(field))->AsString();
}

int RowCount(TADm1& dm, const QString& table) {
    auto rows = dm.DataQuelt->EngineDatabase().Query(QStringLiteral("select count(*) from ") + table);
    rows->Next();
    return rows->Value(0).toInt();
}

}  // namespace

TEST_F(AccountsTest, NewDatabaseGetsItsConfigurationRows) {
    TwwTable& config = *adm1->TblConfig;
    EXPECT_EQ(RowCount(*adm1, QStringLiteral("PConfig1")), 1);
    EXPECT_EQ(Text(config, "CurrencyCode"), QStringLiteral("USD"));
    EXPECT_EQ(config.FieldByName(QStringLiteral("CloseDate"))->AsDateTime(), EncodeDate(1900, 1, 1));
    EXPECT_EQ(adm1->CurrentCloseDate, EncodeDate(1900, 1, 1));
    // Nothing else is given a value: colours, chart settings and the mark stay empty.
    for (const char* field : {"ColorNormal", "ChartBar1Code", "StartDayOfWeek", "GridSize1", "DataUpdated"})
        EXPECT_TRUE(config.FieldByName(QString::fromLatin1(field))->IsNull()) << field;

    EXPECT_EQ(RowCount(*adm1, QStringLiteral("POPTION1")), 1);
    EXPECT_EQ(adm1->TblOptions->State(), dsEdit);
    EXPECT_EQ(adm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->AsDateTime(), Today());
    EXPECT_EQ(adm1->TblOptions->FieldByName(QStringLiteral("ToDate"))->AsDateTime(), Today());

    EXPECT_EQ(adm1->FirstDataYear, 1900);
    EXPECT_EQ(adm1->LastDataYear, 2010);
    EXPECT_TRUE(QFile::exists(dir.File(QStringLiteral("DataQuelt.sqlite"))));
}

TEST_F(AccountsTest, OpensWhatTheWindowsExpectOpen) {
    for (TwwTable* table : {adm1->TblBanks, adm1->TblCurrency, adm1->TblCard, adm1->TblCardType,
                            adm1->TblBankAccounts, adm1->TblTelCom, adm1->TblCategory, adm1->TblTelItems,
                            adm1->TblBankItems, adm1->TblExpense, adm1->TblIncome, adm1->TblTranIncome,
                            adm1->TblTranExpense, adm1->TblConfig, adm1->TblOptions})
        EXPECT_TRUE(table->Active()) << table->Name().toStdString();
    EXPECT_FALSE(adm1->TblTranBank1->Active());
    EXPECT_FALSE(adm1->TblTranTel1->Active());
    EXPECT_FALSE(adm1->TblSkins->Active());
    // The card types come with a new database, so the lookup has rows to show.
    EXPECT_FALSE(adm1->TblCardType->IsEmpty());
}

TEST_F(AccountsTest, SecondStartChangesNoConfigurationRow) {
    adm1->TblConfig->Edit();
    adm1->TblConfig->FieldByName(QStringLiteral("CurrencyCode"))->SetAsString(QStringLiteral("EUR"));
    adm1->TblConfig->FieldByName(QStringLiteral("CloseDate"))->SetAsDateTime(EncodeDate(2025, 12, 31));
    adm1->TblConfig->FieldByName(QStringLiteral("ColorNormal"))->SetAsInteger(255);
    adm1->TblConfig->Post();
    adm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->SetAsDateTime(EncodeDate(2025, 1, 1));
    adm1->TblOptions->FieldByName(QStringLiteral("ToDate"))->SetAsDateTime(EncodeDate(2025, 6, 30));
    adm1->TblOptions->Post();
    adm1.reset();

    adm1 = std::make_unique<TADm1>(nullptr);
    EXPECT_EQ(RowCount(*adm1, QStringLiteral("PConfig1")), 1);
    EXPECT_EQ(Text(*adm1->TblConfig, "CurrencyCode"), QStringLiteral("EUR"));
    EXPECT_EQ(adm1->TblConfig->FieldByName(QStringLiteral("ColorNormal"))->AsInteger(), 255);
    EXPECT_EQ(adm1->CurrentCloseDate, EncodeDate(2025, 12, 31));
    // Both dates are kept; the row is still left in edit for the filter window.
    EXPECT_EQ(RowCount(*adm1, QStringLiteral("POPTION1")), 1);
    EXPECT_EQ(adm1->TblOptions->State(), dsEdit);
    EXPECT_EQ(adm1->TblOptions->FieldByName(QStringLiteral("FromDate"))->AsDateTime(), EncodeDate(2025, 1, 1));
    EXPECT_EQ(adm1->TblOptions->FieldByName(QStringLiteral("ToDate"))->AsDateTime(), EncodeDate(2025, 6, 30));
}

TEST_F(AccountsTest, SetDataUpdatedWritesTheMark) {
    EXPECT_TRUE(adm1->SetDataUpdated(true));
    EXPECT_EQ(adm1->TblConfig->State(), dsBrowse);
    EXPECT_TRUE(adm1->TblConfig->FieldByName(QStringLiteral("DataUpdated"))->AsBoolean());
    // A mark already stored is not posted again.
    int posts = 0;
    adm1->TblConfig->AfterPost = [&](TDataSet&) { ++posts; };
    EXPECT_TRUE(adm1->SetDataUpdated(true));
    EXPECT_EQ(posts, 0);
    EXPECT_TRUE(adm1->SetDataUpdated(false));
    EXPECT_EQ(posts, 1);
    adm1->TblConfig->AfterPost = nullptr;
    auto rows = adm1->DataQuelt->EngineDatabase().Query(QStringLiteral("select DataUpdated from PConfig1"));
    ASSERT_TRUE(rows->Next());
    EXPECT_FALSE(rows->Value(0).toBool());
}

TEST_F(AccountsTest, YearRangeFollowsTheChartTable) {
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    db.Execute(QStringLiteral("insert into TeeData1 (PeriodYear, PeriodMonth) values (2019, 4)"));
    db.Execute(QStringLiteral("insert into TeeData1 (PeriodYear, PeriodMonth) values (2024, 11)"));
    adm1->LoadYearRange();
    EXPECT_EQ(adm1->FirstDataYear, 2019);
    EXPECT_EQ(adm1->LastDataYear, 2024);
    EXPECT_FALSE(adm1->QryRT->Active());

    db.Execute(QStringLiteral("delete from TeeData1"));
    adm1->LoadYearRange();
    EXPECT_EQ(adm1->FirstDataYear, 1900);
    EXPECT_EQ(adm1->LastDataYear, 2010);
}

TEST_F(AccountsTest, TablesOfAnotherPasswordStopStartUp) {
    adm1.reset();
    // A database whose bank table carries a password the program does not know.
    {
        auto db = TEngineDatabase::Open(dir.File(QStringLiteral("DataQuelt.sqlite")), false, &TEngineSession::Default());
        db->Execute(QStringLiteral("drop table Pbanks"));
        TTableDesc banks;
        banks.Name = QStringLiteral("Pbanks");
        banks.Columns = {{QStringLiteral("BankDesc"), TFieldType::ftString, 50},
                         {QStringLiteral("BankNotes"), TFieldType::ftMemo, 25},
                         {QStringLiteral("BankCode"), TFieldType::ftString, 10}};
        banks.Password = QStringLiteral("another");
        db->CreateTable(banks);
    }
    EXPECT_THROW(adm1 = std::make_unique<TADm1>(nullptr), EDatabaseError);
    EXPECT_EQ(ADm1, nullptr);
}

TEST_F(AccountsTest, TablesCarryTheirCatalogueSettings) {
    TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
    db.Execute(QStringLiteral("insert into Pbanks (BankDesc, BankCode) values (?, ?)"),
               {QStringLiteral("First Savings"), QStringLiteral("1")});
    db.Execute(QStringLiteral("insert into BankAcnt (BankAccountCode, BankCode, CardCode, AccountName) "
                              "values (?, ?, ?, ?)"),
               {QStringLiteral("0000000001"), QStringLiteral("1"), QStringLiteral("0000000009"),
                QStringLiteral("Household")});
    adm1->TblBanks->Refresh();
    adm1->TblBankAccounts->Refresh();
    // Lookup fields show the other table's text; a code without a row shows nothing.
    EXPECT_EQ(Text(*adm1->TblBankAccounts, "CalcBankName"), QStringLiteral("First Savings"));
    EXPECT_EQ(Text(*adm1->TblBankAccounts, "CalcCardName"), QString());
    // A lookup whose size the catalogue leaves open still holds a whole description.
    EXPECT_EQ(adm1->TblCard->FieldByName(QStringLiteral("CalcCardType"))->Size(), 20);

    TField* date = adm1->TblTranIncome->FieldByName(QStringLiteral("TransactionDate"));
    EXPECT_EQ(date->DisplayLabel(), QStringLiteral("Date"));
    EXPECT_EQ(date->EditMask(), QStringLiteral("!99/99/0000;1;_"));
    EXPECT_FALSE(adm1->TblBanks->FieldByName(QStringLiteral("BankCode"))->Visible());
    EXPECT_EQ(adm1->TblTranBank1->IndexName(), QStringLiteral("ByDate"));
    EXPECT_EQ(adm1->TblTranBank1->MasterSource(), adm1->DsBankAccounts);
    EXPECT_TRUE(adm1->DsConfig->AutoEdit());
    EXPECT_FALSE(adm1->DsBanks->AutoEdit());
    EXPECT_EQ(adm1->TblBanks->PictureMasks()->Count(), 2);
    EXPECT_EQ(adm1->TblCard->ControlType()->Text(), QStringLiteral("CalcCardType;CustomEdit;LupCardType\r\n"));
}

TEST_F(AccountsTest, ReadOnlyDatabaseStopsStartUpWithTheEnginesError) {
    adm1.reset();
    const QString file = dir.File(QStringLiteral("DataQuelt.sqlite"));
    {
        // An empty configuration table makes start-up want to write its row.
        auto db = TEngineDatabase::Open(file, false, &TEngineSession::Default());
        db->Execute(QStringLiteral("delete from PConfig1"));
    }
    QFile::setPermissions(file, QFile::ReadOwner);
    try {
        adm1 = std::make_unique<TADm1>(nullptr);
        ADD_FAILURE() << "start-up wrote to a read-only database";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains(QStringLiteral("readonly")) ||
                    error.Message.contains(QStringLiteral("read-only")))
            << error.Message.toStdString();
    }
    EXPECT_EQ(ADm1, nullptr);
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    auto db = TEngineDatabase::Open(file, false, &TEngineSession::Default());
    auto rows = db->Query(QStringLiteral("select count(*) from PConfig1"));
    rows->Next();
    EXPECT_EQ(rows->Value(0).toInt(), 0);
}
