# Reference figures for the precision and equivalence tests, computed apart
# from the program with R's own distributions (qchisq, qf, qt, pt) in
# doubles, straight from the formulas of the balanced one-way random model:
#   repeatability        s_r^2 = MSE, limits nu2*MSE/chi2(1-a/2; nu2) .. nu2*MSE/chi2(a/2; nu2)
#   between levels       s_L^2 = max(0, (MSF - MSE)/n), modified large-sample
#                        (Graybill-Wang) limits of Burdick & Graybill (1992)
#   intermediate prec.   s_IP^2 = s_L^2 + s_r^2, its MLS limits, and the
#                        one-sided 95 % upper bound (a/2 replaced by a)
#   equivalence (TOST)   d +- t(1 - a'; nu2) * sqrt(2*MSE/n), a' = 0.05 or
#                        0.05/m with Bonferroni's adjustment for m pairs
# Run:  Rscript precision.R   (from this folder; R 4.2.2 of Debian bookworm
# wrote the committed .tsv files). Negative limits are 0.

estudios <- list(
  # k = 5, n = 3 with MSF = 32.0 and MSE = 1.6 exactly: the worked case of
  # the modified large-sample limits.
  "burdick-graybill" = "102 99 101 / 99 100 98 / 103 102 100 / 103 105 103 / 96 95 94",
  "ejemplo-trabajado" = "99.2 100.1 99.8 100.5 / 100.9 101.3 100.6 101.0 / 99.5 99.9 100.2 99.7",
  "ejemplo-significativo" = paste("99.8 100.3 99.5 100.1 99.9 100.4 / 100.2 99.7 100.6 100.0 99.9 100.3",
                                  "/ 101.4 101.9 101.1 101.6 102.0 101.5 / 99.6 100.0 99.4 100.2 99.8 99.7",
                                  "/ 100.1 99.6 100.4 99.9 100.5 100.0"),
  "ejemplo-no-significativo" = paste("99.6 100.4 100.1 99.7 / 100.5 99.9 100.4 99.8 / 99.4 100.1 99.7 100.2",
                                     "/ 100.3 99.7 100.4 99.8 / 100.6 99.9 100.5 100.0"),
  "ejemplo-marginal" = paste("98.500 99.000 99.500 100.000 100.000 100.000 100.000 100.500 101.000 101.500",
                             "/ 99.325 99.825 100.325 100.825 100.825 100.825 100.825 101.325 101.825 102.325"),
  "ejemplo-valor-atipico" = paste("100.1 99.9 100.2 100.0 99.8 100.1 / 99.9 100.2 100.0 99.8 100.1 101.6",
                                  "/ 100.3 100.0 100.2 99.9 100.1 100.2"),
  "ejemplo-varianza-aberrante" = paste("100.1 99.9 100.0 100.2 99.8 / 99.8 100.0 99.9 100.1 100.2",
                                       "/ 98.9 101.2 99.4 100.8 99.6 / 100.0 100.3 99.9 100.1 100.2"),
  # R's PlantGrowth (dried plant weights, three groups of ten).
  "PlantGrowth" = paste(paste(PlantGrowth$weight[1:10], collapse = " "),
                        paste(PlantGrowth$weight[11:20], collapse = " "),
                        paste(PlantGrowth$weight[21:30], collapse = " "), sep = " / "),
  # R's sleep (extra hours of sleep) taken as two levels of ten.
  "sleep" = paste(paste(format(sleep$extra[1:10], nsmall = 1, trim = TRUE), collapse = " "),
                  paste(format(sleep$extra[11:20], nsmall = 1, trim = TRUE), collapse = " "), sep = " / "),
  # MS FAM below MS error: no variance between levels.
  "sin-efecto" = "10.2 9.8 10.5 9.5 / 10.1 9.9 10.3 9.7 / 10.0 10.0 10.4 9.6",
  "dos-por-dos" = "5.1 5.3 / 5.6 5.2",
  # Levels far apart, tiny spread within.
  "niveles-separados" = "91.01 91.02 91.03 / 92.01 92.02 92.03 / 93.01 93.02 93.03 / 94.01 94.02 94.03",
  # Small magnitudes.
  "microgramos" = "0.001021 0.001019 0.001025 / 0.001018 0.001022 0.001020 / 0.001027 0.001024 0.001026",
  "cinco-por-diez" = paste("49.87 50.12 50.03 49.95 50.21 49.78 50.06 49.99 50.14 49.91",
                           "/ 50.31 50.18 50.42 50.09 50.27 50.36 50.11 50.24 50.39 50.20",
                           "/ 49.92 50.05 49.88 50.10 49.97 50.02 49.85 50.08 49.94 50.01",
                           "/ 50.15 49.96 50.07 50.22 49.89 50.13 50.04 49.98 50.19 50.06",
                           "/ 49.81 50.00 49.93 49.86 50.09 49.90 49.97 49.84 50.03 49.95")
)

