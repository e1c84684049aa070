#pragma once
// TDataLink: how a control (or a detail dataset) follows a data source. It
// sees a window of BufferCount records of the dataset and is told of every
// change: activation, a new set of records, a scroll with the distance its
// window moved, a layout change, edit mode, a field's change.
#include "platform/db/data_source.h"

class TDataLink {
public:
    TDataLink() = default;
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const;
    bool Active() const { return active_; }
    virtual bool Editing() const { return editing_; }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);

    // The link's window: records 0 .. RecordCount-1 of at most BufferCount.
    // Setting ActiveRecord makes that record the dataset's current one for
    // reading (the controls draw each row so), without events.
    int ActiveRecord() const;
    void SetActiveRecord(int record);
    int BufferCount() const { return bufferCount_; }
    void SetBufferCount(int count);
    int RecordCount() const;
    bool Bof() const;
    bool Eof() const;
    int MoveBy(int distance);

    // Puts the dataset into edit mode (through the source's AutoEdit); true when editing.
    virtual bool Edit();
    // Writes the control's pending edit into the field (UpdateData).
    void UpdateRecord();

protected:
    // Inside UpdateRecord: the control's value is being written to its field.
    bool Updating() const { return updating_; }
    virtual void ActiveChanged() {}
    virtual void CheckBrowseMode() {}
    virtual void DataSetChanged() { RecordChanged(nullptr); }
    virtual void DataSetScrolled(int distance) { (void)distance; DataSetChanged(); }
    virtual void EditingChanged() {}
    virtual void FocusControl(TField* field) { (void)field; }
    virtual void LayoutChanged() { DataSetChanged(); }
    virtual void RecordChanged(TField* field) { (void)field; }
    virtual void UpdateData() {}

private:
    friend class TDataSource;
    void DataEvent(TDataEvent event, const TDataEventInfo& info);
    void UpdateActiveState();
    void UpdateEditingState();
    int UpdateWindow(int shift);

    TDataSource* dataSource_ = nullptr;
    bool active_ = false;
    bool editing_ = false;
    bool readOnly_ = false;
    bool updating_ = false;
    int bufferCount_ = 1;
    int firstRecord_ = 0;   // the dataset buffer shown as this link's record 0
};

// TFieldDataLink: the link of a control that shows one field.
class TFieldDataLink : public TDataLink {
public:
    TField* Field() const { return field_; }
    const QString& FieldName() const { return fieldName_; }
    void SetFieldName(const QString& name);
    bool CanModify() const;
    // Editing: the dataset is in edit mode and this field can be modified.
    bool Editing() const override;
    bool Edit() override;        // as TDataLink::Edit, and only when the field can be modified
    bool IsModified() const { return modified_; }
    void Modified() { modified_ = true; }   // the control's text changed
    void Reset();                // drops the control's change: shows the field again

    std::function<void()> OnDataChange, OnEditingChange, OnUpdateData, OnActiveChange, OnFocusControl;

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void FocusControl(TField* field) override;
    void LayoutChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    void UpdateField();

    QString fieldName_;
    TField* field_ = nullptr;
    bool fieldEditing_ = false;
    bool modified_ = false;
};
