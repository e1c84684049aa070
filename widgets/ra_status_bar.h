#pragma once
// TRAStatusBar: a status bar of panels side by side, the last reaching to the
// right edge, that holds child controls: a control placed on it moves with
// the bar (the main window's progress bar lives on it this way), and its
// window places and sizes it.
#include <QWidget>
#include <vector>

struct TStatusPanel {
    QString Text;
    int Width = 50;
};

class TRAStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TRAStatusBar(QWidget* parent = nullptr);

    int PanelCount() const { return int(panels_.size()); }
    void AddPanel(int width, const QString& text = QString());
    const TStatusPanel& Panel(int index) const { return panels_.at(index); }
    void SetPanelText(int index, const QString& text);
    void SetPanelWidth(int index, int width);
    // Where panel `index` lies in the bar.
    QRect PanelRect(int index) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<TStatusPanel> panels_;
};
