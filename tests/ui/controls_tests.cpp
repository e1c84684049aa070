// The ordinary controls driven by mouse and keys: menus, the up-down, page
// controls, tab sets, radio groups, speed and tool buttons.
#include "platform/ui/buttons.h"
#include "platform/ui/containers.h"
#include "platform/ui/form.h"
#include "platform/ui/menus.h"
#include "platform/ui/page_controls.h"
#include "platform/ui/standard_controls.h"
#include "platform/ui/tool_bars.h"
#include "tests/ui/test_application.h"
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ControlsTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void ShowForm()
    {
        form->resize(400, 300);
        form->Show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    std::unique_ptr<TForm> form = std::make_unique<TForm>();
};

QWidget* ChildAt(QWidget* parent, QPoint point)
{
    QWidget* child = parent->childAt(point);
    return child ? child : parent;
}

} // namespace

TEST_F(ControlsTest, MenuShortcutsWorkWhileTheItemIsHiddenButNotWhileDisabled)
{
    TMainMenu menu(form.get());
    auto* options = new TMenuItem(menu.Items(), QStringLiteral("&Options"));
    auto* assets = new TMenuItem(options, QStringLiteral("Asset Transactions"));
    assets->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_A));
    assets->SetVisible(false);
    auto* loans = new TMenuItem(options, QStringLiteral("&Loans"));
    loans->SetShortCut(QKeySequence(Qt::CTRL | Qt::Key_L));
    loans->SetEnabled(false);
    new TMenuItem(options, QStringLiteral("-"));
    QStringList clicked;
    assets->OnClick = [&](QObject*) { clicked << "assets"; };
    loans->OnClick = [&](QObject*) { clicked << "loans"; };
    ShowForm();

    QTest::keyClick(form.get(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form.get(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(clicked, QStringList({"assets"}));
    EXPECT_TRUE(options->Items(2)->Action()->isSeparator());
    EXPECT_EQ(menu.MenuBar()->actions().at(0)->text(), QStringLiteral("&Options"));
    EXPECT_EQ(loans->Action()->text(), QStringLiteral("&Loans\t") + QKeySequence(Qt::CTRL | Qt::Key_L).toString(QKeySequence::NativeText));
}

TEST_F(ControlsTest, AMenuSeparatorIsDrawnAsALineAlone)
{
    TPopupMenu popup(form.get());
    for (const char* caption : {"&Banks", "-", "&All Refrences"})
        new TMenuItem(popup.Items(), QString::fromLatin1(caption));
    QMenu plain;
    plain.addAction(QStringLiteral("&Banks"));
    plain.addSeparator();
    plain.addAction(QStringLiteral("&All Refrences"));
    ShowForm();

    popup.Popup(10, 10);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup.Menu()));
    plain.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));
    EXPECT_EQ(popup.Menu()->grab().toImage(), plain.grab().toImage());
    popup.Menu()->close();
    plain.close();
}

TEST_F(ControlsTest, MenuItemsCheckOnlyByTheirHandlerAndRadioItemsExcludeEachOther)
{
    TPopupMenu popup(form.get());
    auto* flat = new TMenuItem(popup.Items(), QStringLiteral("&Flat Buttons"));
    flat->SetChecked(true);
    flat->OnClick = [&](QObject*) { flat->SetChecked(!flat->Checked()); };
    auto* plain = new TMenuItem(popup.Items(), QStringLiteral("Plain"));
    auto* ascending = new TMenuItem(popup.Items(), QStringLiteral("Ascending"));
    auto* descending = new TMenuItem(popup.Items(), QStringLiteral("Descending"));
    for (TMenuItem* item : {ascending, descending}) {
        item->SetRadioItem(true);
        item->SetGroupIndex(1);
    }
    ascending->SetChecked(true);

    flat->Action()->trigger();
    EXPECT_FALSE(flat->Checked());
    EXPECT_FALSE(flat->Action()->isChecked());
    plain->Action()->trigger();
    EXPECT_FALSE(plain->Checked()) << "clicking does not check an item by itself";
    descending->SetChecked(true);
    EXPECT_FALSE(ascending->Checked());
    EXPECT_FALSE(ascending->Action()->isChecked());
}

TEST_F(ControlsTest, UpDownArrowsAndKeysStepTheEditsNumberWithinItsRange)
{
    auto* edit = new QLineEdit(form.get());
    edit->setGeometry(10, 10, 60, 22);
    auto* upDown = new TUpDown(form.get());
    upDown->SetMin(1);
    upDown->SetMax(12);
    upDown->SetIncrement(5);
    upDown->SetAssociate(edit);
    std::vector<TUDBtnType> clicks;
    upDown->OnClick = [&](QObject*, TUDBtnType button) { clicks.push_back(button); };
    ShowForm();
    EXPECT_EQ(edit->text(), QStringLiteral("1"));
    EXPECT_EQ(upDown->geometry().left(), edit->geometry().right() + 1);

    QWidget* up = ChildAt(upDown, {5, 3});
    QWidget* down = ChildAt(upDown, {5, upDown->height() - 3});
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("6"));
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("12")) << "stops at Max";
    edit->setText(QStringLiteral("4"));   // typed by the user
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("1")) << "from the typed 4, stops at Min";
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(upDown->Position(), 6);
    EXPECT_EQ(clicks, (std::vector<TUDBtnType>{TUDBtnType::btNext, TUDBtnType::btNext, TUDBtnType::btNext,
                                               TUDBtnType::btPrev, TUDBtnType::btNext}));

    upDown->OnChanging = [](QObject*, bool& allow) { allow = false; };
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("6"));
}

