#include "Wmyframe.h"

#include "CompteRenduImpression.h"
#include "DescripteurFichier.h"
#include "Dialogues.h"
#include "ImpressionEtiquettes.h"
#include "RapportExtraction.h"
#include "Plateforme.h"
#include "ReperePage.h"
#include "ResumeFichier.h"
#include "TAOLButton.h"
#include "Uapparence.h"
#include "TLabel3D.h"
#include "TLed.h"
#include "TLinkLabel.h"
#include "Ucouleurs.h"
#include "UIni.h"
#include "Uglobal.h"
#include "VerificationFormat.h"
#include "Ureglages.h"
#include "Wchampsdia.h"
#include "Wdebutplanche.h"
#include "Wformatassistant.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPrinter>
#include <QScreen>
#include <QUrl>

#include <exception>
#include <new>

namespace {

QLabel* TitreEtape(QWidget* parent, const QString& texte, int y)
{
    QLabel* label = Etiquette(parent, texte, 16, y, 56, 18);
    label->setFont(Arial(12, true, true));
    Colore(label, Marine());
    return label;
}

QLabel* Gras(QLabel* label)
{
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// Captions were laid out for a narrower font than the one this desktop has:
// a one-line label grows to its text rather than cutting it.
void ElargitSelonLeTexte(std::initializer_list<QLabel*> labels)
{
    for (QLabel* label : labels) {
        const int largeur = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        if (largeur > label->width())
            label->resize(largeur, label->height());
    }
}

// The main window is a plain QWidget, which assistive technologies would take
// for a nameless filler: it is a window, named by its title.
QAccessibleInterface* FenetreAccessible(const QString& classe, QObject* objet)
{
    if (classe == QLatin1String("TMyFrame"))
        if (auto* fenetre = qobject_cast<TMyFrame*>(objet))
            return new QAccessibleWidget(fenetre, QAccessible::Window);
    return nullptr;
}

}  // namespace

TMyFrame::TMyFrame(Dialogues& dialogues, TChampsDia& champsDia, QWidget* parent)
    : QWidget(parent), m_dialogues(dialogues), m_champsDia(champsDia)
{
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(&FenetreAccessible), true);
    ConstruitFenetre();
    ConstruitRaccourcis();
    // The table, PathFich, DossierAide and the column positions start empty;
    // the format gets its defaults.
    InitParametres();
    FormCreate();
}

TMyFrame::~TMyFrame() = default;

