# Programs built for Windows: the icon and version information as resources, and the main
# window without a console. The installer and the zip are made by
# scripts/windows/installeur.sh from this build.

find_program(BRIVANE_RSVG rsvg-convert REQUIRED)
find_program(BRIVANE_ICOTOOL icotool REQUIRED)

# The icon in the sizes Windows shows (lists, task bar, desktop).
set(BRIVANE_ICO ${CMAKE_BINARY_DIR}/brivane.ico)
set(svg ${PROJECT_SOURCE_DIR}/resources/bureau/fr.kelvora.brivane.svg)
set(pngs "")
set(commandes "")
foreach(taille 16 24 32 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/icone/${taille}.png)
  list(APPEND pngs ${png})
  list(APPEND commandes COMMAND ${BRIVANE_RSVG} --width=${taille} --height=${taille} --output=${png} ${svg})
endforeach()
add_custom_command(OUTPUT ${BRIVANE_ICO}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icone
  ${commandes}
  COMMAND ${BRIVANE_ICOTOOL} --create --output=${BRIVANE_ICO} ${pngs}
  DEPENDS ${svg}
  COMMENT "Icône brivane.ico")
add_custom_target(brivane_icone DEPENDS ${BRIVANE_ICO})

# ressources_windows(TARGET DESCRIPTION): the icon and version of one program.
function(ressources_windows cible description)
  set(BRIVANE_PROGRAMME ${cible})
  set(BRIVANE_DESCRIPTION ${description})
  set(rc ${CMAKE_BINARY_DIR}/${cible}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/brivane.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${BRIVANE_ICO})
  target_sources(${cible} PRIVATE ${rc})
  add_dependencies(${cible} brivane_icone)
endfunction()

ressources_windows(brivane "Brivane : étiquettes de la liste électorale des parents d'élèves")
ressources_windows(brivane-pdf "Brivane : étiquettes en PDF depuis la ligne de commande")
set_target_properties(brivane PROPERTIES WIN32_EXECUTABLE ON)
