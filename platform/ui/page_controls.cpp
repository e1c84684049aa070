#include "platform/ui/page_controls.h"
#include <QSignalBlocker>
#include <QStackedWidget>
#include <algorithm>

// ---- TTabSheet

TTabSheet::TTabSheet(TPageControl* pageControl, const QString& caption)
    : QWidget(nullptr), pageControl_(pageControl), caption_(caption)
{
    pageControl->InsertPage(this);
}

void TTabSheet::SetCaption(const QString& caption)
{
    caption_ = caption;
    pageControl_->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool visible)
{
    tabVisible_ = visible;
    pageControl_->UpdateTabs();
}

int TTabSheet::PageIndex() const
{
    const auto& pages = pageControl_->pages_;
    return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index)
{
    pageControl_->MovePage(this, index);
}

// ---- TPageControl

TPageControl::TPageControl(QWidget* parent)
    : QWidget(parent), tabBar_(new QTabBar(this)), stack_(new QStackedWidget(this))
{
    tabBar_->setDrawBase(false);
    stack_->setFrameShape(QFrame::StyledPanel);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int tab) { TabClicked(tab); });
}

TPageControl::~TPageControl()
{
    // The pages die with the stack, after this object's members.
    for (TTabSheet* page : pages_)
        disconnect(page, nullptr, this, nullptr);
}

void TPageControl::InsertPage(TTabSheet* page)
{
    pages_.push_back(page);
    stack_->addWidget(page);
    connect(page, &QObject::destroyed, this, [this, page] { RemovePage(page); });
    if (!activePage_)
        SetActivePage(page);
    UpdateTabs();
}

void TPageControl::RemovePage(TTabSheet* page)
{
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    if (activePage_ == page)
        activePage_ = nullptr;
    UpdateTabs();
}

void TPageControl::MovePage(TTabSheet* page, int index)
{
    pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    UpdateTabs();
}

void TPageControl::UpdateTabs()
{
    // The tab bar holds only the visible tabs; it is rebuilt whenever they change.
    const QSignalBlocker blocker(tabBar_);
    while (tabBar_->count() > 0)
        tabBar_->removeTab(0);
    tabPages_.clear();
    for (TTabSheet* page : pages_) {
        if (!page->TabVisible())
            continue;
        tabBar_->addTab(page->Caption());
        tabPages_.push_back(page);
    }
    const auto active = std::find(tabPages_.begin(), tabPages_.end(), activePage_);
    if (active != tabPages_.end())
        tabBar_->setCurrentIndex(static_cast<int>(active - tabPages_.begin()));
    tabBar_->setVisible(!tabPages_.empty());
    ArrangeChildren();
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    if (page && page->PageControl() != this)
        return;
    activePage_ = page;
    if (page)
        stack_->setCurrentWidget(page);
    UpdateTabs();
}

int TPageControl::ActivePageIndex() const
{
    return activePage_ ? activePage_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index)
{
    if (index >= 0 && index < PageCount())
        SetActivePage(Pages(index));
}

void TPageControl::TabClicked(int tab)
{
    if (tab < 0 || tab >= static_cast<int>(tabPages_.size()))
        return;
    bool allowChange = true;
    if (OnChanging)
        OnChanging(this, allowChange);
    if (!allowChange) {
        UpdateTabs();   // puts the tab of the page still shown back
        return;
    }
    SetActivePage(tabPages_[static_cast<size_t>(tab)]);
    if (OnChange)
        OnChange(this);
}

void TPageControl::resizeEvent(QResizeEvent*)
{
    ArrangeChildren();
}

void TPageControl::ArrangeChildren()
{
    const int tabHeight = tabBar_->isVisible() || !tabPages_.empty() ? tabBar_->sizeHint().height() : 0;
    tabBar_->setGeometry(0, 0, width(), tabHeight);
    stack_->setGeometry(0, tabHeight, width(), height() - tabHeight);
}

// ---- TTabSet

TTabSet::TTabSet(QWidget* parent) : QTabBar(parent)
{
    setShape(QTabBar::RoundedSouth);
    setDrawBase(true);
    connect(this, &QTabBar::currentChanged, this, [this](int tab) {
        if (!showing_)
            SetTabIndex(tab);
    });
}

void TTabSet::SetTabs(const QStringList& tabs)
{
    tabs_ = tabs;
    showing_ = true;
    while (count() > 0)
        removeTab(0);
    for (const QString& tab : tabs)
        addTab(tab);
    showing_ = false;
    if (tabIndex_ >= tabs.size() || (tabIndex_ < 0 && !tabs.isEmpty()))
        tabIndex_ = tabs.isEmpty() ? -1 : 0;
    ShowTabIndex();
}

void TTabSet::SetTabIndex(int index)
{
    if (index < -1 || index >= tabs_.size() || index == tabIndex_) {
        ShowTabIndex();
        return;
    }
    bool allowChange = true;
    if (OnChange)
        OnChange(this, index, allowChange);
    if (allowChange) {
        tabIndex_ = index;
        if (OnClick)
            OnClick(this);
    }
    ShowTabIndex();
}

void TTabSet::ShowTabIndex()
{
    showing_ = true;
    setCurrentIndex(tabIndex_);
    showing_ = false;
}
