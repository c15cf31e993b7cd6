#pragma once

#include "core/comandos/EstadoComandos.h"
#include "core/estudio/Estudio.h"
#include "core/estudio/ReglasCaptura.h"

#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTabWidget;
struct ArchivoEstudio;

// The study document window: general information, the two counts and the
// data grid. Its components are the study; it also holds the study's file
// path and whether it has unsaved changes, which the frame only displays.
// It reports upward through its signals and never calls the frame.
class VentanaEstudio : public QWidget
{
    Q_OBJECT

public:
    explicit VentanaEstudio(QWidget *parent = nullptr);
    ~VentanaEstudio() override;

    // The study as the components hold it at this moment.
    Estudio estudio() const;

    // The grid's behaviour: range selection and column resizing at first,
    // Tab moving between cells, or Tab leaving the grid.
    enum class OpcionesRejilla { inicial, conTab, sinTab };
    OpcionesRejilla opciones() const { return m_opciones; }

    // The window takes the focus for the first time (inside "&Nuevo" and
    // "&Abrir...").
    void tomaFoco();
    // Fills the window from a study file read from `ruta` (texts whole,
    // grid sized to the file's counts with the creation labels).
    void cargaArchivo(const ArchivoEstudio &archivo, const QString &ruta);
    // Shows the capture page and puts the focus in a count field, without
    // running the check of the field being left.
    void enfocaConteo(CampoConteo campo);

    QString textoConteo(CampoConteo campo) const;

    // The study's file; empty while the study is untitled ("Nuevo").
    QString ruta() const { return m_ruta; }
    bool sinTitulo() const { return m_ruta.isEmpty(); }
    // The study now lives at `ruta`: the caption shows it.
    void ponRuta(const QString &ruta);

    // Unsaved changes: every change of the study sets the mark, a save
    // clears it; the close question is asked while it is set.
    void ponModificado(bool modificado);

    // How the study is saved when the close question is answered "Yes":
    // true when it was written. Handed by the frame.
    void ponGuardado(std::function<bool()> guarda);

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
    void saleConteoFam();
    void saleConteoMuestras();
    void aceptaConteos();
    void saleAceptar();
    void entraRejilla();
    void teclaEnRejilla();
    void saleRejilla();
    void aceptaDatos();
    bool puedeCerrar();
    void avisaCierre();

    // Focus bookkeeping: enter and exit handlers run when the focus moves
    // from one component of this window to another.
    void focoCambia(QWidget *antes, QWidget *ahora);
    QWidget *componente(QWidget *widget) const;
    void sale(QWidget *componente);
    void saleHaciaOtraVentana(QWidget *antes, QWidget *ahora);
    void enfoca(QWidget *widget);
    bool enRejilla() const;

    // The grid: cells 1.. of the document map to the table's items 0..;
    // column 0 and row 0 are its headers.
    Rejilla rejillaMostrada() const;
    void muestraRejilla(const Rejilla &rejilla);
    QTableWidgetItem *itemCelda(int columna, int fila);  // created when missing
    void muestraCelda(int columna, int fila, const QString &texto);
    int columnaActual() const;
    int filaActual() const;
    void ponCeldaActual(int columna, int fila);
    void colocaEditor();
    void describeEditor();
    void mueveCelda(int columnas, int filas);
    void saleDeRejilla(bool adelante);
    void pega();
    void ponOpciones(OpcionesRejilla opciones);
    void reglaDeTecla(int columna, int fila);

    QTabWidget *cuaderno = nullptr;
    QLineEdit *factores = nullptr;
    QLineEdit *metodo = nullptr;
    QLineEdit *analista = nullptr;
    QLineEdit *fecha = nullptr;
    QLineEdit *numeroFam = nullptr;
    QLineEdit *numeroMuestras = nullptr;
    QPushButton *botonAceptarConteos = nullptr;
    QTableWidget *rejilla = nullptr;
    QLabel *esquina = nullptr;     // the text of the grid's top-left cell
    QLineEdit *editor = nullptr;   // the grid's editor, always on the current cell
    QPushButton *botonAceptarDatos = nullptr;
    QMenu *menuRejilla = nullptr;
    QAction *dunnettDeRejilla = nullptr;

    OpcionesRejilla m_opciones = OpcionesRejilla::inicial;
    Rejilla m_memoria;             // typed cells, also those outside a smaller grid
    QWidget *m_foco = nullptr;     // the component of this window that holds the focus
    QWidget *m_dejado = nullptr;   // the widget the focus left for no widget (another window)
    bool m_conteoDejado = false;   // the count holding m_foco was checked as it was left
    bool m_enfocando = false;      // a handler is moving the focus
    bool m_cerrada = false;
    bool m_cargandoEditor = false;
    QString m_ruta;
    bool m_modificado = false;
    std::function<bool()> m_guarda;
};

// Checks the two counts of the study window. On the first failure shows
// its message, turns the notebook to "Captura de Datos", puts the focus in
// the field and returns false; false also without a study window. A count
// that is not an integer throws ErrorConversion (the command ends in the
// general handler).
bool ValidaCaptura(VentanaEstudio *documento);