void TMyFrame::ConstruitFenetre()
{
    setWindowTitle(QStringLiteral("Brivane"));
    setFixedSize(619, 459);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, VersQColor(Couleurs::clBtnFace));
    setPalette(fond);

    Label1 = Etiquette(this, QStringLiteral("Brivane"), 16, 8, 377, 29);
    Label1->setFont(Arial(18, true, false));
    Colore(Label1, Marine());

    Label2 = Etiquette(this,
                       QStringLiteral("Ce programme permet d'imprimer les étiquettes pour la liste "
                                      "électorale à partir d'une extraction \"csv\" de Base Elèves."),
                       16, 40, 441, 33);
    Label2->setWordWrap(true);

    Label3 = TitreEtape(this, QStringLiteral("Etape 1"), 72);
    Label4 = Gras(Etiquette(this,
                            QStringLiteral("Indiquer le chemin de l'extraction CSV de la liste "
                                           "électorale, provenant de  Base Elève."),
                            40, 96, 495, 13));
    Label14 = Etiquette(this,
                        QStringLiteral("Par défaut ce fichier s'appelle \"CSVListeElectorale.csv\""),
                        40, 112, 262, 13);

    // A plain label acting as a link: navy and underlined, hand cursor, the
    // help document opened by Label16Click rather than by a link of its own.
    Label16 = new TLinkLabel(this);
    Label16->setText(QStringLiteral("Comment récupérer ce fichier à partir de Base Elèves ? (pdf)"));
    QFont souligne = font();
    souligne.setUnderline(true);
    Label16->setFont(souligne);
    Label16->SetLinkType(TLinkType::ltNone);
    Label16->SetLinkColor(Couleurs::clNavy);
    Label16->SetLinkColorMouseMove(Couleurs::clNavy);
    Label16->SetLinkMagnet(false);
    Label16->SetLinkSound(false);
    Label16->setGeometry(40, 128, 283, 13);
    Label16->OnClick = [this](TLinkLabel*) { Label16Click(); };

    Label7 = Etiquette(this, QStringLiteral("Voyant de contrôle"), 512, 128, 89, 13);

    AOLButton1 = Bouton(QStringLiteral("Ouvrir le fichier..."), 40, 152, 161,
                        &TMyFrame::AOLButton1Click);
    lbFich = Etiquette(this, QString(), 216, 152, 313, 25);
    lbFich->setWordWrap(true);
    // In the gap between step 1's row and step 2's title, as wide as the
    // window's right column allows.
    lbInfoFich = Etiquette(this, QString(), 216, 180, 385, 14);

    Led1 = new TLed(this);
    Led1->SetTrueColor(Couleurs::Rgb(0, 255, 64));
    Led1->SetFalseColor(Couleurs::clRed);
    Led1->ChangeBlink(false);
    Led1->ChangeBorder(false);
    Led1->ChangeStyle(TLEDStyle::LEDLarge);
    Led1->move(544, 152);

    Label5 = TitreEtape(this, QStringLiteral("Etape 2"), 200);
    Label6 = Gras(Etiquette(this, QStringLiteral("Définir le format des étiquettes "), 40, 224, 179, 13));
    AOLButton2 = Bouton(QStringLiteral("Définir le format..."), 40, 248, 169,
                        &TMyFrame::AOLButton2Click);
    Label10 = Gras(Etiquette(this, QStringLiteral("Choisir les champs à imprimer"), 280, 224, 167, 13));
    AOLButton4 = Bouton(QStringLiteral("Définir les champs..."), 280, 248, 169,
                        &TMyFrame::AOLButton4Click);

    Label9 = TitreEtape(this, QStringLiteral("Etape 3"), 288);
    Label8 = Gras(Etiquette(this, QStringLiteral("Imprimer... "), 40, 312, 64, 13));
    AOLButton3 = Bouton(QStringLiteral("Imprimer les étiquettes..."), 40, 336, 169,
                        &TMyFrame::AOLButton3Click);
    btApercu = Bouton(QStringLiteral("Aperçu..."), 216, 336, 89, &TMyFrame::btApercuClick);
    AOLButton6 = Bouton(QStringLiteral("Quitter"), 512, 336, 89, &TMyFrame::AOLButton6Click);

    ElargitSelonLeTexte({Label1, Label3, Label4, Label14, Label16, Label7, Label5, Label6,
                         Label10, Label9, Label8});
    ConstruitPanneau();
}

void TMyFrame::ConstruitPanneau()
{
    Panel1 = new QFrame(this);
    Panel1->setGeometry(0, 368, 619, 91);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setLineWidth(1);

    lbTitre = new TLabel3D(Panel1);
    lbTitre->setText(QStringLiteral("Brivane"));
    lbTitre->setFont(Arial(10, true, false));
    lbTitre->SetCaptionStyle(TCaptionStyle::csHeavyRaised);
    lbTitre->setGeometry(16, 6, 200, 18);

    const QStringList credits{
        QStringLiteral("Brivane imprime les étiquettes de la liste électorale des parents d'élèves."),
        QStringLiteral("Programme écrit par l'équipe Kelvora pour les écoles primaires."),
        QStringLiteral("Les contrôles d'interface et l'outil de mise en page du texte sont de Kelvora."),
    };
    int y = 26;
    for (const QString& ligne : credits) {
        Etiquette(Panel1, ligne, 16, y, 590, 13);
        y += 14;
    }

    lnkSite = new TLinkLabel(Panel1);
    lnkSite->setText(QStringLiteral("www.education.gouv.fr"));
    lnkSite->SetLinkType(TLinkType::ltHTTPS);
    lnkSite->SetLinkDestination(QStringLiteral("www.education.gouv.fr"));
    lnkSite->setGeometry(16, 70, 150, 14);
}

void TMyFrame::ConstruitRaccourcis()
{
    // The desktop's usual keys, on top of the mouse: they change neither the
    // buttons nor where the focus goes.
    const struct {
        QKeySequence touches;
        void (TMyFrame::*gestionnaire)();
    } raccourcis[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_O), &TMyFrame::AOLButton1Click},
        {QKeySequence(Qt::CTRL | Qt::Key_P), &TMyFrame::AOLButton3Click},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), &TMyFrame::AOLButton6Click},
        {QKeySequence(Qt::Key_F1), &TMyFrame::Label16Click},
    };
    for (const auto& raccourci : raccourcis) {
        auto* action = new QAction(this);
        action->setShortcut(raccourci.touches);
        action->setShortcutContext(Qt::WindowShortcut);
        // A key held down must not open a second dialog behind the first.
        action->setAutoRepeat(false);
        connect(action, &QAction::triggered, this, [this, gestionnaire = raccourci.gestionnaire] {
            ExecuteProtege([this, gestionnaire] { (this->*gestionnaire)(); });
        });
        addAction(action);
    }
}

