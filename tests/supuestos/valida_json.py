"""Runs `tolerancia --json` on every shipped example and on refused studies,
reads the output with a strict parser, validates it against the schema and
recomputes the figures that need no distribution with exact fractions: the
rational ones must be the doubles nearest their exact values. The study's
fingerprint must be hashlib's SHA-256 of the file, and a signature written
into a register beside it (by its documented layout) must be listed, valid
until the study changes."""
import hashlib
import json
import math
import subprocess
import sys
import tempfile
from fractions import Fraction
from pathlib import Path

import jsonschema

programa, esquema, ejemplos = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
validador = jsonschema.Draft202012Validator(json.loads(esquema.read_text(encoding="utf-8")))
validador.check_schema(validador.schema)
entorno = {"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"}


def sin_repetidos(pares):
    nombres = [n for n, _ in pares]
    assert len(nombres) == len(set(nombres)), f"nombres repetidos: {nombres}"
    return dict(pares)


def no_json(constante):
    raise ValueError(f"{constante} no es JSON")


def documento(ruta, codigo):
    r = subprocess.run([programa, "--json", str(ruta)], capture_output=True, env=entorno)
    assert r.returncode == codigo, (ruta, r.returncode, r.stderr)
    doc = json.loads(r.stdout.decode("utf-8", errors="strict"),
                     object_pairs_hook=sin_repetidos, parse_constant=no_json)
    validador.validate(doc)
    return doc, r.stderr.decode("utf-8")


def cerca(a, b, rel=1e-9):
    assert abs(a - float(b)) <= rel * abs(float(b)), (a, float(b))


def raiz_cercana(x):
    """The double nearest √x for a Fraction x ≥ 0, decided exactly."""
    y = math.sqrt(float(x))
    while True:
        abajo, arriba = math.nextafter(y, 0), math.nextafter(y, math.inf)
        if x < ((Fraction(y) + Fraction(abajo)) / 2) ** 2:
            y = abajo
        elif x > ((Fraction(y) + Fraction(arriba)) / 2) ** 2:
            y = arriba
        else:
            return y


def varianza(x):
    m = sum(x) / len(x)
    return sum((v - m) ** 2 for v in x) / (len(x) - 1)


def mediana(x):
    x = sorted(x)
    h = len(x) // 2
    return x[h] if len(x) % 2 else (x[h - 1] + x[h]) / 2


rutas = sorted(ejemplos.glob("*.w1e"))
assert len(rutas) >= 5, rutas
for ruta in rutas:
    doc, _ = documento(ruta, 0)
    assert doc["huella"]["sha256"] == hashlib.sha256(ruta.read_bytes()).hexdigest(), ruta
    assert doc["huella"]["sinGuardar"] is False and doc["firmas"] == [], ruta
    niveles = doc["estudio"]["niveles"]
    # Exact values of the typed decimals, independent of the program.
    x = [[Fraction(t.strip()) for t in n["textos"]] for n in niveles]
    for n, xs in zip(niveles, x):
        assert n["valores"] == [float(v) for v in xs], ruta
    k, m = len(x), len(x[0])
    var = [varianza(xs) for xs in x]
    total = Fraction(sum(sum(xs) for xs in x), k * m)
    mce = sum(var) / k
    mcf = m * sum((sum(xs) / m - total) ** 2 for xs in x) / (k - 1)
    anova = doc["anova"]
    assert anova["fam"]["sumaCuadrados"] == float(mcf * (k - 1)), ruta
    assert anova["fam"]["mediaCuadrados"] == float(mcf), ruta
    assert anova["error"]["sumaCuadrados"] == float(mce * k * (m - 1)), ruta
    assert anova["error"]["mediaCuadrados"] == float(mce), ruta
    assert anova["fcal"] == float(mcf / mce), ruta
    estadisticas = doc["estadisticas"]
    assert [n["promedio"] for n in estadisticas["niveles"]] == [float(sum(xs) / m) for xs in x], ruta
    assert estadisticas["total"]["promedio"] == float(total), ruta
    cerca(doc["supuestos"]["repetibilidad"]["desviacionEstandar"] ** 2, mce)
    cochran = doc["supuestos"]["cochran"]
    assert cochran["c"] == float(max(var) / sum(var)), ruta
    assert cochran["fam"] == var.index(max(var)) + 1
    levene = doc["supuestos"]["levene"]
    if m >= 3 and levene["estado"] == "calculada":
        z = [[abs(v - mediana(xs)) for v in xs] for xs in x]
        zm = [sum(d) / m for d in z]
        zg = sum(zm) / k
        w = (m * sum((a - zg) ** 2 for a in zm) / (k - 1)) / (
            sum(sum((v - a) ** 2 for v in d) for d, a in zip(z, zm)) / (k * m - k))
        assert levene["w"] == float(w), (ruta, levene["w"], w)
    assert anova["significativo"] == (anova["pfcal"] < 0.05)
    assert anova["decisionMarginal"] == (anova["significativo"] != anova["significativoExacto"])
    assert abs(anova["probabilidadExacta"] - anova["pfcal"]) < 0.01
    # Every other level against FAM 1, with the analysis' error mean square.
    dunnett = doc["dunnett"]
    assert dunnett["control"] == 1 and [c["fam"] for c in dunnett["comparaciones"]] == list(range(2, k + 1))
    for c in dunnett["comparaciones"]:
        assert c["diferencia"] == float(sum(x[c["fam"] - 1]) / m - sum(x[0]) / m), (ruta, c)
        cerca(c["semiamplitud"], dunnett["critico"] * math.sqrt(2 * float(mce) / m), 1e-8)
        assert c["hayDiferencia"] == (c["limiteInferior"] * c["limiteSuperior"] >= 0)
    # Intermediate precision: the components are exact; their limits
    # (checked against R elsewhere) surround them.
    precision = doc["precision"]
    assert precision["gradosLibertad"] == [k - 1, k * (m - 1)]
    assert (precision["mcFam"], precision["mcError"], precision["promedio"]) == (float(mcf), float(mce), float(total))
    entre = max(Fraction(0), (mcf - mce) / m)
    assert precision["sinVarianzaEntre"] == (mcf <= mce) and not precision["sinVariacionDentro"]
    for nombre, v in (("repetibilidad", mce), ("entreNiveles", entre), ("intermedia", entre + mce)):
        c = precision[nombre]
        assert c["varianza"] == float(v), (ruta, nombre)
        assert c["desviacionEstandar"] == raiz_cercana(v), (ruta, nombre)
        assert c["der"] == raiz_cercana(v * 10000 / total ** 2), (ruta, nombre)
        assert c["parte"] == float(100 * v / (entre + mce)), (ruta, nombre)
        for figura in ("varianza", "desviacionEstandar", "der"):
            limites = c["limites"][figura]
            assert limites["inferior"] <= c[figura] <= limites["superior"], (ruta, nombre, figura)
        cerca(c["limites"]["desviacionEstandar"]["superior"] ** 2, c["limites"]["varianza"]["superior"], 1e-12)
    cota = precision["intermedia"]["cotaSuperior"]
    assert precision["intermedia"]["desviacionEstandar"] < cota["desviacionEstandar"]
    assert cota["desviacionEstandar"] < precision["intermedia"]["limites"]["desviacionEstandar"]["superior"]
    assert "equivalencia" not in doc
    print(f"{ruta.name}: válido")

