// brivane-pdf end to end: exit codes, messages on standard error, the PDF
// written, and nothing left behind by a failed run.

#include "CataloguePlanches.h"
#include "DescripteurFichier.h"
#include "FichiersTest.h"
#include "LecturePdf.h"
#include "LigneCommandePdf.h"
#include "Parametres.h"
#include "SystemeTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>


namespace {

#ifdef Q_OS_WIN
constexpr int kArgumentLong = 30000;
#else
constexpr int kArgumentLong = 131000;  // one argument's limit is 128 KiB
#endif

struct Execution {
    int code = -1;
    QString sortie;
    QString erreurs;
};

// Header of the school database's export, Windows-1252, with a column that
// the labels do not use.
const char* const kEntete =
    "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;adresse responsable;"
    "cp responsable;commune responsable;nom enfant 1;classe enfant 1;date\r\n";

std::string Liste(int electeurs, const std::string& entete = kEntete)
{
    std::string octets = entete;
    for (int k = 1; k <= electeurs; ++k) {
        const std::string n = std::to_string(k);
        octets += "Mme;Nom" + n + ";Julie;3 rue Haute;69001;LYON;Enfant" + n + ";CE1;2024\r\n";
    }
    return octets;
}

class BrivanePdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dossier.isValid());
        ASSERT_TRUE(QDir().mkpath(Chemin(QStringLiteral("config"))));
        ASSERT_TRUE(QDir().mkpath(Chemin(QStringLiteral("travail"))));
    }

    QString Chemin(const QString& nom) const { return m_dossier.filePath(nom); }
    QString Travail(const QString& nom) const { return Chemin(QStringLiteral("travail/") + nom); }

    void Ecrire(const QString& chemin, const std::string& octets) const
    {
        QFile fichier(chemin);
        ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
        fichier.write(octets.data(), static_cast<qint64>(octets.size()));
    }

    // The program without a display platform chosen, the user's settings
    // under a private configuration folder.
    Execution Lance(const QStringList& arguments,
                    const QString& programme = QStringLiteral(BRIVANE_PDF)) const
    {
        QProcessEnvironment environnement = QProcessEnvironment::systemEnvironment();
        environnement.remove(QStringLiteral("QT_QPA_PLATFORM"));
        environnement.insert(VariableDossierReglages(), Chemin(QStringLiteral("config")));
        environnement.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dossier.path());
        QProcess processus;
        processus.setProcessEnvironment(environnement);
        processus.start(programme, arguments);
        Execution execution;
        if (!processus.waitForFinished(60000) || processus.exitStatus() != QProcess::NormalExit)
            return execution;
        execution.code = processus.exitCode();
        // A Windows console program ends its lines with CR LF.
        const auto texte = [](const QByteArray& octets) {
            return QString::fromUtf8(octets).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        };
        execution.sortie = texte(processus.readAllStandardOutput());
        execution.erreurs = texte(processus.readAllStandardError());
        return execution;
    }

    QStringList FichiersDuTravail() const
    {
        return QDir(Chemin(QStringLiteral("travail")))
            .entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir m_dossier;
};

TEST_F(BrivanePdf, EcritUnPdfDuFormatParDefaut)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(30));
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    const Execution e = Lance({QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                               Travail(QStringLiteral("liste.csv")),
                               Travail(QStringLiteral("etiquettes.pdf"))});
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    EXPECT_TRUE(e.erreurs.trimmed().isEmpty()) << e.erreurs.toStdString();
    EXPECT_EQ(FichiersDuTravail(), (QStringList{QStringLiteral("etiquettes.pdf"),
                                                QStringLiteral("liste.csv"),
                                                QStringLiteral("reglages.ini")}));

    const ContenuPdf pdf = LitPdf(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 2u);
    EXPECT_NEAR(pdf.pages[0].largeur, 210.0, 0.5);
    EXPECT_NEAR(pdf.pages[0].hauteur, 297.0, 0.5);
    const MotPdf* dernier = pdf.Cherche(QStringLiteral("Enfant25"));
    ASSERT_NE(dernier, nullptr);
    EXPECT_NEAR(dernier->gauche, 5.0, 0.3);  // top left label of the second sheet
    EXPECT_LT(dernier->haut, 15.0);

    // Readable by others as any file the user creates, not private like a
    // temporary file.
    QFile temoin(Travail(QStringLiteral("temoin")));
    ASSERT_TRUE(temoin.open(QIODevice::WriteOnly));
    EXPECT_EQ(QFileInfo(Travail(QStringLiteral("etiquettes.pdf"))).permissions(),
              temoin.permissions());
}

TEST_F(BrivanePdf, LignesDouteusesNommeesSurLaSortieDErreurEtLecteursSimultanes)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")),
           Liste(2) + "\r\nMme;Nom;Julie;3 rue;69001;LYON;\xC9" "cole;Enfant;CE1;2024\r\n");
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    // Another reader holds the extraction: reading it too is not refused.
    std::optional<DescripteurFichier> lecteur(
        DescripteurFichier::OuvreLecture(Travail(QStringLiteral("liste.csv"))));
    ASSERT_TRUE(lecteur->Valide());
    const Execution e = Lance({QStringLiteral("--tri"), QStringLiteral("classe"),
                               QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                               Travail(QStringLiteral("liste.csv")),
                               Travail(QStringLiteral("etiquettes.pdf"))});
    lecteur.reset();
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    EXPECT_EQ(e.erreurs,
              QStringLiteral("Attention : lignes à vérifier dans « %1 » :\n"
                             "ligne 4 : électeur vide (son étiquette sera blanche)\n"
                             "ligne 5 : 10 cellule(s) au lieu des 9 de l'en-tête\n")
                  .arg(Travail(QStringLiteral("liste.csv"))));
    const ContenuPdf pdf = LitPdf(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    EXPECT_NE(pdf.Cherche(QStringLiteral("Enfant2")), nullptr);
}

TEST_F(BrivanePdf, PlageDePages)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(60));
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    const Execution e = Lance({QStringLiteral("--pages"), QStringLiteral("2-2"),
                               QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                               Travail(QStringLiteral("liste.csv")),
                               Travail(QStringLiteral("etiquettes.pdf"))});
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    const ContenuPdf pdf = LitPdf(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_TRUE(pdf.ContientExactement(QStringLiteral("Enfant"), 25, 48));
}