# Acceptance limit (units, or "%" of the grand mean) and maximum RSD of
# intermediate precision (%, "" for none) asked of each study.
criterios <- list(
  "burdick-graybill" = c("4", "5"), "ejemplo-trabajado" = c("1.5", "3"),
  "ejemplo-significativo" = c("2%", "2"), "ejemplo-no-significativo" = c("1", ""),
  "ejemplo-marginal" = c("2", "2"), "ejemplo-valor-atipico" = c("0.7%", "0.5"),
  "ejemplo-varianza-aberrante" = c("0.7", "0.7"), "PlantGrowth" = c("10%", "40"),
  "sleep" = c("3", "150"), "sin-efecto" = c("0.5", "5"), "dos-por-dos" = c("1", "50"),
  "niveles-separados" = c("3.5", "4"), "microgramos" = c("1%", "1.5"),
  "cinco-por-diez" = c("0.4", "0.7")
)

pares <- list(c(1, 2), c(1, 3), c(2, 3), c(1, 4), c(2, 4), c(3, 4), c(1, 5), c(2, 5), c(3, 5), c(4, 5))
a <- 0.05
cifra <- function(x) trimws(sapply(x, formatC, digits = 17, format = "g"))

componentes <- NULL
equivalencias <- NULL
filaspares <- NULL
for (nombre in names(estudios)) {
  textos <- strsplit(trimws(strsplit(estudios[[nombre]], "/", fixed = TRUE)[[1]]), " +")
  x <- lapply(textos, as.numeric)
  k <- length(x); n <- length(x[[1]])
  n1 <- k - 1; n2 <- k * (n - 1)
  medias <- sapply(x, mean)
  media <- mean(medias)
  msf <- n * sum((medias - media)^2) / n1
  mse <- sum(sapply(x, function(v) sum((v - mean(v))^2))) / n2

  G1 <- 1 - n1 / qchisq(1 - a / 2, n1); G2 <- 1 - n2 / qchisq(1 - a / 2, n2)
  H1 <- n1 / qchisq(a / 2, n1) - 1;     H2 <- n2 / qchisq(a / 2, n2) - 1
  F1 <- qf(1 - a / 2, n1, n2);          F2 <- qf(a / 2, n1, n2)
  G12 <- ((F1 - 1)^2 - G1^2 * F1^2 - H2^2) / F1
  H12 <- ((1 - F2)^2 - H1^2 * F2^2 - G2^2) / F2
  VL <- G1^2 * msf^2 + H2^2 * mse^2 + G12 * msf * mse
  VU <- H1^2 * msf^2 + G2^2 * mse^2 + H12 * msf * mse
  H1u <- n1 / qchisq(a, n1) - 1;        H2u <- n2 / qchisq(a, n2) - 1

  sr2 <- mse
  sl2 <- max(0, (msf - mse) / n)
  sip2 <- sl2 + sr2
  sigma <- msf / n + (n - 1) * mse / n
  var <- list(
    r = c(sr2, n2 * mse / qchisq(1 - a / 2, n2), n2 * mse / qchisq(a / 2, n2)),
    L = c(sl2, max(0, (msf - mse - sqrt(VL)) / n), max(0, (msf - mse + sqrt(VU)) / n)),
    IP = c(sip2, max(0, sigma - sqrt(G1^2 * msf^2 + G2^2 * (n - 1)^2 * mse^2) / n),
           sigma + sqrt(H1^2 * msf^2 + H2^2 * (n - 1)^2 * mse^2) / n))
  cota <- sigma + sqrt(H1u^2 * msf^2 + H2u^2 * (n - 1)^2 * mse^2) / n
  fila <- c(nombre, estudios[[nombre]], k, n, cifra(c(msf, mse, media)))
  for (c in names(var)) {
    v <- var[[c]]
    fila <- c(fila, cifra(c(v[1], sqrt(v[1]), 100 * sqrt(v[1]) / abs(media), 100 * v[1] / sip2,
                            v[2], v[3], sqrt(v[2:3]), 100 * sqrt(v[2:3]) / abs(media))))
  }
  fila <- c(fila, cifra(c(cota, sqrt(cota), 100 * sqrt(cota) / abs(media))))
  componentes <- rbind(componentes, fila)

  limite <- criterios[[nombre]][1]; dermax <- criterios[[nombre]][2]
  porciento <- grepl("%$", limite)
  delta <- as.numeric(sub("%$", "", limite))
  if (porciento) delta <- delta / 100 * abs(media)
  cumpleDer <- if (dermax == "") "" else ifelse(100 * sqrt(cota) / abs(media) <= as.numeric(dermax), "sí", "no")
  m <- k * (k - 1) / 2
  for (ajuste in c("ninguno", "bonferroni")) {
    alfa <- if (ajuste == "bonferroni") a / m else a
    t <- qt(1 - alfa, n2)
    se <- sqrt(2 * mse / n)
    todos <- TRUE
    for (p in pares[seq_len(m)]) {
      d <- medias[p[1]] - medias[p[2]]
      lo <- d - t * se; hi <- d + t * se
      equiv <- lo > -delta && hi < delta
      todos <- todos && equiv
      p1 <- pt((d + delta) / se, n2, lower.tail = FALSE)
      p2 <- pt((d - delta) / se, n2)
      if (ajuste == "bonferroni") { p1 <- min(1, m * p1); p2 <- min(1, m * p2) }
      filaspares <- rbind(filaspares, c(nombre, ajuste, p[1], p[2], cifra(c(d, lo, hi)),
                                        ifelse(equiv, "sí", "no"), cifra(c(p1, p2))))
    }
    cumple <- todos && cumpleDer != "no"
    equivalencias <- rbind(equivalencias, c(nombre, limite, dermax, ajuste, cifra(c(delta, t, t * se)),
                                            ifelse(todos, "sí", "no"), cumpleDer, ifelse(cumple, "sí", "no")))
  }
}

