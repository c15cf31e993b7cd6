#include "VentanaGrafica.h"

#include "core/motor/Mensajes.h"
#include "core/motor/Errores.h"
#include "core/paginas/ArchivoGrafica.h"
#include "core/paginas/Hoja.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "gui/OpcionesImpresion.h"
#include "gui/RegistroEstudio.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The plot itself: drawn anew at the widget's size, so it stays crisp.
class LienzoGrafica : public QWidget
{
public:
    LienzoGrafica(const ModeloGrafica &modelo, QWidget *parent) : QWidget(parent), m_modelo(modelo)
    {
        setObjectName(QStringLiteral("lienzografica"));
        setAccessibleName(QStringLiteral("Gráfica del estudio"));
        setAccessibleDescription(DescripcionGrafica(modelo));
        // Reachable with the keyboard, so a screen reader reads it.
        setFocusPolicy(Qt::StrongFocus);
        // Below this the texts, which scale with the plot, get too small to read.
        setMinimumSize(520, 340);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter pintor(this);
        dibujaGrafica(pintor, rect(), m_modelo);
        if (hasFocus()) {
            pintor.setPen(QPen(palette().highlight(), 2));
            pintor.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    const ModeloGrafica &m_modelo;
};

} // namespace

VentanaGrafica::VentanaGrafica(const ModeloGrafica &modelo, const QString &rutaEstudio,
                               const Huella &huella, QWidget *parent)
    : VentanaResultado(QStringLiteral("Gráfica"), {780, 580}, true, parent), m_modelo(modelo),
      m_rutaEstudio(rutaEstudio), m_huella(huella)
{
    setObjectName(QStringLiteral("VentanaGrafica"));
    setProperty(PropiedadAyuda, 15);
    auto *lienzo = new LienzoGrafica(m_modelo, this);

    auto *guardar = new QPushButton(QStringLiteral("Guardar gráfica..."), this);
    guardar->setObjectName(QStringLiteral("btnguardargrafica"));
    connect(guardar, &QPushButton::clicked, this, &VentanaGrafica::guarda);
    auto *imprimir = new QPushButton(QStringLiteral("Imprimir gráfica..."), this);
    imprimir->setObjectName(QStringLiteral("btnimprimirgrafica"));
    connect(imprimir, &QPushButton::clicked, this, &VentanaGrafica::imprime);

    auto *botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(guardar);
    botones->addWidget(imprimir);
    auto *capas = new QVBoxLayout(this);
    capas->addWidget(lienzo, 1);
    capas->addLayout(botones);
    creaMenuCerrar();
}

void VentanaGrafica::guarda()
{
    EjecutaComando([this] {
        const QString ruta = Dialogos::actual().guardaGrafica(this, QStringLiteral("grafica.png"));
        if (ruta.isEmpty())
            return;
        GuardaGrafica(ruta, m_modelo, TamanoGrafica);
        AnotaExportacion(m_rutaEstudio, m_huella,
                         QStringLiteral("Gráfica, ") + QFileInfo(ruta).suffix().toUpper(), ruta);
    });
}

// The plot across the top half of one page, as wide as the printer allows,
// below the study's fingerprint and signatures.
void VentanaGrafica::imprime()
{
    EjecutaComando([this] {
        QPrinter impresora(QPrinter::HighResolution);
        impresora.setPageOrientation(QPageLayout::Portrait);
        impresora.setDocName(QStringLiteral("Gráfica"));
        if (!Dialogos::actual().imprime(&impresora, this))
            return;
        // The job is the page prints' own: a printer or queue that did not
        // take it is found out the same way.
        const QStringList margen = MargenDe(m_rutaEstudio, m_huella);
        const std::unique_ptr<Lienzo> lienzo = CreaLienzo(impresora);
        try {
            lienzo->iniciaTrabajo();
            const int arriba = EscribeMargen(*lienzo, margen);
            if (QPainter *pintor = lienzo->pintor()) {
                const double ancho = pintor->device()->width();
                const double alto = std::min(pintor->device()->height() / 2.0,
                                             ancho * TamanoGrafica.height() / TamanoGrafica.width());
                // The canvas writes the pages' texts on white; the plot is
                // drawn as on every other device.
                pintor->save();
                pintor->setBackgroundMode(Qt::TransparentMode);
                dibujaGrafica(*pintor, QRectF(0, arriba, ancho, alto), m_modelo);
                pintor->restore();
            }
            lienzo->terminaTrabajo();
        } catch (const ErrorImpresion &) {
            throw ErrorImpresion(TextoDe(Mensaje::graficaNoSeImprime));
        }
        if (!impresora.outputFileName().isEmpty())
            AnotaExportacion(m_rutaEstudio, m_huella, QStringLiteral("Gráfica, PDF"), impresora.outputFileName());
        else
            AnotaImpresion(m_rutaEstudio, m_huella, QStringLiteral("Gráfica"), impresora.printerName());
    });
}
