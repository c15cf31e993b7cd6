"""The command line's intermediate precision and equivalence: `--precision`
and `--json` with `--limite`, `--der-maxima` and `--bonferroni` on every
study R computed (casos/*-r.tsv, written by precision.R from the formulas
with R's own distributions), each written as a study file; the figures
shown and the document's numbers against R's, the verdicts exactly.
Then the values the options refuse, with their exit codes and messages,
and the plot's band of `--grafica --limite`."""
import csv
import json
import subprocess
import sys
import tempfile
from decimal import ROUND_HALF_UP, Context, Decimal
from pathlib import Path

import jsonschema

programa, esquema, casos = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
validador = jsonschema.Draft202012Validator(json.loads(esquema.read_text(encoding="utf-8")))
entorno = {"LC_ALL": "C.UTF-8", "PATH": "/usr/bin:/bin"}
fallos = []


def tabla(nombre):
    with open(casos / nombre, encoding="utf-8") as f:
        filas = [l for l in f if not l.startswith("# ")]
    return list(csv.DictReader((l.lstrip("#") for l in filas), delimiter="\t"))


def corre(*argumentos, codigo=0, env=entorno):
    r = subprocess.run([programa, *map(str, argumentos)], capture_output=True, env=env)
    if r.returncode != codigo:
        fallos.append(f"{argumentos}: código {r.returncode}, no {codigo}: {r.stderr.decode()}")
    return r.stdout.decode("utf-8"), r.stderr.decode("utf-8")


def revisa(condicion, que):
    if not condicion:
        fallos.append(que)


def cerca(a, b, escala, que, rel=1e-9):
    revisa(a is not None and abs(a - b) <= rel * max(abs(b), escala), f"{que}: {a} frente a R {b}")


def seis(x, separador="."):
    """A number as the program writes figures: its six significant digits,
    rounded half up, trailing zeros dropped, fixed notation from 0.0001 to
    below 1000000 and d.dddddE±x beyond."""
    d = Context(prec=6, rounding=ROUND_HALF_UP).plus(Decimal(x))
    if d == 0:
        return "0"
    signo, digitos, exp = d.as_tuple()
    cifras = "".join(map(str, digitos)).rstrip("0") or "0"
    e = len(digitos) + exp  # the value is 0.cifras × 10^e
    texto = "-" if signo else ""
    if -3 <= e <= 6:
        if e <= 0:
            texto += "0" + separador + "0" * -e + cifras
        elif len(cifras) <= e:
            texto += cifras + "0" * (e - len(cifras))
        else:
            texto += cifras[:e] + separador + cifras[e:]
    else:
        texto += cifras[0] + (separador + cifras[1:] if len(cifras) > 1 else "")
        texto += "E" + ("-" if e - 1 < 0 else "") + str(abs(e - 1))
    return texto


def estudio(carpeta, nombre, niveles):
    valores = [n.split() for n in niveles.split("/")]
    ruta = Path(carpeta) / f"{nombre}.w1e"
    cabecera = ["Equipo", "Método", "Ana", "hoy", str(len(valores)), str(len(valores[0]))]
    ruta.write_bytes("".join(l + "\r\n" for l in cabecera + [v for n in valores for v in n]).encode("cp1252"))
    return ruta


