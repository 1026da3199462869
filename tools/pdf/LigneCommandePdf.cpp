#include "LigneCommandePdf.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

LigneCommandePdf Erreur(const QString& message)
{
    LigneCommandePdf resultat;
    resultat.issue = LigneCommandePdf::Issue::Erreur;
    resultat.erreur = message;
    return resultat;
}

QString NomOption(const QString& nom)
{
    return (nom.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + nom;
}

// QCommandLineParser words its errors in English; say the same in French.
QString ErreurAnalyse(const QCommandLineParser& analyseur)
{
    const QStringList inconnues = analyseur.unknownOptionNames();
    if (!inconnues.isEmpty())
        return QStringLiteral("Option inconnue : %1").arg(NomOption(inconnues.first()));

    const QRegularExpression citation(QStringLiteral("'([^']*)'"));
    const QRegularExpressionMatch trouve = citation.match(analyseur.errorText());
    const QString option = trouve.hasMatch() ? trouve.captured(1) : QString();
    if (analyseur.errorText().startsWith(QLatin1String("Missing value")))
        return QStringLiteral("Valeur manquante après l'option %1").arg(option);
    return QStringLiteral("Option incorrecte : %1").arg(option);
}

}  // namespace

bool LirePlagePages(const QString& texte, int32_t& premiere, int32_t& derniere)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\d{1,9})\\s*(?:-\\s*(\\d{1,9})\\s*)?$"));
    const QRegularExpressionMatch trouve = forme.match(texte);
    if (!trouve.hasMatch())
        return false;
    const int32_t debut = trouve.captured(1).toInt();
    const int32_t fin = trouve.captured(2).isEmpty() ? debut : trouve.captured(2).toInt();
    if (debut < 1 || fin < debut)
        return false;
    premiere = debut;
    derniere = fin;
    return true;
}

LigneCommandePdf AnalyseLigneCommande(const QStringList& arguments)
{
    QCommandLineParser analyseur;
    const QCommandLineOption aide({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Affiche cette aide."));
    const QCommandLineOption reglages(QStringLiteral("settings"),
                                      QStringLiteral("Fichier de réglages."),
                                      QStringLiteral("FICHIER"));
    const QCommandLineOption pages(QStringLiteral("pages"), QStringLiteral("Pages à imprimer."),
                                   QStringLiteral("PREMIERE-DERNIERE"));
    const QCommandLineOption pageTest(QStringLiteral("test-page"),
                                      QStringLiteral("Page d'étiquettes de test."));
    analyseur.addOption(aide);
    analyseur.addOption(reglages);
    analyseur.addOption(pages);
    analyseur.addOption(pageTest);

    if (!analyseur.parse(arguments))
        return Erreur(ErreurAnalyse(analyseur));

    LigneCommandePdf resultat;
    if (analyseur.isSet(aide)) {
        resultat.issue = LigneCommandePdf::Issue::Aide;
        return resultat;
    }

    const QStringList fichiers = analyseur.positionalArguments();
    OptionsPdf& options = resultat.options;
    options.pageTest = analyseur.isSet(pageTest);
    if (options.pageTest) {
        if (analyseur.isSet(pages))
            return Erreur(QStringLiteral("L'option --pages ne s'emploie pas avec --test-page : "
                                         "la page de test est une seule page."));
        if (fichiers.size() != 1)
            return Erreur(QStringLiteral("Avec --test-page, il faut un seul fichier : le PDF à "
                                         "écrire."));
        options.sortie = fichiers.at(0);
    } else {
        if (fichiers.size() != 2)
            return Erreur(
                QStringLiteral("Il faut deux fichiers : l'extraction CSV et le PDF à écrire."));
        options.extraction = fichiers.at(0);
        options.sortie = fichiers.at(1);
        if (options.extraction.isEmpty())
            return Erreur(QStringLiteral("Un nom de fichier est vide."));
    }
    if (options.sortie.isEmpty())
        return Erreur(QStringLiteral("Un nom de fichier est vide."));

    if (analyseur.isSet(reglages)) {
        options.fichierReglages = analyseur.value(reglages);
        if (options.fichierReglages.isEmpty())
            return Erreur(QStringLiteral("Le nom du fichier de réglages est vide."));
    }
    if (analyseur.isSet(pages)) {
        const QString plage = analyseur.value(pages);
        if (!LirePlagePages(plage, options.premiere, options.derniere))
            return Erreur(QStringLiteral("Plage de pages incorrecte : « %1 » (attendu "
                                         "PREMIERE-DERNIERE, par exemple 2-3, pages à partir de 1)")
                              .arg(plage));
        options.plageDonnee = true;
    }
    resultat.issue = LigneCommandePdf::Issue::Exporter;
    return resultat;
}

QString TexteAide()
{
    return QStringLiteral(
        "Usage : brivane-pdf [--settings FICHIER] [--pages PREMIERE-DERNIERE] "
        "EXTRACTION.csv SORTIE.pdf\n"
        "        brivane-pdf --test-page [--settings FICHIER] SORTIE.pdf\n"
        "\n"
        "Imprime dans un fichier PDF les étiquettes d'une extraction CSV de la liste\n"
        "électorale (Base Elèves), une étiquette par électeur, exactement comme le bouton\n"
        "« Imprimer les étiquettes... » de Brivane. Chaque page du PDF est une feuille\n"
        "d'étiquettes du format réglé (largeur et hauteur de la feuille, dans son\n"
        "orientation).\n"
        "\n"
        "Avec --test-page, écrit à la place la page d'étiquettes de test du format, comme\n"
        "le bouton « Imprimer une page de test... » de l'assistant : le contour de chaque\n"
        "étiquette et un texte d'exemple à l'endroit où s'imprime celui d'un électeur.\n"
        "Posée sur une planche d'étiquettes, elle montre si le format est juste. Aucune\n"
        "extraction n'est lue.\n"
        "\n"
        "Options :\n"
        "  --settings FICHIER   lit le format et les champs à imprimer dans ce fichier de\n"
        "                       réglages ; sans cette option, le fichier de réglages de\n"
        "                       l'utilisateur, ou les réglages par défaut s'il n'existe pas\n"
        "  --pages P-D          n'imprime que les pages P à D (pages comptées à partir de 1)\n"
        "  --test-page          écrit la page de test du format au lieu des étiquettes\n"
        "  -h, --help           affiche cette aide\n"
        "\n"
        "Le PDF n'est écrit qu'en cas de succès : un échec ne laisse aucun fichier partiel.\n"
        "Un format qui laisse les étiquettes blanches (taille nulle, marges internes trop\n"
        "grandes) est signalé sur la sortie d'erreur, en nommant la clé des réglages.\n"
        "\n"
        "Codes de sortie :\n"
        "  0  le PDF est écrit\n"
        "  1  échec : réglages ou extraction illisibles, colonne manquante, aucun électeur,\n"
        "     aucune étiquette sur la feuille, feuille qu'une page PDF ne peut pas être\n"
        "     (plus de 5,08 m de côté), PDF impossible à écrire\n"
        "  2  ligne de commande incorrecte, ou PDF qui remplacerait l'extraction ou les\n"
        "     réglages\n");
}
