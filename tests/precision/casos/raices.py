"""Expected figures of √(r + s·√q) for the precision tests, with mpmath at
300 digits and exact fractions, apart from the program: the double nearest
the value (ties cannot occur: every case is irrational) and its six digits
rounded half-up, as digits d1..d6 and the exponent e of 0.d1..d6 × 10^e.
Run:  python3 raices.py > raices.tsv"""
import math
from fractions import Fraction as F

import mpmath as mp

mp.mp.dps = 300


def valor(r, s, q):
    return mp.sqrt(mp.mpf(r.numerator) / r.denominator
                   + s * mp.sqrt(mp.mpf(q.numerator) / q.denominator))


def doble(x):
    y = float(x)  # within an ulp; then the nearest by the exact midpoints
    while True:
        abajo, arriba = math.nextafter(y, 0), math.nextafter(y, math.inf)
        if x < (mp.mpf(y) + mp.mpf(abajo)) / 2:
            y = abajo
        elif x > (mp.mpf(y) + mp.mpf(arriba)) / 2:
            y = arriba
        else:
            return y


def seis(x):
    e = int(mp.floor(mp.log10(x))) + 1
    siete = int(mp.floor(x * mp.mpf(10) ** (7 - e)))
    d = siete // 10 + (1 if siete % 10 >= 5 else 0)
    if d == 1000000:
        d, e = 100000, e + 1
    return d, e


b = F(1234565, 1000000)          # a rounding boundary of six digits
c = F(9999995, 1000000)          # …whose rounding carries into a new digit
m = (F(1.1) + F(math.nextafter(1.1, 2))) / 2  # midpoint of two doubles
casos = [
    ("raiz de 2 mas raiz de 3", F(2), 1, F(3)),
    ("raiz de 2 menos raiz de 3", F(2), -1, F(3)),
    ("sobre una frontera de seis cifras", b * b, 1, F(2, 10**60)),
    ("bajo una frontera de seis cifras", b * b, -1, F(2, 10**60)),
    ("el redondeo lleva a 10", c * c, 1, F(2, 10**60)),
    ("sobre el punto medio de dos dobles", m * m, 1, F(2, 10**80)),
    ("bajo el punto medio de dos dobles", m * m, -1, F(2, 10**80)),
    ("enorme", F(10**300), 1, F(10**599)),
    ("diminuto", F(1, 10**300), 1, F(1, 10**601)),
    ("cancelacion casi completa", F(10**20 + 1), -1, F(10**40 + 3)),
]
print("# Written by raices.py (mpmath at 300 digits). r and q as num/den.")
print("#caso\tr\ts\tq\tdoble\tdigitos\texponente")
for nombre, r, s, q in casos:
    x = valor(r, s, q)
    d, e = seis(x)
    print(f"{nombre}\t{r.numerator}/{r.denominator}\t{s}\t{q.numerator}/{q.denominator}\t{doble(x)!r}\t{d}\t{e}")
