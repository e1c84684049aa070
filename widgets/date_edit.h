#pragma once
// TVrDateEdit: a date field of a data source, typed into an edit or picked
// from a month or a whole-year calendar that its two buttons open just below
// it. Up and Down in the edit open the month calendar.
#include "platform/ui/buttons.h"
#include "platform/ui/colors.h"
#include "platform/ui/db_controls.h"
#include <QPointer>
#include <QWidget>

class TDataSource;
class TField;

// Opens a calendar pop-up under the date edit that is its parent.
class TMonthDateButton : public TBitBtn {
    Q_OBJECT
public:
    explicit TMonthDateButton(QWidget* parent);
    void Click() override;
};

class TYearDateButton : public TBitBtn {
    Q_OBJECT
public:
    explicit TYearDateButton(QWidget* parent);
    void Click() override;
};

class TVrDateEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
    Q_PROPERTY(int YearInterval READ YearInterval WRITE SetYearInterval)
public:
    explicit TVrDateEdit(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* source);
    QString DataField() const { return dataField_; }
    void SetDataField(const QString& name);
    // Kept with the window's settings; nothing reads it.
    int YearInterval() const { return yearInterval_; }
    void SetYearInterval(int interval) { yearInterval_ = interval; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // The field named DataField in the data source's dataset; null while
    // either is not set, the dataset is closed or has no such field.
    TField* Field() const;
    // The focus goes to the edit.
    void SetFocus();

    TMonthDateButton* MonthButton() const { return monthButton_; }
    TYearDateButton* YearButton() const { return yearButton_; }
    TDBEdit* Edit() const { return edit_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void EditKeyDown(QObject* sender, int& key, Qt::KeyboardModifiers shift);

    TMonthDateButton* monthButton_ = nullptr;
    TYearDateButton* yearButton_ = nullptr;
    TDBEdit* edit_ = nullptr;
    QPointer<TDataSource> dataSource_;
    QString dataField_;
    int yearInterval_ = 15;
    TColor color_ = clWhite;
};
