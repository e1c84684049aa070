#pragma once
// Page controls with their tab sheets, and the tab set.
#include <QStringList>
#include <QTabBar>
#include <QWidget>
#include <functional>
#include <vector>

class QStackedWidget;
class TPageControl;

// A page of a page control. A page whose tab is hidden (TabVisible false)
// stays a page: code can still make it the active one.
class TTabSheet : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TTabSheet(TPageControl* pageControl, const QString& caption = QString());

    TPageControl* PageControl() const { return pageControl_; }
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool visible);
    int PageIndex() const;
    void SetPageIndex(int index);
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

private:
    TPageControl* pageControl_;
    QString caption_;
    bool tabVisible_ = true;
    int tag_ = 0;
};

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
    TTabSheet* ActivePage() const { return activePage_; }
    // Shows the page, whether its tab is visible or not; fires no events.
    void SetActivePage(TTabSheet* page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int index);
    QTabBar* TabBar() const { return tabBar_; }

    // A click on a tab: OnChanging may refuse the change, OnChange follows it.
    std::function<void(QObject* sender, bool& allowChange)> OnChanging;
    std::function<void(QObject* sender)> OnChange;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void RemovePage(TTabSheet* page);
    void MovePage(TTabSheet* page, int index);
    void UpdateTabs();
    void TabClicked(int tab);
    void ArrangeChildren();

    QTabBar* tabBar_;
    QStackedWidget* stack_;
    std::vector<TTabSheet*> pages_;
    std::vector<TTabSheet*> tabPages_;   // the page of each tab shown
    TTabSheet* activePage_ = nullptr;
    bool updatingTabs_ = false;
};

// A row of tabs without pages, as under a sheet. OnChange is asked before the
// tab changes, by a click or by code, and may refuse it.
class TTabSet : public QTabBar {
    Q_OBJECT
public:
    explicit TTabSet(QWidget* parent = nullptr);

    const QStringList& Tabs() const { return tabs_; }
    void SetTabs(const QStringList& tabs);
    int TabIndex() const { return tabIndex_; }
    void SetTabIndex(int index);

    std::function<void(QObject* sender, int newTab, bool& allowChange)> OnChange;
    std::function<void(QObject* sender)> OnClick;

private:
    void ShowTabIndex();

    QStringList tabs_;
    int tabIndex_ = -1;
    bool showing_ = false;
};
