#pragma once
// A small INI document: read from a UTF-8 file, queried and updated key by key
// in memory, then written back whole and atomically.
//
// Layout rules:
// - The file is UTF-8 (on Windows, its ANSI code page Windows-1252: see
//   EncodeTexteIni). A line that is not valid UTF-8 (a settings file saved as
//   8-bit text) is read as Windows-1252, so its text is kept and written back
//   in the file's encoding when its key is updated. A byte-order mark
//   at the start of the file is not part of the first line.
// - "[Name]" opens a section; the name lies between "[" and the first "]",
//   blanks around it ignored. A line without "]" is not a section header.
// - "key=value": the key is the text before the first "=", the value the text
//   after it, both without their surrounding blanks (space, tab, CR, LF, VT,
//   FF). A value enclosed in a matching pair of double or single quotes loses
//   them. Lines starting with ";" are comments; other lines without "=" are
//   ignored.
// - Section and key names are matched without regard to case. When a section
//   or a key appears twice, the first one is read and updated.
// - A value is read up to 2047 characters (code points); the rest is cut.
// - Writing updates an existing key where it stands (its name keeps its
//   spelling), adds a new key after the last entry of its section and a new
//   section at the end of the file. Every other line is kept byte for byte.
//   A value that reading would change (surrounding blanks, or enclosing
//   quotes of its own) is written between double quotes so that it reads
//   back unchanged. New lines take the line ending of the file's first line,
//   "\n" in a new file.

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>
#include <vector>

// The integer held by an INI value: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "0x", "0X", "x", "X" or "$".
// Anything else (trailing letters or blanks included, no digits at all) gives
// nothing. A decimal value must fit in a signed 32-bit integer; a hexadecimal
// one may use all 32 bits ("$FFFFFFFF" is -1). Larger values give nothing.
std::optional<int32_t> LitNombreIni(QStringView texte);

class UIni {
public:
    static constexpr int LongueurValeurMax = 2047;

    // Replaces the document with the file's contents. A missing file gives an
    // empty document and succeeds; a file that exists but cannot be read, is
    // not a regular file or is in UTF-16 (a byte-order mark of either order)
    // gives an empty document and fails, and raison (when given) receives
    // why, in French.
    bool Charge(const QString& fichier, QString* raison = nullptr);

    // Writes the whole document beside the file, synced to the disk, and
    // renames it over the old one (the target of a link), keeping the old
    // file's permissions; so a failure (missing or read-only folder, full
    // disk) leaves the old file as it was. The temporary file is named after
    // the file, ".~ecriture-brivane-" and six letters or digits; files of
    // exactly that form that a write killed half-way left behind are removed
    // once they are a minute old, and no other.
    bool Sauve(const QString& fichier) const;

    // The document's bytes, as Sauve writes them.
    QByteArray Contenu() const;

    // The value of the key, or nothing when the key is missing.
    std::optional<QString> LitTexte(const QString& section, const QString& cle) const;
    QString LitTexte(const QString& section, const QString& cle, const QString& defaut) const;

    // These leave valeur unchanged and return false when the key is missing
    // or its value is not an integer (see LitNombreIni). Booleans are
    // integers, non-zero meaning true.
    bool LitEntier(const QString& section, const QString& cle, int32_t& valeur) const;
    bool LitBooleen(const QString& section, const QString& cle, bool& valeur) const;

    // Return false, changing nothing, when the names or the value cannot be
    // stored: an empty name, a line break, NUL or a lone surrogate anywhere,
    // "=" in a key or "]" in a section name, a key starting with "[" or ";",
    // a name with surrounding blanks.
    bool EcritTexte(const QString& section, const QString& cle, const QString& valeur);
    bool EcritEntier(const QString& section, const QString& cle, int32_t valeur);
    // Written "1" or "0".
    bool EcritBooleen(const QString& section, const QString& cle, bool valeur);

    // Whether EcritTexte can store this value.
    static bool ValeurEnregistrable(const QString& valeur);

private:
    struct Ligne {
        QByteArray texte;  // without its line ending
        QByteArray fin;    // "\n", "\r\n", or empty for a last line without one
    };

    struct Plage {
        size_t entete;  // the section's header line
        size_t fin;     // one past its last line
    };

    std::optional<Plage> TrouveSection(const QString& section) const;
    std::optional<size_t> TrouveCle(const Plage& plage, const QString& cle) const;
    QByteArray FinDeLigne() const;
    void Insere(size_t position, const QByteArray& texte);

    std::vector<Ligne> m_lignes;
    bool m_bom = false;  // the file starts with a byte-order mark
};
