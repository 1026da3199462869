#include "Uapparence.h"

#include <QLabel>
#include <QPalette>
#include <QWidget>

QColor Marine()
{
    return QColor(0, 0, 128);
}

void Colore(QWidget* widget, const QColor& couleur)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, couleur);
    widget->setPalette(palette);
}

QFont Arial(int taille, bool gras, bool italique, bool enPixels)
{
    QFont font(QStringLiteral("Arial"));
    if (enPixels)
        font.setPixelSize(taille);
    else
        font.setPointSize(taille);
    font.setBold(gras);
    font.setItalic(italique);
    return font;
}

QLabel* Etiquette(QWidget* parent, const QString& texte, int x, int y, int largeur, int hauteur)
{
    auto* label = new QLabel(texte, parent);
    label->setGeometry(x, y, largeur, hauteur);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}
