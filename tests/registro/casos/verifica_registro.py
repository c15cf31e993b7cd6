"""Checks a study's register with hashlib and json alone, apart from the
program: each line's "anterior" is the SHA-256 of the line before it, LF
excluded (64 zeros for the first), the file ends with LF, and the last
"guardado" (or a "creado" over a study already on disk) holds the SHA-256 of
the study's bytes. Prints "intacto N coincide|difiere" and the kinds of the
entries, or "roto L" for the first line at fault.

python3 verifica_registro.py REGISTRO ESTUDIO"""
import hashlib
import json
import sys

registro = open(sys.argv[1], "rb").read()
estudio = hashlib.sha256(open(sys.argv[2], "rb").read()).hexdigest()
lineas = registro.split(b"\n")
anterior, guardado, tipos = "0" * 64, None, []
for n, linea in enumerate(lineas[:-1], 1):
    try:
        e = json.loads(linea)
    except ValueError:
        sys.exit(print("roto", n))
    if e.get("anterior") != anterior:
        sys.exit(print("roto", n))
    anterior = hashlib.sha256(linea).hexdigest()
    tipos.append(e["tipo"])
    if e["tipo"] == "guardado" or (e["tipo"] == "creado" and e["sha256"]):
        guardado = e["sha256"]
if lineas[-1] != b"" or not tipos:
    sys.exit(print("roto", len(lineas)))
print("intacto", len(tipos), "coincide" if guardado == estudio else "difiere", *tipos)
