#pragma once
// The recurring transactions dialog: a header that spreads an amount over a
// number of months on one bank, income, communication or expense account, its
// monthly schedule, its approval and the transfer of its open lines into the
// matching transaction table.
#include "app/line_accounts.h"
#include "app/schedule_form.h"

class TDBEdit;
class TwwDBLookupCombo;

class TFrmRecur : public TScheduleForm, public TLineAccounts {
    Q_OBJECT
public:
    TFrmRecur();
    ~TFrmRecur() override;

    TTabSheet* TabRecurDetails;
    TTabSheet* TabRecurPayment;
    TDBEdit* DBEdit5;
    TDBRadioGroup* DBRadioGroup2;

    void DBRadioGroup1Change(QObject* sender) override;

protected:
    double Instalment() const override;
    QString ApprovalTarget() const override;
    TTransferTarget TransferTarget() const override;
};

extern TFrmRecur* FrmRecur;
