#pragma once
// The summaries fixture with a stored close date and a presenter that fails
// the summary rebuild at a chosen step, for the tests of closing a period.
#include "tests/data/summaries_fixture.h"

class PeriodCloseFixture : public SummariesTest {
protected:
    // The close date in the configuration row and in force.
    void StoreClose(int year, int month, int day) {
        Db().Execute("Update PConfig1 set CloseDate = ?", {Day(year, month, day)});
        adm1->TblConfig->Refresh();
        CloseAt(year, month, day);
    }
};

// Fails the rebuild with an engine error when its progress reaches step.
class FailingPresenter : public ScriptedPresenter {
public:
    explicit FailingPresenter(int step) : step_(step) {}
    void SetProgressPosition(int position) override {
        ScriptedPresenter::SetProgressPosition(position);
        if (position == step_)
            throw EDatabaseError(QStringLiteral("Table is busy"));
    }

private:
    int step_;
};
