#pragma once
// TComponentCollector: gathers a form's non-visual components into a bar of
// buttons while the form is being designed. The program has no form designer,
// so a collector is never seen: it hides itself and drops the list of the
// components it held (name, title and class name of each, in threes). Its
// settings are kept as published properties, so that a window can give them
// as its design does. It belongs on forms only: a data module refuses it.
#include <QFont>
#include <QStringList>
#include <QWidget>

class TComponentCollector : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString VersionInfo READ VersionInfo STORED false)
    Q_PROPERTY(bool AutoHide MEMBER autoHide_)
    Q_PROPERTY(TAttachSide AttachSide MEMBER attachSide_)
    Q_PROPERTY(int ButtonWidth MEMBER buttonWidth_)
    Q_PROPERTY(int HiddenBarWidth MEMBER hiddenBarWidth_)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(TButtonLayout Layout MEMBER layout_)
    Q_PROPERTY(int Margin MEMBER margin_)
    Q_PROPERTY(int ScrollTime MEMBER scrollTime_)
    Q_PROPERTY(bool ShowTitles MEMBER showTitles_)
    Q_PROPERTY(bool ShowPicture MEMBER showPicture_)
    Q_PROPERTY(int Spacing MEMBER spacing_)
    Q_PROPERTY(int ButtonHeight READ ButtonHeight WRITE SetButtonHeight)
    Q_PROPERTY(QStringList NVCs READ NVCs WRITE SetNVCs)
public:
    // The edge of the form that holds the bar.
    enum TAttachSide { asLeft, asTop, asNone };
    Q_ENUM(TAttachSide)
    // Where a button's picture stands beside its title.
    enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
    Q_ENUM(TButtonLayout)

    // An owner that is a data module shows why it cannot hold a collector,
    // and the creation is aborted (EAbort).
    explicit TComponentCollector(QObject* owner = nullptr);

    static QString VersionInfo() { return QStringLiteral("1.0"); }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height) { buttonHeight_ = height; }

    // Outside the designer the list is read and dropped, so it is always empty.
    QStringList NVCs() const { return {}; }
    void SetNVCs(const QStringList&) {}

private:
    bool autoHide_ = true;
    TAttachSide attachSide_ = asTop;
    int buttonWidth_ = 130;
    int hiddenBarWidth_ = 3;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int scrollTime_ = 400;
    bool showTitles_ = true;
    bool showPicture_ = true;
    int spacing_ = 2;
    int buttonHeight_ = 27;
};
