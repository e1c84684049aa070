#include "dataset/control_type_settings.h"
#include "dataset/field_text.h"
#include "dataset/mask_settings.h"
#include "dataset/property_reflection.h"
#include "dataset/intl.h"
#include "dataset/ww_query.h"
#include "tests/dataset/dataset_fixture.h"
#include "tests/support/qt_print.h"
#include <QObject>

namespace {

// A dataset class of no library that publishes ControlType itself.
class TForeignDataSet : public TDataSet {
    Q_OBJECT
    Q_PROPERTY(TStrings* ControlType READ ControlType)
public:
    TStrings* ControlType() const { return published_ ? &controlType_ : nullptr; }
    void Publish(bool published) { published_ = published; }

protected:
    std::unique_ptr<TEngineCursor> CreateHandle() override { return nullptr; }

private:
    mutable TStringList controlType_;
    bool published_ = false;
};

}  // namespace

using FieldSettings = DatasetTest;

TEST_F(FieldSettings, PictureMaskLinesReadByFieldWithOnlyUpperTAsTrue)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("bankdesc"), QStringLiteral("&&"), "t", "F"));
    table.PictureMasks()->Add(MaskLine(QStringLiteral("BankDesc"), QStringLiteral("##")));

    const TFieldPictureMask mask = GetFieldPictureMask(&table, QStringLiteral("BANKDESC"));
    EXPECT_EQ(mask.Mask, QStringLiteral("&&"));   // the first line of the field, any case
    EXPECT_FALSE(mask.AutoFill);
    EXPECT_FALSE(mask.UseMask);

    const TFieldPictureMask none = GetFieldPictureMask(&table, QStringLiteral("City"));
    EXPECT_TRUE(none.Mask.isEmpty());
    EXPECT_TRUE(none.AutoFill);
    EXPECT_TRUE(none.UseMask);
}

TEST_F(FieldSettings, MasksApplyToTextFieldsOnly)
{
    TwwTable& table = OpenBanks();
    table.PictureMasks()->Add(MaskLine(QStringLiteral("Opened")));
    table.PictureMasks()->Add(MaskLine(QStringLiteral("Branches"), QStringLiteral("###")));
    EXPECT_TRUE(GetFieldPictureMask(&table, QStringLiteral("Opened")).Mask.isEmpty());
    EXPECT_TRUE(GetFieldPictureMask(&table, QStringLiteral("Branches")).Mask.isEmpty());
}

TEST_F(FieldSettings, SettingAMaskReplacesOnlyWhatIsAskedAndAnEmptyMaskDeletesTheLine)
{
    TwwTable& table = OpenBanks();
    TStrings& masks = *table.PictureMasks();
    masks.Add(MaskLine(QStringLiteral("City"), QStringLiteral("&&"), "F", "T"));

    SetFieldPictureMask(&table, QStringLiteral("CITY"), QStringLiteral("##"), true, false, true, false, true);
    ASSERT_EQ(masks.Count(), 1);
    EXPECT_EQ(masks[0], QStringLiteral("CITY\t##\tF\tF"));

    SetFieldPictureMask(&table, QStringLiteral("BankDesc"), QString(), true, true, true, true, true);
    EXPECT_EQ(masks.Count(), 1);   // no line, no mask: nothing changes

    SetFieldPictureMask(&table, QStringLiteral("BankDesc"), QStringLiteral("!"), true, false, true, true, true);
    ASSERT_EQ(masks.Count(), 2);
    EXPECT_EQ(masks[1], QStringLiteral("BankDesc\t!\tT\tF"));

    SetFieldPictureMask(&table, QStringLiteral("city"), QString(), true, true, true, true, true);
    ASSERT_EQ(masks.Count(), 1);
    EXPECT_TRUE(masks[0].startsWith(QStringLiteral("BankDesc")));
}

