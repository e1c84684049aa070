#include "platform/ui/tool_bars.h"
#include "platform/ui/menus.h"
#include "platform/ui/standard_controls.h"
#include <QBitmap>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <algorithm>

// ---- TImageList

TImageList::TImageList(QObject* owner, int width, int height) : QObject(owner), width_(width), height_(height)
{
}

int TImageList::Add(const QPixmap& picture)
{
    const int first = Count();
    if (picture.width() > width_ && picture.width() % width_ == 0) {
        for (int x = 0; x < picture.width(); x += width_)
            images_.push_back(picture.copy(x, 0, width_, picture.height()));
    } else {
        images_.push_back(picture);
    }
    return first;
}

int TImageList::AddMasked(const QPixmap& picture, const QColor& maskColor)
{
    QPixmap masked = picture;
    masked.setMask(picture.createMaskFromColor(maskColor, Qt::MaskInColor));
    return Add(masked);
}

QPixmap TImageList::Image(int index) const
{
    return index >= 0 && index < Count() ? images_[static_cast<size_t>(index)] : QPixmap();
}

QIcon TImageList::Icon(int index) const
{
    const QPixmap image = Image(index);
    return image.isNull() ? QIcon() : QIcon(image);
}

// ---- TToolButton

namespace {
constexpr int SeparatorWidth = 8;
constexpr int GripperWidth = 10;
} // namespace

TToolButton::TToolButton(TToolBar* toolBar) : QToolButton(toolBar), toolBar_(toolBar)
{
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(toolBar->Flat());
    connect(this, &QToolButton::clicked, this, [this] {
        if (OnClick)
            OnClick(this);
    });
    toolBar->AddButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle style)
{
    style_ = style;
    setCheckable(style == TToolButtonStyle::tbsCheck);
    setEnabled(!IsGap());
    setPopupMode(style == TToolButtonStyle::tbsDropDown ? QToolButton::MenuButtonPopup : QToolButton::DelayedPopup);
    toolBar_->ArrangeButtons();
}

void TToolButton::SetImageIndex(int index)
{
    imageIndex_ = index;
    ShowImage();
}

void TToolButton::ShowImage()
{
    if (toolBar_->Images())
        setIcon(toolBar_->Images()->Icon(imageIndex_));
}

void TToolButton::SetDown(bool down)
{
    if (style_ != TToolButtonStyle::tbsCheck)
        return;
    setChecked(down);
    if (down)
        toolBar_->ButtonChecked(this);
}

void TToolButton::nextCheckState()
{
    // A grouped check button that is down stays down when clicked again.
    if (isChecked() && grouped_)
        return;
    setChecked(!isChecked());
    if (isChecked())
        toolBar_->ButtonChecked(this);
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu)
{
    dropdownMenu_ = menu;
    setMenu(menu ? menu->Menu() : nullptr);
}

void TToolButton::paintEvent(QPaintEvent* event)
{
    if (!IsGap()) {
        QToolButton::paintEvent(event);
        return;
    }
    // A flat tool bar draws its separators as an etched line, like a divider.
    if (style_ == TToolButtonStyle::tbsDivider || toolBar_->Flat()) {
        QPainter painter(this);
        const int x = width() / 2 - 1;
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(x, 2, x, height() - 3);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(x + 1, 2, x + 1, height() - 3);
    }
}

// ---- TToolBar

TToolBar::TToolBar(QWidget* parent) : QWidget(parent)
{
    resize(150, buttonHeight_ + 4);
}

TToolBar::~TToolBar()
{
    // The buttons die after this object's members.
    for (TToolButton* button : buttons_)
        disconnect(button, nullptr, this, nullptr);
}

void TToolBar::SetFlat(bool flat)
{
    flat_ = flat;
    for (TToolButton* button : buttons_) {
        button->setAutoRaise(flat);
        button->update();
    }
}

void TToolBar::SetImages(TImageList* images)
{
    images_ = images;
    for (TToolButton* button : buttons_)
        button->ShowImage();
    ArrangeButtons();
}

