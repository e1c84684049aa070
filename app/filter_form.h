#pragma once
// The filter window: switches the date-range filter of the transaction pages
// and of the reports on and off; the range is the options record's FromDate
// and ToDate, edited here. Made at start-up and only shown and hidden.
#include "platform/ui/form.h"

class TButton;
class TCheckBox;
class TLabel;
class TPanel;
class TVrDateEdit;

class TFrmFilter : public TForm {
    Q_OBJECT
public:
    TFrmFilter();
    ~TFrmFilter() override;

    TPanel* Panel1;
    TCheckBox* CbActive;
    TLabel* Label1;
    TLabel* Label2;
    TVrDateEdit* DBEdFrom;
    TVrDateEdit* DBEdTo;
    TButton* BtnUpdate;
    TButton* BtnClose;

    void FormCreate(QObject* sender);
    void CbActiveClick(QObject* sender);
    void BtnUpdateClick(QObject* sender);
    void FormCloseQuery(QObject* sender, bool& canClose);
};

extern TFrmFilter* FrmFilter;
