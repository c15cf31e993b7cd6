#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;
class QTimer;

// The splash window: shown at start on top of everything, closed three
// seconds after the main window is first activated.
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
    void ponTextos();

    QLabel *m_producto = nullptr;
    QLabel *m_marco = nullptr;
    QLabel *m_calidad = nullptr;
};

// The product picture, drawn to the given size (splash and about box).
QPixmap FiguraProducto(const QSize &tamano);