TEST_F(BrivanePdf, ReglagesDeLUtilisateurParDefaut)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    const QStringList fichiers{Travail(QStringLiteral("liste.csv")),
                               Travail(QStringLiteral("etiquettes.pdf"))};

    // No settings file yet: the defaults, an upright A4 sheet.
    Execution e = Lance(fichiers);
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    ContenuPdf pdf = LitPdf(fichiers.at(1));
    ASSERT_TRUE(pdf.ok);
    EXPECT_NEAR(pdf.pages.at(0).largeur, 210.0, 0.5);

    // The user's own file: a landscape sheet of 20 × 28 cm, five rows, without
    // a class.
    ASSERT_TRUE(QDir().mkpath(Chemin(QStringLiteral("config/Kelvora"))));
    Ecrire(Chemin(QStringLiteral("config/Kelvora/Brivane.ini")),
           "[Brivane]\r\nOrientation=1\r\nLargeurPage=2000\r\nHauteurPage=2800\r\n"
           "NbLignes=5\r\nImprimerClasse=0\r\n");
    e = Lance(fichiers);
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    pdf = LitPdf(fichiers.at(1));
    ASSERT_TRUE(pdf.ok);
    EXPECT_NEAR(pdf.pages.at(0).largeur, 280.0, 0.5);
    EXPECT_NEAR(pdf.pages.at(0).hauteur, 200.0, 0.5);
    EXPECT_NE(pdf.Cherche(QStringLiteral("Enfant1")), nullptr);
    EXPECT_EQ(pdf.Cherche(QStringLiteral("CE1")), nullptr);
}

struct CasEchec {
    const char* nom;
    QStringList arguments;  // "@" stands for the work folder
    int code;
    QString message;
};

TEST_F(BrivanePdf, EchecsSansFichierPartiel)
{
    const QString dossier = Chemin(QStringLiteral("travail"));
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(30));
    Ecrire(Travail(QStringLiteral("entete.csv")), kEntete);
    Ecrire(Travail(QStringLiteral("vide.csv")), "");
    Ecrire(Travail(QStringLiteral("sans_cp.csv")),
           "civilit\xE9 responsable;nom responsable;pr\xE9nom responsable;adresse responsable;"
           "commune responsable;nom enfant 1;\r\nMme;A;B;C;D;E;F\r\n");
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    Ecrire(Travail(QStringLiteral("sans_grille.ini")), "[Brivane]\r\nNbCols=0\r\n");
    Ecrire(Travail(QStringLiteral("tous_vides.csv")), std::string(kEntete) + "\r\n;;\r\n");
    const QStringList attendus = FichiersDuTravail();

    const QString pdf = QStringLiteral("@/etiquettes.pdf");
    const QString ini = QStringLiteral("@/reglages.ini");
    const QString liste = QStringLiteral("@/liste.csv");
    const QString s = QStringLiteral("--settings");
    const std::vector<CasEchec> cas = {
        {"fichier_absent", {s, ini, QStringLiteral("@/absent.csv"), pdf}, 1,
         QStringLiteral("Impossible de charger le fichier")},
        {"colonne_manquante", {s, ini, QStringLiteral("@/sans_cp.csv"), pdf}, 1,
         QStringLiteral("Champ non trouvé : cp responsable")},
        {"electeurs_tous_vides", {s, ini, QStringLiteral("@/tous_vides.csv"), pdf}, 1,
         QStringLiteral("ligne 3 : électeur vide (son étiquette sera blanche)\nAucune étiquette "
                        "à imprimer")},
        {"entete_seule", {s, ini, QStringLiteral("@/entete.csv"), pdf}, 1,
         QStringLiteral("Extraction CSV incorrecte")},
        {"fichier_vide", {s, ini, QStringLiteral("@/vide.csv"), pdf}, 1,
         QStringLiteral("Extraction CSV incorrecte")},
        {"aucune_etiquette", {s, QStringLiteral("@/sans_grille.ini"), liste, pdf}, 1,
         QStringLiteral("Etiquettes non définies")},
        {"reglages_absents", {s, QStringLiteral("@/absent.ini"), liste, pdf}, 1,
         QStringLiteral("Fichier de réglages introuvable")},
        {"dossier_de_sortie_absent", {s, ini, liste, QStringLiteral("@/absent/etiquettes.pdf")}, 1,
         QStringLiteral("Impossible d'écrire le fichier PDF")},
        {"dossier_de_sortie_absent_raison", {s, ini, liste, QStringLiteral("@/absent/etiquettes.pdf")},
         1, QStringLiteral("/absent/etiquettes.pdf » : le dossier n'existe pas.")},
        {"sans_argument", {}, 2, QStringLiteral("Il faut deux fichiers")},
        {"un_seul_fichier", {liste}, 2, QStringLiteral("Il faut deux fichiers")},
        {"option_inconnue", {QStringLiteral("--format"), liste, pdf}, 2,
         QStringLiteral("Option inconnue : --format")},
        {"reglages_sans_valeur", {liste, pdf, s}, 2,
         QStringLiteral("Valeur manquante après l'option")},
        {"plage_illisible", {QStringLiteral("--pages"), QStringLiteral("deux"), s, ini, liste, pdf},
         2, QStringLiteral("Plage de pages incorrecte")},
        {"plage_inversee", {QStringLiteral("--pages"), QStringLiteral("2-1"), s, ini, liste, pdf},
         2, QStringLiteral("Plage de pages incorrecte")},
        {"plage_page_zero", {QStringLiteral("--pages"), QStringLiteral("0-1"), s, ini, liste, pdf},
         2, QStringLiteral("Plage de pages incorrecte")},
        {"plage_apres_la_fin", {QStringLiteral("--pages"), QStringLiteral("2-3"), s, ini, liste, pdf},
         2, QStringLiteral("le document compte 2 page(s)")},
    };
    for (const CasEchec& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("@"), dossier);
        const Execution e = Lance(arguments);
        EXPECT_EQ(e.code, c.code);
        EXPECT_TRUE(e.erreurs.contains(c.message)) << e.erreurs.toStdString();
        EXPECT_TRUE(e.sortie.isEmpty());
        EXPECT_EQ(FichiersDuTravail(), attendus);
    }
}

