#include "widgets/component_collector.h"
#include "platform/db/data_module.h"
#include "platform/rtl/exceptions.h"
#include "platform/ui/form.h"
#include "tests/support/scripted_presenter.h"
#include "tests/ui/test_application.h"
#include <QMetaProperty>
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

// A window gives the collector's settings by name, as its design stores them;
// the version is read only and not stored.
TEST(ComponentCollectorTest, PublishesItsSettingsWithTheirDefaultsAndRefusesADataModule)
{
    TestApplication();
    TForm window;
    TComponentCollector collector(&window);
    const std::pair<const char*, QVariant> defaults[] = {
        {"AutoHide", true},   {"AttachSide", TComponentCollector::asTop},     {"ButtonWidth", 130},
        {"HiddenBarWidth", 3}, {"Layout", TComponentCollector::blGlyphLeft}, {"Margin", 2},
        {"ScrollTime", 400},  {"ShowTitles", true},                          {"ShowPicture", true},
        {"Spacing", 2},       {"ButtonHeight", 27}};
    for (const auto& [name, value] : defaults) {
        const QVariant read = collector.property(name);
        ASSERT_TRUE(read.isValid()) << name;
        EXPECT_EQ(read.toInt(), value.toInt()) << name;
    }
    EXPECT_TRUE(collector.setProperty("AttachSide", TComponentCollector::asLeft));
    EXPECT_EQ(collector.property("AttachSide").toInt(), TComponentCollector::asLeft);
    EXPECT_TRUE(collector.setProperty("ButtonWidth", 90));
    EXPECT_EQ(collector.property("ButtonWidth").toInt(), 90);
    QFont font = collector.property("Font").value<QFont>();
    font.setBold(true);
    EXPECT_TRUE(collector.setProperty("Font", font));
    EXPECT_TRUE(collector.font().bold());
    const QMetaProperty version =
        collector.metaObject()->property(collector.metaObject()->indexOfProperty("VersionInfo"));
    EXPECT_FALSE(version.isWritable());
    EXPECT_FALSE(version.isStored());
    EXPECT_FALSE(collector.property("VersionInfo").toString().isEmpty());

    // On a data module the collector explains itself once and is not made.
    ScriptedPresenter presenter;
    TDataModule module;
    EXPECT_THROW(TComponentCollector{&module}, EAbort);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_TRUE(presenter.LastText().contains(QStringLiteral("\" = class(TDataModule)\"")));
    EXPECT_TRUE(presenter.LastText().contains(QStringLiteral("\" = class(TForm)\"")));
    EXPECT_TRUE(module.findChildren<QObject*>().isEmpty());
}
