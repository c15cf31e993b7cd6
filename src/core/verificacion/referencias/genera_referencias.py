#!/usr/bin/env python3
"""Writes the reference table of `tolerancia --verificar` (referencias.tsv)
and the studies it needs beyond the shipped examples (*.w1e here).

Every expected value comes from outside the program:
  - the figures of the studies, from exact fractions of the typed decimals
    (Python's fractions) and square roots and powers to 60 digits (its
    decimal module); the probability of F with one even degree of freedom
    is a finite sum, so it is exact too;
  - PFcal, the program's own approximation of the F tail, from its
    published definition (Paulson's transformation and Abramowitz and
    Stegun 26.2.18 with the program's constants), in doubles;
  - NIST StRD SiRstv: the certified values, copied from
    https://www.itl.nist.gov/div898/strd/anova/SiRstv.html;
  - critical values: Dunnett, Biometrics 20 (1964), two-sided 5 % table
    (which corrects the approximate two-sided values of his 1955 table); Cochran's C (Eisenhart, Hastay and
    Wallis, 1947) and Grubbs' G two-sided (ISO 5725-2:1994, table 5), as
    printed;
  - confidence limits of the variance components: R 4.2.2 (qchisq, qf), by
    the formulas of Burdick and Graybill (1992), run as
    tests/precision/casos/precision.R, copied from its output; one limit
    as published in that book.

The table: description, study (a file of the resource, "-" for none),
figure, expected value, tolerance ("rel X", "abs X" or "igual"), source.
Run from this folder: python3 genera_referencias.py
"""
import math
from decimal import Decimal, getcontext
from fractions import Fraction as F

getcontext().prec = 60

# The program's tabulated two-sided 95 % t, for the error degrees of freedom used here.
T_TABLA = {9: F("2.2622"), 18: F("2.1009")}

EJEMPLOS = "../../../../ejemplos/"


def lee_w1e(ruta):
    lineas = open(ruta, "rb").read().decode("cp1252").split("\r\n")
    k, n = int(lineas[4]), int(lineas[5])
    valores = lineas[6:6 + k * n]
    return [valores[i * n:(i + 1) * n] for i in range(k)]


def escribe_w1e(nombre, cabecera, niveles):
    k, n = len(niveles), len(niveles[0])
    lineas = cabecera + [str(k), str(n)] + [v for nivel in niveles for v in nivel]
    with open(nombre, "wb") as f:
        f.write(("\r\n".join(lineas) + "\r\n").encode("cp1252"))


def dec(x):
    return Decimal(x.numerator) / Decimal(x.denominator)


def raiz(x):
    return dec(x).sqrt()


def texto(x):
    """A fraction exactly when it is a short decimal, otherwise 17 significant digits."""
    if isinstance(x, F):
        d = x.denominator
        while d % 2 == 0:
            d //= 2
        while d % 5 == 0:
            d //= 5
        if d == 1:
            s = format(dec(x), "f")
            if len(s.replace("-", "").replace(".", "").lstrip("0")) <= 17:
                return s.rstrip("0").rstrip(".") if "." in s else s
        x = dec(x)
    return format(x, ".17g")


def analisis(niveles):
    x = [[F(v) for v in nivel] for nivel in niveles]
    k, n = len(x), len(x[0])
    medias = [sum(nivel) / n for nivel in x]
    media = sum(medias) / k
    scfam = n * sum((m - media) ** 2 for m in medias)
    scerror = sum((v - m) ** 2 for nivel, m in zip(x, medias) for v in nivel)
    glfam, glerror = k - 1, k * (n - 1)
    r = dict(k=k, n=n, x=x, medias=medias, media=media, scfam=scfam, scerror=scerror,
             glfam=glfam, glerror=glerror, mcfam=scfam / glfam, mcerror=scerror / glerror)
    r["fcal"] = r["mcfam"] / r["mcerror"] if r["mcerror"] else None
    return r


def potencia(x, y):
    return math.exp(y * math.log(x))


def pfcal(f, d1, d2):
    """The program's approximation of P(F > f), as defined, in doubles."""
    def q(x, d1, d2):
        a1, a2 = (2 / 9) / d1, (2 / 9) / d2
        z = abs((1 - a2) * potencia(x, 0.333) - (1 - a1)) / math.sqrt(a2 * potencia(x, 0.666) + a1)
        if d2 < 4:
            z = z * (1 + 0.08 * potencia(z, 4.0) / potencia(d2, 3.0))
        p = ((((0.019527 * z + 0.000344) * z + 0.115194) * z + 0.196854) * z + 1)
        return 0.5 / potencia(p, 4.0)
    if f <= 0:
        return 1.0
    if f < 1:
        return 1 - q(1 / f, d2, d1)
    return q(f, d1, d2)


