#include "platform/ui/containers.h"
#include <QEvent>
#include <QProxyStyle>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <algorithm>

namespace {

// The forms give a radio item the width of a 13-pixel circle, a small gap and
// its caption; the toolkit's own circle and gap are wider and would cut short
// captions ("Jan", "Feb") in narrow columns. As on the forms' own system, a
// click anywhere on the item chooses it, not only on its circle and caption.
class TRadioItemStyle : public QProxyStyle {
public:
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override
    {
        if (element == SE_RadioButtonClickRect)
            return option->rect;
        return QProxyStyle::subElementRect(element, option, widget);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        switch (metric) {
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: return 13;
        case PM_RadioButtonLabelSpacing: return 4;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

const char* const AlignProperty = "quelt_align";
const char* const AlignOrderProperty = "quelt_align_order";

// Watches a parent and lays out its aligned children whenever it is resized
// or one of them is shown, hidden or resized.
class TAlignLayout : public QObject {
public:
    explicit TAlignLayout(QWidget* parent) : QObject(parent), parent_(parent)
    {
        setObjectName(QStringLiteral("quelt_align_layout"));
        parent->installEventFilter(this);
    }

    void Watch(QWidget* child) { child->installEventFilter(this); }

    void Arrange()
    {
        if (arranging_)
            return;
        arranging_ = true;
        std::vector<QWidget*> children;
        for (QObject* object : parent_->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child && !child->isWindow() && child->isVisibleTo(parent_) && Align(child) != TAlign::alNone)
                children.push_back(child);
        }
        std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) {
            if (Align(a) != Align(b))
                return Align(a) < Align(b);
            return a->property(AlignOrderProperty).toInt() < b->property(AlignOrderProperty).toInt();
        });
        QRect room = parent_->contentsRect();
        for (QWidget* child : children) {
            switch (Align(child)) {
            case TAlign::alTop:
                child->setGeometry(room.left(), room.top(), room.width(), child->height());
                room.setTop(room.top() + child->height());
                break;
            case TAlign::alBottom:
                child->setGeometry(room.left(), room.bottom() + 1 - child->height(), room.width(), child->height());
                room.setBottom(room.bottom() - child->height());
                break;
            case TAlign::alLeft:
                child->setGeometry(room.left(), room.top(), child->width(), room.height());
                room.setLeft(room.left() + child->width());
                break;
            case TAlign::alRight:
                child->setGeometry(room.right() + 1 - child->width(), room.top(), child->width(), room.height());
                room.setRight(room.right() - child->width());
                break;
            default:
                child->setGeometry(room);
                break;
            }
        }
        arranging_ = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if ((watched == parent_ && (type == QEvent::Resize || type == QEvent::Show))
            || (watched != parent_ && (type == QEvent::Resize || type == QEvent::ShowToParent
                                       || type == QEvent::HideToParent)))
            Arrange();
        return false;
    }

private:
    QWidget* parent_;
    bool arranging_ = false;
};

} // namespace

TAlign Align(const QWidget* control)
{
    return static_cast<TAlign>(control->property(AlignProperty).toInt());
}

void SetAlign(QWidget* control, TAlign align)
{
    static int order = 0;
    control->setProperty(AlignProperty, static_cast<int>(align));
    control->setProperty(AlignOrderProperty, ++order);
    QWidget* parent = control->parentWidget();
    if (!parent)
        return;
    auto* layout = parent->findChild<TAlignLayout*>(QStringLiteral("quelt_align_layout"), Qt::FindDirectChildrenOnly);
    if (!layout)
        layout = new TAlignLayout(parent);
    layout->Watch(control);
    layout->Arrange();
}

// ---- TRadioGroup

TRadioGroup::TRadioGroup(QWidget* parent) : TGroupBox(parent), itemStyle_(new TRadioItemStyle)
{
    itemStyle_->setParent(this);
}

void TRadioGroup::SetItems(const QStringList& items)
{
    items_ = items;
    for (QRadioButton* button : buttons_)
        delete button;
    buttons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setStyle(itemStyle_);
        // The group decides: a click becomes the choice only if it may change.
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this, [this, i] { ButtonClicked(i); });
        button->show();
        buttons_.push_back(button);
    }
    if (itemIndex_ >= items.size())
        itemIndex_ = -1;
    ShowItemIndex();
    ArrangeButtons();
}

void TRadioGroup::SetColumns(int columns)
{
    columns_ = std::max(1, columns);
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < -1 || index >= static_cast<int>(buttons_.size()))
        index = -1;
    if (index == itemIndex_)
        return;
    itemIndex_ = index;
    ShowItemIndex();
}

void TRadioGroup::DoClick()
{
    if (OnClick)
        OnClick(this);
}

void TRadioGroup::ButtonClicked(int index)
{
    if (index != itemIndex_ && CanModify()) {
        itemIndex_ = index;
        ShowItemIndex();
        DoClick();
    } else {
        ShowItemIndex();
    }
}

void TRadioGroup::ShowItemIndex()
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setChecked(static_cast<int>(i) == itemIndex_);
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    TGroupBox::resizeEvent(event);
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons()
{
    if (buttons_.empty())
        return;
    // Inside the frame below the caption; columns share the width, rows the height.
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    const QRect inner = style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, this)
                            .adjusted(6, 0, -4, -2);
    const int count = static_cast<int>(buttons_.size());
    const int rows = (count + columns_ - 1) / columns_;
    // Columns share the group's width less its frames, as the forms were laid out for.
    const int columnWidth = (width() - 10) / columns_;
    const int rowHeight = std::max(1, inner.height() / std::max(1, rows));
    for (int i = 0; i < count; ++i) {
        const int column = i / rows, row = i % rows;
        const int buttonHeight = std::min(rowHeight, buttons_[i]->sizeHint().height());
        buttons_[i]->setGeometry(8 + column * columnWidth,
                                 inner.top() + row * rowHeight + (rowHeight - buttonHeight) / 2,
                                 columnWidth, buttonHeight);
    }
}
