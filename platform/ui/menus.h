#pragma once
// Main menus, pop-up menus and their items. An item's ShortCut belongs to the
// window its menu serves and works there also while the item is hidden, as
// long as it is enabled.
#include <QAction>
#include <QKeySequence>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QMenuBar;
class QShortcut;
class TMenu;

class TMenuItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool Checked READ Checked WRITE SetChecked)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    // The new item is appended to parent's items when parent is given.
    explicit TMenuItem(TMenuItem* parent = nullptr, const QString& caption = QString());
    ~TMenuItem() override;

    // "-" makes the item a separator; "&" marks the access key.
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    QKeySequence ShortCut() const { return shortCut_; }
    void SetShortCut(const QKeySequence& shortCut);
    // Clicking an item does not check it: its handler sets Checked.
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    // A radio item that becomes checked unchecks the radio items of its
    // GroupIndex among its siblings.
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool radio);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    // Kept here: Qt reports a hidden action as disabled.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return action_->isVisible(); }
    void SetVisible(bool visible) { action_->setVisible(visible); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    void SetHint(const QString& hint) { action_->setStatusTip(hint); }

    void Add(TMenuItem* item);
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const { return parent_; }
    bool IsLine() const { return caption_ == QLatin1String("-"); }

    // Runs OnClick, as choosing the item or pressing its shortcut does.
    void Click();

    QAction* Action() const { return action_.get(); }
    // The pop-up of the item's sub-items, made with the first of them.
    QMenu* SubMenu() const { return subMenu_.get(); }

    std::function<void(QObject* sender)> OnClick;

private:
    friend class TMenu;
    void ShowText();
    void AttachShortCut();
    TMenu* Menu() const;

    QString caption_;
    QKeySequence shortCut_;
    bool checked_ = false;
    bool radioItem_ = false;
    bool enabled_ = true;
    int groupIndex_ = 0;
    int tag_ = 0;
    TMenuItem* parent_ = nullptr;
    std::vector<TMenuItem*> items_;
    std::unique_ptr<QAction> action_;
    std::unique_ptr<QMenu> subMenu_;
    QPointer<QShortcut> shortcut_;
    QWidget* container_ = nullptr;   // where the sub-items' actions go; the root's is the menu's widget
    TMenu* menu_ = nullptr;          // set on the root item only
};

// A menu: its root item holds the items shown; Window is the window whose
// keys reach the items' shortcuts.
class TMenu : public QObject {
    Q_OBJECT
public:
    TMenuItem* Items() const { return items_.get(); }
    QWidget* Window() const { return window_; }

protected:
    TMenu(QWidget* window, QWidget* container);
    ~TMenu() override;

private:
    QWidget* window_;
    std::unique_ptr<TMenuItem> items_;
};

// The menu bar of a form; it docks at the top of the form.
class TMainMenu : public TMenu {
    Q_OBJECT
public:
    explicit TMainMenu(QWidget* form);
    QMenuBar* MenuBar() const { return menuBar_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TMainMenu(QWidget* form, QMenuBar* bar);
    QMenuBar* menuBar_;
};

// A menu that pops up at a point, for a control's right click or a tool
// button's drop-down arrow.
class TPopupMenu : public TMenu {
    Q_OBJECT
public:
    explicit TPopupMenu(QWidget* owner);
    ~TPopupMenu() override;
    QMenu* Menu() const { return menu_.get(); }
    void Popup(int x, int y);   // screen coordinates

    std::function<void(QObject* sender)> OnPopup;

private:
    TPopupMenu(QWidget* owner, std::unique_ptr<QMenu> menu);
    std::unique_ptr<QMenu> menu_;
};
