#pragma once
// The close-period dialog: the user picks a month end after the close date in
// force, confirms twice (the second time by typing YES), and the period up to
// it is closed. The main window shows only the upper half (the choice and the
// first pair of buttons); the first Yes reveals the lower half.
#include "app/modal_launcher.h"
#include "platform/rtl/datetime.h"
#include "platform/ui/form.h"

class TLabel;
class TGroupBox;
class TRadioGroup;
class TCustomEdit;
class TUpDown;
class TButton;

class TFrmClosePeriod : public TForm {
    Q_OBJECT
public:
    // The height that shows the upper half only, and the whole dialog's.
    static constexpr int UpperHalfHeight = 265;
    static constexpr int FullHeight = 351;

    TFrmClosePeriod();
    ~TFrmClosePeriod() override;

    void SetHeight(int height);

    TLabel* Label1;
    TLabel* LblLastPeriod;
    TGroupBox* GroupBox1;
    TRadioGroup* RbMonth;
    TLabel* Label4;
    TCustomEdit* EdtYear;
    TUpDown* UpDown1;
    TLabel* LblDisplay;
    TButton* BtnYes;
    TButton* BtnNo;
    TLabel* LblWarning;
    TLabel* Label2;
    TCustomEdit* EdtConfirm;
    TButton* BtnYes2;
    TButton* BtnNo2;

    void FormCreate(QObject* sender);
    void UpdatePeriodChoice();
    void BtnYesClick(QObject* sender);
    void EdtConfirmChange(QObject* sender);
    void BtnYes2Click(QObject* sender);

private:
    void CreateComponents();
};

// The dialog while it is shown.
extern TFrmClosePeriod* FrmClosePeriod;

// Kept between openings of the dialog: the close date in force when it last
// opened, and the last month end chosen (0 before the first choice).
extern TDateTime OldCloseDate;
extern TDateTime NewCloseDate;

// How the main window's "Close Current Period" opens the dialog: with its
// upper half only, without the hourglass, the main window staying up.
TModalLauncher ClosePeriodDialogLauncher();
