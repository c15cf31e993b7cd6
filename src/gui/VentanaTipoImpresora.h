#pragma once

#include <QDialog>

class GrupoOpciones;
class QPushButton;

// The printer kind window, shown modally: asks for the ink-jet or the laser
// options window. Its margin choice is kept but nothing reads it.
class VentanaTipoImpresora : public QDialog
{
    Q_OBJECT

public:
    explicit VentanaTipoImpresora(QWidget *parent = nullptr);

signals:
    // "Aceptar" with the ink-jet or the laser printer chosen.
    void tintaElegida();
    void laserElegida();

private:
    void acepta();

    GrupoOpciones *grupoImpresora;
    GrupoOpciones *grupoMargen;
    QPushButton *botonAceptar;
};

