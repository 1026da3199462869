#include "Wformatassistant.h"

#include "Arith32.h"
#include "CataloguePlanches.h"
#include "Dialogues.h"
#include "ImpressionEtiquettes.h"
#include "PageTest.h"
#include "ReperePage.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TColorButton.h"
#include "TCommonEdit.h"
#include "Uapparence.h"
#include "TDecimalEdit.h"
#include "THintBox.h"
#include "Ucouleurs.h"
#include "Upolice.h"
#include "VerificationFormat.h"
#include "Wchoixplanche.h"
#include "Wreglageimprimante.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QSvgWidget>

#include <exception>
#include <new>
#include <optional>

// The pictures live in the static library's resources, which a static
// library must register itself. Q_INIT_RESOURCE cannot sit in a namespace.
static void InitialiserImagesAssistant()
{
    Q_INIT_RESOURCE(assistant);
}

namespace {

const QString kPages[] = {
    QStringLiteral("Page"),           QStringLiteral("NombreEtiq"),
    QStringLiteral("Etiquette"),      QStringLiteral("MargesInternes"),
    QStringLiteral("Decalage"),       QStringLiteral("Fonte"),
    QStringLiteral("Merci"),
};

void ChargerImages()
{
    static const bool chargees = (InitialiserImagesAssistant(), true);
    (void)chargees;
}

QFont FonteFenetre()
{
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

QLabel* Texte(QWidget* parent, const QString& texte, int x, int y, int largeur, int hauteur)
{
    auto* label = new QLabel(texte, parent);
    label->setGeometry(x, y, largeur, hauteur);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// A caption on one line, as wide as its text.
QLabel* Legende(QWidget* parent, const QString& texte, int x, int y)
{
    auto* label = new QLabel(texte, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLabel* Titre(QWidget* page, const QString& texte)
{
    QLabel* label = Legende(page, texte, 16, 16);
    label->setFont(Arial(24, true, false, true));
    Colorer(label, Marine());
    label->adjustSize();
    return label;
}

QLabel* SousTitre(QWidget* page, const QString& texte, int x, int y)
{
    QLabel* label = Legende(page, texte, x, y);
    label->setFont(Arial(16, true, true, true));
    Colorer(label, Marine());
    label->adjustSize();
    return label;
}

// A picture fitted into the box (x, y, largeur, hauteur) at its own aspect
// ratio, centred in it.
QSvgWidget* Image(QWidget* parent, const QString& nom, int x, int y, int largeur, int hauteur)
{
    ChargerImages();
    auto* image = new QSvgWidget(QStringLiteral(":/assistant/") + nom, parent);
    const QSizeF vue = image->renderer()->viewBoxF().size();
    QSize taille(largeur, hauteur);
    if (vue.width() > 0 && vue.height() > 0)
        taille = vue.scaled(QSizeF(largeur, hauteur), Qt::KeepAspectRatio).toSize();
    image->setGeometry(x + (largeur - taille.width()) / 2, y + (hauteur - taille.height()) / 2,
                       taille.width(), taille.height());
    return image;
}

// The caption written beside a field is also its name for a screen reader.
void Nommer(QWidget* champ, QLabel* legende)
{
    legende->setBuddy(champ);
    champ->setAccessibleName(legende->text());
}

TDecimalEdit* ChampCm(QWidget* parent, int x, int y)
{
    auto* champ = new TDecimalEdit(parent);
    champ->setFont(FonteFenetre());
    champ->SetFormatString(QStringLiteral("2"));
    champ->SetFixedDecimals(true);
    champ->SetValidate(false);
    champ->SetColorNormal(Couleurs::clBlack);
    champ->SetColorWarning(Couleurs::clRed);
    champ->SetAlignment(Qt::AlignLeft);
    champ->setGeometry(x, y, 49, 21);
    return champ;
}

TCardinalEdit* ChampNombre(QWidget* parent, const QString& bulle, int x, int y)
{
    auto* champ = new TCardinalEdit(parent);
    champ->SetFormatString(QStringLiteral("%u"));
    champ->SetValidate(false);
    champ->SetMinValue(0);
    champ->SetMaxValue(0);
    champ->setToolTip(bulle);
    champ->setGeometry(x, y, 49, 21);
    return champ;
}

// A field with its caption on its left, the field's top at y.
TDecimalEdit* ChampLegende(QWidget* parent, const QString& legende, int x, int y, int xChamp)
{
    TDecimalEdit* champ = ChampCm(parent, xChamp, y);
    Nommer(champ, Legende(parent, legende, x, y + 4));
    return champ;
}

// A field under its caption, both centred on x.
TDecimalEdit* ChampSousLegende(QWidget* parent, const QString& legende, int x, int y)
{
    QLabel* label = Legende(parent, legende, 0, y);
    label->move(x - label->width() / 2, y);
    TDecimalEdit* champ = ChampCm(parent, x - 49 / 2, y + label->height() + 2);
    Nommer(champ, label);
    return champ;
}

QFrame* Panneau(QWidget* parent, int x, int y, int largeur, int hauteur)
{
    auto* panneau = new QFrame(parent);
    panneau->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panneau->setLineWidth(1);
    panneau->setGeometry(x, y, largeur, hauteur);
    panneau->hide();
    return panneau;
}

// A plain push button of a page, named by its caption; Enter presses it only
// when it has the focus (see keyPressEvent).
QPushButton* Bouton(QWidget* parent, const QString& legende, int x, int y)
{
    auto* bouton = new QPushButton(legende, parent);
    bouton->setAutoDefault(false);
    bouton->setAccessibleName(legende);
    bouton->adjustSize();
    bouton->setGeometry(x, y, bouton->width(), 25);
    return bouton;
}

void LireCm(const TDecimalEdit* champ, int32_t& valeur)
{
    valeur = CentiemesDepuisCm(champ->Value());
}

void MontrerCm(TDecimalEdit* champ, int32_t valeur)
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
    return QStringLiteral("%1 %2%3").arg(QString::fromStdString(fonte.LireNom()),
                                         QString::number(fonte.Taille), suffixe);
}

TFormatAssistant::TFormatAssistant(Dialogues& dialogues, QWidget* parent)
    : QDialog(parent), dialogues_(dialogues)
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
    ConstruirePageFormat(NouvellePage(kPages[0]));
    ConstruirePageNombre(NouvellePage(kPages[1]));
    ConstruirePageEtiquette(NouvellePage(kPages[2]));
    ConstruirePageMargesInternes(NouvellePage(kPages[3]));
    ConstruirePageDecalage(NouvellePage(kPages[4]));
    ConstruirePageFonte(NouvellePage(kPages[5]));
    ConstruirePageMerci(NouvellePage(kPages[6]));

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

    FixerOrdreTabulation();

    // The copy starts with no file and the default font until ChargeFormat.
    copie_.PathFich.clear();
    copie_.Fonte = Fonte();
    AllerA(kPages[0]);
    btPrec->setEnabled(false);
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

void TFormatAssistant::AllerA(const QString& nom)
{
    if (QWidget* page = nb->findChild<QWidget*>(nom, Qt::FindDirectChildrenOnly))
        nb->setCurrentWidget(page);
}

QString TFormatAssistant::PageCourante() const
{
    return nb->currentWidget() ? nb->currentWidget()->objectName() : QString();
}

void TFormatAssistant::ConstruirePageFormat(QWidget* page)
{
    Titre(page, QStringLiteral("Format de la page"));

    SousTitre(page, QStringLiteral("Taille"), 32, 64);
    rbA4 = new QRadioButton(QStringLiteral("A4"), page);
    rbA4->setGeometry(48, 96, 113, 17);
    rbAutre = new QRadioButton(QStringLiteral("Autre (précisez :)"), page);
    rbAutre->setGeometry(48, 120, 145, 17);
    edLargeurPage = ChampLegende(page, QStringLiteral("Largeur (cm) :"), 72, 146, 168);
    edHauteurPage = ChampLegende(page, QStringLiteral("Hauteur (cm) :"), 72, 174, 168);
    connect(edLargeurPage, &QLineEdit::textChanged, this, &TFormatAssistant::edLargeurPageChange);
    connect(edHauteurPage, &QLineEdit::textChanged, this, &TFormatAssistant::edLargeurPageChange);

    QLabel* orientation = SousTitre(page, QStringLiteral("Orientation"), 32, 224);
    rgOrientation = new QGroupBox(page);
    rgOrientation->setGeometry(48, 256, 241, 41);
    rgOrientation->setAccessibleName(orientation->text());
    rgOrientationItems = new QButtonGroup(rgOrientation);
    auto* colonnes = new QHBoxLayout(rgOrientation);
    const QString items[] = {QStringLiteral("portrait"), QStringLiteral("paysage")};
    for (int i = 0; i < 2; ++i) {
        auto* item = new QRadioButton(items[i], rgOrientation);
        rgOrientationItems->addButton(item, i);
        colonnes->addWidget(item);
    }

    // Both sheets standing on the same line, upright then on its side.
    Image(page, QStringLiteral("feuille-portrait.svg"), 344, 96, 112, 160);
    Image(page, QStringLiteral("feuille-paysage.svg"), 472, 160, 136, 96);

    // Under everything else: a sheet whose reference is on its box.
    btPlanche = Bouton(page, QStringLiteral("Choisir une planche du commerce..."), 48, 320);
    connect(btPlanche, &QPushButton::clicked, this, &TFormatAssistant::btPlancheClick);
    lbPlanche = Texte(page,
                      QStringLiteral("Sa référence figure sur la boîte (par exemple : Avery "
                                     "L7160) ; ses mesures rempliront les pages suivantes."),
                      48, 352, 545, 34);
}

void TFormatAssistant::ConstruirePageNombre(QWidget* page)
{
    Titre(page, QStringLiteral("Nombre d'étiquettes"));
    SousTitre(page, QStringLiteral("Nombre de lignes et de colonnes"), 32, 56);
    Texte(page,
          QStringLiteral("Comptez le nombre de lignes et de colonnes et indiquez-les dans les "
                         "champs correspondants."),
          32, 84, 560, 17);

    // The sheet with its arrows; the columns are counted along its top edge,
    // the rows down its left edge.
    QSvgWidget* planche = Image(page, QStringLiteral("planche-fleches.svg"), 352, 144, 240, 264);
    const QRect p = planche->geometry();
    QLabel* colonnes = Legende(page, QStringLiteral("Nombre de colonnes"), 0, 116);
    colonnes->move(p.center().x() - (colonnes->width() + 8 + 49) / 2, 119);
    edNbCols = ChampNombre(page, QStringLiteral("Nombre de colonnes"),
                           colonnes->geometry().right() + 9, 116);
    Nommer(edNbCols, colonnes);
    QLabel* lignes = Legende(page, QStringLiteral("Nombre de lignes"), 0, 0);
    lignes->move(p.left() - 12 - lignes->width(), p.center().y() - 24);
    edNbLignes = ChampNombre(page, QStringLiteral("Nombre de lignes"),
                             lignes->geometry().right() - 48, p.center().y() - 4);
    Nommer(edNbLignes, lignes);

    panPortrait1 = Panneau(page, 16, 184, 193, 225);
    Texte(panPortrait1,
          QStringLiteral("Pour compter les lignes et les colonnes, positionnez votre planche "
                         "d' étiquettes comme suit :"),
          8, 8, 177, 56);
    QSvgWidget* petite = Image(panPortrait1, QStringLiteral("petite-paysage.svg"), 62, 104, 122, 90);
    QLabel* haut = Legende(panPortrait1, QStringLiteral("haut (colonnes)"), 0, 0);
    haut->move(petite->geometry().center().x() - haut->width() / 2,
               petite->y() - haut->height() - 2);
    QLabel* gauche = Texte(panPortrait1, QStringLiteral("gauche (lignes)"), 6, 0, 54, 30);
    gauche->move(6, petite->geometry().center().y() - 14);
}

void TFormatAssistant::ConstruirePageEtiquette(QWidget* page)
{
    Titre(page, QStringLiteral("Taille d'une étiquette"));
    Texte(page,
          QStringLiteral("Mesurez la largeur et la hauteur d'une seule étiquette, en cm. Cette "
                         "information figure souvent sur la boîte (généralement donnée en mm)."),
          32, 56, 560, 30);

    QSvgWidget* etiquette = Image(page, QStringLiteral("etiquette.svg"), 208, 152, 352, 240);
    const QRect e = etiquette->geometry();
    edLargeurEtiq = ChampSousLegende(page, QStringLiteral("Largeur, cm"), e.center().x(), 104);
    QLabel* hauteur = Legende(page, QStringLiteral("Hauteur, cm"), 0, 0);
    hauteur->move(e.left() - 24 - hauteur->width(), e.center().y() - 24);
    edHauteurEtiq = ChampCm(page, hauteur->x() + (hauteur->width() - 49) / 2,
                            e.center().y() - 4);
    Nommer(edHauteurEtiq, hauteur);
}

void TFormatAssistant::ConstruirePageMargesInternes(QWidget* page)
{
    Titre(page, QStringLiteral("Marges internes"));
    Texte(page,
          QStringLiteral("Ce sont les marges, à l'intérieur des étiquettes, qui délimitent la "
                         "position du texte."),
          32, 56, 560, 17);
    Texte(page, QStringLiteral("Les valeurs par défaut devraient normalement convenir."), 32, 76,
          560, 17);
    Texte(page,
          QStringLiteral("Avec certaines imprimantes à jet d'encre, si vos étiquettes sont trop "
                         "près des bords de la page, il faut peut-être augmenter la marge gauche "
                         "ou haute, car le texte n'est pas toujours imprimé s'il est trop près du "
                         "bord de la page."),
          32, 96, 560, 30);

    // The label in the middle, a field on each of its sides.
    QSvgWidget* etiquette =
        Image(page, QStringLiteral("etiquette-marges.svg"), 176, 184, 272, 164);
    const QRect e = etiquette->geometry();
    edMargeInterneHaute =
        ChampSousLegende(page, QStringLiteral("Marge haute (cm)"), e.center().x(), 140);
    edMargeInterneBasse =
        ChampSousLegende(page, QStringLiteral("Marge basse (cm)"), e.center().x(), e.bottom() + 8);
    edMargeInterneGauche = ChampSousLegende(page, QStringLiteral("Marge gauche (cm)"),
                                            e.left() / 2 + 4, e.center().y() - 18);
    edMargeInterneDroite = ChampSousLegende(page, QStringLiteral("Marge droite (cm)"),
                                            (e.right() + 624) / 2 - 4, e.center().y() - 18);
}

void TFormatAssistant::ConstruirePageDecalage(QWidget* page)
{
    Titre(page, QStringLiteral("Position par rapport aux bords de la page"));
    Texte(page, QStringLiteral("Mesurez les marges en cm."), 32, 56, 300, 17);

    // Fields in the order of the tab stops, the corners of the sheet beside.
    edMargeHaute = ChampLegende(page, QStringLiteral("Décalage marge haute  (cm)"), 32, 88, 200);
    edMargeGauche = ChampLegende(page, QStringLiteral("Décalage marge gauche (cm)"), 32, 116, 200);
    edMargeDroite = ChampLegende(page, QStringLiteral("Décalage marge droite (cm)"), 32, 144, 200);
    edMargeBasse = ChampLegende(page, QStringLiteral("Décalage marge basse  (cm)"), 32, 172, 200);
    Image(page, QStringLiteral("coins-feuille.svg"), 272, 80, 336, 256);

    panPortrait2 = Panneau(page, 16, 232, 193, 177);
    Texte(panPortrait2,
          QStringLiteral("Pour mesurer les marges, positionnez votre planche d'étiquettes comme "
                         "suit :"),
          8, 8, 177, 44);
    QSvgWidget* petite = Image(panPortrait2, QStringLiteral("petite-portrait.svg"), 72, 76, 100, 92);
    QLabel* haut = Legende(panPortrait2, QStringLiteral("haut"), 0, 0);
    haut->move(petite->geometry().center().x() - haut->width() / 2,
               petite->y() - haut->height() - 2);
    QLabel* gauche = Legende(panPortrait2, QStringLiteral("gauche"), 0, 0);
    gauche->move(petite->x() - gauche->width() - 6,
                 petite->geometry().center().y() - gauche->height() / 2);
}

void TFormatAssistant::ConstruirePageFonte(QWidget* page)
{
    Titre(page, QStringLiteral("Police de caractères"));
    Texte(page, QStringLiteral("Police actuelle :"), 32, 48, 473, 17);

    lbNomPolice = new QLabel(page);
    lbNomPolice->setGeometry(32, 64, 489, 22);
    lbNomPolice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont nom(QStringLiteral("MS Sans Serif"));
    nom.setPixelSize(13);
    lbNomPolice->setFont(nom);

    QLabel* couleur = Texte(page, QStringLiteral("Couleur :"), 32, 96, 121, 17);
    couleur->setWordWrap(false);
    ColorButton1 = new TColorButton(page);
    ColorButton1->setGeometry(88, 96, 44, 22);
    ColorButton1->SetDialogues(&dialogues_);
    ColorButton1->SetOptions(0);
    ColorButton1->setAccessibleName(QStringLiteral("Couleur"));
    ColorButton1->OnColorChange = [this](TColorButton*) { ColorButton1ColorChange(); };

    btPolice = new QPushButton(QStringLiteral("Changer la police..."), page);
    btPolice->setGeometry(152, 96, 153, 25);
    btPolice->setAutoDefault(false);
    connect(btPolice, &QPushButton::clicked, this, &TFormatAssistant::btPoliceClick);

    lbExemple = new QLabel(QStringLiteral("Ceci est un exemple."), page);
    lbExemple->setGeometry(0, 168, 624, 249);
    lbExemple->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lbExemple->setWordWrap(false);
    lbExemple->setAutoFillBackground(true);
    QPalette blanc = lbExemple->palette();
    blanc.setColor(QPalette::Window, Qt::white);
    lbExemple->setPalette(blanc);
}

void TFormatAssistant::ConstruirePageMerci(QWidget* page)
{
    Titre(page, QStringLiteral("Merci !"));

    HintBox1 = new THintBox(page);
    HintBox1->setGeometry(40, 52, 537, 137);
    HintBox1->SetLines({
        QStringLiteral("<b>Imprimer une page de test</b>"),
        QString(),
        QStringLiteral("Pour imprimer une page de test, mettez une feuille de papier "
                       "<b>normale</b> dans l'imprimante (pas une planche d'étiquettes)."),
        QStringLiteral("Cliquez sur le bouton \"imprimer une page de test\"."),
        QStringLiteral("Vérifiez la validité des paramètres en superposant la planche "
                       "d'étiquettes réélle avec le résultat de l'impression."),
    });

    btTest = new TAOLButton(page);
    btTest->setGeometry(152, 200, 313, 23);
    btTest->SetCol(10840372);
    btTest->SetRaiseCol(14131850);
    btTest->SetCap(QStringLiteral("Imprimer une page de test..."));
    btTest->setAccessibleName(btTest->Caption());
    btTest->OnClick = [this](TAOLButton*) { btTestClick(); };

    HintBox2 = new THintBox(page);
    HintBox2->setGeometry(40, 236, 537, 105);
    HintBox2->SetLines({
        QStringLiteral("Lorsque vous procéderez à l'impression réelle des données, la forme des "
                       "étiquettes ne sera pas imprimée.: il n'y aura que le texte."),
        QStringLiteral("Ne vous inquiétez pas si le contour des étiquettes est partiellement "
                       "effacé près des bords de la page."),
        QStringLiteral("Par contre, si LE TEXTE est partiellement effacé près des bords, "
                       "retournez dans la section  \"MARGES INTERNES\" pour modifier la position "
                       "du texte à l'intérieur de l'étiquette (cliquez trois fois sur le  bouton "
                       "\"précédent\")."),
    });

    Texte(page,
          QStringLiteral("Lorsque vous quitterez l'application, ces paramètres seront "
                         "automatiqement enregistrés et il ne sera plus nécessaire de les saisir "
                         "à nouveau."),
          40, 352, 537, 30);
    Texte(page, QStringLiteral("Vous pouvez cliquer sur le bouton \"Terminer\"."), 40, 388, 537,
          17);

    // Beside the title, right-aligned with the boxes below.
    btReglage = Bouton(page, QStringLiteral("Réglage de l'imprimante..."), 0, 20);
    btReglage->move(577 - btReglage->width(), 20);
    connect(btReglage, &QPushButton::clicked, this, &TFormatAssistant::btReglageClick);
    btApercu = Bouton(page, QStringLiteral("Aperçu de la page de test..."), 0, 20);
    btApercu->move(btReglage->x() - 8 - btApercu->width(), 20);
    connect(btApercu, &QPushButton::clicked, this, &TFormatAssistant::btApercuClick);
}

void TFormatAssistant::FixerOrdreTabulation()
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
    if (!centree_) {
        centree_ = true;
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
    appelant_ = &parametres;
    copie_ = parametres;
    AfficheFeuille();
    MontrerCm(edMargeInterneHaute, copie_.MargesInternes.top);
    MontrerCm(edMargeInterneBasse, copie_.MargesInternes.bottom);
    MontrerCm(edMargeInterneDroite, copie_.MargesInternes.right);
    MontrerCm(edMargeInterneGauche, copie_.MargesInternes.left);
    AfficheFonte();
}

void TFormatAssistant::ChargeReglagesImpression(ReglagesImpression& reglages)
{
    reglages_ = &reglages;
}

qlPoint TFormatAssistant::DecalageImprimante() const
{
    return reglages_->Decalage();
}

void TFormatAssistant::AfficheFeuille()
{
    // Showing the size checks "Autre" through edLargeurPageChange.
    MontrerCm(edLargeurPage, copie_.LargeurPage);
    MontrerCm(edHauteurPage, copie_.HauteurPage);
    if (copie_.LargeurPage == 2100 && copie_.HauteurPage == 2970)
        rbA4->setChecked(true);
    else
        rbAutre->setChecked(true);
    rgOrientationItems->button(copie_.Orientation ? 1 : 0)->setChecked(true);

    edNbLignes->SetValue(static_cast<uint32_t>(copie_.NbLignes));
    edNbCols->SetValue(static_cast<uint32_t>(copie_.NbCols));

    MontrerCm(edLargeurEtiq, copie_.LargeurEtiq);
    MontrerCm(edHauteurEtiq, copie_.HauteurEtiq);
    MontrerCm(edMargeHaute, copie_.MargeHaute);
    MontrerCm(edMargeBasse, copie_.MargeBasse);
    MontrerCm(edMargeDroite, copie_.MargeDroite);
    MontrerCm(edMargeGauche, copie_.MargeGauche);
}

void TFormatAssistant::edLargeurPageChange()
{
    rbAutre->setChecked(true);
}

bool TFormatAssistant::Accepte(const QString& refus)
{
    if (refus.isEmpty())
        return true;
    dialogues_.Message(this, refus);
    return false;
}

bool TFormatAssistant::QuitterPageFormat()
{
    if (rbA4->isChecked()) {
        // The fields keep whatever they show.
        copie_.LargeurPage = 2100;
        copie_.HauteurPage = 2970;
    } else if (!rbAutre->isChecked()) {
        return Accepte(QStringLiteral("Format de page non défini"));
    } else {
        LireCm(edLargeurPage, copie_.LargeurPage);
        LireCm(edHauteurPage, copie_.HauteurPage);
        if (!Accepte(VerifieTaillePage(copie_)))
            return false;
    }

    switch (rgOrientationItems->checkedId()) {
    case 0:
        copie_.Orientation = false;
        break;
    case 1:
        copie_.Orientation = true;
        break;
    default:
        return Accepte(QStringLiteral("Il faut préciser l'orientation"));
    }
    // Landscape sheets are counted and measured turned: the panels show how.
    panPortrait1->setVisible(copie_.Orientation);
    panPortrait2->setVisible(copie_.Orientation);
    return true;
}

bool TFormatAssistant::QuitterPageNombre()
{
    // A number above 2^31 reads as a negative one, which the check refuses.
    copie_.NbLignes = Arith32::Signe(edNbLignes->Value());
    copie_.NbCols = Arith32::Signe(edNbCols->Value());
    return Accepte(VerifieNombreEtiquettes(copie_));
}

bool TFormatAssistant::QuitterPageEtiquette()
{
    LireCm(edLargeurEtiq, copie_.LargeurEtiq);
    LireCm(edHauteurEtiq, copie_.HauteurEtiq);
    return Accepte(VerifieTailleEtiquette(copie_));
}

bool TFormatAssistant::QuitterPageMargesInternes()
{
    LireCm(edMargeInterneGauche, copie_.MargesInternes.left);
    LireCm(edMargeInterneDroite, copie_.MargesInternes.right);
    LireCm(edMargeInterneHaute, copie_.MargesInternes.top);
    LireCm(edMargeInterneBasse, copie_.MargesInternes.bottom);
    return Accepte(VerifieMargesInternes(copie_));
}

bool TFormatAssistant::QuitterPageDecalage()
{
    LireCm(edMargeHaute, copie_.MargeHaute);
    LireCm(edMargeBasse, copie_.MargeBasse);
    LireCm(edMargeDroite, copie_.MargeDroite);
    LireCm(edMargeGauche, copie_.MargeGauche);
    return Accepte(VerifieDecalage(copie_));
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
    const QString page = PageCourante();
    if (page == QLatin1String("Page")) {
        if (!QuitterPageFormat())
            return;
        AllerA(QStringLiteral("NombreEtiq"));
        btPrec->setEnabled(true);
    } else if (page == QLatin1String("NombreEtiq")) {
        if (QuitterPageNombre())
            AllerA(QStringLiteral("Etiquette"));
    } else if (page == QLatin1String("Etiquette")) {
        if (QuitterPageEtiquette())
            AllerA(QStringLiteral("MargesInternes"));
    } else if (page == QLatin1String("MargesInternes")) {
        if (QuitterPageMargesInternes())
            AllerA(QStringLiteral("Decalage"));
    } else if (page == QLatin1String("Decalage")) {
        if (QuitterPageDecalage())
            AllerA(QStringLiteral("Fonte"));
    } else if (page == QLatin1String("Fonte")) {
        // The font is in the copy already.
        btFermer->setText(QStringLiteral("Terminer"));
        btSuiv->hide();
        AllerA(QStringLiteral("Merci"));
    }
}

void TFormatAssistant::btPrecClick()
{
    // Nothing is read or checked going back.
    const int i = nb->currentIndex();
    if (i <= 0)
        return;
    nb->setCurrentIndex(i - 1);
    if (i - 1 == 0)
        btPrec->setEnabled(false);
    btFermer->setText(QStringLiteral("Annuler"));
    btSuiv->show();
}

void TFormatAssistant::btFermerClick()
{
    if (PageCourante() != QLatin1String("Merci")) {
        reject();
        return;
    }
    if (appelant_)
        *appelant_ = copie_;
    accept();
}

void TFormatAssistant::AfficheFonte()
{
    const Fonte& fonte = copie_.Fonte;
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
    copie_.Fonte.Restaure(initiale);
    // Opened on the family really drawn, so that OK with only a new size
    // keeps the family that prints; the stored name stays the one chosen.
    Police proposee = initiale;
    proposee.Name = FamilleReelle(initiale);
    // The dialog's colour comes back with the font.
    std::optional<Police> choisie = dialogues_.ChoisirPolice(this, proposee);
    if (!choisie)
        return;
    choisie->Name = NomApresDialogue(initiale.Name, proposee.Name, choisie->Name);
    copie_.Fonte.Copie(*choisie);
    AfficheFonte();
}

void TFormatAssistant::ColorButton1ColorChange()
{
    copie_.Fonte.Couleur = ColorButton1->Color();
    AfficheFonte();
}

void TFormatAssistant::btTestClick()
{
    QPrinter imprimante(QPrinter::HighResolution);
    imprimante.setFromTo(1, 1);
    if (!dialogues_.ChoisirImprimante(this, imprimante, Dialogues::ChoixImpression::PageUnique))
        return;
    if (!ImprimanteDisponible(imprimante)) {
        dialogues_.Message(this, QStringLiteral("Pas d'imprimante trouvée"));
        return;
    }
    ImprimeTestSansErreur(imprimante);
}

void TFormatAssistant::ImprimeTestSansErreur(QPrinter& imprimante)
{
    // Whatever happens, the wizard stays open.
    try {
        ImprimeTest(imprimante, copie_, DecalageImprimante());
    } catch (const ErreurImpression& erreur) {
        dialogues_.Message(this, erreur.Message());
    } catch (const std::bad_alloc&) {
        dialogues_.Message(this, QStringLiteral("Mémoire insuffisante."));
    } catch (const std::exception& erreur) {
        dialogues_.Message(this, QString::fromUtf8(erreur.what()));
    }
}

void TFormatAssistant::btPlancheClick()
{
    TChoixPlanche choix(this);
    if (dialogues_.Executer(choix) != QDialog::Accepted)
        return;
    const std::optional<Planche> planche = choix.PlancheChoisie();
    if (!planche)
        return;
    // The font, inner margins and print flags stay; the fields of the sheet
    // show the new values, which are read and checked as if typed.
    const QString marges = AppliquePlanche(*planche, copie_);
    AfficheFeuille();
    QString texte = QStringLiteral("%1 : %2 étiquettes de %3 sur %4 colonnes et %5 lignes, "
                                   "reprises dans les pages suivantes.")
                        .arg(planche->Nom(), QString::number(planche->EtiquettesParPlanche()),
                             TailleEtiquetteMm(*planche), QString::number(planche->NbCols),
                             QString::number(planche->NbLignes));
    if (!marges.isEmpty()) {
        // Inner margins made smaller so that text fits the sheet's labels.
        texte += QLatin1Char(' ') + marges;
        MontrerCm(edMargeInterneHaute, copie_.MargesInternes.top);
        MontrerCm(edMargeInterneBasse, copie_.MargesInternes.bottom);
        MontrerCm(edMargeInterneDroite, copie_.MargesInternes.right);
        MontrerCm(edMargeInterneGauche, copie_.MargesInternes.left);
    }
    lbPlanche->setText(texte);
}

void TFormatAssistant::btApercuClick()
{
    // The preview shows the format's own sheet; printing from it goes the
    // way of the test button.
    QPrinter imprimante(QPrinter::HighResolution);
    if (copie_.LargeurPage > 0 && copie_.HauteurPage > 0)
        FixerFeuille(imprimante, copie_.LargeurPage, copie_.HauteurPage, copie_.Orientation);
    dialogues_.Apercu(this, imprimante, QStringLiteral("Aperçu de la page de test"),
                      [this](QPrinter& cible) { ImprimeTestSansErreur(cible); });
}

void TFormatAssistant::btReglageClick()
{
    TReglageImprimante reglage(this);
    reglage.SetDecalages(reglages_->DecalageX, reglages_->DecalageY);
    if (dialogues_.Executer(reglage) != QDialog::Accepted)
        return;
    // The printer's, not the format's: kept whatever becomes of the wizard.
    reglages_->DecalageX = reglage.DecalageX();
    reglages_->DecalageY = reglage.DecalageY();
}
