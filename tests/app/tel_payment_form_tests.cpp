// The payments dialog through the main window's commands: each command shows
// only its own page; a bill is paid on one, a bank's balance recorded on the
// other, and the status bar keeps the grand totals.
#include "tests/app/entry_dialog_fixture.h"
#include "app/tel_payment_form.h"
#include "platform/ui/menus.h"
#include <QTimer>
#include <functional>

namespace {

class TelPaymentTest : public EntryDialogTest {
protected:
    void SetUp() override
    {
        EntryDialogTest::SetUp();
        TEngineDatabase& db = adm1->DataQuelt->EngineDatabase();
        Put(db, "MthTel2a", {{"TelcomCode", "001"}, {"PeriodYear", 2026}, {"PeriodMonth", 2}, {"TotalAmount", 29.99},
                             {"PaidAmount", 0.0}});
        Put(db, "MthTel2a", {{"TelcomCode", "001"}, {"PeriodYear", 2026}, {"PeriodMonth", 3}, {"TotalAmount", 45.0},
                             {"PaidAmount", 0.0}});
        ShowWindow();
    }

    // Chooses the command and runs work in the dialog it opens, then closes it.
    void RunDialog(TMenuItem* command, const std::function<void(TFrmTelPayment&)>& work)
    {
        const auto create = window->TelPaymentLauncher.Create;
        window->TelPaymentLauncher.Create = [&, create] {
            TForm* form = create();
            QTimer::singleShot(0, form, [&, form] {
                auto& dialog = static_cast<TFrmTelPayment&>(*form);
                QApplication::setActiveWindow(&dialog);
                QApplication::processEvents();
                work(dialog);
                Click(dialog.BitBtn1);
            });
            return form;
        };
        QMetaObject::invokeMethod(command->Action(), &QAction::trigger, Qt::QueuedConnection);
        QApplication::processEvents();
        window->TelPaymentLauncher.Create = create;
        Reactivate();
    }

    static bool ReadOnlyTotal() { return ADm3->TblTelPaid->FieldByName(QStringLiteral("TotalAmount"))->ReadOnly(); }
};

TEST_F(TelPaymentTest, ABillIsPaidOnThePaymentsPageOnly)
{
    bool ran = false;
    RunDialog(window->CommunicationPayments1, [&](TFrmTelPayment& dialog) {
        ran = true;
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Communication Account Payments"));
        EXPECT_EQ(dialog.PageControlRefrence->ActivePage(), dialog.TabComPayments);
        EXPECT_FALSE(dialog.TabComPayments->TabVisible());
        EXPECT_FALSE(dialog.TabFastBanks->TabVisible());
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(dialog.StatusBar1->Panel(0).Text, QStringLiteral("Grand Total Amount : 74.99"));
        EXPECT_EQ(dialog.StatusBar1->Panel(1).Text, QStringLiteral("Grand Total Paid Amount : 0"));
        EXPECT_TRUE(ReadOnlyTotal());

        // The February bill is paid in part.
        DBNavigatorClick(dialog.DBNavigator2, nbEdit);
        TypeCell(dialog.wwDBGrid1, 4, QStringLiteral("12.5"));
        DBNavigatorClick(dialog.DBNavigator2, nbPost);
        EXPECT_EQ(dialog.StatusBar1->Panel(1).Text, QStringLiteral("Grand Total Paid Amount : 12.5"));
        EXPECT_EQ(ADm3->TblTelPaid->FieldByName(QStringLiteral("CalcPeriodName"))->AsString(),
                  QStringLiteral("Feb-2026"));
        EXPECT_EQ(ADm3->TblTelPaid->FieldByName(QStringLiteral("CalcBalance"))->AsFloat(), 29.99 - 12.5);
        Grab(dialog, QStringLiteral("payments_bills"));
    });
    ASSERT_TRUE(ran);
    EXPECT_EQ(Rows(QStringLiteral("select PeriodMonth, PaidAmount from MthTel2a order by PeriodMonth")),
              (QStringList{"2|12.5", "3|0"}));
    EXPECT_FALSE(ReadOnlyTotal());
    EXPECT_TRUE(presenter.errors.empty());
}

TEST_F(TelPaymentTest, EveryBankAccountGetsABalanceRowOnceOnTheBalancesPage)
{
    const QString balances = QStringLiteral("select BankAccountCode, UpdateDate, TotalAmount, Remarks from Mthbnk2a "
                                            "order by BankAccountCode");
    RunDialog(window->BankActualBalances1, [&](TFrmTelPayment& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Bank Actual Balances"));
        EXPECT_EQ(dialog.PageControlRefrence->ActivePage(), dialog.TabFastBanks);
        EXPECT_FALSE(dialog.TabComPayments->TabVisible());
        // No balance yet: the panel keeps its first words.
        EXPECT_EQ(dialog.StatusBar1->Panel(0).Text, QStringLiteral("Total Amount:"));
        EXPECT_EQ(Rows(balances), (QStringList{"0000000001|2026-03-16||", "0000000002|2026-03-16||"}));

        ADm3->TblFastBank->First();
        DBNavigatorClick(dialog.DBNavigator2, nbEdit);
        TypeCell(dialog.wwDBGrid2, 3, QStringLiteral("1520.75"));
        TypeCell(dialog.wwDBGrid2, 4, QStringLiteral("Statement of March"));
        DBNavigatorClick(dialog.DBNavigator2, nbPost);
        EXPECT_EQ(dialog.StatusBar1->Panel(0).Text, QStringLiteral("Grand Total Amount : 1520.75"));
        EXPECT_EQ(ADm3->TblFastBank->FieldByName(QStringLiteral("CalcBankAccDesc"))->AsString(),
                  QStringLiteral("Household"));
        Grab(dialog, QStringLiteral("payments_balances"));
    });
    // A second opening adds nothing.
    RunDialog(window->BankActualBalances1, [&](TFrmTelPayment& dialog) {
        EXPECT_EQ(dialog.StatusBar1->Panel(0).Text, QStringLiteral("Grand Total Amount : 1520.75"));
    });
    EXPECT_EQ(Rows(balances),
              (QStringList{"0000000001|2026-03-16|1520.75|Statement of March", "0000000002|2026-03-16||"}));
    EXPECT_TRUE(presenter.errors.empty());
}

} // namespace
