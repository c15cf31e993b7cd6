#include "AcercaDe.h"

#include "gui/Ayuda.h"
#include "gui/Presentacion.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

AcercaDe::AcercaDe(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setProperty(PropiedadAyuda, 33);
    setWindowTitle(QStringLiteral("Acerca de"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(365, 253);

    auto *recuadro = new QFrame(this);
    recuadro->setObjectName(QStringLiteral("Panel1"));
    recuadro->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto *iconoPrograma = new QLabel(recuadro);
    iconoPrograma->setObjectName(QStringLiteral("ProgramIcon"));
    iconoPrograma->setFixedSize(81, 73);
    iconoPrograma->setPixmap(FiguraProducto(iconoPrograma->size()));
    iconoPrograma->setAccessibleName(QStringLiteral("QUORIX v. w 3.1"));

    auto *nombreProducto = new QLabel(QStringLiteral("QUORIX v. w 3.1"), recuadro);
    nombreProducto->setObjectName(QStringLiteral("ProductName"));
    QFont negrita = nombreProducto->font();
    negrita.setPixelSize(19);
    negrita.setBold(true);
    nombreProducto->setFont(negrita);
    nombreProducto->setStyleSheet(QStringLiteral("color: blue;"));

    auto *leyenda = new QLabel(QStringLiteral("Control de Calidad"), recuadro);
    leyenda->setObjectName(QStringLiteral("Copyright"));

    auto *textos = new QVBoxLayout;
    textos->addWidget(nombreProducto);
    textos->addWidget(leyenda);
    textos->addStretch();
    auto *dentro = new QHBoxLayout(recuadro);
    dentro->addWidget(iconoPrograma, 0, Qt::AlignTop);
    dentro->addLayout(textos, 1);

    auto *OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(QStringLiteral("OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &AcercaDe::close);

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(recuadro, 1);
    columna->addWidget(OKButton, 0, Qt::AlignHCenter);

    if (const QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
}
