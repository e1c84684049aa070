#pragma once
// Image lists, tool bars with their buttons, and the cool bar whose bands hold them.
#include <QIcon>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <vector>

class TPopupMenu;

// Pictures of one size, by index.
class TImageList : public QObject {
    Q_OBJECT
public:
    explicit TImageList(QObject* owner = nullptr, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }
    // Adds the picture, or each Width-wide slice of a strip; returns the index of the first.
    int Add(const QPixmap& picture);
    // As Add, leaving out the mask colour.
    int AddMasked(const QPixmap& picture, const QColor& maskColor);
    QPixmap Image(int index) const;   // a null pixmap for an index out of range
    // The picture with the look of a disabled button derived by the style.
    QIcon Icon(int index) const;

private:
    int width_, height_;
    std::vector<QPixmap> images_;
};

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolBar;

// A button of a tool bar. A check button stays down until clicked again
// (with Grouped, the grouped check buttons next to it go up); a drop-down
// button shows its DropdownMenu from its arrow; separators and dividers only
// leave a gap (a divider draws a line in it).
class TToolButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(bool Down READ Down WRITE SetDown)
public:
    explicit TToolButton(TToolBar* toolBar);

    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Down() const { return isChecked(); }
    void SetDown(bool down);
    bool Grouped() const { return grouped_; }
    void SetGrouped(bool grouped) { grouped_ = grouped; }
    TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
    void SetDropdownMenu(TPopupMenu* menu);
    void SetHint(const QString& hint) { setToolTip(hint); }
    void SetCaption(const QString& caption) { setText(caption); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool IsGap() const { return style_ == TToolButtonStyle::tbsSeparator || style_ == TToolButtonStyle::tbsDivider; }

    std::function<void(QObject* sender)> OnClick;

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class TToolBar;
    void ShowImage();

    TToolBar* toolBar_;
    TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
    int imageIndex_ = -1;
    bool grouped_ = false;
    int tag_ = 0;
    QPointer<TPopupMenu> dropdownMenu_;
};

// A row of tool buttons of ButtonWidth x ButtonHeight, flat or raised, their
// pictures from Images.
class TToolBar : public QWidget {
    Q_OBJECT
public:
    explicit TToolBar(QWidget* parent = nullptr);
    ~TToolBar() override;

    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    int ButtonWidth() const { return buttonWidth_; }
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonSize(int width, int height);
    void SetShowCaptions(bool show);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TToolButton;
    void AddButton(TToolButton* button);
    void ButtonChecked(TToolButton* button);
    void ArrangeButtons();

    bool flat_ = false;
    bool showCaptions_ = false;
    int buttonWidth_ = 23, buttonHeight_ = 22;
    QPointer<TImageList> images_;
    std::vector<TToolButton*> buttons_;
};

// A bar of bands, each holding one control (usually a tool bar) behind a
// gripper, painted over a tiled background picture.
class TCoolBar : public QWidget {
    Q_OBJECT
public:
    explicit TCoolBar(QWidget* parent = nullptr);
    ~TCoolBar() override;

    // Adds a band for control, which the cool bar then places and owns.
    void AddBand(QWidget* control, const QString& text = QString());
    int BandCount() const { return static_cast<int>(bands_.size()); }
    QWidget* BandControl(int index) const { return bands_.at(static_cast<size_t>(index)).Control; }
    const QPixmap& Bitmap() const { return bitmap_; }
    void SetBitmap(const QPixmap& bitmap) { bitmap_ = bitmap; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct TCoolBand {
        QWidget* Control;
        QString Text;
    };
    void ArrangeBands();
    int BandLeft(size_t index) const;

    std::vector<TCoolBand> bands_;
    QPixmap bitmap_;
};
