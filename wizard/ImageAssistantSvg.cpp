#include "ImageAssistant.h"

#include <QSvgRenderer>
#include <QSvgWidget>

QWidget* ImageAssistant(QWidget* parent, const QString& nom, int x, int y, int largeur, int hauteur)
{
    auto* image = new QSvgWidget(QStringLiteral(":/assistant/") + nom, parent);
    image->setGeometry(CadreImage(image->renderer()->viewBoxF().size(), x, y, largeur, hauteur));
    return image;
}
