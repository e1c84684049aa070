// The accounts alias: its default directory follows the environment, the
// program's start-up registers it, and every fixed file goes where it points.
#include "data/accounts_directory.h"
#include "platform/db/session.h"
#include "tests/support/temp_dir.h"
#include <gtest/gtest.h>

TEST(AccountsDirectory, AccountsAliasFollowsTheEnvironment) {
    TestDir dir;
    const QByteArray saved = qgetenv("VRACCOUNTS_DIR"), savedXdg = qgetenv("XDG_DATA_HOME");
    qputenv("VRACCOUNTS_DIR", dir.File("own").toUtf8());
    EXPECT_EQ(DefaultAccountsDirectory(), dir.File("own"));
    qunsetenv("VRACCOUNTS_DIR");
    qputenv("XDG_DATA_HOME", dir.Path().toUtf8());
    EXPECT_EQ(DefaultAccountsDirectory(), dir.File("vraccounts"));
    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(DefaultAccountsDirectory().endsWith("/.local/share/vraccounts"));
    qputenv("VRACCOUNTS_DIR", saved);
    qputenv("XDG_DATA_HOME", savedXdg);
    if (saved.isEmpty()) qunsetenv("VRACCOUNTS_DIR");
    if (savedXdg.isEmpty()) qunsetenv("XDG_DATA_HOME");
}

TEST(AccountsDirectory, RegisteredOnceAndFixedFilesFollowTheAlias) {
    TestDir dir;
    qputenv("VRACCOUNTS_DIR", dir.File("first").toUtf8());
    RegisterAccountsAlias();
    EXPECT_TRUE(Session().IsAlias("VRACCOUNTS"));
    // A second start-up keeps an alias that is already set.
    Session().AddStandardAlias(AccountsAlias, dir.File("moved"));
    RegisterAccountsAlias();
    qunsetenv("VRACCOUNTS_DIR");
    EXPECT_EQ(AccountsFile("temp1.sql"), dir.File("moved/temp1.sql"));
    EXPECT_EQ(AccountsFile("oru.oru"), dir.File("moved/oru.oru"));
}