TAOLButton* TMyFrame::Bouton(const QString& legende, int x, int y, int largeur,
                             void (TMyFrame::*gestionnaire)())
{
    auto* bouton = new TAOLButton(this);
    bouton->SetCap(legende);
    bouton->setGeometry(x, y, largeur, 23);
    // Tab reaches the buttons in the order they are made, which is the
    // window's reading order; a mouse click leaves the focus where it is.
    bouton->setFocusPolicy(Qt::TabFocus);
    bouton->OnClick = [this, gestionnaire](TAOLButton*) {
        ExecuteProtege([this, gestionnaire] { (this->*gestionnaire)(); });
    };
    return bouton;
}

void TMyFrame::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_centree) {
        m_centree = true;
        if (const QScreen* ecran = screen())
            move(ecran->availableGeometry().center() - rect().center());
    }
}

void TMyFrame::ExecuteProtege(const std::function<void()>& action)
{
    // An error must not cross Qt's event loop: it is shown here, as the
    // toolkit's standard error display would, and the window goes on.
    try {
        action();
    } catch (const std::bad_alloc&) {
        m_dialogues.Message(this, QStringLiteral("Mémoire insuffisante."));
    } catch (const std::exception& erreur) {
        m_dialogues.Message(this, QString::fromUtf8(erreur.what()));
    }
}

void TMyFrame::FormCreate()
{
    // The start-up work waits until the window is on screen.
    QCoreApplication::postEvent(this, new QEvent(EvDemarrage));
}

void TMyFrame::customEvent(QEvent* event)
{
    if (event->type() == EvDemarrage) {
        ExecuteProtege([this] { Demarrage(); });
        return;
    }
    QWidget::customEvent(event);
}

void TMyFrame::Demarrage()
{
    FichierIni = CheminFichierIni();
    LitParametres();
    DossierAide = TrouveDossierAide();

    if (Parametres.PathFich.isEmpty()) {
        lbFich->setText(QStringLiteral("Fichier non défini"));
        AfficheVoyant();
    } else if (!ChargeTable()) {
        // Nothing loaded before: the extraction is unreadable, the light off.
        lbFich->setText(QStringLiteral("Le fichier n'a pas pu être chargé"));
        AfficheVoyant();
    } else {
        lbFich->setText(QStringLiteral("Le fichier est chargé"));
        AnalyseFichier();
    }
}

bool TMyFrame::ChargeTable()
{
    try {
        const bool charge = Extraction.Charge(Parametres.PathFich);
        AfficheInfoFichier(charge);
        return charge;
    } catch (...) {
        // Out of memory half way: the table is gone, so is its check.
        AfficheVoyant();
        lbFich->setText(QStringLiteral("Le fichier n'a pas pu être chargé"));
        lbInfoFich->clear();
        throw;
    }
}

void TMyFrame::AfficheInfoFichier(bool charge)
{
    const QFileInfo fichier(Parametres.PathFich);
    const QString nom = fichier.fileName();
    const QString texte =
        charge ? ResumeFichier(nom, Extraction.NbElecteurs(), fichier.lastModified().date())
               : ResumeEchecFichier(nom, RaisonErreurFichier(Extraction.Erreur()));
    // A long name loses its middle, never the count, the date or the reason;
    // the whole path is in the tooltip.
    lbInfoFich->setText(lbInfoFich->fontMetrics().elidedText(texte, Qt::ElideMiddle,
                                                             lbInfoFich->width()));
    lbInfoFich->setToolTip(QDir::toNativeSeparators(fichier.absoluteFilePath()));
}

void TMyFrame::InitParametres()
{
    ::InitParametres(Parametres);
}

void TMyFrame::LitParametres()
{
    // What the file holds is kept, even a format no wizard would accept; the
    // user hears once what is wrong, and printing refuses such a format.
    UIni ini;
    QString erreur;
    QStringList avertissements;
    if (!ChargeReglages(ini, FichierIni, erreur))
        avertissements << erreur;
    ::LitParametres(Parametres, ini);
    Impression = LitReglagesImpression(ini, &avertissements);
    const QString refus = RefusFormat(Parametres);
    if (!refus.isEmpty())
        avertissements << refus;
    if (!avertissements.isEmpty())
        m_dialogues.Message(this, avertissements.join(QStringLiteral("\n\n")));
}

void TMyFrame::EcritParametres()
{
    // Both sections in one write: a failure leaves the whole file as it was.
    QString erreur;
    if (!EcritReglages(Parametres, Impression, FichierIni, erreur))
        m_dialogues.Message(this, erreur);
}