TEST_F(BrivanePdf, EchecLaisseUnAncienPdfIntact)
{
    Ecrire(Travail(QStringLiteral("entete.csv")), kEntete);
    Ecrire(Travail(QStringLiteral("etiquettes.pdf")), "ancien");
    const Execution e = Lance({Travail(QStringLiteral("entete.csv")),
                               Travail(QStringLiteral("etiquettes.pdf"))});
    EXPECT_EQ(e.code, 1);
    QFile ancien(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_TRUE(ancien.open(QIODevice::ReadOnly));
    EXPECT_EQ(ancien.readAll(), QByteArray("ancien"));
}

// The PDF written over the extraction (or the settings) would destroy the
// voters' list: refused whatever path leads to the same file, exit 2, the
// file untouched.
TEST_F(BrivanePdf, UnPdfQuiRemplaceraitUneEntreeEstRefuse)
{
    const std::string liste = Liste(3);
    Ecrire(Travail(QStringLiteral("liste.csv")), liste);
    Ecrire(Travail(QStringLiteral("reglages.ini")), "[Brivane]\r\nNbCols=2\r\n");
    const QString ini = Travail(QStringLiteral("reglages.ini"));
    const QString csv = Travail(QStringLiteral("liste.csv"));
    QStringList sorties = {csv, Chemin(QStringLiteral("travail/../travail/./liste.csv")), ini};
    ASSERT_TRUE(CreeLienDur(csv, Travail(QStringLiteral("dur.pdf"))));
    sorties << Travail(QStringLiteral("dur.pdf"));
    // Windows gives symbolic links to administrators only.
    if (CreeLienSymbolique(csv, Travail(QStringLiteral("lien.pdf"))))
        sorties << Travail(QStringLiteral("lien.pdf"));
    const QStringList avant = FichiersDuTravail();
    for (const QString& sortie : sorties) {
        SCOPED_TRACE(sortie.toStdString());
        const Execution e = Lance({QStringLiteral("--settings"), ini, csv, sortie});
        EXPECT_EQ(e.code, 2);
        EXPECT_TRUE(e.erreurs.contains(QStringLiteral("remplacerait le fichier")))
            << e.erreurs.toStdString();
        EXPECT_EQ(FichiersDuTravail(), avant);
        EXPECT_EQ(LitOctets(csv).toStdString(), liste);
        EXPECT_EQ(LitOctets(ini), QByteArray("[Brivane]\r\nNbCols=2\r\n"));
    }
}

// A settings file that cannot be read is an error, not the default format.
TEST_F(BrivanePdf, ReglagesIllisiblesRefusesAvecLaRaison)
{
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    ASSERT_TRUE(QDir().mkpath(Travail(QStringLiteral("dossier.ini"))));
    const bool tube = CreeTube(Travail(QStringLiteral("tube.ini")));
    Ecrire(Travail(QStringLiteral("prive.ini")), "[Brivane]\r\nNbCols=2\r\n");
    ASSERT_TRUE(QFile::setPermissions(Travail(QStringLiteral("prive.ini")), QFileDevice::WriteOwner));
    Ecrire(Travail(QStringLiteral("utf16.ini")), std::string("\xFE\xFF\0[\0B\0]", 8));
    const QStringList avant = FichiersDuTravail();

    struct Cas {
        const char* fichier;
        const char* raison;
    };
    std::vector<Cas> cas = {{"dossier.ini", "c'est un dossier"},
                            {"utf16.ini", "le fichier est en UTF-16, que Brivane ne lit pas ; "
                                          "enregistrez-le en UTF-8"}};
    if (tube)  // Windows has no named pipe among files
        cas.push_back({"tube.ini", "ce n'est pas un fichier ordinaire"});
    if (DroitsContraignants())  // permission bits do not bind root
        cas.push_back({"prive.ini", "accès refusé"});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        const QString ini = Travail(QString::fromLatin1(c.fichier));
        const Execution e = Lance({QStringLiteral("--settings"), ini,
                                   Travail(QStringLiteral("liste.csv")),
                                   Travail(QStringLiteral("etiquettes.pdf"))});
        EXPECT_EQ(e.code, 1);
        EXPECT_TRUE(e.erreurs.contains(
            QStringLiteral("Impossible de lire le fichier de réglages « %1 » : %2")
                .arg(ini, QString::fromUtf8(c.raison))))
            << e.erreurs.toStdString();
        EXPECT_EQ(FichiersDuTravail(), avant);
    }
}

// A hand-edited format goes through the wizard's page checks and a font size
// of 4 to 72 points, for the labels and the test page alike: refused with
// the wizard's message naming its page, exit 1, no PDF (a 3000 × 3000 grid
// would keep the test page growing for ever). What the wizard accepts but
// leaves blank is announced, naming the key; a sheet that cannot be a PDF
// page is refused.
TEST_F(BrivanePdf, FormatCasseAnnonceOuRefuse)
{
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    const auto refus = [](const char* page, const char* message) {
        return QStringLiteral("Format des étiquettes incorrect (page « %1 » de l'assistant) : %2")
            .arg(QString::fromUtf8(page), QString::fromUtf8(message));
    };
    struct Cas {
        const char* nom;
        const char* reglages;
        int code;
        QString message;  // empty: nothing on standard error
    };
    const std::vector<Cas> cas = {
        {"bon_format", "NbCols=2\r\nFonte=Arial,12,0,0000,0,1", 0, {}},
        {"grille_3000", "NbCols=3000\r\nNbLignes=3000", 1,
         refus("Nombre d'étiquettes", "Nombre de lignes incorrect")},
        {"colonnes_enormes", "NbCols=2147483647", 1,
         refus("Nombre d'étiquettes", "Nombre de colonnes incorrect")},
        {"marge_basse_negative", "MargeBasse=-1000", 1,
         refus("Position par rapport aux bords de la page",
               "Marges 'haute' ou 'basse' négatives : les étiquettes sortiraient de la page - "
               "dépassement de 10.00 cm")},
        {"police_nulle", "Fonte=Arial,0,0,0000,0,1", 1,
         refus("Police de caractères",
               "La taille de la police doit être comprise entre 4 et 72 points.")},
        {"police_99999", "Fonte=Arial,99999,0,0000,0,1", 1,
         refus("Police de caractères",
               "La taille de la police doit être comprise entre 4 et 72 points.")},
        {"largeur_nulle", "LargeurEtiq=0", 1,
         refus("Taille d'une étiquette", "Largeur ou hauteur de l'étiquette incorrects.")},
        {"marges_horizontales", "MargeInterneGauche=400\r\nMargeInterneDroite=300", 1,
         refus("Marges internes", "Les marges droite ou gauche sont trop importantes")},
        {"page_trop_haute", "HauteurPage=10000", 1, refus("Format de la page", "Valeurs incorrectes")},
        {"largeur_negative", "LargeurEtiq=-100\r\nMargeInterneGauche=-200", 0,
         QStringLiteral("Attention : LargeurEtiq vaut -100")},
        {"feuille_trop_large", "LargeurPage=50801", 1, QStringLiteral("LargeurPage vaut 50801")},
        {"feuille_nulle", "LargeurPage=0", 1, QStringLiteral("LargeurPage vaut 0")},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const QString ini = Travail(QStringLiteral("format.ini"));
        Ecrire(ini, std::string("[Brivane]\r\n") + c.reglages + "\r\n");
        const QString pdf = Travail(QStringLiteral("etiquettes.pdf"));
        for (const QStringList& arguments :
             {QStringList{Travail(QStringLiteral("liste.csv")), pdf},
              QStringList{QStringLiteral("--test-page"), pdf}}) {
            QFile::remove(pdf);
            const Execution e = Lance(QStringList{QStringLiteral("--settings"), ini} + arguments);
            EXPECT_EQ(e.code, c.code) << arguments.first().toStdString();
            if (c.message.isEmpty())
                EXPECT_TRUE(e.erreurs.trimmed().isEmpty()) << e.erreurs.toStdString();
            else
                EXPECT_TRUE(e.erreurs.contains(c.message)) << e.erreurs.toStdString();
            EXPECT_EQ(QFile::exists(pdf), c.code == 0);
        }
    }
}

