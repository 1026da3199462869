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

bool LitPlagePages(const QString& texte, int32_t& premiere, int32_t& derniere)
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

bool LitDebut(const QString& texte, int32_t& debut)
{
    static const QRegularExpression forme(QStringLiteral("^\\s*(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch trouve = forme.match(texte);
    if (!trouve.hasMatch() || trouve.captured(1).toInt() < 1)
        return false;
    debut = trouve.captured(1).toInt();
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
    const QCommandLineOption debut(QStringLiteral("debut"),
                                   QStringLiteral("Première étiquette de la première planche."),
                                   QStringLiteral("N"));
    const QCommandLineOption tri(QStringLiteral("tri"), QStringLiteral("Ordre des étiquettes."),
                                 QStringLiteral("classe|fichier"));
    const QCommandLineOption planche(QStringLiteral("planche"),
                                     QStringLiteral("Planche du catalogue."),
                                     QStringLiteral("MARQUE REFERENCE"));
    const QCommandLineOption ajuster(QStringLiteral("ajuster"),
                                     QStringLiteral("Texte des étiquettes trop pleines réduit."));
    analyseur.addOption(aide);
    analyseur.addOption(reglages);
    analyseur.addOption(pages);
    analyseur.addOption(pageTest);
    analyseur.addOption(debut);
    analyseur.addOption(tri);
    analyseur.addOption(planche);
    analyseur.addOption(ajuster);

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
        for (const QCommandLineOption* option : {&debut, &tri, &ajuster}) {
            if (analyseur.isSet(*option))
                return Erreur(QStringLiteral("L'option --%1 ne s'emploie pas avec --test-page : "
                                             "la page de test n'imprime aucun électeur.")
                                  .arg(option->names().constFirst()));
        }
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
        if (!LitPlagePages(plage, options.premiere, options.derniere))
            return Erreur(QStringLiteral("Plage de pages incorrecte : « %1 » (attendu "
                                         "PREMIERE-DERNIERE, par exemple 2-3, pages à partir de 1)")
                              .arg(plage));
        options.plageDonnee = true;
    }
    if (analyseur.isSet(debut)) {
        const QString valeur = analyseur.value(debut);
        if (!LitDebut(valeur, options.debut))
            return Erreur(QStringLiteral("Étiquette de départ incorrecte : « %1 » (attendu le "
                                         "numéro d'une étiquette de la planche, à partir de 1)")
                              .arg(valeur));
    }
    if (analyseur.isSet(tri)) {
        const QString valeur = analyseur.value(tri);
        if (valeur == QLatin1String("classe"))
            options.triClasse = true;
        else if (valeur == QLatin1String("fichier"))
            options.triClasse = false;
        else
            return Erreur(QStringLiteral("Ordre des étiquettes inconnu : « %1 » (attendu classe "
                                         "ou fichier)")
                              .arg(valeur));
    }
    options.ajusterTexte = analyseur.isSet(ajuster);
    if (analyseur.isSet(planche)) {
        options.planche = analyseur.value(planche).trimmed();
        if (options.planche.isEmpty())
            return Erreur(QStringLiteral("Le nom de la planche est vide."));
    }
    resultat.issue = LigneCommandePdf::Issue::Exporter;
    return resultat;
}

QString TexteAide()
{
    return QStringLiteral(
        "Usage : brivane-pdf [--settings FICHIER] [--pages PREMIERE-DERNIERE] "
        "EXTRACTION.csv SORTIE.pdf\n"
        "            [--debut N] [--tri classe|fichier] [--planche \"MARQUE REFERENCE\"]\n"
        "            [--ajuster]\n"
        "        brivane-pdf --test-page [--settings FICHIER] SORTIE.pdf "
        "[--planche \"MARQUE REFERENCE\"]\n"
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
        "Le réglage de l'imprimante enregistré par Brivane (décalage de tout ce qui est\n"
        "imprimé, DecalageX et DecalageY de la section [Impression] des réglages, en\n"
        "dixièmes de millimètre, vers la droite et vers le bas de la feuille tenue droite\n"
        "à la sortie de l'imprimante, tourné avec la page en paysage) s'applique aux\n"
        "étiquettes comme à la page de test.\n"
        "\n"
        "Le format des réglages passe les vérifications de l'assistant de Brivane et une\n"
        "taille de police de 4 à 72 points : un format refusé n'est pas imprimé.\n"
        "\n"
        "Options :\n"
        "  --settings FICHIER   lit le format et les champs à imprimer dans ce fichier de\n"
        "                       réglages ; sans cette option, le fichier de réglages de\n"
        "                       l'utilisateur, ou les réglages par défaut s'il n'existe pas\n"
        "  --pages P-D          n'imprime que les pages P à D (pages comptées à partir de 1)\n"
        "  --debut N            commence à l'étiquette N de la première planche, déjà\n"
        "                       entamée (comptée ligne par ligne depuis le coin en haut à\n"
        "                       gauche, de 1 au nombre d'étiquettes d'une planche) ; les\n"
        "                       étiquettes qui la précèdent restent vides, sur la première\n"
        "                       planche seulement, et les pages se comptent toujours depuis\n"
        "                       cette première planche\n"
        "  --tri classe         regroupe les étiquettes par classe (classes dans l'ordre\n"
        "                       alphabétique, CE2 avant CM1, puis nom de l'enfant, puis nom\n"
        "                       du responsable)\n"
        "  --tri fichier        garde l'ordre du fichier ; sans --tri, l'ordre choisi dans\n"
        "                       Brivane (« Trier les étiquettes par classe »), l'ordre du\n"
        "                       fichier par défaut\n"
        "  --planche \"MARQUE REFERENCE\"\n"
        "                       imprime sur cette planche du commerce (par exemple\n"
        "                       \"Avery L7160\", majuscules ou minuscules) au lieu de celle\n"
        "                       des réglages : feuille A4 en portrait, grille, taille des\n"
        "                       étiquettes et marges du catalogue ; police, marges\n"
        "                       internes et champs restent ceux des réglages (des marges\n"
        "                       internes sans place pour le texte sont réduites, et c'est\n"
        "                       dit)\n"
        "  --ajuster            écrit le texte d'une étiquette trop pleine dans la plus\n"
        "                       grande taille où il tient, jusqu'à 6 points par\n"
        "                       demi-points (« Réduire le texte des étiquettes trop\n"
        "                       pleines » de Brivane) ; sans l'option, le choix fait\n"
        "                       dans Brivane\n"
        "  --test-page          écrit la page de test du format au lieu des étiquettes\n"
        "  -h, --help           affiche cette aide\n"
        "\n"
        "Le PDF n'est écrit qu'en cas de succès, une fois tout entier sur le disque : un\n"
        "échec (disque plein compris) ou une interruption ne laisse aucun fichier partiel\n"
        "et un ancien PDF du même nom reste intact. Un lien mène au fichier qu'il désigne,\n"
        "un fichier remplacé garde son propriétaire et ses droits, un périphérique ou un\n"
        "tube est écrit directement (brivane-pdf liste.csv /dev/stdout | lp).\n"
        "Un format qui laisse les étiquettes blanches (taille nulle, marges internes trop\n"
        "grandes) est signalé sur la sortie d'erreur, en nommant la clé des réglages.\n"
        "Les étiquettes dont le texte ne tient pas (lignes sous le bas de l'étiquette,\n"
        "mot coupé à droite, texte poussé hors de la feuille par le réglage de\n"
        "l'imprimante) sont comptées sur la sortie d'erreur : « Attention : N\n"
        "étiquette(s) au texte coupé », puis les premières lignes de l'extraction\n"
        "concernées ; le PDF est écrit quand même (code 0).\n"
        "\n"
        "Codes de sortie :\n"
        "  0  le PDF est écrit\n"
        "  1  échec : réglages ou extraction illisibles, format refusé par les\n"
        "     vérifications de l'assistant, colonne manquante, aucun électeur,\n"
        "     aucune étiquette sur la feuille, feuille qu'une page PDF ne peut pas être\n"
        "     (plus de 5,08 m de côté), PDF impossible à écrire (disque plein...)\n"
        "  2  ligne de commande incorrecte (dont une étiquette de départ hors de la planche\n"
        "     et une planche absente du catalogue, avec les références proches), ou PDF\n"
        "     qui remplacerait l'extraction ou les réglages\n");
}
