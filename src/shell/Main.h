#pragma once

#include "shell/EstadoComandos.h"
#include "stats/AnovaResults.h"

#include <QMainWindow>

class QMdiArea;

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
};

// The main window of the run; nullptr before it exists and after it is gone.
extern TMainForm *MainForm;

// Checks the two counts of the document window. On the first failure shows
// its message, turns the notebook to "Captura de Datos", puts the focus in
// the field and returns false. A count that is not an integer throws
// ErrorConversion (the command ends in the general handler).
bool ValidaCaptura();
