#pragma once
// TComponentCollector: gathers a form's non-visual components into a bar of
// buttons while the form is being designed. The program has no form designer,
// so a collector is never seen: it hides itself and drops the list of the
// components it held (name, title and class name of each, in threes).
#include <QStringList>
#include <QWidget>

class TComponentCollector : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
    Q_PROPERTY(QStringList NVCs READ NVCs WRITE SetNVCs)
public:
    explicit TComponentCollector(QWidget* parent = nullptr);

    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height) { buttonHeight_ = height; }

    // Outside the designer the list is read and dropped, so it is always empty.
    QStringList NVCs() const { return {}; }
    void SetNVCs(const QStringList&) {}

private:
    int buttonHeight_ = 27;
};
