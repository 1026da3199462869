#include "ReperePage.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QSizeF>

void FixeReperePage(QPainter& painter)
{
    QPaintDevice* appareil = painter.device();
    painter.resetTransform();
    if (appareil == nullptr)
        return;

    // Outside full-page mode the device's origin is the printable area's
    // corner: move back by its offset from the sheet's edges.
    if (auto* imprimante = dynamic_cast<QPrinter*>(appareil); imprimante && !imprimante->fullPage()) {
        const QRect zone = imprimante->pageLayout().paintRectPixels(imprimante->resolution());
        painter.translate(-zone.left(), -zone.top());
    }
    painter.scale(appareil->logicalDpiX() / kUnitesParPouce,
                  appareil->logicalDpiY() / kUnitesParPouce);
}

void FixeFeuille(QPrinter& printer, int32_t largeur, int32_t hauteur, bool paysage)
{
    const QPageSize feuille(QSizeF(largeur / 10.0, hauteur / 10.0), QPageSize::Millimeter,
                            QString(), QPageSize::ExactMatch);
    const QPageLayout mise(feuille, paysage ? QPageLayout::Landscape : QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setPageLayout(mise);
    printer.setFullPage(true);
}

void FixeReperePage(QPainter& painter, int32_t decalageX, int32_t decalageY)
{
    FixeReperePage(painter);
    if (painter.device() != nullptr)
        painter.translate(decalageX, decalageY);
}

qlPoint DecalageSurPage(const qlPoint& surFeuille, bool paysage)
{
    if (!paysage)
        return surFeuille;
    return qlPoint(-surFeuille.y, surFeuille.x);
}
