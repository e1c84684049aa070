#pragma once
// The program's start for the app_* benchmarks (only they include this: it
// needs appcore): the accounts directory, one application for the whole run
// and the three data modules.
#include "app/main_menu.h"
#include "bench/support/accounts_data.h"
#include "bench/support/application.h"
#include "data/adm1.h"
#include "data/adm2.h"
#include "data/adm3.h"
#include "grid/lookup_combo.h"
#include "platform/ui/buttons.h"
#include "platform/db/session.h"
#include "platform/ui/application.h"
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <stdexcept>

// The accounts directory, deployed by a first start and then filled, once a run.
inline QString FilledAccountsDirectory()
{
    static QTemporaryDir directory;
    static const bool filled = [] {
        Session().AddStandardAlias(QStringLiteral("VrAccounts"), directory.path());
        { TADm1 deploy(nullptr); }
        FillAccountsData(QDir(directory.path()).filePath(QStringLiteral("DataQuelt.sqlite")), TAccountsShape{});
        return true;
    }();
    if (!filled)
        throw std::runtime_error("the accounts database could not be filled");
    return directory.path();
}

inline TApplication& BenchApplication() { return BenchApplicationOf<TApplication>(); }

// The program as it starts: its accounts directory (made by Directory), the
// application and the data modules.
struct TStartedProgram {
    explicit TStartedProgram(const std::function<QString()>& directory = FilledAccountsDirectory)
    {
        directory();
        BenchApplication();
        adm1 = std::make_unique<TADm1>(nullptr);
        adm2 = std::make_unique<TADm2>(nullptr);
        adm3 = std::make_unique<TADm3>(nullptr);
    }

    std::unique_ptr<TADm1> adm1;
    std::unique_ptr<TADm2> adm2;
    std::unique_ptr<TADm3> adm3;
};

// Shows the transactions of a generated bank account on the bank page, as
// picking it and pressing the go button does.
inline void ShowBankAccount(TFrmMainMenu& window, int account)
{
    window.wwDbLupEditBankAccount->SetLookupValue(BenchCode(account, 10));
    window.SpeedButton4Click(window.SpeedButton4);
}
