#pragma once
// The labels and buttons the small windows place at their design positions.
#include <QPoint>
#include <QRect>
#include <QString>

class QWidget;
class TButton;
class TLabel;

// A label that fits its caption, its top left at where.
TLabel* MakeLabel(QWidget* parent, const QString& caption, const QPoint& where);
TButton* MakeButton(QWidget* parent, const QString& caption, const QRect& where);
