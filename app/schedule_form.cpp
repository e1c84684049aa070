#include "app/schedule_form.h"
#include "app/day_numbers.h"
#include "app/entry_form_parts.h"
#include "app/grid_colours.h"
#include "app/grid_record_controls.h"
#include "app/lookup_combos.h"
#include "app/main_menu.h"
#include "app/window_building.h"
#include "data/adm1.h"
#include "data/adm3.h"
#include "data/header_rules.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_table.h"
#include "grid/lookup_combo.h"
#include "platform/ui/db_controls.h"
#include "grid/ww_db_grid.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/query.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/presenter.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_controls.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/resource_library.h"
#include "platform/ui/standard_controls.h"
#include "widgets/ra_status_bar.h"
#include "widgets/tiled_bitmap.h"

namespace {

// The resource library of the schedule dialogs: loaded by the first one made
// and kept for the rest of the run.
HINSTANCE ScheduleLibraryHandle = 0;

constexpr int EditHeight = 21;
constexpr int EditLeft = 136;
const QString CR = QStringLiteral("\r");

} // namespace

std::vector<TDateTime> ScheduleDates(TDateTime start, int count, bool fromStartMonth)
{
    std::vector<TDateTime> dates;
    for (int k = fromStartMonth ? 0 : 1; static_cast<int>(dates.size()) < count; ++k)
        dates.push_back(k == 0 ? start : AddMonthsMinusDay(start, k));
    return dates;
}

TScheduleForm::TScheduleForm(const TScheduleFormSpec& spec)
    : TEntryDialog(spec.Name, QString::fromLatin1(spec.Caption), 740, 440, ADm1->*spec.HeaderSource), spec_(spec)
{
    CreateFrame();
    CreateDetailsPage();
    CreateSchedulePage();
    OnCreate = [this](QObject* sender) { FormCreate(sender); };
    OnDestroy = [this](QObject* sender) { FormDestroy(sender); };
}

TScheduleForm::~TScheduleForm()
{
    DoDestroy();
}

TwwTable& TScheduleForm::Header() const { return *(ADm1->*spec_.Header); }

TwwTable& TScheduleForm::Lines() const { return *(ADm1->*spec_.Lines); }

QString TScheduleForm::HeaderText(const char* field) const
{
    return Header().FieldByName(QString::fromLatin1(field))->AsString();
}

QString TScheduleForm::Describe(TwwTable* lookup, const char* codeField, const QString& code, const char* field)
{
    const QVariant name =
        lookup->Lookup(QString::fromLatin1(codeField), code, QString::fromLatin1(field));
    return name.isNull() ? QString() : name.toString();
}

void TScheduleForm::CreateFrame()
{
    TwwDataSource* header = ADm1->*spec_.HeaderSource;
    DBNavigator2->OnClick = [this](QObject* sender, TNavigateBtn button) { DBNavigator2Click(sender, button); };

    StatusBar1 = Named(new TRAStatusBar(this), "StatusBar1");
    StatusBar1->resize(width(), 19);
    SetAlign(StatusBar1, TAlign::alBottom);

    const char* const headerColumn[] = {spec_.HeaderColumn};
    wwDBGrid1 = MakeGrid(this, "wwDBGrid1", header, headerColumn);
    wwDBGrid1->resize(200, wwDBGrid1->height());
    // The header's edits, radio buttons and combos beside the list fill in a header inserted there.
    KeepNewRecordForItsControls(*wwDBGrid1);
    SetAlign(wwDBGrid1, TAlign::alLeft);

    PageControl1 = Named(new TPageControl(this), "PageControl1");
    SetAlign(PageControl1, TAlign::alClient);
    PageControl1->OnChange = [this](QObject* sender) { PageControl1Change(sender); };
    DetailsSheet = Named(new TTabSheet(PageControl1, QString::fromLatin1(spec_.DetailsCaption)), spec_.DetailsPage);
    ScheduleSheet =
        Named(new TTabSheet(PageControl1, QString::fromLatin1(spec_.ScheduleCaption)), spec_.SchedulePage);
    TiledBitmap1 = Named(new TTiledBitmap(DetailsSheet), "TiledBitmap1");
    TiledBitmap2 = Named(new TTiledBitmap(ScheduleSheet), "TiledBitmap2");
    for (TTiledBitmap* background : {TiledBitmap1, TiledBitmap2}) {
        SetAlign(background, TAlign::alClient);
        background->lower();
    }
}

TLabel* TScheduleForm::AddLabel(QWidget* page, const char* name, const char* caption, int x, int y)
{
    auto* label = Named(new TLabel(page), name);
    label->SetCaption(QString::fromLatin1(caption));
    label->SetTransparent(true);
    label->move(x, y + 3);
    return label;
}

TDBEdit* TScheduleForm::AddEdit(QWidget* page, const char* name, const char* field, const char* caption, int x,
                                  int y, int width, bool lines)
{
    if (*caption)
        AddLabel(page, (QByteArray("Lbl") + name).constData(), caption, x, y);
    auto* edit = Named(new TDBEdit(page), name);
    edit->setGeometry(x + (*caption ? EditLeft - 8 : 0), y, width, EditHeight);
    edit->SetDataSource(lines ? ADm1->*spec_.LinesSource : ADm1->*spec_.HeaderSource);
    edit->SetDataField(QString::fromLatin1(field));
    return edit;
}

