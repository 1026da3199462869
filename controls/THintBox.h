#pragma once
// A passive box that shows a few paragraphs of help drawn like a tooltip: a
// filled rectangle with a thin black outline and a drop shadow, the text
// written in a small mark-up (<b>, <i>, <u>, <strike> and their closing tags
// while drawing; <center>, <right>, their closing tags and <br> when the
// source lines are split into display lines; see Ubalisage.h). Words wrap to
// the box's width; what does not fit above its bottom edge is not drawn.
// The text is drawn in the widget's font (its face and size; the mark-up
// gives the style) and its palette's text colour. For a screen reader it is
// static text named by its text without the tags.

#include "Ubalisage.h"
#include "Ucouleurs.h"

#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <optional>

class QPainter;

class THintBox : public QWidget {
    Q_OBJECT

public:
    explicit THintBox(QWidget* parent = nullptr);
    ~THintBox() override;

    uint32_t Color() const { return m_color; }
    void SetColor(uint32_t couleur);
    uint32_t ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(uint32_t couleur);
    // The source lines. Changes made directly show after Update().
    const QStringList& Lines() const { return m_lines; }
    QStringList& Lines() { return m_lines; }
    void SetLines(const QStringList& lignes);
    // Offset of the shadow. A new size grows or shrinks the control by the
    // difference, so the box itself keeps its size; negative sizes are ignored.
    int ShadowSize() const { return m_shadowSize; }
    void SetShadowSize(int taille);
    // Off: the lines are drawn as written, in the whole widget font.
    bool HTMLFormatting() const { return m_htmlFormatting; }
    void SetHTMLFormatting(bool actif);
    // Off: only the text is drawn, over whatever lies beneath the control.
    bool DrawHintBox() const { return m_drawHintBox; }
    void SetHintBox(bool actif);

    // Re-splits the source lines (in formatted mode) and repaints.
    void Update();

    // The display lines of formatted mode; none before the first split.
    const std::optional<LignesBulle>& DisplayLines() const { return m_displayLines; }
    // Rebuilds the display lines from the source lines.
    void Parse();
    // Appends the display lines of one source line.
    void ParseLine(const QString& ligne);
    static int FindNext(const QString& texte, const QString& motif, int debut)
    {
        return Balisage::FindNext(texte, motif, debut);
    }
    static bool OnlyContainsTags(const QString& texte) { return Balisage::OnlyContainsTags(texte); }

    // What a screen reader reads: the text as shown, without its tags.
    QString TexteLisible() const;

    QSize sizeHint() const override { return {200, 200}; }

protected:
    void paintEvent(QPaintEvent* event) override;

    // Formatted and plain painting.
    void DrawBoxEx(QPainter& painter);
    void DrawBox(QPainter& painter);

private:
    // The box and its shadow when they are drawn.
    void DessineBoite(QPainter& painter) const;
    // Repaints now and tells the accessibility clients the text may differ.
    void TexteChange();

    uint32_t m_color = Couleurs::clInfoBk;
    uint32_t m_shadowColor = Couleurs::Rgb(128, 128, 128);
    QStringList m_lines;
    int m_shadowSize = 4;
    bool m_htmlFormatting = true;
    bool m_drawHintBox = true;
    std::optional<LignesBulle> m_displayLines;
};
