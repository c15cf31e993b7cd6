#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

// The splash window: shown at start on top of everything, closed three
// seconds after the main window is first activated. Its contents are made
// once it is first shown.
class Presentacion : public QWidget
{
    Q_OBJECT

public:
    explicit Presentacion(QWidget *parent = nullptr);

    // Started by each activation of the main window; closes the splash.
    QTimer *reloj = nullptr;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    // The panel with the product's name and picture; made when first shown.
    void creaContenido();

    QWidget *m_contenido = nullptr;
};

// The product picture, drawn to the given size (splash and about box).
QPixmap FiguraProducto(const QSize &tamano);
