#pragma once
// TFrmChartOptions: the modeless window in which each of the chart's six
// series is switched on and given what it shows. The choices are written to
// the configuration record and reach the chart on Apply.
#include "platform/ui/form.h"

class TButton;
class TDBCheckBox;
class TDBRadioGroup;
class TGroupBox;
class TTabSet;

class TFrmChartOptions : public TForm {
    Q_OBJECT
public:
    TFrmChartOptions();
    ~TFrmChartOptions() override;

    TGroupBox* GroupBox2;
    TDBCheckBox* DbShowGraph;
    TDBRadioGroup* DbShowGroup;
    TButton* BtnClose;
    TButton* BtnUpdate;
    TTabSet* TabSet1;

    // Posts a pending change, then binds the two controls to series newTab.
    void TabSet1Change(QObject* sender, int newTab, bool& allowChange);
    void BtnUpdateClick(QObject* sender);
};

// The window the chart page's options button opened last; null before.
extern TFrmChartOptions* FrmChartOptions;
