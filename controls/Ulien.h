#pragma once
// The target of a link label: its kind, its protocol prefix and its
// destination, both kept in lower case. The prefix and the kind follow each
// other, and a destination given with a known prefix gives up that prefix.

#include <QString>

enum class TLinkType : int {
    ltHTTP,     // "http://"
    ltMAILTO,   // "mailto:"
    ltFTP,      // "ftp://"
    ltHTTPS,    // "https://"
    ltNews,     // "news:"
    ltTELNET,   // "telnet:"
    ltWAIS,     // "wais:"
    ltGOPHER,   // "gopher:"
    ltFILE,     // "file://"
    ltCUSTOM,   // whatever protocol is held
    ltNone,     // not a link
};

class LienHypertexte {
public:
    TLinkType LinkType() const { return m_linkType; }
    const QString& LinkProtocol() const { return m_linkProtocol; }
    const QString& LinkDestination() const { return m_linkDestination; }
    // What the desktop is asked to open: prefix then destination.
    QString Cible() const { return m_linkProtocol + m_linkDestination; }

    // A known kind brings its prefix; ltNone empties prefix and destination;
    // ltCUSTOM keeps the prefix held.
    void SetLinkType(TLinkType type);
    // Stores the prefix in lower case and takes the kind it names.
    void SetLinkProtocol(const QString& protocole);
    // Stores the destination in lower case; a known prefix at its start is
    // moved into the protocol. An empty destination is no link.
    void SetLinkDestination(const QString& destination);

    // The kind whose prefix is exactly `protocole`; otherwise ltCUSTOM, or
    // ltNone for an empty text.
    static TLinkType GetLinkType(const QString& protocole);
    // The prefix of a known kind; empty for ltCUSTOM and ltNone.
    static QString Prefixe(TLinkType type);

private:
    TLinkType m_linkType = TLinkType::ltHTTP;
    QString m_linkProtocol = QStringLiteral("http://");
    QString m_linkDestination;
};
