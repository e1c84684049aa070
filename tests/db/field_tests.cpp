// Field values, formats, texts, persistent, calculated and lookup fields.
#include "tests/db/db_test_env.h"
#include <limits>

namespace {

class Fields : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        CreateAccounts();
        AddBank("B1", "First Bank", QDate(2001, 2, 3));
        AddBank("B2", "Second Bank");
        AddAccount("A1", "B2", "Savings", 1234.5);
        AddAccount("A2", "B9", "Orphan", -2);
    }
};

TEST_F(Fields, TextLongerThanItsSizeIsCutToItsSize) {
    TTable* banks = NewTable("Pbanks");
    banks->Open();
    banks->Edit();
    TField* code = banks->FieldByName("bankcode");
    code->SetAsString("ABCDEFGHIJKLMNOP");
    EXPECT_EQ(code->AsString(), "ABCDEFGHIJ");
    banks->Post();
    EXPECT_EQ(Count("select count(*) from Pbanks where BankCode = \"ABCDEFGHIJ\""), 1);

    // A character beyond 16 bits that would be cut in half stays out whole,
    // so that the record still posts.
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    banks->Edit();
    code->SetAsString(QStringLiteral("ABCDEFGHI") + emoji);
    EXPECT_EQ(code->AsString(), "ABCDEFGHI");
    code->SetAsString(QStringLiteral("ABCDEFGH") + emoji);
    banks->Post();
    EXPECT_EQ(Count("select count(*) from Pbanks where BankCode = \"ABCDEFGH" + emoji + "\""), 1);
}

TEST_F(Fields, NullDateReadsAsZeroAndDatesConvert) {
    TTable* banks = NewTable("Pbanks");
    banks->Open();
    TField* opened = banks->FieldByName("Opened");
    EXPECT_EQ(opened->AsDateTime(), EncodeDate(2001, 2, 3));
    EXPECT_EQ(opened->DisplayText(), "02/03/2001");
    banks->Next();
    EXPECT_TRUE(opened->IsNull());
    EXPECT_EQ(opened->AsDateTime(), 0);
    EXPECT_EQ(opened->Text(), "");
    banks->Edit();
    opened->SetAsString("12/31/1999");
    EXPECT_EQ(opened->Value().toDate(), QDate(1999, 12, 31));
    EXPECT_THROW(opened->SetAsString("13/45/1999"), EConvertError);
    opened->SetAsString("");
    EXPECT_TRUE(opened->IsNull());
}

TEST_F(Fields, DisplayAndEditFormats) {
    TTable* accounts = NewTable("BankAcnt");
    accounts->Open();
    auto* balance = qobject_cast<TFloatField*>(accounts->FieldByName("Balance"));
    ASSERT_NE(balance, nullptr);
    EXPECT_EQ(balance->DisplayText(), "1234.5");
    balance->SetDisplayFormat(",.00");
    balance->SetEditFormat(".00");
    EXPECT_EQ(balance->DisplayText(), "1,234.50");
    EXPECT_EQ(balance->Text(), "1234.50");
    EXPECT_EQ(balance->Alignment(), taRightJustify);
    balance->OnGetText = [](TField& f, QString& text, bool display) {
        text = (display ? QStringLiteral("D") : QStringLiteral("E")) + f.AsString();
    };
    EXPECT_EQ(balance->DisplayText(), "D1234.5");
    EXPECT_EQ(balance->Text(), "E1234.5");
    accounts->Edit();
    EXPECT_THROW(balance->SetAsString("12x"), EConvertError);
    balance->SetAsString("7.25");
    EXPECT_EQ(balance->AsFloat(), 7.25);
    EXPECT_TRUE(balance->IsValidChar(QLatin1Char('.')));
    EXPECT_FALSE(balance->IsValidChar(QLatin1Char('x')));
}

