#pragma once

#include "core/estudio/Huella.h"
#include "core/estudio/Registro.h"
#include "gui/Resultados.h"
#include "gui/VentanaResultado.h"

#include <QStringList>

class QLabel;
class QPlainTextEdit;

// "Registro de cambios": the trail of a study's register (when, who, what
// and why of each entry) and what checking it against the study on disk
// found, with commands to print it and to write it as a PDF. Both carry the
// study's fingerprint and its valid signatures in their margin, and are
// recorded in the register.
class VentanaRegistro : public VentanaResultado
{
    Q_OBJECT

public:
    // The register of the study saved at `rutaEstudio`; call recarga() to fill it.
    explicit VentanaRegistro(const QString &rutaEstudio, QWidget *parent = nullptr);

    QString rutaEstudio() const { return m_ruta; }
    // Reads the study and its register again and shows what they hold now.
    // Errors (a study that cannot be read) propagate.
    void recarga();

public slots:
    void imprime();   // "Imprimir..."
    void guardaPdf(); // "Guardar PDF..."

private:
    QStringList margen() const;

    QString m_ruta;
    Huella m_huella;
    VeredictoRegistro m_veredicto;
    QStringList m_lineas;
    QLabel *m_comprobacion;
    QPlainTextEdit *m_texto;
};

// "Registro de cambios…" for the study of `documento`: its register window,
// the one already open brought up to date and to the front. A study never
// saved has no register yet (ErrorRegistro).
void ComandoRegistro(VentanaEstudio *documento, const DestinoResultados &destino);

// Brings every open register window up to date (after a signature).
void RecargaRegistros(QMdiArea *marco);
