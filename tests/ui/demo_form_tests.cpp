// A small window holding the controls together, grabbed and read by pixel.
// Set QUELT_SCREENSHOTS to keep the picture for a look.
#include "platform/db/data_source.h"
#include "tests/ui/save_screenshot.h"
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/db_navigator.h"
#include "platform/ui/form.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "platform/ui/tool_bars.h"
#include "tests/db/db_test_env.h"
#include "tests/ui/test_application.h"
#include <QDir>
#include <QPainter>
#include <QToolButton>

namespace {

QPixmap Swatch(const QColor& colour, int size = 16)
{
    QPixmap swatch(size, size);
    swatch.fill(colour);
    return swatch;
}

// The darkest grey level in a rectangle of the picture.
int Darkest(const QImage& image, const QRect& area)
{
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

class DemoFormTest : public DbTest {
protected:
    static void SetUpTestSuite() { TestApplication(); }
};

} // namespace

TEST_F(DemoFormTest, ControlsPaintTheirPicturesGlyphsAndBackgrounds)
{
    CreateBanks();
    AddBank("B1", "First bank");
    AddBank("B2", "Second bank");
    TTable* banks = NewTable("Pbanks");
    auto* source = new TDataSource(&owner);
    source->SetDataSet(banks);
    banks->Open();

    TForm form;
    form.SetCaption(QStringLiteral("Demo"));
    form.SetClientSize(480, 320);
    TMainMenu menu(&form);
    auto* file = new TMenuItem(menu.Items(), QStringLiteral("&File"));
    new TMenuItem(file, QStringLiteral("&Exit"));
    new TMenuItem(menu.Items(), QStringLiteral("&Options"));

    auto* coolBar = new TCoolBar(&form);
    coolBar->SetBitmap(Swatch(QColor(200, 40, 40), 8));
    TImageList images(&form);
    QPixmap strip(32, 16);
    strip.fill(QColor(30, 90, 200));
    images.Add(strip);
    auto* toolBar = new TToolBar;
    toolBar->SetFlat(true);
    toolBar->SetImages(&images);
    toolBar->resize(200, 26);
    auto* references = new TToolButton(toolBar);
    references->SetImageIndex(0);
    references->SetStyle(TToolButtonStyle::tbsDropDown);
    new TToolButton(toolBar);
    toolBar->Buttons(1)->SetStyle(TToolButtonStyle::tbsSeparator);
    auto* ascending = new TToolButton(toolBar);
    ascending->SetImageIndex(1);
    ascending->SetStyle(TToolButtonStyle::tbsCheck);
    ascending->SetDown(true);
    coolBar->AddBand(toolBar);
    SetAlign(coolBar, TAlign::alTop);

    auto* navigator = new TDBNavigator(&form);
    navigator->SetVisibleButtons({nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel});
    navigator->SetFlat(true);
    navigator->resize(225, 25);
    navigator->SetDataSource(source);
    auto* navPanel = new TPanel(&form);
    navPanel->resize(10, 31);
    navigator->setParent(navPanel);
    navigator->move(3, 3);
    SetAlign(navPanel, TAlign::alTop);

    auto* pages = new TPageControl(&form);
    SetAlign(pages, TAlign::alClient);
    auto* details = new TTabSheet(pages, QStringLiteral("Loan Details"));
    new TTabSheet(pages, QStringLiteral("Loan Re-Payment Schedule"));
    auto* group = new TRadioGroup(details);
    group->SetCaption(QStringLiteral(" Account "));
    group->setGeometry(10, 10, 200, 60);
    group->SetColumns(2);
    group->SetItems({"Bank", "Income"});
    group->SetItemIndex(0);
    auto* label = new TLabel(details);
    label->move(10, 80);
    label->SetCaption(QStringLiteral("Auto && Edit"));
    auto* check = new TCheckBox(details);
    check->SetCaption(QStringLiteral("Auto Edit"));
    check->move(10, 100);
    auto* bevel = new TBevel(details);
    bevel->setGeometry(220, 10, 120, 60);
    auto* image = new TImage(details);
    image->setGeometry(360, 10, 40, 40);
    QPixmap picture(20, 20);
    picture.fill(Qt::white);   // the bottom-left colour: left out
    QPainter(&picture).fillRect(5, 5, 10, 10, QColor(0, 160, 0));
    image->SetPicture(picture);
    image->SetTransparent(true);
    auto* swatch = new TShape(details);
    swatch->setGeometry(360, 60, 30, 16);
    swatch->SetBrushColor(QColor(255, 255, 0));
    auto* ok = new TButton(details);
    ok->SetKind(TBitBtnKind::bkOK);
    ok->move(220, 90);

    form.Show();
    const QImage shot = form.grab().toImage();
    SaveScreenshot(shot, QStringLiteral("demo_form"));

    EXPECT_EQ(label->text(), QStringLiteral("Auto & Edit"));
    // The cool bar's picture shows between its edge and the gripper.
    const QPoint background = coolBar->mapTo(&form, QPoint(9, 1));
    EXPECT_EQ(shot.pixelColor(background), QColor(200, 40, 40));
    // The tool buttons show their slices of the image strip.
    EXPECT_EQ(images.Count(), 2);
    const QPoint icon = ascending->mapTo(&form, ascending->rect().center());
    EXPECT_EQ(shot.pixelColor(icon), QColor(30, 90, 200));
    // The navigator draws its glyphs: dark on an enabled button, light on a disabled one.
    auto glyphArea = [&](TNavigateBtn button) {
        QToolButton* b = navigator->Button(button);
        return QRect(b->mapTo(&form, b->rect().center() - QPoint(5, 5)), QSize(11, 11));
    };
    EXPECT_LT(Darkest(shot, glyphArea(nbNext)), 80);
    EXPECT_GT(Darkest(shot, glyphArea(nbFirst)), Darkest(shot, glyphArea(nbNext)) + 40);
    // The transparent picture leaves out its white; its green square shows.
    const QPoint corner = image->mapTo(&form, QPoint(1, 1));
    EXPECT_NE(shot.pixelColor(corner), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(image->mapTo(&form, QPoint(10, 10))), QColor(0, 160, 0));
    EXPECT_EQ(shot.pixelColor(swatch->mapTo(&form, QPoint(0, 0))), QColor(Qt::black)) << "the pen";
    EXPECT_EQ(shot.pixelColor(swatch->mapTo(&form, QPoint(15, 8))), QColor(255, 255, 0)) << "the brush";
}
