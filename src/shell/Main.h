#pragma once

#include "shell/EstadoComandos.h"
#include "stats/AnovaResults.h"

#include <QHash>
#include <QMainWindow>

class QAbstractButton;
class QAction;
class QIcon;
class QLabel;
class QMdiArea;
class QMenu;
class QMdiSubWindow;
class TFinforma;

// The main window: multiple-document frame, menus, tool bar, status bar and
// the commands of the program.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    QMdiArea *mdiArea() const;

    // Applies one row of the command-state table.
    void aplicaEvento(Evento evento);

    // The result set of the three result commands.
    JuegoResultados &resultados();

    // The modified mark: the caption of the status panel `estado`.
    QString estado() const;
    void ponEstado(const QString &texto);

    // "&Guardar" without the general handler: true when the study was
    // written. Errors propagate.
    bool guardaEstudio();
    // The reading of "&Abrir..." for a chosen file. Errors propagate; a file
    // that cannot be read leaves no document window.
    void abreArchivo(const QString &ruta);
    // The document window has closed.
    void documentoCerrado();

    // "&t de Dunnett": no function in this program.
    void mnudunetClick();
    // The printer kind options window, modal; no menu item leads to it.
    void mnuoprtClick();

    // The help number of a menu item: its own, or that of the nearest menu
    // holding it when it has none; 0 when neither has one.
    int numeroAyuda(QAction *accion) const;
    // False when a menu holding the item is disabled: the item cannot be
    // reached, not even by its shortcut.
    bool alcanzable(QAction *accion) const;

signals:
    // The window has closed: the program ends.
    void cerrada();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void creaMenus();
    void creaBarra();
    void creaEstado();
    QAction *creaAccion(QMenu *menu, const QString &nombre, const QString &titulo, int ayuda,
                        const QString &hint, void (TMainForm::*comando)());
    QMenu *creaMenu(QMenu *padre, const QString &nombre, const QString &titulo, int ayuda,
                    const QString &hint);
    QAbstractButton *creaBoton(const QString &nombre, int izquierda, const QIcon &icono,
                               const QString &hint, void (TMainForm::*comando)());
    void ponHabilitado(const QString &nombre, bool habilitado);
    TFinforma *creaDocumento();
    bool guardaComo();
    void escribe(const QString &ruta);

    // Handlers of the menu and tool bar.
    void ShowHint(const QString &hint);
    void FormActivate();
    void FileNew();
    void fileopen();
    void FileSave();
    void FileSaveAs();
    void PrintLasserClick();
    void FilePrint();
    void mnucloseClick();
    void FileExit();
    void WindowTile();
    void WindowCascade();
    void HelpContents();
    void HelpSearch();
    void HelpHowToUse();
    void HelpAbout();
    void mnuanovaClick();
    void mnuconcluClick();
    void mnuinformeClick();
    void mnusupuestosClick();

    QMdiArea *m_mdi = nullptr;
    QLabel *StatusLine = nullptr;
    QLabel *estadoPanel = nullptr;
    QHash<QAction *, QAction *> m_menuDe;  // item -> the menu item holding it
    QString m_archivo;                     // the save dialog's current file name
    JuegoResultados m_resultados;
};

// The main window of the run; nullptr before it exists and after it is gone.
extern TMainForm *MainForm;

// Shrinks and moves a shown child window of the frame so that it lies wholly
// inside the frame's visible workspace.
void AjustaAlMarco(QMdiSubWindow *hija);

// Checks the two counts of the document window. On the first failure shows
// its message, turns the notebook to "Captura de Datos", puts the focus in
// the field and returns false. A count that is not an integer throws
// ErrorConversion (the command ends in the general handler).
bool ValidaCaptura();