def cola_f(f, d1, d2):
    """Exact P(F(d1, d2) > f) for one even degree of freedom: with
    x = d1 f / (d1 f + d2) it is I_{1-x}(d2/2, d1/2), a finite sum."""
    f = F(f)
    x = d1 * f / (d1 * f + d2)
    def suma(a, m, y):
        # I_y(a, m) for integer m: y^a Σ_{j<m} Γ(a+j)/(Γ(a) j!) (1-y)^j
        termino, total = F(1), F(0)
        for j in range(m):
            if j:
                termino = termino * (a + j - 1) / j
            total += termino * (1 - y) ** j
        return dec(y) ** dec(a) * dec(total)  # y^a to 60 digits (a may be half an integer)
    if d1 % 2 == 0:
        return suma(F(d2, 2), d1 // 2, 1 - x)
    assert d2 % 2 == 0
    return 1 - suma(F(d1, 2), d2 // 2, x)


def mediana(v):
    s = sorted(v)
    m = len(s) // 2
    return s[m] if len(s) % 2 else (s[m - 1] + s[m]) / 2


def levene(a):
    z = [[abs(v - mediana(nivel)) for v in nivel] for nivel in a["x"]]
    b = analisis_fracciones(z)
    return b["fcal"], cola_f(b["fcal"], b["glfam"], b["glerror"])


def analisis_fracciones(x):
    k, n = len(x), len(x[0])
    medias = [sum(nivel) / n for nivel in x]
    media = sum(medias) / k
    scfam = n * sum((m - media) ** 2 for m in medias)
    scerror = sum((v - m) ** 2 for nivel, m in zip(x, medias) for v in nivel)
    glfam, glerror = k - 1, k * (n - 1)
    return dict(glfam=glfam, glerror=glerror, fcal=(scfam / glfam) / (scerror / glerror))


def varianzas(a):
    n = a["n"]
    return [sum((v - m) ** 2 for v in nivel) / (n - 1) for nivel, m in zip(a["x"], a["medias"])]


def grubbs_mayor(a):
    mayor = Decimal(0)
    for nivel, m, s2 in zip(a["x"], a["medias"], varianzas(a)):
        if s2 == 0:
            continue
        s = raiz(s2)
        mayor = max(mayor, dec(max(nivel) - m) / s, dec(m - min(nivel)) / s)
    return mayor


def pares_con_diferencia(a, t):
    amplitud2 = t * t * 2 * a["mcerror"] / a["n"]
    pares = []
    for i in range(a["k"]):
        for j in range(i + 1, a["k"]):
            d = a["medias"][i] - a["medias"][j]
            # |d| > amplitud, decided exactly: d² > amplitud².
            if d * d > amplitud2:
                pares.append("%d-%d" % (i + 1, j + 1))
    return " ".join(pares) if pares else "ninguno"


filas = []


def fila(descripcion, estudio, figura, esperado, tolerancia, fuente):
    filas.append("\t".join([descripcion, estudio, figura, esperado if isinstance(esperado, str) else texto(esperado),
                            tolerancia, fuente]))


EXACTO = "fracciones exactas de los valores escritos (Python)"

# The help's worked example: three instruments, four samples.
trabajado = analisis(lee_w1e(EJEMPLOS + "ejemplo-trabajado.w1e"))
t = T_TABLA[trabajado["glerror"]]
amplitud = dec(t) * raiz(2 * trabajado["mcerror"] / trabajado["n"])
d12 = trabajado["medias"][0] - trabajado["medias"][1]
d23 = trabajado["medias"][1] - trabajado["medias"][2]
E = "ejemplo-trabajado.w1e"
fila("Ejemplo trabajado: SC FAM", E, "scfam", trabajado["scfam"], "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: MC error", E, "mcerror", trabajado["mcerror"], "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: Fcal", E, "fcal", trabajado["fcal"], "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: PFcal (aproximación del programa)", E, "pfcal",
     repr(pfcal(float(trabajado["fcal"]), 2, 9)), "rel 1e-9", "definición de PFcal, en dobles")
fila("Ejemplo trabajado: amplitud de los intervalos", E, "amplitud", amplitud, "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: límite inferior FAM 1 − FAM 2", E, "inferior12", dec(d12) - amplitud, "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: límite superior FAM 2 − FAM 3", E, "superior23", dec(d23) + amplitud, "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: pares con diferencia", E, "paresConDiferencia", pares_con_diferencia(trabajado, t),
     "igual", EXACTO)
fila("Ejemplo trabajado: probabilidad exacta de F", E, "probabilidadExacta",
     cola_f(trabajado["fcal"], 2, 9), "rel 1e-9", "cola de F exacta (suma finita)")
s2 = varianzas(trabajado)
fila("Ejemplo trabajado: C de Cochran", E, "cochran", max(s2) / sum(s2), "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: G de Grubbs mayor", E, "grubbs", grubbs_mayor(trabajado), "rel 1e-12", EXACTO)
w, pw = levene(trabajado)
fila("Ejemplo trabajado: W de Levene", E, "leveneW", w, "rel 1e-12", EXACTO)
fila("Ejemplo trabajado: probabilidad de W de Levene", E, "leveneP", pw, "rel 1e-9", "cola de F exacta (suma finita)")
fila("Ejemplo trabajado: DER de repetibilidad (%)", E, "derRepetibilidad",
     raiz(trabajado["mcerror"]) / dec(trabajado["media"]) * 100, "rel 1e-12", EXACTO)

# Intermediate precision of the worked example: the components are rational,
# their limits come from R's quantiles.
sr2 = trabajado["mcerror"]
sl2 = max(F(0), (trabajado["mcfam"] - trabajado["mcerror"]) / trabajado["n"])
fila("Precisión intermedia, ejemplo trabajado: s²r", E, "varianzaR", sr2, "rel 1e-12", EXACTO)
fila("Precisión intermedia, ejemplo trabajado: s²L", E, "varianzaL", sl2, "rel 1e-12", EXACTO)
fila("Precisión intermedia, ejemplo trabajado: s²PI", E, "varianzaPI", sr2 + sl2, "rel 1e-12", EXACTO)
R = "R 4.2.2 (qchisq, qf)"
fila("Precisión intermedia, ejemplo trabajado: s²r inferior 95 %", E, "varianzaRInferior",
     "0.074515970283841548", "rel 1e-9", R)
fila("Precisión intermedia, ejemplo trabajado: s²r superior 95 %", E, "varianzaRSuperior",
     "0.52492427481676573", "rel 1e-9", R)
fila("Precisión intermedia, ejemplo trabajado: s²PI inferior 95 %", E, "varianzaPIInferior",
     "0.21873329412738124", "rel 1e-9", R)
fila("Precisión intermedia, ejemplo trabajado: s²PI superior 95 %", E, "varianzaPISuperior",
     "15.746970523996335", "rel 1e-9", R)
fila("Precisión intermedia, ejemplo trabajado: s²L superior 95 %", E, "varianzaLSuperior",
     "15.58128850314607", "rel 1e-9", R)
B = "burdick-graybill.w1e"
escribe_w1e(B, ["Burdick y Graybill (1992)", "Cinco niveles de tres", "Referencia publicada", ""],
            [v.split() for v in "102 99 101 / 99 100 98 / 103 102 100 / 103 105 103 / 96 95 94".split(" / ")])
fila("Precisión intermedia, Burdick y Graybill (1992): s²PI superior 95 %", B, "varianzaPISuperior",
     "89.1765", "abs 5e-5", "Burdick y Graybill (1992), publicado")

# The help's marginal example: PFcal and the exact probability on the two sides of 0.05.
marginal = analisis(lee_w1e(EJEMPLOS + "ejemplo-marginal.w1e"))
M = "ejemplo-marginal.w1e"
fila("Ejemplo marginal: Fcal", M, "fcal", marginal["fcal"], "rel 1e-12", EXACTO)
fila("Ejemplo marginal: PFcal (aproximación del programa)", M, "pfcal",
     repr(pfcal(float(marginal["fcal"]), 1, 18)), "rel 1e-9", "definición de PFcal, en dobles")
fila("Ejemplo marginal: probabilidad exacta de F", M, "probabilidadExacta",
     cola_f(marginal["fcal"], 1, 18), "rel 1e-9", "cola de F exacta (suma finita)")

# NIST StRD SiRstv, certified to 15 digits.
SIRSTV = [
    ["196.3052", "196.1240", "196.1890", "196.2569", "196.3403"],
    ["196.3042", "196.3825", "196.1669", "196.3257", "196.0422"],
    ["196.1303", "196.2005", "196.2889", "196.0343", "196.1811"],
    ["196.2795", "196.1748", "196.1494", "196.1485", "195.9885"],
    ["196.2119", "196.1051", "196.1850", "196.0052", "196.2090"],
]
escribe_w1e("nist-sirstv.w1e", ["NIST StRD SiRstv (5 instrumentos)", "Resistividad de obleas de silicio",
                                "Referencia certificada", ""], SIRSTV)
S = "nist-sirstv.w1e"
NIST = "NIST StRD, valor certificado"
sirstv = analisis(SIRSTV)
for figura, nombre, certificado in [("scfam", "SC FAM", "5.11462616000000E-02"),
                                    ("mcfam", "MC FAM", "1.27865654000000E-02"),
                                    ("fcal", "Fcal", "1.18046237440255E+00"),
                                    ("scerror", "SC error", "2.16636560000000E-01"),
                                    ("mcerror", "MC error", "1.08318280000000E-02"),
                                    ("repetibilidad", "desviación estándar residual", "1.04076068334656E-01")]:
    valor = raiz(sirstv["mcerror"]) if figura == "repetibilidad" else dec(sirstv[figura])
    assert abs(valor / Decimal(certificado) - 1) < Decimal("1e-14"), figura
    fila("NIST SiRstv: " + nombre, S, figura, certificado, "rel 1e-12", NIST)

# Equal means far from zero: every level holds the same values in another order.
IGUALES = [["1000000.1", "1000000.4", "1000000.2", "1000000.3"],
           ["1000000.3", "1000000.1", "1000000.4", "1000000.2"],
           ["1000000.4", "1000000.2", "1000000.3", "1000000.1"]]
escribe_w1e("promedios-iguales.w1e", ["Promedios iguales", "Valores cerca de un millón", "Referencia", ""], IGUALES)
P = "promedios-iguales.w1e"
iguales = analisis(IGUALES)
assert iguales["scfam"] == 0
fila("Promedios iguales: SC FAM", P, "scfam", iguales["scfam"], "igual", EXACTO)
fila("Promedios iguales: Fcal", P, "fcal", iguales["fcal"], "igual", EXACTO)
fila("Promedios iguales: PFcal", P, "pfcal", "1", "igual", "definición de PFcal (F = 0 da 1)")
fila("Promedios iguales: MC error", P, "mcerror", iguales["mcerror"], "rel 1e-12", EXACTO)
fila("Promedios iguales: promedio general", P, "promedio", iguales["media"], "rel 1e-15", EXACTO)
fila("Promedios iguales: pares con diferencia", P, "paresConDiferencia",
     pares_con_diferencia(iguales, T_TABLA[iguales["glerror"]]),
     "igual", EXACTO)

# Identical values: no variation anywhere, the analysis refuses with its message.
escribe_w1e("valores-identicos.w1e", ["Valores idénticos", "Todos los valores iguales", "Referencia", ""],
            [["100.0"] * 3] * 3)
fila("Valores idénticos: el análisis se rehúsa", "valores-identicos.w1e", "error",
     "Invalid floating point operation", "igual", "mensaje que el programa define")
escribe_w1e("sin-variacion-dentro.w1e", ["Sin variación dentro", "Niveles constantes", "Referencia", ""],
            [["99.5"] * 3, ["100.0"] * 3, ["100.5"] * 3])
fila("Niveles constantes distintos: el análisis se rehúsa", "sin-variacion-dentro.w1e", "error",
     "Floating point division by zero", "igual", "mensaje que el programa define")

# Published critical values.
DUNNETT = "Dunnett (1964), tabla bilateral 5 %"
for k, gl, valor in [(3, 12, "2.50"), (4, 20, "2.54"), (5, 30, "2.58"), (3, 5, "3.03")]:
    fila("Dunnett bilateral 5 %%: %d FAM, %d gl" % (k, gl), "-", "dunnett %d %d" % (k, gl), valor, "abs 0.005", DUNNETT)
COCHRAN = "Eisenhart, Hastay y Wallis (1947); ISO 5725-2"
for k, n, alfa, valor in [(4, 3, "0.05", "0.7679"), (3, 10, "0.05", "0.6167"), (4, 5, "0.01", "0.7212")]:
    fila("Cochran crítico %s: %d FAM, %d muestras" % (alfa, k, n), "-", "cochranCritico %d %d %s" % (k, n, alfa),
         valor, "abs 5e-5", COCHRAN)
GRUBBS = "ISO 5725-2, tabla de Grubbs"
for n, alfa, valor in [(6, "0.05", "1.887"), (10, "0.01", "2.482")]:
    fila("Grubbs crítico bilateral %s: %d muestras" % (alfa, n), "-", "grubbsCritico %d %s" % (n, alfa),
         valor, "abs 5e-4", GRUBBS)

with open("referencias.tsv", "w", encoding="utf-8") as f:
    f.write("# Written by genera_referencias.py; see it for where each value comes from.\n")
    f.write("# descripción\testudio\tfigura\tesperado\ttolerancia\tfuente\n")
    for linea in filas:
        f.write(linea + "\n")
print(len(filas), "comprobaciones")
