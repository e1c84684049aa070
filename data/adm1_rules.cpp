#include "data/adm1_rules.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/header_rules.h"
#include "data/record_codes.h"
#include "data/reference_rules.h"
#include "data/transaction_rules.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"

namespace {

TwwTable& Table(const TADm1& dm, const char* component) {
    return *dm.TableByName(QString::fromLatin1(component));
}

void AttachRecordCode(TADm1& dm, TwwTable& table) {
    const TRecordCodeRule* rule = FindRecordCodeRule(Adm1RecordCodeRules(), table.Name());
    const TDataSet* parent = *rule->ParentComponent ? &Table(dm, rule->ParentComponent) : nullptr;
    table.OnNewRecord = [&dm, rule, parent](TDataSet& dataSet) {
        AssignRecordCode(dataSet, *dm.QryRT, *rule, parent);
    };
}

// An engine error on posting a reference row (a key violation, a locked
// table) is shown once with the engine's text; the row stays in its edit so
// that the user can correct it.
void ReferencePostError(TDataSet&, EDatabaseError& error, TDataAction& action) {
    MessageDlg(error.Message, TMsgDlgType::mtError, mbOK, 0);
    action = daAbort;
}

void AttachReferenceRules(TADm1& dm) {
    for (const TReferenceTable& rules : ReferenceTables()) {
        TwwTable& table = Table(dm, rules.Component);
        table.BeforeDelete = [&dm, &rules](TDataSet& dataSet) { ReferenceBeforeDelete(dm, rules, dataSet); };
        AttachRecordCode(dm, table);
        table.BeforeEdit = [&dm, &rules](TDataSet& dataSet) { ReferenceBeforeEdit(dm, rules, dataSet); };
        table.BeforePost = [&dm, &rules, &table](TDataSet&) { ReferenceBeforePost(dm, rules, table); };
        table.OnPostError = ReferencePostError;
    }
}

void AttachTransactionRules(TADm1& dm) {
    for (const TTransactionTable& rules : TransactionTables()) {
        TwwTable& table = Table(dm, rules.Component);
        table.BeforeDelete = [&dm, &rules](TDataSet& dataSet) { TransactionBeforeDelete(dm, rules, dataSet); };
        AttachRecordCode(dm, table);
        table.BeforeEdit = [&dm, &rules](TDataSet& dataSet) { TransactionBeforeEdit(dm, rules, dataSet); };
        table.BeforePost = [&dm, &rules](TDataSet& dataSet) { TransactionBeforePost(dm, rules, dataSet); };
        table.AfterPost = [&dm](TDataSet&) { TransactionAfterChange(dm); };
        table.AfterDelete = [&dm](TDataSet&) { TransactionAfterChange(dm); };
    }
    const auto filter = [&dm](void (*handler)(const TADm1&, TDataSet&, bool&)) {
        return [&dm, handler](TDataSet& dataSet, bool& accept) { handler(dm, dataSet, accept); };
    };
    dm.TblTranBank1->OnFilterRecord = filter(TblTranBank1FilterRecord);
    dm.TblTranTel1->OnFilterRecord = filter(TblTranTel1FilterRecord);
    dm.TblTranIncome->OnFilterRecord = filter(TblTranIncomeFilterRecord);
    dm.TblTranExpense->OnFilterRecord = filter(TblTranExpenseFilterRecord);
    dm.TblTranBank1->FieldByName(QStringLiteral("DebitAmount"))->OnChange = TblTranBank1DebitAmountChange;
    dm.TblTranBank1->FieldByName(QStringLiteral("CreditAmount"))->OnChange = TblTranBank1CreditAmountChange;
}

// The header totals run on the second module's statement query. Both modules
// are loaded at start-up, before any window can post a schedule line.
TQuery& StatementQuery() {
    if (!ADm3)
        throw EInvalidOperation(QStringLiteral("The second data module is not loaded"));
    return *ADm3->Qt1;
}

void AttachHeaderRules(TADm1& dm) {
    for (const THeaderTable& rules : HeaderTables()) {
        TwwTable& header = Table(dm, rules.HeaderComponent);
        header.BeforeDelete = [&dm, &rules](TDataSet& dataSet) { HeaderBeforeDelete(dm, rules, dataSet); };
        AttachRecordCode(dm, header);
        header.BeforeEdit = [&rules](TDataSet& dataSet) { HeaderBeforeEdit(rules, dataSet); };
        header.BeforePost = [&dm, &rules](TDataSet& dataSet) { HeaderBeforePost(dm, rules, dataSet); };

        TwwTable& lines = Table(dm, rules.LineComponent);
        lines.BeforeDelete = [&dm, &rules](TDataSet& dataSet) { LineBeforeDelete(dm, rules, dataSet); };
        AttachRecordCode(dm, lines);
        lines.BeforeEdit = [&dm](TDataSet& dataSet) { LineBeforeEdit(dm, dataSet); };
        lines.BeforePost = [&dm](TDataSet& dataSet) { LineBeforePost(dm, dataSet); };
        lines.AfterPost = [&dm, &rules](TDataSet&) { LineAfterChange(dm, rules, StatementQuery()); };
        lines.AfterDelete = [&dm, &rules](TDataSet&) { LineAfterChange(dm, rules, StatementQuery()); };
    }
}

}  // namespace

void AttachAdm1Rules(TADm1& dm) {
    AttachReferenceRules(dm);
    AttachTransactionRules(dm);
    AttachHeaderRules(dm);
}
