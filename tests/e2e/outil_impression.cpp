// brivane-e2e-impression: the print job on a real printer queue, and the
// check of the labels a printer wrote into a PDF, for the end-to-end tests.
//
//   brivane-e2e-impression imprime IMPRIMANTE REGLAGES.ini EXTRACTION.csv
//     loads and checks the extraction as the window does, then prints its
//     labels on the queue through Qt's native printing (CUPS), on a sheet of
//     the format's paper;
//   brivane-e2e-impression verifie REGLAGES.ini EXTRACTION.csv ETIQUETTES.pdf
//     reads the PDF back and checks that its sheets have the format's size and
//     that every voter's label starts at its place on its page, within 0.5 mm:
//     at the left edge of the label's text rectangle across, and down where
//     Qt's own PDF writer puts the same word (compared by the foot of the
//     word's box: its top depends on the font's ascent each writer declares,
//     see Position).
//   brivane-e2e-impression imprime-test IMPRIMANTE REGLAGES.ini
//     prints the format's test page on the queue, as the wizard's "Imprimer
//     une page de test..." does, on a sheet of the format's paper;
//   brivane-e2e-impression verifie-test REGLAGES.ini PAGE.pdf
//     reads the printed test page back: one sheet of the format's size, every
//     word of the sample where the print job writes the same text on a label
//     of the format (within 0.5 mm), and each label's outline inked around it.
//
// Exit codes: 0 success, 1 failure (the reasons on standard error), 2 usage.

#include "ChampsElecteurs.h"
#include "Cp1252.h"
#include "ExtractionChargee.h"
#include "ImpressionEtiquettes.h"
#include "LecturePdf.h"
#include "PageTest.h"
#include "Parametres.h"
#include "Ucsv.h"
#include "Upolice.h"
#include "Ureglages.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kSucces = 0;
constexpr int kEchec = 1;
constexpr int kUsage = 2;
constexpr double kTolerance = 0.5;  // millimetres

void Dit(std::FILE* flux, const QString& texte)
{
    std::fputs(texte.toUtf8().constData(), flux);
    std::fputc('\n', flux);
}

int Echec(const QString& texte)
{
    Dit(stderr, texte);
    return kEchec;
}

// The format and the checked table, as the window has them once its status
// light is green.
struct Extraction {
    Parametres parametres;
    ExtractionChargee liste;
    const TCSV& table = liste.Table();
    const TableIndexChamps& indexChamps = liste.IndexChamps();
};

// The extraction loaded and checked; the messages of a missing column name
// it alone.
std::optional<QString> ChargeListe(const QString& chemin, Extraction& e)
{
    if (!e.liste.Charge(chemin))
        return QStringLiteral("Impossible de charger le fichier %1").arg(chemin);
    if (e.liste.EtatCourant() == ExtractionChargee::Etat::ChampManquant)
        return MessageChampNonTrouve(e.liste.ChampManquant());
    return std::nullopt;
}

std::optional<QString> ChargeReglagesEtListe(const QString& reglages, const QString& chemin,
                                             Extraction& e)
{
    LitParametres(e.parametres, reglages);
    if (const auto erreur = ChargeListe(chemin, e))
        return erreur;
    const QString refus =
        e.liste.RefusImpression(e.parametres, ExtractionChargee::RefusSansElecteur::NonChargee);
    if (!refus.isEmpty())
        return refus;
    return std::nullopt;
}

