// The main window driven offscreen: every path that changes the status text
// and the light, the fields dialog, the help link, the print refusals, the
// settings written at close, the keyboard shortcuts and what assistive
// technologies read. People are answered through the Dialogues seam.

#include "DialoguesTest.h"
#include "FichiersTest.h"
#include "TLabel3D.h"
#include "TLinkLabel.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TLed.h"
#include "LecturePdf.h"
#include "ResumeFichier.h"
#include "SystemeTest.h"
#include "Uglobal.h"
#include "Ureglages.h"
#include "Wchampsdia.h"
#include "Wdebutplanche.h"
#include "Wformatassistant.h"
#include "Wmyframe.h"
#include "Wreglageimprimante.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <deque>
#include <new>
#include <functional>
#include <stdexcept>

// Allocation seam: while LimiteAllocation is not 0, a block of that size or
// more cannot be had, as when memory runs out in the middle of a job.
namespace {
std::atomic<std::size_t> LimiteAllocation{0};

void* Alloue(std::size_t taille)
{
    const std::size_t limite = LimiteAllocation.load(std::memory_order_relaxed);
    if (limite != 0 && taille >= limite)
        throw std::bad_alloc();
    if (void* bloc = std::malloc(taille != 0 ? taille : 1))
        return bloc;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t taille) { return Alloue(taille); }
void* operator new[](std::size_t taille) { return Alloue(taille); }
void* operator new(std::size_t taille, const std::nothrow_t&) noexcept
{
    try {
        return Alloue(taille);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t taille, const std::nothrow_t& n) noexcept
{
    return operator new(taille, n);
}
void operator delete(void* bloc) noexcept { std::free(bloc); }
void operator delete[](void* bloc) noexcept { std::free(bloc); }
void operator delete(void* bloc, std::size_t) noexcept { std::free(bloc); }
void operator delete[](void* bloc, std::size_t) noexcept { std::free(bloc); }
void operator delete(void* bloc, const std::nothrow_t&) noexcept { std::free(bloc); }
void operator delete[](void* bloc, const std::nothrow_t&) noexcept { std::free(bloc); }

namespace {

const char kEntete[] =
    "num\xe9ro;civilit\xe9 responsable;nom responsable;pr\xe9nom responsable;"
    "adresse responsable;cp responsable;commune responsable;nom enfant 1;classe enfant 1\r\n";
const char kElecteur[] = "1;Mme;UNTEST;Hildegarde;12, rue des Tests;99999;TESTEVILLE;Charles;CM2\r\n";

class FenetrePrincipale : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_config.isValid());
        ASSERT_TRUE(m_donnees.isValid());
        DetourneDossierReglages(m_config.path());
        FichierIni.clear();
    }

    void TearDown() override
    {
        m_fenetre.reset();
        FichierIni.clear();
    }

    QString Ecrire(const QString& nom, const QByteArray& contenu)
    {
        const QString chemin = m_donnees.filePath(nom);
        EcritOctets(chemin, contenu);
        return chemin;
    }

    QString BonFichier(const QString& nom = QStringLiteral("liste.csv"), int electeurs = 2)
    {
        QByteArray contenu(kEntete);
        for (int i = 0; i < electeurs; ++i)
            contenu += kElecteur;
        return Ecrire(nom, contenu);
    }

    QString CheminIni() const { return m_config.path() + QStringLiteral("/Kelvora/Brivane.ini"); }

    void EcritIni(const QByteArray& contenu)
    {
        QDir().mkpath(m_config.path() + QStringLiteral("/Kelvora"));
        EcritOctets(CheminIni(), contenu);
    }

    // Builds the window and lets its posted start-up message run.
    TMyFrame& Demarre()
    {
        m_fenetre = std::make_unique<TMyFrame>(m_dialogues, m_champs);
        m_fenetre->show();
        QCoreApplication::sendPostedEvents(m_fenetre.get(), TMyFrame::EvDemarrage);
        return *m_fenetre;
    }

    // A key pressed by a person, in the window they are working in.
    void Tape(Qt::Key touche, Qt::KeyboardModifiers modificateurs = Qt::NoModifier)
    {
        m_fenetre->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_fenetre.get()));
        QTest::keyClick(m_fenetre.get(), touche, modificateurs);
    }

    QString Statut() const { return m_fenetre->lbFich->text(); }
    QString InfoFichier() const { return m_fenetre->lbInfoFich->text(); }

    // The help folder moved to the data folder, with doc1.pdf in it or not.
    QString DocumentAide(bool present)
    {
        m_fenetre->DossierAide = m_donnees.path() + QLatin1Char('/');
        const QString chemin = m_fenetre->DossierAide + QStringLiteral("doc1.pdf");
        if (present)
            EcritOctets(chemin, "%PDF-1.4\n");
        else
            QFile::remove(chemin);
        return chemin;
    }
    bool Voyant() const { return m_fenetre->Led1->Value(); }

    QTemporaryDir m_config;
    QTemporaryDir m_donnees;
    DialoguesTest m_dialogues;
    TChampsDia m_champs;
    std::unique_ptr<TMyFrame> m_fenetre;
};

