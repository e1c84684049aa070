// Transferring a loan of 360 monthly instalments into the bank transactions
// of an account among a million rows over 40 accounts (ten years, closed up to
// their end), through the loans dialog: each run replaces the loan's rows
// after the close date, in one transaction, through the bank table's rules.
#include "app/loans_form.h"
#include "app/schedule_form.h"
#include "bench/support/app_program.h"
#include "data/header_rules.h"
#include "data/schedules.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/ui/buttons.h"
#include <QDate>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Instalments = 360;

// The data modules and the loans dialog on an approved loan whose schedule
// of 360 instalments starts the day after the close date.
struct TLoanProgram : TStartedProgram {
    TLoanProgram()
    {
        // The years of data lie in closed periods, as monthly closing leaves them.
        adm1->DataQuelt->EngineDatabase().Execute(QStringLiteral("update PConfig1 set CloseDate = ?"),
                                                  {QDate(2025, 12, 31)});
        adm1->TblConfig->Refresh();
        adm1->CurrentCloseDate = EncodeDate(2025, 12, 31);
        dialog = std::make_unique<TFrmLoans>();

        TwwTable& loan = *adm1->TblTrnLoan1A;
        const TDateTime start = adm1->CurrentCloseDate + 1;
        loan.Insert();
        loan.FieldByName(QStringLiteral("LoanDetails"))->SetAsString(QStringLiteral("House"));
        loan.FieldByName(QStringLiteral("StartDate"))->SetAsDateTime(start);
        loan.FieldByName(QStringLiteral("FinishDate"))->SetAsDateTime(start + 366 * 30);
        loan.FieldByName(QStringLiteral("Duration"))->SetAsInteger(Instalments);
        loan.FieldByName(QStringLiteral("LoanAmount"))->SetAsFloat(250000);
        loan.FieldByName(QStringLiteral("InterestAmount"))->SetAsFloat(110000);
        loan.FieldByName(QStringLiteral("BankAccountCode"))->SetAsString(BenchCode(7, 10));
        loan.FieldByName(QStringLiteral("BankItemCode"))->SetAsString(BenchCode(1, 3));
        loan.Post();
        CreateSchedule(*adm1, HeaderTables()[0], *adm3->Qt1, ScheduleDates(start, Instalments, true), 1000);
        loan.Edit();
        loan.FieldByName(QStringLiteral("Approved"))->SetAsBoolean(true);
        loan.Post();
    }

    std::unique_ptr<TFrmLoans> dialog;
};

void TransferLoan(benchmark::State& state)
{
    static TLoanProgram program;
    for (auto _ : state)
        program.dialog->BtnTransferClick(program.dialog->BtnTransfer);
    const auto rows = program.adm1->DataQuelt->EngineDatabase().Query(
        QStringLiteral("select count(*) from TrnBnk1a where LoanCode is not null"));
    rows->Next();
    if (rows->Value(0).toInt() != Instalments)
        state.SkipWithError("the transfer did not write one row per instalment");
    state.counters["limit_us"] = 80000;
}

} // namespace

BENCHMARK(TransferLoan)->Unit(benchmark::kMillisecond)->Iterations(10);