// The extraction cannot be loaded: the window's sentence, then the file's
// name and the reason, on one line.
TEST_F(BrivanePdf, ExtractionImpossibleAChargerNommeeAvecLaRaison)
{
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    ASSERT_TRUE(QDir().mkpath(Travail(QStringLiteral("dossier.csv"))));
    Ecrire(Travail(QStringLiteral("verrouille.csv")), Liste(3));
    Ecrire(Travail(QStringLiteral("prive.csv")), Liste(3));
    ASSERT_TRUE(QFile::setPermissions(Travail(QStringLiteral("prive.csv")), QFileDevice::WriteOwner));
    const FichierTenu verrou(Travail(QStringLiteral("verrouille.csv")));
    ASSERT_TRUE(verrou.Pris());

    struct Cas {
        const char* fichier;
        const char* raison;
    };
    std::vector<Cas> cas = {{"dossier.csv", "c'est un dossier"},
                            {"verrouille.csv", "le fichier est ouvert par un autre programme"},
                            {"absent.csv", "le fichier n'existe pas"}};
    if (DroitsContraignants())
        cas.push_back({"prive.csv", "accès refusé"});
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        const QString csv = Travail(QString::fromLatin1(c.fichier));
        const Execution e = Lance({QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                                   csv, Travail(QStringLiteral("etiquettes.pdf"))});
        EXPECT_EQ(e.code, 1);
        const QStringList lignes = e.erreurs.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        EXPECT_TRUE(lignes.contains(QStringLiteral("Impossible de charger le fichier « %1 » : %2")
                                        .arg(csv, QString::fromUtf8(c.raison))))
            << e.erreurs.toStdString();
    }
}

TEST_F(BrivanePdf, AideEnFrancais)
{
    const Execution e = Lance({QStringLiteral("--help")});
    EXPECT_EQ(e.code, 0);
    EXPECT_TRUE(e.sortie.startsWith(QStringLiteral(
        "Usage : brivane-pdf [--settings FICHIER] [--pages PREMIERE-DERNIERE] "
        "EXTRACTION.csv SORTIE.pdf")));
    EXPECT_TRUE(e.sortie.contains(QStringLiteral("Codes de sortie")));
    EXPECT_TRUE(e.sortie.contains(
        QStringLiteral("brivane-pdf --test-page [--settings FICHIER] SORTIE.pdf")));
}

// ----------------------------------------------------------------------------
// The test page

// Words in reading order, so that two pages drawn alike compare word by word.
std::vector<MotPdf> MotsTries(const PagePdf& page)
{
    std::vector<MotPdf> mots = page.mots;
    const auto cle = [](const MotPdf& m) {
        return std::make_pair(std::lround(m.haut * 10), m.gauche);
    };
    std::sort(mots.begin(), mots.end(),
              [&](const MotPdf& a, const MotPdf& b) { return cle(a) < cle(b); });
    return mots;
}

// The test page puts every word where the labels of the same format put
// voters whose text is the sample, and draws each label's outline around the
// place where the labels PDF writes its text: upright A4 from a given
// settings file, and a landscape sheet of 4 × 5 labels from the user's own
// settings.
TEST_F(BrivanePdf, PageDeTestAuxPlacesDesEtiquettes)
{
    EXIGE_OUTILS_PDF();
    std::string liste = kEntete;
    for (int k = 0; k < 24; ++k)
        liste += "Mme;UNTEST;Hildegarde;12, rue des Petits Tests Informatiques;99999;"
                 "TESTEVILLE SUR PC;El\xE8ve UNTEST Charles;CM2 Mme Patience;2024\r\n";
    Ecrire(Travail(QStringLiteral("liste.csv")), liste);
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    ASSERT_TRUE(QDir().mkpath(Chemin(QStringLiteral("config/Kelvora"))));
    Ecrire(Chemin(QStringLiteral("config/Kelvora/Brivane.ini")),
           "[Brivane]\r\nOrientation=1\r\nNbCols=4\r\nNbLignes=5\r\n");

    for (const bool paysage : {false, true}) {
        SCOPED_TRACE(paysage);
        Parametres p;
        InitParametres(p);
        p.Orientation = paysage;
        p.NbCols = paysage ? 4 : 3;
        p.NbLignes = paysage ? 5 : 8;
        const QStringList donnes{QStringLiteral("--settings"),
                                 Travail(QStringLiteral("reglages.ini"))};
        const QStringList reglages = paysage ? QStringList() : donnes;
        const QString etiquettes = Travail(QStringLiteral("etiquettes.pdf"));
        const QString test = Travail(QStringLiteral("test.pdf"));
        ASSERT_EQ(Lance(reglages + QStringList{Travail(QStringLiteral("liste.csv")), etiquettes})
                      .code, 0);
        const Execution e =
            Lance(QStringList{QStringLiteral("--test-page")} + reglages + QStringList{test});
        ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
        EXPECT_TRUE(e.erreurs.trimmed().isEmpty() && e.sortie.isEmpty()) << e.erreurs.toStdString();

        const ContenuPdf pdfEtiquettes = LitPdf(etiquettes);
        const ContenuPdf pdfTest = LitPdf(test);
        ASSERT_TRUE(pdfEtiquettes.ok && pdfTest.ok);
        ASSERT_EQ(pdfTest.pages.size(), 1u);
        EXPECT_NEAR(pdfTest.pages[0].largeur, paysage ? 297.0 : 210.0, 0.5);
        const std::vector<MotPdf> attendus = MotsTries(pdfEtiquettes.pages.at(0));
        const std::vector<MotPdf> mots = MotsTries(pdfTest.pages[0]);
        ASSERT_EQ(mots.size(), static_cast<std::size_t>(p.NbCols * p.NbLignes * 19));
        ASSERT_EQ(mots.size(), attendus.size());
        for (std::size_t i = 0; i < mots.size(); ++i) {
            SCOPED_TRACE(attendus[i].texte.toStdString());
            EXPECT_EQ(mots[i].texte, attendus[i].texte);
            EXPECT_NEAR(mots[i].gauche, attendus[i].gauche, 0.01);
            EXPECT_NEAR(mots[i].haut, attendus[i].haut, 0.01);
            EXPECT_NEAR(mots[i].bas, attendus[i].bas, 0.01);
        }

        // Ink (below 200; paper is 255, and half a line on the sheet's edge
        // is light) in the middle of each label's top and bottom edges, and
        // of its left and right edges inside the sheet.
        const QImage image = RasterisePage(test, 1, 254);  // one pixel a unit
        ASSERT_FALSE(image.isNull());
        const auto encre = [&](int x, int y) {
            int gris = 255;
            for (int d = -2; d <= 2; ++d) {
                for (const QPoint point : {QPoint(x, y + d), QPoint(x + d, y)}) {
                    if (image.valid(point))
                        gris = std::min(gris, qGray(image.pixel(point)));
                }
            }
            return gris < 200;
        };
        std::vector<qlRect> cellules;
        for (int32_t k = 0; k < p.NbCols * p.NbLignes; ++k) {
            const qlRect cellule = CelluleEtiquette(p, k / p.NbCols, k % p.NbCols);
            cellules.push_back(cellule);
            const int x = (cellule.left + cellule.right) / 2;
            const int y = (cellule.top + cellule.bottom) / 2;
            EXPECT_TRUE(encre(x, cellule.top)) << k;
            EXPECT_TRUE(encre(x, cellule.bottom)) << k;
            for (const int bord : {cellule.left, cellule.right}) {
                if (bord > 10 && bord < image.width() - 10) {
                    EXPECT_TRUE(encre(bord, y)) << k << " " << bord;
                }
            }
        }

        // So each word of the labels PDF lies inside one of these outlines.
        for (const MotPdf& mot : attendus) {
            const bool entoure = std::any_of(cellules.begin(), cellules.end(), [&](const qlRect& c) {
                return mot.gauche * 10 >= c.left && mot.droite * 10 <= c.right
                       && mot.haut * 10 >= c.top && mot.bas * 10 <= c.bottom;
            });
            EXPECT_TRUE(entoure) << mot.texte.toStdString() << " " << mot.gauche << " " << mot.haut;
        }
    }
}

