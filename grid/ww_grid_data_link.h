#pragma once
// TwwGridDataLink: how a TwwCustomDBGrid follows its data source. The link's
// window is the grid's visible rows (BufferCount = VisibleRowCount), so the
// grid reads only the records it shows. The field map turns a data column
// into the dataset field it shows.
#include "platform/db/data_link.h"
#include <vector>

class TwwCustomDBGrid;

class TwwGridDataLink : public TDataLink {
public:
    // Makes a record of the window the dataset's current one for reading
    // (a grid draws each row so) and puts the old one back.
    class TActiveRecordScope {
    public:
        TActiveRecordScope(TwwGridDataLink& link, int record) : link_(link), saved_(link.ActiveRecord())
        {
            link_.SetActiveRecord(record);
        }
        ~TActiveRecordScope() { link_.SetActiveRecord(saved_); }
        TActiveRecordScope(const TActiveRecordScope&) = delete;
        TActiveRecordScope& operator=(const TActiveRecordScope&) = delete;

    private:
        TwwGridDataLink& link_;
        int saved_;
    };

public:
    explicit TwwGridDataLink(TwwCustomDBGrid& grid) : grid_(grid) {}

    // Appends the field of that name to the map; false (nothing added) when
    // the dataset has no such field.
    bool AddMapping(const QString& fieldName);
    void ClearMapping() { fieldMap_.clear(); }
    int FieldCount() const { return int(fieldMap_.size()); }
    // The field of map entry i; null past the end or without a dataset.
    TField* Fields(int i) const;

    // The editor's text differs from the field's: UpdateData writes it.
    bool IsModified() const { return modified_; }
    void Modified() { modified_ = true; }
    void ClearModified() { modified_ = false; }

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int distance) override;
    void LayoutChanged() override;
    void EditingChanged() override;
    void RecordChanged(TField* field) override;
    void UpdateData() override;

private:
    TwwCustomDBGrid& grid_;
    std::vector<int> fieldMap_;   // indexes into the dataset's fields
    bool modified_ = false;
};
