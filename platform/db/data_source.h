#pragma once
// TDataSource: the link between a dataset and the controls that show it. It
// passes the dataset's events to its data links and reports them through
// OnStateChange, OnDataChange and OnUpdateData.
#include "platform/db/dataset.h"
#include <QPointer>
#include <vector>

class TDataLink;

class TDataSource : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TDataSet* DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(bool AutoEdit READ AutoEdit WRITE SetAutoEdit)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
public:
    explicit TDataSource(TComponent* owner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);    // EDatabaseError "Circular datalinks are not allowed"
    // Whether a control may put the dataset into edit mode when the user types.
    bool AutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    // A disabled source shows its links an inactive dataset.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    // The dataset's state as the links see it: dsInactive when disabled or without a dataset.
    TDataSetState State() const { return state_; }

    // Puts a browsing dataset into edit mode when AutoEdit is set.
    void Edit();
    bool IsLinkedTo(const TDataSet* dataSet) const;

    std::function<void(TDataSource&)> OnStateChange;
    std::function<void(TDataSource&, TField*)> OnDataChange;
    std::function<void(TDataSource&)> OnUpdateData;

protected:
    virtual void DoStateChange();
    virtual void DoDataChange(TField* field);
    virtual void DoUpdateData();

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, const TDataEventInfo& info);
    void NotifyLinks(TDataEvent event, const TDataEventInfo& info);
    void UpdateState();
    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);
    void DataSetGone();
    int MaxBufferCount() const;

    QPointer<TDataSet> dataSet_;
    bool autoEdit_ = true;
    bool enabled_ = true;
    TDataSetState state_ = dsInactive;
    std::vector<TDataLink*> links_;
};
