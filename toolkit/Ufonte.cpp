#include "Ufonte.h"

#include "Upolice.h"

#include <QByteArray>

#include <cstring>
#include <vector>

namespace {

// Longest prefix of at most max bytes that does not cut a UTF-8 sequence.
std::string_view CoupeUtf8(std::string_view texte, size_t max)
{
    if (texte.size() <= max)
        return texte;
    size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(texte[n]) & 0xC0) == 0x80)
        --n;
    return texte.substr(0, n);
}

bool EstBlanc(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Blanks, one optional sign, the longest digit run; wraps in 32 bits.
uint32_t LitNombre(std::string_view champ)
{
    size_t i = 0;
    while (i < champ.size() && EstBlanc(champ[i]))
        ++i;
    bool negatif = false;
    if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) {
        negatif = champ[i] == '-';
        ++i;
    }
    uint32_t valeur = 0;
    for (; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i)
        valeur = valeur * 10u + static_cast<uint32_t>(champ[i] - '0');
    return negatif ? 0u - valeur : valeur;
}

std::vector<std::string_view> Champs(std::string_view texte)
{
    std::vector<std::string_view> champs;
    size_t debut = 0;
    for (;;) {
        const size_t virgule = texte.find(',', debut);
        if (virgule == std::string_view::npos) {
            champs.push_back(texte.substr(debut));
            return champs;
        }
        champs.push_back(texte.substr(debut, virgule - debut));
        debut = virgule + 1;
    }
}

uint8_t Drapeau(std::string_view champ, size_t position)
{
    return position < champ.size() && champ[position] == '1' ? 1 : 0;
}

} // namespace

void Fonte::Copie(const Police& police)
{
    EcritNom(police.Name.toUtf8().toStdString());
    Taille = static_cast<int16_t>(police.Size);
    Couleur = police.Color;
    Gras = police.Bold ? 1 : 0;
    Souligne = police.Underline ? 1 : 0;
    Italique = police.Italic ? 1 : 0;
    Barre = police.StrikeOut ? 1 : 0;
    Pitch = police.Pitch;
    CharSet = police.CharSet;
}

void Fonte::Restaure(Police& police) const
{
    police.CharSet = CharSet;
    police.Pitch = Pitch;
    police.Name = QString::fromStdString(LitNom());
    police.Size = Taille;
    police.Height = 0;
    police.Color = Couleur;
    police.Bold = Gras != 0;
    police.Italic = Italique != 0;
    police.Underline = Souligne != 0;
    police.StrikeOut = Barre != 0;
}

std::string Fonte::ToString() const
{
    std::string texte = LitNom();
    texte += ',';
    texte += std::to_string(Taille);
    texte += ',';
    texte += std::to_string(static_cast<int32_t>(Couleur));
    texte += ',';
    texte += std::to_string(Gras);
    texte += std::to_string(Italique);
    texte += std::to_string(Souligne);
    texte += std::to_string(Barre);
    texte += ',';
    texte += std::to_string(Pitch);
    texte += ',';
    texte += std::to_string(CharSet);
    return texte;
}

void Fonte::FromString(std::string_view texte)
{
    texte = texte.substr(0, texte.find('\0'));
    if (texte.empty())
        return;
    const std::vector<std::string_view> champs = Champs(texte);
    const size_t n = champs.size();

    EcritNom(champs[0]);
    if (n > 1)
        Taille = static_cast<int16_t>(LitNombre(champs[1]));
    if (n > 2)
        Couleur = LitNombre(champs[2]);
    if (n > 3) {
        Gras = Drapeau(champs[3], 0);
        Italique = Drapeau(champs[3], 1);
        Souligne = Drapeau(champs[3], 2);
        Barre = Drapeau(champs[3], 3);
    }
    if (n > 4)
        Pitch = champs[4].empty() ? 0 : static_cast<int8_t>(champs[4][0] - '0');
    if (n > 5)
        CharSet = static_cast<uint8_t>(LitNombre(champs[5]));
}

std::string Fonte::LitNom() const
{
    return std::string(Nom, strnlen(Nom, LongueurNomMax));
}

void Fonte::EcritNom(std::string_view nom)
{
    nom = CoupeUtf8(nom.substr(0, nom.find('\0')), LongueurNomMax);
    std::memset(Nom, 0, sizeof Nom);
    if (!nom.empty())
        std::memcpy(Nom, nom.data(), nom.size());
}

bool Fonte::operator==(const Fonte& autre) const
{
    return CharSet == autre.CharSet && LitNom() == autre.LitNom() && Taille == autre.Taille
        && Couleur == autre.Couleur && Pitch == autre.Pitch && Gras == autre.Gras
        && Italique == autre.Italique && Souligne == autre.Souligne && Barre == autre.Barre;
}
