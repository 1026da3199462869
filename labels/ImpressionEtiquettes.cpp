#include "ImpressionEtiquettes.h"

#include "Canevas.h"
#include "CanevasQt.h"
#include "Cp1252.h"
#include "VerificationFormat.h"
#include "PageEtiquettes.h"
#include "ReperePage.h"
#include "TriEtiquettes.h"
#include "Ucouleurs.h"
#include "Upolice.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

// Table row of the first voter of page `page` (from 1).
int32_t PremiereRangeeDePage(int32_t page, int64_t parPage)
{
    const int64_t rangee = (static_cast<int64_t>(page) - 1) * parPage + 1;
    return static_cast<int32_t>(std::min<int64_t>(rangee, std::numeric_limits<int32_t>::max()));
}

CellulesEtiquette Cellules(const Rangee& rangee, const TableIndexChamps& indexChamps)
{
    CellulesEtiquette cellules;
    for (std::size_t k = 0; k < cellules.size(); ++k) {
        const int32_t position = indexChamps[k];
        if (position >= 0 && static_cast<std::size_t>(position) < rangee.size())
            cellules[k] = rangee[static_cast<std::size_t>(position)];
    }
    return cellules;
}

CellulesEtiquette Cellules(const VueRangee& rangee, const TableIndexChamps& indexChamps)
{
    CellulesEtiquette cellules;
    for (std::size_t k = 0; k < cellules.size(); ++k) {
        if (indexChamps[k] >= 0)
            cellules[k] = rangee[static_cast<uint32_t>(indexChamps[k])];
    }
    return cellules;
}

// Appends the cell, a line feed that no carriage return precedes becoming
// CR LF: the text writer ends a line only at CR.
void AjouteCellule(std::string& texte, std::string_view cellule)
{
    std::size_t debut = 0;
    for (std::size_t lf = cellule.find('\n'); lf != std::string_view::npos;
         lf = cellule.find('\n', lf + 1)) {
        if (lf > 0 && cellule[lf - 1] == '\r')
            continue;
        texte.append(cellule.substr(debut, lf - debut));
        texte += '\r';
        debut = lf;
    }
    texte.append(cellule.substr(debut));
}

bool SortiePdf(const QPrinter& imprimante)
{
    return imprimante.outputFormat() == QPrinter::PdfFormat;
}

RepartitionEtiquettes Repartition(const Parametres& p, const TCSV& table,
                                  const TableIndexChamps& indexChamps,
                                  const OptionsImpression& options)
{
    const int64_t parPage = EtiquettesParPage(p);
    if (options.TriClasse)
        return RepartitionEtiquettes(parPage, OrdreParClasse(table, indexChamps), options.Debut);
    return RepartitionEtiquettes(parPage, table.NbRangees(), options.Debut);
}

// The sheet, in page coordinates, where the calibration lets text land: what
// is drawn at p comes out at p + the calibration turned with the page.
// Nothing to check without a sheet.
std::optional<qlRect> FeuilleVisible(const Parametres& p, const qlPoint& surFeuille)
{
    if (p.LargeurPage <= 0 || p.HauteurPage <= 0)
        return std::nullopt;
    const qlPoint decalage = DecalageSurPage(surFeuille, p.Orientation);
    const int64_t largeur = p.Orientation ? p.HauteurPage : p.LargeurPage;
    const int64_t hauteur = p.Orientation ? p.LargeurPage : p.HauteurPage;
    return qlRect(-decalage.x, -decalage.y, static_cast<int32_t>(largeur - decalage.x),
                  static_cast<int32_t>(hauteur - decalage.y));
}

bool Dedans(const qlRect& encre, const qlRect& feuille)
{
    if (encre.left >= encre.right && encre.top >= encre.bottom)
        return true;  // nothing written
    return encre.left >= feuille.left && encre.top >= feuille.top && encre.right <= feuille.right
           && encre.bottom <= feuille.bottom;
}

// The title as a label prints it: "M" is written "M.".
std::string_view CiviliteImprimee(std::string_view civilite)
{
    return civilite == "M" ? std::string_view("M.") : civilite;
}

// Label outlines on a preview: light grey, and red for a label losing text.
constexpr uint32_t kCouleurContour = Couleurs::Rgb(200, 200, 200);
constexpr int kLargeurContourCoupe = 5;

}  // namespace

