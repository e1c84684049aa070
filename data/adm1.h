#pragma once
// The first accounts data module: the connection to the accounts database,
// every reference, transaction and configuration table with its data source,
// the scratch query, and the program-wide values other windows share.
#include "platform/db/data_module.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/string_list.h"
#include <QString>
#include <map>
#include <memory>

class TDatabase;
class TDataSet;
class TwwTable;
class TwwQuery;
class TwwDataSource;

// Watched values of a reference row, saved when its edit begins so that the
// duplicate checks can tell whether the user changed them.
struct TSavedEditValues {
    QString Value1;
    QString Value2;
    QString Value3;
};

class TADm1 : public TDataModule {
    Q_OBJECT
public:
    // Builds the components and runs FDm1Create; an engine error propagates.
    explicit TADm1(TComponent* owner);
    ~TADm1() override;

    void LoadYearRange();
    bool SetDataUpdated(bool flag);
    // The table component of the given name ("TblBanks"); null when absent.
    TwwTable* TableByName(const QString& component) const;

    TDatabase* DataQuelt = nullptr;

    TwwTable* TblBanks = nullptr;
    TwwTable* TblCurrency = nullptr;
    TwwTable* TblCard = nullptr;
    TwwTable* TblCardType = nullptr;
    TwwTable* TblBankAccounts = nullptr;
    TwwTable* TblBankItems = nullptr;
    TwwTable* TblTelCom = nullptr;
    TwwTable* TblTelItems = nullptr;
    TwwTable* TblIncome = nullptr;
    TwwTable* TblExpense = nullptr;
    TwwTable* TblCategory = nullptr;
    TwwTable* TblConfig = nullptr;
    TwwTable* TblOptions = nullptr;
    TwwTable* TblSkins = nullptr;
    TwwTable* TblTranBank1 = nullptr;
    TwwTable* TblTranTel1 = nullptr;
    TwwTable* TblTranIncome = nullptr;
    TwwTable* TblTranExpense = nullptr;
    TwwTable* TblTrnLoan1A = nullptr;
    TwwTable* TblTrnLoan1B = nullptr;
    TwwTable* TblTrnRec1A = nullptr;
    TwwTable* TblTrnRec1B = nullptr;

    TwwDataSource* DsBanks = nullptr;
    TwwDataSource* DsCurrency = nullptr;
    TwwDataSource* DsCard = nullptr;
    TwwDataSource* DsCardType = nullptr;
    TwwDataSource* DsBankAccounts = nullptr;
    TwwDataSource* DsBankItems = nullptr;
    TwwDataSource* DsTelCom = nullptr;
    TwwDataSource* DsTelItems = nullptr;
    TwwDataSource* DsIncome = nullptr;
    TwwDataSource* DsExpense = nullptr;
    TwwDataSource* DsCategory = nullptr;
    TwwDataSource* DsConfig = nullptr;
    TwwDataSource* DsOptions = nullptr;
    TwwDataSource* DsSkins = nullptr;
    TwwDataSource* DsTranBank1 = nullptr;
    TwwDataSource* DsTranTel1 = nullptr;
    TwwDataSource* DsTranIncome = nullptr;
    TwwDataSource* DsTranExpense = nullptr;
    TwwDataSource* DsTrnLoan1A = nullptr;
    TwwDataSource* DsTrnLoan1B = nullptr;
    TwwDataSource* DsTrnRec1A = nullptr;
    TwwDataSource* DsTrnRec1B = nullptr;

    // Scratch query of the code, count and duplicate rules; closed, its text
    // replaced and reopened for each use.
    TwwQuery* QryRT = nullptr;

    // Program-wide values.
    TDateTime CurrentCloseDate = 0;
    int FirstDataYear = 0;
    int LastDataYear = 0;
    std::unique_ptr<TStringList> PeriodKeys;
    std::unique_ptr<TStringList> ColumnCaptions;
    std::unique_ptr<TStringList> BankColumnCaptions;
    int LastPeriodIndex = 0;
    int CrossTabMode = 0;
    QString Key1Caption;
    QString Key2Caption;
    int ChartYear = 0;
    bool FilterActive = false;
    // Kept per reference table, so that editing one table never disturbs the
    // duplicate check of another.
    std::map<const TDataSet*, TSavedEditValues> SavedEditValues;

private:
    void CreateComponents();
    void FDm1Create();
};

// The one instance, set by the constructor and cleared by the destructor.
extern TADm1* ADm1;
