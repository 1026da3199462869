#include "Wformatassistant.h"

#include "PagesAssistant.h"

#include "ImageAssistant.h"
#include "TAOLButton.h"
#include "TCardinalEdit.h"
#include "TColorButton.h"
#include "TDecimalEdit.h"
#include "THintBox.h"
#include "Uapparence.h"
#include "Ucouleurs.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

// The pictures live in the static library's resources, which a static
// library must register itself. Q_INIT_RESOURCE cannot sit in a namespace.
static void InitialiseImagesAssistant()
{
    Q_INIT_RESOURCE(assistant);
}
namespace {

void ChargeImages()
{
    static const bool chargees = (InitialiseImagesAssistant(), true);
    (void)chargees;
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
    Colore(label, Marine());
    label->adjustSize();
    return label;
}

QLabel* SousTitre(QWidget* page, const QString& texte, int x, int y)
{
    QLabel* label = Legende(page, texte, x, y);
    label->setFont(Arial(16, true, true, true));
    Colore(label, Marine());
    label->adjustSize();
    return label;
}

// A picture fitted into the box (x, y, largeur, hauteur) at its own aspect
// ratio, centred in it; the resources are registered at the first one.
QWidget* Image(QWidget* parent, const QString& nom, int x, int y, int largeur, int hauteur)
{
    ChargeImages();
    return ImageAssistant(parent, nom, x, y, largeur, hauteur);
}

// The caption written beside a field is also its name for a screen reader.
void Nomme(QWidget* champ, QLabel* legende)
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
    Nomme(champ, Legende(parent, legende, x, y + 4));
    return champ;
}

// A field under its caption, both centred on x.
TDecimalEdit* ChampSousLegende(QWidget* parent, const QString& legende, int x, int y)
{
    QLabel* label = Legende(parent, legende, 0, y);
    label->move(x - label->width() / 2, y);
    TDecimalEdit* champ = ChampCm(parent, x - 49 / 2, y + label->height() + 2);
    Nomme(champ, label);
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
}  // namespace

QFont FonteFenetre()
{
    return QFont(QStringLiteral("MS Sans Serif"), 8);
}

const std::array<TFormatAssistant::DescriptionPage, 7>& TFormatAssistant::Pages()
{
    // The font page reads nothing on leaving: the font is in the copy already.
    static const std::array<DescriptionPage, 7> pages = {{
        {QStringLiteral("Page"), &TFormatAssistant::ConstruitPageFormat,
         &TFormatAssistant::QuittePageFormat},
        {QStringLiteral("NombreEtiq"), &TFormatAssistant::ConstruitPageNombre,
         &TFormatAssistant::QuittePageNombre},
        {QStringLiteral("Etiquette"), &TFormatAssistant::ConstruitPageEtiquette,
         &TFormatAssistant::QuittePageEtiquette},
        {QStringLiteral("MargesInternes"), &TFormatAssistant::ConstruitPageMargesInternes,
         &TFormatAssistant::QuittePageMargesInternes},
        {QStringLiteral("Decalage"), &TFormatAssistant::ConstruitPageDecalage,
         &TFormatAssistant::QuittePageDecalage},
        {QStringLiteral("Fonte"), &TFormatAssistant::ConstruitPageFonte, nullptr},
        {QStringLiteral("Merci"), &TFormatAssistant::ConstruitPageMerci, nullptr},
    }};
    return pages;
}

void TFormatAssistant::ConstruitPageFormat(QWidget* page)
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

