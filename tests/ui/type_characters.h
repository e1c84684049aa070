#pragma once
// Types a text into a widget one key a character, as QTest::keyClicks does,
// also characters that keyClicks cannot type (it takes Latin-1 only): each
// comes in one key event, whole, as the window system delivers it, so that a
// character beyond 16 bits arrives as both of its halves together.
#include <QString>
#include <QTest>

inline void TypeCharacters(QWidget* widget, const QString& text)
{
    for (const char32_t ch : text.toUcs4()) {
        if (ch < 0x100) {
            QTest::keyClick(widget, char(ch));
            continue;
        }
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(ch), QString::fromUcs4(&ch, 1), Qt::NoModifier);
    }
}