TEST_F(BrivanePdf, EchecsDeLaPageDeTestSansFichierPartiel)
{
    const QString dossier = Chemin(QStringLiteral("travail"));
    Ecrire(Travail(QStringLiteral("sans_grille.ini")), "[Brivane]\r\nNbLignes=0\r\n");
    Ecrire(Travail(QStringLiteral("test.pdf")), "ancien");
    const QStringList attendus = FichiersDuTravail();

    const QString t = QStringLiteral("--test-page");
    const QString pdf = QStringLiteral("@/test.pdf");
    const std::vector<CasEchec> cas = {
        {"aucune_etiquette",
         {t, QStringLiteral("--settings"), QStringLiteral("@/sans_grille.ini"), pdf}, 1,
         QStringLiteral("Etiquettes non définies")},
        {"dossier_de_sortie_absent", {t, QStringLiteral("@/absent/test.pdf")}, 1,
         QStringLiteral("Impossible d'écrire le fichier PDF")},
        {"avec_une_extraction", {t, QStringLiteral("@/liste.csv"), pdf}, 2,
         QStringLiteral("Avec --test-page, il faut un seul fichier")},
        {"avec_une_plage", {t, QStringLiteral("--pages"), QStringLiteral("1-1"), pdf}, 2,
         QStringLiteral("L'option --pages ne s'emploie pas avec --test-page")},
    };
    for (const CasEchec& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("@"), dossier);
        const Execution e = Lance(arguments);
        EXPECT_EQ(e.code, c.code);
        EXPECT_TRUE(e.erreurs.contains(c.message)) << e.erreurs.toStdString();
        EXPECT_EQ(FichiersDuTravail(), attendus);
        EXPECT_EQ(LitOctets(Travail(QStringLiteral("test.pdf"))), QByteArray("ancien"));
    }
}

// A disk that fills up, a device, standard output: the program in a private
// mount namespace whose small tmpfs holds an older PDF and a copy of
// /dev/null. What is left there is listed on standard output after the run.
TEST_F(BrivanePdf, DisquePleinEtSortiesQuiNeSontPasDesFichiers)
{
    if (const QString raison = RaisonSansDisquePrive(); !raison.isEmpty())
        GTEST_SKIP() << raison.toStdString();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(1000));
    const QString petit = Chemin(QStringLiteral("petit"));
    ASSERT_TRUE(QDir().mkpath(petit));
    const QString script = QStringLiteral(
        "d=$1; mount -t tmpfs -o size=64k tmpfs \"$d\" || exit 99\n"
        "printf ancien > \"$d/etiquettes.pdf\"; mknod \"$d/nul\" c 1 3\n"
        "[ \"$2\" -gt 0 ] && head -c \"$2\" /dev/zero > \"$d/plein\" 2>/dev/null\n"
        "shift 2; \"$@\"; echo \"code=$?\"; ls -A \"$d\" | tr '\\n' ' '; echo\n"
        "cat \"$d/etiquettes.pdf\"; echo; stat -c %F \"$d/nul\"\n");
    const QString liste = Travail(QStringLiteral("liste.csv"));
    const QString pdf = petit + QStringLiteral("/etiquettes.pdf");
    const QString t = QStringLiteral("--test-page");
    const struct {
        const char* nom;
        int remplissage;  // bytes taken on the tmpfs before the run
        QStringList arguments;
        int code;
        QString erreur;
        QString debutSortie;
    } cas[] = {
        {"liste sur un disque trop petit", 0, {liste, pdf}, 1, QStringLiteral("disque plein"), {}},
        {"page de test sur un disque presque plein", 56 * 1024, {t, pdf}, 1,
         QStringLiteral("disque plein"), {}},
        {"périphérique plein", 0, {liste, QStringLiteral("/dev/full")}, 1,
         QStringLiteral("disque plein"), {}},
        {"copie de /dev/null", 0, {liste, petit + QStringLiteral("/nul")}, 0, {}, {}},
        {"sortie standard", 0, {liste, QStringLiteral("/dev/stdout")}, 0, {},
         QStringLiteral("%PDF")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const Execution e = Lance(QStringList{QStringLiteral("--mount"), QStringLiteral("sh"),
                                              QStringLiteral("-c"), script, QStringLiteral("sh"),
                                              petit, QString::number(c.remplissage),
                                              QStringLiteral(BRIVANE_PDF)}
                                       + c.arguments,
                                   QStringLiteral("unshare"));
        EXPECT_TRUE(e.sortie.contains(QStringLiteral("code=%1\n").arg(c.code))) << e.sortie.right(300).toStdString();
        EXPECT_TRUE(e.sortie.startsWith(c.debutSortie));
        EXPECT_TRUE(e.erreurs.contains(c.erreur)) << e.erreurs.toStdString();
        // The older PDF untouched, no temporary file left, the device still one.
        EXPECT_TRUE(e.sortie.contains(QStringLiteral("\nancien\ncharacter special file")));
        EXPECT_FALSE(e.sortie.contains(QStringLiteral(".etiquettes.pdf.")));
    }
}

