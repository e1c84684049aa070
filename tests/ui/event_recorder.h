#pragma once
// A widget for tests that notes the key and mouse events that reach it.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <vector>

class TRecorder : public QWidget {
public:
    using QWidget::QWidget;
    struct TSeen {
        QEvent::Type Type;
        int Key = 0;
        Qt::KeyboardModifiers Modifiers;
        Qt::MouseButton Button = Qt::NoButton;
    };
    std::vector<TSeen> Seen;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
            const auto* key = static_cast<QKeyEvent*>(event);
            Seen.push_back({event->type(), key->key(), key->modifiers()});
        } else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            Seen.push_back({event->type(), 0, mouse->modifiers(), mouse->button()});
        }
        return QWidget::event(event);
    }
};
