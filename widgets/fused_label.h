#pragma once
// TFusedLabel: a label that opens a web or mail link when clicked. It takes
// EnterColor while the mouse is over it and, ButtonLike, looks sunken while held.
#include <QColor>
#include <QLabel>
#include <functional>

enum class TLinkType { ltWeb, ltMail };

class TFusedLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QString URL READ URL WRITE SetURL)
    Q_PROPERTY(bool URLAsHint READ URLAsHint WRITE SetURLAsHint)
    Q_PROPERTY(bool ButtonLike READ ButtonLike WRITE SetButtonLike)
    Q_PROPERTY(QColor EnterColor READ EnterColor WRITE SetEnterColor)
public:
    explicit TFusedLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }
    QColor FontColor() const;
    void SetFontColor(const QColor& color);

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

    QString url_;
    TLinkType linkType_ = TLinkType::ltWeb;
    bool urlAsHint_ = true;
    bool buttonLike_ = false;
    bool pressed_ = false;
    bool hovered_ = false;
    QColor enterColor_ = Qt::black;
    QColor savedFontColor_;
    QColor shadeRightBottom_ = QColor(0x80, 0x80, 0x80);
    QColor shadeLeftTop_ = Qt::white;
};
