#pragma once

#include "core/estudio/Estudio.h"
#include "core/estudio/Huella.h"
#include "core/motor/Equivalencia.h"
#include "gui/CriteriosRecordados.h"
#include "gui/VentanaResultado.h"

#include <optional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// "Precisión intermedia y equivalencia": the variance components of one
// study with their limits and, when an acceptance limit is typed, the
// equivalence of its levels. Keeps its own copy of the study, so new
// criteria recalculate from what the window was opened with, and knows the
// study's file and fingerprint then: the print and the PDF of what it shows
// carry them, and the study's register records both.
class VentanaPrecision : public VentanaResultado
{
    Q_OBJECT

public:
    // `estudio` (saved at `rutaEstudio`, empty while untitled, as `huella`)
    // calculated with `separador` into `componentes`, without criteria; the
    // fields start with `textos`.
    VentanaPrecision(const Estudio &estudio, const QString &rutaEstudio, const Huella &huella, QChar separador,
                     const ResultadoPrecision &componentes, const TextosCriterios &textos,
                     QWidget *parent = nullptr);

    // Reads the fields, calculates and shows the result. Throws
    // ErrorConversion with the field's message when one does not read; the
    // text then keeps the last result, which names the criteria it was
    // calculated with. "Recalcular" also remembers the criteria read.
    void calcula();

public slots:
    void imprime();   // "Imprimir..."
    void guardaPdf(); // "Guardar PDF..."

private:
    void ponLineas(const QStringList &lineas);
    // The pages' title: the window's, with the study's file name.
    QString titulo() const;

    // Nothing when no limit is typed; a maximum RSD needs one.
    std::optional<CriteriosEquivalencia> criterios() const;

    Estudio m_estudio;
    QString m_rutaEstudio;
    Huella m_huella;
    QChar m_separador;
    // What the text shows, which is what is printed.
    QStringList m_lineas;
    QLineEdit *elimite;
    QLineEdit *edermaxima;
    QCheckBox *cbbonferroni;
    QPlainTextEdit *m_texto;
};
