#pragma once
// What a run that writes many rows (a schedule, a transfer) sets around
// itself: the datasets it walks keep their row, a closed table is opened for
// it alone, and a failure leaves database and datasets as they were.
#include "data/adm1.h"
#include "platform/db/dataset.h"
#include "platform/rtl/transaction.h"
#include <utility>
#include <vector>

// Keeps a dataset on its row and its controls quiet while a run walks it.
class TRowKept {
public:
    explicit TRowKept(TDataSet& dataSet);
    ~TRowKept();
    TRowKept(const TRowKept&) = delete;
    TRowKept& operator=(const TRowKept&) = delete;

private:
    TDataSet& dataSet_;
    TBookmark bookmark_;
};

// Opens a closed table for the run and closes it again afterwards, so that
// the main window, which opens it on its own choice of account, finds it as
// it left it.
class TOpenedForRun {
public:
    explicit TOpenedForRun(TDataSet& table);
    ~TOpenedForRun();
    TOpenedForRun(const TOpenedForRun&) = delete;
    TOpenedForRun& operator=(const TOpenedForRun&) = delete;

private:
    TDataSet& table_;
    bool opened_;
};

// Runs work in one transaction. On an error the database goes back to where
// it was, and so do the datasets the work touched: a row half-begun is
// dropped and every row is read again, so that none shows what was undone.
template <typename F>
void RunAllOrNothing(TADm1& dm, const std::vector<TDataSet*>& touched, F&& work)
{
    try {
        RunInTransaction(*dm.DataQuelt, std::forward<F>(work));
    } catch (...) {
        for (TDataSet* dataSet : touched) {
            if (!dataSet->Active())
                continue;
            dataSet->Cancel();
            dataSet->Refresh();
        }
        throw;
    }
}
