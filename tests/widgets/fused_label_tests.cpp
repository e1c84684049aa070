#include "widgets/fused_label.h"
#include "tests/ui/test_application.h"
#include <QDesktopServices>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the place of the desktop's browser and mail program.
class TUrlCatcher : public QObject {
    Q_OBJECT
public:
    QStringList Opened;
public slots:
    void Open(const QUrl& url) { Opened << url.toString(); }
};

class FusedLabelTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "Open");
        label.resize(191, 17);
        label.SetFontColor(Qt::red);
        label.SetEnterColor(Qt::black);
        label.OnMouseOut = [this](QObject*) { ++mouseOuts; };
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void Enter()
    {
        QEnterEvent event(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&label, &event);
    }
    void Leave()
    {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &event);
    }
    void Mouse(QEvent::Type type, QPoint at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, label.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &event);
    }

    TUrlCatcher catcher;
    TFusedLabel label;
    int mouseOuts = 0;
};

} // namespace

TEST_F(FusedLabelTest, UrlLosesItsSchemeAndGetsItBackWhenOpened)
{
    label.SetURL(QStringLiteral("HTTP://quelt.example.org/news"));
    EXPECT_EQ(label.URL(), QStringLiteral("quelt.example.org/news"));
    EXPECT_EQ(label.toolTip(), QStringLiteral("quelt.example.org/news"));
    EXPECT_EQ(label.LinkType(), TLinkType::ltWeb);
    EXPECT_EQ(label.LinkAddress(), QStringLiteral("http://quelt.example.org/news"));
}

TEST_F(FusedLabelTest, AddressWithItsOwnSchemeIsOpenedAsGiven)
{
    label.SetURL(QStringLiteral("https://quelt.example.org/"));
    EXPECT_EQ(label.LinkAddress(), QStringLiteral("https://quelt.example.org/"));
}

TEST_F(FusedLabelTest, AtSignWithoutSlashMakesAMailLink)
{
    label.SetURL(QStringLiteral("mailto:help@quelt.example.org"));
    EXPECT_EQ(label.LinkType(), TLinkType::ltMail);
    EXPECT_EQ(label.URL(), QStringLiteral("help@quelt.example.org"));
    EXPECT_EQ(label.LinkAddress(), QStringLiteral("mailto:help@quelt.example.org"));
    label.SetURL(QStringLiteral("quelt.example.org/~help@home"));
    EXPECT_EQ(label.LinkType(), TLinkType::ltWeb);
}

TEST_F(FusedLabelTest, HoverTakesTheEnterColourAndLeavingRestoresItOnce)
{
    Enter();
    EXPECT_EQ(label.FontColor(), QColor(Qt::black));
    Leave();
    Leave();
    EXPECT_EQ(label.FontColor(), QColor(Qt::red));
    EXPECT_EQ(mouseOuts, 1);
}

TEST_F(FusedLabelTest, ClickInsideOpensTheLink)
{
    label.SetURL(QStringLiteral("https://quelt.example.org/"));
    int clicks = 0;
    label.OnClick = [&](QObject*) { ++clicks; };
    Enter();
    Mouse(QEvent::MouseButtonPress, {10, 8});
    Mouse(QEvent::MouseButtonRelease, {10, 8});
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(catcher.Opened, QStringList{QStringLiteral("https://quelt.example.org/")});
}

TEST_F(FusedLabelTest, ButtonLikeLooksPressedUntilTheMouseLeaves)
{
    label.SetURL(QStringLiteral("quelt.example.org"));
    label.SetButtonLike(true);
    Enter();
    Mouse(QEvent::MouseButtonPress, {10, 8});
    EXPECT_TRUE(label.Pressed());
    Mouse(QEvent::MouseMove, {300, 8});
    EXPECT_FALSE(label.Pressed());
    EXPECT_EQ(label.FontColor(), QColor(Qt::red));
    EXPECT_EQ(mouseOuts, 1);
    Mouse(QEvent::MouseButtonRelease, {300, 8});
    EXPECT_TRUE(catcher.Opened.isEmpty());   // released outside: no click
}

TEST_F(FusedLabelTest, ClickWithoutAnAddressOpensNothing)
{
    Enter();
    Mouse(QEvent::MouseButtonPress, {10, 8});
    Mouse(QEvent::MouseButtonRelease, {10, 8});
    EXPECT_TRUE(catcher.Opened.isEmpty());
}

#include "fused_label_tests.moc"
