#include "UIni.h"

#include "Cp1252.h"
#include "DescripteurFichier.h"
#include "Plateforme.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cerrno>
#include <cstddef>

namespace {

bool EstBlanc(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f';
}

QStringView Rogne(QStringView texte)
{
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && EstBlanc(texte[debut]))
        ++debut;
    while (fin > debut && EstBlanc(texte[fin - 1]))
        --fin;
    return texte.mid(debut, fin - debut);
}

bool EstGuillemet(QChar c)
{
    return c == u'"' || c == u'\'';
}

bool EntreGuillemets(QStringView texte)
{
    return texte.size() >= 2 && EstGuillemet(texte.front()) && texte.front() == texte.back();
}

// A line break or NUL would end the line; a lone surrogate has no UTF-8 form.
bool Enregistrable(const QString& texte)
{
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        if (c == u'\r' || c == u'\n' || c == u'\0')
            return false;
        if (c.isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    // The file's encoding (Windows-1252 on Windows) may lack the character.
    return EncodeTexteIni(texte).has_value();
}

// A text Enregistrable accepted, as the file holds it.
QByteArray Octets(QStringView texte)
{
    return EncodeTexteIni(texte).value_or(QByteArray());
}

bool NomAcceptable(const QString& nom)
{
    return !nom.isEmpty() && Enregistrable(nom) && !EstBlanc(nom.front()) && !EstBlanc(nom.back());
}

// The line's text when it is valid UTF-8. A U+FEFF at its start is a
// character of the line (the file's byte-order mark is not in its first line).
std::optional<QString> DecodeUtf8(const QByteArray& octets)
{
    QStringDecoder decodeur(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless
                                                      | QStringDecoder::Flag::ConvertInitialBom);
    QString texte = decodeur.decode(octets);
    if (decodeur.hasError())
        return std::nullopt;
    return texte;
}

bool Utf8Valide(const QByteArray& octets)
{
    return DecodeUtf8(octets).has_value();
}

// UTF-8, or Windows-1252 for a line saved as 8-bit text.
QString DecodeLigne(const QByteArray& octets)
{
    if (std::optional<QString> texte = DecodeUtf8(octets))
        return *std::move(texte);
    return DecodeCp1252(std::string_view(octets.constData(), static_cast<size_t>(octets.size())));
}

// The first maxi code points of the text; a surrogate pair is never split.
QString Coupe(QString texte, int maxi)
{
    qsizetype i = 0;
    for (int n = 0; n < maxi && i < texte.size(); ++n) {
        if (texte[i].isHighSurrogate() && i + 1 < texte.size() && texte[i + 1].isLowSurrogate())
            i += 2;
        else
            ++i;
    }
    texte.truncate(i);
    return texte;
}

struct LigneAnalysee {
    enum Genre { Autre, Section, Cle } genre = Autre;
    QString nom;
    QString valeur;
};

LigneAnalysee Analyse(const QByteArray& brut)
{
    const QString ligne = DecodeLigne(brut);
    const QStringView texte = Rogne(ligne);

    LigneAnalysee resultat;
    if (texte.isEmpty() || texte.front() == u';')
        return resultat;
    if (texte.front() == u'[') {
        const qsizetype fermeture = texte.indexOf(u']');
        if (fermeture > 0) {
            resultat.genre = LigneAnalysee::Section;
            resultat.nom = Rogne(texte.mid(1, fermeture - 1)).toString();
        }
        return resultat;
    }
    const qsizetype egal = texte.indexOf(u'=');
    if (egal < 0)
        return resultat;
    const QStringView cle = Rogne(texte.left(egal));
    if (cle.isEmpty())
        return resultat;
    QStringView valeur = Rogne(texte.mid(egal + 1));
    if (EntreGuillemets(valeur))
        valeur = valeur.mid(1, valeur.size() - 2);
    resultat.genre = LigneAnalysee::Cle;
    resultat.nom = cle.toString();
    resultat.valeur = valeur.toString();
    return resultat;
}

bool MemeNom(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool EstVideOuCommentaire(const QByteArray& brut)
{
    const QByteArray texte = brut.trimmed();
    return texte.isEmpty() || texte.startsWith(';');
}

// Quotes a value that reading would otherwise change.
QByteArray FormeValeur(const QString& valeur)
{
    const bool aProteger = !valeur.isEmpty()
        && (EstBlanc(valeur.front()) || EstBlanc(valeur.back()) || EntreGuillemets(valeur));
    if (aProteger)
        return '"' + Octets(valeur) + '"';
    return Octets(valeur);
}

int ChiffreHexa(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

}  // namespace

std::optional<int32_t> LitNombreIni(QStringView texte)
{
    const qsizetype n = texte.size();
    qsizetype i = 0;
    while (i < n && EstBlanc(texte[i]))
        ++i;
    bool negatif = false;
    if (i < n && (texte[i] == u'+' || texte[i] == u'-')) {
        negatif = texte[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (texte[i] == u'$' || texte[i] == u'x' || texte[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && texte[i] == u'0' && (texte[i + 1] == u'x' || texte[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == n)
        return std::nullopt;

    // Decimal stays within the signed range; hexadecimal may fill 32 bits.
    const uint64_t limite = base == 16 ? 0xFFFFFFFFull : (negatif ? 0x80000000ull : 0x7FFFFFFFull);
    uint64_t valeur = 0;
    for (; i < n; ++i) {
        const int chiffre = ChiffreHexa(texte[i].unicode());
        if (chiffre < 0 || chiffre >= base)
            return std::nullopt;
        valeur = valeur * static_cast<uint64_t>(base) + static_cast<uint64_t>(chiffre);
        if (valeur > limite)
            return std::nullopt;
    }
    uint32_t bits = static_cast<uint32_t>(valeur);
    if (negatif)
        bits = 0u - bits;
    return static_cast<int32_t>(bits);
}

namespace {

// The whole file; false with errno's value in erreur. A folder, a pipe or a
// device is refused rather than read (a pipe could block for ever).
bool LireFichier(const QString& fichier, QByteArray& octets, int& erreur)
{
    DescripteurFichier f = DescripteurFichier::OuvreLecture(fichier);
    if (!f.Valide()) {
        erreur = f.Erreur();
        return false;
    }
    erreur = 0;
    char tampon[16384];
    for (;;) {
        const int64_t n = f.Lire(tampon, sizeof tampon);
        if (n < 0)
            erreur = EIO;
        if (n <= 0)
            break;
        octets.append(tampon, static_cast<qsizetype>(n));
        if (n < static_cast<int64_t>(sizeof tampon))
            break;
    }
    return erreur == 0;
}

// The new files of replacements (RemplaceFichier) that a write killed half-way
// left behind. Only names of their exact form are ever removed.
void RetirerTemporairesAbandonnes(const QString& fichier)
{
    const QFileInfo info(fichier);
    const QRegularExpression forme(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName() + MarqueRemplacement)
        + QStringLiteral("[A-Za-z0-9]{6}")));
    const QDateTime avant = QDateTime::currentDateTimeUtc().addSecs(-60);
    const QDir dossier = info.absoluteDir();
    for (const QFileInfo& candidat : dossier.entryInfoList(QDir::Files | QDir::Hidden)) {
        // A write in progress in another instance is younger than a minute.
        if (forme.match(candidat.fileName()).hasMatch() && !candidat.isSymLink()
            && candidat.lastModified().toUTC() < avant)
            QFile::remove(candidat.absoluteFilePath());
    }
}

// A UTF-16 file: a byte-order mark of either order.
bool EstUtf16(const QByteArray& octets)
{
    return octets.startsWith("\xFF\xFE") || octets.startsWith("\xFE\xFF");
}

}  // namespace

bool UIni::Charge(const QString& fichier, QString* raison)
{
    m_lignes.clear();
    m_bom = false;
    QByteArray tout;
    int erreur = 0;
    if (!LireFichier(fichier, tout, erreur)) {
        if (erreur == ENOENT || erreur == ENOTDIR)
            return true;  // no file: an empty document
        if (raison)
            *raison = RaisonErreurFichier(erreur);
        return false;
    }
    if (EstUtf16(tout)) {
        // Read as UTF-8 it would give no key, and a write would add UTF-8
        // lines to a UTF-16 file.
        if (raison)
            *raison = QStringLiteral("le fichier est en UTF-16, que Brivane ne lit pas ; "
                                     "enregistrez-le en UTF-8");
        return false;
    }
    if (tout.startsWith("\xEF\xBB\xBF")) {
        m_bom = true;
        tout.remove(0, 3);
    }

    qsizetype debut = 0;
    while (debut < tout.size()) {
        const qsizetype saut = tout.indexOf('\n', debut);
        if (saut < 0) {
            m_lignes.push_back({tout.mid(debut), QByteArray()});
            break;
        }
        const bool crlf = saut > debut && tout[saut - 1] == '\r';
        const qsizetype finTexte = crlf ? saut - 1 : saut;
        m_lignes.push_back({tout.mid(debut, finTexte - debut), crlf ? QByteArray("\r\n") : QByteArray("\n")});
        debut = saut + 1;
    }
    return true;
}

bool UIni::Sauve(const QString& fichier) const
{
    // A link is followed: its target is the file that gets replaced.
    const QFileInfo info(fichier);
    const QString cible = info.isSymLink() && info.exists() ? info.canonicalFilePath() : fichier;
    if (RemplaceFichier(cible, Contenu()) != 0)
        return false;
    RetirerTemporairesAbandonnes(cible);
    return true;
}

QByteArray UIni::Contenu() const
{
    QByteArray tout;
    if (m_bom)
        tout += "\xEF\xBB\xBF";
    for (const Ligne& l : m_lignes)
        tout += l.texte + l.fin;
    return tout;
}

std::optional<UIni::Plage> UIni::TrouveSection(const QString& section) const
{
    for (size_t i = 0; i < m_lignes.size(); ++i) {
        const LigneAnalysee a = Analyse(m_lignes[i].texte);
        if (a.genre != LigneAnalysee::Section || !MemeNom(a.nom, section))
            continue;
        size_t fin = i + 1;
        while (fin < m_lignes.size() && Analyse(m_lignes[fin].texte).genre != LigneAnalysee::Section)
            ++fin;
        return Plage{i, fin};
    }
    return std::nullopt;
}

std::optional<size_t> UIni::TrouveCle(const Plage& plage, const QString& cle) const
{
    for (size_t i = plage.entete + 1; i < plage.fin; ++i) {
        const LigneAnalysee a = Analyse(m_lignes[i].texte);
        if (a.genre == LigneAnalysee::Cle && MemeNom(a.nom, cle))
            return i;
    }
    return std::nullopt;
}

std::optional<QString> UIni::LitTexte(const QString& section, const QString& cle) const
{
    const std::optional<Plage> plage = TrouveSection(section);
    if (!plage)
        return std::nullopt;
    const std::optional<size_t> ligne = TrouveCle(*plage, cle);
    if (!ligne)
        return std::nullopt;
    return Coupe(Analyse(m_lignes[*ligne].texte).valeur, LongueurValeurMax);
}

QString UIni::LitTexte(const QString& section, const QString& cle, const QString& defaut) const
{
    return LitTexte(section, cle).value_or(defaut);
}

bool UIni::LitEntier(const QString& section, const QString& cle, int32_t& valeur) const
{
    const std::optional<QString> texte = LitTexte(section, cle);
    if (!texte)
        return false;
    const std::optional<int32_t> nombre = LitNombreIni(*texte);
    if (!nombre)
        return false;
    valeur = *nombre;
    return true;
}

bool UIni::LitBooleen(const QString& section, const QString& cle, bool& valeur) const
{
    int32_t nombre = 0;
    if (!LitEntier(section, cle, nombre))
        return false;
    valeur = nombre != 0;
    return true;
}

QByteArray UIni::FinDeLigne() const
{
    if (!m_lignes.empty() && !m_lignes.front().fin.isEmpty())
        return m_lignes.front().fin;
    return QByteArray("\n");
}

void UIni::Insere(size_t position, const QByteArray& texte)
{
    const QByteArray fin = FinDeLigne();
    if (position > 0 && m_lignes[position - 1].fin.isEmpty())
        m_lignes[position - 1].fin = fin;
    m_lignes.insert(m_lignes.begin() + static_cast<std::ptrdiff_t>(position), Ligne{texte, fin});
}

bool UIni::EcritTexte(const QString& section, const QString& cle, const QString& valeur)
{
    if (!NomAcceptable(section) || section.contains(u']'))
        return false;
    if (!NomAcceptable(cle) || cle.contains(u'=') || cle.front() == u'[' || cle.front() == u';')
        return false;
    if (!Enregistrable(valeur))
        return false;

    const QByteArray forme = FormeValeur(valeur);
    const std::optional<Plage> plage = TrouveSection(section);
    if (!plage) {
        if (!m_lignes.empty() && !m_lignes.back().texte.trimmed().isEmpty())
            Insere(m_lignes.size(), QByteArray());
        Insere(m_lignes.size(), '[' + Octets(section) + ']');
        Insere(m_lignes.size(), Octets(cle) + '=' + forme);
        return true;
    }

    if (const std::optional<size_t> ligne = TrouveCle(*plage, cle)) {
        QByteArray& texte = m_lignes[*ligne].texte;
        // An 8-bit line is rewritten in UTF-8, its key spelt as it was read.
        const QByteArray cleEtEgal = Utf8Valide(texte)
            ? texte.left(texte.indexOf('=') + 1)
            : [&] {
                  const QString lu = DecodeLigne(texte);
                  return Octets(lu.left(lu.indexOf(u'=') + 1));
              }();
        texte = cleEtEgal + forme;
        return true;
    }

    // After the section's last entry, so that the blank lines and comments
    // leading into the next section stay with it.
    size_t apres = plage->entete;
    for (size_t i = plage->entete + 1; i < plage->fin; ++i) {
        if (!EstVideOuCommentaire(m_lignes[i].texte))
            apres = i;
    }
    Insere(apres + 1, Octets(cle) + '=' + forme);
    return true;
}

bool UIni::EcritEntier(const QString& section, const QString& cle, int32_t valeur)
{
    return EcritTexte(section, cle, QString::number(valeur));
}

bool UIni::EcritBooleen(const QString& section, const QString& cle, bool valeur)
{
    return EcritTexte(section, cle, valeur ? QStringLiteral("1") : QStringLiteral("0"));
}

bool UIni::ValeurEnregistrable(const QString& valeur)
{
    return Enregistrable(valeur);
}
