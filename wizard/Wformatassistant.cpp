#include "Wformatassistant.h"

#include "Arith32.h"
#include "CataloguePlanches.h"
#include "Dialogues.h"
#include "ImpressionEtiquettes.h"
#include "PageTest.h"
#include "PagesAssistant.h"
#include "ReperePage.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TColorButton.h"
#include "TCommonEdit.h"
#include "TDecimalEdit.h"
#include "Upolice.h"
#include "VerificationFormat.h"
#include "Wchoixplanche.h"
#include "Wreglageimprimante.h"

#include <QButtonGroup>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>

#include <exception>
#include <new>
#include <optional>

namespace {

void LitCm(const TDecimalEdit* champ, int32_t& valeur)
{
    valeur = CentiemesDepuisCm(champ->Value());
}

void MontreCm(TDecimalEdit* champ, int32_t valeur)
{
    champ->SetValue(CmDepuisCentiemes(valeur));
}

}  // namespace

QString DescriptionFonte(const Fonte& fonte)
{
    QString suffixe;
    if (fonte.Gras)
        suffixe += QStringLiteral(" gras");
    if (fonte.Italique)
        suffixe += QStringLiteral(" italique");
    if (fonte.Souligne)
        suffixe += QStringLiteral(" souligné");
    if (fonte.Barre)
        suffixe += QStringLiteral(" barré");
    // One call: a name holding "%2" must not take the size's place.
    return QStringLiteral("%1 %2%3").arg(QString::fromStdString(fonte.LitNom()),
                                         QString::number(fonte.Taille), suffixe);
}

TFormatAssistant::TFormatAssistant(Dialogues& dialogues, QWidget* parent)
    : QDialog(parent), m_dialogues(dialogues)
{
    setWindowTitle(QStringLiteral("Assistant format étiquettes"));
    // A fixed frame with a title and no button on it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(624, 472);
    setSizeGripEnabled(false);
    setFont(FonteFenetre());
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(240, 240, 240));
    setPalette(fond);

    nb = new QStackedWidget(this);
    nb->setGeometry(0, 0, 624, 417);
    for (const DescriptionPage& page : Pages())
        (this->*page.construire)(NouvellePage(page.nom));

    // None of them is a default button: Enter and Esc press none of them
    // unless it has the focus (see keyPressEvent).
    auto bouton = [this](const QString& legende, int x, void (TFormatAssistant::*clic)()) {
        auto* b = new QPushButton(legende, this);
        b->setGeometry(x, 432, 75, 25);
        b->setAutoDefault(false);
        b->setDefault(false);
        connect(b, &QPushButton::clicked, this, clic);
        return b;
    };
    btPrec = bouton(QStringLiteral("< Précédent"), 24, &TFormatAssistant::btPrecClick);
    btSuiv = bouton(QStringLiteral("Suivant >"), 120, &TFormatAssistant::btSuivClick);
    btFermer = bouton(QStringLiteral("Annuler"), 480, &TFormatAssistant::btFermerClick);

    FixeOrdreTabulation();

    // The copy starts with no file and the default font until ChargeFormat.
    m_copie.PathFich.clear();
    m_copie.Fonte = Fonte();
    MontrePage(0);
    btSuiv->setEnabled(true);
}

TFormatAssistant::~TFormatAssistant() = default;

QWidget* TFormatAssistant::NouvellePage(const QString& nom)
{
    auto* page = new QWidget(nb);
    page->setObjectName(nom);
    nb->addWidget(page);
    return page;
}

void TFormatAssistant::MontrePage(int i)
{
    nb->setCurrentIndex(i);
    btPrec->setEnabled(i > 0);
    // The last page ends the wizard: "Terminer" writes the copy back.
    const bool derniere = i == static_cast<int>(Pages().size()) - 1;
    btFermer->setText(derniere ? QStringLiteral("Terminer") : QStringLiteral("Annuler"));
    btSuiv->setVisible(!derniere);
}