TEST_F(ControlsTest, PagesWithHiddenTabsStaySelectableByCodeAndTabClicksAskFirst)
{
    auto* pages = new TPageControl(form.get());
    pages->setGeometry(0, 0, 400, 300);
    auto* bank = new TTabSheet(pages, QStringLiteral("Bank Accounts"));
    auto* scratch = new TTabSheet(pages, QStringLiteral("Scratch"));
    auto* income = new TTabSheet(pages, QStringLiteral("Income"));
    scratch->SetTabVisible(false);
    int changes = 0;
    bool allow = true;
    pages->OnChanging = [&](QObject*, bool& allowChange) { allowChange = allow; };
    pages->OnChange = [&](QObject*) { ++changes; };
    ShowForm();

    EXPECT_EQ(pages->TabBar()->count(), 2);
    EXPECT_EQ(pages->ActivePage(), bank);
    pages->SetActivePage(scratch);
    EXPECT_TRUE(scratch->isVisible()) << "a page whose tab is hidden can still be shown";
    EXPECT_FALSE(bank->isVisible());
    EXPECT_EQ(pages->ActivePageIndex(), 1);
    EXPECT_EQ(changes, 0) << "code changing the page fires no events";

    QTest::mouseClick(pages->TabBar(), Qt::LeftButton, {}, pages->TabBar()->tabRect(1).center());
    EXPECT_EQ(pages->ActivePage(), income);
    EXPECT_TRUE(income->isVisible());
    EXPECT_EQ(changes, 1);
    allow = false;
    QTest::mouseClick(pages->TabBar(), Qt::LeftButton, {}, pages->TabBar()->tabRect(0).center());
    EXPECT_EQ(pages->ActivePage(), income);
    EXPECT_EQ(pages->TabBar()->currentIndex(), 1);
    EXPECT_EQ(changes, 1);

    income->SetTabVisible(false);
    bank->SetTabVisible(false);
    EXPECT_FALSE(pages->TabBar()->isVisible()) << "with every tab hidden only the page shows";
    EXPECT_TRUE(income->isVisible());
    income->SetPageIndex(0);
    EXPECT_EQ(pages->Pages(0), income);
    EXPECT_EQ(bank->PageIndex(), 1);
}

TEST_F(ControlsTest, TabSetAsksBeforeChangingByClickOrCode)
{
    auto* tabs = new TTabSet(form.get());
    tabs->SetTabs({"Legend", "Setup"});
    std::vector<int> asked;
    bool allow = false;
    tabs->OnChange = [&](QObject*, int newTab, bool& allowChange) {
        asked.push_back(newTab);
        allowChange = allow;
    };
    ShowForm();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(tabs->TabIndex(), 0);
    EXPECT_EQ(tabs->currentIndex(), 0);
    allow = true;
    tabs->SetTabIndex(1);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(asked, (std::vector<int>{1, 1}));
}

TEST_F(ControlsTest, RadioGroupChoosesByClickInColumns)
{
    auto* group = new TRadioGroup(form.get());
    group->setGeometry(0, 0, 300, 90);
    group->SetColumns(2);
    group->SetItems({"Bank", "Income", "Expense"});
    int clicks = 0;
    group->OnClick = [&](QObject*) { ++clicks; };
    ShowForm();
    EXPECT_GT(group->Button(2)->x(), group->Button(0)->x()) << "the third item starts the second column";
    EXPECT_EQ(group->Button(1)->x(), group->Button(0)->x());

    QTest::mouseClick(group->Button(1), Qt::LeftButton, {}, QPoint(5, group->Button(1)->height() / 2));
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Button(1)->isChecked());
    QTest::mouseClick(group->Button(2), Qt::LeftButton, {}, QPoint(5, group->Button(2)->height() / 2));
    EXPECT_FALSE(group->Button(1)->isChecked());
    QTest::mouseClick(group->Button(2), Qt::LeftButton, {}, QPoint(5, group->Button(2)->height() / 2));
    EXPECT_EQ(clicks, 2) << "a click on the chosen item changes nothing";
    group->SetItemIndex(0);
    EXPECT_TRUE(group->Button(0)->isChecked());
    EXPECT_EQ(clicks, 2) << "a choice made by code is no click";
}

