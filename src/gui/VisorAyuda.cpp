#include "VisorAyuda.h"

#include "gui/Ayuda.h"
#include "gui/BuscarAyuda.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QSet>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>

namespace {

const QString tituloVisor = QStringLiteral("Ayuda de Tolerancia del Método");

QUrl urlDePagina(const QString &pagina)
{
    return QUrl(QStringLiteral("qrc") + CarpetaAyuda() + u'/' + pagina);
}

QPointer<VisorAyuda> visor;

void destruyeVisor()
{
    delete visor.data();
}

} // namespace

VisorAyuda::VisorAyuda(QWidget *parent) : QMainWindow(parent), m_indice(IndiceAyuda(LeeTemasAyuda()))
{
    setObjectName(QStringLiteral("VisorAyuda"));
    setWindowTitle(tituloVisor);
    // Help never keeps the program alive once the main window is gone.
    setAttribute(Qt::WA_QuitOnClose, false);

    textoAyuda = new QTextBrowser(this);
    textoAyuda->setObjectName(QStringLiteral("txtayuda"));
    textoAyuda->setAccessibleName(QStringLiteral("Texto de la ayuda"));
    textoAyuda->setOpenLinks(true);
    textoAyuda->setOpenExternalLinks(false);
    QFile estilo(CarpetaAyuda() + QStringLiteral("/estilo.css"));
    if (estilo.open(QIODevice::ReadOnly))
        textoAyuda->document()->setDefaultStyleSheet(QString::fromUtf8(estilo.readAll()));
    setCentralWidget(textoAyuda);

    auto *barra = addToolBar(QStringLiteral("Navegación"));
    barra->setObjectName(QStringLiteral("barraayuda"));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    auto accion = [this, barra](const char *nombre, const QString &texto, QStyle::StandardPixmap icono,
                                const QKeySequence &atajo, const QString &pista) {
        auto *a = new QAction(style()->standardIcon(icono), texto, this);
        a->setObjectName(QString::fromLatin1(nombre));
        a->setShortcut(atajo);
        a->setToolTip(pista + QStringLiteral(" (") + atajo.toString(QKeySequence::NativeText)
                      + u')');
        barra->addAction(a);
        if (QWidget *boton = barra->widgetForAction(a))
            boton->setAccessibleName(texto);
        return a;
    };
    QAction *accionContenido = accion("actcontenido", QStringLiteral("Contenido"), QStyle::SP_DirHomeIcon,
                                   QKeySequence(Qt::ALT | Qt::Key_Home), QStringLiteral("Contenido de la ayuda"));
    QAction *accionBuscar = accion("actbuscar", QStringLiteral("Buscar"), QStyle::SP_FileDialogContentsView,
                                QKeySequence::Find, QStringLiteral("Buscar ayuda sobre una palabra"));
    accionAtras = accion("actatras", QStringLiteral("Atrás"), QStyle::SP_ArrowBack, QKeySequence::Back,
                      QStringLiteral("Tema anterior"));
    accionAdelante = accion("actadelante", QStringLiteral("Adelante"), QStyle::SP_ArrowForward,
                         QKeySequence::Forward, QStringLiteral("Tema siguiente"));
    QAction *accionCerrar = accion("actcerrar", QStringLiteral("Cerrar"), QStyle::SP_DialogCloseButton,
                                QKeySequence(Qt::Key_Escape), QStringLiteral("Cierra la ayuda"));
    accionAtras->setEnabled(false);
    accionAdelante->setEnabled(false);

    connect(accionContenido, &QAction::triggered, this, &VisorAyuda::muestraContenido);
    connect(accionBuscar, &QAction::triggered, this, &VisorAyuda::abreBusqueda);
    connect(accionAtras, &QAction::triggered, textoAyuda, &QTextBrowser::backward);
    connect(accionAdelante, &QAction::triggered, textoAyuda, &QTextBrowser::forward);
    connect(accionCerrar, &QAction::triggered, this, &QWidget::close);
    connect(textoAyuda, &QTextBrowser::backwardAvailable, accionAtras, &QAction::setEnabled);
    connect(textoAyuda, &QTextBrowser::forwardAvailable, accionAdelante, &QAction::setEnabled);
    connect(textoAyuda, &QTextBrowser::sourceChanged, this, &VisorAyuda::paginaCambiada);

    resize(760, 600);
}

void VisorAyuda::muestraPagina(const QString &pagina)
{
    // The same page again only scrolls back to its anchor; history is kept.
    textoAyuda->setSource(urlDePagina(pagina));
    presenta();
    textoAyuda->setFocus();
}

void VisorAyuda::buscaClave(const QString &clave)
{
    if (!clave.isEmpty()) {
        QSet<QString> paginas;
        const QVector<EntradaIndice> encontradas = FiltraIndice(m_indice, clave);
        for (const EntradaIndice &entrada : encontradas)
            paginas.insert(entrada.pagina);
        if (paginas.size() == 1) {
            muestraPagina(*paginas.cbegin());
            return;
        }
    }
    if (textoAyuda->source().isEmpty())
        muestraPagina(PaginaDeComando(ComandoAyuda::contenido));
    presenta();
    if (!m_buscar) {
        m_buscar = new BuscarAyuda(m_indice, this);
        connect(m_buscar, &BuscarAyuda::temaElegido, this, &VisorAyuda::muestraPagina);
    }
    m_buscar->ponClave(clave);
    m_buscar->show();
    m_buscar->raise();
    m_buscar->activateWindow();
}

QString VisorAyuda::paginaActual() const
{
    const QUrl url = textoAyuda->source();
    if (url.isEmpty())
        return {};
    const QString pagina = url.fileName();
    return url.hasFragment() ? pagina + u'#' + url.fragment() : pagina;
}

void VisorAyuda::muestraContenido()
{
    muestraPagina(PaginaDeComando(ComandoAyuda::contenido));
}

void VisorAyuda::abreBusqueda()
{
    buscaClave(QString());
}

void VisorAyuda::paginaCambiada(const QUrl &)
{
    const QString titulo = textoAyuda->documentTitle();
    setWindowTitle(titulo.isEmpty() ? tituloVisor : titulo + QStringLiteral(" - ") + tituloVisor);
    // A screen reader tells which page the text is.
    textoAyuda->setAccessibleDescription(titulo);
}

void VisorAyuda::presenta()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

VisorAyuda *VisorDeAyuda()
{
    if (!visor) {
        visor = new VisorAyuda;
        qAddPostRoutine(destruyeVisor);
    }
    return visor;
}
