#include "LecturePdf.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

constexpr double kMillimetresParPoint = 25.4 / 72.0;
constexpr int kDelaiMs = 60000;

double Attribut(const QXmlStreamAttributes& attributs, const char* nom)
{
    return attributs.value(QLatin1String(nom)).toDouble() * kMillimetresParPoint;
}

}  // namespace

QString RaisonSansOutilsPdf()
{
    static const QString raison = [] {
        QProcess essai;
        essai.start(QStringLiteral("pdftotext"), {QStringLiteral("-v")});
        if (essai.waitForStarted(kDelaiMs) && essai.waitForFinished(kDelaiMs))
            return QString();
        return QStringLiteral("pdftotext ne se lance pas ici (sous Wine, les outils de poppler "
                              "sont des programmes Linux qu'un programme Windows ne lance pas)");
    }();
    return raison;
}

const MotPdf* ContenuPdf::Cherche(const QString& texte) const
{
    for (const PagePdf& page : pages) {
        for (const MotPdf& mot : page.mots) {
            if (mot.texte == texte)
                return &mot;
        }
    }
    return nullptr;
}

ContenuPdf LitPdf(const QString& cheminPdf)
{
    ContenuPdf contenu;
    QProcess processus;
    processus.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                     cheminPdf, QStringLiteral("-")});
    if (!processus.waitForFinished(kDelaiMs) || processus.exitStatus() != QProcess::NormalExit
        || processus.exitCode() != 0) {
        contenu.erreur = QStringLiteral("pdftotext: ") + processus.errorString() + QLatin1Char(' ')
                         + QString::fromLocal8Bit(processus.readAllStandardError());
        return contenu;
    }

    QXmlStreamReader lecteur(processus.readAllStandardOutput());
    while (!lecteur.atEnd()) {
        if (lecteur.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributs = lecteur.attributes();
        if (lecteur.name() == QLatin1String("page")) {
            PagePdf page;
            page.largeur = Attribut(attributs, "width");
            page.hauteur = Attribut(attributs, "height");
            contenu.pages.push_back(page);
        } else if (lecteur.name() == QLatin1String("word") && !contenu.pages.empty()) {
            MotPdf mot;
            mot.gauche = Attribut(attributs, "xMin");
            mot.haut = Attribut(attributs, "yMin");
            mot.droite = Attribut(attributs, "xMax");
            mot.bas = Attribut(attributs, "yMax");
            mot.texte = lecteur.readElementText();
            contenu.pages.back().mots.push_back(mot);
        }
    }
    if (lecteur.hasError()) {
        contenu.erreur = QStringLiteral("pdftotext -bbox: ") + lecteur.errorString();
        return contenu;
    }
    contenu.ok = true;
    return contenu;
}

QImage RasterisePage(const QString& cheminPdf, int page, int pointsParPouce)
{
    QTemporaryDir dossier;
    if (!dossier.isValid())
        return {};
    const QString racine = dossier.filePath(QStringLiteral("page"));
    QProcess processus;
    processus.start(QStringLiteral("pdftoppm"),
                    {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(pointsParPouce),
                     QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                     QString::number(page), QStringLiteral("-singlefile"), cheminPdf, racine});
    if (!processus.waitForFinished(kDelaiMs) || processus.exitStatus() != QProcess::NormalExit
        || processus.exitCode() != 0)
        return {};
    return QImage(racine + QStringLiteral(".pgm"));
}

QRect BoiteEncre(const QImage& image, int seuil)
{
    const QImage gris = image.convertToFormat(QImage::Format_Grayscale8);
    int gauche = gris.width();
    int haut = gris.height();
    int droite = -1;
    int bas = -1;
    for (int y = 0; y < gris.height(); ++y) {
        const uchar* ligne = gris.constScanLine(y);
        for (int x = 0; x < gris.width(); ++x) {
            if (ligne[x] >= seuil)
                continue;
            gauche = std::min(gauche, x);
            droite = std::max(droite, x);
            haut = std::min(haut, y);
            bas = std::max(bas, y);
        }
    }
    if (droite < 0)
        return {};
    return QRect(QPoint(gauche, haut), QPoint(droite, bas));
}

bool ContenuPdf::ContientExactement(const QString& prefixe, int premier, int dernier) const
{
    for (int n = premier; n <= dernier; ++n) {
        if (Cherche(prefixe + QString::number(n)) == nullptr)
            return false;
    }
    return Cherche(prefixe + QString::number(premier - 1)) == nullptr
           && Cherche(prefixe + QString::number(dernier + 1)) == nullptr;
}
