#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

class QPainter;

// The pictures of the three current characteristics, one per operating mode,
// numbered from 1 like the entries of an image list. They are drawn, not
// stored, so they stay sharp at any size and screen scale.
namespace ImageList1 {

inline constexpr int kLiczbaObrazow = 3;

// The size each picture was designed at: 447 × 224, then 393 × 224.
QSize rozmiar(int numer);

// Draws picture `numer` (1-3) stretched to fill `obszar`.
void rysuj(QPainter &p, const QRectF &obszar, int numer);

// Picture `numer` as an image of its design size times `skala`.
QImage ListImage(int numer, qreal skala = 1.0);

} // namespace ImageList1

// An image control showing one picture of ImageList1 stretched to its own size;
// picture 0 shows nothing.
class ObrazTrybu : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Picture READ Picture WRITE setPicture)

public:
    explicit ObrazTrybu(QWidget *parent = nullptr) : QWidget(parent) {}

    int Picture() const { return m_numer; }
    void setPicture(int numer);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int m_numer = 0;
};
