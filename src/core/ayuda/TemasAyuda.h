#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

// The help viewer's commands, as the menu passes them.
namespace ComandoAyuda {
constexpr int contenido = 3;     // contents
constexpr int ayudaDeAyuda = 4;  // help on help
constexpr int buscar = 261;      // partial-key search; an empty key opens the search dialog
} // namespace ComandoAyuda

// The help set is a folder of HTML pages (compiled in as resources). Each
// page is one topic: its <title> is the topic's title and its
// <meta name="keywords"> the ";"-separated keys the search finds it by.
struct TemaAyuda
{
    QString pagina;     // file name inside the folder, "guardar.html"
    QString titulo;
    QStringList claves;
};

// The folder of the compiled-in help set.
QString CarpetaAyuda();

// Title and keywords of one page, from its HTML text.
TemaAyuda AnalizaPagina(const QString &pagina, const QString &html);

// Every page of a help folder, sorted by file name.
QVector<TemaAyuda> LeeTemasAyuda(const QString &carpeta = CarpetaAyuda());

// The page (optionally with "#anchor") that answers a viewer command
// (3 contents, 4 help on help) or a context number; empty when unknown.
QString PaginaDeComando(int comando);
QString PaginaDeContexto(int numero);

// Every context number the program hands to the viewer.
QList<int> NumerosDeContexto();

// One line of the search list: a keyword and the topic it leads to.
struct EntradaIndice
{
    QString clave;
    QString pagina;
    QString titulo;
};

// All keywords and titles of the topics, sorted ignoring case and accents.
QVector<EntradaIndice> IndiceAyuda(const QVector<TemaAyuda> &temas);

// The entries whose keyword contains `parcial`, ignoring case and accents;
// the whole index for an empty text.
QVector<EntradaIndice> FiltraIndice(const QVector<EntradaIndice> &indice, const QString &parcial);

// A text folded for comparison: lower case, no accents, single blanks.
QString ClaveNormalizada(const QString &texto);
