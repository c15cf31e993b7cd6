#include "TemasAyuda.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {

// Which topic answers each number. Context numbers are the help numbers of
// the menu items and of the study window; commands are the viewer's own.
struct Destino
{
    int numero;
    const char *pagina;
};

constexpr Destino comandos[] = {
    {ComandoAyuda::contenido, "indice.html"},
    {ComandoAyuda::ayudaDeAyuda, "usar-ayuda.html"},
};

constexpr Destino contextos[] = {
    {1, "menu-archivo.html"},
    {2, "estudio.html"},        // "&Nuevo" and the study window itself
    {3, "abrir.html"},
    {4, "cerrar.html"},
    {5, "guardar.html"},
    {6, "guardar.html#como"},
    {7, "imprimir.html"},
    {8, "salir.html"},
    {10, "calculos.html"},
    {11, "anova.html"},         // the analysis-of-variance window
    {12, "intervalos.html"},    // the confidence-interval window
    {13, "dunnett.html"},       // "&t de Dunnett" in the grid menu
    {14, "supuestos.html"},
    {15, "grafica.html"},
    {16, "precision.html"},     // intermediate precision and equivalence
    {17, "verificacion.html"},  // installing and verifying the program
    {19, "informe.html"},
    {20, "ventana.html"},
    {21, "registro.html"},      // the register window and its command
    {22, "registro.html#firmas"},  // signing
    {30, "menu-ayuda.html"},
    {31, "menu-ayuda.html#contenido"},
    {32, "menu-ayuda.html#buscar"},
    {33, "acerca.html"},
};

template<std::size_t N>
QString busca(const Destino (&tabla)[N], int numero)
{
    for (const Destino &d : tabla)
        if (d.numero == numero)
            return QString::fromLatin1(d.pagina);
    return {};
}

QString sinEntidades(QString texto)
{
    texto.replace(QLatin1String("&lt;"), QLatin1String("<"));
    texto.replace(QLatin1String("&gt;"), QLatin1String(">"));
    texto.replace(QLatin1String("&quot;"), QLatin1String("\""));
    texto.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return texto.simplified();
}

} // namespace

QString CarpetaAyuda()
{
    return QStringLiteral(":/ayuda");
}

TemaAyuda AnalizaPagina(const QString &pagina, const QString &html)
{
    static const QRegularExpression titulo(
        QStringLiteral("<title>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression claves(
        QStringLiteral("<meta\\s+name=\"keywords\"\\s+content=\"([^\"]*)\""),
        QRegularExpression::CaseInsensitiveOption);

    TemaAyuda tema;
    tema.pagina = pagina;
    tema.titulo = sinEntidades(titulo.match(html).captured(1));
    const QStringList partes = claves.match(html).captured(1).split(u';');
    for (const QString &parte : partes) {
        const QString clave = sinEntidades(parte);
        if (!clave.isEmpty())
            tema.claves.append(clave);
    }
    return tema;
}

QVector<TemaAyuda> LeeTemasAyuda(const QString &carpeta)
{
    QVector<TemaAyuda> temas;
    const QDir dir(carpeta);
    const QStringList paginas = dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
    for (const QString &pagina : paginas) {
        QFile archivo(dir.filePath(pagina));
        if (archivo.open(QIODevice::ReadOnly))
            temas.append(AnalizaPagina(pagina, QString::fromUtf8(archivo.readAll())));
    }
    return temas;
}

QString PaginaDeComando(int comando)
{
    return busca(comandos, comando);
}

QString PaginaDeContexto(int numero)
{
    return busca(contextos, numero);
}

QList<int> NumerosDeContexto()
{
    QList<int> numeros;
    for (const Destino &d : contextos)
        numeros.append(d.numero);
    return numeros;
}

QString ClaveNormalizada(const QString &texto)
{
    const QString descompuesto = texto.normalized(QString::NormalizationForm_D);
    QString limpio;
    limpio.reserve(descompuesto.size());
    for (const QChar c : descompuesto)
        if (c.category() != QChar::Mark_NonSpacing)
            limpio.append(c);
    return limpio.toCaseFolded().simplified();
}

QVector<EntradaIndice> IndiceAyuda(const QVector<TemaAyuda> &temas)
{
    QVector<EntradaIndice> indice;
    for (const TemaAyuda &tema : temas) {
        QStringList claves = tema.claves;
        if (!tema.titulo.isEmpty())
            claves.prepend(tema.titulo);
        QStringList vistas;
        for (const QString &clave : std::as_const(claves)) {
            const QString normal = ClaveNormalizada(clave);
            if (vistas.contains(normal))
                continue;
            vistas.append(normal);
            indice.append({clave, tema.pagina, tema.titulo});
        }
    }
    std::stable_sort(indice.begin(), indice.end(), [](const EntradaIndice &a, const EntradaIndice &b) {
        const int orden = ClaveNormalizada(a.clave).compare(ClaveNormalizada(b.clave));
        return orden != 0 ? orden < 0 : a.titulo < b.titulo;
    });
    return indice;
}

QVector<EntradaIndice> FiltraIndice(const QVector<EntradaIndice> &indice, const QString &parcial)
{
    const QString buscado = ClaveNormalizada(parcial);
    if (buscado.isEmpty())
        return indice;
    QVector<EntradaIndice> encontradas;
    for (const EntradaIndice &entrada : indice)
        if (ClaveNormalizada(entrada.clave).contains(buscado))
            encontradas.append(entrada);
    return encontradas;
}