with tempfile.TemporaryDirectory() as carpeta:
    # Equal values within each level: no error mean square, no analysis.
    iguales = Path(carpeta) / "iguales.w1e"
    iguales.write_bytes(b"Equipo\r\nM\xe9todo\r\nAna\r\nhoy\r\n2\r\n3\r\n"
                        + b"0.1\r\n" * 3 + b"0.7\r\n" * 3)
    doc, _ = documento(iguales, 1)
    assert doc == {"formato": "tolerancia-resultados/1", "error": "Floating point division by zero"}, doc
    print("estudio sin variación: válido")

    # A value the test cannot judge: its verdict has a name of its own.
    empate = Path(carpeta) / "empate.w1e"
    empate.write_bytes(b"Equipo\r\nM\xe9todo\r\nAna\r\nhoy\r\n2\r\n3\r\n"
                       + b"100.1\r\n100.1\r\n100.2\r\n99.8\r\n100.0\r\n99.9\r\n")
    doc, _ = documento(empate, 0)
    grubbs = doc["supuestos"]["grubbs"]["niveles"]
    assert [n["veredicto"] for n in grubbs] == ["noConcluyente", "normal"], grubbs
    assert grubbs[0]["muestraSospechosa"] == 3
    cerca(grubbs[0]["maximo"]["g"], 2 / math.sqrt(3), 1e-15)
    print("empate de Grubbs: válido")

    # A signature in a register beside the study, chained by hand: valid
    # while the study is the one signed.
    firmado = Path(carpeta) / "firmado.w1e"
    firmado.write_bytes(rutas[0].read_bytes())
    sha = hashlib.sha256(firmado.read_bytes()).hexdigest()
    quien = {"utc": "2026-03-06T08:30:00Z", "local": "2026-03-06T02:30:00-06:00", "cuenta": "lrios",
             "nombreCompleto": "Luis Ríos", "version": "3.1"}
    anterior, registro = "0" * 64, b""
    for entrada in ({"tipo": "creado", "formato": "tolerancia-registro/1", "archivo": firmado.name, "sha256": sha},
                    {"tipo": "firmado", "sha256": sha, "firmante": "Luis Ríos", "significado": "aprobado"}):
        linea = json.dumps(dict(quien, anterior=anterior, **entrada), ensure_ascii=False).encode()
        registro += linea + b"\n"
        anterior = hashlib.sha256(linea).hexdigest()
    Path(str(firmado) + ".registro").write_bytes(registro)
    doc, _ = documento(firmado, 0)
    firma = dict(quien, firmante="Luis Ríos", significado="aprobado", sha256=sha, valida=True, estado="valida")
    del firma["version"]
    assert doc["firmas"] == [firma], doc["firmas"]
    firmado.write_bytes(rutas[1].read_bytes())
    doc, _ = documento(firmado, 0)
    assert doc["huella"]["sha256"] == hashlib.sha256(rutas[1].read_bytes()).hexdigest()
    assert doc["firmas"] == [dict(firma, valida=False, estado="estudioCambiado")], doc["firmas"]
    print("estudio firmado: válido")

    malo = Path(carpeta) / "k6.w1e"
    malo.write_bytes(b"Equipo\r\nM\xe9todo\r\nAna\r\nhoy\r\n6\r\n2\r\n")
    doc, error = documento(malo, 1)
    assert doc == {"formato": "tolerancia-resultados/1", "error": "Datos fuera de límite, 2-5 FAM."}, doc
    # The error line names the study first.
    assert error == f"{malo}: Datos fuera de límite, 2-5 FAM.\n", error
    print("estudio rechazado: válido")
