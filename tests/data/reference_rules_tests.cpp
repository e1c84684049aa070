#include "data/reference_rules.h"
#include "tests/data/rules_fixture.h"

namespace {

class ReferenceRules : public RulesTest {
protected:
    void Item(const char* code, const char* description) {
        Put("BankItm", {{"BankItemCode", code}, {"BankItemDesc", description}});
        adm1->TblBankItems->Refresh();
    }
    // Adds a row through the table, as the reference window does.
    void Add(TwwTable* table, TValues values) {
        table->Append();
        for (const auto& [name, value] : values)
            table->FieldByName(QString::fromLatin1(name))->SetValue(value);
        table->Post();
    }
    // Edits the row whose key (the table's last field) is code.
    void EditTo(TwwTable* table, const char* code, const char* field, const QVariant& value) {
        ASSERT_TRUE(table->Locate(table->Fields(table->FieldCount() - 1)->FieldName(), code));
        table->Edit();
        Set(table, field, value);
    }
};

TEST_F(ReferenceRules, RequiredFieldsAreCheckedInOrder) {
    TwwTable* accounts = adm1->TblBankAccounts;
    accounts->Append();
    Set(accounts, "AccountName", "Current");
    EXPECT_THROW(accounts->Post(), EAbort);
    Set(accounts, "AccountNumber", "12-34");
    EXPECT_THROW(accounts->Post(), EAbort);
    EXPECT_EQ(Shown(), (QStringList{"Account Number has to be entered\r", "Bank Name Should be Entered\r"}));
    EXPECT_EQ(accounts->State(), dsInsert);
    EXPECT_EQ(Count("BankAcnt"), 0);
}

TEST_F(ReferenceRules, DuplicateNameIsRefusedAndTheRowDiscarded) {
    Item("001", "Rent");
    EXPECT_THROW(Add(adm1->TblBankItems, {{"BankItemDesc", "Rent"}}), EAbort);
    EXPECT_EQ(Shown(), QStringList{"Item Description \"Rent\" Exists Allready\r"});
    EXPECT_EQ(adm1->TblBankItems->State(), dsBrowse);
    EXPECT_EQ(Count("BankItm"), 1);
}

TEST_F(ReferenceRules, NamesHoldingQuotesAreComparedAsTyped) {
    Item("001", "Joe's \"Best\" Deli");
    Add(adm1->TblBankItems, {{"BankItemDesc", "Joe's \"Best\""}});
    EXPECT_THROW(Add(adm1->TblBankItems, {{"BankItemDesc", "Joe's \"Best\" Deli"}}), EAbort);
    EXPECT_EQ(Shown(), QStringList{"Item Description \"Joe's \"Best\" Deli\" Exists Allready\r"});
    EXPECT_EQ(Count("BankItm"), 2);
}

TEST_F(ReferenceRules, OnlyAChangedNameIsCheckedAndNeverAgainstItsOwnRow) {
    Item("001", "Rent");
    Item("002", "Rent");   // an older twin
    EditTo(adm1->TblBankItems, "001", "BankItemDesc", "Rent");
    adm1->TblBankItems->Post();
    EXPECT_TRUE(CheckDuplicate(*adm1->QryRT, *adm1->TblBankItems, "BankItemDesc", "Rent", "", "",
                               {"BankItemCode", "001"}) == false);
    Db().Execute("delete from BankItm where BankItemCode = ?", {"002"});
    EXPECT_TRUE(CheckDuplicate(*adm1->QryRT, *adm1->TblBankItems, "BankItemDesc", "Rent", "", "",
                               {"BankItemCode", "001"}));
    EXPECT_EQ(Shown(), QStringList{"\"Rent\"\r"});
}

// An edit begun in another table must not change what this table's check compares with.
TEST_F(ReferenceRules, SavedValuesAreKeptPerTable) {
    Item("001", "Rent");
    Item("002", "Food");
    Put("PCatgry", {{"CategoryCode", "001"}, {"CategoryDesc", "Rent"}});
    adm1->TblCategory->Refresh();
    EditTo(adm1->TblBankItems, "002", "BankItemDesc", "Rent");
    adm1->TblCategory->Edit();
    EXPECT_THROW(adm1->TblBankItems->Post(), EAbort);
    EXPECT_EQ(Shown(), QStringList{"Item Description \"Rent\" Exists Allready\r"});
}

TEST_F(ReferenceRules, BankAccountPairAndCurrencyChecks) {
    Put("BankAcnt", {{"BankAccountCode", "0000000001"}, {"BankCode", "1"}, {"CardCode", "0000000001"}});
    adm1->TblBankAccounts->Refresh();
    EXPECT_THROW(Add(adm1->TblBankAccounts, {{"AccountName", "Second"}, {"AccountNumber", "9"}, {"BankCode", "1"},
                                             {"CardCode", "0000000001"}}),
                 EAbort);
    Put("PCurncy", {{"CurrencyCode", "001"}, {"CurrencyName", "Euro"}, {"CurrencyShortName", "EUR"}});
    adm1->TblCurrency->Refresh();
    EXPECT_THROW(Add(adm1->TblCurrency, {{"CurrencyName", "Euro"}, {"CurrencyShortName", "XEU"}}), EAbort);
    EXPECT_THROW(Add(adm1->TblCurrency, {{"CurrencyName", "Pound"}, {"CurrencyShortName", "EUR"}}), EAbort);
    EXPECT_EQ(Shown(), (QStringList{"Bank Account For This Card Exists Already  Exists Allready\r",
                                    "Currency Name \"Euro\" Exists Allready\r",
                                    "Currency Short Name \"EUR\" Exists Allready\r"}));
    EXPECT_EQ(Count("BankAcnt") + Count("PCurncy"), 2);
}

TEST_F(ReferenceRules, DeleteGuardRefusesUsedRowsAndAsksForOthers) {
    Item("001", "Rent");
    Put("TrnBnk1a", {{"BankAccountCode", "0000000001"}, {"BankTranSerialNum", "0000000001"}, {"BankItemCode", "001"}});
    EXPECT_THROW(adm1->TblBankItems->Delete(), EAbort);
    EXPECT_EQ(presenter.shown.at(0).Type, TMsgDlgType::mtError);
    Db().Execute("delete from TrnBnk1a");
    presenter.Answer(mrNo);
    EXPECT_THROW(adm1->TblBankItems->Delete(), EAbort);
    EXPECT_EQ(presenter.shown.at(1).Type, TMsgDlgType::mtWarning);
    EXPECT_EQ(Count("BankItm"), 1);
    adm1->TblBankItems->Delete();
    EXPECT_EQ(Count("BankItm"), 0);
    EXPECT_EQ(Shown(), (QStringList{"This Item cannot be deleted since it is used in Bank transactions",
                                    "Delete Item \"Rent\", Are You Sure ?", "Delete Item \"Rent\", Are You Sure ?"}));
}

TEST_F(ReferenceRules, CommunicationAccountsAskByCodeAndCategoriesNeedNoProductTable) {
    Put("PTelcom", {{"TelcomCode", "007"}, {"TelcomDesc", "Mobile"}});
    Put("PCatgry", {{"CategoryCode", "001"}, {"CategoryDesc", "Books"}});
    adm1->TblTelCom->Refresh();
    adm1->TblCategory->Refresh();
    adm1->TblTelCom->Delete();
    adm1->TblCategory->Delete();
    EXPECT_EQ(Shown(), (QStringList{" \"007\", Are You Sure ?", "Delete Category \"Books\", Are You Sure ?"}));
    EXPECT_EQ(Count("PTelcom") + Count("PCatgry"), 0);
}

TEST_F(ReferenceRules, EngineErrorOnPostIsShownOnceAndTheRowStaysInEdit) {
    Put("PCatgry", {{"CategoryCode", "001"}, {"CategoryDesc", "Books"}});
    Put("PCatgry", {{"CategoryCode", "002"}, {"CategoryDesc", "Music"}});
    adm1->TblCategory->Refresh();
    EditTo(adm1->TblCategory, "002", "CategoryCode", "001");   // a key violation
    EXPECT_THROW(adm1->TblCategory->Post(), EAbort);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_FALSE(presenter.shown[0].Text.isEmpty());
    EXPECT_EQ(adm1->TblCategory->State(), dsEdit);
    EXPECT_EQ(Read("select count(*) from PCatgry where CategoryCode = ?", {"001"}), 1);
}

}  // namespace
