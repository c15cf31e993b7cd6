#pragma once

#include "core/comandos/EstadoComandos.h"
#include "core/estudio/Estudio.h"
#include "core/estudio/Huella.h"
#include "core/estudio/ReglasCaptura.h"
#include "gui/SeguimientoFoco.h"

#include <QByteArray>
#include <QWidget>

#include <optional>

class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QTabWidget;
class RejillaCaptura;
struct ArchivoEstudio;

// The study document window: general information, the two counts and the
// data grid. Its components are the study; it also holds the study's file
// path and whether it has unsaved changes, which the frame only displays.
// It reports upward through its signals and never calls the frame.
// Its own code is the form and the capture page's flow: the checks made as
// the focus leaves a count or the grid (a RejillaCaptura, on its own).
class VentanaEstudio : public QWidget
{
    Q_OBJECT

public:
    explicit VentanaEstudio(QWidget *parent = nullptr);
    ~VentanaEstudio() override;

    // The study as the components hold it at this moment.
    Estudio estudio() const;

    // The window takes the focus for the first time (inside "&Nuevo" and
    // "&Abrir...").
    void tomaFoco();
    // Fills the window from a study file read from `ruta` as `bytes` (texts
    // whole, grid sized to the file's counts with the creation labels).
    void cargaArchivo(const ArchivoEstudio &archivo, const QByteArray &bytes, const QString &ruta);
    // Checks the register of the study just opened: shows and records what
    // is wrong (RevisaRegistroAlAbrir). Errors propagate.
    void revisaRegistro();
    // Shows the capture page and puts the focus in a count field, without
    // running the check of the field being left.
    void enfocaConteo(CampoConteo campo);

    QString textoConteo(CampoConteo campo) const;

    // The study's file; empty while the study is untitled ("Nuevo").
    QString ruta() const { return m_ruta; }
    bool sinTitulo() const { return m_ruta.isEmpty(); }

    // Unsaved changes: every change of the study sets the mark, a save
    // clears it; the close question is asked while it is set.
    void ponModificado(bool modificado);
    bool modificado() const { return m_modificado; }

    // The fingerprint of the study as shown: that of the bytes it was
    // opened from or last saved as; empty while it has unsaved changes or
    // was never saved.
    Huella huella() const;

    // "&Guardar": to its file, or through the save dialog (starting at
    // "Nuevo") while untitled. "Guardar &como...": through the save dialog,
    // starting at its file. Both check the counts first and record the save
    // in the study's register, asking for the reason of a change. True when
    // the study was written and recorded; errors propagate.
    bool guarda();
    bool guardaComo();
    // The close question "Guardar archivo?" while there are unsaved changes:
    // true when the window may close (No, or Yes and saved). Escape or the
    // box's close button decides nothing: false.
    bool quiereGuardar();

    // The grid menu's item "&t de Dunnett", a command of the state table.
    QAction *accionDunnett() const { return dunnettDeRejilla; }

signals:
    // An event of the command-state table.
    void evento(Evento evento);
    // Set on every change of the study and on every save.
    void modificadoCambia(bool modificado);
    // "&t de Dunnett" was chosen.
    void dunnettPedido();
    // The window has closed.
    void cerrada();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void creaComponentes();
    void creaRejilla(QWidget *pagina);
    void inicia();

    void entraDocumento();
    void teclaEnCampo(QLineEdit *campo, QChar tecla);
    void sale(QWidget *componente);
    bool revisaConteoDejado(QLineEdit *campo);
    void aceptaConteos();
    void entraRejilla();
    void saleRejilla();
    void aceptaDatos();
    void avisaCierre();
    void ponRuta(const QString &ruta);
    bool guardaEn(const QString &ruta);
    bool enRejilla() const;

    QTabWidget *cuaderno = nullptr;
    QLineEdit *factores = nullptr;
    QLineEdit *metodo = nullptr;
    QLineEdit *analista = nullptr;
    QLineEdit *fecha = nullptr;
    QLineEdit *numeroFam = nullptr;
    QLineEdit *numeroMuestras = nullptr;
    QPushButton *botonAceptarConteos = nullptr;
    RejillaCaptura *rejilla = nullptr;
    QPushButton *botonAceptarDatos = nullptr;
    QMenu *menuRejilla = nullptr;
    QAction *dunnettDeRejilla = nullptr;

    Rejilla m_memoria;             // typed cells, also those outside a smaller grid
    SeguimientoFoco m_seguimiento{this};
    bool m_cerrada = false;
    QString m_ruta;
    bool m_modificado = false;
    std::optional<QByteArray> m_guardado;  // the bytes opened or last saved
    Huella m_huellaGuardado;               // theirs
};

// Checks the two counts of the study window. On the first failure shows
// its message, turns the notebook to "Captura de Datos", puts the focus in
// the field and returns false; false also without a study window. A count
// that is not an integer throws ErrorConversion (the command ends in the
// general handler).
bool ValidaCaptura(VentanaEstudio *documento);
