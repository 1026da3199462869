#pragma once
// A font as a plain value: it travels inside the label format, through the
// settings file as one line of text and onto the printer's canvas, where a
// toolkit font object cannot go.
//
// Text form, six comma-separated fields: name, size, colour (signed 32-bit, so
// system colours come out negative), four style digits (bold, italic,
// underline, strike-out), pitch, character set. A plain black 10-point Arial
// reads "Arial,10,0,0000,0,1".
//
// Nom holds the face name as UTF-8 bytes, the encoding of the settings file
// (face names are plain ASCII in practice). A longer name is cut to the last
// whole character that fits in 32 bytes.
//
// Reading the text form (FromString):
// - an empty text changes nothing;
// - a comma always ends a field, even inside the name; reading stops at the
//   end of the text (or at a NUL byte), never beyond;
// - a field missing from a short text keeps its previous value; a field that
//   is present but holds no number gives 0;
// - numbers: leading white space skipped, one optional sign, the longest run
//   of decimal digits, nothing after it looked at; no overflow check, the
//   value wraps in 32 bits; the size keeps its low 16 bits, the character set
//   its low 8 bits;
// - the style field is read by position, each flag 1 exactly when its
//   character is '1'; positions beyond a short field give 0;
// - the pitch is the first character of its field minus '0' (one digit is
//   read), 0 when the field is empty.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

class Police;

class Fonte {
public:
    static constexpr int LongueurNomMax = 32;

    uint8_t CharSet = 1;  // 1: the default character set
    char Nom[LongueurNomMax + 1] = "Arial";
    int16_t Taille = 10;  // points
    uint32_t Couleur = 0; // 0x00BBGGRR, or top bit | system colour index
    int8_t Pitch = 0;     // 0 default, 1 variable, 2 fixed
    uint8_t Gras = 0;
    uint8_t Italique = 0;
    uint8_t Souligne = 0;
    uint8_t Barre = 0;

    // Arial, 10 points, black, default pitch, no style, character set 1.
    Fonte() = default;
    explicit Fonte(const Police& police) { Copie(police); }

    // Takes every field from the font.
    void Copie(const Police& police);
    // Applies every field to the font; its Height is set to 0 so that the
    // size in points is the one used.
    void Restaure(Police& police) const;

    std::string ToString() const;
    void FromString(std::string_view texte);

    // The name as text, and setting it (cut to 32 bytes as above).
    std::string LitNom() const;
    void EcritNom(std::string_view nom);

    bool operator==(const Fonte& autre) const;
    bool operator!=(const Fonte& autre) const { return !(*this == autre); }
};

static_assert(std::is_standard_layout_v<Fonte> && std::is_trivially_copyable_v<Fonte>);