TwwDBLookupCombo* TScheduleForm::AddLookup(QWidget* page, const char* name, const char* field, TwwTable* table,
                                           const char* lookupField, std::span<const char* const> columns)
{
    auto* combo = MakeLookupCombo(page, name, table, lookupField, columns, ADm1->*spec_.HeaderSource, field);
    combo->SetOptions(loColLines | loRowLines | loTitles);
    return combo;
}

void TScheduleForm::CreateDetailsPage()
{
    DBEdit1 = AddEdit(DetailsSheet, "DBEdit1", spec_.Rules->DetailsField, spec_.DetailsLabel, 8, 12, 300);
    DBEdit3 = AddEdit(DetailsSheet, "DBEdit3", "StartDate", " Start Date", 8, 40, 90);
    DBEdit4 = AddEdit(DetailsSheet, "DBEdit4", "FinishDate", " Finish Date", SecondColumn, 40, 90);
    DBEdit4->SetReadOnly(true);
    DBEdit4->setFocusPolicy(Qt::NoFocus);
    DBEdit9 = AddEdit(DetailsSheet, "DBEdit9", "Duration", "No Of Months", 8, 68, 50);
    DBEdit9->OnChange = [this](QObject* sender) { DBEdit9Change(sender); };
    DBEdit9->OnExit = [this](QObject* sender) { DBEdit9Change(sender); };
    DBEdit7 = AddEdit(DetailsSheet, "DBEdit7", spec_.TotalField, spec_.TotalLabel, SecondColumn, 124, 90);
    DBEdit7->SetReadOnly(true);
    DBEdit7->OnEnter = [this](QObject* sender) { DBEdit9Change(sender); };

    DBRadioGroup1 = Named(new TDBRadioGroup(DetailsSheet), "DBRadioGroup1");
    DBRadioGroup1->SetCaption(QStringLiteral(" Account "));
    DBRadioGroup1->SetDataSource(ADm1->*spec_.HeaderSource);
    DBRadioGroup1->OnChange = [this](QObject* sender) { DBRadioGroup1Change(sender); };

    BtnRePayment = MakeButton(DetailsSheet, "BtnRePayment", QString::fromLatin1(spec_.RePaymentCaption),
                              QRect(8, 300, 200, 25));
    BtnRePayment->OnClick = [this](QObject* sender) { BtnRePaymentClick(sender); };
    BtnApprove =
        MakeButton(DetailsSheet, "BtnApprove", QString::fromLatin1(spec_.ApproveCaption), QRect(216, 300, 120, 25));
    BtnApprove->OnClick = [this](QObject* sender) { BtnApproveClick(sender); };
}

void TScheduleForm::CreateSchedulePage()
{
    TwwDataSource* lines = ADm1->*spec_.LinesSource;
    DBNavigator3 = MakeNavigator(ScheduleSheet, "DBNavigator3", lines, BrowseButtons, 8);
    DBNavigator4 = MakeNavigator(ScheduleSheet, "DBNavigator4", lines, EditButtons, 116);
    DBNavigator4->OnClick = [this](QObject* sender, TNavigateBtn button) { DBNavigator2Click(sender, button); };
    wwDBGrid2 = MakeGrid(ScheduleSheet, "wwDBGrid2", lines, spec_.LineColumns);
    wwDBGrid2->setGeometry(8, 36, 300, 270);
    wwDBGrid2->SetTitleAlignment(taCenter);
    wwDBGrid2->OnCalcCellColors = [this](QObject* sender, TField* field, TGridDrawState state, bool highlight,
                                         TFont& font, TBrush& brush) {
        wwDBGrid2CalcCellColors(sender, field, state, highlight, font, brush);
    };
    DBEdit8 = AddEdit(ScheduleSheet, "DBEdit8", spec_.TotalField, spec_.TotalLabel, 8, 316, 100);
    DBEdit8->SetReadOnly(true);
    DBEdit8->OnEnter = [this](QObject* sender) { DBEdit9Change(sender); };
    BtnTransfer = MakeButton(ScheduleSheet, "BtnTransfer", QStringLiteral("Transfer To Transactions"),
                             QRect(320, 36, 160, 25));
    BtnTransfer->OnClick = [this](QObject* sender) { BtnTransferClick(sender); };
}

void TScheduleForm::FormCreate(QObject*)
{
    if (ScheduleLibraryHandle == 0)
        ScheduleLibraryHandle = LoadLibrary(QStringLiteral("KeldDll1.dll"));
    TiledBitmap1->SetBitMap(LoadBitmap(ScheduleLibraryHandle, QStringLiteral("Back4")));
    TiledBitmap2->SetBitMap(LoadBitmap(ScheduleLibraryHandle, QStringLiteral("Back4")));

    query_ = std::make_unique<TQuery>();
    query_->SetDatabaseName(Header().DatabaseName());
    Query = query_.get();

    Header().Open();
    Lines().Open();
    PageControl1->SetActivePage(DetailsSheet);
    Header().FieldByName(QStringLiteral("StartDate"))->OnChange = [this](TField&) { UpdateFinishDate(); };
    (ADm1->*spec_.HeaderSource)->OnDataChange = [this](TDataSource&, TField*) { UpdateApproveButtons(); };
    UpdateApproveButtons();
    DBRadioGroup1Change(DBRadioGroup1);
}

