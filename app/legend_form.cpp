#include "app/legend_form.h"
#include "app/tab_order.h"
#include "app/dialog_controls.h"
#include "app/grid_colours.h"
#include "app/main_menu.h"
#include "data/adm1.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "platform/db/field.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/buttons.h"
#include "platform/ui/colors.h"
#include "platform/ui/containers.h"
#include "platform/ui/custom_grid.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include <QColorDialog>

TFrmLegend* FrmLegend = nullptr;

namespace {

TColor StoredColour(const char* field) {
    const TField* value = ADm1->TblConfig->FieldByName(QString::fromLatin1(field));
    // An empty colour is painted in its default, so the swatch shows it too.
    return value->IsNull() ? DefaultGridColour(QString::fromLatin1(field)) : static_cast<TColor>(value->AsInteger());
}

}  // namespace

TFrmLegend::TFrmLegend() {
    FrmLegend = this;
    SetCaption(QStringLiteral("Color Legend"));
    SetDesignFont(QStringLiteral("MS Sans Serif"), -11);
    resize(336, 268);
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetFormStyle(TFormStyle::fsStayOnTop);

    PageControl1 = new TPageControl(this);
    SetAlign(PageControl1, TAlign::alClient);
    TabLegend = new TTabSheet(PageControl1, QStringLiteral("Legend"));
    TabSetup = new TTabSheet(PageControl1, QStringLiteral("Setup"));
    TabLegend->SetTabVisible(false);
    TabSetup->SetTabVisible(false);
    PageControl1->SetActivePage(TabLegend);
    CreateLegendPage();
    CreateSetupPage();
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);

    OnCloseQuery = [this](QObject* sender, bool& canClose) { FormCloseQuery(sender, canClose); };
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    DoCreate();
    SetTabOrderByPosition(*this);
}

TFrmLegend::~TFrmLegend() {
    if (FrmLegend == this)
        FrmLegend = nullptr;
}

void TFrmLegend::CreateLegendPage() {
    struct TRowDesign {
        TLabel** Label;
        TShape** Swatch;
        const char* Caption;
        const char* Field;
    };
    const TRowDesign design[] = {
        {&Label1, &Shape1, "        Normal Records", "ColorNormal"},
        {&Label2, &Shape2, "        Posted Records", "ColorPosted"},
        {&Label3, &Shape3, "        Records Created By Loan Process", "ColorLoan"},
        {&Label4, &Shape4, "        Records Created By Recurring Process", "ColorRecurring"},
        {&Label5, &Shape5, "        Records Created By Multiple Entry Process", "ColorDouble"},
        {&Label7, &Shape6, "        Ascending Sort Order", "ColorASort"},
        {&Label8, &Shape7, "        Descending Sort Order", "ColorDSort"},
    };
    int top = 14;
    for (size_t i = 0; i < std::size(design); ++i, top += 26) {
        const TRowDesign& row = design[i];
        TLabel* label = MakeLabel(TabLegend, QString::fromLatin1(row.Caption), QPoint(12, top));
        auto* swatch = new TShape(TabLegend);
        // The swatch stands in the caption's leading blanks.
        swatch->setGeometry(12, top - 1, 22, 15);
        *row.Label = label;
        *row.Swatch = swatch;
        rows_[i] = {label, swatch, row.Field};
        label->OnDblClick = [this, swatch, field = row.Field](QObject*) {
            PickLegendColor(swatch, QString::fromLatin1(field));
        };
    }
    Label6 = MakeLabel(TabLegend, QStringLiteral("Double Click on Legend Title to Change Color"), QPoint(12, top + 4));
    BtnUpdate = MakeButton(TabLegend, QStringLiteral("&Apply"), QRect(12, 228, 96, 25));
    BitBtn2 = MakeButton(TabLegend, QStringLiteral("&Defaults"), QRect(118, 228, 96, 25));
    BtnClose = MakeButton(TabLegend, QStringLiteral("&Close"), QRect(224, 228, 96, 25));
    BtnUpdate->OnClick = [this](QObject* sender) { BtnUpdateClick(sender); };
    BitBtn2->OnClick = [this](QObject* sender) { BitBtn2Click(sender); };
    BtnClose->OnClick = [this](QObject*) { Close(); };
}

