#pragma once
// The hint box's text layout on a drawing surface: measuring and drawing
// marked-up text, and laying display lines out in rows that wrap at spaces
// (or cut a word that is wider than the box), each row drawn only when it
// fits whole above the bottom edge.

#include "SurfaceBulle.h"
#include "Ubalisage.h"
#include "Uclasses.h"

#include <QStringList>

#include <functional>

class MiseEnPageBulle {
public:
    // The surface must outlive the layout.
    explicit MiseEnPageBulle(SurfaceBulle& surface) : m_surface(surface) {}

    // The text area of a box of this size: inside the box and its outline
    // when the box is drawn, the whole control otherwise.
    static qlRect ZoneTexte(int largeur, int hauteur, int ombre, bool dessinerBoite);
    // The width rows may take: the shadow is left free once more.
    static int LargeurUtile(const qlRect& zone, int ombre) { return zone.right - zone.left - ombre; }

    // Width and height of a marked-up text drawn from the current style,
    // which is restored afterwards.
    QSize TextExtentEx(const QString& texte);
    // Draws a marked-up text from (x, y); its style changes stay in force.
    void TextOutEx(int x, int y, const QString& texte);

    // Formatted mode: the style starts plain, then carries from row to row.
    void DessineFormate(const LignesBulle& lignes, const qlRect& zone, int ombre);
    // Plain mode: the lines as written, in the surface's own style.
    void DessineSimple(const QStringList& lignes, const qlRect& zone, int ombre);

private:
    using Mesure = std::function<QSize(const QString&)>;
    using Sortie = std::function<void(int x, int y, const QString&)>;

    // Lays one line out from row `rang`, which it advances; false when the
    // rows have reached the bottom edge and the repaint must end.
    bool DessineLigne(const QString& ligne, AlignementBulle alignement, const qlRect& zone,
                      int largeurUtile, int& rang, const Mesure& mesurer, const Sortie& ecrire);
    void ChangeStyleCourant(const QString& nom);

    SurfaceBulle& m_surface;
};
