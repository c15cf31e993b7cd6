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

    auto *Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto *ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(81, 73);
    ProgramIcon->setPixmap(FiguraProducto(ProgramIcon->size()));
    ProgramIcon->setAccessibleName(QStringLiteral("QUORIX v. w 3.1"));

    auto *ProductName = new QLabel(QStringLiteral("QUORIX v. w 3.1"), Panel1);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    QFont negrita = ProductName->font();
    negrita.setPixelSize(19);
    negrita.setBold(true);
    ProductName->setFont(negrita);
    ProductName->setStyleSheet(QStringLiteral("color: blue;"));

    auto *Copyright = new QLabel(QStringLiteral("Control de Calidad"), Panel1);
    Copyright->setObjectName(QStringLiteral("Copyright"));

    auto *textos = new QVBoxLayout;
    textos->addWidget(ProductName);
    textos->addWidget(Copyright);
    textos->addStretch();
    auto *dentro = new QHBoxLayout(Panel1);
    dentro->addWidget(ProgramIcon, 0, Qt::AlignTop);
    dentro->addLayout(textos, 1);

    auto *OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setAccessibleName(QStringLiteral("OK"));
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &AcercaDe::close);

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(Panel1, 1);
    columna->addWidget(OKButton, 0, Qt::AlignHCenter);

    if (const QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
}
