#pragma once
// TSpinEdit: a whole number between MinValue and MaxValue, stepped by
// Increment with its arrows or the Up and Down keys.
#include <QSpinBox>
#include <functional>

class TSpinEdit : public QSpinBox {
    Q_OBJECT
    Q_PROPERTY(int Value READ Value WRITE SetValue)
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    int Value() const { return value(); }
    // A value outside the range is taken as the nearer end.
    void SetValue(int value) { setValue(value); }
    int MinValue() const { return minimum(); }
    void SetMinValue(int value) { setMinimum(value); }
    int MaxValue() const { return maximum(); }
    void SetMaxValue(int value) { setMaximum(value); }
    int Increment() const { return singleStep(); }
    void SetIncrement(int increment) { setSingleStep(increment); }
    // Off: the number cannot be typed, only stepped.
    bool EditorEnabled() const { return editorEnabled_; }
    void SetEditorEnabled(bool enabled);
    int MaxLength() const;
    void SetMaxLength(int length);

    // Fires whenever the value changes, by the user or by code.
    std::function<void(QObject* sender)> OnChange;

private:
    bool editorEnabled_ = true;
};
