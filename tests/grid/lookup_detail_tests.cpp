// Lookup tables that are no plain reference tables: a detail of the record
// the combo edits, and query answers.
#include "dataset/ww_query.h"
#include "platform/db/fields.h"
#include "platform/db/memory_cursor.h"
#include "tests/grid/lookup_fixture.h"

namespace {

// The items as a query answer that carries an index on the description
// (case-insensitive) and on the code, as an answer table of an engine that
// keeps indexes would.
class TIndexedItemsQuery : public TwwQuery {
public:
    using TwwQuery::TwwQuery;

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override
    {
        using enum TFieldType;
        TTableDesc desc;
        desc.Name = QStringLiteral("Answer");
        desc.Columns = {{QStringLiteral("BankItemDesc"), ftString, 50}, {QStringLiteral("BankItemCode"), ftString, 3}};
        desc.Indexes = {{QString(), {QStringLiteral("BankItemCode")}, true, true},
                        {QStringLiteral("ByDesc"), {QStringLiteral("BankItemDesc")}, false, false, true}};
        return std::make_unique<TMemoryCursor>(
            desc, std::vector<TRecordValues>{{QStringLiteral("Rates"), QStringLiteral("002")},
                                             {QStringLiteral("SALARY"), QStringLiteral("004")}});
    }
};

// Closes the form (and the combo on it) before the tables the test made go.
struct TFormFirst {
    std::unique_ptr<TForm>& Form;
    ~TFormFirst() { Form.reset(); }
};

}  // namespace

// The accounts of one bank: the lookup table is a detail of the very records
// the combo edits, so it follows each new record only after the combo has
// heard of it. The combo waits for it instead of looking the code up among
// the last record's rows, and shows the new record's item once it has.
TEST_F(LookupTest, ADetailLookupTableIsReadOnceItHasFollowedTheRecord)
{
    // The combo hears of a new record before the detail table does.
    combo->SetDataSource(transSource.get());
    combo->SetDataField(QStringLiteral("BankItemCode"));
    TwwTable detail;
    detail.SetDatabaseName(items->DatabaseName());
    detail.SetTableName(QStringLiteral("BankItm"));
    detail.SetMasterSource(transSource.get());
    detail.SetMasterFields(QStringLiteral("BankItemCode"));
    detail.Open();
    const TFormFirst formFirst{form};
    BindLookup(&detail, QStringLiteral("BankItemCode"), QStringLiteral("BankItemDesc\t30\tItem Desc"));
    ShowForm();
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));

    trans->Next();
    EXPECT_EQ(detail.RecordCount(), 1);
    EXPECT_EQ(combo->Text(), QStringLiteral("Salary"));
    trans->Prior();
    EXPECT_EQ(combo->Text(), QStringLiteral("Bank charges"));
    // The combo's own search moves the detail table; that is no new master.
    trans->Edit();
    trans->FieldByName(QStringLiteral("BankItemCode"))->SetAsString(QStringLiteral("009"));
    EXPECT_EQ(combo->Text(), QString());
    EXPECT_TRUE(presenter.shown.empty());

    // A detail that is no library table cannot be followed: the list says so.
    trans->Cancel();
    TTable plain;
    plain.SetDatabaseName(items->DatabaseName());
    plain.SetTableName(QStringLiteral("BankItm"));
    plain.SetMasterSource(transSource.get());
    plain.SetMasterFields(QStringLiteral("BankItemCode"));
    plain.Open();
    const TFormFirst formGoesFirst{form};
    combo->SetLookupTable(&plain);
    presenter.shown.clear();
    trans->Next();
    ASSERT_FALSE(presenter.shown.empty());
    EXPECT_EQ(presenter.LastText(),
              QStringLiteral("LookupTable on a detail table is only supported when using a TwwTable as the LookupTable!"));
}

// A query answer is searched without regard to case only where one of its
// indexes orders the searched field so; the names may be written in any case.
TEST_F(LookupTest, AQueryLookupIgnoresCaseOnlyWhereAnIndexServesTheSearch)
{
    TIndexedItemsQuery indexed;
    indexed.SetDatabaseName(items->DatabaseName());
    indexed.SQL()->Add(QStringLiteral("select * from BankItm"));
    indexed.Open();
    EXPECT_TRUE(FieldsMapToIndex(indexed, QStringLiteral("bankitemdesc"), false));
    EXPECT_FALSE(FieldsMapToIndex(indexed, QStringLiteral("bankitemdesc"), true));
    EXPECT_TRUE(FieldsMapToIndex(indexed, QStringLiteral("BANKITEMCODE"), true));
    EXPECT_FALSE(FieldsMapToIndex(indexed, QStringLiteral("BankItemCode;BankItemDesc"), true));
    EXPECT_FALSE(FieldsMapToIndex(indexed, QStringLiteral("NoSuchField"), false));

    TwwQuery plain;
    plain.SetDatabaseName(items->DatabaseName());
    plain.SQL()->Add(QStringLiteral("select * from BankItm"));
    plain.Open();
    const TFormFirst formFirst{form};
    EXPECT_FALSE(FieldsMapToIndex(plain, QStringLiteral("BankItemDesc"), false));

    TStringList selected;
    selected.Add(QStringLiteral("BankItemDesc\t30\tItem Desc"));
    combo->SetSelected(&selected);
    combo->SetLookupField(QStringLiteral("BankItemCode"));
    combo->SetLookupTable(&indexed);
    ShowForm();
    combo->SetText(QStringLiteral("sal"));
    combo->PerformSearch();
    EXPECT_TRUE(combo->Found());
    EXPECT_EQ(indexed.FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("004"));

    combo->SetLookupTable(&plain);
    combo->SetText(QStringLiteral("sa"));
    combo->PerformSearch();
    EXPECT_FALSE(combo->Found());
    combo->SetText(QStringLiteral("Sal"));
    combo->PerformSearch();
    EXPECT_TRUE(combo->Found());
    EXPECT_EQ(plain.FieldByName(QStringLiteral("BankItemCode"))->AsString(), QStringLiteral("004"));
}

