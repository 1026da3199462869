#include "ImageAssistant.h"

#include <QLabel>
#include <QPixmap>

QWidget* ImageAssistant(QWidget* parent, const QString& nom, int x, int y, int largeur, int hauteur)
{
    // Drawn at twice the SVG's size, so the aspect ratio is the SVG's and a
    // picture shrunk into its box stays sharp.
    QString png = nom;
    png.replace(QStringLiteral(".svg"), QStringLiteral(".png"));
    const QPixmap pixmap(QStringLiteral(":/assistant/") + png);
    auto* image = new QLabel(parent);
    image->setPixmap(pixmap);
    image->setScaledContents(true);
    image->setGeometry(CadreImage(pixmap.size(), x, y, largeur, hauteur));
    return image;
}
