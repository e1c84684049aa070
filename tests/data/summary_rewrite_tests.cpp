// The rebuild writes only the summary, bill and chart rows that change. After
// every step of a random session of posts, edits, deletes, transfers, paid
// bills, closes and an emptying, its tables must hold exactly what a rebuild
// that first deletes every row its clauses select (and marks those bills old,
// as they keep their payments) writes afresh.
#include "data/period_close.h"
#include "data/summary_rebuild.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "tests/data/period_close_fixture.h"
#include <functional>
#include <random>

namespace {

class SummaryRewrite : public PeriodCloseFixture {
protected:
    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    template <size_t N>
    const char* PickOf(const char* const (&names)[N]) { return names[Pick(int(N))]; }
    double Amount() { return Pick(4) == 0 ? 0.0 : Pick(200000) / 100.0; }
    QDate OpenDay() { return DateTimeToQDate(adm1->CurrentCloseDate).addDays(1 + Pick(240)); }

    // Every row of the tables a rebuild writes, stamps included, in key order.
    QStringList Summaries() {
        return Rows(BankSummarySql) +
               Rows("select * from MthTel1a order by TelcomCode, TelItemCode, PeriodYear, PeriodMonth") +
               Rows("select * from MthInc1a order by IncomeCode, PeriodYear, PeriodMonth") +
               Rows("select * from MthExp1a order by ExpenseCode, PeriodYear, PeriodMonth") + Rows(BillsSql) +
               Rows(ChartSql);
    }

    // What the rebuild leaves when nothing it may keep is there yet: the rows
    // the target selects deleted first, so that every row is written afresh.
    // prepare runs first (a close stamps the open months). The database is
    // left as it was.
    QStringList Afresh(const QString& source, const QString& target, const std::function<void()>& prepare = {}) {
        Db().StartTransaction();
        if (prepare)
            prepare();
        for (const char* table : {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "TeeData1"})
            Db().Execute(QStringLiteral("Delete from %1 %2").arg(table, target));
        Db().Execute("Update MthTel2a set OldFlag = True, TotalAmount = 0 " + target);
        adm3->RebuildSummaries(source, target);
        const QStringList rows = Summaries();
        Db().Rollback();
        for (TwwTable* table : {adm3->TblRepBank1, adm3->TblRepTel1, adm3->TblRepInc1, adm3->TblRepExp1,
                                adm3->TblTelPaid, adm3->TblChart1})
            if (table->Active())
                table->Refresh();
        return rows;
    }

    // One random change of the transactions or of the bills' payments; returns what it did.
    QString Change() {
        static constexpr const char* Accounts[] = {"AC1", "AC2", "AC3"};
        static constexpr const char* Items[] = {"I1", "I2", "I3"};
        static constexpr const char* Telcoms[] = {"T1", "T2"};
        static constexpr const char* Codes[] = {"C1", "C2"};
        switch (Pick(8)) {
        case 0:
            Bank(PickOf(Accounts), PickOf(Items), OpenDay(), Amount(), Amount());
            return "bank post";
        case 1: {
            const char* from = PickOf(Accounts);
            const char* to = PickOf(Accounts);
            const QDate day = OpenDay();
            const double amount = Amount();
            Bank(from, "TRF", day, amount, 0.0);
            Bank(to, "TRF", day, 0.0, amount);
            return "transfer";
        }
        case 2:
            Tel(PickOf(Telcoms), PickOf(Codes), OpenDay(), Amount());
            return "communication post";
        case 3:
            Pick(2) ? Income(PickOf(Codes), OpenDay(), Amount()) : Expense(PickOf(Codes), OpenDay(), Amount());
            return "income or expense post";
        case 4:
            return EditOpenRow();
        case 5:
            return DeleteOpenRow();
        case 6: {
            const int bills = int(Count("MthTel2a"));
            if (bills == 0)
                return "no bill to pay";
            Db().Execute("update MthTel2a set PaidAmount = ? where rowid = (select rowid from MthTel2a limit 1 offset ?)",
                         {Amount(), Pick(bills)});
            return "bill paid";
        }
        default:
            Bank(PickOf(Accounts), PickOf(Items), OpenDay(), Amount(), 0.0);
            return "bank post";
        }
    }

