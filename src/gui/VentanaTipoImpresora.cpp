#include "VentanaTipoImpresora.h"

#include "gui/GrupoOpciones.h"

#include <QDialogButtonBox>
#include <QPushButton>

VentanaTipoImpresora::VentanaTipoImpresora(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FOPRT"));
    setWindowTitle(QStringLiteral("Opciones de impresión"));
    setGeometry(110, 114, 316, 272);

    grupoImpresora = new GrupoOpciones(QStringLiteral("SELECPRT"), QStringLiteral("Tamaño de letra:"),
                                 {QStringLiteral("Impresora DeskJet "),
                                  QStringLiteral("Impresora Laser Jet")},
                                 0, this);
    grupoImpresora->setGeometry(8, 16, 273, 97);

    grupoMargen = new GrupoOpciones(QStringLiteral("SELECMAR"), QStringLiteral("Selecciona margen:"),
                                 {QStringLiteral("1 cm"), QStringLiteral("1.5 cm"),
                                  QStringLiteral("2.0 cm")},
                                 1, this);
    grupoMargen->setGeometry(8, 128, 169, 105);

    // The toolkit's own OK button, caption and glyph.
    auto *botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    botones->setGeometry(192, 168, 97, 25);
    botonAceptar = botones->button(QDialogButtonBox::Ok);
    botonAceptar->setObjectName(QStringLiteral("BitBtn1"));
    botonAceptar->setAccessibleName(botonAceptar->text().remove(u'&'));
    connect(botonAceptar, &QPushButton::clicked, this, &VentanaTipoImpresora::acepta);
}

void VentanaTipoImpresora::acepta()
{
    // No capture validation on this road; the print runs validate themselves.
    if (grupoImpresora->itemIndex() == 0)
        emit tintaElegida();
    else if (grupoImpresora->itemIndex() == 1)
        emit laserElegida();
    accept();
}
