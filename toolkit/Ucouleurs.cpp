#include "Ucouleurs.h"

#include <QGuiApplication>
#include <QPalette>

QColor VersQColor(uint32_t couleur)
{
    if ((couleur & Couleurs::SystemeBit) == 0)
        return QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF);

    const QPalette palette = QGuiApplication::palette();
    switch (couleur & 0xFF) {
    case 6:  // window frame
        return QColor(Qt::black);
    case 15:  // button face
        return palette.color(QPalette::Active, QPalette::Button);
    case 16:  // button shadow
        return palette.color(QPalette::Active, QPalette::Dark);
    case 17:  // grey text
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 20:  // button highlight
        return palette.color(QPalette::Active, QPalette::Light);
    case 24:  // tooltip background
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
}

uint32_t DepuisQColor(const QColor& couleur)
{
    return Couleurs::Rgb(couleur.red(), couleur.green(), couleur.blue());
}
