#pragma once

#include "core/paginas/Lienzo.h"

#include "core/estudio/Estudio.h"
#include "core/estudio/Etiquetas.h"
#include "core/estudio/Huella.h"
#include "core/estudio/Registro.h"
#include "core/motor/ResultadosAnova.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// One printed page in the making. Positions are given in the page's units:
// `renglon` (L, the header font's height in pixels) down and `columna`
// (C, the header font's size in points, used as pixels) across. Both are
// measured once when the header begins the job and stay for the whole page.
class Hoja
{
public:
    // Begins the job, sets the header font and measures the units, then
    // draws the four header lines centred from `primeraLinea` down and the
    // rule 20 pixels below the top of the line after them.
    Hoja(Lienzo &lienzo, int tamanoEncabezado, int tamanoTexto,
         const std::array<QString, 4> &encabezado, int primeraLinea);

    int renglon() const { return m_renglon; }

    // Switches to the body font; the units keep their header values.
    void letraTexto();

    // Text at (columnas C, lineas L). An empty text draws nothing.
    void escribe(int columnas, int lineas, const QString &texto);
    // Centred across the page, in the current font (truncating division).
    void centrado(int lineas, const QString &texto);
    // Right-aligned at the page's right edge, in the current font.
    void derecha(int lineas, const QString &texto);
    // A figure, or a number, through the general format.
    void numero(int columnas, int lineas, const Cifra &valor);
    void numero(int columnas, int lineas, double valor);
    // A rule across the printable width at y pixels.
    void regla(int y);
    // The lines of the top margin, from the top of the printable area down,
    // in a small font, above the header and clear of it: no more than
    // LineasMargen gives. Drawn last, so nothing else on the page moves.
    void margen(const QStringList &lineas);

private:
    Lienzo &m_lienzo;
    int m_tamanoEncabezado;
    int m_tamanoTexto;
    int m_primeraLinea;
    int m_renglon = 0;
    int m_columna = 0;
};

// The top margin of a page: the study's fingerprint line, then the line of
// each valid signature ("Firma: Aprobado por Ana Núñez (anunez),
// 2026-03-04 15:20:11 UTC"), none while the study has unsaved changes. At
// most four lines, which both layouts hold above their header: beyond
// that the last line counts the signatures left out.
QStringList LineasMargen(const Huella &huella, const QList<Firma> &firmas);

// Writes `lineas` from the top of the printable area down, in the margin's
// small font, as Hoja::margen does; returns how many pixels they take, their
// spacing below included (0 for none).
int EscribeMargen(Lienzo &lienzo, const QStringList &lineas);

// Runs one page as one print job: the page routine begins the job (through
// its Hoja); the job is ended when the routine finishes and dropped when it
// fails, and the failure goes on to the caller.
void UnTrabajo(Lienzo &lienzo, const std::function<void()> &pagina);

// Fixed texts shared by the two layouts.
namespace TextoPagina {
inline const QString fam = QStringLiteral("Factores Ajenos al Método (FAM): ");
inline const QString version31 = QStringLiteral("QUORIX v. w 3.1");
inline const QString version30 = QStringLiteral("QUORIX v. w 3.0");
inline const QString hayDiferencia = QStringLiteral("Hay Diferencia entre FAM");
inline const QString sinDiferencia = QStringLiteral("Sin Diferencia entre FAM ");
} // namespace TextoPagina

// The general information in the order both information pages print it:
// FAM, method, analyst, date, FAM count label, count, sample count label, count.
std::array<QString, 8> InformacionGeneral(const Estudio &estudio);

// The data grid, columns 0..k (k read from the FAM count, which throws
// ErrorConversion when it is not an integer) by every row, cell (c, r) at
// ((x0 + dx c) C, (y0 + r) L). Columns beyond the grid are not printed.
void ImprimeRejilla(Hoja &hoja, const Estudio &estudio, int x0, int dx, int y0);

// Footer right-aligned on `linea` and the closing rule on the line below.
void PieDePagina(Hoja &hoja, int linea, const QString &version);

// Where each layout puts the analysis-of-variance rows: the source's text
// of the FAM row and of the error row, and the x of each column.
struct ColumnasAnova
{
    std::array<QString, 2> fuentes;
    int fuente, grados, suma, media, f, probabilidad;
};

// The rows from `linea` down; returns the line after them.
int FilasAnovaEnHoja(Hoja &hoja, const ResultadosAnova &resultados, int linea, const ColumnasAnova &columnas);

// Where each layout puts the interval block: the x of each heading text
// ("FAM", "FAM", lower, upper, conclusion) and of each value of a pair line.
struct ColumnasIntervalos
{
    std::array<int, 5> titulos;
    std::array<QString, 5> textos;
    std::array<int, 5> valores;
};

// Heading on `linea`, then the first `pares` pairs in the pair order (no
// more than the results hold), the p-th on linea + p. Returns the number of
// pair lines printed.
int BloqueIntervalos(Hoja &hoja, const ResultadosAnova &resultados, int pares, int linea,
                     const ColumnasIntervalos &columnas);
