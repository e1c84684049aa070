#include "data/double_entry.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/rule_queries.h"
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

// Keeps a dataset on its row and its controls quiet while a run walks it.
class TRowKept {
public:
    explicit TRowKept(TDataSet& dataSet) : dataSet_(dataSet), bookmark_(dataSet.GetBookmark()) {
        dataSet_.DisableControls();
    }
    ~TRowKept() {
        try {
            if (dataSet_.Active() && dataSet_.BookmarkValid(bookmark_))
                dataSet_.GotoBookmark(bookmark_);
        } catch (const Exception&) {
            // The row is gone; the dataset stays where it is.
        }
        dataSet_.EnableControls();
    }
    TRowKept(const TRowKept&) = delete;
    TRowKept& operator=(const TRowKept&) = delete;

private:
    TDataSet& dataSet_;
    TBookmark bookmark_;
};

// Opens a closed target for the run and closes it again afterwards, so that
// the main window, which opens it on its own choice of account, finds it as
// it left it.
class TOpenedForRun {
public:
    explicit TOpenedForRun(TDataSet& table) : table_(table), opened_(!table.Active()) {
        if (opened_)
            table_.Open();
    }
    ~TOpenedForRun() {
        if (opened_)
            table_.Close();
    }
    TOpenedForRun(const TOpenedForRun&) = delete;
    TOpenedForRun& operator=(const TOpenedForRun&) = delete;

private:
    TDataSet& table_;
    bool opened_;
};

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

    int written = 0;
    try {
        RunInTransaction(*dm1.DataQuelt, [&] {
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
    } catch (...) {
        // What the run undid must not stay on screen: a row half-begun is
        // dropped and every target and the summaries mark are read again.
        for (const TDoubleTarget& target : Targets) {
            TDataSet& rows = *(dm1.*target.Table);
            if (rows.Active()) {
                rows.Cancel();
                rows.Refresh();
            }
        }
        dm1.TblConfig->Cancel();
        dm1.TblConfig->Refresh();
        throw;
    }
    return written;
}