TEST_F(FenetrePrincipale, LaFenetreEtSesControlesSontALeurPlace)
{
    TMyFrame& f = Demarre();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Brivane"));
    EXPECT_EQ(f.size(), QSize(619, 459));
    EXPECT_EQ(f.minimumSize(), f.maximumSize());

    struct Attendu {
        QWidget* controle;
        QRect place;
    };
    const Attendu attendus[] = {
        {f.Label1, {16, 8, 377, 29}},     {f.Label2, {16, 40, 441, 33}},
        {f.Label3, {16, 72, 56, 18}},     {f.Label4, {40, 96, 495, 13}},
        {f.Label14, {40, 112, 262, 13}},  {f.Label16, {40, 128, 283, 13}},
        {f.Label7, {512, 128, 89, 13}},   {f.AOLButton1, {40, 152, 161, 23}},
        {f.lbFich, {216, 152, 313, 25}},  {f.Led1, {544, 152, 22, 22}},
        {f.lbInfoFich, {216, 180, 385, 14}},
        {f.Label5, {16, 200, 56, 18}},    {f.Label6, {40, 224, 179, 13}},
        {f.AOLButton2, {40, 248, 169, 23}}, {f.Label10, {280, 224, 167, 13}},
        {f.AOLButton4, {280, 248, 169, 23}}, {f.Label9, {16, 288, 56, 18}},
        {f.Label8, {40, 312, 64, 13}},    {f.AOLButton3, {40, 336, 169, 23}},
        {f.AOLButton6, {512, 336, 89, 23}}, {f.Panel1, {0, 368, 619, 91}},
    };
    for (const Attendu& a : attendus) {
        // One-line labels may grow to their text, never shrink or move.
        const QRect place = a.controle->geometry();
        EXPECT_EQ(place.topLeft(), a.place.topLeft()) << a.controle->metaObject()->className();
        EXPECT_EQ(place.height(), a.place.height()) << a.controle->metaObject()->className();
        if (qobject_cast<QLabel*>(a.controle) && !static_cast<QLabel*>(a.controle)->wordWrap())
            EXPECT_GE(place.width(), a.place.width());
        else
            EXPECT_EQ(place.width(), a.place.width()) << a.controle->metaObject()->className();
    }
    for (QLabel* label : std::initializer_list<QLabel*>{f.Label14, f.Label16, f.Label7})
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));

    EXPECT_EQ(f.Label4->text(),
              QStringLiteral("Indiquer le chemin de l'extraction CSV de la liste électorale, "
                             "provenant de  Base Elève."));
    EXPECT_EQ(f.Label6->text(), QStringLiteral("Définir le format des étiquettes "));
    EXPECT_EQ(f.Label8->text(), QStringLiteral("Imprimer... "));
    EXPECT_EQ(f.Label1->font().pointSize(), 18);
    EXPECT_TRUE(f.Label3->font().italic());
}

TEST_F(FenetrePrincipale, DemarrageSansCheminNeChargeRien)
{
    Demarre();
    EXPECT_EQ(Statut(), QStringLiteral("Fichier non défini"));
    EXPECT_FALSE(Voyant());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
    EXPECT_EQ(FichierIni, CheminIni());
    EXPECT_TRUE(m_fenetre->DossierAide.endsWith(QDir::separator()));
}

TEST_F(FenetrePrincipale, DemarrageAvecUnFichierSupprimeLeSignaleSansMessage)
{
    const QString chemin = BonFichier();
    QFile::remove(chemin);
    EcritIni("[Brivane]\nPathFich=" + chemin.toUtf8() + "\n");
    Demarre();
    EXPECT_EQ(Statut(), QStringLiteral("Le fichier n'a pas pu être chargé"));
    EXPECT_EQ(InfoFichier(), QStringLiteral("« liste.csv » : le fichier n'existe pas"));
    EXPECT_FALSE(Voyant());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
    EXPECT_EQ(m_fenetre->Parametres.PathFich, chemin);
}

TEST_F(FenetrePrincipale, DemarrageAvecUnBonFichierAllumeLeVoyant)
{
    EcritIni("[Brivane]\nPathFich=" + BonFichier().toUtf8() + "\n");
    Demarre();
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_EQ(InfoFichier(), QStringLiteral("liste.csv — 2 électeurs — ")
                                 + QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
    EXPECT_TRUE(Voyant());
    EXPECT_EQ(m_fenetre->Table.NbRangees(), 3u);
    EXPECT_EQ(m_fenetre->IndexChamps[0], 1);
    EXPECT_EQ(m_fenetre->IndexChamps[7], 8);
}

// What is wrong in the settings file is said once at start-up; the values
// are kept, a format no wizard accepts is neither printed nor previewed (no
// dialog opens on it), and a UTF-16 file is left as it was at close.
TEST_F(FenetrePrincipale, DesReglagesIncorrectsSontDitsAuDemarrageEtRienNeSImprime)
{
    const QByteArray liste = "[Brivane]\nPathFich=" + BonFichier().toUtf8() + "\n";
    const QString refus = QStringLiteral("Format des étiquettes incorrect (page « Nombre "
                                         "d'étiquettes » de l'assistant) : Nombre de colonnes incorrect");
    const QByteArray utf16("\xFF\xFE[\0B\0]\0\n\0", 10);
    const struct {
        QByteArray ini;
        QString message;  // at start-up
        int dialogues;    // the start label, asked twice and cancelled, when printable
    } cas[] = {
        {liste + "NbCols=2147483647\n", refus, 0},
        {liste + "[Impression]\nDecalageY=150\n",
         QStringLiteral("Attention : DecalageY vaut 150 dans la section [Impression] des réglages ; "
                        "le réglage de l'imprimante va de -100 à 100 dixièmes de millimètre : il "
                        "est remplacé par 0."), 2},
        {utf16, QStringLiteral("Impossible de lire le fichier de réglages « %1 » : le fichier est en "
                               "UTF-16, que Brivane ne lit pas ; enregistrez-le en UTF-8").arg(CheminIni()), 0},
    };
    for (const auto& c : cas) {
        EcritIni(c.ini);
        m_dialogues.messages.clear();
        int dialogues = 0;
        m_dialogues.modal = [&dialogues](QDialog&) { return ++dialogues, int(QDialog::Rejected); };
        Demarre();
        EXPECT_EQ(m_dialogues.messages, QStringList{c.message});
        m_fenetre->AOLButton3Click();
        m_fenetre->btApercuClick();
        EXPECT_EQ(dialogues, c.dialogues);
        EXPECT_TRUE(m_dialogues.impressionsDemandees == 0 && m_dialogues.apercus.isEmpty());
        if (c.message == refus) {
            EXPECT_EQ(m_dialogues.messages, QStringList({refus, refus, refus}));
        }
        m_fenetre->close();
        EXPECT_EQ(LitOctets(CheminIni()) == utf16, c.ini == utf16);
    }
}

TEST_F(FenetrePrincipale, EtapeUnAnnuleeNeChangeRien)
{
    const QString chemin = BonFichier();
    EcritIni("[Brivane]\nPathFich=" + chemin.toUtf8() + "\n");
    Demarre();
    m_dialogues.fichiers = {QString()};
    m_fenetre->AOLButton1Click();
    EXPECT_EQ(m_dialogues.dossierPropose, m_donnees.path() + QLatin1Char('/'));
    EXPECT_EQ(m_dialogues.nomPropose, QStringLiteral("liste.csv"));
    EXPECT_EQ(m_fenetre->Parametres.PathFich, chemin);
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_TRUE(Voyant());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
}

TEST_F(FenetrePrincipale, EtapeUnSurUnFichierVerrouilleGardeLaTableChargee)
{
    Demarre();
    m_dialogues.fichiers = {BonFichier(QStringLiteral("bon.csv"), 5)};
    m_fenetre->AOLButton1Click();
    ASSERT_TRUE(Voyant());

    const QString verrouille = BonFichier(QStringLiteral("ouvert.csv"), 1);
    {
        const FichierTenu tenu(verrouille);
        ASSERT_TRUE(tenu.Pris());
        m_dialogues.fichiers = {verrouille};
        m_fenetre->AOLButton1Click();
    }

    EXPECT_EQ(m_dialogues.messages, QStringList{QStringLiteral("Impossible de charger le fichier")});
    EXPECT_EQ(Statut(), QStringLiteral("Le fichier n'a pas pu être chargé"));
    EXPECT_EQ(InfoFichier(),
              QStringLiteral("« ouvert.csv » : le fichier est ouvert par un autre programme"));
    EXPECT_TRUE(Voyant());
    EXPECT_EQ(m_fenetre->Table.NbRangees(), 6u);
    EXPECT_EQ(m_fenetre->Parametres.PathFich, verrouille);
}

TEST_F(FenetrePrincipale, EtapeUnReussieAllumeLeVoyant)
{
    Demarre();
    m_dialogues.fichiers = {BonFichier()};
    m_fenetre->AOLButton1Click();
    EXPECT_EQ(m_dialogues.dossierPropose, QString());
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_TRUE(Voyant());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
}

TEST_F(FenetrePrincipale, UnFichierDEnteteSeuleEteintLeVoyantSansMessage)
{
    Demarre();
    m_dialogues.fichiers = {BonFichier(), Ecrire(QStringLiteral("entete.csv"), kEntete)};
    m_fenetre->AOLButton1Click();
    ASSERT_TRUE(Voyant());
    m_fenetre->AOLButton1Click();
    EXPECT_FALSE(Voyant());
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
}

TEST_F(FenetrePrincipale, UneColonneManquanteEstNommee)
{
    Demarre();
    QByteArray entete(kEntete);
    entete.replace(";classe enfant 1", ";classe");
    m_dialogues.fichiers = {BonFichier(), Ecrire(QStringLiteral("incomplet.csv"), entete + kElecteur)};
    m_fenetre->AOLButton1Click();
    m_fenetre->AOLButton1Click();
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Champ non trouvé : classe enfant 1\nLa première ligne "
                                         "contient 9 colonnes séparées par « ; ».")});
    EXPECT_EQ(Statut(), QStringLiteral("Fichier incorrect"));
    EXPECT_FALSE(Voyant());
}

