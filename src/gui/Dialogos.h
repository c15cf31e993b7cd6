#pragma once

#include "core/estudio/Registro.h"

#include <QString>
#include <functional>
#include <optional>

class QPrinter;
class QWidget;

// What a signer answers in the signing dialog.
struct DatosFirma
{
    QString nombre;
    Significado significado = Significado::realizado;
};

// Every message box and common dialog of the program goes through here, so
// that tests can answer them.
class Dialogos
{
public:
    virtual ~Dialogos() = default;

    // Message box captioned "Tolerancia del Método", one OK button, no icon.
    virtual void mensaje(const QString &texto) = 0;
    // The answer to a question: Yes, No, or neither (Escape or the box's
    // close button: the user did not decide).
    enum class Respuesta { si, no, ninguna };
    // Yes/No box with the question icon.
    virtual Respuesta pregunta(const QString &titulo, const QString &texto) = 0;
    // The open dialog of study files; empty when cancelled.
    virtual QString abreArchivo(QWidget *padre) = 0;
    // The save dialog of study files, "Guardar como", starting at `nombre`;
    // empty when cancelled.
    virtual QString guardaArchivo(QWidget *padre, const QString &nombre) = 0;
    // "Motivo del cambio": why a study that has a saved version is saved
    // with changes, one line, required; nothing when cancelled.
    virtual std::optional<QString> motivoCambio(QWidget *padre) = 0;
    // The save dialog of plots, "Guardar gráfica", starting at `nombre`: the
    // file type chosen (PNG, SVG, PDF) adds its extension to a name without
    // one of them; empty when cancelled.
    virtual QString guardaGrafica(QWidget *padre, const QString &nombre);
    // The save dialog of PDF documents, "Guardar PDF", starting at `nombre`:
    // ".pdf" is added to a name without it; empty when cancelled.
    virtual QString guardaPdf(QWidget *padre, const QString &nombre);
    // The signing dialog (DialogoFirma) for the study `estudio`, its name
    // field starting at `nombre`; nothing when cancelled.
    virtual std::optional<DatosFirma> firma(QWidget *padre, const QString &estudio, const QString &nombre);
    // The print dialog on `impresora`; false when cancelled.
    virtual bool imprime(QPrinter *impresora, QWidget *padre) = 0;
    // The print preview of `impresora`, modal; `dibuja` draws the page on the
    // printer it is given whenever the preview asks. Printing is left to the
    // print run, so the preview offers no print command of its own.
    virtual void vistaPrevia(QPrinter *impresora, QWidget *padre,
                             const std::function<void(QPrinter *)> &dibuja);

    // The dialogs in use (the real ones unless a test installed its own).
    static Dialogos &actual();
    // Installs `dialogos` (not owned); nullptr goes back to the real ones.
    static void instala(Dialogos *dialogos);
};

// The busy cursor for the length of a file operation, restored also when
// the operation fails.
class CursorOcupado
{
public:
    CursorOcupado();
    ~CursorOcupado();
    CursorOcupado(const CursorOcupado &) = delete;
    CursorOcupado &operator=(const CursorOcupado &) = delete;
};

// Runs one user command; an error escaping from it is shown with its text
// in the application's message box, and the program goes on.
void EjecutaComando(const std::function<void()> &comando);
