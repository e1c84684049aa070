#pragma once
// TRAStatusBar: a status bar of panels side by side, the last reaching to the
// right edge, that holds child controls: a control placed in a panel keeps to
// that panel's inside as the bar and its panels change size (the main window's
// progress bar lives in its last panel this way).
#include <QPointer>
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

    // Makes control a child of the bar that fills the inside of panel `index`.
    void PlaceInPanel(QWidget* control, int index);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TPlacedControl {
        QPointer<QWidget> Control;
        int Panel;
    };
    void ArrangeControls();

    std::vector<TStatusPanel> panels_;
    std::vector<TPlacedControl> placed_;
};