// ----------------------------------------------------------------------------
// Start label, order by class, calibration and a sheet of the catalogue

// n voters, child "EnfantK", in the classes given in turn.
std::string ListeDeClasses(int electeurs, const std::vector<std::string>& classes)
{
    std::string octets = kEntete;
    for (int k = 1; k <= electeurs; ++k) {
        const std::string n = std::to_string(k);
        octets += "Mme;Nom" + n + ";Julie;3 rue Haute;69001;LYON;Enfant" + n + ";"
                  + classes[static_cast<std::size_t>(k - 1) % classes.size()] + ";2024\r\n";
    }
    return octets;
}

Parametres FormatParDefaut()
{
    Parametres p;
    InitParametres(p);
    return p;
}

// The children of a page, label by label of its grid ("-" for a blank
// label), found where each label's first line starts.
QStringList Etiquettes(const PagePdf& page, const Parametres& p)
{
    QStringList etiquettes;
    for (int32_t k = 0; k < p.NbCols * p.NbLignes; ++k) {
        const qlRect r = RectangleTexte(p, k / p.NbCols, k % p.NbCols);
        QString enfant = QStringLiteral("-");
        for (const MotPdf& m : page.mots) {
            if (m.texte.startsWith(QLatin1String("Enfant")) && std::abs(m.gauche - r.left / 10.0) < 0.3
                && m.haut > r.top / 10.0 - 0.3 && m.haut < r.top / 10.0 + 3.0)
                enfant = m.texte.mid(6);
        }
        etiquettes << enfant;
    }
    return etiquettes;
}

TEST_F(BrivanePdf, DebutSurUnePlancheEntamee)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(30));
    Ecrire(Travail(QStringLiteral("reglages.ini")), "");
    const Parametres p = FormatParDefaut();
    const QStringList communs{QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                              Travail(QStringLiteral("liste.csv")),
                              Travail(QStringLiteral("etiquettes.pdf"))};

    // From label 20 of 24: voters 1 to 5 end the first sheet, 6 to 29 fill
    // the second, 30 starts the third.
    Execution e = Lance(QStringList{QStringLiteral("--debut"), QStringLiteral("20")} + communs);
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    ContenuPdf pdf = LitPdf(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_TRUE(pdf.ok) << pdf.erreur.toStdString();
    ASSERT_EQ(pdf.pages.size(), 3u);
    QStringList premiere(19, QStringLiteral("-"));
    premiere << QStringLiteral("1") << QStringLiteral("2") << QStringLiteral("3")
             << QStringLiteral("4") << QStringLiteral("5");
    EXPECT_EQ(Etiquettes(pdf.pages[0], p), premiere);
    EXPECT_EQ(Etiquettes(pdf.pages[2], p).first(), QStringLiteral("30"));

    // Pages count from that first sheet.
    e = Lance(QStringList{QStringLiteral("--debut"), QStringLiteral("20"), QStringLiteral("--pages"),
                          QStringLiteral("2")}
              + communs);
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    pdf = LitPdf(Travail(QStringLiteral("etiquettes.pdf")));
    ASSERT_EQ(pdf.pages.size(), 1u);
    EXPECT_TRUE(pdf.ContientExactement(QStringLiteral("Enfant"), 6, 29));
}

TEST_F(BrivanePdf, TriParClasse)
{
    EXIGE_OUTILS_PDF();
    // Classes 1 to 8 in turn: CM2, CE1, cp, CE2 (in school order CP, CE1,
    // CE2, CM2).
    Ecrire(Travail(QStringLiteral("liste.csv")), ListeDeClasses(8, {"CM2", "CE1", "cp", "CE2"}));
    Ecrire(Travail(QStringLiteral("fichier.ini")), "");
    Ecrire(Travail(QStringLiteral("classe.ini")), "[Impression]\r\nTriClasse=1\r\n");
    const Parametres p = FormatParDefaut();
    const QString pdf = Travail(QStringLiteral("etiquettes.pdf"));
    const QString parClasse = "3 7 2 6 4 8 1 5";
    const QString parFichier = "1 2 3 4 5 6 7 8";
    const struct {
        const char* cas;
        QStringList options;
        const char* reglages;
        QString ordre;
    } cas[] = {
        {"--tri classe", {QStringLiteral("--tri"), QStringLiteral("classe")}, "fichier.ini",
         parClasse},
        {"--tri fichier", {QStringLiteral("--tri"), QStringLiteral("fichier")}, "fichier.ini",
         parFichier},
        {"sans --tri, réglages par défaut", {}, "fichier.ini", parFichier},
        {"sans --tri, réglages triés", {}, "classe.ini", parClasse},
        {"--tri fichier l'emporte sur les réglages",
         {QStringLiteral("--tri"), QStringLiteral("fichier")}, "classe.ini", parFichier},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const Execution e = Lance(c.options + QStringList{QStringLiteral("--settings"),
                                                          Travail(QString::fromLatin1(c.reglages)),
                                                          Travail(QStringLiteral("liste.csv")), pdf});
        ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
        const ContenuPdf lu = LitPdf(pdf);
        ASSERT_TRUE(lu.ok) << lu.erreur.toStdString();
        ASSERT_EQ(lu.pages.size(), 1u);
        EXPECT_EQ(Etiquettes(lu.pages[0], p).mid(0, 8).join(QLatin1Char(' ')), c.ordre);
    }
}

