#include "dataset/ww_qbe.h"
#include "dataset/ww_stored_proc.h"
#include "dataset/ww_table.h"
#include "platform/db/fields.h"
#include "tests/dataset/dataset_fixture.h"
#include "tests/support/qt_print.h"

namespace {

// A table that believes its database is a server, so that the paths taken
// only on SQL databases can be seen at work on the engine's tables.
class TServerTable : public TwwTable {
public:
    using TwwTable::TwwTable;
    bool IsSQLBased() const override { return true; }
};

QString Desc(TDataSet& table)
{
    return table.FieldByName(QStringLiteral("BankDesc"))->AsString();
}

}  // namespace

using WwTable = DatasetTest;

TEST_F(WwTable, ATableNameClearsTheQueryAndQueryTextClearsTheTablesOrderAndMaster)
{
    TwwTable& master = OpenBanks();
    TDataSource source;
    source.SetDataSet(&master);
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    table.SetIndexFieldNames(QStringLiteral("BankCode"));
    table.SetMasterSource(&source);
    table.SetMasterFields(QStringLiteral("BankCode"));

    TStringList sql{QStringLiteral("select BankDesc from Banks")};
    table.SetQuery(&sql);
    EXPECT_TRUE(table.TableName().isEmpty());
    EXPECT_TRUE(table.IndexFieldNames().isEmpty());
    EXPECT_EQ(table.MasterSource(), nullptr);
    EXPECT_TRUE(table.MasterFields().isEmpty());

    table.SetTableName(QStringLiteral("Banks"));
    EXPECT_EQ(table.Query()->Count(), 0);
}

TEST_F(WwTable, QueryTextOpensAsSqlAndQbeTextIsRefusedByTheEngine)
{
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    TStringList sql{QStringLiteral("select BankDesc from Banks"), QStringLiteral("where City = \"Springfield\"")};
    table.SetQuery(&sql);
    table.Open();
    EXPECT_EQ(table.QueryLanguage(), QStringLiteral("SQL"));
    EXPECT_EQ(table.RecordCount(), 2);
    EXPECT_FALSE(table.CanModify());
    table.Close();

    TStringList qbe{QStringLiteral("QUERY   "), QStringLiteral("Banks.db | BankDesc |")};
    table.SetQuery(&qbe);
    try {
        table.Open();
        FAIL() << "a QBE text opened";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains(QStringLiteral("QBE statements are not supported"))) << error.Message.toStdString();
    }
    EXPECT_EQ(table.QueryLanguage(), QStringLiteral("QBE"));
    EXPECT_FALSE(table.Active());
}

TEST_F(WwTable, QbeTextAndStoredProceduresAreNotRun)
{
    TwwQBE qbe;
    qbe.SetDatabaseName(QString::fromLatin1(kDatabase));
    TStringList text{QStringLiteral("Query"), QStringLiteral("Banks.db | BankDesc |")};
    qbe.SetQBE(&text);   // closed: only stored
    EXPECT_EQ(qbe.QBE()->Count(), 2);
    EXPECT_FALSE(qbe.ValidateWithMask());
    EXPECT_THROW(qbe.Open(), EDatabaseError);

    TwwStoredProc proc;
    proc.SetDatabaseName(QString::fromLatin1(kDatabase));
    proc.SetStoredProcName(QStringLiteral("MonthlyTotals"));
    try {
        proc.Open();
        FAIL() << "a stored procedure ran";
    } catch (const EDatabaseError& error) {
        EXPECT_TRUE(error.Message.contains(QStringLiteral("Stored procedures are not supported"))) << error.Message.toStdString();
    }
}

TEST_F(WwTable, TableKindsAreToldByTypeAndName)
{
    TwwTable& table = NewTable(QStringLiteral("x.db"));
    EXPECT_TRUE(table.IsParadoxTable());
    EXPECT_FALSE(table.IsDBaseTable());
    table.SetTableName(QStringLiteral("x.dbf"));
    EXPECT_FALSE(table.IsParadoxTable());
    EXPECT_TRUE(table.IsDBaseTable());
    table.SetTableName(QStringLiteral("x"));
    table.SetTableType(ttParadox);
    EXPECT_TRUE(table.IsParadoxTable());
}