// The queue through Qt's native printing, with the paper a user would pick
// in the print dialog: the format's sheet.
bool PrepareImprimante(QPrinter& imprimante, const QString& file, const Parametres& p)
{
    imprimante.setPrinterName(file);
    if (imprimante.outputFormat() != QPrinter::NativeFormat || !ImprimanteDisponible(imprimante))
        return false;
    imprimante.setPageSize(QPageSize(QSizeF(p.LargeurPage / 10.0, p.HauteurPage / 10.0),
                                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    return true;
}

int ImprimeListe(const QString& file, const QString& reglages, const QString& chemin)
{
    Extraction e;
    if (const auto erreur = ChargeReglagesEtListe(reglages, chemin, e))
        return Echec(*erreur);

    QPrinter imprimante(QPrinter::HighResolution);
    if (!PrepareImprimante(imprimante, file, e.parametres))
        return Echec(QStringLiteral("Pas d'imprimante trouvée : %1").arg(file));
    try {
        ImpressionEtiquettes(e.parametres, e.table, e.indexChamps).Imprime(imprimante);
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }
    Dit(stdout, QStringLiteral("%1 étiquette(s) envoyée(s) à %2")
                    .arg(e.table.NbRangees() - 1)
                    .arg(file));
    return kSucces;
}

// The first word of the label's first line, as the PDF's text shows it.
QString PremierMot(const std::string& etiquette)
{
    const QString texte = DecodeCp1252(etiquette);
    const QString ligne = texte.left(texte.indexOf(QLatin1Char('\r')));
    return ligne.split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0);
}

const MotPdf* PlusProche(const PagePdf& page, const QString& texte, double x, double y)
{
    const MotPdf* trouve = nullptr;
    double meilleure = 0;
    for (const MotPdf& mot : page.mots) {
        if (mot.texte != texte)
            continue;
        const double distance = std::hypot(mot.gauche - x, mot.haut - y);
        if (trouve == nullptr || distance < meilleure) {
            trouve = &mot;
            meilleure = distance;
        }
    }
    return trouve;
}

// The same job through Qt's own PDF writer, at the format's sheet: where the
// words of each label stand when no printing service is in between.
std::optional<QString> EcritReference(const Extraction& e, const QString& chemin)
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(chemin);
    AjustePagePdf(imprimante, e.parametres);
    try {
        ImpressionEtiquettes(e.parametres, e.table, e.indexChamps).Imprime(imprimante);
    } catch (const std::exception& erreur) {
        return QString::fromUtf8(erreur.what());
    }
    return std::nullopt;
}

// A word's place: where it starts across, and the foot of its box down. The
// top of a box is the font's ascent as the file declares it, which depends on
// the writer: Qt writes the face's own, the printing path's PDF the tallest
// of the glyphs the document uses (half a millimetre lower at 10 points for
// the test page's sample, which has no capital with an accent). The foot is
// the descent, which both take from glyphs that go below the line, present
// in every label ("p", "q", "g", ",").
QString Position(const MotPdf& mot)
{
    return QStringLiteral("(%1 ; pied %2) mm").arg(mot.gauche, 0, 'f', 2).arg(mot.bas, 0, 'f', 2);
}

bool Proches(const MotPdf& a, const MotPdf& b)
{
    return std::abs(a.gauche - b.gauche) <= kTolerance && std::abs(a.bas - b.bas) <= kTolerance;
}

bool MemeTaille(double largeur, double hauteur, const PagePdf& page)
{
    return std::abs(largeur - page.largeur) <= kTolerance
           && std::abs(hauteur - page.hauteur) <= kTolerance;
}

// A landscape page reaches the printer on upright paper, its content turned a
// quarter counter-clockwise (IPP's "landscape"): the page's left edge runs
// along the paper's bottom edge. Turns the words back into the page's frame.
void RedressePaysage(PagePdf& page)
{
    const double hauteurPapier = page.hauteur;
    for (MotPdf& mot : page.mots) {
        const MotPdf tourne = mot;
        mot.gauche = hauteurPapier - tourne.bas;
        mot.droite = hauteurPapier - tourne.haut;
        mot.haut = tourne.gauche;
        mot.bas = tourne.droite;
    }
    std::swap(page.largeur, page.hauteur);
}

