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
target_compile_definitions(PadFlasher PRIVATE PADFLASHER_APP_ID="${PADFLASHER_APP_ID}")
# The package's documentation folder, which padflasher-cli's help names.
set(PADFLASHER_DOCDIR "${CMAKE_INSTALL_DATADIR}/doc/padflasher")
target_compile_definitions(padflasher-cli
  PRIVATE PADFLASHER_DOC_DIR="${CMAKE_INSTALL_PREFIX}/${PADFLASHER_DOCDIR}")

# install(PROGRAMS) knows nothing of --strip; the package wants stripped programs, without
# .comment and .note.
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

# Completion for bash, zsh and fish, written by padflasher-cli itself from its commands, where
# each shell looks for the completion of a command.
set(completions
    "bash:bash-completion/completions/padflasher-cli"
    "zsh:zsh/vendor-completions/_padflasher-cli"
    "fish:fish/vendor_completions.d/padflasher-cli.fish")
set(completion_files)
foreach(pair IN LISTS completions)
  string(REPLACE ":" ";" pair "${pair}")
  list(GET pair 0 shell)
  list(GET pair 1 path)
  get_filename_component(name ${path} NAME)
  get_filename_component(folder ${path} DIRECTORY)
  set(output ${generated}/completion/${shell}/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/completion/${shell}
    COMMAND sh -c "\"$0\" --completion \"$1\" > \"$2\"" $<TARGET_FILE:padflasher-cli> ${shell}
            ${output}
    DEPENDS padflasher-cli VERBATIM)
  list(APPEND completion_files ${output})
  install(FILES ${output} DESTINATION ${CMAKE_INSTALL_DATADIR}/${folder})
endforeach()
add_custom_target(completions ALL DEPENDS ${completion_files})

# Manual pages, the package's changelog and the documents, compressed the way Debian installs
# them (no name or time stamp in the gzip header, so a rebuild gives the same bytes; in the
# documentation folder only the changelog and what is larger than 4 KiB, as dh_compress does).
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed_files)
# source file, folder below the prefix, name installed
function(padflasher_install_compressed source destination name)
  set(output ${generated}/gz/${destination}/${name}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/gz/${destination}
    COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${GZIP_PROGRAM} ${source} ${output}
    DEPENDS ${source} VERBATIM)
  set(compressed_files ${compressed_files} ${output} PARENT_SCOPE)
  install(FILES ${output} DESTINATION ${destination})
endfunction()
foreach(page padflasher padflasher-cli padflasher-hcsim)
  padflasher_install_compressed(${packaging}/man/${page}.1 ${CMAKE_INSTALL_MANDIR}/man1 ${page}.1)
endforeach()
padflasher_install_compressed(${packaging}/changelog ${PADFLASHER_DOCDIR} changelog.Debian)
file(GLOB_RECURSE documents RELATIVE ${CMAKE_SOURCE_DIR} CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/docs/*)
list(PREPEND documents README.md)
foreach(document IN LISTS documents)
  get_filename_component(name ${document} NAME)
  get_filename_component(folder ${document} DIRECTORY)
  set(destination ${PADFLASHER_DOCDIR})
  if(folder)
    set(destination ${PADFLASHER_DOCDIR}/${folder})
  endif()
  file(SIZE ${CMAKE_SOURCE_DIR}/${document} size)
  if(size GREATER 4096 AND NOT name MATCHES "\\.png$")
    padflasher_install_compressed(${CMAKE_SOURCE_DIR}/${document} ${destination} ${name})
  else()
    install(FILES ${CMAKE_SOURCE_DIR}/${document} DESTINATION ${destination})
  endif()
endforeach()
add_custom_target(documents ALL DEPENDS ${compressed_files})

# What Debian asks of every package's documentation folder.
install(FILES ${packaging}/copyright DESTINATION ${PADFLASHER_DOCDIR})
# What lintian says that does not apply to this package (see the file).
install(FILES ${packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME padflasher)
