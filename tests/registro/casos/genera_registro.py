"""Writes the register of a study's life as the program must write it, from
the register's documented layout alone: each entry a compact JSON object
with sorted keys and one LF, "anterior" the SHA-256 (hashlib) of the line
before it (64 zeros for the first). Also writes the two versions of the
study it speaks of, as Windows-1252 lines ended by CR LF.

Run from this folder: python3 genera_registro.py"""
import hashlib
import json

def w1e(campos, niveles):
    lineas = campos + [str(len(niveles)), str(len(niveles[0]))] + [v for fam in niveles for v in fam]
    return "".join(l + "\r\n" for l in lineas).encode("cp1252")

cabecera = ["Columna\tC18", "Valoración por UV", "Q.F.B. Núñez", "06/12/2026"]
v1 = w1e(cabecera, [["99.2", "100.1"], ["100.9", "101.3"]])
v2 = w1e([cabecera[0], "Valoración por HPLC", cabecera[2], cabecera[3]],
         [["99.2", "100.1", "99.8"], ["100.9", "101.8", "100.6"]])
otro = b"otro estudio\r\n"
sha = lambda b: hashlib.sha256(b).hexdigest()

def contexto(utc, local, cuenta, nombre, version="3.1"):
    return {"utc": utc, "local": local, "cuenta": cuenta, "nombreCompleto": nombre, "version": version}

ana = contexto("2026-03-04T15:20:11Z", "2026-03-04T09:20:11-06:00", "anunez", "Ana Núñez")
ana2 = contexto("2026-03-05T16:00:00Z", "2026-03-05T10:00:00-06:00", "anunez", "Ana Núñez")
luis = contexto("2026-03-06T08:30:00Z", "2026-03-06T14:00:00+05:30", "lrios", "")
nueva = contexto("2026-03-07T12:00:00Z", "2026-03-07T08:30:00-03:30", "lrios", "", "3.2")

def celda(i, j, antes, despues):
    return {"campo": "celda", "fam": i, "muestra": j, "antes": antes, "despues": despues}

nombres = ["fam", "metodo", "analista", "fecha", "numeroFam", "numeroMuestras"]
primera = [{"campo": n, "antes": None, "despues": v} for n, v in zip(nombres, cabecera + ["2", "2"])]
primera += [celda(1, 1, None, "99.2"), celda(1, 2, None, "100.1"),
            celda(2, 1, None, "100.9"), celda(2, 2, None, "101.3")]
segunda = [{"campo": "metodo", "antes": "Valoración por UV", "despues": "Valoración por HPLC"},
           {"campo": "numeroMuestras", "antes": "2", "despues": "3"},
           celda(1, 3, None, "99.8"), celda(2, 2, "101.3", "101.8"), celda(2, 3, None, "100.6")]
aviso = ("El estudio «estudio.w1e» fue modificado fuera del programa: no es el que anota "
         "su último guardado (línea 3 del registro de cambios).")

entradas = [
    dict(ana, tipo="creado", formato="tolerancia-registro/1", archivo="estudio.w1e", sha256=None),
    dict(ana, tipo="guardado", sha256=sha(v1), sha256Anterior=None, cambios=primera),
    dict(ana2, tipo="guardado", sha256=sha(v2), sha256Anterior=sha(v1), cambios=segunda),
    dict(ana2, tipo="motivo", sha256=sha(v2), motivo="Se transcribió mal la muestra 2 del FAM 2 \"101.3\""),
    dict(luis, tipo="firmado", sha256=sha(v2), firmante="Luis Ríos", significado="revisado"),
    dict(luis, tipo="impreso", sha256=sha(v2), documento="Información General, láser", destino="HP LaserJet 4250"),
    dict(luis, tipo="exportado", sha256=None, documento="Resultados, PDF", destino="/home/lrios/r/resultados.pdf"),
    dict(nueva, tipo="verificado", sha256=sha(v2), versionAnterior="3.1"),
    dict(nueva, tipo="aviso", sha256=sha(otro), aviso="estudioModificado", texto=aviso),
]

anterior = "0" * 64
salida = b""
for e in entradas:
    linea = json.dumps(dict(e, anterior=anterior), ensure_ascii=False, sort_keys=True,
                       separators=(",", ":")).encode("utf-8")
    salida += linea + b"\n"
    anterior = sha(linea)

open("v1.w1e", "wb").write(v1)
open("v2.w1e", "wb").write(v2)
open("otro.w1e", "wb").write(otro)
open("cadena.registro", "wb").write(salida)
