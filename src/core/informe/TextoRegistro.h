#pragma once

#include "core/estudio/Registro.h"

#include <QString>
#include <QStringList>

// The study's register as text, for the register window, its print and PDF
// and the command line: a heading, then each entry (its line, when in UTC
// and in local time, who by account and full name with which version, what,
// and why), then what checking it found.
QStringList LineasRegistro(const VeredictoRegistro &registro, const QString &rutaEstudio);

// "2026-03-04 15:20:11 UTC · 2026-03-04 09:20:11 hora local (UTC-06:00)"
QString TextoMomento(const ContextoEntrada &contexto);
