#pragma once
// A fresh accounts database for one test: the alias VrAccounts points to a
// temporary directory, US regional settings and a fixed "today" are in force,
// and ADm1 is created on it (which deploys the tables). Message boxes go to a
// scripted presenter.
#include "data/adm1.h"
#include "platform/db/session.h"
#include "platform/rtl/datetime.h"
#include "tests/support/scoped_format_settings.h"
#include "tests/support/scripted_presenter.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>
#include <memory>

class AccountsTest : public ::testing::Test {
protected:
    // The day the tests run on: Monday 16 March 2026.
    static TDateTime Today() { return EncodeDate(2026, 3, 16); }

    void SetUp() override {
        Session().AddStandardAlias(QStringLiteral("VrAccounts"), dir.Path());
        SetClock([] { return Today() + 0.5; });
        adm1 = std::make_unique<TADm1>(nullptr);
    }

    void TearDown() override {
        adm1.reset();
        SetClock({});
    }

    TestDir dir;
    ScopedFormatSettings settings;
    ScriptedPresenter presenter;
    std::unique_ptr<TADm1> adm1;
};
