// The study's register: its chain against an independent computation, each
// kind of tampering, a study changed outside the program, signatures, the
// flows' refusals, the text of the trail, and the files under injected faults.
#include "Estudios.h"

#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/FlujoRegistro.h"
#include "core/informe/TextoRegistro.h"
#include "core/motor/Errores.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString casos = QStringLiteral(TOLERANCIA_FUENTES "/tests/registro/casos/");

// casos/genera_registro.py writes the register and the studies with hashlib
// and json; verifica_registro.py checks a register with them alone.
QByteArray caso(const QString &nombre)
{
    return contenido(casos + nombre);
}

QString independiente(const QString &estudio)
{
    return salidaDe(u"python3"_s, {casos + u"verifica_registro.py"_s, RutaRegistro(estudio), estudio}).trimmed();
}

void escribe(const QString &ruta, const QByteArray &bytes)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

ContextoEntrada contexto(int dia, QTime hora, int minutosDesfase, const Autor &autor,
                         const QString &version = u"3.1"_s)
{
    return ContextoEn(QDateTime(QDate(2026, 3, dia), hora, Qt::UTC),
                      QTimeZone(minutosDesfase * 60), autor, version);
}

const Autor ana{u"anunez"_s, u"Ana Núñez"_s};
const Autor luis{u"lrios"_s, QString()};
const ContextoEntrada alCrear = contexto(4, QTime(15, 20, 11), -360, ana);
const ContextoEntrada alCorregir = contexto(5, QTime(16, 0), -360, ana);
const ContextoEntrada alFirmar = contexto(6, QTime(8, 30), 330, luis);
const ContextoEntrada otraVersion = contexto(7, QTime(12, 0), -210, luis, u"3.2"_s);

// The life of genera_registro.py's study, made by the program's builders.
QByteArray cadenaDelPrograma()
{
    const QByteArray v1 = caso(u"v1.w1e"_s), v2 = caso(u"v2.w1e"_s), otro = caso(u"otro.w1e"_s);
    QByteArray r = AnadeEntradas({}, {EntradaCreacion(alCrear, u"estudio.w1e"_s, std::nullopt)});
    r = AnadeEntradas(r, EntradasGuardado(alCrear, {std::nullopt, v1, {}}));
    r = AnadeEntradas(r, EntradasGuardado(alCorregir, {v1, v2, u" Se transcribió mal la muestra 2 del FAM 2 \"101.3\""_s}));
    r = AnadeEntradas(r, {EntradaFirma(alFirmar, VerificaRegistro(r, HuellaDe(v2)), HuellaDe(v2), u"Luis Ríos "_s,
                                       Significado::revisado)});
    r = AnadeEntradas(r, {EntradaImpresion(alFirmar, HuellaDe(v2), u"Información General, láser"_s, u"HP LaserJet 4250"_s),
                          EntradaExportacion(alFirmar, Huella{}, u"Resultados, PDF"_s, u"/home/lrios/r/resultados.pdf"_s)});
    r = AnadeEntradas(r, {EntradaVerificacion(otraVersion, VerificaRegistro(r, HuellaDe(v2)))});
    return AnadeEntradas(r, EntradasAviso(otraVersion, AvisosRegistro(VerificaRegistro(r, HuellaDe(otro)), u"estudio.w1e"_s),
                                          HuellaDe(otro)));
}

QStringList textos(const QList<AvisoRegistro> &avisos)
{
    QStringList t;
    for (const AvisoRegistro &a : avisos)
        t << a.clave + u": "_s + a.texto;
    return t;
}

// The text of the error `accion` throws, run by an account without
// privileges when the tests run as root (who may write in any folder).
QString errorSinPrivilegios(const std::function<void()> &accion)
{
    if (geteuid() != 0)
        return errorDe(accion);
    int tubo[2];
    if (pipe(tubo) != 0)
        return u"<sin tubo>"_s;
    const pid_t hijo = fork();
    if (hijo == 0) {
        close(tubo[0]);
        const QByteArray texto = setgid(65534) == 0 && setuid(65534) == 0 ? errorDe(accion).toUtf8() : "<setuid>";
        const ssize_t escritos = write(tubo[1], texto.constData(), std::size_t(texto.size()));
        _exit(escritos == texto.size() ? 0 : 1);
    }
    close(tubo[1]);
    QByteArray leido;
    char parte[512];
    for (ssize_t n; (n = read(tubo[0], parte, sizeof parte)) > 0;)
        leido.append(parte, n);
    close(tubo[0]);
    waitpid(hijo, nullptr, 0);
    return QString::fromUtf8(leido);
}

} // namespace

