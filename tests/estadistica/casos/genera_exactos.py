#!/usr/bin/env python3
"""Writes exactos.tsv: studies and every figure of their analysis of
variance, computed apart from the program with exact fractions of the typed
decimals (Python's fractions) and square roots to 80 digits (its decimal
module), so the test can hold the engine to the exact values.

Each figure is "name=double|six": the double nearest the exact value (Python
rounds a fraction to the nearest double exactly; a root is taken to 80
digits first) in its shortest text, and the exact value rounded half-up to
six significant digits in the program's general format. A study the
analysis must refuse has "error=" and the message instead.

It also writes redondeo.tsv: numbers r + s·√q chosen to be hard to round
(exact ties between two doubles and values a hair off them, subnormals, the
edge of overflow, roots that are and are not rational, cancellations),
with the nearest double and the six digits worked out the same way.

Run from this folder: python3 genera_exactos.py
"""
import sys
import random
from decimal import Decimal, getcontext
from fractions import Fraction as F

getcontext().prec = 80
T_TABLA = {2: "4.3027", 3: "3.1825", 4: "2.7764", 5: "2.5706", 6: "2.4469", 7: "2.3646", 8: "2.306",
           9: "2.2622", 10: "2.2281", 11: "2.201", 12: "2.1788", 13: "2.1604", 14: "2.1448", 15: "2.1315",
           16: "2.1199", 17: "2.1098", 18: "2.1009", 19: "2.093", 20: "2.086", 21: "2.0796", 22: "2.0739",
           23: "2.0687", 24: "2.0639", 25: "2.0595", 26: "2.0555", 27: "2.0518", 28: "2.0484", 29: "2.0452",
           30: "2.0423", 31: "2.0423", 32: "2.0423", 33: "2.0423", 34: "2.0423", 35: "2.0301", 36: "2.0301",
           37: "2.0301", 38: "2.0301", 39: "2.0301", 40: "2.0211", 41: "2.0211", 42: "2.0211", 43: "2.0211",
           44: "2.0211", 45: "2.0141"}


class Raiz:
    """r + s·√q for fractions r, q ≥ 0 and s = ±1."""

    def __init__(self, q, s=1, r=F(0)):
        self.q, self.s, self.r = F(q), s, F(r)

    def decimal(self):
        q = Decimal(self.q.numerator) / Decimal(self.q.denominator)
        return Decimal(self.r.numerator) / Decimal(self.r.denominator) + self.s * q.sqrt()


def exacto(x):
    """A fraction, or the 80-digit decimal of a root taken as a fraction."""
    return x if isinstance(x, F) else F(x.decimal())


class Rechazo(Exception):
    """The analysis stops with this message."""


def doble(x):
    try:
        d = float(x) if isinstance(x, F) else float(x.decimal())
    except OverflowError:
        d = float("inf")
    if d in (float("inf"), float("-inf")):
        raise Rechazo("Floating point overflow")
    return d


def seis(x):
    """The general format with six significant digits, half-up."""
    x = exacto(x)
    if x == 0:
        return "0"
    signo, a = ("-" if x < 0 else ""), abs(x)
    e = len(str(a.numerator)) - len(str(a.denominator))
    while a >= F(10) ** e:
        e += 1
    while a < F(10) ** (e - 1):
        e -= 1
    siete = int(a * F(10) ** (7 - e))
    m = siete // 10 + (1 if siete % 10 >= 5 else 0)
    if m == 10 ** 6:
        m, e = 10 ** 5, e + 1
    d = str(m).rstrip("0")
    if -3 <= e <= 6:
        if e <= 0:
            texto = "0." + "0" * -e + d
        elif len(d) <= e:
            texto = d + "0" * (e - len(d))
        else:
            texto = d[:e] + "." + d[e:]
    else:
        texto = d[0] + ("." + d[1:] if len(d) > 1 else "") + "E" + str(e - 1)
    return signo + texto


def cifra(nombre, x):
    return f"{nombre}={repr(doble(x))}|{seis(x)}"


def signo(x):
    v = exacto(x)
    return (v > 0) - (v < 0)


