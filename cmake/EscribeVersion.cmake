# Writes core/Version.h from PLANTILLA into DESTINO for the sources in
# FUENTES, with VERSION. Runs at every build, since the revision changes
# without CMake running again; configure_file leaves the header untouched,
# and nothing is recompiled, while its content stays the same.
set(REVISION "sin revisión")
find_package(Git QUIET)
if(GIT_FOUND)
  # Only a checkout of these sources counts, not a repository around an
  # unpacked source archive.
  execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --show-toplevel
                  WORKING_DIRECTORY "${FUENTES}" RESULT_VARIABLE fallo
                  OUTPUT_VARIABLE raiz OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT fallo)
    file(REAL_PATH "${raiz}" raiz)
    file(REAL_PATH "${FUENTES}" fuentes)
  endif()
  if(NOT fallo AND raiz STREQUAL fuentes)
    execute_process(COMMAND "${GIT_EXECUTABLE}" rev-parse --short=12 HEAD
                    WORKING_DIRECTORY "${FUENTES}" RESULT_VARIABLE fallo
                    OUTPUT_VARIABLE commit OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    execute_process(COMMAND "${GIT_EXECUTABLE}" status --porcelain --untracked-files=no
                    WORKING_DIRECTORY "${FUENTES}"
                    OUTPUT_VARIABLE cambios OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    if(NOT fallo)
      set(REVISION "${commit}")
      if(cambios)
        string(APPEND REVISION "-modificada")
      endif()
    endif()
  endif()
endif()
# TIMESTAMP follows SOURCE_DATE_EPOCH, so a reproducible build states its date.
string(TIMESTAMP FECHA "%Y-%m-%d" UTC)
configure_file("${PLANTILLA}" "${DESTINO}" @ONLY)
