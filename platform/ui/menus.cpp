#include "platform/ui/menus.h"
#include "platform/ui/containers.h"
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <algorithm>

TMenuItem::TMenuItem(TMenuItem* parent, const QString& caption) : action_(std::make_unique<QAction>())
{
    connect(action_.get(), &QAction::triggered, this, [this] {
        // Qt flips a checkable action by itself; the item's check changes only by its handler.
        action_->setChecked(checked_);
        Click();
    });
    SetCaption(caption);
    if (parent)
        parent->Add(this);
}

TMenuItem::~TMenuItem()
{
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
    qDeleteAll(std::vector<TMenuItem*>(items_));
    if (parent_) {
        auto& siblings = parent_->items_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    delete shortcut_;
}

void TMenuItem::SetCaption(const QString& caption)
{
    caption_ = caption;
    action_->setSeparator(IsLine());
    ShowText();
}

void TMenuItem::ShowText()
{
    // A separator's "-" only marks it as one: the style would draw the text
    // beside the line.
    if (IsLine()) {
        action_->setText(QString());
        return;
    }
    // The shortcut is shown in the menu but answered by our own QShortcut, so
    // that it keeps working while the item is hidden.
    QString text = caption_;
    if (!shortCut_.isEmpty())
        text += QLatin1Char('\t') + shortCut_.toString(QKeySequence::NativeText);
    action_->setText(text);
}

void TMenuItem::SetShortCut(const QKeySequence& shortCut)
{
    shortCut_ = shortCut;
    ShowText();
    AttachShortCut();
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

void TMenuItem::AttachShortCut()
{
    delete shortcut_;
    TMenu* menu = Menu();
    if (shortCut_.isEmpty() || !menu || !menu->Window())
        return;
    shortcut_ = new QShortcut(shortCut_, menu->Window());
    shortcut_->setContext(Qt::WindowShortcut);
    connect(shortcut_, &QShortcut::activated, this, [this] {
        if (Enabled())
            Click();
    });
    for (TMenuItem* item : items_)
        item->AttachShortCut();
}

void TMenuItem::SetChecked(bool checked)
{
    checked_ = checked;
    action_->setCheckable(checked || radioItem_ || action_->isCheckable());
    action_->setChecked(checked);
    if (checked && radioItem_ && parent_)
        for (TMenuItem* sibling : parent_->items_)
            if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_ && sibling->checked_)
                sibling->SetChecked(false);
}

void TMenuItem::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    action_->setEnabled(enabled);
}

void TMenuItem::SetRadioItem(bool radio)
{
    radioItem_ = radio;
    action_->setCheckable(true);
    SetChecked(checked_);
}

void TMenuItem::Add(TMenuItem* item)
{
    if (item->parent_ == this)
        return;
    if (item->parent_) {
        auto& siblings = item->parent_->items_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), item), siblings.end());
    }
    item->parent_ = this;
    item->setParent(this);
    items_.push_back(item);
    if (!container_) {
        subMenu_ = std::make_unique<QMenu>();
        action_->setMenu(subMenu_.get());
        container_ = subMenu_.get();
    }
    container_->addAction(item->action_.get());
    item->AttachShortCut();
}

void TMenuItem::Click()
{
    if (OnClick)
        OnClick(this);
}

// ---- menus

TMenu::TMenu(QWidget* window, QWidget* container) : QObject(window), window_(window), items_(std::make_unique<TMenuItem>())
{
    items_->menu_ = this;
    items_->container_ = container;
}

TMenu::~TMenu() = default;

TMainMenu::TMainMenu(QWidget* form) : TMainMenu(form, new QMenuBar(form))
{
}

TMainMenu::TMainMenu(QWidget* form, QMenuBar* bar) : TMenu(form, bar), menuBar_(bar)
{
    bar->setNativeMenuBar(false);
    bar->installEventFilter(this);
    bar->resize(form->width(), bar->sizeHint().height());
    SetAlign(bar, TAlign::alTop);
}

bool TMainMenu::eventFilter(QObject* watched, QEvent* event)
{
    // The bar is as high as its items need; the docked controls below follow.
    const QEvent::Type type = event->type();
    if (watched == menuBar_ && (type == QEvent::ActionAdded || type == QEvent::ActionChanged
                                || type == QEvent::ActionRemoved || type == QEvent::FontChange || type == QEvent::Show))
        menuBar_->resize(menuBar_->width(), menuBar_->sizeHint().height());
    return TMenu::eventFilter(watched, event);
}

TPopupMenu::TPopupMenu(QWidget* owner) : TPopupMenu(owner, std::make_unique<QMenu>())
{
}

TPopupMenu::TPopupMenu(QWidget* owner, std::unique_ptr<QMenu> menu) : TMenu(owner ? owner->window() : nullptr, menu.get()), menu_(std::move(menu))
{
    connect(menu_.get(), &QMenu::aboutToShow, this, [this] {
        if (OnPopup)
            OnPopup(this);
    });
}

TPopupMenu::~TPopupMenu() = default;

void TPopupMenu::Popup(int x, int y)
{
    menu_->popup(QPoint(x, y));
}