// A typed amount beyond what the field holds, and infinity or NaN however
// set, is refused as no number and the value before stays; the largest
// amount reads back to the cent, and a sum the program sets may pass it.
TEST_F(Fields, AmountsBeyondTheBoundAreRefusedAndTheValueStays) {
    TTable* accounts = NewTable("BankAcnt");
    accounts->Open();
    auto* balance = qobject_cast<TFloatField*>(accounts->FieldByName("Balance"));
    ASSERT_NE(balance, nullptr);
    balance->SetDisplayFormat(",0.00");
    accounts->Edit();
    for (const char* text : {"99999999999999999999", "1e308", "1.7976931348623157e308", "-1000000000000.01"}) {
        try {
            balance->SetAsString(text);
            ADD_FAILURE() << text << " was taken";
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message, QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
        EXPECT_EQ(balance->AsFloat(), 1234.5) << text;
    }
    for (const double value : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                               std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_THROW(balance->SetAsFloat(value), EConvertError) << value;
        EXPECT_THROW(balance->SetValue(value), EConvertError) << value;
        EXPECT_EQ(balance->AsFloat(), 1234.5) << value;
    }
    balance->SetAsString("999999999999.99");
    EXPECT_EQ(balance->DisplayText(), "999,999,999,999.99");
    balance->SetAsString("-1000000000000");
    EXPECT_EQ(balance->DisplayText(), "-1,000,000,000,000.00");
    accounts->Post();
    EXPECT_EQ(Count("select count(*) from BankAcnt where Balance = -1000000000000"), 1);
    accounts->Edit();
    balance->SetAsFloat(-2e12);
    EXPECT_EQ(balance->AsFloat(), -2e12);
}

TEST_F(Fields, FieldByNameIsCaseInsensitiveAndNamesAMissingField) {
    TTable* banks = NewTable("Pbanks");
    banks->Open();
    EXPECT_EQ(banks->FieldByName("BANKDESC"), banks->FindField("bankdesc"));
    EXPECT_EQ(banks->FindField("Nothing"), nullptr);
    try {
        banks->FieldByName("Nothing");
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Field 'Nothing' not found");
    }
}

TEST_F(Fields, IndexReordersTheFieldList) {
    TTable* banks = NewTable("Pbanks");
    banks->Open();
    TField* desc = banks->FieldByName("BankDesc");
    desc->SetIndex(0);
    EXPECT_EQ(banks->Fields(0), desc);
    EXPECT_EQ(banks->Fields(1)->FieldName(), "BankCode");
    EXPECT_EQ(desc->Index(), 0);
    EXPECT_EQ(desc->AsString(), "First Bank") << "the values follow the field, not the position";
}

TEST_F(Fields, OnValidateRefusesAValueBeforeItIsStored) {
    TTable* banks = NewTable("Pbanks");
    banks->Open();
    TField* desc = banks->FieldByName("BankDesc");
    desc->OnValidate = [](TField& f) {
        if (f.AsString().isEmpty()) throw EDatabaseError("Name required");
    };
    banks->Edit();
    EXPECT_THROW(desc->Clear(), EDatabaseError);
    EXPECT_EQ(desc->AsString(), "First Bank");
    EXPECT_FALSE(banks->Modified());
}

TEST_F(Fields, IntegerRangeAndBooleanTexts) {
    using enum TFieldType;
    TTableDesc desc;
    desc.Name = "Options";
    desc.Columns = {Column("Small", ftSmallint), Column("Flag", ftBoolean)};
    Engine().CreateTable(desc);
    Engine().InsertRow("Options", {1, true});
    TTable* options = NewTable("Options");
    options->Open();
    options->Edit();
    EXPECT_THROW(options->FieldByName("Small")->SetAsInteger(40000), ERangeError);
    TField* flag = options->FieldByName("Flag");
    EXPECT_EQ(flag->AsString(), "True");
    flag->SetAsString("f");
    EXPECT_FALSE(flag->AsBoolean());
    EXPECT_THROW(flag->SetAsString("maybe"), EDatabaseError);
}

// Persistent fields made in code before open, as the data modules make them.
class PersistentFields : public Fields {
protected:
    void SetUp() override {
        Fields::SetUp();
        banks = NewTable("Pbanks");
        banks->Open();
        accounts = NewTable("BankAcnt");
        for (const char* name : {"BankAccountCode", "BankCode", "AccountName"}) {
            auto* field = new TStringField(&owner, 10);
            field->SetFieldName(QString::fromLatin1(name));
            field->SetDataSet(accounts);
        }
        auto* balance = new TFloatField(&owner);
        balance->SetFieldName("Balance");
        balance->SetDataSet(accounts);
        bankName = new TStringField(&owner, 30);
        bankName->SetFieldName("CalcBankName");
        bankName->SetFieldKind(fkLookup);
        bankName->SetLookupDataSet(banks);
        bankName->SetKeyFields("BankCode");
        bankName->SetLookupKeyFields("BankCode");
        bankName->SetLookupResultField("BankDesc");
        bankName->SetDataSet(accounts);
        doubled = new TFloatField(&owner);
        doubled->SetFieldName("Doubled");
        doubled->SetFieldKind(fkCalculated);
        doubled->SetDataSet(accounts);
        accounts->OnCalcFields = [this](TDataSet& d) {
            ++calcCalls;
            calcState = d.State();
            doubled->SetAsFloat(d.FieldByName("Balance")->AsFloat() * 2);
        };
    }
    TTable* banks = nullptr;
    TTable* accounts = nullptr;
    TStringField* bankName = nullptr;
    TFloatField* doubled = nullptr;
    int calcCalls = 0;
    TDataSetState calcState = dsInactive;
};

TEST_F(PersistentFields, LookupAndCalculatedFieldsFollowTheRecord) {
    accounts->Open();
    EXPECT_EQ(accounts->FieldCount(), 6);
    EXPECT_EQ(bankName->AsString(), "Second Bank");
    EXPECT_EQ(doubled->AsFloat(), 2469);
    EXPECT_EQ(calcState, dsCalcFields);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B1") << "the lookup table keeps its row";
    accounts->Next();
    EXPECT_EQ(bankName->AsString(), "") << "a code without a row shows an empty description";
    EXPECT_EQ(doubled->AsFloat(), -4);
    accounts->Edit();
    accounts->FieldByName("BankCode")->SetAsString("B1");
    EXPECT_EQ(bankName->AsString(), "First Bank") << "a changed key looks up again";
}

// Rows that name one lookup row show its description, and its description as
// it is now once the window is read again.
TEST_F(PersistentFields, RowsNamingOneLookupRowShowItsDescriptionAsItIsNow) {
    AddAccount("A3", "B2", "Current", 1);
    AddAccount("A4", "B1", "Loan", 1);
    accounts->Open();
    const auto names = [&] {
        QStringList shown;
        for (accounts->First(); !accounts->Eof(); accounts->Next()) shown << bankName->AsString();
        return shown;
    };
    EXPECT_EQ(names(), QStringList({"Second Bank", "", "Second Bank", "First Bank"}));
    ASSERT_TRUE(banks->Locate("BankCode", "B2", {}));
    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("Second Bank Ltd");
    banks->Post();
    accounts->Refresh();
    EXPECT_EQ(names(), QStringList({"Second Bank Ltd", "", "Second Bank Ltd", "First Bank"}));
}

TEST_F(PersistentFields, AutoCalcFieldsOffWaitsForThePost) {
    accounts->SetAutoCalcFields(false);
    accounts->Open();
    accounts->Edit();
    const int before = calcCalls;
    accounts->FieldByName("Balance")->SetAsFloat(1);
    EXPECT_EQ(calcCalls, before);
    accounts->Post();
    EXPECT_EQ(doubled->AsFloat(), 2);
}

TEST_F(PersistentFields, PersistentFieldsSurviveCloseAndAMissingColumnIsNamed) {
    accounts->Open();
    accounts->Close();
    EXPECT_EQ(accounts->FieldCount(), 6);
    accounts->Open();
    EXPECT_EQ(accounts->FieldByName("AccountName")->AsString(), "Savings");
    accounts->Close();
    auto* stray = new TStringField(&owner);
    stray->SetFieldName("NoSuchColumn");
    stray->SetDataSet(accounts);
    try {
        accounts->Open();
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_EQ(e.Message, "Field 'NoSuchColumn' not found");
    }
    EXPECT_FALSE(accounts->Active());
}

} // namespace