    // The transaction tables with the field that a row's amount is in.
    static constexpr std::pair<const char*, const char*> Transactions[] = {
        {"TrnBnk1a", "CreditAmount"}, {"TrnTel1a", "Amount"}, {"TrnInc1a", "IncomeAmount"}, {"TrnExp1a", "ExpenseAmount"}};

    // A random transaction of the open period, as table and row id; none when there is none.
    std::pair<const char*, qint64> OpenRow(const char** amountField = nullptr) {
        const auto& [table, amount] = Transactions[Pick(4)];
        if (amountField)
            *amountField = amount;
        const QString where = QStringLiteral(" where TransactionDate > ?");
        const QVariant close = DateTimeToQDate(adm1->CurrentCloseDate);
        const int rows = Read(QStringLiteral("select count(*) from %1").arg(table) + where, {close}).toInt();
        if (rows == 0)
            return {table, 0};
        return {table, Read(QStringLiteral("select rowid from %1").arg(table) + where +
                                QStringLiteral(" order by rowid limit 1 offset ?"),
                            {close, Pick(rows)})
                           .toLongLong()};
    }

    QString EditOpenRow() {
        const char* amount = nullptr;
        const auto [table, rowId] = OpenRow(&amount);
        if (rowId == 0)
            return "nothing to edit";
        Db().Execute(QStringLiteral("update %1 set %2 = ?, TransactionDate = ? where rowid = ?").arg(table, amount),
                     {Amount(), Pick(2) ? OpenDay() : Read(QStringLiteral("select TransactionDate from %1 where rowid = ?")
                                                              .arg(table),
                                                          {rowId}),
                      rowId});
        return QStringLiteral("edit of %1").arg(table);
    }

    QString DeleteOpenRow() {
        const auto [table, rowId] = OpenRow();
        if (rowId == 0)
            return "nothing to delete";
        Db().Execute(QStringLiteral("delete from %1 where rowid = ?").arg(table), {rowId});
        return QStringLiteral("delete from %1").arg(table);
    }

    // Closes one to three months after the close date in force; the
    // expected rows are those of the same close with every selected row written afresh.
    void CloseAndCompare(int step) {
        const QDate oldClose = DateTimeToQDate(adm1->CurrentCloseDate);
        const QDate monthEnd = oldClose.addDays(1).addMonths(Pick(3));
        const TDateTime newClose = At(monthEnd.year(), monthEnd.month(), monthEnd.daysInMonth());
        const QStringList expected = Afresh(ClosedRangeSourceFilter(adm1->CurrentCloseDate, newClose),
                                            ClosedMonthsTargetFilter(adm1->CurrentCloseDate, newClose), [&] {
                                                StampOpenMonths(DateTimeToQDate(newClose));
                                            });
        ClosePeriod(newClose);
        ASSERT_EQ(Summaries(), expected) << "close at step " << step;
    }

    // As a close stamps the rows of the months after it with the new date.
    void StampOpenMonths(QDate close) {
        for (const char* table : {"MthBnk1a", "MthTel1a", "MthInc1a", "MthExp1a", "MthTel2a", "TeeData1"})
            Db().Execute(QStringLiteral("update %1 set CloseDate = ? where PeriodYear > ? or "
                                        "(PeriodYear = ? and PeriodMonth > ?)")
                             .arg(table),
                         {close, close.year(), close.year(), close.month()});
    }

