#include "OpcionesImpresion.h"

#include "core/motor/Mensajes.h"
#include "gui/GrupoOpciones.h"
#include "impresion/LienzoImpresora.h"

#include "core/motor/Anova.h"
#include "core/motor/Conversiones.h"
#include "gui/Dialogos.h"
#include "gui/RegistroEstudio.h"
#include "gui/VentanaEstudio.h"

#include <QPushButton>
#include <QStyle>

namespace {

FabricaLienzo fabricaInstalada;

} // namespace

std::unique_ptr<Lienzo> CreaLienzo(QPrinter &impresora)
{
    if (fabricaInstalada)
        return fabricaInstalada(impresora);
    return std::make_unique<LienzoImpresora>(impresora);
}

OpcionesImpresion *OpcionesImpresion::laser(FuenteDocumento documento, QWidget *parent)
{
    auto *ventana = new OpcionesImpresion(QStringLiteral("Imprimir en Lasser:"), QSize(433, 322),
                                          PaginasDeLaser, QStringLiteral("láser"), std::move(documento),
                                          parent);
    ventana->setObjectName(QStringLiteral("Foppr1"));
    ventana->move(244, 117);
    return ventana;
}

OpcionesImpresion *OpcionesImpresion::tinta(FuenteDocumento documento, QWidget *parent)
{
    auto *ventana = new OpcionesImpresion(QStringLiteral("Imprimir:"), QSize(438, 290),
                                          PaginasDeTinta, QStringLiteral("inyección de tinta"),
                                          std::move(documento), parent);
    ventana->setObjectName(QStringLiteral("Foppr"));
    return ventana;
}

void InstalaFabricaLienzo(FabricaLienzo fabrica)
{
    fabricaInstalada = std::move(fabrica);
}

OpcionesImpresion::OpcionesImpresion(const QString &tituloGrupo, QSize tamano,
                                     const PaginasImpresora &paginas, const QString &clase,
                                     FuenteDocumento documento, QWidget *parent)
    : QDialog(parent), m_paginas(paginas), m_clase(clase), m_documento(std::move(documento))
{
    setWindowTitle(QStringLiteral("opciones"));
    resize(tamano);

    opcion = new GrupoOpciones(QStringLiteral("opcion"), tituloGrupo,
                               {QStringLiteral("Imprime Información General"),
                                QStringLiteral("Imprime Tolerancia")},
                               0, this);
    opcion->setGeometry(0, 0, tamano.width(), 121);

    botonAceptar = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton),
                              QStringLiteral("Aceptar"), this);
    botonAceptar->setObjectName(QStringLiteral("BitBtn1"));
    botonAceptar->setGeometry(64, 152, 89, 33);
    botonAceptar->setDefault(true);
    connect(botonAceptar, &QPushButton::clicked, this, &OpcionesImpresion::imprime);

    botonCancelar = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancelar"), this);
    botonCancelar->setObjectName(QStringLiteral("BitBtn2"));
    botonCancelar->setGeometry(192, 152, 97, 33);
    botonCancelar->setAutoDefault(false);
    connect(botonCancelar, &QPushButton::clicked, this, &OpcionesImpresion::close);

    botonVista = new QPushButton(QStringLiteral("Vista previa"), this);
    botonVista->setObjectName(QStringLiteral("botonvista"));
    botonVista->setGeometry(320, 152, 97, 33);
    botonVista->setAutoDefault(false);
    connect(botonVista, &QPushButton::clicked, this, &OpcionesImpresion::vistaPrevia);

    for (QPushButton *boton : {botonAceptar, botonCancelar, botonVista})
        boton->setAccessibleName(boton->text());
}

int OpcionesImpresion::seleccion() const
{
    return opcion->itemIndex();
}

QString OpcionesImpresion::nombrePagina() const
{
    return (seleccion() == 1 ? QStringLiteral("Tolerancia, ") : QStringLiteral("Información General, "))
           + m_clase;
}

bool OpcionesImpresion::estudioImprimible()
{
    // The window outlives the study; without a document window there is
    // nothing to print.
    VentanaEstudio *documento = m_documento();
    if (!documento) {
        hide();
        Dialogos::actual().mensaje(TextoDe(Mensaje::noHayEstudioParaImprimir));
        return false;
    }
    // Pages and calculation need counts within their limits.
    return ValidaCaptura(documento);
}

void OpcionesImpresion::preparaImpresora()
{
    m_impresora.setPageOrientation(QPageLayout::Portrait);
    m_impresora.setResolution(m_paginas.resolucion);
}

void OpcionesImpresion::imprime()
{
    EjecutaComando([this] {
        if (!estudioImprimible())
            return;
        if (!Dialogos::actual().imprime(&m_impresora, this))
            return;
        preparaImpresora();
        const int copias = m_impresora.copyCount();
        // Every copy is a job of its own; the printer must not multiply them.
        m_impresora.setCopyCount(1);
        const bool resultados = seleccion() == 1;
        const std::unique_ptr<Lienzo> lienzo = CreaLienzo(m_impresora);
        for (int copia = 0; copia < copias; ++copia) {
            // The dialogs and the printer may let the study window close.
            VentanaEstudio *documento = m_documento();
            if (!documento)
                return;
            const Estudio estudio = documento->estudio();
            const Huella huella = documento->huella();
            // Every copy of the results rests on its own calculation.
            if (resultados)
                m_resultados = CalculaAnova(estudio, SeparadorDecimal());
            DibujaPagina(m_paginas, *lienzo, estudio, resultados, m_resultados,
                         MargenDe(documento->ruta(), huella));
            // The job was taken: the study's register holds it. Printing to
            // a file is writing a PDF.
            if (!m_impresora.outputFileName().isEmpty())
                AnotaExportacion(documento->ruta(), huella, nombrePagina() + QStringLiteral(", PDF"),
                                 m_impresora.outputFileName());
            else
                AnotaImpresion(documento->ruta(), huella, nombrePagina(), m_impresora.printerName());
        }
    });
}

void OpcionesImpresion::vistaPrevia()
{
    EjecutaComando([this] {
        if (!estudioImprimible())
            return;
        const bool resultados = seleccion() == 1;
        const Estudio estudio = m_documento()->estudio();
        const QStringList margen = MargenDe(m_documento()->ruta(), m_documento()->huella());
        if (resultados)
            m_resultados = CalculaAnova(estudio, SeparadorDecimal());
        preparaImpresora();
        Dialogos::actual().vistaPrevia(&m_impresora, this, [&](QPrinter *impresora) {
            // Called from the preview's own event handling: errors end here.
            EjecutaComando([&] {
                const std::unique_ptr<Lienzo> lienzo = CreaLienzo(*impresora);
                DibujaPagina(m_paginas, *lienzo, estudio, resultados, m_resultados, margen);
            });
        });
    });
}
