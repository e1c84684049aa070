#pragma once
// TwwDBLookupCombo: the edit with which the windows pick a code from a
// reference table. The user types; the combo searches the lookup table while
// typing (a timer gathers the keys), shows the matching rows in a drop-down
// grid, and writes the chosen row's lookup-field value (the code) into the
// data field of the edited record while it shows the row's display field (the
// description).
//
// TwwDBCustomLookupCombo holds the behaviour; TwwDBLookupCombo publishes it.
#include "dataset/setting_types.h"
#include "grid/lookup_types.h"
#include "platform/db/data_link.h"
#include "platform/db/db_types.h"
#include "platform/ui/custom_edit.h"
#include <QSet>
#include <QTimer>

class TDataSet;
class TDataSource;
class TStrings;
class TwwComboButton;
class TwwCustomDBGrid;
class TwwLookupBinding;
class TwwPopupGrid;
class TwwTable;

class TwwDBCustomLookupCombo : public TCustomEdit {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
    Q_PROPERTY(TStrings* Selected READ Selected WRITE SetSelected)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(TDataSet* LookupTable READ LookupTable WRITE SetLookupTable)
    Q_PROPERTY(QString LookupField READ LookupField WRITE SetLookupField)
    Q_PROPERTY(bool ReadOnly READ ReadOnly WRITE SetReadOnly)
    Q_PROPERTY(bool AutoDropDown READ AutoDropDown WRITE SetAutoDropDown)
    Q_PROPERTY(bool ShowButton READ ShowButton WRITE SetShowButton)
    Q_PROPERTY(int DropDownCount READ DropDownCount WRITE SetDropDownCount)
    Q_PROPERTY(int DropDownWidth READ DropDownWidth WRITE SetDropDownWidth)

public:
    // The delay between the last key and the search, in milliseconds.
    static constexpr int SearchDelay = 333;

    explicit TwwDBCustomLookupCombo(QWidget* parent = nullptr);
    ~TwwDBCustomLookupCombo() override;

    // ---- The edited record: the field that receives the code.
    TDataSource* DataSource() const { return link_.DataSource(); }
    // EInvalidOperation "Unable to use duplicate DataSource and LookupSource"
    // when Source shows the lookup table itself.
    void SetDataSource(TDataSource* source);
    QString DataField() const { return link_.FieldName(); }
    void SetDataField(const QString& name);
    TField* Field() const { return link_.Field(); }

    // ---- The reference table and its fields.
    TDataSet* LookupTable() const;
    void SetLookupTable(TDataSet* table);
    // Up to three field names separated by ";": the first is written into DataField.
    QString LookupField() const;
    void SetLookupField(const QString& names);
    // The columns of the drop-down: field TAB width in characters TAB title.
    // The first listed field is the one the combo shows.
    TStrings* Selected() const;
    void SetSelected(TStrings* lines);

    // The combo is at least as high as its font needs.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool on);
    TAlignment DropDownAlignment() const { return dropDownAlignment_; }
    void SetDropDownAlignment(TAlignment alignment) { dropDownAlignment_ = alignment; }
    TwwDBLookupListOptions Options() const;
    void SetOptions(TwwDBLookupListOptions options);
    TwwDBLookupComboStyle Style() const { return style_; }
    void SetStyle(TwwDBLookupComboStyle style);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int rows) { dropDownCount_ = rows; }
    // Pixels; 0 sizes the drop-down to its columns.
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int width) { dropDownWidth_ = width; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool on);
    bool ShowButton() const { return showButton_; }
    void SetShowButton(bool on);
    TwwSeqSearchOptions SeqSearchOptions() const { return seqSearchOptions_; }
    void SetSeqSearchOptions(TwwSeqSearchOptions options);
    // The search follows the first listed field (the one shown) rather than the lookup field.
    bool OrderByDisplay() const { return orderByDisplay_; }
    void SetOrderByDisplay(bool on) { orderByDisplay_ = on; }
    // The drop-down shows the lookup table's fields as Selected lays them out
    // (on) or builds its columns from Selected alone (off).
    bool UseTFields() const { return useTFields_; }
    void SetUseTFields(bool on);
    // Delete or Backspace on the whole text clears the field.
    bool AllowClearKey() const { return allowClearKey_; }
    void SetAllowClearKey(bool on) { allowClearKey_ = on; }
    // The text completes itself with the found row's display text.
    bool ShowMatchText() const { return showMatchText_; }
    void SetShowMatchText(bool on) { showMatchText_ = on; }

    // ---- The drop-down.
    // Opens it; warns "No lookup table specified!" or "Lookup table is not active!".
    virtual void DropDown();
    // Closes it; Modified takes the current row into the field.
    virtual void CloseUp(bool modified);
    bool IsDroppedDown() const;
    TwwPopupGrid* Grid() const { return grid_; }
    // Shows the row whose lookup field carries Value; without a data field
    // Escape comes back to it. EInvalidOperation when the lookup table is the
    // data source's own dataset.
    void SetLookupValue(const QString& value);
    // The kept lookup value of the chosen row.
    QString LookupValue() const;
    // The grid picked a row (a click, Enter, Tab): it becomes the combo's.
    void AcceptRow();
    // Runs the incremental search on the text now instead of at the timer.
    void PerformSearch();
    bool Found() const { return found_; }
    // The search timer, for the keys that restart it.
    const QTimer& SearchTimer() const { return searchTimer_; }
    // The mouse, pressed on the combo or its button, moved to Global (screen
    // co-ordinates): over the open list it makes the row under it current,
    // and released there it picks that row.
    void DragIntoGrid(const QPoint& global, bool released);

    TNotifyEvent OnDropDown;
    TNotifyCloseUpEvent OnCloseUp;
    TNotInListEvent OnNotInList;

