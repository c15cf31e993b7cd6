#include "Errores.h"

#include "core/motor/Mensajes.h"

void SinTextoDeBiblioteca(const std::function<void()> &calculo)
{
    try {
        calculo();
    } catch (const ErrorTolerancia &) {
        throw;
    } catch (const std::exception &) {
        throw ErrorCalculo(TextoDe(Mensaje::errorDeCalculo));
    }
}
