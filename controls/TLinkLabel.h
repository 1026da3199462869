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

    TLinkType LinkType() const { return FLien.LinkType(); }
    const QString& LinkProtocol() const { return FLien.LinkProtocol(); }
    const QString& LinkDestination() const { return FLien.LinkDestination(); }
    void SetLinkType(TLinkType type) { FLien.SetLinkType(type); }
    void SetLinkProtocol(const QString& protocole) { FLien.SetLinkProtocol(protocole); }
    void SetLinkDestination(const QString& destination) { FLien.SetLinkDestination(destination); }
    static TLinkType GetLinkType(const QString& protocole)
    {
        return LienHypertexte::GetLinkType(protocole);
    }

    uint32_t LinkColor() const { return FLinkColor; }
    // Also becomes the text colour at once.
    void SetLinkColor(uint32_t couleur);
    uint32_t LinkColorMouseMove() const { return FLinkColorMouseMove; }
    void SetLinkColorMouseMove(uint32_t couleur) { FLinkColorMouseMove = couleur; }
    bool LinkMagnet() const { return FLinkMagnet; }
    void SetLinkMagnet(bool aimant) { FLinkMagnet = aimant; }
    bool LinkSound() const { return FLinkSound; }
    void SetLinkSound(bool son) { FLinkSound = son; }

    // Raised after a click, link or not.
    TNotifyEvent OnClick;

    // How the desktop is asked to open a link and to play a named event
    // sound. Opening goes to QDesktopServices; Qt reaches no named event
    // sounds, so by default nothing is played. Tests put their own here.
    std::function<void(const QString& cible)> OuvrirLien;
    std::function<void(const QString& evenement)> JouerSon;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    virtual void CMMouseEnter();
    virtual void CMMouseLeave();
    void Click() override;

private:
    // Clicks the label on behalf of an assistive technology.
    friend class TLinkLabelAccessible;

    void ColorerTexte(uint32_t couleur);
    void Jouer(const QString& evenement) const;

    LienHypertexte FLien;
    uint32_t FLinkColor = Couleurs::clBlue;
    uint32_t FLinkColorMouseMove = Couleurs::clRed;
    bool FLinkMagnet = true;
    bool FLinkSound = true;
    // The jump made when the pointer entered, undone when it leaves.
    bool FDeplace = false;
};