TEST_F(FenetrePrincipale, UnFichierReEnregistreSeLitEtSesLignesDouteusesSontNommees)
{
    Demarre();
    // A spreadsheet's "Texte Unicode": UTF-16 with its mark, tabs between cells.
    QByteArray utf16("\xFF\xFE");
    const QString texte = QString::fromLatin1(QByteArray(kEntete) + kElecteur)
                              .replace(QLatin1Char(';'), QLatin1Char('\t'));
    for (const QChar c : texte)
        utf16.append(static_cast<char>(c.unicode() & 0xFF))
            .append(static_cast<char>(c.unicode() >> 8));
    QByteArray vides(kEntete);
    for (int i = 0; i < 7; ++i)
        vides += ";;;;;;;;\r\n";
    m_dialogues.fichiers = {Ecrire(QStringLiteral("unicode.txt"), utf16),
                           Ecrire(QStringLiteral("vides.csv"), vides + kElecteur)};
    m_fenetre->AOLButton1Click();
    EXPECT_TRUE(Voyant());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());

    // One message after the verdict: the first five lines, then the count.
    m_fenetre->AOLButton1Click();
    EXPECT_TRUE(Voyant());
    const QString vide = QStringLiteral(" : électeur vide (son étiquette sera blanche)\n");
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Lignes à vérifier dans le fichier :\n") + "ligne 2" + vide
                          + "ligne 3" + vide + "ligne 4" + vide + "ligne 5" + vide + "ligne 6"
                          + vide + "et 2 autres"});
}

TEST_F(FenetrePrincipale, LeDialogueDesChampsNeGardeQueCeQuiEstConfirme)
{
    Demarre();
    const ::Parametres avant = m_fenetre->Parametres;
    ASSERT_TRUE(avant.ImprimerAdresse && avant.ImprimerEnfant && avant.ImprimerClasse);
    ASSERT_FALSE(avant.ImprimerSignature);

    // Cancelled after changing every box: the flags stay, and the boxes show
    // the flags again next time.
    m_dialogues.modal = [](QDialog& d) {
        auto& champs = static_cast<TChampsDia&>(d);
        champs.chkAdresse->setChecked(false);
        champs.chkSignature->setChecked(true);
        return int(QDialog::Rejected);
    };
    m_fenetre->AOLButton4Click();
    EXPECT_TRUE(m_fenetre->Parametres.ImprimerAdresse);
    EXPECT_FALSE(m_fenetre->Parametres.ImprimerSignature);

    bool etatsRelus = false;
    m_dialogues.modal = [&etatsRelus](QDialog& d) {
        auto& champs = static_cast<TChampsDia&>(d);
        etatsRelus = champs.chkAdresse->isChecked() && !champs.chkSignature->isChecked()
                     && champs.chkNomEnf->isChecked() && champs.chkClasseEnf->isChecked();
        champs.chkAdresse->setChecked(false);
        champs.chkNomEnf->setChecked(false);
        champs.chkClasseEnf->setChecked(false);
        champs.chkSignature->setChecked(true);
        return int(QDialog::Accepted);
    };
    m_fenetre->AOLButton4Click();
    EXPECT_TRUE(etatsRelus);
    EXPECT_FALSE(m_fenetre->Parametres.ImprimerAdresse);
    EXPECT_FALSE(m_fenetre->Parametres.ImprimerEnfant);
    EXPECT_FALSE(m_fenetre->Parametres.ImprimerClasse);
    EXPECT_TRUE(m_fenetre->Parametres.ImprimerSignature);
}

