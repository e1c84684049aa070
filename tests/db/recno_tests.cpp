// SetRecNo far from the current record, as a grid's scroll-bar thumb asks
// for it: the row it lands on in each kind of view, and what it tells.
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/query.h"
#include "tests/db/db_test_env.h"
#include "tests/support/qt_print.h"

namespace {

class WindowLink : public TDataLink {
public:
    QStringList* log = nullptr;

protected:
    void DataSetChanged() override { *log << QStringLiteral("Changed"); }
    void DataSetScrolled(int distance) override { *log << QStringLiteral("Scrolled:%1").arg(distance); }
};

class RecNoJumps : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        CreateAccounts();
        CreateTransactions();
        Engine().StartTransaction();
        for (int i = 0; i < 200; ++i) AddBank(QString::asprintf("B%03d", i), QString::asprintf("Bank %d", i));
        for (const char* account : {"A1", "A2", "A3"}) {
            AddAccount(account, "B000", account);
            for (int i = 0; i < 60; ++i)
                AddTransaction(account, QString::asprintf("%s-%02d", account, i), QDate(2001, 1, 1).addDays((i * 7) % 60), i);
        }
        Engine().Commit();
        banks = NewTable("Pbanks");
        Show(banks);
    }

    // A grid's window of ten records on the dataset, so that far jumps leave it.
    void Show(TDataSet* dataSet) {
        source.SetDataSet(dataSet);
        grid.log = &log;
        grid.SetBufferCount(10);
        grid.SetDataSource(&source);
    }

    QString Code(TDataSet* dataSet, const char* field = "BankCode") { return dataSet->FieldByName(field)->AsString(); }

    TTable* banks = nullptr;
    TDataSource source{&owner};
    WindowLink grid;
    QStringList log;
};

TEST_F(RecNoJumps, LandsOnTheRowInIndexOrderWithTheScrollEvents) {
    banks->SetIndexName("ByCodeDesc");
    banks->Open();
    banks->BeforeScroll = [this](TDataSet& d) { log << "BeforeScroll:" + Code(&d); };
    banks->AfterScroll = [this](TDataSet& d) { log << "AfterScroll:" + Code(&d); };
    banks->BeforePost = [this](TDataSet&) { log << QStringLiteral("BeforePost"); };
    banks->Edit();
    banks->FieldByName("BankDesc")->SetAsString("Renamed");
    log.clear();

    banks->SetRecNo(150);
    EXPECT_EQ(log, QStringList({"BeforePost", "Changed", "BeforeScroll:B199", "Changed", "AfterScroll:B050"}))
        << "the pending edit is posted first";
    EXPECT_EQ(banks->State(), dsBrowse);
    EXPECT_EQ(Count("select count(*) from Pbanks where BankDesc = 'Renamed' and BankCode = 'B199'"), 1);
    EXPECT_EQ(banks->RecNo(), 150);
    EXPECT_EQ(grid.ActiveRecord(), 4) << "the row in the middle of the window";
    grid.SetActiveRecord(0);
    EXPECT_EQ(Code(banks), "B054");
    grid.SetActiveRecord(9);
    EXPECT_EQ(Code(banks), "B045");
    grid.SetActiveRecord(4);

    banks->SetRecNo(1);
    EXPECT_EQ(Code(banks), "B199");
    banks->SetRecNo(200);
    EXPECT_EQ(Code(banks), "B000");
    banks->SetRecNo(20);
    banks->SetRecNo(500);
    EXPECT_EQ(Code(banks), "B000") << "past the end: the last row";
    EXPECT_EQ(banks->RecNo(), 200);
    banks->SetRecNo(-3);
    EXPECT_EQ(Code(banks), "B199") << "before the start: the first row";
    EXPECT_EQ(banks->RecNo(), 1);
}