void TMyFrame::AfficheVoyant()
{
    Led1->ChangeValue(Extraction.Prete());
}

void TMyFrame::AnalyseFichier()
{
    const ExtractionChargee::Etat etat = Extraction.Analyse();
    AfficheVoyant();
    if (etat == ExtractionChargee::Etat::ChampManquant) {
        m_dialogues.Message(this, Extraction.MessageChampManquant());
        lbFich->setText(QStringLiteral("Fichier incorrect"));
        return;
    }
    if (etat != ExtractionChargee::Etat::Prete)
        return;
    lbFich->setText(QStringLiteral("Fichier chargé et analysé."));

    // Rows that would print wrong labels are named, after the verdict.
    const RapportExtraction rapport = Extraction.Verification();
    if (!rapport.Vide())
        m_dialogues.Message(this, MessageRapport(rapport, 5));
}

void TMyFrame::AOLButton1Click()
{
    const QString& chemin = Parametres.PathFich;
    const int coupure = chemin.lastIndexOf(QLatin1Char('/'));
    const QString dossier = chemin.left(coupure + 1);
    const QString nom = chemin.mid(coupure + 1);

    const QString choisi = m_dialogues.ChoisitFichier(this, dossier, nom);
    if (choisi.isEmpty())
        return;

    // Kept even if the load fails, so that this path is the one stored at close.
    Parametres.PathFich = choisi;
    if (!ChargeTable()) {
        m_dialogues.Message(this, QStringLiteral("Impossible de charger le fichier"));
        lbFich->setText(QStringLiteral("Le fichier n'a pas pu être chargé"));
        return;
    }
    AnalyseFichier();
}

void TMyFrame::AOLButton2Click()
{
    // The wizard writes into Parametres itself, and only from its last page:
    // its result says nothing more.
    TFormatAssistant assistant(m_dialogues, this);
    assistant.ChargeFormat(Parametres);
    // The calibration is the printer's: what the wizard sets stays, even when it is cancelled.
    assistant.ChargeReglagesImpression(Impression);
    m_dialogues.Execute(assistant);
}

void TMyFrame::AOLButton4Click()
{
    m_champsDia.chkAdresse->setChecked(Parametres.ImprimerAdresse);
    m_champsDia.chkNomEnf->setChecked(Parametres.ImprimerEnfant);
    m_champsDia.chkClasseEnf->setChecked(Parametres.ImprimerClasse);
    m_champsDia.chkSignature->setChecked(Parametres.ImprimerSignature);
    m_champsDia.chkTriClasse->setChecked(Impression.TriClasse);
    m_champsDia.chkAjusterTexte->setChecked(Impression.AjusterTexte);

    if (m_dialogues.Execute(m_champsDia) != QDialog::Accepted)
        return;

    Parametres.ImprimerAdresse = m_champsDia.chkAdresse->isChecked();
    Parametres.ImprimerEnfant = m_champsDia.chkNomEnf->isChecked();
    Parametres.ImprimerClasse = m_champsDia.chkClasseEnf->isChecked();
    Parametres.ImprimerSignature = m_champsDia.chkSignature->isChecked();
    Impression.TriClasse = m_champsDia.chkTriClasse->isChecked();
    Impression.AjusterTexte = m_champsDia.chkAjusterTexte->isChecked();
}

std::optional<ImpressionEtiquettes> TMyFrame::PrepareImpression()
{
    const QString refus =
        Extraction.RefusImpression(Parametres, ExtractionChargee::RefusSansElecteur::NonChargee);
    if (!refus.isEmpty()) {
        m_dialogues.Message(this, refus);
        return std::nullopt;
    }

    OptionsImpression options;
    options.TriClasse = Impression.TriClasse;
    options.AjusterTexte = Impression.AjusterTexte;
    options.Decalage = Impression.Decalage();
    // A sheet of one label leaves nothing to choose.
    if (EtiquettesParPage(Parametres) > 1) {
        TDebutPlanche debut(Parametres.NbCols, Parametres.NbLignes, this, Parametres.Orientation);
        if (m_dialogues.Execute(debut) != QDialog::Accepted)
            return std::nullopt;
        options.Debut = debut.Debut();
    }
    return ImpressionEtiquettes(Parametres, Table, IndexChamps, options);
}

bool TMyFrame::ImprimeSur(QPrinter& imprimante, const ImpressionEtiquettes& job)
{
    // Printing to a file over the extraction would destroy the list.
    if (imprimante.outputFormat() == QPrinter::PdfFormat
        && MemeFichier(imprimante.outputFileName(), Parametres.PathFich)) {
        m_dialogues.Message(this, QStringLiteral("Le fichier PDF ne peut pas remplacer "
                                                "l'extraction CSV : choisissez un autre nom."));
        return false;
    }
    AjustePagePdf(imprimante, Parametres);
    job.Imprime(imprimante);
    return true;
}

