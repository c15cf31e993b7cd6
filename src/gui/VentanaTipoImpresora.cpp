#include "VentanaTipoImpresora.h"

#include "gui/GrupoOpciones.h"

#include <QDialogButtonBox>
#include <QPushButton>

VentanaTipoImpresora::VentanaTipoImpresora(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("FOPRT"));
    setWindowTitle(QStringLiteral("Opciones de impresión"));
    setGeometry(110, 114, 316, 272);

    SELECPRT = new GrupoOpciones(QStringLiteral("SELECPRT"), QStringLiteral("Tamaño de letra:"),
                                 {QStringLiteral("Impresora DeskJet "),
                                  QStringLiteral("Impresora Laser Jet")},
                                 0, this);
    SELECPRT->setGeometry(8, 16, 273, 97);

    SELECMAR = new GrupoOpciones(QStringLiteral("SELECMAR"), QStringLiteral("Selecciona margen:"),
                                 {QStringLiteral("1 cm"), QStringLiteral("1.5 cm"),
                                  QStringLiteral("2.0 cm")},
                                 1, this);
    SELECMAR->setGeometry(8, 128, 169, 105);

    // The toolkit's own OK button, caption and glyph.
    auto *botones = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    botones->setGeometry(192, 168, 97, 25);
    BitBtn1 = botones->button(QDialogButtonBox::Ok);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAccessibleName(BitBtn1->text().remove(u'&'));
    connect(BitBtn1, &QPushButton::clicked, this, &VentanaTipoImpresora::acepta);
}

void VentanaTipoImpresora::acepta()
{
    // No capture validation on this road; the print runs validate themselves.
    if (SELECPRT->itemIndex() == 0)
        emit tintaElegida();
    else if (SELECPRT->itemIndex() == 1)
        emit laserElegida();
    accept();
}