componentes = {c["estudio"]: c for c in tabla("componentes-r.tsv")}
pares = tabla("pares-r.tsv")
with tempfile.TemporaryDirectory() as carpeta:
    casos_vistos = 0
    for e in tabla("equivalencia-r.tsv"):
        nombre, ajuste = e["estudio"], e["ajuste"]
        c = componentes[nombre]
        ruta = estudio(carpeta, nombre, c["niveles"])
        opciones = ["--limite", e["limite"]]
        if e["derMaxima"]:
            opciones += ["--der-maxima", e["derMaxima"]]
        if ajuste == "bonferroni":
            opciones.append("--bonferroni")
        que = f"{nombre} {' '.join(opciones)}"
        filas = [p for p in pares if p["estudio"] == nombre and p["ajuste"] == ajuste]
        delta, t, h = float(e["delta"]), float(e["t"]), float(e["semiamplitud"])
        cumple = e["cumple"] == "sí"

        # The document: every figure against R, the verdicts exactly.
        salida, _ = corre("--json", ruta, *opciones)
        doc = json.loads(salida)
        validador.validate(doc)
        q = doc["equivalencia"]
        cerca(q["limite"]["valor"], delta, 0, f"{que}: δ")
        revisa((q["limite"]["porcentaje"] is not None) == e["limite"].endswith("%"), f"{que}: δ en %")
        revisa(q["ajuste"] == ajuste and q["pruebas"] == len(filas), f"{que}: ajuste {q['ajuste']}")
        cerca(q["t"], t, 0, f"{que}: t")
        cerca(q["semiamplitud"], h, 0, f"{que}: semiamplitud")
        cerca(q["banda"]["inferior"], float(c["promedio"]) - delta, 0, f"{que}: banda")
        cerca(q["banda"]["superior"], float(c["promedio"]) + delta, 0, f"{que}: banda")
        revisa(len(q["pares"]) == len(filas), f"{que}: pares")
        for p, r in zip(q["pares"], filas):
            par = f"{que}: FAM {r['famA']} y {r['famB']}"
            revisa((p["famA"], p["famB"]) == (int(r["famA"]), int(r["famB"])), f"{par}: orden")
            escala = abs(float(r["diferencia"])) + h
            cerca(p["diferencia"], float(r["diferencia"]), escala, f"{par}: diferencia")
            cerca(p["limiteInferior"], float(r["inferior"]), escala, f"{par}: inferior")
            cerca(p["limiteSuperior"], float(r["superior"]), escala, f"{par}: superior")
            revisa(p["equivalentes"] == (r["equivalentes"] == "sí"), f"{par}: veredicto")
            cerca(p["pInferior"], float(r["pInferior"]), 1e-300, f"{par}: p inferior", 1e-7)
            cerca(p["pSuperior"], float(r["pSuperior"]), 1e-300, f"{par}: p superior", 1e-7)
        revisa(q["todosEquivalentes"] == (e["todos"] == "sí"), f"{que}: todos")
        if e["derMaxima"]:
            revisa(q["derMaxima"]["cumple"] == (e["cumpleDer"] == "sí"), f"{que}: DER máxima")
            cerca(q["derMaxima"]["cota"], float(c["cotaIPDER"]), 0, f"{que}: cota de la DER")
        else:
            revisa(q["derMaxima"] is None, f"{que}: sin DER máxima")
        revisa(q["cumple"] == cumple, f"{que}: cumple")

        # The text: the same figures to six digits.
        salida, _ = corre("--precision", ruta, *opciones)
        lineas = salida.split("\n")
        revisa(lineas[-1] == "" and lineas[0] == "PRECISIÓN INTERMEDIA", f"{que}: texto")
        if e["limite"].endswith("%"):
            esperado = f"Límite de aceptación = ±{seis(float(e['limite'][:-1]))} % del promedio general = ±{seis(delta)}"
        else:
            esperado = f"Límite de aceptación = ±{seis(delta)}"
        gl = int(c["k"]) * (int(c["n"]) - 1)
        confianza = seis(100 - 10 / len(filas)) if ajuste == "bonferroni" else "90"
        for linea in [esperado, f"t = {seis(t)} con {gl} grados de libertad", f"Semiamplitud = {seis(h)}",
                      f"Cota superior unilateral del 95 % de la DER (%) = {seis(float(c['cotaIPDER']))}"]:
            revisa(linea in lineas, f"{que}: falta «{linea}»")
        for r in filas:
            bloque = lineas.index(f"FAM {r['famA']} y FAM {r['famB']}")
            revisa(lineas[bloque + 2] == f"Intervalo del {confianza} % = {seis(float(r['inferior']))} a "
                                         f"{seis(float(r['superior']))}", f"{que}: {lineas[bloque + 2]}")
            veredicto = "Equivalentes" if r["equivalentes"] == "sí" else "No equivalentes"
            revisa(lineas[bloque + 4] == f"Conclusión = {veredicto}", f"{que}: {lineas[bloque + 4]}")
        resultado = [l for l in lineas if l.startswith("Resultado = ")]
        revisa(len(resultado) == 1 and resultado[0].startswith("Resultado = El estudio cumple") == cumple,
               f"{que}: {resultado}")
        casos_vistos += 1
    revisa(casos_vistos >= 28, f"solo {casos_vistos} casos de R")

    # The decimal comma of the locale reads the limit and writes the text.
    trabajado = estudio(carpeta, "trabajado", componentes["ejemplo-trabajado"]["niveles"].replace(".", ","))
    coma = dict(entorno, LC_ALL="es_ES.UTF-8")
    salida, _ = corre("--precision", trabajado, "--der-maxima", "3", "--limite", "1,5", env=coma)
    for linea in ["Límite de aceptación = ±1,5", "Intervalo del 90 % = -1,56442 a -0,535584",
                  "Resultado = El estudio no cumple los criterios: no son equivalentes FAM 1 y FAM 2, FAM 2 y FAM 3."]:
        revisa(linea in salida.split("\n"), f"coma decimal: falta «{linea}»")

    # Without any variation within the levels the text says why nothing is
    # judged; the analysis, and so the document, fails.
    iguales = estudio(carpeta, "iguales", "0.1 0.1 0.1 / 0.7 0.7 0.7")
    salida, _ = corre("--precision", iguales, "--limite", "1")
    revisa("Resultado = El estudio no puede juzgarse: no hay variación dentro de los FAM." in salida.split("\n"),
           "sin variación: " + salida)
    salida, error = corre("--json", iguales, "--limite", "1", codigo=1)
    revisa(json.loads(salida) == {"formato": "tolerancia-resultados/1", "error": "Floating point division by zero"},
           "sin variación, JSON: " + salida)

    # Values the options refuse: the program's message alone, exit code 2,
    # nothing on the standard output and no file written.
    uso = "Uso: tolerancia --precision ARCHIVO.w1e [--limite X|X%] [--der-maxima Y] [--bonferroni]\n"
    grafica = Path(carpeta) / "banda.png"
    rechazos = [
        (["--precision", trabajado, "--limite", "0"], "El límite de aceptación debe ser mayor que 0.\n", coma),
        (["--precision", trabajado, "--limite", "-1%"], "El límite de aceptación debe ser mayor que 0.\n", coma),
        (["--precision", trabajado, "--limite", " "], "Falta capturar el límite de aceptación.\n", coma),
        (["--precision", trabajado, "--limite", "1.5"],
         "El límite de aceptación «1.5» no es un número: escríbalo en las unidades de los datos (por ejemplo, "
         "0,5) o como porcentaje del promedio general (por ejemplo, 1,5 %).\n", coma),
        (["--precision", trabajado, "--der-maxima", "2"], "Falta capturar el límite de aceptación.\n", entorno),
        (["--precision", trabajado, "--bonferroni"], "Falta capturar el límite de aceptación.\n", entorno),
        (["--precision", trabajado, "--limite", "1", "--der-maxima", "0"], "La DER máxima debe ser mayor que 0.\n", entorno),
        (["--precision", trabajado, "--limite", "1", "--der-maxima", "2 x"],
         "La DER máxima «2 x» no es un número: escríbala en por ciento (por ejemplo, 2.5).\n", entorno),
        (["--json", trabajado, "--limite", "1e"],
         "El límite de aceptación «1e» no es un número: escríbalo en las unidades de los datos (por ejemplo, "
         "0.5) o como porcentaje del promedio general (por ejemplo, 1.5 %).\n", entorno),
        (["--json", trabajado, "--limite", "2", "--der-maxima", "-3"], "La DER máxima debe ser mayor que 0.\n", entorno),
        (["--grafica", grafica, trabajado, "--limite", "0"], "El límite de aceptación debe ser mayor que 0.\n", entorno),
        (["--precision", trabajado, "--limite", "1", "--limite", "2"], uso, entorno),
        (["--precision", trabajado, "--limite", "1", "--bonferroni", "--bonferroni"], uso, entorno),
        (["--precision", trabajado, "--limite"], uso, entorno),
        (["--precision", trabajado, trabajado], uso, entorno),
        (["--precision"], uso, entorno),
        (["--precision", trabajado, "--control", "2"], uso, entorno),
    ]
    for argumentos, mensaje, env in rechazos:
        salida, error = corre(*argumentos, codigo=2, env=env)
        revisa(salida == "" and error == mensaje, f"{argumentos}: «{salida}» «{error}»")
    revisa(not grafica.exists(), "la gráfica rechazada se escribió")
    # A study that cannot be read is the usual refusal.
    _, error = corre("--precision", Path(carpeta) / "no-existe.w1e", "--limite", "1", codigo=1)
    revisa(error.startswith(str(Path(carpeta) / "no-existe.w1e") + ": "), error)

    # The plot's band: its legend and its sentence name δ; without a limit
    # the plot has neither.
    svg = Path(carpeta) / "banda.svg"
    punto = Path(carpeta) / "ejemplo-trabajado.w1e"
    corre("--grafica", svg, punto, "--limite", "1.5")
    con = svg.read_text(encoding="utf-8")
    corre("--grafica", svg, punto)
    sin = svg.read_text(encoding="utf-8")
    revisa("Límite de aceptación ±1.5" in con and "Límite de aceptación" not in sin, "la banda de la gráfica")
    corre("--grafica", svg, "--limite", "1.5%", punto)
    revisa("Límite de aceptación ±1.50338" in svg.read_text(encoding="utf-8"), "la banda en % del promedio")

for fallo in fallos:
    print(fallo)
print(f"{len(fallos)} fallos")
sys.exit(1 if fallos else 0)
