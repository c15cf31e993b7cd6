#pragma once

#include "gui/VentanaResultado.h"

class QPlainTextEdit;

// "Informe": the text report of one calculation, for reading only; any
// click or key in it closes it.
class Tfrminforme : public TVentanaResultado
{
    Q_OBJECT

public:
    explicit Tfrminforme(QWidget *parent = nullptr);

    // Appends one line of the report.
    void agrega(const QString &linea);
    // Adds the window to the main window's frame and shows it.
    void muestra();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void mminformeMouseDown();
    void mminformeKeyDown();

    QPlainTextEdit *mminforme;
};