void TScheduleForm::FormDestroy(QObject*)
{
    Query = nullptr;
    query_.reset();
    // The data module outlives the dialog: its events must not call back into it.
    if (ADm1) {
        Header().FieldByName(QStringLiteral("StartDate"))->OnChange = nullptr;
        (ADm1->*spec_.HeaderSource)->OnDataChange = nullptr;
    }
}

void TScheduleForm::CBoxBankTranClick(QObject*)
{
    const bool autoEdit = CBoxBankTran->Checked();
    (ADm1->*spec_.HeaderSource)->SetAutoEdit(autoEdit);
    (ADm1->*spec_.LinesSource)->SetAutoEdit(autoEdit);
    if (FrmMainMenu) {
        FrmMainMenu->SetAutoEditButtons(DBNavigator2, autoEdit);
        FrmMainMenu->SetAutoEditButtons(DBNavigator4, autoEdit);
    }
}

void TScheduleForm::DBEdit9Change(QObject*) { UpdateFinishDate(); }

void TScheduleForm::DBNavigator2Click(QObject*, TNavigateBtn) { UpdateFinishDate(); }

void TScheduleForm::UpdateFinishDate()
{
    if (!IsEditState(Header().State()))
        return;
    // A new header gets its number of months before its start date: until it
    // has one there is no finish date to work out (its post asks for it).
    const TField* startField = Header().FieldByName(QStringLiteral("StartDate"));
    if (startField->IsNull())
        return;
    const TDateTime start = startField->AsDateTime();
    const int duration = Header().FieldByName(QStringLiteral("Duration"))->AsInteger();
    Header().FieldByName(QStringLiteral("FinishDate"))->SetAsDateTime(AddMonthsMinusDay(start, duration));
    DBEdit4->update();
}

void TScheduleForm::UpdateApproveButtons()
{
    const bool approved = Header().FieldByName(QStringLiteral("Approved"))->AsBoolean();
    BtnApprove->setEnabled(!approved);
    BtnRePayment->setEnabled(!approved);
}

void TScheduleForm::PageControl1Change(QObject*)
{
    DBNavigator2->setEnabled(PageControl1->ActivePage() == DetailsSheet);
}

void TScheduleForm::BtnRePaymentClick(QObject*)
{
    if (MessageDlg(QString::fromLatin1(spec_.ReplaceQuestion), TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
    const bool fromStartMonth =
        MessageDlg(QString::fromLatin1(spec_.StartMonthQuestion), TMsgDlgType::mtWarning, mbYesNo, 0) == mrYes;
    // The lines belong to the header as stored: a header still being typed is posted first.
    if (IsEditState(Header().State()))
        Header().Post();
    const int duration = Header().FieldByName(QStringLiteral("Duration"))->AsInteger();
    const std::vector<TDateTime> dates = ScheduleDates(
        Header().FieldByName(QStringLiteral("StartDate"))->AsDateTime(), std::max(duration, 0), fromStartMonth);
    CreateSchedule(*ADm1, *spec_.Rules, *ADm3->Qt1, dates, duration > 0 ? Instalment() : 0.0);
}

void TScheduleForm::BtnApproveClick(QObject*)
{
    const QString target = ApprovalTarget();
    QString text = target.isEmpty() ? QString() : QString::fromLatin1(spec_.TargetIntro) + CR + target;
    text += CR + QString::fromLatin1(spec_.ApproveQuestion);
    if (MessageDlg(QStringLiteral("Warning, ") + text, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
    if (MessageDlg(QStringLiteral("*FINAL WARNING*, ") + text, TMsgDlgType::mtWarning, mbYesNo, 0) != mrYes)
        Abort();
    Header().Edit();
    Header().FieldByName(QStringLiteral("Approved"))->SetAsBoolean(true);
    Header().Post();
    UpdateApproveButtons();
}

void TScheduleForm::BtnTransferClick(QObject*)
{
    if (!Header().FieldByName(QStringLiteral("Approved"))->AsBoolean()) {
        MessageDlg(QString::fromLatin1(spec_.TransferRefusal), TMsgDlgType::mtWarning, mbOK, 0);
        Abort();
    }
    TransferSchedule(*ADm1, *spec_.Rules, *Query, TransferTarget());
}

void TScheduleForm::wwDBGrid2CalcCellColors(QObject*, TField*, TGridDrawState, bool highlight, TFont& font,
                                            TBrush& brush)
{
    if (highlight)
        font.SetColor(clBlack);
    const TField* date = Lines().FieldByName(QStringLiteral("TransactionDate"));
    const bool open = date->IsNull() || date->AsDateTime() > ADm1->CurrentCloseDate;
    brush.Color = open ? *spec_.OpenLineColour : GridColorPosted;
}