class TstRegistro : public QObject
{
    Q_OBJECT

private slots:
    // The register the program writes is, byte for byte, the one written
    // from its documented layout apart from it; it reads back whole and
    // checks as intact against the study last saved.
    void cadena()
    {
        const QByteArray esperada = caso(u"cadena.registro"_s);
        QCOMPARE(cadenaDelPrograma(), esperada);

        const VeredictoRegistro v = VerificaRegistro(esperada, HuellaDe(caso(u"v2.w1e"_s)));
        QVERIFY(v.correcto());
        QCOMPARE(v.lineaGuardado, 3);
        QCOMPARE(v.firmas.size(), 1);
        QVERIFY(v.firmas[0].valida());
        QCOMPARE(v.entradas.size(), 9);
        const QList<QByteArray> lineas = esperada.split('\n');
        for (int i = 0; i < 9; ++i)
            QCOMPARE(JsonDeEntrada(v.entradas[i]), QJsonDocument::fromJson(lineas[i]).object());
        // A version records its check once; never over a study it cannot match.
        QVERIFY(!PideVerificacion(v, u"3.2"_s));
        QVERIFY(PideVerificacion(v, u"3.3"_s));
        QVERIFY(!PideVerificacion(VerificaRegistro(esperada, HuellaDe(caso(u"v1.w1e"_s))), u"3.3"_s));
    }

    void manipulaciones_data()
    {
        QTest::addColumn<QByteArray>("registro");
        QTest::addColumn<int>("fallo");
        QTest::addColumn<int>("linea");
        const QByteArray r = caso(u"cadena.registro"_s);
        QList<QByteArray> l = r.split('\n');
        l.removeLast();
        const auto une = [](const QList<QByteArray> &lineas) { return lineas.join('\n') + '\n'; };
        const auto sin = [&](int i) { QList<QByteArray> m = l; m.removeAt(i); return une(m); };
        const auto con = [&](int i, const QByteArray &linea) { QList<QByteArray> m = l; m[i] = linea; return une(m); };
        QList<QByteArray> cambiadas = l;
        cambiadas.swapItemsAt(4, 5);
        const int eslabon = int(FalloCadena::eslabonRoto), ilegible = int(FalloCadena::lineaIlegible),
                  incompleta = int(FalloCadena::lineaIncompleta);
        QTest::newRow("un byte editado") << con(2, QByteArray(l[2]).replace("T16:00", "T17:00")) << eslabon << 4;
        QTest::newRow("un byte que deja de ser JSON") << con(2, QByteArray(l[2]).replace(0, 1, "[")) << ilegible << 3;
        QTest::newRow("un nombre cambiado") << con(5, QByteArray(l[5]).replace("\"destino\"", "\"destinx\"")) << ilegible << 6;
        QTest::newRow("una línea quitada") << sin(1) << eslabon << 2;
        QTest::newRow("la primera línea quitada") << sin(0) << eslabon << 1;
        QTest::newRow("dos líneas intercambiadas") << une(cambiadas) << eslabon << 5;
        QTest::newRow("la última línea truncada") << r.chopped(20) << incompleta << 9;
        QTest::newRow("el último salto de línea quitado") << r.chopped(1) << incompleta << 9;
        QTest::newRow("basura añadida") << r + "basura\n" << ilegible << 10;
        QTest::newRow("una línea vacía añadida") << r + "\n" << ilegible << 10;
        QTest::newRow("fines de línea CR LF") << QByteArray(r).replace("\n", "\r\n") << eslabon << 2;
        QTest::newRow("vacío") << QByteArray() << int(FalloCadena::vacio) << 1;
    }

