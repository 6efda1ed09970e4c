// A file dragged from the desktop and dropped anywhere on the window opens
// as Open would. Other drags (text moved inside the editor) go on as usual.
#pragma once

#include <QObject>

#include <functional>

class QWidget;

class TdepotFichiers : public QObject {
    Q_OBJECT
public:
    // `ouvrir` gets the dropped file's path, once the drop has returned.
    TdepotFichiers(QWidget* fenetre, std::function<void(const QString&)> ouvrir);

    // The control, and its viewport when it scrolls, take file drops.
    void surveiller(QWidget* controle);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    std::function<void(const QString&)> ouvrir;
};
