#include "platform/ui/buttons.h"
#include "platform/ui/form.h"
#include <QStyle>

QPixmap FirstGlyph(const QPixmap& glyph, int numGlyphs)
{
    const int width = numGlyphs > 1 ? glyph.width() / numGlyphs : glyph.width();
    return glyph.copy(0, 0, width, glyph.height());
}

TButton::TButton(QWidget* parent) : QPushButton(parent)
{
    // Enter is the form's business (the default button or the focused one), not Qt's.
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Click(); });
}

void TButton::SetDefault(bool value)
{
    default_ = value;
    setDefault(value);   // the style draws the default frame
}

void TButton::SetGlyph(const QPixmap& glyph, int numGlyphs)
{
    const QPixmap first = FirstGlyph(glyph, numGlyphs);
    setIcon(QIcon(first));
    setIconSize(first.size());
}

void TButton::Click()
{
    if (modalResult_ != mrNone)
        if (TForm* form = GetParentForm(this))
            form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
}

void TButton::SetKind(TBitBtnKind kind)
{
    kind_ = kind;
    struct TKindLook { const char* caption; QStyle::StandardPixmap icon; int result; bool isDefault; };
    static const TKindLook looks[] = {
        {"", QStyle::SP_CustomBase, mrNone, false},
        {"OK", QStyle::SP_DialogOkButton, mrOk, true},
        {"Cancel", QStyle::SP_DialogCancelButton, mrCancel, false},
        {"&Yes", QStyle::SP_DialogYesButton, mrYes, true},
        {"&No", QStyle::SP_DialogNoButton, mrNo, false},
    };
    if (kind == TBitBtnKind::bkCustom)
        return;
    const TKindLook& look = looks[static_cast<int>(kind)];
    setText(QString::fromLatin1(look.caption));
    setIcon(style()->standardIcon(look.icon));
    modalResult_ = look.result;
    SetDefault(look.isDefault);
    cancel_ = !look.isDefault;
}

TCheckBox::TCheckBox(QWidget* parent) : QCheckBox(parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this] {
        if (OnClick)
            OnClick(this);
    });
}

TCheckBoxState TCheckBox::State() const
{
    switch (checkState()) {
    case Qt::Checked: return TCheckBoxState::cbChecked;
    case Qt::PartiallyChecked: return TCheckBoxState::cbGrayed;
    default: return TCheckBoxState::cbUnchecked;
    }
}

void TCheckBox::SetState(TCheckBoxState state)
{
    static const Qt::CheckState states[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    setCheckState(states[static_cast<int>(state)]);
}

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(this, &QToolButton::clicked, this, [this] {
        if (OnClick)
            OnClick(this);
    });
}

void TSpeedButton::SetCaption(const QString& caption)
{
    setText(caption);
    setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::SetGlyph(const QPixmap& glyph, int numGlyphs)
{
    const QPixmap first = FirstGlyph(glyph, numGlyphs);
    setIcon(QIcon(first));
    setIconSize(first.size());
    if (text().isEmpty())
        setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void TSpeedButton::SetGroupIndex(int index)
{
    groupIndex_ = index;
    setCheckable(index != 0);
}

void TSpeedButton::SetDown(bool down)
{
    if (groupIndex_ == 0)
        return;
    setChecked(down);
    if (down)
        ReleaseGroup();
}

void TSpeedButton::nextCheckState()
{
    if (isChecked() && !allowAllUp_)
        return;
    setChecked(!isChecked());
    if (isChecked())
        ReleaseGroup();
}

void TSpeedButton::ReleaseGroup()
{
    if (!parentWidget())
        return;
    for (TSpeedButton* other : parentWidget()->findChildren<TSpeedButton*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->groupIndex_ == groupIndex_)
            other->setChecked(false);
}
