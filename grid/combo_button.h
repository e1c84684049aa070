#pragma once
// TwwComboButton: the drop-down button of a lookup combo. It lives on the
// combo's button panel; pressing it opens the drop-down, or takes the row and
// closes an open one. The combo paints it.
#include <QWidget>

class TwwDBCustomLookupCombo;

class TwwComboButton : public QWidget {
    Q_OBJECT
public:
    TwwComboButton(TwwDBCustomLookupCombo& combo, QWidget* panel);
    bool Down() const { return down_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TwwDBCustomLookupCombo& combo_;
    bool down_ = false;
};