TEST_F(FieldSettings, PropertiesAreReadByNameAndAMissingOneIsToldFromAnEmptyOne)
{
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    TStrings* masks = GetDataSetPictureMasks(&table);
    ASSERT_NE(masks, nullptr);
    EXPECT_EQ(masks->Count(), 0);
    masks->Add(QStringLiteral("BankDesc\t&"));   // changed in place
    EXPECT_EQ(table.PictureMasks()->Count(), 1);
    EXPECT_TRUE(GetDataSetValidateWithMask(&table));
    EXPECT_EQ(GetDataSetDatabaseName(&table), QString::fromLatin1(kDatabase));
    EXPECT_EQ(GetFilterOptions(&table), DefaultFilterOptions);
    SetFilterOptionEnabled(&table, false);
    EXPECT_EQ(GetFilterOptions(&table), ofoShowHourGlass);

    TTable plain;
    EXPECT_EQ(GetDataSetPictureMasks(&plain), nullptr);
    EXPECT_EQ(GetDataSetControlType(&plain), nullptr);
    EXPECT_FALSE(GetDataSetValidateWithMask(&plain));
    EXPECT_FALSE(GetDataSetOnInvalidValue(&plain));
    EXPECT_EQ(GetFilterOptions(&plain), 0);
    EXPECT_EQ(GetDataSetLookupTables(&plain), nullptr);
    EXPECT_NE(GetDataSetLookupTables(&table), nullptr);
}

TEST_F(FieldSettings, LibraryDataSetsAreKnownByClassOrByAPublishedControlType)
{
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    TwwQuery query;
    TTable plain;
    TForeignDataSet foreign;
    EXPECT_TRUE(IsWwDataSet(&table));
    EXPECT_TRUE(IsWwDataSet(&query));
    EXPECT_FALSE(IsWwDataSet(&plain));
    EXPECT_FALSE(IsWwDataSet(nullptr));
    EXPECT_FALSE(IsWwDataSet(&foreign));
    foreign.Publish(true);
    EXPECT_TRUE(IsWwDataSet(&foreign));
    EXPECT_TRUE(InheritsFromClassName(table.metaObject(), QStringLiteral("ttable")));
}

TEST_F(FieldSettings, TheLastControlTypeLineOfAFieldWinsAndNamesCompareWithCase)
{
    TwwTable& table = NewTable(QStringLiteral("Banks"));
    table.ControlType()->Add(QStringLiteral("Active;CheckBox;Yes;No"));
    table.ControlType()->Add(QStringLiteral("CalcBankName;CustomEdit;LupBanks"));
    table.ControlType()->Add(QStringLiteral("CalcBankName;LookupCombo;ADm1.LupBanks"));
    QString type, parameters;
    ASSERT_TRUE(GetFieldControlType(&table, QStringLiteral("CalcBankName"), type, parameters));
    EXPECT_EQ(type, QStringLiteral("LookupCombo"));
    EXPECT_EQ(parameters, QStringLiteral("ADm1.LupBanks"));
    ASSERT_TRUE(GetFieldControlType(&table, QStringLiteral("Active"), type, parameters));
    EXPECT_EQ(parameters, QStringLiteral("Yes;No"));
    EXPECT_FALSE(GetFieldControlType(&table, QStringLiteral("calcbankname"), type, parameters));
    EXPECT_TRUE(IsCustomEditControlType(QStringLiteral("lookupcombo")));
    EXPECT_FALSE(IsCustomEditControlType(QStringLiteral("CheckBox")));
}

TEST_F(FieldSettings, DefinitionsOfMissingFieldsGoWithTheirLinkLines)
{
    TwwTable& table = OpenBanks();
    TStringList lookupFields{QStringLiteral("Gone;Db;T;F;I"), QStringLiteral("City;Db;T;F;I")};
    TStringList lookupLinks{QStringLiteral("Gone;X"), QStringLiteral("City;Y")};
    TStringList controlType{QStringLiteral("City;Combo;X"), QStringLiteral("Missing;Combo;Y")};
    RemoveDefinitionsOfMissingFields(&table, &lookupFields, &lookupLinks, &controlType);
    EXPECT_EQ(lookupFields.ToQStringList(), QStringList{QStringLiteral("City;Db;T;F;I")});
    EXPECT_EQ(lookupLinks.ToQStringList(), QStringList{QStringLiteral("City;Y")});
    EXPECT_EQ(controlType.ToQStringList(), QStringList{QStringLiteral("City;Combo;X")});
}

