#pragma once
// TFusedLabel: a label that opens a web or mail link when clicked. It can draw
// its caption raised, sunken or shadowed, fit its font to its size, insert the
// caption into a format, take EnterColor while the mouse is over it and,
// ButtonLike, look sunken while held.
#include <QColor>
#include <QLabel>
#include <functional>

enum class TFitType { NormalFit, BestFitVert, BestFithorz, BestFitBoth };
enum class T3DEffect { Normal3d, Resit3d, Raised3d, Shadowed3d };   // Resit3d: sunken
enum class TLinkType { ltWeb, ltMail };

class TFusedLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(TFitType AFitType READ AFitType WRITE SetAFitType)
    Q_PROPERTY(T3DEffect AStyle3D READ AStyle3D WRITE SetAStyle3D)
    Q_PROPERTY(QColor AShadeRightBottom READ AShadeRightBottom WRITE SetAShadeRightBottom)
    Q_PROPERTY(QColor AShadeLeftTop READ AShadeLeftTop WRITE SetAShadeLeftTop)
    Q_PROPERTY(int AHShadeOffSet READ AHShadeOffSet WRITE SetAHShadeOffSet)
    Q_PROPERTY(int AVShadeOffSet READ AVShadeOffSet WRITE SetAVShadeOffSet)
    Q_PROPERTY(bool AShadeLTSet READ AShadeLTSet WRITE SetAShadeLTSet)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(TLinkType LinkType READ LinkType WRITE SetLinkType)
    Q_PROPERTY(bool URLAsHint READ URLAsHint WRITE SetURLAsHint)
    Q_PROPERTY(bool ButtonLike READ ButtonLike WRITE SetButtonLike)
    Q_PROPERTY(QColor EnterColor READ EnterColor WRITE SetEnterColor)
    Q_PROPERTY(QString FormatString READ FormatString WRITE SetFormatString)
public:
    explicit TFusedLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

    // How the font follows the label's size; a change fits again at the next paint.
    TFitType AFitType() const { return fitType_; }
    void SetAFitType(TFitType type);
    T3DEffect AStyle3D() const { return style3D_; }
    void SetAStyle3D(T3DEffect style);
    QColor AShadeRightBottom() const { return shadeRightBottom_; }
    void SetAShadeRightBottom(const QColor& color);
    // Ignored while AShadeLTSet holds the light shade at white.
    QColor AShadeLeftTop() const { return shadeLeftTop_; }
    void SetAShadeLeftTop(const QColor& color);
    int AHShadeOffSet() const { return hShadeOffset_; }
    void SetAHShadeOffSet(int offset);
    int AVShadeOffSet() const { return vShadeOffset_; }
    void SetAVShadeOffSet(int offset);
    // On: the light shade is white until it is turned off again, which brings
    // back the colour it had before.
    bool AShadeLTSet() const { return shadeLTSet_; }
    void SetAShadeLTSet(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // Text with one string directive ("Visit %s") that receives the caption;
    // empty draws the caption itself.
    QString FormatString() const { return formatString_; }
    void SetFormatString(const QString& format);
    // The text that is drawn: the caption, or the caption in FormatString.
    QString DisplayText() const;

    // An address with "@" and no "/" is a mail link, any other a web link. A
    // leading "http://" or "mailto:" is dropped here and put back on opening.
    QString URL() const { return url_; }
    void SetURL(const QString& url);
    TLinkType LinkType() const { return linkType_; }
    void SetLinkType(TLinkType type) { linkType_ = type; }
    // The address a click opens: the URL with its link type's scheme, unless
    // it names a scheme of its own ("https://...").
    QString LinkAddress() const;

    bool URLAsHint() const { return urlAsHint_; }
    void SetURLAsHint(bool on);
    bool ButtonLike() const { return buttonLike_; }
    void SetButtonLike(bool on) { buttonLike_ = on; }
    QColor EnterColor() const { return enterColor_; }
    void SetEnterColor(const QColor& color) { enterColor_ = color; }
    bool Pressed() const { return pressed_; }

    std::function<void(QObject* sender)> OnClick;
    std::function<void(QObject* sender)> OnMouseMove;   // the mouse moved over the label
    std::function<void(QObject* sender)> OnMouseOut;

protected:
    virtual void Click();
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void BeginHover();
    void EndHover();
    void SetPressed(bool pressed);
    int FontPoints() const;
    void FitFont(const QString& text);

    TFitType fitType_ = TFitType::BestFitBoth;
    T3DEffect style3D_ = T3DEffect::Normal3d;
    T3DEffect savedStyle3D_ = T3DEffect::Normal3d;
    QColor shadeRightBottom_ = QColor(0x80, 0x80, 0x80);
    QColor shadeLeftTop_ = Qt::white;
    QColor savedShadeLeftTop_ = Qt::white;
    int hShadeOffset_ = 5;
    int vShadeOffset_ = -5;
    bool shadeLTSet_ = false;
    bool transparent_ = true;
    QString formatString_;
    // The size and font size at the last fitting; a difference fits again.
    QSize fittedSize_;
    int fittedFontSize_ = 0;

    QString url_;
    TLinkType linkType_ = TLinkType::ltWeb;
    bool urlAsHint_ = true;
    bool buttonLike_ = false;
    bool pressed_ = false;
    bool hovered_ = false;
    QColor enterColor_ = Qt::black;
    QColor savedFontColor_;
};
