#pragma once

#include "core/motor/Supuestos.h"

#include <QChar>
#include <QStringList>

// The content of the assumptions window and of "--supuestos", line by line.
QStringList LineasSupuestos(const Supuestos &supuestos, QChar separador);
