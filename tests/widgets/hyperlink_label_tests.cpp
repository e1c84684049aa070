#include "widgets/fused_label.h"
#include "tests/ui/test_application.h"
#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the place of the desktop's browser and mail program.
class TLinkCatcher : public QObject {
    Q_OBJECT
public:
    QStringList Opened;
public slots:
    void Open(const QUrl& url) { Opened << url.toString(); }
};

const QColor Background(0, 0, 255);
const QColor Shade(0x80, 0x80, 0x80);

// Which colours a row or column of the grabbed label holds, background aside.
struct TLine {
    bool White = false;
    bool Grey = false;
};

class HyperlinkLabelTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &catcher, "Open");
        label.resize(191, 17);
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "mailto"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }

    void Mouse(QEvent::Type type, QPoint at)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, label.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                          held, Qt::NoModifier);
        QCoreApplication::sendEvent(&label, &event);
    }

    // A big caption in red on blue, drawn without smoothing, so that every
    // pixel is the text, a shade or the background.
    void MakeShadedCaption()
    {
        label.SetAFitType(TFitType::NormalFit);
        label.resize(200, 60);
        QFont big = label.font();
        big.setPixelSize(40);
        big.setBold(true);
        big.setStyleStrategy(QFont::NoAntialias);
        label.setFont(big);
        label.SetCaption(QStringLiteral("HI"));
        label.SetFontColor(Qt::red);
        label.SetTransparent(false);
        QPalette colours = label.palette();
        colours.setColor(QPalette::Window, Background);
        label.setPalette(colours);
    }

    // The topmost and bottommost rows that hold anything but the background.
    std::pair<TLine, TLine> EdgeRows()
    {
        const QImage shot = label.grab().toImage();
        std::vector<TLine> rows;
        for (int y = 0; y < shot.height(); ++y) {
            TLine line;
            bool any = false;
            for (int x = 0; x < shot.width(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                any |= c != Background;
                line.White |= c == QColor(Qt::white);
                line.Grey |= c == Shade;
            }
            if (any)
                rows.push_back(line);
        }
        return rows.empty() ? std::pair<TLine, TLine>{} : std::pair{rows.front(), rows.back()};
    }

    TLinkCatcher catcher;
    TFusedLabel label;
};

} // namespace

TEST_F(HyperlinkLabelTest, RaisedLightAboveSunkenWhilePressed)
{
    MakeShadedCaption();
    label.SetAStyle3D(T3DEffect::Raised3d);
    auto [top, bottom] = EdgeRows();
    EXPECT_TRUE(top.White && !top.Grey);
    EXPECT_TRUE(bottom.Grey && !bottom.White);
    label.grab().save(QStringLiteral("/tmp/quelt_fused_label_raised.png"));

    label.SetURL(QStringLiteral("quelt.example.org"));
    label.SetButtonLike(true);
    Mouse(QEvent::MouseButtonPress, {10, 10});
    EXPECT_EQ(label.AStyle3D(), T3DEffect::Resit3d);
    std::tie(top, bottom) = EdgeRows();
    EXPECT_TRUE(top.Grey && !top.White);
    EXPECT_TRUE(bottom.White && !bottom.Grey);

    Mouse(QEvent::MouseButtonRelease, {10, 10});
    EXPECT_EQ(label.AStyle3D(), T3DEffect::Raised3d);
    EXPECT_EQ(catcher.Opened, QStringList{QStringLiteral("http://quelt.example.org")});
}

TEST_F(HyperlinkLabelTest, ShadowFallsAtItsOffset)
{
    MakeShadedCaption();
    label.SetAStyle3D(T3DEffect::Shadowed3d);
    const QImage shot = label.grab().toImage();
    // The shadow lies 5 right of and 5 above the text: grey beyond the text's right end.
    int textRight = -1, greyRight = -1;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            if (shot.pixelColor(x, y) == QColor(Qt::red))
                textRight = std::max(textRight, x);
            if (shot.pixelColor(x, y) == Shade)
                greyRight = std::max(greyRight, x);
        }
    EXPECT_EQ(greyRight, textRight + 5);
}

TEST_F(HyperlinkLabelTest, FontGrowsToFillTheLabelThenStepsBackTwo)
{
    ASSERT_EQ(label.logicalDpiY(), 96);
    label.SetCaption(QStringLiteral("Quelt"));
    EXPECT_EQ(label.AFitType(), TFitType::BestFitBoth);
    label.grab();
    // 12 points are 16 pixels, 13 points 17: the height stops it at 13, less two.
    EXPECT_EQ(label.font().pointSize(), 11);

    // A long caption on a taller label: the width decides.
    label.SetCaption(QStringLiteral("quelt.example.org/downloads"));
    label.resize(191, 60);
    label.grab();
    const int fitted = label.font().pointSize();
    const auto widthAt = [&](int points) {
        QFont font = label.font();
        font.setPointSize(points);
        return QFontMetrics(font).horizontalAdvance(label.Caption());
    };
    EXPECT_LT(widthAt(fitted + 1), 191);
    EXPECT_GE(widthAt(fitted + 2), 191);

    // A label that keeps its font leaves it alone when resized.
    label.SetAFitType(TFitType::NormalFit);
    label.resize(191, 17);
    label.grab();
    EXPECT_EQ(label.font().pointSize(), fitted);
}

TEST_F(HyperlinkLabelTest, FormatStringTakesTheCaption)
{
    label.SetCaption(QStringLiteral("quelt.example.org"));
    label.SetFormatString(QStringLiteral("Visit %s today"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("Visit quelt.example.org today"));
    label.SetFormatString(QStringLiteral("-").repeated(250) + QStringLiteral("%s"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("-").repeated(250) + QStringLiteral("quelt"));
    // A format that cannot take the caption draws the caption, not an error.
    label.SetFormatString(QStringLiteral("Version %d"));
    EXPECT_EQ(label.DisplayText(), QStringLiteral("quelt.example.org"));
    label.grab();
}

TEST_F(HyperlinkLabelTest, MovesOverTheLabelAreReportedAndAMailLinkOpensTheMailProgram)
{
    int moves = 0, outs = 0;
    label.OnMouseMove = [&](QObject* sender) { moves += sender == &label; };
    label.OnMouseOut = [&](QObject*) { ++outs; };
    label.SetURL(QStringLiteral("help@quelt.example.org"));
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
    Mouse(QEvent::MouseMove, {5, 5});
    Mouse(QEvent::MouseMove, {50, 8});
    EXPECT_EQ(moves, 2);
    Mouse(QEvent::MouseButtonPress, {50, 8});
    Mouse(QEvent::MouseButtonRelease, {50, 8});
    EXPECT_EQ(catcher.Opened, QStringList{QStringLiteral("mailto:help@quelt.example.org")});
    Mouse(QEvent::MouseMove, {250, 8});
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(outs, 1);
}

#include "hyperlink_label_tests.moc"
