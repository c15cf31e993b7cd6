#pragma once

#include "gui/Dialogos.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class VentanaEstudio;

// "Firmar el estudio": the signer's full name and what the signature means
// (Realizado por, Revisado por, Aprobado por). "Firmar" is usable once a
// name is typed.
class DialogoFirma : public QDialog
{
    Q_OBJECT

public:
    // `estudio`: the study's file, shown; `nombre`: the name to start with.
    DialogoFirma(const QString &estudio, const QString &nombre, QWidget *parent = nullptr);

    DatosFirma datos() const;

private:
    QLineEdit *m_nombre;
    QComboBox *m_significado;
    QPushButton *m_firmar;
};

// "Firmar…": signs the study of `documento` as it is saved. A study never
// saved, with unsaved changes, changed on disk since it was read, or whose
// register says it was changed outside the program is refused before any
// question (ErrorRegistro); then the dialog, a last confirmation and the
// signature in the register. False when nothing was signed.
bool FirmaDocumento(VentanaEstudio *documento, QWidget *padre);
