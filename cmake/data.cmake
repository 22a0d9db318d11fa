# The game data in build/data: the font now; the asset generator adds the rest.
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
add_custom_target(fk_data ALL DEPENDS ${FK_DATA_DIR}/artwork/comic.ttf)
