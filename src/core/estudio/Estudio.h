#pragma once

#include <QString>
#include <QVector>

// The cells of the data grid as texts: column 0 and row 0 are labels,
// cell (i, j) holds the value of sample j at FAM level i.
class Rejilla
{
public:
    Rejilla(int columnas = 5, int filas = 4);

    int columnas() const { return m_columnas; }
    int filas() const { return m_filas; }

    // Empty outside the grid.
    QString celda(int columna, int fila) const;
    // Ignored outside the grid.
    void ponCelda(int columna, int fila, const QString &texto);
    // Texts inside both the old and the new size are kept.
    void redimensiona(int columnas, int filas);

private:
    int m_columnas;
    int m_filas;
    QVector<QString> m_celdas;
};

// A study as the document window holds it: the texts of its six fields and
// of its grid, exactly as typed or read.
struct Estudio
{
    QString factores;
    QString metodo;
    QString analista;
    QString fecha;
    QString numeroFam = QStringLiteral("2");
    QString numeroMuestras = QStringLiteral("3");
    Rejilla rejilla;
};

// Header texts of the grid.
namespace Etiquetas {
// Written when the document window is created.
QString esquinaCreacion();      // "  FAM"
QString famCreacion(int i);     // " 1"
// Written by the accept button.
QString esquinaAceptada();      // " FAM"
QString famAceptada(int i);     // "   1"
// Sample labels, the same in both cases.
QString muestra(int j);         // "Muestra 1"
} // namespace Etiquetas

// The counts of a new study.
inline constexpr int FamInicial = 2;
inline constexpr int MuestrasInicial = 3;

// The grid as the document window creates it, sized to the counts of a new
// study (so that entering it asks for no accept), with creation labels.
Rejilla RejillaCreacion();

// What the accept button does to the grid for k FAM and n samples:
// size (k + 1) × (n + 1) and its labels; typed cells stay.
void AceptaRejilla(Rejilla &rejilla, int k, int n);

// Keeps in `memoria` the data cells of `mostrada` (all but its heading row
// and column) over what it held, growing it to hold them: cells typed
// before stay, also those a smaller grid no longer shows.
void RecuerdaCeldas(Rejilla &memoria, const Rejilla &mostrada);
