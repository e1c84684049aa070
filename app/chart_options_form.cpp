#include "app/chart_options_form.h"
#include "app/tab_order.h"
#include "app/chart_page.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/page_controls.h"

TFrmChartOptions* FrmChartOptions = nullptr;

TFrmChartOptions::TFrmChartOptions()
{
    setObjectName(QStringLiteral("FrmChartOptions"));
    SetCaption(QStringLiteral("Chart Options"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    SetClientSize(360, 262);

    GroupBox2 = new TGroupBox(this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->SetCaption(QStringLiteral(" Bar-1 Options "));
    GroupBox2->setGeometry(8, 8, 344, 190);
    DbShowGraph = new TDBCheckBox(GroupBox2);
    DbShowGraph->setObjectName(QStringLiteral("DbShowGraph"));
    DbShowGraph->setText(QStringLiteral("Show Graph"));
    DbShowGraph->setGeometry(12, 22, 120, 20);
    DbShowGroup = new TDBRadioGroup(GroupBox2);
    DbShowGroup->setObjectName(QStringLiteral("DbShowGroup"));
    DbShowGroup->SetCaption(QStringLiteral("Choose Group To Plot "));
    DbShowGroup->SetItems({QStringLiteral("Income"), QStringLiteral("Expense"), QStringLiteral("Bank Transactions"),
                           QStringLiteral("Cumulative Bank Balance"), QStringLiteral("Communications")});
    DbShowGroup->SetValues({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                            QStringLiteral("4")});
    DbShowGroup->setGeometry(12, 48, 320, 132);
    for (TDBFieldControl* control : std::initializer_list<TDBFieldControl*>{DbShowGraph, DbShowGroup})
        control->SetDataSource(ADm1->DsConfig);
    DbShowGraph->SetDataField(QStringLiteral("ChartBar0View"));
    DbShowGroup->SetDataField(QStringLiteral("ChartBar0Code"));

    BtnClose = new TButton(this);
    BtnClose->setObjectName(QStringLiteral("BtnClose"));
    BtnClose->SetCaption(QStringLiteral("&Close"));
    BtnClose->SetCancel(true);
    BtnClose->setGeometry(196, 206, 75, 25);
    BtnClose->OnClick = [this](QObject*) { Close(); };
    BtnUpdate = new TButton(this);
    BtnUpdate->setObjectName(QStringLiteral("BtnUpdate"));
    BtnUpdate->SetCaption(QStringLiteral("&Apply"));
    BtnUpdate->setGeometry(277, 206, 75, 25);
    BtnUpdate->OnClick = [this](QObject* sender) { BtnUpdateClick(sender); };

    TabSet1 = new TTabSet(this);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->SetTabs({QStringLiteral("Bar-1"), QStringLiteral("Bar-2"), QStringLiteral("Line-1"),
                      QStringLiteral("Line-2"), QStringLiteral("Point-1"), QStringLiteral("Point-2")});
    TabSet1->SetTabIndex(0);
    TabSet1->setGeometry(0, 238, 360, 24);
    TabSet1->OnChange = [this](QObject* sender, int newTab, bool& allowChange) {
        TabSet1Change(sender, newTab, allowChange);
    };
    SetTabOrderByPosition(*this);
}

TFrmChartOptions::~TFrmChartOptions()
{
    if (FrmChartOptions == this)
        FrmChartOptions = nullptr;
}

void TFrmChartOptions::TabSet1Change(QObject*, int newTab, bool&)
{
    if (IsEditState(ADm1->DsConfig->State()))
        ADm1->TblConfig->Post();
    GroupBox2->SetCaption(QLatin1Char(' ') + TabSet1->Tabs().at(newTab) + QStringLiteral(" Options "));
    DbShowGraph->SetDataField(QStringLiteral("ChartBar%1View").arg(newTab));
    DbShowGroup->SetDataField(QStringLiteral("ChartBar%1Code").arg(newTab));
}

void TFrmChartOptions::BtnUpdateClick(QObject*)
{
    FrmMainMenu->ChartPage->ConfigureChartSeries();
}