void TFormatAssistant::ConstruitPageNombre(QWidget* page)
{
    Titre(page, QStringLiteral("Nombre d'étiquettes"));
    SousTitre(page, QStringLiteral("Nombre de lignes et de colonnes"), 32, 56);
    Texte(page,
          QStringLiteral("Comptez le nombre de lignes et de colonnes et indiquez-les dans les "
                         "champs correspondants."),
          32, 84, 560, 17);

    // The sheet with its arrows; the columns are counted along its top edge,
    // the rows down its left edge.
    QWidget* planche = Image(page, QStringLiteral("planche-fleches.svg"), 352, 144, 240, 264);
    const QRect p = planche->geometry();
    QLabel* colonnes = Legende(page, QStringLiteral("Nombre de colonnes"), 0, 116);
    colonnes->move(p.center().x() - (colonnes->width() + 8 + 49) / 2, 119);
    edNbCols = ChampNombre(page, QStringLiteral("Nombre de colonnes"),
                           colonnes->geometry().right() + 9, 116);
    Nomme(edNbCols, colonnes);
    QLabel* lignes = Legende(page, QStringLiteral("Nombre de lignes"), 0, 0);
    lignes->move(p.left() - 12 - lignes->width(), p.center().y() - 24);
    edNbLignes = ChampNombre(page, QStringLiteral("Nombre de lignes"),
                             lignes->geometry().right() - 48, p.center().y() - 4);
    Nomme(edNbLignes, lignes);

    panPortrait1 = Panneau(page, 16, 184, 193, 225);
    Texte(panPortrait1,
          QStringLiteral("Pour compter les lignes et les colonnes, positionnez votre planche "
                         "d' étiquettes comme suit :"),
          8, 8, 177, 56);
    QWidget* petite = Image(panPortrait1, QStringLiteral("petite-paysage.svg"), 62, 104, 122, 90);
    QLabel* haut = Legende(panPortrait1, QStringLiteral("haut (colonnes)"), 0, 0);
    haut->move(petite->geometry().center().x() - haut->width() / 2,
               petite->y() - haut->height() - 2);
    QLabel* gauche = Texte(panPortrait1, QStringLiteral("gauche (lignes)"), 6, 0, 54, 30);
    gauche->move(6, petite->geometry().center().y() - 14);
}

void TFormatAssistant::ConstruitPageEtiquette(QWidget* page)
{
    Titre(page, QStringLiteral("Taille d'une étiquette"));
    Texte(page,
          QStringLiteral("Mesurez la largeur et la hauteur d'une seule étiquette, en cm. Cette "
                         "information figure souvent sur la boîte (généralement donnée en mm)."),
          32, 56, 560, 30);

    QWidget* etiquette = Image(page, QStringLiteral("etiquette.svg"), 208, 152, 352, 240);
    const QRect e = etiquette->geometry();
    edLargeurEtiq = ChampSousLegende(page, QStringLiteral("Largeur, cm"), e.center().x(), 104);
    QLabel* hauteur = Legende(page, QStringLiteral("Hauteur, cm"), 0, 0);
    hauteur->move(e.left() - 24 - hauteur->width(), e.center().y() - 24);
    edHauteurEtiq = ChampCm(page, hauteur->x() + (hauteur->width() - 49) / 2,
                            e.center().y() - 4);
    Nomme(edHauteurEtiq, hauteur);
}

void TFormatAssistant::ConstruitPageMargesInternes(QWidget* page)
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
    QWidget* etiquette =
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

void TFormatAssistant::ConstruitPageDecalage(QWidget* page)
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
    QWidget* petite = Image(panPortrait2, QStringLiteral("petite-portrait.svg"), 72, 76, 100, 92);
    QLabel* haut = Legende(panPortrait2, QStringLiteral("haut"), 0, 0);
    haut->move(petite->geometry().center().x() - haut->width() / 2,
               petite->y() - haut->height() - 2);
    QLabel* gauche = Legende(panPortrait2, QStringLiteral("gauche"), 0, 0);
    gauche->move(petite->x() - gauche->width() - 6,
                 petite->geometry().center().y() - gauche->height() / 2);
}

void TFormatAssistant::ConstruitPageFonte(QWidget* page)
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
    ColorButton1->SetDialogues(&m_dialogues);
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

void TFormatAssistant::ConstruitPageMerci(QWidget* page)
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