// Each printed page has the size of the reference's, once a landscape page
// that reached the printer turned is turned back (which `tournees` tells).
bool MemesFeuilles(const Parametres& p, const ContenuPdf& reference, ContenuPdf& imprime,
                   std::vector<bool>* tournees = nullptr)
{
    int erreurs = 0;
    for (std::size_t n = 0; n < imprime.pages.size(); ++n) {
        PagePdf& page = imprime.pages[n];
        const PagePdf& attendue = reference.pages.at(n);
        const bool tournee = p.Orientation && attendue.largeur > attendue.hauteur
                             && MemeTaille(attendue.hauteur, attendue.largeur, page);
        if (tournee)
            RedressePaysage(page);
        if (tournees)
            tournees->push_back(tournee);
        if (!MemeTaille(attendue.largeur, attendue.hauteur, page)) {
            Dit(stderr, QStringLiteral("Page %1 : %2 × %3 mm, attendu %4 × %5 mm")
                            .arg(n + 1)
                            .arg(page.largeur, 0, 'f', 1)
                            .arg(page.hauteur, 0, 'f', 1)
                            .arg(attendue.largeur, 0, 'f', 1)
                            .arg(attendue.hauteur, 0, 'f', 1));
            ++erreurs;
        }
    }
    return erreurs == 0;
}

int VerifieListe(const QString& reglages, const QString& chemin, const QString& pdf)
{
    Extraction e;
    if (const auto erreur = ChargeReglagesEtListe(reglages, chemin, e))
        return Echec(*erreur);
    const QString cheminReference = pdf + QStringLiteral(".reference.pdf");
    if (const auto erreur = EcritReference(e, cheminReference))
        return Echec(QStringLiteral("PDF de référence : ") + *erreur);
    const ContenuPdf reference = LitPdf(cheminReference);
    QFile::remove(cheminReference);
    ContenuPdf imprime = LitPdf(pdf);
    if (!reference.ok || !imprime.ok)
        return Echec(reference.ok ? imprime.erreur : reference.erreur);

    const Parametres& p = e.parametres;
    const int32_t nbPages = NombrePages(p, e.table.NbRangees());
    if (static_cast<int32_t>(imprime.pages.size()) != nbPages
        || static_cast<int32_t>(reference.pages.size()) != nbPages)
        return Echec(QStringLiteral("%1 page(s) imprimée(s), %2 attendue(s)")
                         .arg(imprime.pages.size())
                         .arg(nbPages));

    if (!MemesFeuilles(p, reference, imprime))
        return Echec(QStringLiteral("Feuilles de la mauvaise taille dans %1").arg(pdf));

    int erreurs = 0;

    // Every voter's label: the first word of its text starts at the left edge
    // of the label's text rectangle, and stands where Qt's own writer puts it.
    const int64_t parPage = EtiquettesParPage(p);
    for (uint32_t rangee = 1; rangee < e.table.NbRangees(); ++rangee) {
        const int64_t k = (rangee - 1) % parPage;
        const auto numeroPage = static_cast<std::size_t>((rangee - 1) / parPage);
        const qlRect rectangle = RectangleTexte(p, static_cast<int32_t>(k / p.NbCols),
                                                static_cast<int32_t>(k % p.NbCols));
        const QString mot = PremierMot(ComposeEtiquette(e.table[rangee], e.indexChamps, p));
        const double x = rectangle.left / 10.0;
        const double y = rectangle.top / 10.0;
        const QString quoi = QStringLiteral("électeur %1, « %2 », page %3")
                                 .arg(rangee)
                                 .arg(mot)
                                 .arg(numeroPage + 1);
        const MotPdf* modele = PlusProche(reference.pages[numeroPage], mot, x, y);
        if (modele == nullptr || std::abs(modele->gauche - x) > kTolerance) {
            Dit(stderr, quoi + QStringLiteral(" : le PDF de référence ne le place pas en x = %1 mm")
                                   .arg(x, 0, 'f', 1));
            ++erreurs;
            continue;
        }
        const MotPdf* trouve = PlusProche(imprime.pages[numeroPage], mot, modele->gauche,
                                          modele->haut);
        if (trouve == nullptr) {
            Dit(stderr, quoi + QStringLiteral(" : absent de la page imprimée"));
            ++erreurs;
        } else if (!Proches(*trouve, *modele)) {
            Dit(stderr, quoi + QStringLiteral(" : imprimé à %1, attendu à %2")
                                   .arg(Position(*trouve), Position(*modele)));
            ++erreurs;
        }
    }
    if (erreurs > 0)
        return Echec(QStringLiteral("%1 étiquette(s) mal placée(s) dans %2").arg(erreurs).arg(pdf));
    Dit(stdout, QStringLiteral("%1 étiquette(s) à leur place sur %2 page(s)")
                    .arg(e.table.NbRangees() - 1)
                    .arg(nbPages));
    return kSucces;
}

