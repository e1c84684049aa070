#pragma once
// TTiledBitmap: repeats a picture over its whole area from the top-left corner,
// cutting the last column and row at the edges. Without a picture it draws
// nothing, so whatever lies beneath shows through.
#include <QPixmap>
#include <QWidget>

class TTiledBitmap : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QPixmap BitMap READ BitMap WRITE SetBitMap)
public:
    explicit TTiledBitmap(QWidget* parent = nullptr);

    const QPixmap& BitMap() const { return bitmap_; }
    void SetBitMap(const QPixmap& bitmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap bitmap_;
};