TEST_F(FenetrePrincipale, LeLienDAideOuvreLeDocumentDuDossierDAide)
{
    // A missing document is not handed to the desktop; one that nothing can
    // open is said too.
    const struct {
        bool present, ouvert, demandes, message;
    } cas[] = {{true, true, true, false}, {true, false, true, true}, {false, true, false, true}};
    Demarre();
    for (const auto& c : cas) {
        const QString chemin = DocumentAide(c.present);
        m_dialogues.ouverts.clear();
        m_dialogues.messages.clear();
        m_dialogues.ouvertureReussie = c.ouvert;
        QTest::mouseClick(m_fenetre->Label16, Qt::LeftButton, {}, QPoint(10, 5));
        EXPECT_EQ(m_dialogues.ouverts,
                  c.demandes ? QList<QUrl>{QUrl::fromLocalFile(chemin)} : QList<QUrl>());
        EXPECT_EQ(m_dialogues.messages,
                  c.message ? QStringList{QStringLiteral("Impossible d'ouvrir le document "
                                                         "d'aide : ")
                                          + QDir::toNativeSeparators(chemin)}
                            : QStringList());
    }
}

TEST_F(FenetrePrincipale, SousLeStatutLeFichierChargeEstDecrit)
{
    EXPECT_EQ(ResumeFichier(QStringLiteral("a.csv"), 1, QDate(2026, 9, 12)),
              QStringLiteral("a.csv — 1 électeur — 12/09/2026"));
    EXPECT_EQ(ResumeFichier(QStringLiteral("a.csv"), 0, QDate()),
              QStringLiteral("a.csv — 0 électeur"));
}

TEST_F(FenetrePrincipale, LAssistantDeFormatEcritSurTerminerEtPasSurAnnuler)
{
    Demarre();
    for (const bool terminer : {false, true}) {
        bool vu = false;
        m_dialogues.modal = [&](QDialog& d) {
            auto* assistant = dynamic_cast<TFormatAssistant*>(&d);
            EXPECT_NE(assistant, nullptr);
            if (!assistant)
                return int(QDialog::Rejected);
            vu = true;
            EXPECT_EQ(assistant->parentWidget(), m_fenetre.get());
            assistant->edNbLignes->setText(QStringLiteral("7"));
            while (assistant->PageCourante() != QLatin1String("Merci"))
                assistant->btSuiv->click();
            if (!terminer)
                assistant->btPrec->click();
            assistant->btFermer->click();
            return assistant->result();
        };
        m_fenetre->AOLButton2Click();
        EXPECT_TRUE(vu);
        EXPECT_EQ(m_fenetre->Parametres.NbLignes, terminer ? 7 : 8);
        EXPECT_TRUE(m_fenetre->findChildren<TFormatAssistant*>().isEmpty());
    }
}

TEST_F(FenetrePrincipale, LeReglageDeLImprimanteFaitDansLAssistantResteMemeSurAnnuler)
{
    Demarre();
    m_dialogues.modal = [&](QDialog& d) {
        if (auto* reglage = dynamic_cast<TReglageImprimante*>(&d)) {
            reglage->SetDecalages(15, -20);
            return int(QDialog::Accepted);
        }
        auto* assistant = dynamic_cast<TFormatAssistant*>(&d);
        EXPECT_NE(assistant, nullptr);
        if (assistant)
            assistant->btReglageClick();
        return int(QDialog::Rejected);
    };
    m_fenetre->AOLButton2Click();
    EXPECT_EQ(m_fenetre->Impression.DecalageX, 15);
    EXPECT_EQ(m_fenetre->Impression.DecalageY, -20);
}

TEST_F(FenetrePrincipale, ImprimerSansFichierEstRefuseAvantLeDialogue)
{
    Demarre();
    m_fenetre->AOLButton3Click();
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.")});
    EXPECT_EQ(m_dialogues.impressionsDemandees, 0);
}

TEST_F(FenetrePrincipale, ImprimerSansImprimanteLeDit)
{
    Demarre();
    m_dialogues.fichiers = {BonFichier(QStringLiteral("liste.csv"), 25)};
    m_fenetre->AOLButton1Click();
    int de = 0, a = 0;
    m_dialogues.impression = [&](QPrinter& p) {
        de = p.fromPage();
        a = p.toPage();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QString());
        return true;
    };
    m_fenetre->AOLButton3Click();
    EXPECT_EQ(de, 1);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(m_dialogues.messages, QStringList{QStringLiteral("Pas d'imprimante trouvée")});
}

// "Print to file" over the extraction itself would destroy the voters' list.
TEST_F(FenetrePrincipale, ImprimerDansLeFichierDeLExtractionEstRefuse)
{
    Demarre();
    const QString chemin = BonFichier(QStringLiteral("liste.csv"), 3);
    const QByteArray avant = LitOctets(chemin);
    m_dialogues.fichiers = {chemin};
    m_fenetre->AOLButton1Click();
    m_dialogues.impression = [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(m_donnees.filePath(QStringLiteral("./../%1/liste.csv"))
                                .arg(QFileInfo(m_donnees.path()).fileName()));
        return true;
    };
    m_fenetre->AOLButton3Click();
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Le fichier PDF ne peut pas remplacer l'extraction CSV : "
                                         "choisissez un autre nom.")});
    EXPECT_EQ(LitOctets(chemin), avant);
}

// A PDF that cannot be written whole (a device that is always full) is
// reported with the system's reason instead of what was printed.
TEST_F(FenetrePrincipale, UnPdfQuiNePeutEtreEcritEnEntierEstSignale)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "Windows n'a pas de périphérique toujours plein comme /dev/full";
#endif
    Demarre();
    m_dialogues.fichiers = {BonFichier(QStringLiteral("liste.csv"), 3)};
    m_fenetre->AOLButton1Click();
    m_dialogues.impression = [](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(QStringLiteral("/dev/full"));
        return true;
    };
    m_fenetre->AOLButton3->OnClick(m_fenetre->AOLButton3);
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral(
                  "Impossible d'écrire le fichier PDF « /dev/full » : disque plein.")});
}