escribe <- function(tabla, archivo, nota, columnas) {
  con <- file(archivo, "w", encoding = "UTF-8")
  writeLines(nota, con)
  writeLines(paste(columnas, collapse = "\t"), con)
  write.table(tabla, con, sep = "\t", quote = FALSE, row.names = FALSE, col.names = FALSE)
  close(con)
}
nota <- "# Written by precision.R with R's qchisq, qf, qt and pt; see the script for the formulas."
limites <- function(c) paste0(c, c("", "DE", "DER", "Parte", "Inf", "Sup", "DEInf", "DESup", "DERInf", "DERSup"))
escribe(componentes, "componentes-r.tsv", nota,
        c("#estudio", "niveles", "k", "n", "mcFam", "mcError", "promedio", limites("r"), limites("L"),
          limites("IP"), "cotaIP", "cotaIPDE", "cotaIPDER"))
escribe(equivalencias, "equivalencia-r.tsv", nota,
        c("#estudio", "limite", "derMaxima", "ajuste", "delta", "t", "semiamplitud", "todos", "cumpleDer", "cumple"))
escribe(filaspares, "pares-r.tsv", nota,
        c("#estudio", "ajuste", "famA", "famB", "diferencia", "inferior", "superior", "equivalentes", "pInferior", "pSuperior"))
