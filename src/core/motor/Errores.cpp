#include "Errores.h"

void SinTextoDeBiblioteca(const std::function<void()> &calculo)
{
    try {
        calculo();
    } catch (const ErrorTolerancia &) {
        throw;
    } catch (const std::exception &) {
        throw ErrorCalculo(QStringLiteral("Existió un error de cálculo, verificar valores de captura."));
    }
}