TEST_F(ControlsTest, LabelsShowAccessKeysOnlyWithAFocusControlAndAnswerDoubleClicks)
{
    auto* label = new TLabel(form.get());
    label->SetCaption(QStringLiteral("&Income && Expenses"));
    EXPECT_EQ(label->text(), QStringLiteral("Income & Expenses"));
    auto* edit = new QLineEdit(form.get());
    edit->move(0, 40);
    label->SetFocusControl(edit);
    EXPECT_EQ(label->text(), QStringLiteral("&Income && Expenses"));
    int doubleClicks = 0;
    label->OnDblClick = [&](QObject*) { ++doubleClicks; };
    ShowForm();
    QTest::mouseDClick(label, Qt::LeftButton);
    EXPECT_EQ(doubleClicks, 1);
    QTest::keyClick(form.get(), Qt::Key_I, Qt::AltModifier);
    EXPECT_TRUE(edit->hasFocus()) << "the access key focuses the focus control";
}

TEST_F(ControlsTest, SpeedAndToolButtonGroupsKeepOneDown)
{
    auto* ascending = new TSpeedButton(form.get());
    auto* descending = new TSpeedButton(form.get());
    descending->move(30, 0);
    for (TSpeedButton* button : {ascending, descending})
        button->SetGroupIndex(1);
    ascending->SetDown(true);
    auto* bar = new TToolBar(form.get());
    bar->move(0, 40);
    auto* check1 = new TToolButton(bar);
    auto* check2 = new TToolButton(bar);
    auto* gap = new TToolButton(bar);
    auto* loose = new TToolButton(bar);
    for (TToolButton* button : {check1, check2, loose}) {
        button->SetStyle(TToolButtonStyle::tbsCheck);
        button->SetGrouped(true);
    }
    gap->SetStyle(TToolButtonStyle::tbsSeparator);
    ShowForm();

    QTest::mouseClick(descending, Qt::LeftButton);
    EXPECT_TRUE(descending->Down());
    EXPECT_FALSE(ascending->Down());
    QTest::mouseClick(descending, Qt::LeftButton);
    EXPECT_TRUE(descending->Down()) << "without AllowAllUp the down button stays down";
    descending->SetAllowAllUp(true);
    QTest::mouseClick(descending, Qt::LeftButton);
    EXPECT_FALSE(descending->Down());

    QTest::mouseClick(loose, Qt::LeftButton);
    QTest::mouseClick(check1, Qt::LeftButton);
    QTest::mouseClick(check2, Qt::LeftButton);
    EXPECT_FALSE(check1->Down());
    EXPECT_TRUE(check2->Down());
    EXPECT_TRUE(loose->Down()) << "a separator ends the group";
    EXPECT_EQ(gap->width(), 8);
    EXPECT_FALSE(gap->isEnabled());
}

TEST_F(ControlsTest, ToolButtonDropsDownItsPopupMenu)
{
    auto* bar = new TToolBar(form.get());
    bar->setGeometry(0, 0, 200, 30);
    TPopupMenu popup(form.get());
    auto* banks = new TMenuItem(popup.Items(), QStringLiteral("&Banks"));
    banks->SetTag(11);
    int chosenTag = 0;
    banks->OnClick = [&](QObject* sender) { chosenTag = static_cast<TMenuItem*>(sender)->Tag(); };
    auto* references = new TToolButton(bar);
    references->SetStyle(TToolButtonStyle::tbsDropDown);
    references->SetDropdownMenu(&popup);
    bool shown = false;
    popup.OnPopup = [&](QObject*) {
        shown = true;
        QTimer::singleShot(0, popup.Menu(), [&] {
            QTest::keyClick(popup.Menu(), Qt::Key_Down);
            QTest::keyClick(popup.Menu(), Qt::Key_Return);
        });
    };
    ShowForm();
    EXPECT_GT(references->width(), bar->ButtonWidth()) << "room for the arrow";
    // The arrow part of the button is at its right edge.
    QTest::mouseClick(references, Qt::LeftButton, {}, QPoint(references->width() - 4, references->height() / 2));
    EXPECT_TRUE(shown);
    EXPECT_EQ(chosenTag, 11);
}

TEST_F(ControlsTest, AlignedControlsShareTheParentAndFollowItsSize)
{
    TMainMenu menu(form.get());
    new TMenuItem(menu.Items(), QStringLiteral("&File"));
    auto* top = new TPanel(form.get());
    top->resize(10, 30);
    auto* status = new TPanel(form.get());
    status->resize(10, 20);
    auto* client = new TPanel(form.get());
    SetAlign(client, TAlign::alClient);
    SetAlign(status, TAlign::alBottom);
    SetAlign(top, TAlign::alTop);
    ShowForm();
    const int menuHeight = menu.MenuBar()->height();
    EXPECT_GT(menuHeight, 10) << "the bar grows with its items";
    EXPECT_EQ(top->geometry(), QRect(0, menuHeight, 400, 30));
    EXPECT_EQ(status->geometry(), QRect(0, 280, 400, 20));
    EXPECT_EQ(client->geometry(), QRect(0, menuHeight + 30, 400, 250 - menuHeight));
    top->hide();
    form->resize(500, 300);
    EXPECT_EQ(client->geometry(), QRect(0, menuHeight, 500, 280 - menuHeight));
}
