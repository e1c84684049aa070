#include "grid/dialog_buttons.h"
#include "dataset/intl.h"
#include "platform/ui/design_fonts.h"
#include "platform/ui/form.h"
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

namespace {

// Sizes are laid out for 96 pixels per inch.
int Scaled(int size, const QWidget* widget)
{
    const QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    const int pixelsPerInch = screen ? static_cast<int>(screen->logicalDotsPerInch()) : 96;
    return size * pixelsPerInch / 96;
}

QFont DialogButtonFont(unsigned style)
{
    QFont font = DesignFont(QStringLiteral("MS Sans Serif"), -11);
    font.setBold(style & TwwIntl::dfsBold);
    font.setItalic(style & TwwIntl::dfsItalic);
    font.setUnderline(style & TwwIntl::dfsUnderline);
    font.setStrikeOut(style & TwwIntl::dfsStrikeOut);
    return font;
}

QStyle::StandardPixmap GlyphOf(TDialogButtonKind kind)
{
    switch (kind) {
    case TDialogButtonKind::OK: return QStyle::SP_DialogOkButton;
    case TDialogButtonKind::Cancel: return QStyle::SP_DialogCancelButton;
    case TDialogButtonKind::Help: break;
    }
    return QStyle::SP_DialogHelpButton;
}

} // namespace

QPushButton* CreateDialogButton(TForm* dialog, TDialogButtonKind kind)
{
    const TwwIntl& texts = GlobalIntl();
    auto* button = new QPushButton(dialog);   // owned by the dialog

    const bool glyph = texts.OKCancelBitmapped();
    if (glyph) {
        button->setIcon(button->style()->standardIcon(GlyphOf(kind), nullptr, button));
        button->setFont(DialogButtonFont(texts.DialogFontStyle()));
        QPalette palette = button->palette();
        palette.setColor(QPalette::ButtonText, palette.color(QPalette::WindowText));
        button->setPalette(palette);
    }
    button->resize(Scaled(77, button), Scaled(glyph ? 27 : 24, button));

    switch (kind) {
    case TDialogButtonKind::OK:
        button->setText(texts.BtnOKCaption());
        QObject::connect(button, &QPushButton::clicked, dialog, [dialog] { dialog->SetModalResult(mrOk); });
        break;
    case TDialogButtonKind::Cancel: {
        button->setText(texts.BtnCancelCaption());
        QObject::connect(button, &QPushButton::clicked, dialog, [dialog] { dialog->SetModalResult(mrCancel); });
        auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), button);   // owned by the button
        QObject::connect(escape, &QShortcut::activated, button, &QPushButton::click);
        break;
    }
    case TDialogButtonKind::Help:
        button->setText(QStringLiteral("Help"));
        break;
    }
    return button;
}