QString TFormatAssistant::PageCourante() const
{
    return nb->currentWidget() ? nb->currentWidget()->objectName() : QString();
}

void TFormatAssistant::FixeOrdreTabulation()
{
    // The pages first, in the order of their fields, then the three buttons.
    QWidget* const ordre[] = {
        rbA4, rbAutre, edLargeurPage, edHauteurPage,
        rgOrientationItems->button(0), rgOrientationItems->button(1), btPlanche,
        edNbLignes, edNbCols,
        edHauteurEtiq, edLargeurEtiq,
        edMargeInterneHaute, edMargeInterneBasse, edMargeInterneGauche, edMargeInterneDroite,
        edMargeHaute, edMargeGauche, edMargeDroite, edMargeBasse,
        btPolice, ColorButton1,
        btApercu, btReglage,
        btPrec, btSuiv, btFermer,
    };
    for (size_t i = 1; i < std::size(ordre); ++i)
        setTabOrder(ordre[i - 1], ordre[i]);
}

void TFormatAssistant::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_centree) {
        m_centree = true;
        if (const QScreen* ecran = screen())
            move(ecran->availableGeometry().center() - rect().center());
    }
}

void TFormatAssistant::keyPressEvent(QKeyEvent* event)
{
    // Esc closes nothing. Enter presses only a button that has the focus;
    // in a numeric field it has already re-formatted the value.
    switch (event->key()) {
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* bouton = qobject_cast<QPushButton*>(focusWidget());
            bouton && bouton->isEnabled() && bouton->isVisible())
            bouton->click();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TFormatAssistant::ChargeFormat(::Parametres& parametres)
{
    m_appelant = &parametres;
    m_copie = parametres;
    AfficheFeuille();
    AfficheMargesInternes();
    AfficheFonte();
}

void TFormatAssistant::AfficheMargesInternes()
{
    MontreCm(edMargeInterneHaute, m_copie.MargesInternes.top);
    MontreCm(edMargeInterneBasse, m_copie.MargesInternes.bottom);
    MontreCm(edMargeInterneDroite, m_copie.MargesInternes.right);
    MontreCm(edMargeInterneGauche, m_copie.MargesInternes.left);
}

void TFormatAssistant::ChargeReglagesImpression(ReglagesImpression& reglages)
{
    m_reglages = &reglages;
}

qlPoint TFormatAssistant::DecalageImprimante() const
{
    return m_reglages->Decalage();
}

void TFormatAssistant::AfficheFeuille()
{
    // Showing the size checks "Autre" through edLargeurPageChange.
    MontreCm(edLargeurPage, m_copie.LargeurPage);
    MontreCm(edHauteurPage, m_copie.HauteurPage);
    if (m_copie.LargeurPage == 2100 && m_copie.HauteurPage == 2970)
        rbA4->setChecked(true);
    else
        rbAutre->setChecked(true);
    rgOrientationItems->button(m_copie.Orientation ? 1 : 0)->setChecked(true);

    edNbLignes->SetValue(static_cast<uint32_t>(m_copie.NbLignes));
    edNbCols->SetValue(static_cast<uint32_t>(m_copie.NbCols));

    MontreCm(edLargeurEtiq, m_copie.LargeurEtiq);
    MontreCm(edHauteurEtiq, m_copie.HauteurEtiq);
    MontreCm(edMargeHaute, m_copie.MargeHaute);
    MontreCm(edMargeBasse, m_copie.MargeBasse);
    MontreCm(edMargeDroite, m_copie.MargeDroite);
    MontreCm(edMargeGauche, m_copie.MargeGauche);
}

void TFormatAssistant::edLargeurPageChange()
{
    rbAutre->setChecked(true);
}

bool TFormatAssistant::Accepte(const QString& refus)
{
    if (refus.isEmpty())
        return true;
    m_dialogues.Message(this, refus);
    return false;
}

bool TFormatAssistant::QuittePageFormat()
{
    if (rbA4->isChecked()) {
        // The fields keep whatever they show.
        m_copie.LargeurPage = 2100;
        m_copie.HauteurPage = 2970;
    } else if (!rbAutre->isChecked()) {
        return Accepte(QStringLiteral("Format de page non défini"));
    } else {
        LitCm(edLargeurPage, m_copie.LargeurPage);
        LitCm(edHauteurPage, m_copie.HauteurPage);
        if (!Accepte(VerifieTaillePage(m_copie)))
            return false;
    }

    switch (rgOrientationItems->checkedId()) {
    case 0:
        m_copie.Orientation = false;
        break;
    case 1:
        m_copie.Orientation = true;
        break;
    default:
        return Accepte(QStringLiteral("Il faut préciser l'orientation"));
    }
    // Landscape sheets are counted and measured turned: the panels show how.
    panPortrait1->setVisible(m_copie.Orientation);
    panPortrait2->setVisible(m_copie.Orientation);
    return true;
}

bool TFormatAssistant::QuittePageNombre()
{
    // A number above 2^31 reads as a negative one, which the check refuses.
    m_copie.NbLignes = Arith32::Signe(edNbLignes->Value());
    m_copie.NbCols = Arith32::Signe(edNbCols->Value());
    return Accepte(VerifieNombreEtiquettes(m_copie));
}

bool TFormatAssistant::QuittePageEtiquette()
{
    LitCm(edLargeurEtiq, m_copie.LargeurEtiq);
    LitCm(edHauteurEtiq, m_copie.HauteurEtiq);
    return Accepte(VerifieTailleEtiquette(m_copie));
}

bool TFormatAssistant::QuittePageMargesInternes()
{
    LitCm(edMargeInterneGauche, m_copie.MargesInternes.left);
    LitCm(edMargeInterneDroite, m_copie.MargesInternes.right);
    LitCm(edMargeInterneHaute, m_copie.MargesInternes.top);
    LitCm(edMargeInterneBasse, m_copie.MargesInternes.bottom);
    return Accepte(VerifieMargesInternes(m_copie));
}

bool TFormatAssistant::QuittePageDecalage()
{
    LitCm(edMargeHaute, m_copie.MargeHaute);
    LitCm(edMargeBasse, m_copie.MargeBasse);
    LitCm(edMargeDroite, m_copie.MargeDroite);
    LitCm(edMargeGauche, m_copie.MargeGauche);
    return Accepte(VerifieDecalage(m_copie));
}

void TFormatAssistant::btSuivClick()
{
    // A mouse click takes the focus from the field, which re-formats it to
    // two decimals first; a press from the keyboard's shortcut or a screen
    // reader leaves the focus where it is, so re-format it here the same way.
    // Re-formatting is not typing: a page size chosen as "A4" stays chosen.
    if (auto* champ = qobject_cast<TCommonEdit*>(focusWidget())) {
        const QSignalBlocker silence(champ);
        champ->SetValue2();
    }
    const int i = nb->currentIndex();
    if (i < 0 || i + 1 >= static_cast<int>(Pages().size()))
        return;
    if (const auto quitter = Pages()[i].quitter; quitter && !(this->*quitter)())
        return;
    MontrePage(i + 1);
}

void TFormatAssistant::btPrecClick()
{
    // Nothing is read or checked going back.
    const int i = nb->currentIndex();
    if (i > 0)
        MontrePage(i - 1);
}

void TFormatAssistant::btFermerClick()
{
    if (PageCourante() != QLatin1String("Merci")) {
        reject();
        return;
    }
    if (m_appelant)
        *m_appelant = m_copie;
    accept();
}

void TFormatAssistant::AfficheFonte()
{
    const Fonte& fonte = m_copie.Fonte;
    lbNomPolice->setText(DescriptionFonte(fonte));
    ColorButton1->SetStateColor(fonte.Couleur);

    Police police;
    fonte.Restaure(police);
    lbExemple->setFont(police.VersQFont());
    QPalette palette = lbExemple->palette();
    palette.setColor(QPalette::WindowText, VersQColor(police.Color));
    lbExemple->setPalette(palette);
}

void TFormatAssistant::btPoliceClick()
{
    Police initiale;
    m_copie.Fonte.Restaure(initiale);
    // Opened on the family really drawn, so that OK with only a new size
    // keeps the family that prints; the stored name stays the one chosen.
    Police proposee = initiale;
    proposee.Name = FamilleReelle(initiale);
    // The dialog's colour comes back with the font.
    std::optional<Police> choisie = m_dialogues.ChoisitPolice(this, proposee);
    if (!choisie)
        return;
    choisie->Name = NomApresDialogue(initiale.Name, proposee.Name, choisie->Name);
    m_copie.Fonte.Copie(*choisie);
    AfficheFonte();
}

void TFormatAssistant::ColorButton1ColorChange()
{
    m_copie.Fonte.Couleur = ColorButton1->Color();
    AfficheFonte();
}

void TFormatAssistant::btTestClick()
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setFromTo(1, 1);
    if (!m_dialogues.ChoisitImprimante(this, imprimante, Dialogues::ChoixImpression::PageUnique))
        return;
    if (!ImprimanteDisponible(imprimante)) {
        m_dialogues.Message(this, QStringLiteral("Pas d'imprimante trouvée"));
        return;
    }
    ImprimeTestSansErreur(imprimante);
}