protected:
    // Paints the drop-down button (the button never paints itself).
    virtual void PaintButton(QPainter& painter, const QRect& rect, bool pressed);

    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyUp(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void Change() override;
    void DoEnter() override;
    void DoExit() override;

    bool event(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    friend class TwwComboButton;
    friend class TwwPopupGrid;

    TwwLookupBinding& Binding() const;
    // Whether the user may type into the text: open, csDropDown, or AutoDropDown.
    bool Editable() const;
    // A list-style combo that does not drop down while typing: a click toggles its list.
    bool ListOnly() const;
    // Whether the combo may write its field now.
    bool CanChangeValue() const;
    // Puts the record into edit state; whether the combo may then change its value.
    bool EditRecord();
    void UpdateReadOnlyState();
    void LayoutButton();
    void RestoreSaved();
    // Shows the row whose lookup field carries Value, the value kept.
    void ShowLookupValue(const QString& value);
    void ShowValue(const QString& value);
    void ShowLinkedValues();
    void FireNotInList(bool& accept);
    void PlaceGrid();
    void EnsureSelected();
    bool IsSearchKey(int key) const;
    // Whether the key leaves the text as it is shown.
    bool KeepsShownText(int key) const;
    // The data grid whose cell the combo edits; null elsewhere.
    TwwCustomDBGrid* ParentGrid() const;
    // Hands a key of the cell to the grid; whether it went there.
    bool PassKeyToGrid(int key, Qt::KeyboardModifiers shift);
    void ClearValue();
    bool DataSetLookupField() const;
    // How many of a detail lookup table's index fields its master fields fill; 0 for no detail.
    int DetailMasterFieldCount() const;
    bool WriteValues();

    // ---- Searching (lookup_combo_search.cpp).
    void SearchTimerFired();
    void RestartSearchTimer();
    void PrepareForKeySearch();
    bool UsesIndexSearch() const;
    int SearchFieldPosition(TwwTable& table) const;
    bool IndexSearch(TwwTable& table);
    bool SequentialSearch(const QString& fieldName);
    bool Scan(TwwTable* table, int position);
    void ShowMatchedText();
    bool CaseSensitive() const { return seqSearchOptions_ & ssoCaseSensitive; }

    // ---- Following the data field.
    void DataChange();
    // A detail lookup table on the combo's own data source that has not yet
    // followed the data source's new record.
    bool LookupTableBehindMaster() const;
    void EditingChange();
    void UpdateData();
    void ActiveChange();

    TFieldDataLink link_;
    QTimer searchTimer_;
    QWidget* buttonPanel_ = nullptr;      // owned by this combo
    TwwComboButton* button_ = nullptr;    // owned by the panel
    TwwPopupGrid* grid_ = nullptr;        // owned by this combo (a floating window)

    QString lastSearched_;
    // Keys pressed while the combo had the focus: a release whose press went
    // elsewhere (a menu's accelerator, another window) searches nothing.
    QSet<int> pressedKeys_;
    QString savedText_;
    QString savedValue_;
    QString searchField_;

    bool found_ = true;
    bool keySearch_ = false;
    bool closingUp_ = false;
    bool notInListPending_ = false;
    bool writingField_ = false;     // the combo itself writes the field: data change ignores it
    bool settingValue_ = false;     // the combo shows a value: no typing to mark
    bool skipDataChange_ = false;   // a reset that must not re-read the text
    bool regainingFocus_ = false;   // the drop-down's window took the activation

    bool autoSize_ = true;
    TAlignment dropDownAlignment_ = taLeftJustify;
    TwwDBLookupComboStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    int dropDownWidth_ = 0;
    bool readOnly_ = false;
    bool autoDropDown_ = false;
    bool showButton_ = true;
    TwwSeqSearchOptions seqSearchOptions_ = ssoEnabled;
    bool orderByDisplay_ = true;
    bool useTFields_ = true;
    bool allowClearKey_ = false;
    bool showMatchText_ = false;
};

class TwwDBLookupCombo : public TwwDBCustomLookupCombo {
    Q_OBJECT
public:
    using TwwDBCustomLookupCombo::TwwDBCustomLookupCombo;
};
