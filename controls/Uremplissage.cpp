#include "Uremplissage.h"

#include <vector>

namespace {
constexpr QRgb MasqueRgb = 0x00FFFFFF;

bool MemeCouleur(QRgb a, QRgb b)
{
    return (a & MasqueRgb) == (b & MasqueRgb);
}
}  // namespace

void RemplitSurface(QImage& image, int x, int y, QRgb surface, QRgb nouvelle)
{
    if (!image.valid(x, y) || image.depth() != 32)
        return;
    if (!MemeCouleur(image.pixel(x, y), surface))
        return;
    const QRgb remplacement = qRgb(qRed(nouvelle), qGreen(nouvelle), qBlue(nouvelle));
    // Painting the surface with its own colour would never shrink the work list.
    if (MemeCouleur(remplacement, surface))
        return;

    std::vector<QPoint> aTraiter{QPoint(x, y)};
    while (!aTraiter.empty()) {
        const QPoint p = aTraiter.back();
        aTraiter.pop_back();
        if (!image.valid(p) || !MemeCouleur(image.pixel(p), surface))
            continue;
        image.setPixel(p, remplacement);
        aTraiter.emplace_back(p.x() + 1, p.y());
        aTraiter.emplace_back(p.x() - 1, p.y());
        aTraiter.emplace_back(p.x(), p.y() + 1);
        aTraiter.emplace_back(p.x(), p.y() - 1);
    }
}
