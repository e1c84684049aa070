#pragma once
// The rules fixture with the second module created, transactions written
// straight into their tables, and the main window's rebuild clauses.
#include "data/adm3.h"
#include "data/period_close.h"
#include "tests/data/rules_fixture.h"
#include <QFile>

class SummariesTest : public RulesTest {
protected:
    void SetUp() override {
        RulesTest::SetUp();
        adm3 = std::make_unique<TADm3>(nullptr);
        CloseAt(2025, 12, 31);
    }
    void TearDown() override {
        adm3.reset();
        RulesTest::TearDown();
    }

    void CloseAt(int year, int month, int day) { adm1->CurrentCloseDate = At(year, month, day); }
    static QString Quoted(int year, int month, int day) {
        return QStringLiteral("\"%1\"").arg(QDate(year, month, day).toString(QStringLiteral("MM/dd/yyyy")));
    }

    // The clauses the report page passes for the close date in force.
    void RebuildOpenPeriod() {
        adm3->RebuildSummaries(OpenPeriodSourceFilter(adm1->CurrentCloseDate),
                               OpenPeriodTargetFilter(adm1->CurrentCloseDate));
    }

    void Bank(const char* account, const char* item, QDate date, double debit, double credit) {
        Put("TrnBnk1a", {{"BankAccountCode", account}, {"BankTranSerialNum", Serial()}, {"TransactionDate", date},
                         {"BankItemCode", item}, {"DebitAmount", debit}, {"CreditAmount", credit}});
    }
    void Tel(const char* telcom, const char* item, QDate date, double amount) {
        Put("TrnTel1a", {{"TelcomCode", telcom}, {"TelComSerialNum", Serial()}, {"TransactionDate", date},
                         {"TelItemCode", item}, {"Amount", amount}});
    }
    void Income(const char* code, QDate date, double amount) {
        Put("TrnInc1a", {{"IncomeCode", code}, {"IncomeTranSerialNum", Serial()}, {"TransactionDate", date},
                         {"IncomeAmount", amount}});
    }
    void Expense(const char* code, QDate date, double amount) {
        Put("TrnExp1a", {{"ExpenseCode", code}, {"ExpenseTranSerialNum", Serial()}, {"TransactionDate", date},
                         {"ExpenseAmount", amount}});
    }

    // All rows of a query, each row's values joined by "|" (numbers as the
    // engine reads them, dates in ISO form, null empty).
    QStringList Rows(const QString& sql) { return ReadRows(sql, false); }
    // The same with money to the cent.
    QStringList Cents(const QString& sql) { return ReadRows(sql, true); }

    // What the rebuild writes, in key order.
    static constexpr const char* BankSummarySql =
        "select BankAccountCode, BankItemCode, PeriodYear, PeriodMonth, DebitAmount, CreditAmount, "
        "TotalAmount, CloseDate from MthBnk1a order by BankAccountCode, BankItemCode, PeriodYear, PeriodMonth";
    static constexpr const char* ChartSql =
        "select PeriodYear, PeriodMonth, Income, Expense, Communications, BankBalance, RunningBankBalance, "
        "CloseDate from TeeData1 order by PeriodYear, PeriodMonth";
    static constexpr const char* BillsSql =
        "select TelcomCode, PeriodYear, PeriodMonth, TotalAmount, PaidAmount, OldFlag, CloseDate "
        "from MthTel2a order by TelcomCode, PeriodYear, PeriodMonth";

    std::unique_ptr<TADm3> adm3;

private:
    QStringList ReadRows(const QString& sql, bool cents) {
        QStringList rows;
        auto result = Db().Query(sql);
        while (result->Next()) {
            QStringList values;
            for (int i = 0; i < result->ColumnCount(); ++i) {
                const QVariant value = result->Value(i);
                if (cents && value.typeId() == QMetaType::Double)
                    values << QString::number(value.toDouble(), 'f', 2);
                else if (value.typeId() == QMetaType::QDate)
                    values << value.toDate().toString(Qt::ISODate);
                else
                    values << value.toString();
            }
            rows << values.join('|');
        }
        return rows;
    }

    QString Serial() { return QString::number(++serial_).rightJustified(10, '0'); }
    int serial_ = 0;
};
