#pragma once

#include <QWidget>

class QMenu;

// What the three result windows share: they live in the main window's
// frame, are destroyed when closed, and the last child window to close
// returns the main window to its state without a study.
class TVentanaResultado : public QWidget
{
    Q_OBJECT

public:
    // Adds the window to the main window's frame with `titulo` as caption
    // and `tamano` as outer size, centred in the frame or left to the
    // frame's own placement, and shows it, wholly inside the workspace.
    void muestra(const QString &titulo, QSize tamano, bool centrada);
    // Closes the child window that holds this one.
    void cierra();

public slots:
    void Cerrar1Click();

protected:
    explicit TVentanaResultado(QWidget *parent = nullptr);

    // The window's context menu `PopupMenu1` with its one item "Cerrar".
    void creaPopupMenu1();

    void closeEvent(QCloseEvent *evento) override;
    void contextMenuEvent(QContextMenuEvent *evento) override;

private:
    void FormClose();

    QMenu *PopupMenu1 = nullptr;
};
