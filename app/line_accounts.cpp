#include "app/line_accounts.h"
#include "app/lookup_combos.h"
#include "data/adm1.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "platform/ui/standard_controls.h"
#include <initializer_list>
#include <span>

namespace {

constexpr const char* BankAccountColumns[] = {"AccountName\t15\tAccount Name", "AccountNumber\t15\tAccount Number",
                                              "CalcBankName\t15\tBank Name", "CalcCardName\t15\tCard Name"};
constexpr const char* BankItemColumns[] = {"BankItemDesc\t50\tItem Description"};
constexpr const char* IncomeColumns[] = {"IncomeDescription\t19\tIncome Description"};
constexpr const char* ExpenseColumns[] = {"ExpenseDescription\t30\tExpense Description"};
constexpr const char* TelColumns[] = {"TelcomDesc\t29\tDescription"};
constexpr const char* TelItemColumns[] = {"TelItemDesc\t50\tItem Description"};
constexpr int RowHeight = 28;

} // namespace

void TLineAccounts::CreateAccountCombos(QWidget* page, TDataSource* source, const QRect& account)
{
    const QRect item = account.translated(0, RowHeight);
    const auto combo = [&](const char* name, const char* field, TwwTable* table, std::span<const char* const> columns,
                           const QRect& place) {
        TwwDBLookupCombo* made = MakeLookupCombo(page, name, table, field, columns, source, field);
        made->SetOptions(loColLines | loRowLines | loTitles);
        made->setGeometry(place);
        return made;
    };
    DbLupBankAccount = combo("DbLupBankAccount", "BankAccountCode", ADm1->TblBankAccounts, BankAccountColumns, account);
    DbLupBankAccount->SetDropDownWidth(420);
    DbLupBankItem = combo("DbLupBankItem", "BankItemCode", ADm1->TblBankItems, BankItemColumns, item);
    DbLupIncomeAccount = combo("DbLupIncomeAccount", "IncomeCode", ADm1->TblIncome, IncomeColumns, account);
    DbLupExpenseAccount = combo("DbLupExpenseAccount", "ExpenseCode", ADm1->TblExpense, ExpenseColumns, account);
    DbLupTelAccount = combo("DbLupTelAccount", "TelcomCode", ADm1->TblTelCom, TelColumns, account);
    DbLupTelItem = combo("DbLupTelItem", "TelItemCode", ADm1->TblTelItems, TelItemColumns, item);
}

void TLineAccounts::ShowLineAccounts(const QString& type)
{
    for (QWidget* control : std::initializer_list<QWidget*>{DbLupIncomeAccount, DbLupExpenseAccount,
                                                            DbLupBankAccount, DbLupBankItem, LblBankItem,
                                                            DbLupTelAccount, DbLupTelItem})
        control->hide();
    if (type == QLatin1String("B")) {
        LblMain->SetCaption(QStringLiteral("Bank"));
        DbLupBankAccount->show();
        DbLupBankItem->show();
        LblBankItem->SetCaption(QStringLiteral("Bank Item"));
        LblBankItem->show();
    } else if (type == QLatin1String("I")) {
        LblMain->SetCaption(QStringLiteral("Income"));
        DbLupIncomeAccount->show();
    } else if (type == QLatin1String("E")) {
        LblMain->SetCaption(QStringLiteral("Expense"));
        DbLupExpenseAccount->show();
    } else if (type == QLatin1String("C")) {
        LblMain->SetCaption(QStringLiteral("Communication"));
        DbLupTelAccount->show();
        DbLupTelItem->show();
        LblBankItem->SetCaption(QStringLiteral("Communication Item"));
        LblBankItem->show();
    }
    for (QWidget* combo : std::initializer_list<QWidget*>{DbLupBankAccount, DbLupBankItem, DbLupIncomeAccount})
        combo->update();
    ADm1->TblBankItems->Refresh();
}