void TMyFrame::ProposeNomPdf(QPrinter& imprimante) const
{
    // The dialog shows this name for "print to file"; the printer chosen by
    // default stays chosen.
    const QPrinter::OutputFormat format = imprimante.outputFormat();
    imprimante.setOutputFileName(NomPdfPropose(Parametres.PathFich));
    imprimante.setOutputFormat(format);
}

bool TMyFrame::AccepteTexteCoupe(const ImpressionEtiquettes& job)
{
    const QStringList avertissement = AvertissementTexteCoupe(job.EtiquettesCoupees(), Table,
                                                              IndexChamps);
    if (avertissement.isEmpty())
        return true;
    const QString conseil =
        Impression.AjusterTexte
            ? QStringLiteral("Même écrit en 6 points, leur texte ne tient pas.")
            : QStringLiteral("La case « Réduire le texte des étiquettes trop pleines » de "
                             "« Définir les champs... » les écrit plus petit.");
    const QString texte = avertissement.join(QLatin1Char('\n'))
                          + QStringLiteral("\n\nL'aperçu entoure ces étiquettes de rouge. ")
                          + conseil;
    return m_dialogues.Confirme(this, texte, QStringLiteral("Imprimer quand même"),
                                QStringLiteral("Revenir"));
}

void TMyFrame::AOLButton3Click()
{
    const std::optional<ImpressionEtiquettes> job = PrepareImpression();
    if (!job || !AccepteTexteCoupe(*job))
        return;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setFromTo(1, job->NombrePages());
    ProposeNomPdf(imprimante);
    if (!m_dialogues.ChoisitImprimante(this, imprimante))
        return;
    // A real printer sends its job to the spooler, never to the name offered.
    if (imprimante.outputFormat() == QPrinter::NativeFormat)
        imprimante.setOutputFileName(QString());
    if (!ImprimanteDisponible(imprimante)) {
        m_dialogues.Message(this, QStringLiteral("Pas d'imprimante trouvée"));
        return;
    }
    // An error while printing reaches ExecuteProtege, which shows its text.
    if (!ImprimeSur(imprimante, *job))
        return;
    const PlagePages plage = PagesAImprimer(imprimante, job->NombrePages());
    if (plage.premiere > plage.derniere)
        return;
    const bool fichier = imprimante.outputFormat() == QPrinter::PdfFormat;
    m_dialogues.Message(this, CompteRenduImpression(job->NombreEtiquettes(plage),
                                                   plage.derniere - plage.premiere + 1,
                                                   fichier ? imprimante.outputFileName()
                                                           : QString()));
}

void TMyFrame::btApercuClick()
{
    std::optional<ImpressionEtiquettes> job = PrepareImpression();
    if (!job)
        return;
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setFromTo(1, job->NombrePages());
    // Without a printer the preview's pages are those of a PDF: the sheet's.
    if (imprimante.outputFormat() == QPrinter::PdfFormat && Parametres.LargeurPage > 0
        && Parametres.HauteurPage > 0)
        FixeFeuille(imprimante, Parametres.LargeurPage, Parametres.HauteurPage,
                    Parametres.Orientation);
    // For printing from the preview.
    ProposeNomPdf(imprimante);
    m_dialogues.Apercu(this, imprimante, QStringLiteral("Aperçu des étiquettes"),
                      [this, &job](QPrinter& cible) {
                          job->MontreContours(m_contoursApercu);
                          // Drawn from inside the preview's own events: an
                          // error is shown here and goes no further.
                          ExecuteProtege([this, &job, &cible] { ImprimeSur(cible, *job); });
                      },
                      {QStringLiteral("Contours des étiquettes"), &m_contoursApercu});
}

void TMyFrame::AOLButton6Click()
{
    close();
}

void TMyFrame::Label16Click()
{
    const QString chemin = DossierAide + QStringLiteral("doc1.pdf");
    if (!QFileInfo(chemin).isFile() || !m_dialogues.OuvreDocument(QUrl::fromLocalFile(chemin)))
        m_dialogues.Message(this, QStringLiteral("Impossible d'ouvrir le document d'aide : %1")
                                     .arg(QDir::toNativeSeparators(chemin)));
}

void TMyFrame::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMyFrame::FormClose()
{
    if (!FichierIni.isEmpty())
        EcritParametres();
}
