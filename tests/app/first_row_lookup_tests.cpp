// The reference window after a restart: every card row shows its card type
// from the moment the window opens, the row it opens on included.
#include "app/references_form.h"
#include "platform/db/data_link.h"
#include "platform/ui/menus.h"
#include "tests/app/main_window_fixture.h"
#include <QTimer>

namespace {

class FirstRowLookupTest : public MainWindowTest {
protected:
    // The first card has a type of the deployment's own list, a second card
    // the same type, and the first bank account is on the first card. The
    // rows go in after a first start; the data modules are then made anew,
    // as the program starts again.
    void AddRows(TEngineDatabase& db) override
    {
        db.Execute(QStringLiteral("update PCCards set CardType = 'A' where CardCode = '0000000001'"));
        Put(db, "PCCards", {{"CardCode", "0000000002"}, {"CardName", "House Account"}, {"CardType", "A"}});
    }

    // The Card Type text of each row of the card grid, as it paints them.
    static QStringList CardTypes(TwwDBGrid& grid)
    {
        TDataLink& link = grid.DataLink();
        const int active = link.ActiveRecord();
        QStringList types;
        for (int row = 0; row < link.RecordCount(); ++row) {
            link.SetActiveRecord(row);
            types << grid.DataSource()->DataSet()->FieldByName(QStringLiteral("CalcCardType"))->DisplayText();
        }
        link.SetActiveRecord(active);
        return types;
    }
};

TEST_F(FirstRowLookupTest, EveryCardRowShowsItsTypeWhenTheWindowOpens)
{
    ShowWindow();
    QStringList seen;
    QString current;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!FrmRefrences || !FrmRefrences->isVisible())
            return;
        poll.stop();
        QApplication::processEvents();
        seen = CardTypes(*FrmRefrences->wwDBGrid4);
        current = adm1->TblCard->FieldByName(QStringLiteral("CalcCardType"))->DisplayText();
        FrmRefrences->Close();
    });
    poll.start(0);
    QMetaObject::invokeMethod(window->Banks1->Action(), &QAction::trigger, Qt::QueuedConnection);
    QApplication::processEvents();
    poll.stop();
    Reactivate();

    EXPECT_EQ(seen, (QStringList{"Current Account", "Current Account"}));
    EXPECT_EQ(current, "Current Account") << "the row the window opens on";
}

} // namespace
