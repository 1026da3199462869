#pragma once
// A label that behaves like a hyperlink: it changes colour under the
// pointer, can jump one pixel up and left, plays the desktop's menu sounds,
// and on a click asks the desktop to open its protocol and destination.
// Assistive technologies see a link named by its caption, which they can
// press as one clicks it.

#include "TCustomLabel.h"
#include "Ucouleurs.h"
#include "Ulien.h"

#include <cstdint>
#include <functional>

class TLinkLabel : public TCustomLabel {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TLinkLabel* Sender)>;

    explicit TLinkLabel(QWidget* parent = nullptr);

    TLinkType LinkType() const { return m_lien.LinkType(); }
    const QString& LinkProtocol() const { return m_lien.LinkProtocol(); }
    const QString& LinkDestination() const { return m_lien.LinkDestination(); }
    void SetLinkType(TLinkType type) { m_lien.SetLinkType(type); }
    void SetLinkProtocol(const QString& protocole) { m_lien.SetLinkProtocol(protocole); }
    void SetLinkDestination(const QString& destination) { m_lien.SetLinkDestination(destination); }
    static TLinkType GetLinkType(const QString& protocole)
    {
        return LienHypertexte::GetLinkType(protocole);
    }

    uint32_t LinkColor() const { return m_linkColor; }
    // Also becomes the text colour at once.
    void SetLinkColor(uint32_t couleur);
    uint32_t LinkColorMouseMove() const { return FLinkColorMouseMove; }
    void SetLinkColorMouseMove(uint32_t couleur) { FLinkColorMouseMove = couleur; }
    bool LinkMagnet() const { return m_linkMagnet; }
    void SetLinkMagnet(bool aimant) { m_linkMagnet = aimant; }
    bool LinkSound() const { return m_linkSound; }
    void SetLinkSound(bool son) { m_linkSound = son; }

    // Raised after a click, link or not.
    TNotifyEvent OnClick;

    // How the desktop is asked to open a link and to play a named event
    // sound. Opening goes to QDesktopServices; Qt reaches no named event
    // sounds, so by default nothing is played. Tests put their own here.
    std::function<void(const QString& cible)> OuvreLien;
    std::function<void(const QString& evenement)> JoueSon;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    void Click() override;

private:
    // Clicks the label on behalf of an assistive technology.
    friend class TLinkLabelAccessible;

    void ColoreTexte(uint32_t couleur);
    void Joue(const QString& evenement) const;

    LienHypertexte m_lien;
    uint32_t m_linkColor = Couleurs::clBlue;
    uint32_t FLinkColorMouseMove = Couleurs::clRed;
    bool m_linkMagnet = true;
    bool m_linkSound = true;
    // The jump made when the pointer entered, undone when it leaves.
    bool m_deplace = false;
};
