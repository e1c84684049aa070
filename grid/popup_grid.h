#pragma once
// TwwPopupGrid: the lookup combo's drop-down, a lookup list in a floating
// window of its own that never takes the keyboard focus from the combo: the
// combo keeps typing into its text while the list follows the search.
#include "grid/lookup_list.h"

class TwwDBCustomLookupCombo;

class TwwPopupGrid : public TwwDBLookupList {
    Q_OBJECT
public:
    // The combo owns the grid (as its Qt parent) and lends it its settings.
    explicit TwwPopupGrid(TwwDBCustomLookupCombo& combo);

    TwwDBCustomLookupCombo& Combo() const { return combo_; }
    // Makes the data row under Point (viewport co-ordinates) current, as
    // dragging from the combo's button into the list does.
    void TrackMouse(const QPoint& point);
    // Picks the data row under Point: the combo takes it and closes.
    void PickAt(const QPoint& point);

    bool MayTakeValue() const override;

protected:
    void EditRecord() override;
    TDataSource* OwnerSource() const override;
    QString OwnerField() const override;
    void ShowOwnerValue() override;
    void LinkActive(bool active) override;

private:
    TwwDBCustomLookupCombo& combo_;
};
