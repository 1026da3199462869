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
//     Qt's own PDF writer puts the same word (the height of a word's box
//     depends on the reader's font metrics, not on the printer).
//
// Exit codes: 0 success, 1 failure (the reasons on standard error), 2 usage.

#include "ChampsElecteurs.h"
#include "Cp1252.h"
#include "ImpressionEtiquettes.h"
#include "LecturePdf.h"
#include "Parametres.h"
#include "Ucsv.h"
#include "Upolice.h"
#include "Ureglages.h"

#include <QFile>
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <utility>

namespace {

constexpr int kSucces = 0;
constexpr int kEchec = 1;
constexpr int kUsage = 2;
constexpr double kTolerance = 0.5;  // millimetres

void Dire(std::FILE* flux, const QString& texte)
{
    std::fputs(texte.toUtf8().constData(), flux);
    std::fputc('\n', flux);
}

int Echec(const QString& texte)
{
    Dire(stderr, texte);
    return kEchec;
}

// The format and the checked table, as the window has them once its status
// light is green.
struct Extraction {
    Parametres parametres;
    TCSV table;
    TableIndexChamps indexChamps{};
};

std::optional<QString> Charger(const QString& reglages, const QString& chemin, Extraction& e)
{
    LitParametres(e.parametres, reglages);
    if (!e.table.Charge(chemin))
        return QStringLiteral("Impossible de charger le fichier %1").arg(chemin);
    const bool analyse = e.table.NbRangees() > 1;
    if (analyse) {
        const int manquant = ChercherChamps(e.table[0], e.indexChamps);
        if (manquant >= 0)
            return MessageChampNonTrouve(manquant);
    }
    const QString refus = RefusImpression(analyse, e.parametres, e.table.NbRangees());
    if (!refus.isEmpty())
        return refus;
    return std::nullopt;
}

int Imprimer(const QString& file, const QString& reglages, const QString& chemin)
{
    Extraction e;
    if (const auto erreur = Charger(reglages, chemin, e))
        return Echec(*erreur);

    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setPrinterName(file);
    if (imprimante.outputFormat() != QPrinter::NativeFormat || !ImprimanteDisponible(imprimante))
        return Echec(QStringLiteral("Pas d'imprimante trouvée : %1").arg(file));
    // The paper a user would pick in the print dialog: the format's sheet.
    const Parametres& p = e.parametres;
    imprimante.setPageSize(QPageSize(QSizeF(p.LargeurPage / 10.0, p.HauteurPage / 10.0),
                                     QPageSize::Millimeter, QString(), QPageSize::ExactMatch));
    try {
        ImpressionEtiquettes(p, e.table, e.indexChamps).Imprime(imprimante);
    } catch (const std::exception& erreur) {
        return Echec(QString::fromUtf8(erreur.what()));
    }
    Dire(stdout, QStringLiteral("%1 étiquette(s) envoyée(s) à %2")
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
std::optional<QString> EcrireReference(const Extraction& e, const QString& chemin)
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

QString Position(const MotPdf& mot)
{
    return QStringLiteral("(%1 ; %2) mm").arg(mot.gauche, 0, 'f', 2).arg(mot.haut, 0, 'f', 2);
}

bool Proches(const MotPdf& a, const MotPdf& b)
{
    return std::abs(a.gauche - b.gauche) <= kTolerance && std::abs(a.haut - b.haut) <= kTolerance;
}

bool MemeTaille(double largeur, double hauteur, const PagePdf& page)
{
    return std::abs(largeur - page.largeur) <= kTolerance
           && std::abs(hauteur - page.hauteur) <= kTolerance;
}

// A landscape page reaches the printer on upright paper, its content turned a
// quarter counter-clockwise (IPP's "landscape"): the page's left edge runs
// along the paper's bottom edge. Turns the words back into the page's frame.
void RedresserPaysage(PagePdf& page)
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

int Verifier(const QString& reglages, const QString& chemin, const QString& pdf)
{
    Extraction e;
    if (const auto erreur = Charger(reglages, chemin, e))
        return Echec(*erreur);
    const QString cheminReference = pdf + QStringLiteral(".reference.pdf");
    if (const auto erreur = EcrireReference(e, cheminReference))
        return Echec(QStringLiteral("PDF de référence : ") + *erreur);
    const ContenuPdf reference = LirePdf(cheminReference);
    QFile::remove(cheminReference);
    ContenuPdf imprime = LirePdf(pdf);
    if (!reference.ok || !imprime.ok)
        return Echec(reference.ok ? imprime.erreur : reference.erreur);

    const Parametres& p = e.parametres;
    const int32_t nbPages = NombrePages(p, e.table.NbRangees());
    if (static_cast<int32_t>(imprime.pages.size()) != nbPages
        || static_cast<int32_t>(reference.pages.size()) != nbPages)
        return Echec(QStringLiteral("%1 page(s) imprimée(s), %2 attendue(s)")
                         .arg(imprime.pages.size())
                         .arg(nbPages));

    int erreurs = 0;
    for (std::size_t n = 0; n < imprime.pages.size(); ++n) {
        PagePdf& page = imprime.pages[n];
        const PagePdf& attendue = reference.pages[n];
        if (p.Orientation && attendue.largeur > attendue.hauteur
            && MemeTaille(attendue.hauteur, attendue.largeur, page))
            RedresserPaysage(page);
        if (!MemeTaille(attendue.largeur, attendue.hauteur, page)) {
            Dire(stderr, QStringLiteral("Page %1 : %2 × %3 mm, attendu %4 × %5 mm")
                             .arg(n + 1)
                             .arg(page.largeur, 0, 'f', 1)
                             .arg(page.hauteur, 0, 'f', 1)
                             .arg(attendue.largeur, 0, 'f', 1)
                             .arg(attendue.hauteur, 0, 'f', 1));
            ++erreurs;
        }
    }
    if (erreurs > 0)
        return Echec(QStringLiteral("Feuilles de la mauvaise taille dans %1").arg(pdf));

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
            Dire(stderr, quoi + QStringLiteral(" : le PDF de référence ne le place pas en x = %1 mm")
                                    .arg(x, 0, 'f', 1));
            ++erreurs;
            continue;
        }
        const MotPdf* trouve = PlusProche(imprime.pages[numeroPage], mot, modele->gauche,
                                          modele->haut);
        if (trouve == nullptr) {
            Dire(stderr, quoi + QStringLiteral(" : absent de la page imprimée"));
            ++erreurs;
        } else if (!Proches(*trouve, *modele)) {
            Dire(stderr, quoi + QStringLiteral(" : imprimé à %1, attendu à %2")
                                    .arg(Position(*trouve), Position(*modele)));
            ++erreurs;
        }
    }
    if (erreurs > 0)
        return Echec(QStringLiteral("%1 étiquette(s) mal placée(s) dans %2").arg(erreurs).arg(pdf));
    Dire(stdout, QStringLiteral("%1 étiquette(s) à leur place sur %2 page(s)")
                     .arg(e.table.NbRangees() - 1)
                     .arg(nbPages));
    return kSucces;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstallerSubstitutionsPolices();

    const QStringList arguments = QGuiApplication::arguments();
    const QString mode = arguments.value(1);
    if (mode == QLatin1String("imprime") && arguments.size() == 5)
        return Imprimer(arguments.at(2), arguments.at(3), arguments.at(4));
    if (mode == QLatin1String("verifie") && arguments.size() == 5)
        return Verifier(arguments.at(2), arguments.at(3), arguments.at(4));
    Dire(stderr, QStringLiteral(
                     "Usage : brivane-e2e-impression imprime IMPRIMANTE REGLAGES.ini EXTRACTION.csv\n"
                     "        brivane-e2e-impression verifie REGLAGES.ini EXTRACTION.csv "
                     "ETIQUETTES.pdf"));
    return kUsage;
}
