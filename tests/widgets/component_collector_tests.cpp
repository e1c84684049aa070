#include "widgets/component_collector.h"
#include "platform/ui/form.h"
#include "tests/ui/test_application.h"
#include <gtest/gtest.h>

TEST(ComponentCollectorTest, WindowOpensWithoutShowingItOrKeepingItsList)
{
    TestApplication();
    TForm window;
    window.resize(300, 200);
    auto* collector = new TComponentCollector(&window);
    collector->setObjectName(QStringLiteral("ComponentCollector1"));
    collector->SetButtonHeight(28);
    QStringList held;
    for (const char* name : {"ImageList1", "MainMenu1", "TblLocalTelCom", "DsLocalTelCom", "Series1", "PopupMenu1"})
        held << QString::fromLatin1(name) << QString::fromLatin1(name) << QStringLiteral("TComponent");
    ASSERT_TRUE(collector->setProperty("NVCs", held));

    window.Show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(collector->isVisible());
    // Nothing was made for the listed components, and nothing is written back.
    EXPECT_EQ(window.findChildren<QWidget*>().size(), 1);
    EXPECT_TRUE(collector->property("NVCs").toStringList().isEmpty());
}
