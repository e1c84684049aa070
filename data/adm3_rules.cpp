#include "data/adm3_rules.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/adm3_entry_rules.h"
#include "data/adm3_period_fields.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"

namespace {

using enum TStartValueKind;

constexpr TStartValue AssetAmountStart[] = {{"AssetAmount", Number}};
constexpr TStartValue DoubleAccountStart[] = {{"DebitCredit", Text, 0, "D"}, {"DoubleType", Text, 0, "B"}};
constexpr TStartValue DoubleAmountStart[] = {{"Amount", Number}, {"TransactionDate", Today}};

constexpr TRecordCodeRule Adm3Rules[] = {
    {.Component = "TblAsset1a", .Table = "TRNAST1A", .CodeField = "AssetCode", .Format = "%.10d"},
    {.Component = "TblAsset1b", .Table = "TRNAST1B", .CodeField = "AssetTranSerialNum", .Format = "%.10d",
     .ParentField = "AssetCode", .ParentComponent = "TblAsset1a", .StartValues = AssetAmountStart},
    {.Component = "TblDbl1a", .Table = "TRNDBL1A", .CodeField = "DoubleCode", .Format = "%.10d"},
    {.Component = "TblDbl1b", .Table = "TRNDBL1B", .CodeField = "DoubleAccountNum", .Format = "%.0d",
     .ParentField = "DoubleCode", .ParentComponent = "TblDbl1a", .StartValues = DoubleAccountStart},
    {.Component = "TblDbl1c", .Table = "TRNDBL1C", .CodeField = "DoubleSerialNum", .Format = "%.0d",
     .ParentField = "DoubleCode", .ParentComponent = "TblDbl1a", .StartValues = DoubleAmountStart},
};

TwwTable* Table(const TADm3& dm, const char* component) {
    return qobject_cast<TwwTable*>(dm.FindComponent(QString::fromLatin1(component)));
}

void AttachRecordCodes(TADm3& dm) {
    for (const TRecordCodeRule& rule : Adm3Rules) {
        const TDataSet* parent = *rule.ParentComponent ? Table(dm, rule.ParentComponent) : nullptr;
        Table(dm, rule.Component)->OnNewRecord = [&dm, &rule, parent](TDataSet& dataSet) {
            AssignRecordCode(dataSet, *dm.QryRT, rule, parent);
        };
    }
}

void AttachAssetRules(TADm3& dm) {
    dm.TblAsset1a->BeforeDelete = [&dm](TDataSet& dataSet) { TblAsset1aBeforeDelete(dm, dataSet); };
    dm.TblAsset1a->BeforePost = TblAsset1aBeforePost;
    dm.TblAsset1b->BeforeDelete = TblAsset1bBeforeDelete;
    dm.TblAsset1b->BeforePost = TblAsset1bBeforePost;
}

void AttachMultipleEntryRules(TADm3& dm, TADm1& dm1) {
    dm.TblDbl1a->BeforeDelete = [&dm](TDataSet& dataSet) { TblDbl1aBeforeDelete(dm, dataSet); };
    dm.TblDbl1a->BeforeEdit = TblDbl1aBeforeEdit;
    dm.TblDbl1a->BeforePost = TblDbl1aBeforePost;

    const auto approvalLock = [&dm](TDataSet&) { TblDbl1bApprovalLock(dm); };
    dm.TblDbl1b->BeforeDelete = [&dm](TDataSet& dataSet) { TblDbl1bBeforeDelete(dm, dataSet); };
    dm.TblDbl1b->BeforeEdit = approvalLock;
    dm.TblDbl1b->BeforePost = [&dm](TDataSet& dataSet) { TblDbl1bBeforePost(dm, dataSet); };

    dm.TblDbl1c->BeforeDelete = [&dm1](TDataSet& dataSet) { TblDbl1cBeforeDelete(dm1, dataSet); };
    dm.TblDbl1c->BeforeEdit = [&dm1](TDataSet& dataSet) { TblDbl1cBeforeEdit(dm1, dataSet); };
    dm.TblDbl1c->BeforePost = [&dm1](TDataSet& dataSet) { TblDbl1cBeforePost(dm1, dataSet); };
    // The summaries are out of date once an amount is stored, not before.
    dm.TblDbl1c->AfterPost = [&dm1](TDataSet&) { dm1.SetDataUpdated(true); };
}

void AttachPeriodRules(TADm3& dm, TADm1& dm1) {
    dm.TblTelPaid->BeforePost = TblTelPaidBeforePost;
    dm.TblTelPaid->OnCalcFields = TblTelPaidCalcFields;
    dm.TblChart1->OnCalcFields = TblChart1CalcFields;
    dm.TblChart1->OnFilterRecord = [&dm1](TDataSet& dataSet, bool& accept) {
        TblChart1FilterRecord(dm1, dataSet, accept);
    };
}

}  // namespace

std::span<const TRecordCodeRule> Adm3RecordCodeRules() { return Adm3Rules; }

void AttachAdm3Rules(TADm3& dm) {
    TADm1& dm1 = *ADm1;
    AttachRecordCodes(dm);
    AttachAssetRules(dm);
    AttachMultipleEntryRules(dm, dm1);
    AttachPeriodRules(dm, dm1);
}