// Memory runs out while the labels are written: the window says so and no
// partial PDF is left.
TEST_F(FenetrePrincipale, LaMemoireEpuiseeEnImprimantEstSignaleeSansFichierPartiel)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "sous Windows, le C++ alloue aussi dans sa propre DLL, où l'opérateur new "
                    "du test ne s'applique pas";
#endif
    Demarre();
    // The address is 4 MB long: composing its label asks for a block that
    // the seam refuses.
    QByteArray contenu(kEntete);
    contenu += "1;Mme;UNTEST;Hildegarde;" + QByteArray(4 << 20, 'x')
               + ";99999;TESTEVILLE;Charles;CM2\r\n";
    m_dialogues.fichiers = {Ecrire(QStringLiteral("liste.csv"), contenu)};
    m_fenetre->AOLButton1Click();
    ASSERT_TRUE(Voyant());
    const QString pdf = m_donnees.filePath(QStringLiteral("etiquettes.pdf"));
    m_dialogues.impression = [&](QPrinter& p) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(pdf);
        LimiteAllocation = 1 << 20;
        return true;
    };
    m_fenetre->AOLButton3->OnClick(m_fenetre->AOLButton3);
    LimiteAllocation = 0;
    EXPECT_EQ(m_dialogues.messages, QStringList{QStringLiteral("Mémoire insuffisante.")});
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(m_fenetre->isVisible());
}

TEST_F(FenetrePrincipale, LaFermetureEnregistreLesReglages)
{
    Demarre();
    const QString chemin = BonFichier();
    m_dialogues.fichiers = {chemin};
    m_fenetre->AOLButton1Click();
    m_fenetre->AOLButton6Click();
    EXPECT_FALSE(m_fenetre->isVisible());

    const QByteArray contenu = LitOctets(CheminIni());
    EXPECT_TRUE(contenu.contains("PathFich=" + chemin.toUtf8())) << contenu.constData();
    EXPECT_TRUE(contenu.contains("Fonte=Arial,10,0,0000,0,1")) << contenu.constData();
}

TEST_F(FenetrePrincipale, UnRedemarrageRetrouveLeFichierEtLesReglages)
{
    Demarre();
    const QString chemin = BonFichier();
    m_dialogues.fichiers = {chemin};
    m_fenetre->AOLButton1Click();
    m_dialogues.modal = [](QDialog& d) {
        auto& champs = static_cast<TChampsDia&>(d);
        champs.chkClasseEnf->setChecked(false);
        champs.chkSignature->setChecked(true);
        return int(QDialog::Accepted);
    };
    m_fenetre->AOLButton4Click();
    m_fenetre->Parametres.Fonte.FromString("Liberation Serif,12,255,1000,0,1");
    m_fenetre->Parametres.NbCols = 2;
    const ::Parametres avant = m_fenetre->Parametres;
    m_fenetre->close();
    m_fenetre.reset();

    Demarre();
    const ::Parametres& apres = m_fenetre->Parametres;
    EXPECT_EQ(apres.PathFich, chemin);
    EXPECT_EQ(apres.Fonte.ToString(), avant.Fonte.ToString());
    EXPECT_EQ(apres.NbCols, 2);
    EXPECT_FALSE(apres.ImprimerClasse);
    EXPECT_TRUE(apres.ImprimerSignature);
    EXPECT_TRUE(apres.ImprimerAdresse);
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_TRUE(Voyant());
}

TEST_F(FenetrePrincipale, UnEchecDEcritureALaFermetureEstSignaleEtLaFenetreSeFerme)
{
    // A regular file where the settings folder should be: nothing can be
    // written below it, even as root.
    EcritOctets(m_config.path() + QStringLiteral("/Kelvora"), "pas un dossier");
    Demarre();
    EXPECT_EQ(Statut(), QStringLiteral("Fichier non défini"));
    m_fenetre->AOLButton6Click();
    EXPECT_FALSE(m_fenetre->isVisible());
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Impossible d'écrire dans ") + CheminIni()});
}

TEST_F(FenetrePrincipale, CtrlOOuvreLeFichierCommeLEtapeUn)
{
    Demarre();
    m_fenetre->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_fenetre.get()));
    QWidget* focusAvant = QApplication::focusWidget();
    m_dialogues.fichiers = {BonFichier()};
    Tape(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(m_dialogues.fichiers.empty());
    EXPECT_EQ(Statut(), QStringLiteral("Fichier chargé et analysé."));
    EXPECT_TRUE(Voyant());
    // The buttons stay as they were: no caption, look or focus changes; Tab,
    // not the mouse, gives them the focus.
    EXPECT_EQ(m_fenetre->AOLButton1->Caption(), QStringLiteral("Ouvrir le fichier..."));
    EXPECT_FALSE(m_fenetre->AOLButton1->Enfonce());
    EXPECT_EQ(m_fenetre->AOLButton1->focusPolicy(), Qt::TabFocus);
    EXPECT_EQ(QApplication::focusWidget(), focusAvant);
}

