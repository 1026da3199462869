#include "ImageAssistant.h"

QRect CadreImage(const QSizeF& naturelle, int x, int y, int largeur, int hauteur)
{
    QSize taille(largeur, hauteur);
    if (naturelle.width() > 0 && naturelle.height() > 0)
        taille = naturelle.scaled(QSizeF(largeur, hauteur), Qt::KeepAspectRatio).toSize();
    return QRect(x + (largeur - taille.width()) / 2, y + (hauteur - taille.height()) / 2,
                 taille.width(), taille.height());
}
