#pragma once
// Labels, bevels, shapes, panels, images, timers, scroll bars and the up-down.
#include "platform/db/db_types.h"
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <functional>

class QToolButton;

// A caption's text as shown: "&" marks the access key and "&&" stands for "&".
QString StripAccelChars(const QString& caption);

class TLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TLabel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // With AutoSize (the default) the label fits its caption whenever it changes.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap(); }
    void SetWordWrap(bool wrap) { setWordWrap(wrap); }
    // A transparent label lets its parent show through; otherwise it fills with Color.
    bool Transparent() const { return !autoFillBackground(); }
    void SetTransparent(bool transparent) { setAutoFillBackground(!transparent); }
    void SetColor(const QColor& color);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // The control that the caption's access key focuses.
    QWidget* FocusControl() const { return buddy(); }
    void SetFocusControl(QWidget* control);

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnDblClick;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowCaption();

    QString caption_;
    bool autoSize_ = true;
    TAlignment alignment_ = taLeftJustify;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

// An etched box, frame or line; it takes no input.
class TBevel : public QWidget {
    Q_OBJECT
public:
    explicit TBevel(QWidget* parent = nullptr);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape) { shape_ = shape; update(); }
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style) { style_ = style; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBevelShape shape_ = TBevelShape::bsBox;
    TBevelStyle style_ = TBevelStyle::bsLowered;
};

enum class TShapeType { stRectangle, stRoundRect, stEllipse };

// A filled figure with an outline: Brush fills it, Pen draws its edge.
class TShape : public QWidget {
    Q_OBJECT
public:
    explicit TShape(QWidget* parent = nullptr);
    TShapeType Shape() const { return shape_; }
    void SetShape(TShapeType shape) { shape_ = shape; update(); }
    QColor BrushColor() const { return brush_; }
    void SetBrushColor(const QColor& colour) { brush_ = colour; update(); }
    QColor PenColor() const { return pen_; }
    void SetPenColor(const QColor& colour) { pen_ = colour; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TShapeType shape_ = TShapeType::stRectangle;
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

// Draws a raised or lowered 3-D edge of the given width inside rect.
void DrawBevelEdge(QPainter& painter, const QPalette& palette, QRect rect, TPanelBevel bevel, int width);

// A container with an outer and inner bevel and a caption drawn in its middle.
class TPanel : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
public:
    explicit TPanel(QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption) { caption_ = caption; update(); }
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel bevel) { bevelOuter_ = bevel; update(); }
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel bevel) { bevelInner_ = bevel; update(); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width) { bevelWidth_ = width; update(); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int width) { borderWidth_ = width; update(); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { alignment_ = alignment; update(); }
    void SetColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
    TPanelBevel bevelInner_ = TPanelBevel::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TAlignment alignment_ = taCenter;
};

// A picture, drawn at its size from the top left, centred, or stretched to the
// control. A transparent picture leaves out the colour of its bottom-left pixel.
class TImage : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget* parent = nullptr);

    const QPixmap& Picture() const { return picture_; }
    void SetPicture(const QPixmap& picture);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch) { stretch_ = stretch; update(); }
    bool Center() const { return center_; }
    void SetCenter(bool center) { center_ = center; update(); }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PrepareShown();

    QPixmap picture_;
    QPixmap shown_;   // the picture with its transparent colour masked out
    bool stretch_ = false;
    bool center_ = false;
    bool transparent_ = false;
};

// Fires OnTimer every Interval milliseconds while Enabled (the default) and
// assigned; Interval 0 stops it.
class TTimer : public QObject {
    Q_OBJECT
public:
    explicit TTimer(QObject* owner = nullptr);

    int Interval() const { return interval_; }
    void SetInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void SetOnTimer(std::function<void(QObject* sender)> handler);

private:
    void Update();

    QTimer timer_;
    int interval_ = 1000;
    bool enabled_ = true;
    std::function<void(QObject* sender)> onTimer_;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit TScrollBar(QWidget* parent = nullptr);

    TScrollBarKind Kind() const;
    void SetKind(TScrollBarKind kind);
    int Min() const { return minimum(); }
    void SetMin(int min) { setMinimum(min); }
    int Max() const { return maximum(); }
    void SetMax(int max) { setMaximum(max); }
    int Position() const { return value(); }
    void SetPosition(int position) { setValue(position); }
    void SetSmallChange(int change) { setSingleStep(change); }
    void SetLargeChange(int change) { setPageStep(change); }

    std::function<void(QObject* sender)> OnChange;
};

enum class TUDBtnType { btNext, btPrev };

// Two arrow buttons beside an edit (its Associate) that step the number in it
// by Increment within Min..Max; the Up and Down keys in the edit do the same.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    QLineEdit* Associate() const { return associate_; }
    // Places the up-down at the right edge of the edit and shows Position in it.
    void SetAssociate(QLineEdit* edit);
    int Min() const { return min_; }
    void SetMin(int min);
    int Max() const { return max_; }
    void SetMax(int max);
    int Position() const { return position_; }
    void SetPosition(int position);
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }
    // Stepping past an end goes on at the other end.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool wrap) { wrap_ = wrap; }

    // The user pressed an arrow: first OnChanging may refuse, then the
    // position moves and OnClick says which arrow it was.
    void Click(TUDBtnType button);

    std::function<void(QObject* sender, bool& allowChange)> OnChanging;
    std::function<void(QObject* sender, TUDBtnType button)> OnClick;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ReadAssociate();
    void ShowPosition();
    void PlaceBesideAssociate();

    QToolButton* up_;
    QToolButton* down_;
    QPointer<QLineEdit> associate_;
    const QObject* associateObject_ = nullptr;   // for telling its events apart, also while it is being destroyed
    int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
    bool wrap_ = false;
};