QStringList AvertissementTexteCoupe(const std::vector<int32_t>& rangees, const TCSV& table,
                                    const TableIndexChamps& indexChamps, int nombre)
{
    QStringList lignes;
    if (rangees.empty())
        return lignes;
    lignes << QStringLiteral("Attention : %1 étiquette(s) au texte coupé").arg(rangees.size());
    const std::size_t montrees = std::min<std::size_t>(rangees.size(), std::max(nombre, 0));
    for (std::size_t i = 0; i < montrees; ++i) {
        const CellulesEtiquette c = Cellules(table.Vue(rangees[i]), indexChamps);
        QString nom = DecodeCp1252(CiviliteImprimee(c[0])) + QLatin1Char(' ')
                      + DecodeCp1252(c[1])
                      + QLatin1Char(' ') + DecodeCp1252(c[2]);
        nom = nom.simplified();
        lignes << QStringLiteral("ligne %1 : %2")
                      .arg(static_cast<int64_t>(rangees[i]) + 1)
                      .arg(nom);
    }
    if (rangees.size() > montrees)
        lignes << QStringLiteral("et %1 autres").arg(rangees.size() - montrees);
    return lignes;
}

QString TitreDocumentEtiquettes()
{
    return QStringLiteral("Etiquettes de la liste électorale");
}

QString RefusImpression(bool voyantAllume, const Parametres& p, uint32_t nbRangees)
{
    if (!voyantAllume)
        return QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.");
    if (EtiquettesParPage(p) <= 0)
        return QStringLiteral("Etiquettes non définies");
    if (nbRangees <= 1)
        return QStringLiteral("Extraction CSV incorrecte");
    return RefusFormat(p);
}

int32_t NombrePages(const Parametres& p, uint32_t nbRangees)
{
    const int64_t parPage = EtiquettesParPage(p);
    if (parPage <= 0 || nbRangees <= 1)
        return 0;
    const int64_t electeurs = static_cast<int64_t>(nbRangees) - 1;
    return static_cast<int32_t>((electeurs + parPage - 1) / parPage);
}

std::string ComposeEtiquette(const CellulesEtiquette& cellules, const Parametres& p)
{
    static const std::string_view finLigne = "\r\n";
    std::string texte;
    const auto ligne = [&](std::size_t k) {
        AjouteCellule(texte, cellules[k]);
        texte += finLigne;
    };

    if (p.ImprimerEnfant)
        ligne(6);
    if (p.ImprimerClasse)
        ligne(7);

    AjouteCellule(texte, CiviliteImprimee(cellules[0]));
    texte += ' ';
    AjouteCellule(texte, cellules[1]);
    texte += ' ';
    ligne(2);

    if (p.ImprimerAdresse) {
        ligne(3);
        AjouteCellule(texte, cellules[4]);
        texte += ' ';
        AjouteCellule(texte, cellules[5]);
    }
    if (p.ImprimerSignature)
        texte += "\r\nSignature :";
    return texte;
}

std::string ComposeEtiquette(const Rangee& rangee, const TableIndexChamps& indexChamps,
                             const Parametres& p)
{
    return ComposeEtiquette(Cellules(rangee, indexChamps), p);
}

std::string ComposeEtiquette(const VueRangee& rangee, const TableIndexChamps& indexChamps,
                             const Parametres& p)
{
    return ComposeEtiquette(Cellules(rangee, indexChamps), p);
}

PlagePages PagesAImprimer(bool plageChoisie, int depuis, int jusqua, int32_t nbPages)
{
    // A dialog that was never given a range reports 0 to 0: all pages.
    if (!plageChoisie || (depuis == 0 && jusqua == 0))
        return PlagePages{1, nbPages};
    return PlagePages{std::max(depuis, 1), std::min<int32_t>(jusqua, nbPages)};
}

PlagePages PagesAImprimer(const QPrinter& imprimante, int32_t nbPages)
{
    return PagesAImprimer(imprimante.printRange() == QPrinter::PageRange, imprimante.fromPage(),
                          imprimante.toPage(), nbPages);
}

bool ImprimanteDisponible(QPrinter::OutputFormat format, const QString& fichierSortie)
{
    if (format == QPrinter::NativeFormat)
        return true;
    return !fichierSortie.isEmpty();
}