TEST_F(FenetrePrincipale, CtrlPImprimeCommeLEtapeTrois)
{
    Demarre();
    Tape(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.")});

    // An error in the middle of the job is shown as the button shows it.
    m_dialogues.messages.clear();
    m_dialogues.fichiers = {BonFichier()};
    Tape(Qt::Key_O, Qt::ControlModifier);
    m_dialogues.impression = [](QPrinter&) -> bool { throw std::runtime_error("Imprimante débranchée"); };
    Tape(Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(m_dialogues.impressionsDemandees, 1);
    EXPECT_EQ(m_dialogues.messages, QStringList{QStringLiteral("Imprimante débranchée")});
    EXPECT_TRUE(m_fenetre->isVisible());
}

TEST_F(FenetrePrincipale, CtrlQQuitteEnEnregistrantLesReglages)
{
    Demarre();
    const QString chemin = BonFichier();
    m_dialogues.fichiers = {chemin};
    m_fenetre->AOLButton1Click();
    Tape(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(m_fenetre->isVisible());
    const QByteArray contenu = LitOctets(CheminIni());
    EXPECT_TRUE(contenu.contains("PathFich=" + chemin.toUtf8())) << contenu.constData();
}

TEST_F(FenetrePrincipale, F1OuvreLeDocumentDAide)
{
    Demarre();
    const QString chemin = DocumentAide(true);
    Tape(Qt::Key_F1);
    ASSERT_EQ(m_dialogues.ouverts.size(), 1);
    EXPECT_EQ(m_dialogues.ouverts.front(), QUrl::fromLocalFile(chemin));
}

TEST_F(FenetrePrincipale, LesRaccourcisSeTaisentSousUnDialogue)
{
    Demarre();
    DocumentAide(true);
    // While the fields dialog is open, Ctrl+Q and F1 belong to it, not to the
    // main window behind it.
    bool actif = false;
    m_dialogues.modal = [&actif](QDialog& d) {
        QTimer::singleShot(0, &d, [&actif, &d] {
            actif = QTest::qWaitForWindowActive(&d);
            QTest::keyClick(&d, Qt::Key_Q, Qt::ControlModifier);
            QTest::keyClick(&d, Qt::Key_F1);
            d.reject();
        });
        return d.exec();
    };
    m_fenetre->AOLButton4Click();
    EXPECT_TRUE(actif);
    EXPECT_TRUE(m_fenetre->isVisible());
    EXPECT_TRUE(m_dialogues.ouverts.isEmpty());
}

// What a screen reader finds in the main window, read through Qt's
// accessibility interfaces as the desktop's bus reads them.
TEST_F(FenetrePrincipale, UnLecteurDEcranLitChaqueControleParSaLegende)
{
    TMyFrame& f = Demarre();
    QAccessibleInterface* fenetre = QAccessible::queryAccessibleInterface(&f);
    ASSERT_NE(fenetre, nullptr);
    EXPECT_EQ(fenetre->role(), QAccessible::Window);
    EXPECT_EQ(fenetre->text(QAccessible::Name), QStringLiteral("Brivane"));

    struct Lu {
        QWidget* controle;
        QAccessible::Role role;
        QString nom;
        bool appuyable;
    };
    const Lu lus[] = {
        {f.Label1, QAccessible::StaticText, QStringLiteral("Brivane"), false},
        {f.Label3, QAccessible::StaticText, QStringLiteral("Etape 1"), false},
        {f.Label4, QAccessible::StaticText,
         QStringLiteral("Indiquer le chemin de l'extraction CSV de la liste électorale, "
                        "provenant de  Base Elève."),
         false},
        {f.Label16, QAccessible::Link,
         QStringLiteral("Comment récupérer ce fichier à partir de Base Elèves ? (pdf)"), true},
        {f.Label7, QAccessible::StaticText, QStringLiteral("Voyant de contrôle"), false},
        {f.AOLButton1, QAccessible::Button, QStringLiteral("Ouvrir le fichier..."), true},
        {f.lbFich, QAccessible::StaticText, QStringLiteral("Fichier non défini"), false},
        {f.Led1, QAccessible::Graphic, QStringLiteral("Voyant de contrôle"), false},
        {f.AOLButton2, QAccessible::Button, QStringLiteral("Définir le format..."), true},
        {f.AOLButton4, QAccessible::Button, QStringLiteral("Définir les champs..."), true},
        {f.Label8, QAccessible::StaticText, QStringLiteral("Imprimer... "), false},
        {f.AOLButton3, QAccessible::Button, QStringLiteral("Imprimer les étiquettes..."), true},
        {f.AOLButton6, QAccessible::Button, QStringLiteral("Quitter"), true},
        {f.lbTitre, QAccessible::StaticText, QStringLiteral("Brivane"), false},
        {f.lnkSite, QAccessible::Link, QStringLiteral("www.education.gouv.fr"), true},
    };
    for (const Lu& l : lus) {
        SCOPED_TRACE(l.nom.toStdString());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(l.controle);
        ASSERT_NE(accessible, nullptr);
        EXPECT_EQ(accessible->role(), l.role);
        EXPECT_EQ(accessible->text(QAccessible::Name), l.nom);
        EXPECT_FALSE(accessible->state().invisible);
        QAccessibleActionInterface* actions = accessible->actionInterface();
        EXPECT_EQ(actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction()),
                  l.appuyable);
    }

    // The light tells the state of the loaded file.
    QAccessibleInterface* voyant = QAccessible::queryAccessibleInterface(f.Led1);
    EXPECT_EQ(voyant->text(QAccessible::Description), QStringLiteral("rouge"));
    EXPECT_FALSE(voyant->state().checked);
    m_dialogues.fichiers = {BonFichier()};
    f.AOLButton1Click();
    EXPECT_EQ(voyant->text(QAccessible::Description), QStringLiteral("vert"));
    EXPECT_TRUE(voyant->state().checked);
}

// ----------------------------------------------------------------------------
// Preview, start label, order by class and the print settings

// n voters, child "EnfantK" and surname "NomK", in the classes given in turn.
QByteArray ListeNumerotee(int n, const QList<QByteArray>& classes = {"CM2"})
{
    QByteArray contenu(kEntete);
    for (int k = 1; k <= n; ++k) {
        const QByteArray numero = QByteArray::number(k);
        contenu += numero + ";Mme;Nom" + numero + ";Julie;3 rue Haute;69001;LYON;Enfant" + numero
                   + ";" + classes.at((k - 1) % classes.size()) + "\r\n";
    }
    return contenu;
}

// The words of a page in reading order, for comparing two PDFs drawn alike.
QStringList MotsPlaces(const PagePdf& page)
{
    QStringList mots;
    for (const MotPdf& m : page.mots)
        mots << QStringLiteral("%1 %2 %3").arg(m.texte).arg(m.gauche, 0, 'f', 1).arg(m.haut, 0, 'f', 1);
    mots.sort();
    return mots;
}

TEST_F(FenetrePrincipale, LeBoutonApercuSeTientADroiteDImprimerSansRienDeplacer)
{
    TMyFrame& f = Demarre();
    ASSERT_NE(f.btApercu, nullptr);
    EXPECT_EQ(f.btApercu->geometry(), QRect(216, 336, 89, 23));
    EXPECT_EQ(f.btApercu->Caption(), QStringLiteral("Aperçu..."));
    EXPECT_EQ(f.btApercu->Color(), f.AOLButton3->Color());
    for (QWidget* autre : f.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (autre != f.btApercu && autre->isVisible()) {
            EXPECT_FALSE(autre->geometry().intersects(f.btApercu->geometry()))
                << autre->metaObject()->className();
        }
    }

    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(f.btApercu);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_EQ(accessible->text(QAccessible::Name), QStringLiteral("Aperçu..."));
    ASSERT_NE(accessible->actionInterface(), nullptr);
    EXPECT_TRUE(accessible->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::pressAction()));
}

// Before the print dialog, the label of the first sheet to start at: 1 to
// NbCols × NbLignes, 1 each time; cancelling it prints nothing.
TEST_F(FenetrePrincipale, ImprimerDemandeDAbordLEtiquetteDeDepart)
{
    Demarre();
    m_dialogues.fichiers = {Ecrire(QStringLiteral("liste.csv"), ListeNumerotee(25))};
    m_fenetre->AOLButton1Click();
    ASSERT_TRUE(Voyant());

    int maximum = 0, valeur = 0, ouverts = 0;
    m_dialogues.modal = [&](QDialog& d) {
        auto* debut = dynamic_cast<TDebutPlanche*>(&d);
        EXPECT_NE(debut, nullptr);
        if (!debut)
            return int(QDialog::Rejected);
        ++ouverts;
        EXPECT_EQ(m_dialogues.impressionsDemandees, 0);  // asked first
        maximum = debut->edDebut->maximum();
        valeur = debut->Debut();
        return int(QDialog::Rejected);
    };
    m_fenetre->AOLButton3Click();
    EXPECT_EQ(ouverts, 1);
    EXPECT_EQ(maximum, 24);
    EXPECT_EQ(valeur, 1);
    EXPECT_EQ(m_dialogues.impressionsDemandees, 0);
    EXPECT_TRUE(m_dialogues.messages.isEmpty());

    // From the 5th label: 4 blanks and 25 voters make two sheets.
    m_dialogues.modal = [&](QDialog& d) {
        auto& debut = dynamic_cast<TDebutPlanche&>(d);
        valeur = debut.Debut();
        debut.SetDebut(5);
        return int(QDialog::Accepted);
    };
    int de = 0, a = 0;
    m_dialogues.impression = [&](QPrinter& p) {
        de = p.fromPage();
        a = p.toPage();
        return false;
    };
    m_fenetre->AOLButton3Click();
    EXPECT_EQ(valeur, 1);  // not kept from the cancelled run
    EXPECT_EQ(de, 1);
    EXPECT_EQ(a, 2);
}

TEST_F(FenetrePrincipale, LApercuRefuseCommeLImpression)
{
    Demarre();
    m_fenetre->btApercu->OnClick(m_fenetre->btApercu);
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("Impossible d'imprimer: le fichier csv n'est pas chargé.")});
    EXPECT_TRUE(m_dialogues.apercus.isEmpty());

    // The start label cancelled: no preview either.
    m_dialogues.messages.clear();
    m_dialogues.fichiers = {BonFichier()};
    m_fenetre->AOLButton1Click();
    m_dialogues.modal = [](QDialog&) { return int(QDialog::Rejected); };
    m_fenetre->btApercuClick();
    EXPECT_TRUE(m_dialogues.apercus.isEmpty());
    EXPECT_TRUE(m_dialogues.messages.isEmpty());
}

