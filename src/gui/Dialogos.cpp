#include "Dialogos.h"

#include "core/motor/Mensajes.h"
#include "core/motor/Errores.h"
#include "core/paginas/ArchivoGrafica.h"
#include "gui/DialogoFirma.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString filtroEstudios = QStringLiteral("Quorix v. w3.0 (*.w1e)");

// The window that had the keyboard when a box opened. Right after another
// box has closed, the window system may not yet have given the keyboard back
// to it: until it does, that window still counts as the active one.
QPointer<QWidget> ultimaActiva;

QWidget *ventanaActiva()
{
    if (QWidget *activa = QApplication::activeWindow())
        ultimaActiva = activa;
    return ultimaActiva && ultimaActiva->isVisible() ? ultimaActiva : nullptr;
}

// Runs a modal dialog and gives the keyboard back to the window that had it:
// without a window manager nobody else does.
int ejecuta(QDialog &dialogo)
{
    const QPointer<QWidget> activa = ventanaActiva();
    const int resultado = dialogo.exec();
    if (activa)
        activa->activateWindow();
    return resultado;
}

// A Yes/No box whose Escape key and close button answer neither: a box with
// these two buttons alone would take either for "No".
class CajaPregunta : public QMessageBox
{
public:
    CajaPregunta(const QString &titulo, const QString &texto, QWidget *padre)
        : QMessageBox(QMessageBox::Question, titulo, texto, QMessageBox::Yes | QMessageBox::No, padre)
    {
    }

protected:
    void keyPressEvent(QKeyEvent *tecla) override
    {
        if (tecla->matches(QKeySequence::Cancel))
            reject();
        else
            QMessageBox::keyPressEvent(tecla);
    }
    void closeEvent(QCloseEvent *evento) override
    {
        evento->accept();
        reject();
    }
};

// Runs a file dialog: the first file chosen, or empty when cancelled.
QString eligeArchivo(QFileDialog &dialogo)
{
    if (ejecuta(dialogo) != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    return dialogo.selectedFiles().constFirst();
}

class DialogosQt : public Dialogos
{
public:
    void mensaje(const QString &texto) override
    {
        QMessageBox caja(QMessageBox::NoIcon, QStringLiteral("Tolerancia del Método"), texto,
                         QMessageBox::Ok, ventanaActiva());
        ejecuta(caja);
    }

    Respuesta pregunta(const QString &titulo, const QString &texto) override
    {
        CajaPregunta caja(titulo, texto, ventanaActiva());
        ejecuta(caja);
        if (caja.clickedButton() == caja.button(QMessageBox::Yes))
            return Respuesta::si;
        if (caja.clickedButton() == caja.button(QMessageBox::No))
            return Respuesta::no;
        return Respuesta::ninguna;
    }

    QString abreArchivo(QWidget *padre) override
    {
        QFileDialog dialogo(padre);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setNameFilter(filtroEstudios);
        dialogo.setDefaultSuffix(QStringLiteral("w1e"));
        dialogo.setOption(QFileDialog::ReadOnly, false);
        return eligeArchivo(dialogo);
    }

    QString guardaArchivo(QWidget *padre, const QString &nombre) override
    {
        QFileDialog dialogo(padre, QStringLiteral("Guardar como"));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        dialogo.setNameFilter(filtroEstudios);
        dialogo.setDefaultSuffix(QStringLiteral("w1e"));
        dialogo.selectFile(nombre);
        return eligeArchivo(dialogo);
    }

    std::optional<QString> motivoCambio(QWidget *padre) override
    {
        QDialog dialogo(padre);
        dialogo.setWindowTitle(QStringLiteral("Motivo del cambio"));
        auto *etiqueta = new QLabel(QStringLiteral("&Motivo del cambio (obligatorio):"), &dialogo);
        auto *motivo = new QLineEdit(&dialogo);
        motivo->setObjectName(QStringLiteral("motivo"));
        motivo->setAccessibleName(QStringLiteral("Motivo del cambio"));
        motivo->setMinimumWidth(420);
        etiqueta->setBuddy(motivo);
        auto *botones = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialogo);
        botones->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
        botones->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
        // Required: a blank reason cannot be accepted.
        QPushButton *aceptar = botones->button(QDialogButtonBox::Ok);
        aceptar->setEnabled(false);
        QObject::connect(motivo, &QLineEdit::textChanged, aceptar,
                         [aceptar](const QString &texto) { aceptar->setEnabled(!texto.trimmed().isEmpty()); });
        QObject::connect(botones, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
        QObject::connect(botones, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
        auto *capas = new QVBoxLayout(&dialogo);
        capas->addWidget(etiqueta);
        capas->addWidget(motivo);
        capas->addWidget(botones);
        if (ejecuta(dialogo) != QDialog::Accepted)
            return std::nullopt;
        return motivo->text();
    }

    bool imprime(QPrinter *impresora, QWidget *padre) override
    {
        // Each print run is one page: a range, the current page or a
        // selection would only be ignored.
        impresora->setPrintRange(QPrinter::AllPages);
        QPrintDialog dialogo(impresora, padre);
        dialogo.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies
                           | QAbstractPrintDialog::PrintShowPageSize);
        return ejecuta(dialogo) == QDialog::Accepted;
    }
};

Dialogos *instalados = nullptr;

} // namespace