// --- The test page -------------------------------------------------------

int ImprimeEssai(const QString& file, const QString& reglages)
{
    Parametres p;
    LitParametres(p, reglages);
    QPrinter imprimante(QPrinter::HighResolution);
    if (!PrepareImprimante(imprimante, file, p))
        return Echec(QStringLiteral("Pas d'imprimante trouvée : %1").arg(file));
    try {
        ImprimeTest(imprimante, p);
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }
    Dit(stdout, QStringLiteral("Page de test envoyée à %1").arg(file));
    return kSucces;
}

std::vector<std::string> DecoupeTexte(const std::string& texte, const std::string& separateur,
                                      std::size_t parties)
{
    std::vector<std::string> morceaux;
    std::size_t debut = 0;
    while (morceaux.size() + 1 < parties) {
        const std::size_t fin = texte.find(separateur, debut);
        if (fin == std::string::npos)
            break;
        morceaux.push_back(texte.substr(debut, fin - debut));
        debut = fin + separateur.size();
    }
    morceaux.push_back(texte.substr(debut));
    return morceaux;
}

// A table of one sheet of voters whose labels all read the test page's
// sample: its cells taken from the sample's five lines (child, class, "title
// surname first name", address, "postcode town"), and the print flags that
// compose them back in that order.
std::optional<QString> ExtractionExemple(const QString& chemin, Extraction& e)
{
    const std::vector<std::string> lignes = DecoupeTexte(TexteExempleTest(), "\r\n", 5);
    if (lignes.size() != 5)
        return QStringLiteral("L'exemple de la page de test n'a pas cinq lignes");
    const std::vector<std::string> nom = DecoupeTexte(lignes[2], " ", 3);
    const std::vector<std::string> commune = DecoupeTexte(lignes[4], " ", 2);
    if (nom.size() != 3 || commune.size() != 2)
        return QStringLiteral("L'exemple de la page de test ne se découpe pas en cellules");
    const std::string electeur = nom[0] + ';' + nom[1] + ';' + nom[2] + ';' + lignes[3] + ';'
                                 + commune[0] + ';' + commune[1] + ';' + lignes[0] + ';'
                                 + lignes[1] + "\r\n";
    std::string octets =
        "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;adresse responsable;"
        "cp responsable;commune responsable;nom enfant 1;classe enfant 1\r\n";
    for (int64_t k = 0; k < EtiquettesParPage(e.parametres); ++k)
        octets += electeur;
    QFile fichier(chemin);
    if (!fichier.open(QIODevice::WriteOnly)
        || fichier.write(octets.data(), static_cast<qint64>(octets.size()))
               != static_cast<qint64>(octets.size()))
        return QStringLiteral("Impossible d'écrire %1").arg(chemin);
    fichier.close();

    Parametres& p = e.parametres;
    p.ImprimerEnfant = p.ImprimerClasse = p.ImprimerAdresse = true;
    p.ImprimerSignature = false;
    if (const auto erreur = ChargeListe(chemin, e))
        return erreur;
    if (e.table.NbRangees() < 2)
        return QStringLiteral("Impossible de charger le fichier %1").arg(chemin);
    if (ComposeEtiquette(e.table[1], e.indexChamps, p) != TexteExempleTest())
        return QStringLiteral("Les étiquettes de référence ne reproduisent pas l'exemple");
    return std::nullopt;
}