TEST_F(RecNoJumps, CountsWithinARangeAndUnderTheMaster) {
    banks->Open();
    banks->SetRange({"B050"}, {"B149"});
    banks->SetRecNo(60);
    EXPECT_EQ(Code(banks), "B109");
    banks->SetRecNo(101);
    EXPECT_EQ(Code(banks), "B149") << "past the range's end: its last row";

    TTable* accounts = NewTable("BankAcnt");
    TDataSource masterSource(&owner);
    masterSource.SetDataSet(accounts);
    TTable* transactions = NewTable("TrnBnk1a");
    transactions->SetIndexName("ByDate");
    transactions->SetMasterSource(&masterSource);
    transactions->SetMasterFields("BankAccountCode");
    Show(transactions);
    accounts->Open();
    transactions->Open();
    accounts->Next();
    QStringList walked = Walk(*transactions, "BankTranSerialNum");
    ASSERT_EQ(walked.size(), 60);
    transactions->First();
    for (const int recNo : {40, 60, 12, 1}) {
        transactions->SetRecNo(recNo);
        EXPECT_EQ(Code(transactions, "BankTranSerialNum"), walked[recNo - 1]) << recNo;
        EXPECT_EQ(transactions->RecNo(), recNo);
    }
}

// Another table component inserts a row among the rows this one has read and
// stands beside: each row is numbered, and SetRecNo lands, as a fresh walk of
// the table says, not one place short from the neighbour read before.
TEST_F(RecNoJumps, NumbersAsAFreshWalkAfterAnotherComponentInsertsBesideIt) {
    TTable* writer = NewTable("Pbanks");
    TTable* fresh = NewTable("Pbanks");
    writer->Open();
    fresh->Open();
    const auto insert = [&](const char* code) {
        writer->Insert();
        writer->FieldByName("BankCode")->SetAsString(code);
        writer->Post();
        return Walk(*fresh, "BankCode");
    };
    banks->Open();
    banks->MoveBy(9);
    ASSERT_EQ(banks->RecNo(), 10);
    banks->Next();   // the window scrolls onto B010, not yet numbered

    QStringList walked = insert("B0095");
    ASSERT_EQ(walked.indexOf("B010"), 11);
    for (int i = 0; i < 15; ++i, banks->Next())
        EXPECT_EQ(banks->RecNo(), walked.indexOf(Code(banks)) + 1) << Code(banks).toStdString();

    ASSERT_EQ(Code(banks), "B025");
    walked = insert("B0245");
    const int b025 = walked.indexOf("B025") + 1;
    for (const int recNo : {b025, b025 - 3, b025 + 4, 2}) {
        banks->SetRecNo(recNo);
        EXPECT_EQ(Code(banks).toStdString(), walked[recNo - 1].toStdString()) << recNo;
        EXPECT_EQ(banks->RecNo(), recNo);
    }
}

TEST_F(RecNoJumps, AFilteredTableStillLandsOnTheNthRowShown) {
    banks->OnFilterRecord = [](TDataSet& d, bool& accept) {
        accept = d.FieldByName("BankCode")->AsString().mid(1).toInt() % 2 == 0;
    };
    banks->SetFiltered(true);
    banks->Open();
    banks->SetRecNo(30);
    EXPECT_EQ(Code(banks), "B058");
    banks->SetRecNo(80);
    EXPECT_EQ(Code(banks), "B158");
    banks->SetRecNo(12);
    EXPECT_EQ(Code(banks), "B022");
    banks->SetRecNo(300);
    EXPECT_EQ(Code(banks), "B198");
}

TEST_F(RecNoJumps, AQueryAnswerLandsOnItsNthRow) {
    auto* query = new TQuery(&owner);
    query->SetDatabaseName("TestDb");
    query->SQL()->Add("select BankCode from Pbanks where BankCode >= 'B020' order by BankCode desc");
    Show(query);
    query->Open();
    query->SetRecNo(100);
    EXPECT_EQ(Code(query), "B100");
    EXPECT_EQ(query->RecNo(), 100);
    query->SetRecNo(180);
    EXPECT_EQ(Code(query), "B020");
    query->SetRecNo(50);
    query->SetRecNo(1000);
    EXPECT_EQ(Code(query), "B020") << "past the end: the last row";
    query->SetRecNo(0);
    EXPECT_EQ(Code(query), "B199");
}

}  // namespace