    // What the next run of the open period would add up again: none when it adds up all.
    std::optional<TSummaryChanges> ChangesOfTheNextRun() {
        const TRebuildScope scope{Db(), OpenPeriodSourceFilter(adm1->CurrentCloseDate),
                                  OpenPeriodTargetFilter(adm1->CurrentCloseDate),
                                  DateTimeToQDate(adm1->CurrentCloseDate)};
        return ChangesSinceLastRun(scope);
    }

private:
    std::mt19937 random_{20261208};
};

TEST_F(SummaryRewrite, EveryStepOfARandomSessionLeavesWhatARebuildAfreshWrites) {
    StoreClose(2025, 12, 31);
    for (int step = 0; step < 90; ++step) {
        QString change;
        if (step == 60) {
            for (int question = 0; question < 3; ++question)
                presenter.Answer(mrYes);
            adm3->EmptyAllTransactions();
            StoreClose(1900, 1, 1);
            change = "emptying";
        } else if (step % 15 == 14) {
            CloseAndCompare(step);
            if (HasFatalFailure())
                return;
            change = "close";
        } else {
            for (int i = 1 + Pick(3); i > 0; --i)
                change += Change() + "; ";
        }
        const QStringList expected =
            Afresh(OpenPeriodSourceFilter(adm1->CurrentCloseDate), OpenPeriodTargetFilter(adm1->CurrentCloseDate));
        RebuildOpenPeriod();
        ASSERT_EQ(Summaries(), expected) << "step " << step << ": " << change.toStdString();
    }
    // The session reached every kind of row, and closed months beside open ones.
    EXPECT_GT(Count("MthBnk1a"), 10);
    EXPECT_GT(Count("MthTel2a"), 3);
    EXPECT_GT(Count("TeeData1"), 3);
}

// Runs one after another, each after a few changes, bring the chart's
// changed months up to date from what the run before left of the summaries'
// months: after seven of them the tables hold what a rebuild afresh writes.
TEST_F(SummaryRewrite, RunAfterRunTheChartLeavesWhatARebuildAfreshWrites) {
    StoreClose(2025, 12, 31);
    const QString source = OpenPeriodSourceFilter(adm1->CurrentCloseDate);
    const QString target = OpenPeriodTargetFilter(adm1->CurrentCloseDate);
    for (int round = 0; round < 8; ++round) {
        Db().Execute("delete from TeeData1");   // the next run adds up all
        RebuildOpenPeriod();
        QString changes;
        for (int run = 0; run < 7; ++run) {
            for (int i = 1 + Pick(3); i > 0; --i)
                changes += Change() + "; ";
            RebuildOpenPeriod();
            changes += "run; ";
        }
        ASSERT_EQ(Summaries(), Afresh(source, target)) << "round " << round << ": " << changes.toStdString();
    }
    EXPECT_GT(Count("TeeData1"), 3);
}

// A payment is the user's part of a bill, which a run leaves as it is: the
// run after it still adds up only the months whose transactions changed. Any
// other change of a bill, a summary or a chart row makes it add up all.
TEST_F(SummaryRewrite, ABillsPaymentLeavesTheNextRunToTheChangedMonths) {
    Tel("T1", "C1", Day(2026, 1, 5), 30);
    Tel("T2", "C1", Day(2026, 2, 5), 20);
    Bank("AC1", "I1", Day(2026, 1, 7), 10, 0);
    RebuildOpenPeriod();

    TwwTable& bills = *adm3->TblTelPaid;
    bills.Refresh();
    bills.First();
    bills.Edit();
    bills.FieldByName("PaidAmount")->SetAsFloat(25);
    bills.Post();
    Bank("AC2", "I1", Day(2026, 2, 9), 0, 4);
    const std::optional<TSummaryChanges> changes = ChangesOfTheNextRun();
    ASSERT_TRUE(changes.has_value());
    EXPECT_EQ(changes->Keys[int(TSummaryKind::Bank)], (std::vector<TSummaryKey>{{{"AC2", "I1"}, 2026, 2}}));
    EXPECT_TRUE(changes->Keys[int(TSummaryKind::Tel)].empty());
    QStringList expected =
        Afresh(OpenPeriodSourceFilter(adm1->CurrentCloseDate), OpenPeriodTargetFilter(adm1->CurrentCloseDate));
    RebuildOpenPeriod();
    EXPECT_EQ(Summaries(), expected);
    EXPECT_EQ(Rows("select TelcomCode, PaidAmount from MthTel2a order by TelcomCode"), QStringList({"T1|25", "T2|"}));

    Db().Execute("update MthTel2a set TotalAmount = 99 where TelcomCode = \"T2\"");
    EXPECT_FALSE(ChangesOfTheNextRun().has_value());
    expected = Afresh(OpenPeriodSourceFilter(adm1->CurrentCloseDate), OpenPeriodTargetFilter(adm1->CurrentCloseDate));
    RebuildOpenPeriod();
    EXPECT_EQ(Summaries(), expected);
    EXPECT_EQ(Rows("select TelcomCode, TotalAmount from MthTel2a order by TelcomCode"), QStringList({"T1|30", "T2|20"}));
}

}  // namespace