QString Dialogos::guardaGrafica(QWidget *padre, const QString &nombre)
{
    const QStringList tipos = {QStringLiteral("Imagen PNG (*.png)"), QStringLiteral("Dibujo SVG (*.svg)"),
                               QStringLiteral("Documento PDF (*.pdf)")};
    const QStringList extensiones = {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")};
    QFileDialog dialogo(padre, QStringLiteral("Guardar gráfica"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilters(tipos);
    dialogo.setDefaultSuffix(extensiones.first());
    QObject::connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&](const QString &tipo) {
        dialogo.setDefaultSuffix(extensiones.value(tipos.indexOf(tipo), extensiones.first()));
    });
    dialogo.selectFile(nombre);
    QString ruta = eligeArchivo(dialogo);
    if (ruta.isEmpty())
        return {};
    if (!FormatoDeRuta(ruta))
        ruta += u'.' + extensiones.value(tipos.indexOf(dialogo.selectedNameFilter()), extensiones.first());
    return ruta;
}

QString Dialogos::guardaPdf(QWidget *padre, const QString &nombre)
{
    QFileDialog dialogo(padre, QStringLiteral("Guardar PDF"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setNameFilter(QStringLiteral("Documento PDF (*.pdf)"));
    dialogo.setDefaultSuffix(QStringLiteral("pdf"));
    dialogo.selectFile(nombre);
    QString ruta = eligeArchivo(dialogo);
    if (!ruta.isEmpty() && !ruta.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        ruta += QStringLiteral(".pdf");
    return ruta;
}

std::optional<DatosFirma> Dialogos::firma(QWidget *padre, const QString &estudio, const QString &nombre)
{
    DialogoFirma dialogo(estudio, nombre, padre);
    if (ejecuta(dialogo) != QDialog::Accepted)
        return std::nullopt;
    return dialogo.datos();
}

void Dialogos::vistaPrevia(QPrinter *impresora, QWidget *padre,
                           const std::function<void(QPrinter *)> &dibuja)
{
    QPrintPreviewDialog dialogo(impresora, padre);
    // The preview's own print and page setup commands would bypass the print
    // run (one job per copy, a fresh calculation for each), and the pages
    // are always printed in portrait.
    QStringList ocultas;
    for (const char *texto : {"Print", "Page setup", "Portrait", "Landscape"})
        ocultas << QCoreApplication::translate("QPrintPreviewDialog", texto);
    for (QAction *accion : dialogo.findChildren<QAction *>())
        if (ocultas.contains(accion->text()))
            accion->setVisible(false);
    QObject::connect(&dialogo, &QPrintPreviewDialog::paintRequested, &dialogo, dibuja);
    ejecuta(dialogo);
}

Dialogos &Dialogos::actual()
{
    static DialogosQt reales;
    return instalados ? *instalados : reales;
}

void Dialogos::instala(Dialogos *dialogos)
{
    instalados = dialogos;
}

CursorOcupado::CursorOcupado()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CursorOcupado::~CursorOcupado()
{
    QApplication::restoreOverrideCursor();
}

void EjecutaComando(const std::function<void()> &comando)
{
    try {
        comando();
    } catch (const ErrorTolerancia &error) {
        Dialogos::actual().mensaje(error.texto());
    } catch (const std::exception &) {
        // A library's own text is English and no help to the user.
        Dialogos::actual().mensaje(TextoDe(Mensaje::errorDeCalculo));
    }
}
