#pragma once
// TDBNavigator: a row of buttons that move through, insert, delete, edit,
// post, cancel and refresh the records of a data source, enabled as the
// dataset's state allows.
#include "platform/db/data_link.h"
#include <QWidget>
#include <array>
#include <functional>
#include <initializer_list>

class QToolButton;

enum TNavigateBtn { nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost, nbCancel, nbRefresh };
constexpr int NavigateButtonCount = nbRefresh + 1;

// A set of navigator buttons.
class TButtonSet {
public:
    constexpr TButtonSet() = default;
    constexpr TButtonSet(std::initializer_list<TNavigateBtn> buttons)
    {
        for (TNavigateBtn button : buttons)
            bits_ |= Bit(button);
    }
    static constexpr TButtonSet All() { return FromBits((1u << NavigateButtonCount) - 1); }
    constexpr bool Contains(TNavigateBtn button) const { return (bits_ & Bit(button)) != 0; }
    constexpr TButtonSet operator+(TButtonSet other) const { return FromBits(bits_ | other.bits_); }
    constexpr TButtonSet operator-(TButtonSet other) const { return FromBits(bits_ & ~other.bits_); }
    constexpr bool operator==(const TButtonSet&) const = default;

private:
    static constexpr unsigned Bit(TNavigateBtn button) { return 1u << static_cast<unsigned>(button); }
    static constexpr TButtonSet FromBits(unsigned bits)
    {
        TButtonSet set;
        set.bits_ = bits;
        return set;
    }
    unsigned bits_ = 0;
};

class TDBNavigator : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)
    Q_PROPERTY(bool ConfirmDelete READ ConfirmDelete WRITE SetConfirmDelete)
public:
    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    TDataSource* DataSource() const { return dataLink_.DataSource(); }
    void SetDataSource(TDataSource* source);
    // The buttons shown, sharing the navigator's width between them.
    TButtonSet VisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet buttons);
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // Delete asks "Delete record?" first; No leaves the record.
    bool ConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool confirm) { confirmDelete_ = confirm; }
    void SetShowHint(bool show);

    QToolButton* Button(TNavigateBtn button) const { return buttons_[button]; }
    // Does what the button does, as a click on it would.
    void BtnClick(TNavigateBtn button);

    // BeforeAction runs before the button's work (an abort there stops it);
    // OnClick after it.
    std::function<void(QObject* sender, TNavigateBtn button)> BeforeAction;
    std::function<void(QObject* sender, TNavigateBtn button)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    class TNavDataLink : public TDataLink {
    public:
        explicit TNavDataLink(TDBNavigator& navigator) : navigator_(navigator) {}

    protected:
        void ActiveChanged() override { navigator_.UpdateButtons(); }
        void DataSetChanged() override { navigator_.UpdateButtons(); }
        void EditingChanged() override { navigator_.UpdateButtons(); }

    private:
        TDBNavigator& navigator_;
    };

    void UpdateButtons();
    void ArrangeButtons();
    // The buttons never take the keyboard; after one that begins or edits a
    // row, the next keys go into that row: to the list that shows this
    // navigator's data in its window, else to its first control in the tab
    // order.
    void FocusDataControl();

    TNavDataLink dataLink_{*this};
    std::array<QToolButton*, NavigateButtonCount> buttons_{};
    TButtonSet visibleButtons_ = TButtonSet::All();
    bool flat_ = false;
    bool confirmDelete_ = true;
};
