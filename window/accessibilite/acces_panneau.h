// What screen readers see of the display pane: an accessible read-only,
// multi-line text whose characters are served by offset ranges from the
// pane's line store (never one string of the whole text), with the caret
// and the selection, and text-inserted events as lines arrive so that a
// screen reader reads the new lines.
#pragma once

#include "window/accessibilite/index_texte.h"

#include <QAccessibleWidget>

class TpanneauAffichages;

class TaccesPanneau : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit TaccesPanneau(TpanneauAffichages* panneau);

    // The factory for QAccessible::installFactory: this interface for the pane.
    static QAccessibleInterface* fabrique(const QString& classe, QObject* objet);
    // Connects the pane's changes to the accessible events (once per pane).
    static void suivre(TpanneauAffichages* panneau);

    // The most characters one text-inserted event carries: a burst of lines
    // is told by its last lines.
    static constexpr int64_t annonceMax = 16384;
    // Sends an accessible event; the events are made only while a screen
    // reader listens, or a witness is set (the tests': Qt hands events to
    // no handler on a platform without accessibility).
    static void envoyer(QAccessibleEvent& evenement);
    static bool ecoute();
    static inline void (*temoin)(QAccessibleEvent*) = nullptr;

    QAccessible::Role role() const override { return QAccessible::EditableText; }
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleTextInterface, offsets in characters of the lines joined by "\n".
    void selection(int indice, int* debut, int* fin) const override;
    int selectionCount() const override;
    void addSelection(int debut, int fin) override;
    void removeSelection(int indice) override;
    void setSelection(int indice, int debut, int fin) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int debut, int fin) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* debut, int* fin) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int debut, int fin) override;
    QString attributes(int offset, int* debut, int* fin) const override;

private:
    TpanneauAffichages* panneau() const;
    int offsetDe(int64_t ligne, int32_t colonne) const;
    // The pane's place at an offset, as the pane counts (line, byte).
    std::pair<int64_t, int32_t> placeDe(int offset) const;

    TindexTexte& index;   // shared by every accessible object of this pane
};