TEST_F(WwTable, FindKeyRefusesMoreValuesThanTheIndexHasFields)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByCityDesc"));
    EXPECT_FALSE(table.FindKeyByLookupValues({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].Text,
              QStringLiteral("Table TblBanks: FindKey has too many lookup values for index ByCityDesc"));
    EXPECT_EQ(presenter.shown[0].Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(presenter.shown[0].Buttons, mbOK);

    EXPECT_TRUE(table.FindKeyByLookupValues({QStringLiteral("springfield"), QStringLiteral("savings union")}));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_FALSE(table.FindKeyByLookupValues({QStringLiteral("Nowhere")}));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_EQ(presenter.shown.size(), 1u);
}

TEST_F(WwTable, FindKeyOnAnIntegerKeyTakesOnlyNumbers)
{
    TwwTable& table = OpenBanks(QStringLiteral("ByBranches"));
    EXPECT_TRUE(table.FindKeyByLookupValues({QStringLiteral("7")}));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
    EXPECT_FALSE(table.FindKeyByLookupValues({QStringLiteral("7x")}));
    EXPECT_EQ(Desc(table), QStringLiteral("Savings Union"));
}

TEST_F(WwTable, SelectingTheIndexForAFieldPrefersCaseInsensitiveAndKeepsTheRecord)
{
    TwwTable& table = OpenBanks();
    ASSERT_TRUE(table.FindKeyByLookupValues({QStringLiteral("0000000002")}));
    EXPECT_TRUE(table.SelectIndexForField(QStringLiteral("bankdesc")));
    EXPECT_EQ(table.IndexName(), QStringLiteral("ByDesc"));
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
    EXPECT_TRUE(table.SelectIndexForField(QStringLiteral("City")));   // leads ByCityDesc
    EXPECT_EQ(table.IndexName(), QStringLiteral("ByCityDesc"));
    EXPECT_FALSE(table.SelectIndexForField(QStringLiteral("Balance")));
    EXPECT_EQ(table.IndexName(), QStringLiteral("ByCityDesc"));

    TStringList selected{QStringLiteral("BankCode\t10\tCode")};
    EXPECT_TRUE(table.SelectIndexForFirstListedField(selected));
    EXPECT_TRUE(table.IndexName().isEmpty());   // the primary index
    EXPECT_EQ(Desc(table), QStringLiteral("Second Trust"));
}

TEST_F(WwTable, LookupFieldLinesFillACalculatedFieldFromTheirTable)
{
    TTableDesc accounts;
    accounts.Name = QStringLiteral("Accounts");
    accounts.Columns = {{QStringLiteral("AccountCode"), TFieldType::ftString, 10},
                        {QStringLiteral("BankCode"), TFieldType::ftString, 10}};
    accounts.Indexes = {{QString(), {QStringLiteral("AccountCode")}, true, true}};
    Engine().CreateTable(accounts);
    Engine().InsertRow(QStringLiteral("Accounts"), {QStringLiteral("A1"), QStringLiteral("0000000003")});
    Engine().InsertRow(QStringLiteral("Accounts"), {QStringLiteral("A2"), QStringLiteral("0000000099")});

    TwwTable& table = NewTable(QStringLiteral("Accounts"), QStringLiteral("TblAccounts"));
    for (const char* name : {"AccountCode", "BankCode"}) {
        auto* field = new TStringField(&table, 10);
        field->SetFieldName(QString::fromLatin1(name));
        field->SetDataSet(&table);
    }
    auto* bankName = new TStringField(&table, 30);
    bankName->SetFieldName(QStringLiteral("CalcBankName"));
    bankName->SetFieldKind(fkCalculated);
    bankName->SetDataSet(&table);
    table.LookupFields()->Add(QStringLiteral("CalcBankName;DsetTest;Banks.DB;BankDesc;"));
    table.LookupLinks()->Add(QStringLiteral("BankCode;BankCode"));
    table.Open();

    EXPECT_EQ(bankName->AsString(), QStringLiteral("Savings Union"));
    table.Next();
    EXPECT_EQ(bankName->AsString(), QString());   // no such bank
    ASSERT_EQ(table.LookupTables().size(), 1u);   // one table serves every record
    EXPECT_TRUE(table.LookupTables()[0].Table->ReadOnly());
    table.Close();
    EXPECT_TRUE(table.LookupTables().empty());
}

// ---- Paths of SQL databases.

TEST_F(WwTable, OnAServerFindKeyNarrowsTheTableToTheKey)
{
    TServerTable table;
    table.SetName(QStringLiteral("TblBanks"));
    table.SetDatabaseName(QString::fromLatin1(kDatabase));
    table.SetTableName(QStringLiteral("Banks"));
    table.SetIndexName(QStringLiteral("ByCityDesc"));
    table.Open();

    EXPECT_TRUE(table.FindKeyByLookupValues({QStringLiteral("Springfield")}));
    EXPECT_EQ(table.FieldByName(QStringLiteral("City"))->AsString(), QStringLiteral("Springfield"));
    EXPECT_EQ(table.RecordCount(), 2);   // from Springfield on: the range has no end

    table.SetLookupSearch(true);
    EXPECT_TRUE(table.FindKeyByLookupValues({QStringLiteral("Springfield")}));   // already there
    table.SetLookupSearch(false);

    table.FieldByName(QStringLiteral("BankDesc"))->SetDisplayWidth(7);
    EXPECT_FALSE(table.FindKeyByLookupValues({QString()}));   // an empty key removes the range
    EXPECT_EQ(table.RecordCount(), 5);
    EXPECT_EQ(table.FieldByName(QStringLiteral("BankDesc"))->DisplayWidth(), 7);   // reopened with its layout
}

// ---- The mask check before post.

TEST_F(WwTable, APostBreakingAMaskIsRefusedWithTheFieldsDisplayName)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("BankDesc")));
    table.FieldByName(QStringLiteral("BankDesc"))->SetDisplayLabel(QStringLiteral("Bank Name"));
    QString reported;
    table.SetOnInvalidValueEvent([&](TDataSet&, TField& field) { reported = field.FieldName(); });

    table.Insert();
    table.FieldByName(QStringLiteral("BankCode"))->SetAsString(QStringLiteral("0000000009"));
    table.FieldByName(QStringLiteral("BankDesc"))->SetAsString(QStringLiteral("1abc"));
    try {
        table.Post();
        FAIL() << "the post went through";
    } catch (const EDatabaseError& error) {
        EXPECT_EQ(error.Message, QStringLiteral("Invalid characters. Field : Bank Name"));
    }
    EXPECT_EQ(reported, QStringLiteral("BankDesc"));
    EXPECT_EQ(table.State(), dsInsert);
    EXPECT_EQ(table.RecordCount(), 5);

    table.FieldByName(QStringLiteral("BankDesc"))->SetAsString(QStringLiteral("abc 12"));
    table.Post();   // the check judges the text; the editor is what stores it upper-cased
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(table.RecordCount(), 6);
}