// The preview draws through the print path: sorted by class, from the 7th
// label, moved by the calibration, its pages are word for word the PDF that
// printing writes; and Qt's own preview shows them without a message.
TEST_F(FenetrePrincipale, LApercuMontreCeQueLImpressionEnverrait)
{
    EXIGE_OUTILS_PDF();
    Demarre();
    m_dialogues.fichiers = {
        Ecrire(QStringLiteral("liste.csv"), ListeNumerotee(40, {"CM2", "CE1", "cp", "CE2"}))};
    m_fenetre->AOLButton1Click();
    m_fenetre->Impression = ReglagesImpression{true, 25, -10};
    m_dialogues.modal = [](QDialog& d) {
        dynamic_cast<TDebutPlanche&>(d).SetDebut(7);
        return int(QDialog::Accepted);
    };

    const QString imprime = m_donnees.filePath(QStringLiteral("imprime.pdf"));
    QString propose;
    m_dialogues.impression = [&](QPrinter& p) {
        propose = p.outputFileName();
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(imprime);
        return true;
    };
    m_fenetre->AOLButton3Click();
    // The dialog offered a name beside the extraction; the window says what was done.
    EXPECT_EQ(propose, m_donnees.filePath(QStringLiteral("Etiquettes - liste.pdf")));
    EXPECT_EQ(m_dialogues.messages,
              QStringList{QStringLiteral("40 étiquettes sur 2 pages enregistrées dans « %1 »")
                              .arg(imprime)});
    m_dialogues.messages.clear();

    const QString apercu = m_donnees.filePath(QStringLiteral("apercu.pdf"));
    m_dialogues.apercu = [&](QPrinter& p, const std::function<void(QPrinter&)>& dessiner) {
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(apercu);
        dessiner(p);
    };
    m_fenetre->btApercuClick();
    EXPECT_EQ(m_dialogues.apercus, QStringList{QStringLiteral("Aperçu des étiquettes")});
    EXPECT_EQ(m_dialogues.impressionsDemandees, 1);  // the preview asks for no printer
    ASSERT_TRUE(m_dialogues.messages.isEmpty()) << m_dialogues.messages.join(u'\n').toStdString();

    const ContenuPdf pdfImprime = LitPdf(imprime);
    const ContenuPdf pdfApercu = LitPdf(apercu);
    ASSERT_TRUE(pdfImprime.ok && pdfApercu.ok);
    ASSERT_EQ(pdfImprime.pages.size(), 2u);  // 6 blanks and 40 voters
    ASSERT_EQ(pdfApercu.pages.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(pdfApercu.pages[k].largeur, pdfImprime.pages[k].largeur);
        EXPECT_EQ(MotsPlaces(pdfApercu.pages[k]), MotsPlaces(pdfImprime.pages[k]));
    }
    // The first label printed is the first child of class CP (school order),
    // on label 7, 2.5 mm right and 1 mm up.
    const MotPdf* premier = pdfApercu.Cherche(QStringLiteral("Enfant3"));
    ASSERT_NE(premier, nullptr);
    const qlRect septieme = RectangleTexte(m_fenetre->Parametres, 2, 0);
    EXPECT_NEAR(premier->gauche, (septieme.left + 25) / 10.0, 0.3);

    int pages = 0;
    m_dialogues.apercu = [&](QPrinter& p, const std::function<void(QPrinter&)>& dessiner) {
        QPrintPreviewWidget vue(&p);
        QObject::connect(&vue, &QPrintPreviewWidget::paintRequested,
                         [&dessiner](QPrinter* cible) { dessiner(*cible); });
        vue.updatePreview();
        pages = vue.pageCount();
    };
    m_fenetre->btApercuClick();
    EXPECT_EQ(pages, 2);
    EXPECT_TRUE(m_dialogues.messages.isEmpty()) << m_dialogues.messages.join(u'\n').toStdString();
}

