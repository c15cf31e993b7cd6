#pragma once

#include "core/verificacion/EntornoVerificacion.h"
#include "core/verificacion/Verificacion.h"

#include <QDialog>

class QPlainTextEdit;

// "Verificación del programa…": runs the reference checks when it opens and
// shows them as `tolerancia --verificar` writes them, read-only, with the
// document to sign printed or saved as PDF. A new one on every command.
class VentanaVerificacion : public QDialog
{
    Q_OBJECT

public:
    explicit VentanaVerificacion(QWidget *parent = nullptr);

    bool todasPasan() const;

private:
    void imprime();
    void guardaPdf();

    EntornoVerificacion m_entorno;
    QList<Comprobacion> m_comprobaciones;
    QPlainTextEdit *m_texto;
};