TEST_F(FieldSettings, SelectedLinesOrderLabelAndShowTheFields)
{
    TwwTable& table = OpenBanks();
    TStringList selected{QStringLiteral("BankDesc\t25\tBank Name"), QStringLiteral("Missing\t5\tGone"),
                         QStringLiteral("Balance\t12\tMoney"), QStringLiteral("City\tx\tNo width"),
                         QStringLiteral("Branches\t4")};
    ApplySelectedToFields(table, selected);

    EXPECT_FALSE(table.ControlsDisabled());
    const TField& desc = *table.FieldByName(QStringLiteral("BankDesc"));
    const TField& balance = *table.FieldByName(QStringLiteral("Balance"));
    EXPECT_EQ(desc.Index(), 0);
    EXPECT_EQ(balance.Index(), 2);   // line numbers count the missing field's line
    EXPECT_EQ(desc.DisplayWidth(), 25);
    EXPECT_EQ(balance.DisplayLabel(), QStringLiteral("Money"));
    EXPECT_TRUE(desc.Visible());
    EXPECT_FALSE(table.FieldByName(QStringLiteral("City"))->Visible());       // width is no number
    EXPECT_FALSE(table.FieldByName(QStringLiteral("Branches"))->Visible());   // two parts only
    EXPECT_FALSE(table.FieldByName(QStringLiteral("BankCode"))->Visible());

    // Written back: the visible fields in field order, as the grid saves them.
    TStringList written;
    BuildSelectedFromFields(&table, written);
    EXPECT_EQ(written.ToQStringList(),
              (QStringList{QStringLiteral("BankDesc\t25\tBank Name"), QStringLiteral("Balance\t12\tMoney")}));
    int line = -1;
    EXPECT_TRUE(FindSelectedLine(&written, QStringLiteral("balance"), line));
    EXPECT_EQ(line, 1);
    EXPECT_FALSE(FindSelectedLine(nullptr, QStringLiteral("Balance"), line));
}

TEST_F(FieldSettings, AControlFailingAtTheNewLayoutStillGetsItsDatasetEnabled)
{
    TwwTable& table = OpenBanks();
    TDataSource source;
    source.SetDataSet(&table);
    int changes = 0;
    source.OnDataChange = [&](TDataSource&, TField*) {
        if (++changes == 1) throw EDatabaseError(QStringLiteral("control failed"));
    };
    TStringList selected{QStringLiteral("City\t20\tTown")};
    EXPECT_THROW(ApplySelectedToFields(table, selected), EDatabaseError);
    EXPECT_FALSE(table.ControlsDisabled());
    EXPECT_TRUE(table.FieldByName(QStringLiteral("City"))->Visible());
}

TEST_F(FieldSettings, SearchTextMustBeAValueOfTheFieldsType)
{
    TwwTable& table = OpenBanks();
    const TField* branches = table.FieldByName(QStringLiteral("Branches"));
    EXPECT_FALSE(IsValidFieldSearchText(branches, QString()));
    EXPECT_TRUE(IsValidFieldText(*branches, QString()));
    EXPECT_FALSE(IsValidFieldSearchText(branches, QStringLiteral("12x")));
    EXPECT_TRUE(IsValidFieldSearchText(table.FieldByName(QStringLiteral("City")), QString()));
    EXPECT_FALSE(IsValidFieldSearchText(nullptr, QStringLiteral("a")));
    EXPECT_FALSE(IsValidFieldText(*table.FieldByName(QStringLiteral("Opened")), QStringLiteral("13/45/1999")));
}

#include "dataset_settings_tests.moc"
