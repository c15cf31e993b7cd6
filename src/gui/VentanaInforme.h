#pragma once

#include "gui/VentanaResultado.h"

class QPlainTextEdit;

// "Informe": the text report of one calculation, for reading only; any
// click or key in it closes it.
class VentanaInforme : public VentanaResultado
{
    Q_OBJECT

public:
    explicit VentanaInforme(QWidget *parent = nullptr);

    // Appends one line of the report.
    void agrega(const QString &linea);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QPlainTextEdit *textoInforme;
};
