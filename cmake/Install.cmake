# What `cmake --install` puts where (GNUInstallDirs; any prefix; DESTDIR is honoured):
#
#   bin/                                   zentro-mouse, zentroctl
#   share/zentro-mouse/Skins/              the skin
#   share/zentro-mouse/                    the default program files, the seed of each user's
#                                          ~/.config/zentro-mouse/ (config*.bin, str*.ini,
#                                          record.ini)
#   share/applications/, share/metainfo/   desktop entry and AppStream metadata
#   share/icons/hicolor/<size>/apps/       the program icon, 16 to 512 and scalable (SVG)
#   share/man/man1/                        zentroctl(1), zentro-mouse(1), compressed
#   share/doc/zentro-mouse/                copyright (from LICENSE), changelog.gz
#   lib/udev/rules.d/                      the rule that lets the user at the seat open the mouse

set(ZENTRO_DATA_DEST ${CMAKE_INSTALL_DATADIR}/zentro-mouse)
set(ZENTRO_DEFAULTS_DIR ${CMAKE_BINARY_DIR}/install-defaults)
set(ZENTRO_PROGRAM_FILES
  config.bin config0.bin config1.bin config2.bin config3.bin config4.bin config5.bin
  str.ini str0.ini str1.ini str2.ini str3.ini str4.ini str5.ini record.ini)

# The seed files are written fresh into a folder of their own (English; the first start sets
# the language from the user's locale), never taken from build/bin, where profiles may have
# been edited.
set(ZENTRO_DEFAULTS_STAMP ${ZENTRO_DEFAULTS_DIR}/.stamp)
add_custom_command(
  OUTPUT ${ZENTRO_DEFAULTS_STAMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZENTRO_DEFAULTS_DIR}
  COMMAND zentro-mkprogramdir --force --lan EN ${ZENTRO_DEFAULTS_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${ZENTRO_DEFAULTS_STAMP}
  DEPENDS zentro-mkprogramdir
  COMMENT "Writing the default program files that are installed"
  VERBATIM)
add_custom_target(zentro_install_defaults ALL DEPENDS ${ZENTRO_DEFAULTS_STAMP})
add_dependencies(zentro_programs zentro_install_defaults)

set(ZENTRO_INSTALLED_FILES "")
foreach(name ${ZENTRO_PROGRAM_FILES})
  list(APPEND ZENTRO_INSTALLED_FILES ${ZENTRO_DEFAULTS_DIR}/${name})
endforeach()
install(FILES ${ZENTRO_INSTALLED_FILES} DESTINATION ${ZENTRO_DATA_DEST} COMPONENT zentro)

# The documents of the package, made in build/doc: the manual pages and the changelog
# compressed as Debian installs them (gzip -9n: no name or time stamp, so the same sources
# give the same files), and the copyright file in Debian's format with the licence of LICENSE.
set(ZENTRO_CONTACT "ZENTRO mouse developers <dev@zentro.invalid>")
set(ZENTRO_DOC_OUT ${CMAKE_BINARY_DIR}/doc)
find_program(ZENTRO_GZIP gzip REQUIRED)
function(zentro_gzip_document source name)
  set(out ${ZENTRO_DOC_OUT}/${name})
  add_custom_command(
    OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${out}
    COMMAND ${ZENTRO_GZIP} -9nf ${out}
    DEPENDS ${source}
    COMMENT "Compressing ${name}"
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY ZENTRO_DOCUMENTS ${out}.gz)
endfunction()
zentro_gzip_document(${CMAKE_SOURCE_DIR}/resources/zentroctl.1 zentroctl.1)
zentro_gzip_document(${CMAKE_SOURCE_DIR}/resources/zentro-mouse.1 zentro-mouse.1)
zentro_gzip_document(${CMAKE_SOURCE_DIR}/packaging/changelog changelog)
get_property(ZENTRO_DOCUMENTS GLOBAL PROPERTY ZENTRO_DOCUMENTS)
add_custom_target(zentro_documents ALL DEPENDS ${ZENTRO_DOCUMENTS})
add_dependencies(zentro_programs zentro_documents)

# Both are read here: a change to either configures again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/packaging/changelog)
# The changelog's newest entry names the version being built.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^zentro-mouse \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog has no entry for version ${PROJECT_VERSION} at the "
                      "top: ${changelog_top}")
endif()

file(READ ${CMAKE_SOURCE_DIR}/LICENSE license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" copyright_line "${license}")
set(ZENTRO_COPYRIGHT ${CMAKE_MATCH_1})
string(FIND "${license}" "Permission is hereby granted" body_start)
if(NOT ZENTRO_COPYRIGHT OR body_start LESS 0)
  message(FATAL_ERROR "LICENSE: no copyright line or permission text")
endif()
string(SUBSTRING "${license}" ${body_start} -1 body)
string(STRIP "${body}" body)
# Paragraphs of a copyright-format field: every line indented, empty lines as " .".
string(REPLACE "\n\n" "\n.\n" body "${body}")
string(REPLACE "\n" "\n " body "${body}")
set(ZENTRO_LICENSE_BODY " ${body}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/copyright.in ${ZENTRO_DOC_OUT}/copyright @ONLY)

install(FILES ${ZENTRO_DOC_OUT}/copyright ${ZENTRO_DOC_OUT}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/zentro-mouse COMPONENT zentro)

if(TARGET zentroctl)
  install(TARGETS zentroctl RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT zentro)
  install(FILES ${ZENTRO_DOC_OUT}/zentroctl.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT zentro)
endif()

if(TARGET zentro-mouse)
  install(TARGETS zentro-mouse RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT zentro)
  install(DIRECTORY ${ZENTRO_PROGRAM_DIR}/Skins DESTINATION ${ZENTRO_DATA_DEST}
          COMPONENT zentro)
  foreach(size 16 22 24 32 36 48 64 72 96 128 192 256 512)
    install(FILES ${CMAKE_BINARY_DIR}/resources/icons/zentro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME zentro-mouse.png COMPONENT zentro)
  endforeach()
  install(FILES ${ZENTRO_DOC_OUT}/zentro-mouse.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT zentro)
  install(FILES ${CMAKE_BINARY_DIR}/resources/icons/zentro.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME zentro-mouse.svg COMPONENT zentro)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/zentro-mouse.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT zentro)
  install(FILES ${CMAKE_SOURCE_DIR}/resources/io.github.zentro_mouse.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT zentro)
endif()

# Under the prefix in lib/ (where udev looks; not the multiarch library folder); the name
# sorts before 73-seat-late.rules, which turns the uaccess tag into access for the seat user.
install(FILES ${CMAKE_SOURCE_DIR}/resources/70-zentro-mouse.rules
        DESTINATION lib/udev/rules.d COMPONENT zentro)
