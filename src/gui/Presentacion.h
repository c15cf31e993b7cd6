#pragma once

#include <QPixmap>
#include <QWidget>

class QTimer;

// The splash window: shown at start on top of everything, closed three
// seconds after the main window is first activated.
class TFshow : public QWidget
{
    Q_OBJECT

public:
    explicit TFshow(QWidget *parent = nullptr);

    // Enabled by each activation of the main window; closes the splash.
    QTimer *Timer1 = nullptr;

private:
    void Timer1Timer();
};

// The splash of the run; nullptr when there is none.
extern TFshow *Fshow;

// The product picture, drawn to the given size (splash and about box).
QPixmap FiguraProducto(const QSize &tamano);
