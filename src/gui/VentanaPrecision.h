#pragma once

#include "core/estudio/Estudio.h"
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
// criteria recalculate from what the window was opened with.
class VentanaPrecision : public VentanaResultado
{
    Q_OBJECT

public:
    // `estudio` calculated with `separador` into `componentes`, without
    // criteria; the fields start with `textos`.
    VentanaPrecision(const Estudio &estudio, QChar separador, const ResultadoPrecision &componentes,
                     const TextosCriterios &textos, QWidget *parent = nullptr);

    // Reads the fields, calculates and shows the result. Throws
    // ErrorConversion with the field's message when one does not read; the
    // text then keeps the last result, which names the criteria it was
    // calculated with. "Recalcular" also remembers the criteria read.
    void calcula();

private:
    // Nothing when no limit is typed; a maximum RSD needs one.
    std::optional<CriteriosEquivalencia> criterios() const;

    Estudio m_estudio;
    QChar m_separador;
    QLineEdit *elimite;
    QLineEdit *edermaxima;
    QCheckBox *cbbonferroni;
    QPlainTextEdit *m_texto;
};