TEST_F(WwTable, EmptyTextsReadOnlyFieldsAndDateFieldsPassTheMaskCheck)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("City")));
    table.PictureMasks()->Add(MaskLine(QStringLiteral("BankDesc")));
    table.PictureMasks()->Add(MaskLine(QStringLiteral("Opened")));   // a letters-first mask on a date
    table.Insert();
    table.FieldByName(QStringLiteral("BankCode"))->SetAsString(QStringLiteral("0000000009"));
    table.FieldByName(QStringLiteral("Opened"))->SetAsDateTime(EncodeDate(2004, 5, 6));
    table.FieldByName(QStringLiteral("BankDesc"))->SetAsString(QStringLiteral("-dash"));
    table.FieldByName(QStringLiteral("BankDesc"))->SetReadOnly(true);
    table.Post();
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(table.RecordCount(), 6);
}

TEST_F(WwTable, AnIncompleteTextFailsAndValidateWithMaskOffSkipsTheCheck)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("City"), QStringLiteral("###-###")));
    table.Edit();
    table.FieldByName(QStringLiteral("City"))->SetAsString(QStringLiteral("123"));
    EXPECT_THROW(table.Post(), EDatabaseError);
    table.SetValidateWithMask(false);
    table.Post();
    EXPECT_EQ(table.FieldByName(QStringLiteral("City"))->AsString(), QStringLiteral("123"));
}

// A BeforePost handler that cancels the record ends the post: the mask check
// has no record to judge, least of all the stored row that became current.
TEST_F(WwTable, ARecordCancelledInBeforePostIsNotChecked)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("City"), QStringLiteral("###")));
    table.Insert();
    table.FieldByName(QStringLiteral("BankCode"))->SetAsString(QStringLiteral("0000000009"));
    table.FieldByName(QStringLiteral("City"))->SetAsString(QStringLiteral("123"));
    table.BeforePost = [](TDataSet& dataSet) { dataSet.Cancel(); };
    EXPECT_NO_THROW(table.Post());
    EXPECT_EQ(table.State(), dsBrowse);
    EXPECT_EQ(table.RecordCount(), 5);
}