// The calibration of the settings moves the labels and the test page alike,
// as seen on the sheet held upright as it leaves the printer: a landscape
// page leaves it turned counter-clockwise, so the sheet's right is down the
// page and its bottom the page's left.
TEST_F(BrivanePdf, ReglageDeLImprimanteAppliqueAuxEtiquettesEtALaPageDeTest)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    Ecrire(Travail(QStringLiteral("zero.ini")), "");
    Ecrire(Travail(QStringLiteral("decale.ini")),
           "[Brivane]\r\nNbCols=2\r\n[Impression]\r\nDecalageX=25\r\nDecalageY=-15\r\n");
    const std::string paysage =
        "[Brivane]\r\nNbCols=2\r\nNbLignes=5\r\nOrientation=1\r\nMargeGauche=30\r\nMargeDroite=30\r\n";
    Ecrire(Travail(QStringLiteral("zero-paysage.ini")), paysage);
    Ecrire(Travail(QStringLiteral("decale-paysage.ini")),
           paysage + "[Impression]\r\nDecalageX=25\r\nDecalageY=-15\r\n");
    const Parametres p = FormatParDefaut();

    struct Mesure {
        double gauche = 0, haut = 0;  // "Enfant1", millimetres
        QRect encre;                  // the test page's ink, tenths of a millimetre
    };
    const auto mesurer = [&](const char* reglages) {
        Mesure m;
        const QString ini = Travail(QString::fromLatin1(reglages));
        const QString etiquettes = Travail(QStringLiteral("etiquettes.pdf"));
        const QString test = Travail(QStringLiteral("test.pdf"));
        Execution e = Lance({QStringLiteral("--settings"), ini, Travail(QStringLiteral("liste.csv")),
                             etiquettes});
        EXPECT_EQ(e.code, 0) << e.erreurs.toStdString();
        const ContenuPdf pdf = LitPdf(etiquettes);
        if (const MotPdf* mot = pdf.Cherche(QStringLiteral("Enfant1"))) {
            m.gauche = mot->gauche;
            m.haut = mot->haut;
        }
        e = Lance({QStringLiteral("--test-page"), QStringLiteral("--settings"), ini, test});
        EXPECT_EQ(e.code, 0) << e.erreurs.toStdString();
        m.encre = BoiteEncre(RasterisePage(test, 1, 254));
        return m;
    };
    const Mesure zero = mesurer("zero.ini");
    const Mesure decale = mesurer("decale.ini");
    EXPECT_NEAR(zero.gauche, RectangleTexte(p, 0, 0).left / 10.0, 0.3);
    EXPECT_NEAR(decale.gauche - zero.gauche, 2.5, 0.05);
    EXPECT_NEAR(decale.haut - zero.haut, -1.5, 0.05);
    ASSERT_FALSE(zero.encre.isEmpty());
    EXPECT_NEAR(decale.encre.left() - zero.encre.left(), 25, 1);
    EXPECT_NEAR(decale.encre.top() - zero.encre.top(), -15, 1);

    // Landscape: 2.5 mm toward the sheet's right, 1.5 mm toward its top.
    const Mesure zeroPaysage = mesurer("zero-paysage.ini");
    const Mesure decalePaysage = mesurer("decale-paysage.ini");
    EXPECT_NEAR(decalePaysage.gauche - zeroPaysage.gauche, 1.5, 0.05);
    EXPECT_NEAR(decalePaysage.haut - zeroPaysage.haut, 2.5, 0.05);
    ASSERT_FALSE(zeroPaysage.encre.isEmpty());
    EXPECT_NEAR(decalePaysage.encre.left() - zeroPaysage.encre.left(), 15, 1);
    EXPECT_NEAR(decalePaysage.encre.top() - zeroPaysage.encre.top(), 25, 1);
}

// Labels that lose text are counted on standard error, with the first lines
// concerned, and the PDF is written all the same: a calibration pushing the
// first column off the sheet, a 12-point bold font with the signature line;
// --ajuster, or the settings' AjusterTexte, writes the latter smaller.
TEST_F(BrivanePdf, TexteCoupeAnnonceSurLaSortieDErreur)
{
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    Ecrire(Travail(QStringLiteral("decale.ini")),
           "[Brivane]\nNbCols=2\n[Impression]\nDecalageX=-100");
    const char* const gros = "[Brivane]\nFonte=Arial,12,0,1000,0,1\nImprimerSignature=1\n";
    Ecrire(Travail(QStringLiteral("gros.ini")), gros);
    Ecrire(Travail(QStringLiteral("ajuste.ini")),
           gros + std::string("[Impression]\nAjusterTexte=1"));
    const struct {
        const char* reglages;
        const char* option;
        const char* erreurs;
    } cas[] = {
        {"decale.ini", "--pages=1",
         "Attention : 2 étiquette(s) au texte coupé\nligne 2 : Mme Nom1 Julie\n"
         "ligne 4 : Mme Nom3 Julie\n"},
        {"gros.ini", "--pages=1-1",
         "Attention : 3 étiquette(s) au texte coupé\nligne 2 : Mme Nom1 Julie\n"
         "ligne 3 : Mme Nom2 Julie\nligne 4 : Mme Nom3 Julie\n"},
        {"gros.ini", "--ajuster", ""},
        {"ajuste.ini", "--pages=1", ""},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.reglages);
        const QString pdf = Travail(QStringLiteral("etiquettes.pdf"));
        QFile::remove(pdf);
        const Execution e =
            Lance({QStringLiteral("--settings"), Travail(QString::fromLatin1(c.reglages)),
                   QString::fromLatin1(c.option), Travail(QStringLiteral("liste.csv")), pdf});
        EXPECT_EQ(e.code, 0);
        EXPECT_EQ(e.erreurs, QString::fromUtf8(c.erreurs));
        EXPECT_TRUE(QFile::exists(pdf));
    }
}

