#pragma once
// A passive box that shows a few paragraphs of help drawn like a tooltip: a
// filled rectangle with a thin black outline and a drop shadow, the text
// written in a small mark-up (<b>, <i>, <u>, <strike> and their closing tags
// while drawing; <center>, <right>, their closing tags and <br> when the
// source lines are split into display lines). Words wrap to the box's width;
// what does not fit above its bottom edge is not drawn.

#include "Ucouleurs.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>

class THintBox : public QWidget {
    Q_OBJECT

public:
    explicit THintBox(QWidget* parent = nullptr);

    uint32_t Color() const { return FColor; }
    void SetColor(uint32_t couleur);
    uint32_t ShadowColor() const { return FShadowColor; }
    void SetShadowColor(uint32_t couleur);
    // The source lines. Changes made directly show after Update().
    const QStringList& Lines() const { return FLines; }
    QStringList& Lines() { return FLines; }
    void SetLines(const QStringList& lignes);
    int ShadowSize() const { return FShadowSize; }
    void SetShadowSize(int taille);
    bool HTMLFormatting() const { return FHTMLFormatting; }
    void SetHTMLFormatting(bool actif);
    bool DrawHintBox() const { return FDrawHintBox; }
    void SetHintBox(bool actif);

    // Re-splits the source lines and repaints.
    void Update();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    uint32_t FColor = Couleurs::clInfoBk;
    uint32_t FShadowColor = 0x808080;
    QStringList FLines;
    int FShadowSize = 4;
    bool FHTMLFormatting = true;
    bool FDrawHintBox = true;
};
