#pragma once
// The loans dialog: a loan's header, its repayment schedule in equal monthly
// instalments, its approval and the transfer of its open instalments into the
// bank or the income transactions.
#include "app/schedule_form.h"

class TDBEdit;
class TwwDBLookupCombo;

class TFrmLoans : public TScheduleForm {
    Q_OBJECT
public:
    TFrmLoans();
    ~TFrmLoans() override;

    TTabSheet* TabLoanDetails;
    TTabSheet* TabLoanPayment;
    TDBEdit* DBEdit5;
    TDBEdit* DBEdit6;
    TDBEdit* DBEdit2;
    TLabel* LblBank;
    TLabel* LblBankItem;
    TLabel* LblIncome;
    TwwDBLookupCombo* DbLupBankAccount;
    TwwDBLookupCombo* DbLupBankItem;
    TwwDBLookupCombo* DbLupIncomeAccount;

    void DBRadioGroup1Change(QObject* sender) override;

protected:
    double Instalment() const override;
    QString ApprovalTarget() const override;
    TTransferTarget TransferTarget() const override;
};

extern TFrmLoans* FrmLoans;
