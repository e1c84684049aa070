#include "data/double_entry.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/rule_queries.h"
#include "data/run_guards.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/rtl/presenter.h"
#include "platform/rtl/transaction.h"
#include <vector>

namespace {

// What a line of one type posts to: the table, the codes it copies from the
// line, and the field of the signed amount (empty for the bank, which keeps
// debits and credits apart).
struct TDoubleTarget {
    const char* Type;
    TwwTable* TADm1::*Table;
    const char* TableName;
    std::vector<const char*> Codes;
    const char* AmountField;
};

// In the order in which earlier transfers are removed.
const TDoubleTarget Targets[] = {
    {"B", &TADm1::TblTranBank1, "TrnBnk1a", {"BankAccountCode", "BankItemCode"}, ""},
    {"I", &TADm1::TblTranIncome, "TrnInc1a", {"IncomeCode"}, "IncomeAmount"},
    {"E", &TADm1::TblTranExpense, "TrnExp1a", {"ExpenseCode"}, "ExpenseAmount"},
    {"C", &TADm1::TblTranTel1, "TrnTel1a", {"TelcomCode", "TelItemCode"}, "Amount"},
};

const TDoubleTarget* TargetOf(const QString& type) {
    for (const TDoubleTarget& target : Targets)
        if (type == QLatin1String(target.Type))
            return &target;
    return nullptr;
}

void PostRow(TwwTable& rows, const TDoubleTarget& target, const TDataSet& line, TDateTime date, double amount,
             const QVariant& code) {
    rows.Insert();
    for (const char* field : target.Codes)
        rows.FieldByName(QString::fromLatin1(field))->SetValue(line.FieldByName(QString::fromLatin1(field))->Value());
    const bool debit = line.FieldByName(QStringLiteral("DebitCredit"))->AsString() == QLatin1String("D");
    if (*target.AmountField) {
        rows.FieldByName(QString::fromLatin1(target.AmountField))->SetAsFloat(debit ? -amount : amount);
    } else {
        rows.FieldByName(QStringLiteral("DebitAmount"))->SetAsFloat(0);
        rows.FieldByName(QStringLiteral("CreditAmount"))->SetAsFloat(0);
        rows.FieldByName(debit ? QStringLiteral("DebitAmount") : QStringLiteral("CreditAmount"))->SetAsFloat(amount);
    }
    rows.FieldByName(QStringLiteral("TransactionDate"))->SetAsDateTime(date);
    rows.FieldByName(QStringLiteral("DoubleCode"))->SetValue(code);
    rows.FieldByName(QStringLiteral("External"))->SetAsBoolean(true);
    rows.Post();
}

}  // namespace

int TransferDoubleEntry(TADm1& dm1, TADm3& dm3, TQuery& query) {
    const QVariant code = dm3.TblDbl1a->FieldByName(QStringLiteral("DoubleCode"))->Value();
    const TDateTime closeDate = dm1.CurrentCloseDate;
    TDataSet& lines = *dm3.TblDbl1b;
    TDataSet& amounts = *dm3.TblDbl1c;

    const THourglass hourglass;
    std::vector<std::unique_ptr<TOpenedForRun>> opened;
    std::vector<std::unique_ptr<TRowKept>> kept;
    for (const TDoubleTarget& target : Targets) {
        opened.push_back(std::make_unique<TOpenedForRun>(*(dm1.*target.Table)));
        kept.push_back(std::make_unique<TRowKept>(*(dm1.*target.Table)));
    }
    const TRowKept keptLines(lines);
    const TRowKept keptAmounts(amounts);

    // What the run undid must not stay on screen: every target and the
    // summaries mark are read again.
    std::vector<TDataSet*> touched;
    for (const TDoubleTarget& target : Targets)
        touched.push_back(dm1.*target.Table);
    touched.push_back(dm1.TblConfig);
    int written = 0;
    RunAllOrNothing(dm1, touched, [&] {
        for (const TDoubleTarget& target : Targets) {
            ExecuteStatement(query,
                             {QStringLiteral("Delete from ") + QString::fromLatin1(target.TableName),
                              QStringLiteral("where TransactionDate > :CloseDate and DoubleCode = :Code")},
                             {{QStringLiteral("CloseDate"), DateTimeToQDate(closeDate)},
                              {QStringLiteral("Code"), code}});
            (dm1.*target.Table)->Refresh();
        }
        for (lines.First(); !lines.Eof(); lines.Next()) {
            const TDoubleTarget* target = TargetOf(lines.FieldByName(QStringLiteral("DoubleType"))->AsString());
            if (!target)
                continue;
            for (amounts.First(); !amounts.Eof(); amounts.Next()) {
                const TField* date = amounts.FieldByName(QStringLiteral("TransactionDate"));
                if (date->IsNull() || date->AsDateTime() <= closeDate)
                    continue;
                PostRow(*(dm1.*target->Table), *target, lines, date->AsDateTime(),
                        amounts.FieldByName(QStringLiteral("Amount"))->AsFloat(), code);
                ++written;
            }
        }
    });
    return written;
}
