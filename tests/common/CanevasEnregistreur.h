#pragma once
// A canvas for tests: it draws nothing and records every call, with a
// fixed-width font so that line breaks and positions are exact numbers.
//
//   - every character is LargeurCaractere units wide (10 by default), unless
//     FixeLargeur gave a byte its own width;
//   - a tab advances to the next multiple of 8 character widths, counted from
//     the start of the text (EtendueTexte) or from the tab origin (SortieTexte);
//   - the cell height is the one given to the constructor, or |Height| of the
//     selected font when it is 0 (Size × 254 ÷ 72 when Height is 0 too);
//   - the descent is 0 unless FixeDescente gave one;
//   - letters are those of Windows-1252 (accents included).
//
// Save/restore keep the font, the baseline alignment, the clip, the pen and
// the brush, so a test can check that a caller left the canvas as it was.

#include "Canevas.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CanevasEnregistreur : public Canevas {
public:
    enum class Genre {
        SauveEtat,
        RestaureEtat,
        Clip,
        Stylo,
        Brosse,
        RectangleArrondi,
        Police,
        Alignement,
        Texte,
    };

    // One recorded call; only the fields of its kind are meaningful.
    struct Appel {
        Genre genre = Genre::Texte;
        qlRect rectangle;                  // Clip, RectangleArrondi
        int largeurCoin = 0;               // RectangleArrondi
        int hauteurCoin = 0;
        StyleStylo stylo = StyleStylo::Plein;     // Stylo
        StyleBrosse brosse = StyleBrosse::Plein;  // Brosse
        uint32_t couleur = 0;              // Stylo, Brosse
        int largeur = 0;                   // Stylo
        ::Police police;                   // Police; Texte: the font it was drawn with
        bool ligneDeBase = false;          // Alignement; Texte: baseline alignment on
        int x = 0;                         // Texte
        int y = 0;
        int origineTab = 0;
        std::string octets;                // Texte: the bytes drawn
    };

    // What the canvas's state was at one moment.
    struct Etat {
        ::Police police;
        bool ligneDeBase = false;
        std::optional<qlRect> clip;  // none: nothing clipped
        StyleStylo stylo = StyleStylo::Plein;
        uint32_t couleurStylo = 0;
        int largeurStylo = 1;
        StyleBrosse brosse = StyleBrosse::Plein;
        uint32_t couleurBrosse = 0xFFFFFF;
    };

    static constexpr int kLargeurParDefaut = 10;

    explicit CanevasEnregistreur(int largeurCaractere = kLargeurParDefaut, int hauteurCellule = 0);

    void FixeLargeur(unsigned char octet, int largeur);
    int LargeurDe(unsigned char octet) const;

    const std::vector<Appel>& Appels() const { return m_appels; }
    std::vector<Appel> Appels(Genre genre) const;
    // The text outputs only.
    std::vector<Appel> Textes() const { return Appels(Genre::Texte); }
    // The bytes of every text output, in order.
    std::vector<std::string> OctetsTextes() const;
    void EffaceAppels() { m_appels.clear(); }
    // Bytes measured by EtendueTexte so far: the work of laying out lines.
    int64_t OctetsMesures() const { return m_octetsMesures; }

    const Etat& EtatCourant() const { return m_etat; }
    // Number of SauveEtat not yet matched by a RestaureEtat.
    int Profondeur() const { return static_cast<int>(m_pile.size()); }

    void SauveEtat() override;
    void RestaureEtat() override;
    void IntersecteClip(const qlRect& rectangle) override;
    void ChoisitStylo(StyleStylo style, uint32_t couleur, int largeur) override;
    void ChoisitBrosse(StyleBrosse style, uint32_t couleur) override;
    void RectangleArrondi(const qlRect& rectangle, int largeurCoin, int hauteurCoin) override;
    ::Police PoliceCourante() const override { return m_etat.police; }
    void ChoisitPolice(const ::Police& police) override;
    int HauteurCellule() override;
    int Descente() override { return m_descente; }
    void FixeDescente(int descente) { m_descente = descente; }
    int64_t EtendueTexte(const char* texte, int longueur) override;
    int64_t SortieTexte(int x, int y, const char* texte, int longueur, int origineTab) override;
    void AlignementLigneDeBase(bool actif) override;
    bool EstLettre(unsigned char octet) const override;

private:
    // Where a text starting at x ends, tabs counted from origine.
    int64_t Fin(const char* texte, int longueur, int64_t x, int64_t origine) const;

    int m_largeurCaractere;
    int m_hauteurCellule;
    int m_descente = 0;
    std::array<int, 256> m_largeurs{};
    Etat m_etat;
    std::vector<Etat> m_pile;
    std::vector<Appel> m_appels;
    int64_t m_octetsMesures = 0;
};
