#include "data/accounts_directory.h"
#include "data/adm1.h"
#include "data/adm1_rules.h"
#include "data/catalogue_datasets.h"
#include "data/module_tables.h"
#include "data/deployment.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/field.h"
#include "platform/db/session.h"

TADm1* ADm1 = nullptr;

namespace {

constexpr TModuleTable<TADm1> TableMembers[] = {
    {"TblBanks", &TADm1::TblBanks, &TADm1::DsBanks},
    {"TblCurrency", &TADm1::TblCurrency, &TADm1::DsCurrency},
    {"TblCard", &TADm1::TblCard, &TADm1::DsCard},
    {"TblCardType", &TADm1::TblCardType, &TADm1::DsCardType},
    {"TblBankAccounts", &TADm1::TblBankAccounts, &TADm1::DsBankAccounts},
    {"TblBankItems", &TADm1::TblBankItems, &TADm1::DsBankItems},
    {"TblTelCom", &TADm1::TblTelCom, &TADm1::DsTelCom},
    {"TblTelItems", &TADm1::TblTelItems, &TADm1::DsTelItems},
    {"TblIncome", &TADm1::TblIncome, &TADm1::DsIncome},
    {"TblExpense", &TADm1::TblExpense, &TADm1::DsExpense},
    {"TblCategory", &TADm1::TblCategory, &TADm1::DsCategory},
    {"TblConfig", &TADm1::TblConfig, &TADm1::DsConfig},
    {"TblOptions", &TADm1::TblOptions, &TADm1::DsOptions},
    {"TblSkins", &TADm1::TblSkins, &TADm1::DsSkins},
    {"TblTranBank1", &TADm1::TblTranBank1, &TADm1::DsTranBank1},
    {"TblTranTel1", &TADm1::TblTranTel1, &TADm1::DsTranTel1},
    {"TblTranIncome", &TADm1::TblTranIncome, &TADm1::DsTranIncome},
    {"TblTranExpense", &TADm1::TblTranExpense, &TADm1::DsTranExpense},
    {"TblTrnLoan1A", &TADm1::TblTrnLoan1A, &TADm1::DsTrnLoan1A},
    {"TblTrnLoan1B", &TADm1::TblTrnLoan1B, &TADm1::DsTrnLoan1B},
    {"TblTrnRec1A", &TADm1::TblTrnRec1A, &TADm1::DsTrnRec1A},
    {"TblTrnRec1B", &TADm1::TblTrnRec1B, &TADm1::DsTrnRec1B},
};

}  // namespace

TADm1::TADm1(TComponent* owner) : TDataModule(owner) {
    SetName(QStringLiteral("ADm1"));
    ADm1 = this;
    try {
        CreateComponents();
        FDm1Create();
    } catch (...) {
        // A module that could not start is no module: nobody may reach it.
        ADm1 = nullptr;
        throw;
    }
}

// ADm1Destroy: the report lists go with their unique pointers.
TADm1::~TADm1() {
    CloseModuleTables<TADm1>(*this, TableMembers);
    if (ADm1 == this) ADm1 = nullptr;
}

void TADm1::CreateComponents() {
    DataQuelt = new TDatabase(this);
    DataQuelt->SetName(QStringLiteral("DataQuelt"));
    DataQuelt->SetAliasName(AccountsAlias);
    DataQuelt->SetDatabaseName(QStringLiteral("DataQuelt"));
    DataQuelt->SetLoginPrompt(false);

    const auto made = CreateModuleDataSets(*this, QStringLiteral("ADm1"), DataQuelt->DatabaseName());
    BindModuleTables<TADm1>(*this, TableMembers, made);
    const TComponentFinder find = [this](const QString& name) { return FindComponent(name); };
    for (const TCatalogueDataSet& dataSet : made)
        ApplyCatalogueEntry(dataSet, find);

    QryRT = new TwwQuery(this);
    QryRT->SetName(QStringLiteral("QryRT"));
    QryRT->SetDatabaseName(DataQuelt->DatabaseName());
}

TwwTable* TADm1::TableByName(const QString& component) const {
    return qobject_cast<TwwTable*>(FindComponent(component));
}

void TADm1::FDm1Create() {
    AttachAdm1Rules(*this);
    DataQuelt->SetConnected(true);
    Session().AddPassword(QString::fromLatin1(AccountsTablePassword));
    // A new or incomplete database gets its missing tables before anything
    // opens them; existing tables are left exactly as they are.
    DeployAccountsDatabase(DataQuelt->EngineDatabase());
    PeriodKeys = std::make_unique<TStringList>();
    ColumnCaptions = std::make_unique<TStringList>();
    BankColumnCaptions = std::make_unique<TStringList>();
    DataQuelt->SetConnected(true);

    for (TwwTable* table : {TblBanks, TblCurrency, TblCard, TblCardType, TblBankAccounts, TblTelCom, TblCategory,
                            TblTelItems, TblBankItems, TblExpense, TblIncome})
        table->Open();
    // The main window opens these when their accounts are chosen.
    TblTranTel1->Close();
    TblTranBank1->Close();
    TblTranIncome->Open();
    TblTranExpense->Open();
    TblConfig->Open();

    if (TblConfig->IsEmpty()) {
        TblConfig->Insert();
        TblConfig->FieldByName(QStringLiteral("CurrencyCode"))->SetAsString(QStringLiteral("USD"));
        TblConfig->FieldByName(QStringLiteral("CloseDate"))->SetAsDateTime(EncodeDate(1900, 1, 1));
        TblConfig->Post();
    }
    CurrentCloseDate = TblConfig->FieldByName(QStringLiteral("CloseDate"))->AsDateTime();

    TblOptions->Open();
    if (TblOptions->IsEmpty()) {
        TblOptions->Insert();
        TblOptions->Post();
    }
    // Left in edit: the filter window's date edits write into this row.
    TblOptions->Edit();
    for (const char* name : {"FromDate", "ToDate"}) {
        TField* field = TblOptions->FieldByName(QString::fromLatin1(name));
        if (field->IsNull()) field->SetAsDateTime(Date());
    }

    LoadYearRange();
}

void TADm1::LoadYearRange() {
    QryRT->Close();
    QryRT->SQL()->Clear();
    QryRT->SQL()->Add(QStringLiteral("select Min(PeriodYear) as MinYear, Max(PeriodYear) as MaxYear"));
    QryRT->SQL()->Add(QStringLiteral("from TeeData1"));
    QryRT->Open();
    TField* minYear = QryRT->FieldByName(QStringLiteral("MinYear"));
    if (minYear->IsNull()) {
        FirstDataYear = 1900;
        LastDataYear = 2010;
    } else {
        FirstDataYear = minYear->AsInteger();
        LastDataYear = QryRT->FieldByName(QStringLiteral("MaxYear"))->AsInteger();
    }
    QryRT->Close();
}

bool TADm1::SetDataUpdated(bool flag) {
    // Every posted transaction marks the summaries; once the stored mark says so,
    // a second commit of the configuration row would only cost the post its time.
    TField* mark = TblConfig->FieldByName(QStringLiteral("DataUpdated"));
    if (TblConfig->State() == dsBrowse && !mark->IsNull() && mark->AsBoolean() == flag)
        return true;
    TblConfig->Edit();
    mark->SetAsBoolean(flag);
    TblConfig->Post();
    return true;
}