def sin_valor(dividendo):
    """A quotient by exactly 0: the texts of the arithmetic faults."""
    raise Rechazo("Invalid floating point operation" if dividendo == 0 else "Floating point division by zero")


def analisis(niveles):
    """The figures of a study (its cells' texts, FAM by FAM), or its error."""
    try:
        return figuras(niveles)
    except Rechazo as rechazo:
        return [f"error={rechazo}"]


def figuras(niveles):
    """Every figure in the order the analysis works them out; it stops at the first without a value."""
    x = [[F(t) for t in nivel] for nivel in niveles]
    k, n = len(x), len(x[0])
    N = k * n
    medias = [sum(l) / n for l in x]
    media = sum(map(sum, x)) / N
    sc = [sum((v - m) ** 2 for v in l) for l, m in zip(x, medias)]
    scfam = n * sum((m - media) ** 2 for m in medias)
    scerror = sum(sc)
    sctotal = sum((v - media) ** 2 for l in x for v in l)
    glerror = k * (n - 1)
    mcfam, mcerror = scfam / (k - 1), scerror / glerror
    campos = [cifra("scfam", scfam), cifra("scerror", scerror), cifra("mcfam", mcfam), cifra("mcerror", mcerror)]
    for i, (m, s) in enumerate(zip(medias, sc)):
        campos += [cifra(f"promedio{i + 1}", m), cifra(f"desviacion{i + 1}", Raiz(s / (n - 1)))]
        if m == 0:
            sin_valor(s)
        campos.append(cifra(f"coeficiente{i + 1}", Raiz(s / (n - 1) / m ** 2 * 10000, signo(m))))
    campos += [cifra("promedio", media), cifra("desviacion", Raiz(sctotal / (N - 1)))]
    if media == 0:
        sin_valor(sctotal)
    campos.append(cifra("coeficiente", Raiz(sctotal / (N - 1) / media ** 2 * 10000, signo(media))))
    if mcerror == 0:
        sin_valor(mcfam)
    campos.append(cifra("fcal", mcfam / mcerror))
    t = F(T_TABLA[glerror])
    media2 = t * t * mcerror / n
    campos.append(cifra("amplitud", Raiz(2 * media2)))
    for i, m in enumerate(medias):
        campos += [cifra(f"inferior{i + 1}", Raiz(media2, -1, m)), cifra(f"superior{i + 1}", Raiz(media2, 1, m))]
    pares = [(1, 2), (1, 3), (2, 3), (1, 4), (2, 4), (3, 4), (1, 5), (2, 5), (3, 5), (4, 5)][:k * (k - 1) // 2]
    for a, b in pares:
        d = medias[a - 1] - medias[b - 1]
        inf, sup = Raiz(2 * media2, -1, d), Raiz(2 * media2, 1, d)
        campos += [cifra(f"inferior{a}{b}", inf), cifra(f"superior{a}{b}", sup),
                   f"diferencia{a}{b}={1 if signo(inf) * signo(sup) >= 0 else 0}"]
    # The checks of the assumptions that need no distribution.
    var = [s / (n - 1) for s in sc]
    campos.append(cifra("cochran", max(var) / sum(var)))
    campos.append(cifra("repetibilidad", Raiz(mcerror)))
    campos.append(cifra("der", Raiz(mcerror / media ** 2 * 10000, signo(media))))
    if n >= 3:
        for i, (l, m, s) in enumerate(zip(x, medias, sc)):
            if s:
                campos.append(cifra(f"grubbs{i + 1}", Raiz(max(max(l) - m, m - min(l)) ** 2 * (n - 1) / s)))

        def mediana(l):
            l = sorted(l)
            return l[n // 2] if n % 2 else (l[n // 2 - 1] + l[n // 2]) / 2
        z = [[abs(v - mediana(l)) for v in l] for l in x]
        zm = [sum(d) / n for d in z]
        zg = sum(zm) / k
        dentro = sum((v - a) ** 2 for d, a in zip(z, zm) for v in d)
        if dentro:
            campos.append(cifra("levene", n * sum((a - zg) ** 2 for a in zm) / (k - 1) / (dentro / (N - k))))
    return campos


def texto(v, decimales):
    """An exact decimal fraction written with `decimales` decimals."""
    v = F(v)
    return str((Decimal(v.numerator) / Decimal(v.denominator)).quantize(Decimal(1).scaleb(-decimales)))


def main():
    azar = random.Random(20261206)
    casos = []

    def caso(nombre, niveles):
        casos.append((nombre, niveles))

    # Deviations of 0.1 and 0.01 on constants from 1 to 10^12: the digits the
    # values share are what sums of raw squares lose.
    for exponente in (0, 1, 3, 5, 6, 7, 8, 10, 12):
        for decimales in (1, 2):
            for k, n in ((3, 4), (2, 2), (5, 10), (4, 3), (3, 6)):
                c = F(10) ** exponente
                paso = F(1, 10 ** decimales)
                niveles = [[texto(c + paso * azar.randint(-9, 9), decimales) for _ in range(n)] for _ in range(k)]
                caso(f"constante 1e{exponente} paso {paso} k{k} n{n}", niveles)
    # Equal level means: the same values in another order.
    for c, decimales, k, n in ((100, 2, 3, 4), (1500000, 0, 4, 3), (0.4512, 4, 5, 5), (100000.03, 2, 2, 6)):
        base = [texto(F(str(c)) + F(azar.randint(-9, 9), 10 ** decimales), decimales) for _ in range(n)]
        caso(f"promedios iguales {c} k{k}", [base[i:] + base[:i] for i in range(k)])
    # Levels of identical values.
    caso("un nivel idéntico", [["99.05"] * 3, ["99.10", "99.30", "99.20"], ["98.90", "99.00", "99.40"]])
    caso("dos niveles idénticos", [["0.7"] * 4, ["0.8", "0.9", "0.6", "0.7"], ["0.1"] * 4])
    caso("idénticos sin variación", [["99.9"] * 3, ["100.1"] * 3])
    caso("todos iguales", [["5.5"] * 2, ["5.5"] * 2])
    # Lab data: assay %, absorbance, peak areas, masses.
    for i in range(8):
        k, n = azar.randint(2, 5), azar.randint(2, 10)
        caso(f"valoración {i + 1}", [[texto(F(100) + F(azar.randint(-150, 150), 100) + F(j, 10), 2)
                                      for _ in range(n)] for j in range(k)])
        caso(f"absorbancia {i + 1}", [[texto(F(4512, 10000) + F(azar.randint(-40, 40), 10000), 4)
                                       for _ in range(n)] for j in range(k)])
        caso(f"área de pico {i + 1}", [[str(1500000 + azar.randint(-3000, 3000) + 500 * j)
                                        for _ in range(n)] for j in range(k)])
        caso(f"masa {i + 1}", [[texto(F(100000) + F(azar.randint(0, 9), 100), 2) for _ in range(n)]
                               for j in range(k)])
    # Decimal ties that the nearest double would round the other way.
    caso("promedio 100.0005", [["100.000", "100.001"], ["100.002", "100.004"]])
    caso("empates del sexto dígito", [["98.500", "99.000", "99.500", "100.000", "100.000"],
                                     ["99.325", "99.825", "100.325", "100.825", "100.825"]])
    # Written with exponents and signs, far from 1, and below the doubles.
    caso("exponentes", [["1.5E6", "1.502e+6", "+1.499E6"], ["1501000", "1.5004e6", "15.01e5"]])
    caso("negativos", [["-0.52", "-0.48", "-0.50"], ["-0.61", "-0.58", "-0.55"], ["-0.47", "-0.49", "-0.52"]])
    caso("magnitudes grandes", [["1e150", "2e150", "3e150"], ["2e150", "4e150", "5e150"]])
    caso("magnitudes diminutas", [["1e-200", "2e-200", "4e-200"], ["3e-200", "5e-200", "9e-200"]])
    # t = 4.3027 and 2·MC error / n = (3² + 4²) / 4: a half-width of exactly
    # 10.75675, which the difference of the means meets or misses by 1E-5.
    caso("límite exactamente cero", [["0", "3"], ["10.25675", "14.25675"]])
    caso("límite apenas positivo", [["0", "3"], ["10.25674", "14.25674"]])
    # What the analysis refuses.
    caso("total de FAM cero", [["-1", "1", "-2", "2"], ["3", "4", "3", "5"]])
    caso("total general cero", [["-1", "-2"], ["1", "2"]])
    caso("desborde", [["1e200", "2"], ["3", "4"]])

    with open("exactos.tsv", "w", encoding="utf-8") as salida:
        print("# Generated by genera_exactos.py (exact fractions of the typed decimals, roots to 80 digits);", file=salida)
        print("# case\tFAM separated by ' / '\tfigures: name=nearest double|six digits, or error=message", file=salida)
        for nombre, niveles in casos:
            print("\t".join([nombre, " / ".join(" ".join(l) for l in niveles)] + analisis(niveles)), file=salida)


def redondeo():
    """Numbers r + s·√q that are hard to round."""
    dos = F(2)
    m = 2 ** 52 + 12345  # a 53-bit significand
    casos = [
        ("empate hacia par abajo", F(2 * m + 1, 2 ** 40), 0, 0),
        ("empate hacia par arriba", F(2 * (m + 1) + 1, 2 ** 40), 0, 0),
        ("apenas sobre el empate", F(2 * m + 1, 2 ** 40) + F(1, 10 ** 60), 0, 0),
        ("apenas bajo el empate", F(2 * m + 1, 2 ** 40) - F(1, 10 ** 60), 0, 0),
        ("un tercio", F(1, 3), 0, 0),
        ("menos dos tercios", F(-2, 3), 0, 0),
        ("0.1", F(1, 10), 0, 0),
        ("100.225", F(100225, 1000), 0, 0),
        ("1.4175", F(14175, 10000), 0, 0),
        ("subnormal", F(3, 2 ** 1074) / 7, 0, 0),
        ("empate subnormal", F(5, 2 ** 1075), 0, 0),
        ("bajo el menor subnormal", F(1, 2 ** 1076), 0, 0),
        ("mayor double", F((2 ** 53 - 1) * dos ** 971), 0, 0),
        ("justo bajo el desborde", F((2 ** 54 - 1) * dos ** 970) - F(1, 10 ** 6), 0, 0),
        ("desborde por empate", F((2 ** 54 - 1) * dos ** 970), 0, 0),
        ("raíz de 2", F(0), 1, F(2)),
        ("raíz exacta", F(0), 1, F(1, 4)),
        ("raíz de un cuadrado decimal", F(0), -1, F(9801, 10000)),
        ("raíz diminuta", F(0), 1, F(2, 10 ** 700)),
        ("cancelación", F(1), -1, F(10 ** 40 - 1, 10 ** 40)),
        ("cancelación negativa", F(-1), 1, F(10 ** 40 - 1, 10 ** 40)),
        ("suma", F(5, 7), 1, F(3)),
        ("sexto dígito exacto", F(1234565, 10 ** 6), 0, 0),
        ("sexto dígito por debajo", F(1234565, 10 ** 6) - F(1, 10 ** 70), 0, 0),
        ("nueves", F(9999995, 10 ** 7), 0, 0),
        ("raíz junto a un dígito", F(0), 1, F(10 ** 14 + 1)),
    ]
    with open("redondeo.tsv", "w", encoding="utf-8") as salida:
        print("# Generated by genera_exactos.py: r + s·√q as integers, then the nearest double", file=salida)
        print("# (or overflow) and the six digits.", file=salida)
        print("# case\tr numerator\tr denominator\ts\tq numerator\tq denominator\tdouble\tsix digits", file=salida)
        for nombre, r, s, q in casos:
            q = F(q)
            x = r if s == 0 else Raiz(q, s, r)
            try:
                d = repr(doble(x))
            except Rechazo:
                d = "desborde"
            print("\t".join([nombre, str(r.numerator), str(r.denominator), str(s), str(q.numerator),
                             str(q.denominator), d, seis(x)]), file=salida)


main()
redondeo()