// Before printing, labels that would lose text are counted and named, and the
// person may go back: here the calibration pushes the first column's text off
// the sheet. The preview offers its outlines, on at first.
TEST_F(FenetrePrincipale, LesEtiquettesAuTexteCoupeSontSignaleesAvantDImprimer)
{
    Demarre();
    m_dialogues.fichiers = {BonFichier(QStringLiteral("liste.csv"), 2)};
    m_fenetre->AOLButton1Click();
    m_fenetre->AOLButton3Click();
    EXPECT_TRUE(m_dialogues.questions.isEmpty());
    EXPECT_EQ(m_dialogues.impressionsDemandees, 1);

    m_fenetre->Impression.DecalageX = -100;
    m_dialogues.confirmation = [](const QString&) { return false; };
    m_fenetre->AOLButton3Click();
    ASSERT_EQ(m_dialogues.questions.size(), 1);
    EXPECT_TRUE(m_dialogues.questions[0].startsWith(
        QStringLiteral("Attention : 1 étiquette(s) au texte coupé\nligne 2 : Mme UNTEST "
                       "Hildegarde\n\n")))
        << m_dialogues.questions[0].toStdString();
    EXPECT_EQ(m_dialogues.impressionsDemandees, 1);  // gone back

    m_fenetre->btApercuClick();
    EXPECT_EQ(m_dialogues.interrupteur.legende, QStringLiteral("Contours des étiquettes"));
    ASSERT_NE(m_dialogues.interrupteur.etat, nullptr);
    EXPECT_TRUE(*m_dialogues.interrupteur.etat);
}

TEST_F(FenetrePrincipale, LeTriParClasseSeChoisitDansLeDialogueDesChamps)
{
    Demarre();
    EXPECT_FALSE(m_fenetre->Impression.TriClasse);
    bool coche = true;
    m_dialogues.modal = [&coche](QDialog& d) {
        auto& champs = static_cast<TChampsDia&>(d);
        coche = champs.chkTriClasse->isChecked();
        champs.chkTriClasse->setChecked(true);
        return int(QDialog::Rejected);
    };
    m_fenetre->AOLButton4Click();
    EXPECT_FALSE(coche);
    EXPECT_FALSE(m_fenetre->Impression.TriClasse);

    m_dialogues.modal = [&coche](QDialog& d) {
        auto& champs = static_cast<TChampsDia&>(d);
        coche = champs.chkTriClasse->isChecked();
        champs.chkTriClasse->setChecked(true);
        champs.chkAjusterTexte->setChecked(true);
        return int(QDialog::Accepted);
    };
    m_fenetre->AOLButton4Click();
    EXPECT_FALSE(coche);  // the cancelled change is gone
    EXPECT_TRUE(m_fenetre->Impression.TriClasse);
    EXPECT_TRUE(m_fenetre->Impression.AjusterTexte);
    EXPECT_TRUE(m_fenetre->Parametres.ImprimerAdresse);  // the other boxes as they were

    m_fenetre->AOLButton4Click();
    EXPECT_TRUE(coche);
}

// The lines of one section of an INI text, its header included.
QByteArray Section(const QByteArray& contenu, const QByteArray& nom)
{
    QByteArray section;
    bool dedans = false;
    for (const QByteArray& ligne : contenu.split('\n')) {
        if (ligne.isEmpty())
            continue;
        if (ligne.startsWith('['))
            dedans = ligne.trimmed() == "[" + nom + "]";
        if (dedans)
            section += ligne + '\n';
    }
    return section;
}

// The order by class and the calibration live in section [Impression] of the
// same file, read at start-up and written at close with [Brivane], whose 21
// keys are written exactly as they are without them.
TEST_F(FenetrePrincipale, LesReglagesDImpressionSurviventAUnRedemarrage)
{
    const QByteArray initial = "[Brivane]\nNbCols=2\nImprimerSignature=1\n"
                               "[Impression]\nTriClasse=1\nDecalageX=12\nDecalageY=-7\n";
    EcritIni(initial);
    Demarre();
    EXPECT_TRUE(m_fenetre->Impression.TriClasse);
    EXPECT_EQ(m_fenetre->Impression.DecalageX, 12);
    EXPECT_EQ(m_fenetre->Impression.DecalageY, -7);
    EXPECT_EQ(m_fenetre->Parametres.NbCols, 2);

    m_fenetre->Impression = ReglagesImpression{false, -35, 100};
    const ::Parametres parametres = m_fenetre->Parametres;
    m_fenetre->close();
    m_fenetre.reset();

    const QByteArray contenu = LitOctets(CheminIni());
    EXPECT_EQ(Section(contenu, "Impression"),
              QByteArray("[Impression]\nTriClasse=0\nDecalageX=-35\nDecalageY=100\n"
                         "AjusterTexte=0\n"));
    const QString seul = Ecrire(QStringLiteral("seul.ini"), initial);
    QString erreur;
    ASSERT_TRUE(::EcritParametres(parametres, seul, erreur));
    EXPECT_EQ(Section(contenu, "Brivane"), Section(LitOctets(seul), "Brivane"));
    EXPECT_TRUE(contenu.startsWith("[Brivane]\n")) << contenu.constData();

    Demarre();
    EXPECT_FALSE(m_fenetre->Impression.TriClasse);
    EXPECT_EQ(m_fenetre->Impression.DecalageX, -35);
    EXPECT_EQ(m_fenetre->Impression.DecalageY, 100);
    EXPECT_EQ(m_fenetre->Parametres.NbCols, 2);
    EXPECT_TRUE(m_fenetre->Parametres.ImprimerSignature);
}

}  // namespace
