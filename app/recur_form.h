#pragma once
// The recurring transactions dialog: a header that spreads an amount over a
// number of months on one bank, income, communication or expense account, its
// monthly schedule, its approval and the transfer of its open lines into the
// matching transaction table.
#include "app/schedule_form.h"

class TDBEdit;
class TwwDBLookupCombo;

class TFrmRecur : public TScheduleForm {
    Q_OBJECT
public:
    TFrmRecur();
    ~TFrmRecur() override;

    TTabSheet* TabRecurDetails;
    TTabSheet* TabRecurPayment;
    TDBEdit* DBEdit5;
    TDBRadioGroup* DBRadioGroup2;
    TLabel* LblMain;
    TLabel* LblBankItem;
    TwwDBLookupCombo* DbLupBankAccount;
    TwwDBLookupCombo* DbLupBankItem;
    TwwDBLookupCombo* DbLupIncomeAccount;
    TwwDBLookupCombo* DbLupExpenseAccount;
    TwwDBLookupCombo* DbLupTelAccount;
    TwwDBLookupCombo* DbLupTelItem;

    void DBRadioGroup1Change(QObject* sender) override;

protected:
    double Instalment() const override;
    QString ApprovalTarget() const override;
    TTransferTarget TransferTarget() const override;
};

extern TFrmRecur* FrmRecur;
