// Locate, Lookup, filters, bookmarks and record numbers.
#include "tests/db/db_test_env.h"

namespace {

class Locating : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        CreateBanks();
        AddBank("B1", "Alpha Bank");
        AddBank("B2", "beta bank");
        AddBank("B3", "Ærø Bank", QDate(2000, 1, 1));
        AddBank("B4", "Gamma");
        banks = NewTable("Pbanks");
        banks->Open();
    }
    TTable* banks = nullptr;
};

TEST_F(Locating, LocatePartialAndCaseInsensitive) {
    EXPECT_FALSE(banks->Locate("BankDesc", "Beta Bank"));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B1") << "a failed Locate does not move";
    EXPECT_TRUE(banks->Locate("BankDesc", "Beta Bank", loCaseInsensitive));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B2");
    EXPECT_TRUE(banks->Locate("bankdesc", "ærø", loCaseInsensitive | loPartialKey));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B3");
    EXPECT_FALSE(banks->Locate("BankDesc", "ærø", loPartialKey));
    EXPECT_TRUE(banks->Locate("Opened", QDate(2000, 1, 1)));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B3");
    EXPECT_TRUE(banks->Locate("BankCode;BankDesc", QVariantList{"B4", "Gamma"}));
    EXPECT_EQ(banks->RecNo(), 4);
}

TEST_F(Locating, LookupLeavesTheRecordWhereItIs) {
    banks->Next();
    EXPECT_EQ(banks->Lookup("BankCode", "B4", "BankDesc").toString(), "Gamma");
    EXPECT_TRUE(banks->Lookup("BankCode", "B9", "BankDesc").isNull());
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B2");
    banks->Next();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B3") << "the next row after a lookup moved the cursor";
}

TEST_F(Locating, FilteredWalkingSkipsRefusedRows) {
    int calls = 0;
    banks->OnFilterRecord = [&](TDataSet& d, bool& accept) {
        ++calls;
        EXPECT_EQ(d.State(), dsFilter);
        accept = d.FieldByName("BankDesc")->AsString().contains("Bank", Qt::CaseInsensitive);
    };
    banks->SetFiltered(true);
    EXPECT_GT(calls, 0);
    EXPECT_FALSE(banks->IsSequenced());
    EXPECT_EQ(Walk(*banks, "BankCode"), QStringList({"B1", "B2", "B3"}));
    banks->Last();
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B3");
    EXPECT_FALSE(banks->Locate("BankCode", "B4"));
    banks->SetFiltered(false);
    EXPECT_EQ(Walk(*banks, "BankCode").size(), 4);
}

TEST_F(Locating, BookmarksGoBackAndCompareInOrder) {
    banks->Next();
    const TBookmark second = banks->GetBookmark();
    banks->Last();
    const TBookmark last = banks->GetBookmark();
    EXPECT_LT(banks->CompareBookmarks(second, last), 0);
    EXPECT_EQ(banks->CompareBookmarks(last, last), 0);
    banks->GotoBookmark(second);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B2");
    banks->Delete();
    EXPECT_FALSE(banks->BookmarkValid(second));
    EXPECT_TRUE(banks->BookmarkValid(last));
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B3") << "a deleted row gives way to the next";
}

TEST_F(Locating, RecordCountAndRecNoFollowTheView) {
    EXPECT_EQ(banks->RecordCount(), 4);
    banks->Last();
    EXPECT_EQ(banks->RecNo(), 4);
    banks->SetRecNo(2);
    EXPECT_EQ(banks->FieldByName("BankCode")->AsString(), "B2");
    banks->SetRange({"B2"}, {"B3"});
    EXPECT_EQ(banks->RecordCount(), 2);
    EXPECT_EQ(banks->RecNo(), 1);
}

} // namespace
