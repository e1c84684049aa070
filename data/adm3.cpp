#include "data/adm3.h"
#include "data/adm1.h"
#include "data/adm3_rules.h"
#include "data/catalogue_datasets.h"
#include "data/module_tables.h"
#include "dataset/ww_data_source.h"
#include "dataset/ww_query.h"
#include "dataset/ww_table.h"
#include "platform/db/database.h"
#include "platform/db/query.h"

TADm3* ADm3 = nullptr;

namespace {

// The module's members by component name; the catalogue decides what each is.
constexpr TModuleTable<TADm3> TableMembers[] = {
    {"TblRepBank1", &TADm3::TblRepBank1, &TADm3::DsReports},
    {"TblRepTel1", &TADm3::TblRepTel1, nullptr},
    {"TblRepInc1", &TADm3::TblRepInc1, nullptr},
    {"TblRepExp1", &TADm3::TblRepExp1, nullptr},
    {"TblChart1", &TADm3::TblChart1, nullptr},
    {"TblTelPaid", &TADm3::TblTelPaid, &TADm3::DsTelPaid},
    {"TblFastBank", &TADm3::TblFastBank, &TADm3::DsFastBank},
    {"TblProc", &TADm3::TblProc, nullptr},
    {"TblDbl1a", &TADm3::TblDbl1a, &TADm3::DsDbl1a},
    {"TblDbl1b", &TADm3::TblDbl1b, &TADm3::DsDbl1b},
    {"TblDbl1c", &TADm3::TblDbl1c, &TADm3::DsDbl1c},
    {"TblAsset1a", &TADm3::TblAsset1a, &TADm3::DsAsset1a},
    {"TblAsset1b", &TADm3::TblAsset1b, &TADm3::DsAsset1b},
    {"CpyBankAcnt", &TADm3::CpyBankAcnt, nullptr},
};

}  // namespace

TADm3::TADm3(TComponent* owner) : TDataModule(owner) {
    SetName(QStringLiteral("ADm3"));
    ADm3 = this;
    try {
        CreateComponents();
        // ADm3Create: the rules, then the chart table open and unfiltered; the
        // asset tables and the second bank accounts cursor are open from load.
        AttachAdm3Rules(*this);
        TblChart1->Open();
        TblChart1->SetFiltered(false);
        for (TwwTable* table : {TblAsset1a, TblAsset1b, CpyBankAcnt})
            table->Open();
    } catch (...) {
        ADm3 = nullptr;
        throw;
    }
}

TADm3::~TADm3() {
    CloseModuleTables<TADm3>(*this, TableMembers);
    if (ADm3 == this) ADm3 = nullptr;
}

void TADm3::CreateComponents() {
    const QString databaseName = ADm1->DataQuelt->DatabaseName();
    const auto made = CreateModuleDataSets(*this, QStringLiteral("ADm3"), databaseName);
    BindModuleTables<TADm3>(*this, TableMembers, made);
    // Lookups reach into the first module (the communication accounts).
    const TComponentFinder find = [this](const QString& name) -> TComponent* {
        if (TComponent* own = FindComponent(name)) return own;
        return ADm1->FindComponent(name);
    };
    for (const TCatalogueDataSet& dataSet : made)
        ApplyCatalogueEntry(dataSet, find);

    auto makeQuery = [&](TQuery*& query, const char* name) {
        query = new TQuery(this);
        query->SetName(QString::fromLatin1(name));
        query->SetDatabaseName(databaseName);
    };
    makeQuery(Qt1, "Qt1");
    makeQuery(Qt2, "Qt2");
    makeQuery(QtDesc, "QtDesc");
    makeQuery(QTotal, "QTotal");
    QryRT = new TwwQuery(this);
    QryRT->SetName(QStringLiteral("QryRT"));
    QryRT->SetDatabaseName(databaseName);
    QryRT->SetValidateWithMask(true);
}