void TToolBar::SetButtonSize(int width, int height)
{
    buttonWidth_ = width;
    buttonHeight_ = height;
    ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool show)
{
    showCaptions_ = show;
    for (TToolButton* button : buttons_)
        button->setToolButtonStyle(show ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    ArrangeButtons();
}

void TToolBar::AddButton(TToolButton* button)
{
    button->setToolButtonStyle(showCaptions_ ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    buttons_.push_back(button);
    connect(button, &QObject::destroyed, this, [this, button] {
        buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
    });
    ArrangeButtons();
}

void TToolBar::ButtonChecked(TToolButton* button)
{
    // Grouped check buttons next to each other, without a gap between them, form a group.
    if (!button->grouped_)
        return;
    const auto at = std::find(buttons_.begin(), buttons_.end(), button);
    auto release = [&](TToolButton* other) {
        if (other->style_ != TToolButtonStyle::tbsCheck || !other->grouped_)
            return false;
        other->setChecked(false);
        return true;
    };
    for (auto it = at; it != buttons_.begin() && release(*(it - 1)); --it) {
    }
    for (auto it = at + 1; it != buttons_.end() && release(*it); ++it) {
    }
}

void TToolBar::resizeEvent(QResizeEvent*)
{
    ArrangeButtons();
}

void TToolBar::ArrangeButtons()
{
    int x = 0;
    const int dropDownArrow = 12;
    for (TToolButton* button : buttons_) {
        if (button->isHidden())
            continue;
        int width = buttonWidth_;
        if (button->IsGap())
            width = SeparatorWidth;
        else if (button->style_ == TToolButtonStyle::tbsDropDown)
            width += dropDownArrow;
        if (images_)
            button->setIconSize(QSize(images_->Width(), images_->Height()));
        button->setGeometry(x, 2, width, buttonHeight_);
        x += width;
    }
}

// ---- TCoolBar

TCoolBar::TCoolBar(QWidget* parent) : QWidget(parent)
{
    resize(150, 30);
}

TCoolBar::~TCoolBar()
{
    for (const TCoolBand& band : bands_)
        disconnect(band.Control, nullptr, this, nullptr);
}

void TCoolBar::AddBand(QWidget* control, const QString& text)
{
    control->setParent(this);
    connect(control, &QObject::destroyed, this, [this, control] {
        bands_.erase(std::remove_if(bands_.begin(), bands_.end(),
                                    [control](const TCoolBand& band) { return band.Control == control; }),
                     bands_.end());
    });
    bands_.push_back({control, text});
    control->show();
    ArrangeBands();
}

int TCoolBar::BandLeft(size_t index) const
{
    int x = 0;
    for (size_t i = 0; i < index; ++i)
        x += bands_[i].Control->width() + GripperWidth;
    return x;
}

void TCoolBar::ArrangeBands()
{
    // Bands sit side by side; the last takes the rest of the width. The bar
    // is as high as its tallest control.
    int height = 0;
    for (const TCoolBand& band : bands_)
        height = std::max(height, band.Control->height());
    if (height > 0 && this->height() != height + 4)
        resize(width(), height + 4);
    for (size_t i = 0; i < bands_.size(); ++i) {
        QWidget* control = bands_[i].Control;
        const int textWidth = bands_[i].Text.isEmpty() ? 0 : fontMetrics().horizontalAdvance(bands_[i].Text) + 4;
        const int left = BandLeft(i) + GripperWidth + textWidth;
        const int width = i + 1 == bands_.size() ? std::max(control->width(), this->width() - left) : control->width();
        control->setGeometry(left, 2, width, control->height());
    }
}

void TCoolBar::resizeEvent(QResizeEvent*)
{
    ArrangeBands();
}

void TCoolBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!bitmap_.isNull())
        painter.drawTiledPixmap(rect(), bitmap_);
    DrawBevelEdge(painter, palette(), rect(), TPanelBevel::bvRaised, 1);
    for (size_t i = 0; i < bands_.size(); ++i) {
        // The gripper: two etched vertical lines at the band's left edge.
        const int x = BandLeft(i) + 2;
        for (int line = 0; line < 2; ++line)
            DrawBevelEdge(painter, palette(), QRect(x + line * 3, 3, 3, height() - 6), TPanelBevel::bvRaised, 1);
        if (!bands_[i].Text.isEmpty())
            painter.drawText(QRect(x + GripperWidth - 2, 0, width(), height()), Qt::AlignVCenter, bands_[i].Text);
    }
}