    // Any edit, removal, reordering or cut is found, at the line that
    // shows it; no signature of such a register stays valid.
    void manipulaciones()
    {
        QFETCH(QByteArray, registro);
        QFETCH(int, fallo);
        QFETCH(int, linea);
        const VeredictoRegistro v = VerificaRegistro(registro, HuellaDe(caso(u"v2.w1e"_s)));
        QVERIFY(v.rotura);
        QCOMPARE(int(v.rotura->fallo), fallo);
        QCOMPARE(v.rotura->linea, linea);
        QVERIFY(!v.correcto());
        for (const Firma &f : v.firmas)
            QCOMPARE(f.estado, EstadoFirma::registroModificado);
        QCOMPARE(AvisosRegistro(v, u"e.w1e"_s).first().clave, u"registroModificado"_s);
    }

    // The exact warnings: each kind of break names the register and its
    // line; the study changed outside names the save it no longer matches.
    void avisos()
    {
        const QByteArray r = caso(u"cadena.registro"_s);
        const Huella v2 = HuellaDe(caso(u"v2.w1e"_s)), v1 = HuellaDe(caso(u"v1.w1e"_s));
        const QString roto = u"registroModificado: El registro de cambios «e.w1e.registro» fue modificado: "_s;
        const QString fuera = u"estudioModificado: El estudio «e.w1e» fue modificado fuera del programa: no es el "
                              "que anota su último guardado (línea 3 del registro de cambios)."_s;
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro(r, v2), u"e.w1e"_s)), QStringList());
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro(r, v1), u"e.w1e"_s)), QStringList{fuera});
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro({}, v2), u"e.w1e"_s)),
                 (QStringList{roto + u"está vacío."_s,
                              u"estudioModificado: El registro de cambios no anota ningún guardado del estudio "
                              "«e.w1e»: no se puede comprobar que sea el que guardó el programa."_s}));
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro(r + "x\n", v1), u"e.w1e"_s)),
                 (QStringList{roto + u"su línea 10 no es una entrada del registro."_s, fuera}));
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro(r.mid(r.indexOf('\n') + 1), v2), u"e.w1e"_s)),
                 QStringList{roto + u"la entrada de su línea 1 no sigue a la anterior (se editó, quitó o reordenó "
                                    "una entrada)."_s});
        QCOMPARE(textos(AvisosRegistro(VerificaRegistro(r.chopped(1), v2), u"e.w1e"_s)),
                 QStringList{roto + u"su última línea (9) está incompleta."_s});
        QCOMPARE(textos(AvisosRegistro(VeredictoRegistro{}, u"e.w1e"_s)),
                 QStringList{u"sinRegistro: El estudio «e.w1e» no tiene registro de cambios: no se puede comprobar "
                             "su historia."_s});

        // The study saved again after the signature: the signature no longer holds.
        const VeredictoRegistro v = VerificaRegistro(r, v1);
        QCOMPARE(v.firmas.first().estado, EstadoFirma::estudioCambiado);
        QCOMPARE(VerificaRegistro(r, Huella{}).firmas.first().estado, EstadoFirma::estudioCambiado);
    }

    void firmaRechazada_data()
    {
        QTest::addColumn<QByteArray>("registro");  // empty: none
        QTest::addColumn<QString>("enDisco");     // the study file on disk
        QTest::addColumn<QString>("mostrado");    // the study shown; empty: unsaved changes
        QTest::addColumn<QString>("firmante");
        QTest::addColumn<QString>("error");       // empty: signed
        const QByteArray r = caso(u"cadena.registro"_s);
        QList<QByteArray> l = r.split('\n');
        l.swapItemsAt(1, 2);
        const QString fuera = u"No se puede firmar el estudio: fue modificado fuera del programa después de su "
                              "último guardado."_s;
        QTest::newRow("firmada") << r << u"v2.w1e"_s << u"v2.w1e"_s << u"Ana Núñez"_s << QString();
        QTest::newRow("sin registro") << QByteArray() << u"v1.w1e"_s << u"v1.w1e"_s << u"Ana Núñez"_s << QString();
        QTest::newRow("cambios sin guardar") << r << u"v2.w1e"_s << QString() << u"Ana Núñez"_s
            << u"No se puede firmar un estudio con cambios sin guardar: guárdelo antes de firmar."_s;
        QTest::newRow("registro modificado") << l.join('\n') << u"v2.w1e"_s << u"v2.w1e"_s << u"Ana Núñez"_s
            << u"No se puede firmar el estudio: su registro de cambios fue modificado."_s;
        QTest::newRow("modificado fuera") << r << u"v1.w1e"_s << u"v1.w1e"_s << u"Ana Núñez"_s << fuera;
        QTest::newRow("el disco no es lo mostrado") << QByteArray() << u"v2.w1e"_s << u"v1.w1e"_s << u"Ana Núñez"_s << fuera;
        QTest::newRow("sin nombre") << r << u"v2.w1e"_s << u"v2.w1e"_s << u" \t "_s
            << u"Falta el nombre completo de quien firma."_s;
        for (const QString &nombre : {u"Ana\nNúñez"_s, u"Ana\u2028Núñez"_s, u"Ana\u0085Núñez"_s})
            QTest::newRow("dos líneas") << r << u"v2.w1e"_s << u"v2.w1e"_s << nombre
                << u"El nombre de quien firma debe escribirse en una sola línea."_s;
    }

    // A signature binds the study as shown, saved, on disk and last saved
    // by the program, to a one-line name.
    void firmaRechazada()
    {
        QFETCH(QByteArray, registro);
        QFETCH(QString, enDisco);
        QFETCH(QString, mostrado);
        QFETCH(QString, firmante);
        QFETCH(QString, error);
        const Huella disco = HuellaDe(caso(enDisco));
        VeredictoRegistro v;
        v.sha256Estudio = disco.sha256;
        if (!registro.isEmpty())
            v = VerificaRegistro(registro, disco);
        const Huella visto = mostrado.isEmpty() ? Huella{} : HuellaDe(caso(mostrado));
        QCOMPARE(errorDe<ErrorRegistro>([&] { EntradaFirma(alFirmar, v, visto, firmante, Significado::aprobado); }),
                 error.isEmpty() ? u"<sin error>"_s : error);
    }

    // Saving back the first version lists every difference, a cell that
    // goes with a smaller count as no longer there; the same study, none.
    // The reason is asked only of a changed study that had a saved version.
    void cambiosYMotivo()
    {
        const QByteArray v1 = caso(u"v1.w1e"_s), v2 = caso(u"v2.w1e"_s);
        const QList<Cambio> esperados{
            {u"metodo"_s, 0, 0, u"Valoración por HPLC"_s, u"Valoración por UV"_s},
            {u"numeroMuestras"_s, 0, 0, u"3"_s, u"2"_s},
            {u"celda"_s, 1, 3, u"99.8"_s, std::nullopt},
            {u"celda"_s, 2, 2, u"101.8"_s, u"101.3"_s},
            {u"celda"_s, 2, 3, u"100.6"_s, std::nullopt}};
        QCOMPARE(CambiosEntre(LeeEstudio(v2), LeeEstudio(v1)), esperados);
        QCOMPARE(CambiosEntre(LeeEstudio(v1), LeeEstudio(v1)), QList<Cambio>());
        QCOMPARE(NombreCambio(esperados[1]), u"Número de Muestras"_s);
        QCOMPARE(NombreCambio(esperados[2]), u"FAM 1, muestra 3"_s);

        QVERIFY(NecesitaMotivo(v1, v2));
        QVERIFY(!NecesitaMotivo(v1, v2, false));
        QVERIFY(!NecesitaMotivo(v1, v1));
        QVERIFY(!NecesitaMotivo(std::nullopt, v2));
        QCOMPARE(errorDe<ErrorRegistro>([&] { EntradasGuardado(alCrear, {v1, v2, u" \t "_s}); }),
                 u"Falta el motivo del cambio."_s);
        QCOMPARE(errorDe<ErrorRegistro>([] { RevisaMotivo(u"uno\r\ndos"_s); }),
                 u"El motivo del cambio debe escribirse en una sola línea."_s);
    }

    // The whole trail as the register window and the command line show it,
    // checked by eye once.
    void presentacion()
    {
        const VeredictoRegistro v = VerificaRegistro(caso(u"cadena.registro"_s), HuellaDe(caso(u"v2.w1e"_s)));
        QStringList esperado = QString::fromUtf8(caso(u"registro.txt"_s)).split(u'\n');
        esperado.removeLast();
        QCOMPARE(LineasRegistro(v, u"estudio.w1e"_s), esperado);
    }

    // The fingerprint is the file's SHA-256 as sha256sum gives it; the
    // account and full name, those the system's own tools give.
    void huellaYAutor()
    {
        const QString sha256 = salidaDe(u"sha256sum"_s, {casos + u"v1.w1e"_s}).section(u' ', 0, 0);
        QCOMPARE(HuellaDe(caso(u"v1.w1e"_s)).sha256, sha256);
        QCOMPARE(LineaHuella(HuellaDe(caso(u"v1.w1e"_s))),
                 u"Huella del estudio (SHA-256): "_s + sha256 + u" · Tolerancia del Método " TOLERANCIA_VERSION ""_s);
        QCOMPARE(LineaHuella(Huella{}), u"Huella del estudio: estudio sin guardar · Tolerancia del Método " TOLERANCIA_VERSION ""_s);

        const Autor autor = AutorDelSistema();
        QCOMPARE(autor.cuenta, salidaDe(u"id"_s, {u"-un"_s}).trimmed());
        QCOMPARE(autor.nombreCompleto,
                 salidaDe(u"getent"_s, {u"passwd"_s, autor.cuenta}).section(u':', 4, 4).section(u',', 0, 0).trimmed());
    }

    // Saves, a signature and notes on disk, each checked by the independent
    // verifier; signing never touches the study's bytes.
    void enDisco()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        const QByteArray v1 = caso(u"v1.w1e"_s), v2 = caso(u"v2.w1e"_s), otro = caso(u"otro.w1e"_s);
        GuardaEstudioRegistrado(ruta, alCrear, {std::nullopt, v1, {}});
        QCOMPARE(contenido(ruta), v1);
        QCOMPARE(independiente(ruta), u"intacto 2 coincide creado guardado"_s);
        GuardaEstudioRegistrado(ruta, alCorregir, {v1, v2, u"Corrección"_s});
        QCOMPARE(independiente(ruta), u"intacto 4 coincide creado guardado guardado motivo"_s);

        FirmaEstudio(ruta, alFirmar, u"Luis Ríos"_s, Significado::aprobado);
        QCOMPARE(contenido(ruta), v2);
        QCOMPARE(independiente(ruta), u"intacto 5 coincide creado guardado guardado motivo firmado"_s);
        QCOMPARE(errorDe<ErrorRegistro>([&] { FirmaEstudio(ruta, alFirmar, u"L"_s, Significado::aprobado, Huella{}); }),
                 u"No se puede firmar un estudio con cambios sin guardar: guárdelo antes de firmar."_s);

        // Changed outside the program: found, refused, and the warning recorded.
        escribe(ruta, otro);
        const VeredictoRegistro v = VerificaRegistroDe(ruta, HuellaDe(otro));
        QVERIFY(v.cadenaIntacta() && !v.estudioCoincide);
        QVERIFY(errorDe<ErrorRegistro>([&] { FirmaEstudio(ruta, alFirmar, u"L"_s, Significado::aprobado); })
                    .contains(u"fue modificado fuera del programa"_s));
        AnotaEnRegistro(ruta, otraVersion, EntradasAviso(otraVersion, AvisosRegistro(v, ruta), HuellaDe(otro)));
        QCOMPARE(independiente(ruta), u"intacto 6 difiere creado guardado guardado motivo firmado aviso"_s);

        // A study that has no register gets one over the file as it is.
        const QString viejo = dir.filePath(u"viejo.w1e"_s);
        escribe(viejo, v1);
        AnotaEnRegistro(viejo, alFirmar, {EntradaImpresion(alFirmar, HuellaDe(v1), u"Resultados, láser"_s, u"HP"_s)});
        QCOMPARE(independiente(viejo), u"intacto 2 coincide creado impreso"_s);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 (QStringList{u"estudio.w1e"_s, u"estudio.w1e.registro"_s, u"viejo.w1e"_s, u"viejo.w1e.registro"_s}));
    }

    void fallos_data()
    {
        QTest::addColumn<QString>("fallo");
        QTest::addColumn<QString>("mensaje");     // %1 the study, %2 its register
        QTest::addColumn<bool>("estudioEscrito");
        for (const QStringList &c : casosDe(casos + u"fallos.tsv"_s))
            QTest::newRow(qPrintable(c[0])) << c[0] << c[1] << (c[2] == u"sí");
    }

    // A save whose register cannot be written: either nothing is written, or
    // the study is and the error says the save is not complete. The register
    // stays whole as it was, no scratch file stays, and saving again once
    // the fault is gone records the change.
    void fallos()
    {
        QFETCH(QString, fallo);
        QFETCH(QString, mensaje);
        QFETCH(bool, estudioEscrito);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s), registro = RutaRegistro(ruta);
        const QByteArray v1 = caso(u"v1.w1e"_s), v2 = caso(u"v2.w1e"_s);
        GuardaEstudioRegistrado(ruta, alCrear, {std::nullopt, v1, {}});
        const QByteArray registroAntes = contenido(registro);
        const auto guarda = [&] { GuardaEstudioRegistrado(ruta, alCorregir, {v1, v2, u"Corrección"_s}); };

        QString error;
        if (fallo == u"disco lleno") {
            // Room for the study's bytes, not for the register's.
            struct rlimit anterior;
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &anterior), 0);
            struct rlimit limite = anterior;
            limite.rlim_cur = v2.size() + 10;
            const auto senal = std::signal(SIGXFSZ, SIG_IGN);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &limite), 0);
            error = errorDe(guarda);
            setrlimit(RLIMIT_FSIZE, &anterior);
            std::signal(SIGXFSZ, senal);
        } else if (fallo == u"carpeta de solo lectura") {
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                                          | QFile::ExeOther));
            error = errorSinPrivilegios(guarda);
            QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        } else if (fallo == u"registro en uso") {
            QLockFile otroPrograma(registro + u".lock"_s);
            QVERIFY(otroPrograma.tryLock(0));
            error = errorDe(guarda);
        } else {
            QVERIFY(QFile::rename(registro, registro + u".aparte"_s) && QDir(dir.path()).mkdir(registro));
            error = errorDe(guarda);
            QVERIFY(QDir(dir.path()).rmdir(registro) && QFile::rename(registro + u".aparte"_s, registro));
        }
        QCOMPARE(error, mensaje.replace(u"%1"_s, ruta).replace(u"%2"_s, registro));
        QCOMPARE(contenido(ruta), estudioEscrito ? v2 : v1);
        QCOMPARE(contenido(registro), registroAntes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{u"estudio.w1e"_s, u"estudio.w1e.registro"_s}));

        guarda();
        QCOMPARE(independiente(ruta), u"intacto 4 coincide creado guardado guardado motivo"_s);
        QCOMPARE(VerificaRegistroDe(ruta, HuellaDe(v2)).entradas[2].cambios.size(), 5);
    }

    // "--json" of a signed study: its fingerprint is sha256sum's, and the
    // signature holds until the study changes.
    void jsonDeUnEstudioFirmado()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ruta = dir.filePath(u"estudio.w1e"_s);
        escribe(ruta, caso(u"v2.w1e"_s));
        FirmaEstudio(ruta, alFirmar, u"Luis Ríos"_s, Significado::revisado);
        for (const QByteArray &bytes : {caso(u"v2.w1e"_s), caso(u"v1.w1e"_s)}) {
            escribe(ruta, bytes);
            const QJsonObject doc =
                QJsonDocument::fromJson(salidaDe(QStringLiteral(TOLERANCIA_EJECUTABLE), {u"--json"_s, ruta}).toUtf8()).object();
            const QJsonObject huella = doc[u"huella"].toObject();
            QCOMPARE(huella[u"sha256"].toString(), salidaDe(u"sha256sum"_s, {ruta}).section(u' ', 0, 0));
            QCOMPARE(huella[u"sinGuardar"], QJsonValue(false));
            QCOMPARE(huella[u"version"].toString(), QStringLiteral(TOLERANCIA_VERSION));
            const QJsonArray firmas = doc[u"firmas"].toArray();
            QCOMPARE(firmas.size(), 1);
            const QJsonObject firma = firmas[0].toObject();
            QCOMPARE(firma[u"firmante"].toString(), u"Luis Ríos"_s);
            QCOMPARE(firma[u"significado"].toString(), u"revisado"_s);
            QCOMPARE(firma[u"utc"].toString(), u"2026-03-06T08:30:00Z"_s);
            const bool valida = bytes == caso(u"v2.w1e"_s);
            QCOMPARE(firma[u"valida"], QJsonValue(valida));
            QCOMPARE(firma[u"estado"].toString(), valida ? u"valida"_s : u"estudioCambiado"_s);
        }
    }
};

QTEST_APPLESS_MAIN(TstRegistro)
#include "tst_registro.moc"
