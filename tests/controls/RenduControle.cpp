#include "RenduControle.h"

#include <QBackingStore>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

QImage Rendu(QWidget& controle, const QColor& fond)
{
    QImage image(controle.size(), QImage::Format_RGB32);
    image.fill(fond);
    controle.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QImage Ecran(QWidget& controle)
{
    QWidget* fenetre = controle.window();
    const QPoint origine = controle.mapTo(fenetre, QPoint(0, 0));
    // The window's backing store, where it has one in memory: Qt's minimal
    // platform (the tests' on Windows) cannot grab a window.
    QBackingStore* stock = fenetre->backingStore();
    if (stock != nullptr && stock->paintDevice() != nullptr
        && stock->paintDevice()->devType() == QInternal::Image)
        return static_cast<const QImage*>(stock->paintDevice())
            ->copy(QRect(origine, controle.size()))
            .convertToFormat(QImage::Format_RGB32);
    return QGuiApplication::primaryScreen()
        ->grabWindow(fenetre->winId(), origine.x(), origine.y(), controle.width(),
                     controle.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QRgb Pixel(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xFF000000u;
}