// A sheet of the catalogue replaces the settings' sheet; font, inner margins
// and printed fields stay the settings'.
TEST_F(BrivanePdf, PlancheDuCatalogue)
{
    EXIGE_OUTILS_PDF();
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(30));
    Ecrire(Travail(QStringLiteral("reglages.ini")),
           "[Brivane]\r\nOrientation=1\r\nNbCols=4\r\nNbLignes=5\r\nLargeurPage=1480\r\n"
           "ImprimerClasse=0\r\nMargeInterneGauche=80\r\n");
    const Planche* avery = CataloguePlanchesA4().Trouve(QStringLiteral("Avery L7160"));
    ASSERT_NE(avery, nullptr);
    Parametres p = FormatParDefaut();
    AppliquePlanche(*avery, p);
    p.MargesInternes.left = 80;
    ASSERT_EQ(EtiquettesParPage(p), 21);

    const QString pdf = Travail(QStringLiteral("etiquettes.pdf"));
    Execution e = Lance({QStringLiteral("--planche"), QStringLiteral("  avery   l7160 "),
                         QStringLiteral("--settings"), Travail(QStringLiteral("reglages.ini")),
                         Travail(QStringLiteral("liste.csv")), pdf});
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    ContenuPdf lu = LitPdf(pdf);
    ASSERT_TRUE(lu.ok) << lu.erreur.toStdString();
    ASSERT_EQ(lu.pages.size(), 2u);
    EXPECT_NEAR(lu.pages[0].largeur, 210.0, 0.5);
    EXPECT_NEAR(lu.pages[0].hauteur, 297.0, 0.5);
    QStringList attendues;
    for (int k = 1; k <= 21; ++k)
        attendues << QString::number(k);
    EXPECT_EQ(Etiquettes(lu.pages[0], p), attendues);
    EXPECT_EQ(lu.Cherche(QStringLiteral("CE1")), nullptr);  // the settings' fields

    // The test page of the same sheet.
    e = Lance({QStringLiteral("--test-page"), QStringLiteral("--planche"),
               QStringLiteral("AVERY L7160"), QStringLiteral("--settings"),
               Travail(QStringLiteral("reglages.ini")), Travail(QStringLiteral("test.pdf"))});
    ASSERT_EQ(e.code, 0) << e.erreurs.toStdString();
    const QRect encre = BoiteEncre(RasterisePage(Travail(QStringLiteral("test.pdf")), 1, 254));
    EXPECT_NEAR(encre.left(), avery->MargeGauche, 2);
    EXPECT_NEAR(encre.top(), avery->MargeHaute, 2);
}

TEST_F(BrivanePdf, DebutTriEtPlancheIncorrectsSansPdf)
{
    const QString dossier = Chemin(QStringLiteral("travail"));
    Ecrire(Travail(QStringLiteral("liste.csv")), Liste(3));
    Ecrire(Travail(QStringLiteral("reglages.ini")), "[Brivane]\r\nNbCols=2\r\nNbLignes=3\r\n");
    const QStringList attendus = FichiersDuTravail();

    const QString s = QStringLiteral("--settings");
    const QString ini = QStringLiteral("@/reglages.ini");
    const QString liste = QStringLiteral("@/liste.csv");
    const QString pdf = QStringLiteral("@/etiquettes.pdf");
    const QString d = QStringLiteral("--debut");
    const QString t = QStringLiteral("--tri");
    const QString planche = QStringLiteral("--planche");
    const QString test = QStringLiteral("--test-page");
    const std::vector<CasEchec> cas = {
        {"debut_zero", {d, QStringLiteral("0"), s, ini, liste, pdf}, 2,
         QStringLiteral("Étiquette de départ incorrecte : « 0 »")},
        {"debut_lettres", {d, QStringLiteral("six"), s, ini, liste, pdf}, 2,
         QStringLiteral("Étiquette de départ incorrecte : « six »")},
        {"debut_negatif", {d, QStringLiteral("-1"), s, ini, liste, pdf}, 2,
         QStringLiteral("Étiquette de départ incorrecte")},
        {"debut_apres_la_planche", {d, QStringLiteral("7"), s, ini, liste, pdf}, 2,
         QStringLiteral("Étiquette de départ incorrecte : 7 (une planche compte 6 étiquettes, "
                        "numérotées de 1 à 6)")},
        {"debut_apres_la_planche_aide", {d, QStringLiteral("7"), s, ini, liste, pdf}, 2,
         QStringLiteral("\nEssayez « brivane-pdf --help ».")},
        {"debut_sans_valeur", {liste, pdf, d}, 2, QStringLiteral("Valeur manquante après l'option")},
        {"tri_inconnu", {t, QStringLiteral("nom"), s, ini, liste, pdf}, 2,
         QStringLiteral("Ordre des étiquettes inconnu : « nom » (attendu classe ou fichier)")},
        {"planche_inconnue", {planche, QStringLiteral("avery l71600"), s, ini, liste, pdf}, 2,
         QStringLiteral("Planche inconnue : « avery l71600 ». Planches proches : Avery L7160, ")},
        // A pasted text, near the longest argument the system passes (Windows
        // takes 32,767 characters for the whole command line): searched and
        // echoed only up to 80 characters.
        {"planche_demesuree", {planche, QString(kArgumentLong, u'x'), s, ini, liste, pdf}, 2,
         QStringLiteral("Planche inconnue : « %1… ».").arg(QString(80, u'x'))},
        {"planche_vide", {planche, QStringLiteral(" "), s, ini, liste, pdf}, 2,
         QStringLiteral("Le nom de la planche est vide.")},
        {"debut_avec_la_page_de_test", {test, d, QStringLiteral("2"), pdf}, 2,
         QStringLiteral("L'option --debut ne s'emploie pas avec --test-page")},
        {"tri_avec_la_page_de_test", {test, t, QStringLiteral("classe"), pdf}, 2,
         QStringLiteral("L'option --tri ne s'emploie pas avec --test-page")},
        {"ajuster_avec_la_page_de_test", {test, QStringLiteral("--ajuster"), pdf}, 2,
         QStringLiteral("L'option --ajuster ne s'emploie pas avec --test-page")},
        {"planche_inconnue_page_de_test", {test, planche, QStringLiteral("Zorglub 12"), pdf}, 2,
         QStringLiteral("Planche inconnue : « Zorglub 12 »")},
    };
    for (const CasEchec& c : cas) {
        SCOPED_TRACE(c.nom);
        QStringList arguments = c.arguments;
        arguments.replaceInStrings(QStringLiteral("@"), dossier);
        const Execution e = Lance(arguments);
        EXPECT_EQ(e.code, c.code);
        EXPECT_TRUE(e.erreurs.contains(c.message)) << e.erreurs.toStdString();
        EXPECT_TRUE(e.sortie.isEmpty());
        EXPECT_EQ(FichiersDuTravail(), attendus);
    }
}

TEST(LirePlagePages, FormesAcceptees)
{
    struct Cas {
        const char* texte;
        bool ok;
        int32_t premiere, derniere;
    };
    const std::vector<Cas> cas = {
        {"2-3", true, 2, 3},     {"4", true, 4, 4},      {" 1 - 1 ", true, 1, 1},
        {"3-2", false, 0, 0},    {"0-2", false, 0, 0},   {"-2", false, 0, 0},
        {"2-", false, 0, 0},     {"a-b", false, 0, 0},   {"", false, 0, 0},
        {"1-9999999999", false, 0, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.texte);
        int32_t premiere = 0;
        int32_t derniere = 0;
        EXPECT_EQ(LitPlagePages(QString::fromUtf8(c.texte), premiere, derniere), c.ok);
        if (c.ok) {
            EXPECT_EQ(premiere, c.premiere);
            EXPECT_EQ(derniere, c.derniere);
        }
    }
}

}  // namespace
