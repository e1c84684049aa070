#pragma once
// The payments dialog in one of two modes, chosen by the Tag of the command
// that opened it (PaymentPageTag): 11, the amounts paid against each
// communication account's monthly bills; 22, the balance each bank reports
// for each bank account. The status bar shows the grand totals.
#include "app/entry_form_parts.h"

class TButton;
class TCheckBox;
class TDBNavigator;
class TPageControl;
class TPanel;
class TRAStatusBar;
class TTabSheet;
class TwwDBGrid;

inline constexpr int CommunicationPaymentsTag = 11;
inline constexpr int BankBalancesTag = 22;

class TFrmTelPayment : public TEntryDialog {
    Q_OBJECT
public:
    TFrmTelPayment();
    ~TFrmTelPayment() override;

    TRAStatusBar* StatusBar1;
    TPageControl* PageControlRefrence;
    TTabSheet* TabComPayments;
    TTabSheet* TabFastBanks;
    TwwDBGrid* wwDBGrid1;
    TwwDBGrid* wwDBGrid2;

    // Shows only the page of tag and makes it active: the main window's part
    // before it shows the dialog.
    void ShowOnlyPage(int tag);

    void FormCreate(QObject* sender);
    void FormActivate(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
    void FormDestroy(QObject* sender);
    void CBoxBankTranClick(QObject* sender) override;
    void ShowBankGrandTotal();
    void ShowCommGrandTotals();

private:
    // Every bank account without a balance row gets one, dated now.
    void AddMissingBankBalances();
};

extern TFrmTelPayment* FrmTelPayment;
