# The game data in build/data: every picture, sound, tune, the animation set and the
# graphics packs are made by tools/assetgen (re-run whenever the generator changes); the
# font is Comic Neue from the system. Review sheets go to build/data-preview.
#
# Other generators of data files (the striped backgrounds written by the engine's own
# code) hang their targets on fk_data:  add_dependencies(fk_data <their target>).
if(NOT FK_DATA)
  return()
endif()

# Debian ships Comic Neue as OpenType (CFF); FreeType reads it under the .ttf name.
find_file(FK_COMIC_FONT ComicNeue-Bold.otf
  PATHS /usr/share/fonts/opentype/comic-neue
  NO_DEFAULT_PATH)
if(NOT FK_COMIC_FONT)
  message(FATAL_ERROR "Comic Neue not found: install fonts-comic-neue")
endif()
add_custom_command(
  OUTPUT ${FK_DATA_DIR}/artwork/comic.ttf
  COMMAND ${CMAKE_COMMAND} -E make_directory ${FK_DATA_DIR}/artwork
  COMMAND ${CMAKE_COMMAND} -E copy ${FK_COMIC_FONT} ${FK_DATA_DIR}/artwork/comic.ttf
  DEPENDS ${FK_COMIC_FONT}
  COMMENT "Copying Comic Neue into the data folder")

set(FK_PREVIEW_DIR ${CMAKE_BINARY_DIR}/data-preview)
set(FK_ASSETS_STAMP ${FK_DATA_DIR}/.assetgen-stamp)
add_custom_command(
  OUTPUT ${FK_ASSETS_STAMP}
  COMMAND assetgen ${FK_DATA_DIR} ${FK_PREVIEW_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${FK_ASSETS_STAMP}
  DEPENDS assetgen
  COMMENT "Generating the game data into ${FK_DATA_DIR}"
  USES_TERMINAL)

add_custom_target(fk_data ALL DEPENDS ${FK_DATA_DIR}/artwork/comic.ttf ${FK_ASSETS_STAMP})

# The two striped backgrounds come from the game's own generators, run headless.
set(FK_FONDOS ${FK_DATA_DIR}/artwork/fondoraro.png ${FK_DATA_DIR}/artwork/fondomasraro.png)
add_custom_command(
  OUTPUT ${FK_FONDOS}
  COMMAND fondos ${FK_DATA_DIR}
  DEPENDS fondos
  COMMENT "Generating the striped backgrounds")
add_custom_target(fk_data_fondos DEPENDS ${FK_FONDOS})
add_dependencies(fk_data fk_data_fondos)
