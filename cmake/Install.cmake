# Where `cmake --install` (and the Debian package) puts the programs and their files. An
# installed program finds its help below <prefix>/share/padflasher and keeps the user's files in
# the XDG folders; a build run from build/<preset>/bin stays portable (see docs/install.md).
include(GNUInstallDirs)
# Folders made by the installation are 755 whatever the umask (Debian's rule for packages).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# One ID names the desktop entry, the AppStream metainfo and the icon. example.org is reserved,
# so the ID can never collide with a real vendor's.
set(PADFLASHER_APP_ID "org.example.PadFlasher")
set(PADFLASHER_DATADIR "${CMAKE_INSTALL_DATADIR}/padflasher")

# The installed program recognises its layout by this folder seen from its own folder.
file(RELATIVE_PATH PADFLASHER_DATA_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/padflasher")
target_compile_definitions(startup PRIVATE PADFLASHER_DATA_FROM_BIN="${PADFLASHER_DATA_FROM_BIN}")
# padflasher-cli finds its module of download-site commands the same way (src/cli/WebModule.h).
set(PADFLASHER_MODULEDIR "${CMAKE_INSTALL_LIBDIR}/padflasher")
file(RELATIVE_PATH PADFLASHER_WEB_MODULE_FROM_BIN "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_PREFIX}/${PADFLASHER_MODULEDIR}")
target_compile_definitions(padflasher-cli
  PRIVATE PADFLASHER_WEB_MODULE_FROM_BIN="${PADFLASHER_WEB_MODULE_FROM_BIN}")
target_compile_definitions(PadFlasher PRIVATE PADFLASHER_APP_ID="${PADFLASHER_APP_ID}")

# install(PROGRAMS) and a module's install(TARGETS) with its own permissions know nothing of
# --strip; the package wants stripped files, without .comment and .note.
function(padflasher_install_strip file)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded --remove-section=.comment
        --remove-section=.note \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${file}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
endfunction()

# The programs, under names that belong in a shared bin folder.
set(PADFLASHER_INSTALLED_PROGRAMS
    "PadFlasher:padflasher" "padflasher-cli:padflasher-cli" "hcsim:padflasher-hcsim")
foreach(pair IN LISTS PADFLASHER_INSTALLED_PROGRAMS)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 target)
  list(GET pair 1 name)
  install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME ${name})
  padflasher_install_strip(${CMAKE_INSTALL_BINDIR}/${name})
endforeach()

# A private module, not a library for others: no SONAME, read-only like every shared object.
install(TARGETS padflasher-cli-web LIBRARY DESTINATION ${PADFLASHER_MODULEDIR}
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
padflasher_install_strip(${PADFLASHER_MODULEDIR}/padflasher-cli-web.so)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/help/ DESTINATION ${PADFLASHER_DATADIR}/help)
install(FILES ${PADFLASHER_QM_FILES} DESTINATION ${PADFLASHER_DATADIR}/translations)

set(packaging ${CMAKE_SOURCE_DIR}/packaging)
set(generated ${CMAKE_BINARY_DIR}/packaging)
configure_file(${packaging}/padflasher.desktop.in ${generated}/${PADFLASHER_APP_ID}.desktop @ONLY)
configure_file(${packaging}/padflasher.metainfo.xml.in
               ${generated}/${PADFLASHER_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${PADFLASHER_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${PADFLASHER_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/resources/art/padflasher.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${PADFLASHER_APP_ID}.svg)
install(FILES ${CMAKE_SOURCE_DIR}/resources/art/padflasher.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME ${PADFLASHER_APP_ID}.png)
install(FILES ${packaging}/bash-completion/padflasher-cli
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# Manual pages and the package's changelog, compressed the way Debian installs them (no name or
# time stamp in the gzip header, so a rebuild gives the same bytes).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_pages)
foreach(page padflasher padflasher-cli padflasher-hcsim changelog)
  if(page STREQUAL "changelog")
    set(source ${packaging}/changelog)
  else()
    set(source ${packaging}/man/${page}.1)
  endif()
  get_filename_component(name ${source} NAME)
  set(output ${generated}/gz/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/gz
    COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${GZIP_PROGRAM} ${source} ${output}
    DEPENDS ${source} VERBATIM)
  list(APPEND compressed_pages ${output})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_pages})
list(POP_BACK compressed_pages changelog)
install(FILES ${compressed_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# What Debian asks of every package's documentation folder.
install(FILES ${packaging}/copyright ${changelog} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/padflasher)