bool ImprimanteDisponible(const QPrinter& imprimante)
{
    // A printer chosen in the dialog may have gone from the system since.
    if (imprimante.outputFormat() == QPrinter::NativeFormat && !imprimante.isValid())
        return false;
    return ImprimanteDisponible(imprimante.outputFormat(), imprimante.outputFileName());
}

bool AjustePagePdf(QPrinter& imprimante, const Parametres& p)
{
    if (!SortiePdf(imprimante) || imprimante.outputFileName().isEmpty())
        return false;
    if (p.LargeurPage <= 0 || p.HauteurPage <= 0)
        return false;
    FixeFeuille(imprimante, p.LargeurPage, p.HauteurPage, p.Orientation);
    return true;
}

ImpressionEtiquettes::ImpressionEtiquettes(const Parametres& parametres, const TCSV& table,
                                           const TableIndexChamps& indexChamps,
                                           const OptionsImpression& options)
    : m_parametres(parametres),
      m_table(table),
      m_indexChamps(indexChamps),
      m_options(options),
      m_repartition(Repartition(parametres, table, indexChamps, options))
{
    m_options.Debut = m_repartition.Debut();
}

int32_t ImpressionEtiquettes::NombrePages() const
{
    return m_repartition.NombrePages();
}

int64_t ImpressionEtiquettes::NombreEtiquettes(const PlagePages& plage) const
{
    // The voters fill the cells after the blank ones, page after page.
    const int64_t parPage = m_repartition.EtiquettesParPage();
    const int64_t vides = m_repartition.CellulesVides();
    const int64_t debut = std::max<int64_t>((plage.premiere - 1) * parPage, vides);
    const int64_t fin = std::min<int64_t>(static_cast<int64_t>(plage.derniere) * parPage,
                                          vides + m_repartition.NombreElecteurs());
    return std::max<int64_t>(fin - debut, 0);
}

bool ImpressionEtiquettes::DispositionSimple() const
{
    return !m_options.TriClasse && m_options.Debut == 1;
}

void ImpressionEtiquettes::Imprime(QPrinter& imprimante) const
{
    const PlagePages plage = PagesAImprimer(imprimante, NombrePages());
    if (plage.premiere > plage.derniere)
        return;
    ImprimeDocument(imprimante, plage);
}

void ImpressionEtiquettes::ImprimeDocument(QPrinter& imprimante, const PlagePages& plage) const
{
    DocumentImpression document(imprimante, TitreDocumentEtiquettes(), m_parametres.Orientation,
                                m_options.Decalage);
    for (int32_t page = plage.premiere; page <= plage.derniere; ++page) {
        Canevas& canevas = document.NouvellePage(page);
        ImprimeFeuille(canevas, page);
        if (document.EstApercu())
            DessineContours(canevas, page);
    }
    document.Termine();
}

void ImpressionEtiquettes::ImprimeFeuille(Canevas& canevas, int32_t page) const
{
    if (DispositionSimple()) {
        ImprimePage(canevas, PremiereRangeeDePage(page, EtiquettesParPage(m_parametres)));
        return;
    }
    const int64_t vides = page == 1 ? m_repartition.CellulesVides() : 0;
    int64_t cellule = 0;
    ParcourtPage(canevas, m_parametres, [&](int32_t ligne, int32_t colonne, const Police& police) {
        const int32_t rangee = m_repartition.Rangee(page, cellule);
        ++cellule;
        if (rangee < 0)
            return cellule <= vides;  // blank before the start, or past the last voter
        ImprimeEtiquette(canevas, police, RectangleTexte(m_parametres, ligne, colonne), rangee);
        return true;
    });
}

void ImpressionEtiquettes::ImprimePage(Canevas& canevas, int32_t premiereRangee) const
{
    const int64_t nbRangees = m_table.NbRangees();
    int64_t rangee = premiereRangee;
    ParcourtPage(canevas, m_parametres, [&](int32_t ligne, int32_t colonne, const Police& police) {
        if (rangee >= nbRangees)
            return false;
        ImprimeEtiquette(canevas, police, RectangleTexte(m_parametres, ligne, colonne),
                         static_cast<int32_t>(rangee));
        ++rangee;
        return true;
    });
}

