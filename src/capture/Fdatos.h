#pragma once

#include "capture/ReglasCaptura.h"
#include "stats/Estudio.h"

#include <QWidget>

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
// data grid. Its components are the study.
class TFinforma : public QWidget
{
    Q_OBJECT

public:
    explicit TFinforma(QWidget *parent = nullptr);
    ~TFinforma() override;

    // The study as the components hold it at this moment.
    Estudio estudio() const;

    // The grid's behaviour: range selection and column resizing at first,
    // Tab moving between cells, or Tab leaving the grid.
    enum class OpcionesRejilla { inicial, conTab, sinTab };
    OpcionesRejilla opciones() const { return m_opciones; }

    // The window takes the focus for the first time (inside "&Nuevo" and
    // "&Abrir...").
    void tomaFoco();
    // Fills the window from a study file as read (texts whole, grid sized
    // to the file's counts with the creation labels).
    void cargaArchivo(const ArchivoEstudio &archivo);
    // Shows the capture page and puts the focus in a count field, without
    // running the check of the field being left.
    void enfocaConteo(CampoConteo campo);

    QString textoConteo(CampoConteo campo) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    void creaComponentes();
    void creaRejilla(QWidget *pagina);
    void FormCreate();

    void ThojasEnter();
    void camposKeyPress(QLineEdit *campo, QChar tecla);
    void econdicionExit();
    void ereplicaExit();
    void botonokClick();
    void botonokExit();
    void stgdatosEnter();
    void stgdatosKeyPress();
    void stgdatosExit();
    void boton1Click();
    void pmnudunetClick();
    bool FormCloseQuery();
    void FormClose();

    // Focus bookkeeping: enter and exit handlers run when the focus moves
    // from one component of this window to another.
    void focoCambia(QWidget *antes, QWidget *ahora);
    QWidget *componente(QWidget *widget) const;
    void sale(QWidget *componente);
    void enfoca(QWidget *widget);
    bool enRejilla() const;

    // The grid: cells 1.. of the document map to the table's items 0..;
    // column 0 and row 0 are its headers.
    Rejilla rejilla() const;
    void muestraRejilla(const Rejilla &rejilla);
    QTableWidgetItem *itemCelda(int columna, int fila);  // created when missing
    void ponCelda(int columna, int fila, const QString &texto);
    int columnaActual() const;
    int filaActual() const;
    void ponCeldaActual(int columna, int fila);
    void colocaEditor();
    void mueveCelda(int columnas, int filas);
    void saleDeRejilla(bool adelante);
    void pega();
    void ponOpciones(OpcionesRejilla opciones);
    void reglaDeTecla(int columna, int fila);

    QTabWidget *Thojas = nullptr;
    QLineEdit *etole = nullptr;
    QLineEdit *emetodo = nullptr;
    QLineEdit *eanalista = nullptr;
    QLineEdit *efecha = nullptr;
    QLineEdit *econdicion = nullptr;
    QLineEdit *ereplica = nullptr;
    QPushButton *botonok = nullptr;
    QTableWidget *stgdatos = nullptr;
    QLabel *esquina = nullptr;     // the text of the grid's top-left cell
    QLineEdit *editor = nullptr;   // the grid's editor, always on the current cell
    QPushButton *boton1 = nullptr;
    QMenu *pmenu = nullptr;
    QAction *pmnudunet = nullptr;

    OpcionesRejilla m_opciones = OpcionesRejilla::inicial;
    Rejilla m_memoria;             // typed cells, also those outside a smaller grid
    QWidget *m_foco = nullptr;     // the component of this window that holds the focus
    bool m_enfocando = false;      // a handler is moving the focus
    bool m_cerrada = false;
    bool m_cargandoEditor = false;
};

// The current study document window; nullptr when none is open.
extern TFinforma *Finforma;