void TFormatAssistant::ImprimeTestSansErreur(QPrinter& imprimante)
{
    // Whatever happens, the wizard stays open.
    try {
        ImprimeTest(imprimante, m_copie, DecalageImprimante());
    } catch (const ErreurImpression& erreur) {
        m_dialogues.Message(this, erreur.Message());
    } catch (const std::bad_alloc&) {
        m_dialogues.Message(this, QStringLiteral("Mémoire insuffisante."));
    } catch (const std::exception& erreur) {
        m_dialogues.Message(this, QString::fromUtf8(erreur.what()));
    }
}

void TFormatAssistant::btPlancheClick()
{
    TChoixPlanche choix(this);
    if (m_dialogues.Execute(choix) != QDialog::Accepted)
        return;
    const std::optional<Planche> planche = choix.PlancheChoisie();
    if (!planche)
        return;
    // The font, inner margins and print flags stay; the fields of the sheet
    // show the new values, which are read and checked as if typed.
    const QString marges = AppliquePlanche(*planche, m_copie);
    AfficheFeuille();
    QString texte = QStringLiteral("%1 : %2 étiquettes de %3 sur %4 colonnes et %5 lignes, "
                                   "reprises dans les pages suivantes.")
                        .arg(planche->Nom(), QString::number(planche->EtiquettesParPlanche()),
                             TailleEtiquetteMm(*planche), QString::number(planche->NbCols),
                             QString::number(planche->NbLignes));
    if (!marges.isEmpty()) {
        // Inner margins made smaller so that text fits the sheet's labels.
        texte += QLatin1Char(' ') + marges;
        AfficheMargesInternes();
    }
    lbPlanche->setText(texte);
}

void TFormatAssistant::btApercuClick()
{
    // The preview shows the format's own sheet; printing from it goes the
    // way of the test button.
    QPrinter imprimante(QPrinter::HighResolution);
    if (m_copie.LargeurPage > 0 && m_copie.HauteurPage > 0)
        FixeFeuille(imprimante, m_copie.LargeurPage, m_copie.HauteurPage, m_copie.Orientation);
    m_dialogues.Apercu(this, imprimante, QStringLiteral("Aperçu de la page de test"),
                      [this](QPrinter& cible) { ImprimeTestSansErreur(cible); });
}

void TFormatAssistant::btReglageClick()
{
    TReglageImprimante reglage(this);
    reglage.SetDecalages(m_reglages->DecalageX, m_reglages->DecalageY);
    if (m_dialogues.Execute(reglage) != QDialog::Accepted)
        return;
    // The printer's, not the format's: kept whatever becomes of the wizard.
    m_reglages->DecalageX = reglage.DecalageX();
    m_reglages->DecalageY = reglage.DecalageY();
}