void ImpressionEtiquettes::ImprimeEtiquette(Canevas& canevas, const Police& police,
                                            const qlRect& rectangle, int32_t rangee) const
{
    if (rangee < 0 || static_cast<int64_t>(rangee) >= static_cast<int64_t>(m_table.NbRangees()))
        return;
    const std::string texte = ComposeEtiquette(m_table.Vue(rangee), m_indexChamps, m_parametres);
    int32_t demiPoints = 0;
    const bool place = rectangle.left < rectangle.right && rectangle.top < rectangle.bottom;
    if (m_options.AjusterTexte && place)
        demiPoints = DisposeTexteEtiquette(canevas, police, rectangle, texte, true).DemiPoints;
    EcritTexteEtiquette(canevas, police, rectangle, texte, demiPoints);
}

void ImpressionEtiquettes::ParcourtCellules(
    int32_t page, const std::function<bool(int32_t, int32_t, int32_t)>& visite) const
{
    if (m_parametres.NbLignes <= 0 || m_parametres.NbCols <= 0)
        return;
    int64_t cellule = 0;
    for (int32_t ligne = 0; ligne < m_parametres.NbLignes; ++ligne) {
        for (int32_t colonne = 0; colonne < m_parametres.NbCols; ++colonne) {
            if (!visite(ligne, colonne, m_repartition.Rangee(page, cellule)))
                return;
            ++cellule;
        }
    }
}

bool ImpressionEtiquettes::EtiquetteCoupee(Canevas& canevas, const Police& police,
                                           const qlRect& rectangle, int32_t rangee) const
{
    const std::string texte = ComposeEtiquette(m_table.Vue(rangee), m_indexChamps, m_parametres);
    const DispositionTexte disposition =
        DisposeTexteEtiquette(canevas, police, rectangle, texte, m_options.AjusterTexte);
    if (disposition.Coupe)
        return true;
    const std::optional<qlRect> feuille = FeuilleVisible(m_parametres, m_options.Decalage);
    return feuille && !Dedans(disposition.Encre, *feuille);
}

std::vector<int32_t> ImpressionEtiquettes::EtiquettesCoupees(Canevas& mesure,
                                                              const PlagePages& plage) const
{
    std::vector<int32_t> coupees;
    Police police;
    m_parametres.Fonte.Restaure(police);
    const int32_t derniere = std::min(plage.derniere, NombrePages());
    for (int32_t page = std::max(plage.premiere, 1); page <= derniere; ++page) {
        ParcourtCellules(page, [&](int32_t ligne, int32_t colonne, int32_t rangee) {
            if (rangee >= 0
                && EtiquetteCoupee(mesure, police, RectangleTexte(m_parametres, ligne, colonne),
                                   rangee))
                coupees.push_back(rangee);
            return true;
        });
    }
    return coupees;
}

std::vector<int32_t> ImpressionEtiquettes::EtiquettesCoupees(const PlagePages& plage) const
{
    // Fonts are sized in logical units and measured unhinted, so any device
    // measures them as the printer does.
    QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    CanevasQt canevas(painter, kUnitesParPouce);
    return EtiquettesCoupees(canevas, plage);
}

void ImpressionEtiquettes::DessineContours(Canevas& canevas, int32_t page) const
{
    EtatCanevasSauve etat(canevas);
    FixeBrosse(canevas, Canevas::StyleBrosse::Vide, Couleurs::clWhite);
    Police police;
    m_parametres.Fonte.Restaure(police);
    std::vector<qlRect> coupees;
    FixeStylo(canevas, Canevas::StyleStylo::Plein, kCouleurContour, 1);
    ParcourtCellules(page, [&](int32_t ligne, int32_t colonne, int32_t rangee) {
        const qlRect cellule = CelluleEtiquette(m_parametres, ligne, colonne);
        if (m_options.Contours)
            canevas.RectangleArrondi(cellule, 0, 0);
        const qlRect texte = RectangleTexte(m_parametres, ligne, colonne);
        if (rangee >= 0 && EtiquetteCoupee(canevas, police, texte, rangee))
            coupees.push_back(cellule);
        return true;
    });
    FixeStylo(canevas, Canevas::StyleStylo::Plein, Couleurs::clRed, kLargeurContourCoupe);
    for (const qlRect& cellule : coupees)
        canevas.RectangleArrondi(cellule, 0, 0);
    etat.RestaureEtat();
}
