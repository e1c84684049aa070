#pragma once
// Group boxes, radio groups and the alignment of controls to their parent's edges.
#include <QGroupBox>
#include <QStringList>
#include <functional>
#include <vector>

class QRadioButton;
class QStyle;

// Docks a control to an edge of its parent, or makes it fill what the docked
// controls leave, and keeps it so when the parent is resized. Controls are
// placed top, bottom, left, right, then client, each group in the order aligned.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
void SetAlign(QWidget* control, TAlign align);
TAlign Align(const QWidget* control);

class TGroupBox : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TGroupBox(QWidget* parent = nullptr) : QGroupBox(parent) {}
    QString Caption() const { return title(); }
    void SetCaption(const QString& caption) { setTitle(caption); }
};

// A group of radio buttons, one per item, laid out in Columns filled top to
// bottom; ItemIndex is the chosen one (-1: none). OnClick answers the user's
// choice only: setting ItemIndex from code does not fire it.
class TRadioGroup : public TGroupBox {
    Q_OBJECT
    Q_PROPERTY(int ItemIndex READ ItemIndex WRITE SetItemIndex)
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    const QStringList& Items() const { return items_; }
    void SetItems(const QStringList& items);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }

    std::function<void(QObject* sender)> OnClick;

protected:
    // Whether the user may change the choice now; a data-aware group asks its dataset.
    virtual bool CanModify() { return true; }
    virtual void DoClick();
    void resizeEvent(QResizeEvent* event) override;

private:
    void ButtonClicked(int index);
    void ArrangeButtons();
    void ShowItemIndex();

    QStringList items_;
    std::vector<QRadioButton*> buttons_;
    QStyle* itemStyle_;
    int columns_ = 1;
    int itemIndex_ = -1;
};
