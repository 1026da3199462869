#pragma once
// The look the program's windows share: navy titles in Arial and plain labels
// placed at fixed positions, as the windows were laid out.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// The navy of every title.
QColor Marine();

// Draws the widget's text in that colour.
void Colore(QWidget* widget, const QColor& couleur);

// Arial at a size in points, or in pixels when enPixels.
QFont Arial(int taille, bool gras, bool italique, bool enPixels = false);

// A label at (x, y, largeur, hauteur), its text at the top left, owned by the
// parent.
QLabel* Etiquette(QWidget* parent, const QString& texte, int x, int y, int largeur, int hauteur);