void TFrmLegend::CreateSetupPage() {
    RbStartDay = new TDBRadioGroup(TabSetup);
    RbStartDay->SetCaption(QStringLiteral("Week Starts On "));
    RbStartDay->setGeometry(12, 10, 308, 80);
    RbStartDay->SetColumns(4);
    RbStartDay->SetItems({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"});
    RbStartDay->SetValues({"0", "1", "2", "3", "4", "5", "6"});
    RbStartDay->SetDataSource(ADm1->DsConfig);
    RbStartDay->SetDataField(QStringLiteral("StartDayOfWeek"));
    Label9 = MakeLabel(TabSetup, QStringLiteral("Grid Size For Numeric Values:"), QPoint(12, 108));
    EdtGridSize = new TDBEdit(TabSetup);
    EdtGridSize->setGeometry(176, 104, 48, 21);
    EdtGridSize->SetDataSource(ADm1->DsConfig);
    EdtGridSize->SetDataField(QStringLiteral("GridSize1"));
    BtnUpdate2 = MakeButton(TabSetup, QStringLiteral("&Apply"), QRect(118, 228, 96, 25));
    BtnClose2 = MakeButton(TabSetup, QStringLiteral("&Close"), QRect(224, 228, 96, 25));
    BtnUpdate2->OnClick = [this](QObject* sender) { BtnUpdateClick(sender); };
    BtnClose2->OnClick = [this](QObject*) { Close(); };
}

void TFrmLegend::FormCreate(QObject*) {
    for (const TLegendRow& row : rows_)
        row.Swatch->SetBrushColor(ToQColor(StoredColour(row.Field)));
}

void TFrmLegend::PickLegendColor(TShape* shape, const QString& field) {
    ColorDialog1->setCurrentColor(shape->BrushColor());
    if (ColorDialog1->exec() != QDialog::Accepted)
        return;
    const TColor colour = ColorToRGB(FromQColor(ColorDialog1->selectedColor()));
    shape->SetBrushColor(ToQColor(colour));
    ADm1->TblConfig->Edit();
    ADm1->TblConfig->FieldByName(field)->SetAsInteger(colour);
    ADm1->TblConfig->Post();
}

void TFrmLegend::BtnUpdateClick(QObject*) {
    // The preferences typed on the setup page are kept, not left pending in
    // the configuration row.
    if (ADm1->TblConfig->State() == dsEdit)
        ADm1->TblConfig->Post();
    FrmMainMenu->LoadGridColours();
    // The grids paint their own viewports, which a repaint of the pages
    // around them leaves as they were.
    for (TCustomGrid* grid : FrmMainMenu->PageControl2->findChildren<TCustomGrid*>())
        grid->InvalidateGrid();
}

void TFrmLegend::BitBtn2Click(QObject*) {
    if (MessageDlg(QStringLiteral("Reset All Legend Colors to thier Default Settings ?"), TMsgDlgType::mtWarning,
                   mbYesNo) != mrYes)
        return;
    ADm1->TblConfig->Edit();
    for (const TLegendRow& row : rows_) {
        const QString field = QString::fromLatin1(row.Field);
        ADm1->TblConfig->FieldByName(field)->SetAsInteger(ColorToRGB(DefaultGridColour(field)));
    }
    ADm1->TblConfig->Post();
    FormCreate(this);
}

void TFrmLegend::FormCloseQuery(QObject*, bool&) {
    FrmMainMenu->MnuViewLegend->SetChecked(false);
    BtnUpdateClick(this);
}
