#pragma once
// The account controls of a double-entry or recurring line, which follow the
// line's type: the bank account and its item, the income or expense account,
// or the communication account and its item, each pair in the same two places.
#include <QRect>

class QString;
class QWidget;
class TDataSource;
class TLabel;
class TwwDBLookupCombo;

class TLineAccounts {
public:
    TLabel* LblMain = nullptr;
    TLabel* LblBankItem = nullptr;
    TwwDBLookupCombo* DbLupBankAccount = nullptr;
    TwwDBLookupCombo* DbLupBankItem = nullptr;
    TwwDBLookupCombo* DbLupIncomeAccount = nullptr;
    TwwDBLookupCombo* DbLupExpenseAccount = nullptr;
    TwwDBLookupCombo* DbLupTelAccount = nullptr;
    TwwDBLookupCombo* DbLupTelItem = nullptr;

protected:
    // The combos on Page writing the line of Source: the accounts at Account,
    // the items one row below it. The labels are the dialog's own.
    void CreateAccountCombos(QWidget* page, TDataSource* source, const QRect& account);
    // Shows the controls of the type ("B", "I", "C" or "E") and hides the rest.
    void ShowLineAccounts(const QString& type);
};
