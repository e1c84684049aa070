#pragma once
// TNetGradient: a header bar, a horizontal run of colour bands from BeginColor
// to EndColor (or back, fdRightToLeft) with its caption written on top.
#include <QColor>
#include <QWidget>

enum class TFillDirection { fdLeftToRight, fdRightToLeft };

class TNetGradient : public QWidget {
    Q_OBJECT
    Q_PROPERTY(TFillDirection FillDirection READ FillDirection WRITE SetFillDirection)
    Q_PROPERTY(QColor BeginColor READ BeginColor WRITE SetBeginColor)
    Q_PROPERTY(QColor EndColor READ EndColor WRITE SetEndColor)
    Q_PROPERTY(int NumberOfColors READ NumberOfColors WRITE SetNumberOfColors)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int TextTop READ TextTop WRITE SetTextTop)
    Q_PROPERTY(int TextLeft READ TextLeft WRITE SetTextLeft)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE SetFontColor)
public:
    explicit TNetGradient(QWidget* parent = nullptr);

    TFillDirection FillDirection() const { return direction_; }
    void SetFillDirection(TFillDirection direction);
    QColor BeginColor() const { return beginColor_; }
    void SetBeginColor(const QColor& color);
    QColor EndColor() const { return endColor_; }
    void SetEndColor(const QColor& color);
    // The number of bands, 1 to 255; values outside are brought into range.
    int NumberOfColors() const { return numberOfColors_; }
    void SetNumberOfColors(int count);
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Where the caption's top-left corner lies.
    int TextTop() const { return textTop_; }
    void SetTextTop(int top);
    int TextLeft() const { return textLeft_; }
    void SetTextLeft(int left);
    // The caption's colour; its font is the widget's font (bold unless changed).
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TFillDirection direction_ = TFillDirection::fdLeftToRight;
    QColor beginColor_ = QColor(0x80, 0x80, 0x80);
    QColor endColor_;
    int numberOfColors_ = 255;
    QString caption_ = QStringLiteral("TNetGradient");
    int textTop_ = 5;
    int textLeft_ = 12;
};