// Items kept per group, their lookup table a detail of the groups table: the
// combo picks an item of the group the groups table stands on. The record's
// item is written; its group, which the groups table supplies to the lookup
// table, is the record's own and stays.
TEST_F(LookupTest, PickingFromADetailLookupTableWritesOnlyTheLinksAfterTheMaster)
{
    using enum TFieldType;
    TEngineDatabase& engine = Session().FindDatabase(items->DatabaseName())->EngineDatabase();
    engine.CreateTable({QStringLiteral("Groups"), {{QStringLiteral("GroupCode"), ftString, 3}},
                        {{QString(), {QStringLiteral("GroupCode")}, true, true}}, {}});
    for (const char* group : {"A", "B"}) engine.InsertRow(QStringLiteral("Groups"), {QString::fromLatin1(group)});
    engine.CreateTable({QStringLiteral("GrpItm"),
                        {{QStringLiteral("GroupCode"), ftString, 3},
                         {QStringLiteral("ItemCode"), ftString, 3},
                         {QStringLiteral("ItemDesc"), ftString, 30}},
                        {{QString(), {QStringLiteral("GroupCode"), QStringLiteral("ItemCode")}, true, true}}, {}});
    const char* const itemRows[][3] = {{"A", "001", "Rent"}, {"B", "001", "Rates"}, {"B", "002", "Repairs"}};
    for (const auto& row : itemRows)
        engine.InsertRow(QStringLiteral("GrpItm"), {QString::fromLatin1(row[0]), QString::fromLatin1(row[1]),
                                                    QString::fromLatin1(row[2])});
    engine.CreateTable({QStringLiteral("GrpTrn"),
                        {{QStringLiteral("TranCode"), ftString, 10},
                         {QStringLiteral("GroupCode"), ftString, 3},
                         {QStringLiteral("ItemCode"), ftString, 3}},
                        {{QString(), {QStringLiteral("TranCode")}, true, true}}, {}});
    engine.InsertRow(QStringLiteral("GrpTrn"),
                     {QStringLiteral("0000000001"), QStringLiteral("A"), QStringLiteral("001")});

    const auto open = [&](TwwTable& table, const char* name) {
        table.SetDatabaseName(items->DatabaseName());
        table.SetTableName(QString::fromLatin1(name));
    };
    TwwTable groups;
    open(groups, "Groups");
    groups.Open();
    TwwDataSource groupsSource;
    groupsSource.SetDataSet(&groups);
    TwwTable groupItems;
    open(groupItems, "GrpItm");
    groupItems.SetMasterSource(&groupsSource);
    groupItems.SetMasterFields(QStringLiteral("GroupCode"));
    groupItems.Open();

    TwwTable records;
    open(records, "GrpTrn");
    for (const char* name : {"TranCode", "GroupCode", "ItemCode"}) {
        auto* field = new TStringField(&records, 10);
        field->SetFieldName(QString::fromLatin1(name));
        field->SetDataSet(&records);
    }
    auto* description = new TStringField(&records, 30);
    description->SetFieldName(QStringLiteral("ItemDesc"));
    description->SetFieldKind(fkLookup);
    description->SetLookupDataSet(&groupItems);
    description->SetKeyFields(QStringLiteral("GroupCode;ItemCode"));
    description->SetLookupKeyFields(QStringLiteral("GroupCode;ItemCode"));
    description->SetLookupResultField(QStringLiteral("ItemDesc"));
    description->SetDataSet(&records);
    records.Open();
    TwwDataSource recordsSource;
    recordsSource.SetDataSet(&records);
    const TFormFirst formFirst{form};

    // The groups table stands on B; the record is of group A.
    ASSERT_TRUE(groups.Locate(QStringLiteral("GroupCode"), QStringLiteral("B")));
    combo->SetStyle(csDropDownList);
    combo->SetAutoDropDown(true);
    BindLookup(&groupItems, QStringLiteral("GroupCode;ItemCode"), QStringLiteral("ItemDesc\t30\tItem"));
    combo->SetDataSource(&recordsSource);
    combo->SetDataField(QStringLiteral("ItemDesc"));
    ShowForm();

    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(combo->IsDroppedDown());
    TwwPopupGrid& list = *combo->Grid();
    ASSERT_TRUE(groupItems.Locate(QStringLiteral("ItemDesc"), QStringLiteral("Repairs")));
    const int row = list.TitleRows() + list.DataLink().ActiveRecord();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CellRect(0, row).center());
    EXPECT_FALSE(combo->IsDroppedDown());
    ASSERT_EQ(records.State(), dsEdit);
    records.Post();

    const auto stored = engine.Query(QStringLiteral("select GroupCode, ItemCode from GrpTrn"));
    ASSERT_TRUE(stored->Next());
    EXPECT_EQ(stored->Value(0).toString(), QStringLiteral("A"));
    EXPECT_EQ(stored->Value(1).toString(), QStringLiteral("002"));
    EXPECT_TRUE(presenter.shown.empty());
}