// Ink (a grey below 200; paper is 255) within 0.3 mm of the point, in tenths
// of a millimetre on the page as the format lays it out. A page that reached
// the printer turned is read on the turned paper: the page's (x, y) is the
// paper's (y, width − x).
bool Encre(const QImage& image, bool tournee, int32_t largeurPage, int32_t x, int32_t y)
{
    const int px = tournee ? y : x;
    const int py = tournee ? largeurPage - x : y;
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            if (image.valid(px + dx, py + dy) && qGray(image.pixel(px + dx, py + dy)) < 200)
                return true;
        }
    }
    return false;
}

int VerifieEssai(const QString& reglages, const QString& pdf)
{
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return Echec(QStringLiteral("Dossier temporaire impossible"));
    Extraction e;
    LitParametres(e.parametres, reglages);
    const Parametres& p = e.parametres;
    if (EtiquettesParPage(p) <= 0)
        return Echec(QStringLiteral("Etiquettes non définies"));
    if (const auto erreur = ExtractionExemple(dossier.filePath(QStringLiteral("exemple.csv")), e))
        return Echec(*erreur);
    const QString cheminReference = dossier.filePath(QStringLiteral("etiquettes.pdf"));
    if (const auto erreur = EcritReference(e, cheminReference))
        return Echec(QStringLiteral("PDF de référence : ") + *erreur);
    const ContenuPdf reference = LitPdf(cheminReference);
    ContenuPdf imprime = LitPdf(pdf);
    if (!reference.ok || !imprime.ok)
        return Echec(reference.ok ? imprime.erreur : reference.erreur);
    if (imprime.pages.size() != 1 || reference.pages.size() != 1)
        return Echec(QStringLiteral("%1 page(s) de test imprimée(s), 1 attendue")
                         .arg(imprime.pages.size()));
    std::vector<bool> tournees;
    if (!MemesFeuilles(p, reference, imprime, &tournees))
        return Echec(QStringLiteral("Page de test de la mauvaise taille : %1").arg(pdf));
    const PagePdf& page = imprime.pages[0];
    const PagePdf& modele = reference.pages[0];

    // The labels of the reference start at their text rectangles, as in the
    // labels' check: the reference is the print job's layout.
    int erreurs = 0;
    const QString premier = PremierMot(TexteExempleTest());
    for (int32_t ligne = 0; ligne < p.NbLignes; ++ligne) {
        for (int32_t colonne = 0; colonne < p.NbCols; ++colonne) {
            const qlRect rectangle = RectangleTexte(p, ligne, colonne);
            const double x = rectangle.left / 10.0;
            const MotPdf* mot = PlusProche(modele, premier, x, rectangle.top / 10.0);
            if (mot == nullptr || std::abs(mot->gauche - x) > kTolerance) {
                Dit(stderr, QStringLiteral("Étiquette (%1, %2) : le PDF de référence ne la "
                                           "commence pas en x = %3 mm")
                                .arg(ligne + 1)
                                .arg(colonne + 1)
                                .arg(x, 0, 'f', 1));
                ++erreurs;
            }
        }
    }

    // Every word of the sample on the test page where the labels have it, one
    // for one, and nothing else.
    if (page.mots.size() != modele.mots.size()) {
        Dit(stderr, QStringLiteral("%1 mot(s) sur la page de test, %2 sur les étiquettes")
                        .arg(page.mots.size())
                        .arg(modele.mots.size()));
        ++erreurs;
    }
    std::vector<bool> pris(page.mots.size(), false);
    for (const MotPdf& attendu : modele.mots) {
        const MotPdf* trouve = nullptr;
        double meilleure = 0;
        for (std::size_t i = 0; i < page.mots.size(); ++i) {
            const MotPdf& mot = page.mots[i];
            const double distance = std::hypot(mot.gauche - attendu.gauche, mot.haut - attendu.haut);
            if (!pris[i] && mot.texte == attendu.texte && (trouve == nullptr || distance < meilleure)) {
                trouve = &mot;
                meilleure = distance;
            }
        }
        if (trouve == nullptr || !Proches(*trouve, attendu)) {
            Dit(stderr, QStringLiteral("« %1 » attendu à %2, %3")
                            .arg(attendu.texte, Position(attendu),
                                 trouve ? QStringLiteral("imprimé à ") + Position(*trouve)
                                        : QStringLiteral("absent")));
            ++erreurs;
            continue;
        }
        pris[static_cast<std::size_t>(trouve - page.mots.data())] = true;
    }

    // Each label's outline: ink in the middle of every side of its cell, but
    // the sides that lie on the paper's edge, where half the line is off the
    // sheet.
    const QImage image = RasterisePage(pdf, 1, 254);  // one pixel a tenth of a mm
    if (image.isNull())
        return Echec(QStringLiteral("Impossible de lire l'image de %1").arg(pdf));
    const int32_t largeur = p.Orientation ? p.HauteurPage : p.LargeurPage;
    const int32_t hauteur = p.Orientation ? p.LargeurPage : p.HauteurPage;
    const auto interieur = [](int32_t v, int32_t etendue) { return v >= 10 && v <= etendue - 10; };
    int cotes = 0;
    for (int32_t ligne = 0; ligne < p.NbLignes; ++ligne) {
        for (int32_t colonne = 0; colonne < p.NbCols; ++colonne) {
            const qlRect c = CelluleEtiquette(p, ligne, colonne);
            const int32_t mx = (c.left + c.right) / 2;
            const int32_t my = (c.top + c.bottom) / 2;
            const struct {
                const char* nom;
                bool dedans;
                int32_t x, y;
            } milieux[] = {
                {"haut", interieur(c.top, hauteur), mx, c.top},
                {"bas", interieur(c.bottom, hauteur), mx, c.bottom},
                {"gauche", interieur(c.left, largeur), c.left, my},
                {"droit", interieur(c.right, largeur), c.right, my},
            };
            for (const auto& m : milieux) {
                if (!m.dedans)
                    continue;
                ++cotes;
                if (!Encre(image, tournees.at(0), largeur, m.x, m.y)) {
                    Dit(stderr, QStringLiteral("Étiquette (%1, %2) : pas de contour au côté %3")
                                    .arg(ligne + 1)
                                    .arg(colonne + 1)
                                    .arg(QLatin1String(m.nom)));
                    ++erreurs;
                }
            }
        }
    }
    if (erreurs > 0)
        return Echec(QStringLiteral("%1 écart(s) sur la page de test %2").arg(erreurs).arg(pdf));
    Dit(stdout, QStringLiteral("Page de test : %1 mot(s) à la place du texte des étiquettes, "
                               "%2 côté(s) de contour")
                    .arg(modele.mots.size())
                    .arg(cotes));
    return kSucces;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstalleSubstitutionsPolices();

    const QStringList arguments = QGuiApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("imprime") && arguments.size() == 5)
        return ImprimeListe(arguments.at(2), arguments.at(3), arguments.at(4));
    if (mode == QLatin1String("verifie") && arguments.size() == 5)
        return VerifieListe(arguments.at(2), arguments.at(3), arguments.at(4));
    if (mode == QLatin1String("imprime-test") && arguments.size() == 4)
        return ImprimeEssai(arguments.at(2), arguments.at(3));
    if (mode == QLatin1String("verifie-test") && arguments.size() == 4)
        return VerifieEssai(arguments.at(2), arguments.at(3));
    Dit(stderr, QStringLiteral(
                    "Usage : brivane-e2e-impression imprime IMPRIMANTE REGLAGES.ini EXTRACTION.csv\n"
                    "        brivane-e2e-impression verifie REGLAGES.ini EXTRACTION.csv "
                    "ETIQUETTES.pdf\n"
                    "        brivane-e2e-impression imprime-test IMPRIMANTE REGLAGES.ini\n"
                    "        brivane-e2e-impression verifie-test REGLAGES.ini PAGE.pdf"));
    return kUsage;
}
