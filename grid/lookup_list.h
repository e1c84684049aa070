#pragma once
// TwwDBLookupList: a data grid over a lookup table that shows the columns of
// its Selected list, keeps the lookup-field values of the row the user picks
// and writes them into a data field. The lookup combo's drop-down
// (TwwPopupGrid) is one.
#include "grid/lookup_binding.h"
#include "grid/lookup_types.h"
#include "grid/ww_custom_db_grid.h"
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include <memory>

class TwwTable;

class TwwDBLookupList : public TwwCustomDBGrid {
    Q_OBJECT
public:
    explicit TwwDBLookupList(QWidget* parent = nullptr);
    ~TwwDBLookupList() override;

    // The lookup table, read through the list's own data source.
    TDataSet* LookupTable() const { return lookupSource_.DataSet(); }
    // EInvalidOperation "Unable to use duplicate DataSource and LookupSource"
    // when it is the data source's own dataset; the setting stays as it was.
    void SetLookupTable(TDataSet* table);
    const QString& LookupField() const { return lookupField_; }
    void SetLookupField(const QString& names);
    TDataSource* DataSource() const { return fieldLink_.DataSource(); }
    void SetDataSource(TDataSource* source);
    QString DataField() const { return fieldLink_.FieldName(); }
    void SetDataField(const QString& name);
    TwwDBLookupListOptions LookupOptions() const { return lookupOptions_; }
    void SetLookupOptions(TwwDBLookupListOptions options);
    // A read-only list shows the field's row but takes no pick into it.
    bool ListReadOnly() const { return listReadOnly_; }
    void SetListReadOnly(bool on) { listReadOnly_ = on; }

    TwwLookupBinding& Binding() { return binding_; }
    // Finds the lookup fields; Report raises when the first one is missing.
    void BindLookupFields(bool report);
    // The visible data row (from 0) that holds the kept values; -1 for none.
    int ChosenRow() const { return chosenRow_; }
    void SetChosenRow(int row) { chosenRow_ = row; }
    int TitleRows() const { return titleRows_; }
    bool Found() const { return found_; }
    void SetFound(bool found) { found_ = found; }

    // Shows the row whose value is Value: positions the lookup table on it and
    // keeps its values.
    void SetValue(const QString& value);
    // Positions the lookup table on the row whose lookup fields carry Value
    // (and the kept second and third values); whether it was found.
    bool LocateValue(const QString& value);
    // Whether values compare with regard to case.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool on) { caseSensitive_ = on; }
    // After a pick: the current row's values become the kept ones, then OnClick.
    virtual void RowValuesToOwner();
    // Whether the list may take a value into its field now.
    virtual bool MayTakeValue() const;

    // Held while the list's owner shows its field's value anew: the moves of
    // the lookup table that this makes are the owner's own, not a master's.
    class TRefreshScope {
    public:
        explicit TRefreshScope(TwwDBLookupList& list) : list_(list) { ++list_.refreshing_; }
        ~TRefreshScope() { --list_.refreshing_; }
        TRefreshScope(const TRefreshScope&) = delete;
        TRefreshScope& operator=(const TRefreshScope&) = delete;

    private:
        TwwDBLookupList& list_;
    };

protected:
    // The field's dataset goes into edit state before a pick.
    virtual void EditRecord();
    // The dataset and field that a dataset lookup field is read from.
    virtual TDataSource* OwnerSource() const { return fieldLink_.DataSource(); }
    virtual QString OwnerField() const { return fieldLink_.FieldName(); }
    // The owner shows its field's value again, looked up in the lookup table's rows.
    virtual void ShowOwnerValue() { FieldDataChange(); }

    void Scroll(int distance) override;
    bool HighlightCell(int dataCol, int dataRow, const QString& value, TGridDrawState state) override;
    void BuildFieldMap() override;
    void SetColumnAttributes() override;
    void LinkActive(bool active) override;
    void DataChanged() override;
    void Paint() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) override;
    void Click() override;
    void UpdateScrollRange() override;
    void UpdateScrollPos() override;
    void ScrollBarAction(Qt::Orientation orientation, TScrollCode code, int position) override;
    void DoEnter() override;
    void DoExit() override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

    TFieldDataLink& FieldLink() { return fieldLink_; }
    const TFieldDataLink& FieldLink() const { return fieldLink_; }
    bool Picking() const { return mouseSelecting_ || keyDownInProgress_; }

private:
    void FieldDataChange();
    void FieldUpdateData();
    void FieldActiveChange();
    void InvalidateChosenRow();
    bool SeekOnKeyIndex(TwwTable& table, const QString& value);

    TFieldDataLink fieldLink_;
    TDataSource lookupSource_;
    QString lookupField_;
    TwwLookupBinding binding_;
    std::unique_ptr<TwwTable> keyFinder_;   // the lookup table on its key index, made when needed
    int chosenRow_ = -1;
    int refreshing_ = 0;
    int titleRows_ = 0;
    TwwDBLookupListOptions lookupOptions_ = 0;
    bool listReadOnly_ = false;
    bool found_ = false;
    bool caseSensitive_ = false;
    bool mouseSelecting_ = false;
    bool keyDownInProgress_ = false;
};
