# The Debian package (cpack, see scripts/package): the template of a program
# folder in /opt/velarion, the launcher that gives each user a program folder
# of their own (~/Velarion), the menu entry with its icons, the software
# centres' description, the manual page and the package's own documents.
if(NOT TARGET Velarion)
  return()
endif()

set(VELARION_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(VELARION_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)
set(VELARION_TEMPLATE_DIR /opt/velarion)
set(VELARION_HOMEPAGE https://www.velarion.it)
set(VELARION_APP_ID it.velarion.velarion)
set(VELARION_LOGO ${CMAKE_SOURCE_DIR}/app/shell/screens/pictures/logo.svg)
set(VELARION_ICON_SIZES 16 22 24 32 48 64 128 256)
# The software centres show the main menu from the product's web site (they
# take no picture from the package): scripts/package makes the picture beside
# the package, to be published at this address.
set(VELARION_SCREENSHOT_NAME velarion-menu.png)
set(VELARION_SCREENSHOT_URL ${VELARION_HOMEPAGE}/immagini/${VELARION_SCREENSHOT_NAME})
set(VELARION_SCREENSHOT_WIDTH 1280)
set(VELARION_SCREENSHOT_HEIGHT 720)

# The release: version and date of the newest entry of the changelog, which
# must name the version of the project.
file(STRINGS ${VELARION_PACKAGING}/changelog release_line LIMIT_COUNT 1)
if(NOT release_line MATCHES "^velarion \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog does not begin with the release ${PROJECT_VERSION}: ${release_line}")
endif()
file(STRINGS ${VELARION_PACKAGING}/changelog signature_lines REGEX "^ -- ")
list(GET signature_lines 0 signature)
if(NOT signature MATCHES ">  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/changelog: no date in the line ${signature}")
endif()
set(release_day ${CMAKE_MATCH_1})
set(release_year ${CMAKE_MATCH_3})
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${CMAKE_MATCH_2} release_month)
if(release_month LESS 0)
  message(FATAL_ERROR "packaging/changelog: no month in the line ${signature}")
endif()
math(EXPR release_month "${release_month} + 1")
foreach(part release_month release_day)
  string(LENGTH "${${part}}" digits)
  if(digits EQUAL 1)
    string(PREPEND ${part} 0)
  endif()
endforeach()
set(VELARION_RELEASE_DATE ${release_year}-${release_month}-${release_day})

# ---- files made for the package ----
add_executable(velarion_make_icons ${VELARION_PACKAGING}/tools/make_icons.cpp)
target_link_libraries(velarion_make_icons PRIVATE Qt6::Gui Qt6::Svg)
add_executable(velarion_menu_screenshot ${VELARION_PACKAGING}/tools/menu_screenshot.cpp)
target_link_libraries(velarion_menu_screenshot PRIVATE shell_screens)

# The password file of the template always holds the initial password (the
# build's program folder keeps the one its developer may have changed).
set(template_password ${VELARION_PACKAGE_FILES}/template/unins000.dll)
set(icons)
foreach(side ${VELARION_ICON_SIZES})
  list(APPEND icons ${VELARION_PACKAGE_FILES}/icons/${side}x${side}/apps/velarion.png)
endforeach()
set(screenshot ${VELARION_PACKAGE_FILES}/${VELARION_SCREENSHOT_NAME})
configure_file(${VELARION_PACKAGING}/${VELARION_APP_ID}.metainfo.xml.in
               ${VELARION_PACKAGE_FILES}/${VELARION_APP_ID}.metainfo.xml @ONLY)
configure_file(${VELARION_PACKAGING}/velarion.1.in ${VELARION_PACKAGE_FILES}/velarion.1 @ONLY)
configure_file(${VELARION_PACKAGING}/changelog ${VELARION_PACKAGE_FILES}/changelog COPYONLY)

add_custom_command(OUTPUT ${template_password}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${template_password}
  COMMAND velarion_initpassword ${template_password} ${VELARION_INITIAL_PASSWORD}
  DEPENDS velarion_initpassword
  COMMENT "Password file of the package's program folder"
  VERBATIM)
add_custom_command(OUTPUT ${icons}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:velarion_make_icons> ${VELARION_LOGO} ${VELARION_PACKAGE_FILES}/icons velarion
          ${VELARION_ICON_SIZES}
  DEPENDS velarion_make_icons ${VELARION_LOGO}
  COMMENT "Menu icons from the logo"
  VERBATIM)
add_custom_command(OUTPUT ${screenshot}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
          $<TARGET_FILE:velarion_menu_screenshot> ${screenshot} ${VELARION_SCREENSHOT_WIDTH}
          ${VELARION_SCREENSHOT_HEIGHT}
  DEPENDS velarion_menu_screenshot
  COMMENT "Picture of the main menu"
  VERBATIM)
# manual page and changelog compressed as Debian wants them: no name, no time
add_custom_command(OUTPUT ${VELARION_PACKAGE_FILES}/velarion.1.gz ${VELARION_PACKAGE_FILES}/changelog.gz
  COMMAND gzip -9 -n -k -f ${VELARION_PACKAGE_FILES}/velarion.1 ${VELARION_PACKAGE_FILES}/changelog
  DEPENDS ${VELARION_PACKAGE_FILES}/velarion.1 ${VELARION_PACKAGE_FILES}/changelog
  VERBATIM)
# Everything the package holds (scripts/package builds only this).
add_custom_target(velarion_package_files ALL
  DEPENDS ${template_password} ${icons} ${screenshot} ${VELARION_PACKAGE_FILES}/velarion.1.gz
          ${VELARION_PACKAGE_FILES}/changelog.gz)
add_dependencies(velarion_package_files Velarion)
foreach(supplied help_guide velarion_alarm_sound)
  if(TARGET ${supplied})
    add_dependencies(velarion_package_files ${supplied})
  endif()
endforeach()

# ---- what the package installs ----
install(TARGETS Velarion RUNTIME DESTINATION ${VELARION_TEMPLATE_DIR})
# stripped as Debian strips: also without the compiler's notes
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                          \"\$ENV{DESTDIR}${VELARION_TEMPLATE_DIR}/Velarion\" COMMAND_ERROR_IS_FATAL ANY)
endif()")
install(FILES ${VELARION_PROGRAM_DIR}/Avviso.mp3 ${VELARION_PROGRAM_DIR}/Guida.pdf ${template_password}
        DESTINATION ${VELARION_TEMPLATE_DIR})
install(PROGRAMS ${VELARION_PACKAGING}/velarion DESTINATION bin)
install(FILES ${VELARION_PACKAGING}/${VELARION_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${VELARION_PACKAGE_FILES}/${VELARION_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# the reminders at log-in, which a user turns off in the desktop's settings
install(FILES ${VELARION_PACKAGING}/velarion-promemoria.desktop DESTINATION /etc/xdg/autostart)
file(WRITE ${VELARION_PACKAGE_FILES}/conffiles "/etc/xdg/autostart/velarion-promemoria.desktop\n")
install(DIRECTORY ${VELARION_PACKAGE_FILES}/icons/ DESTINATION share/icons/hicolor)
install(FILES ${VELARION_LOGO} DESTINATION share/icons/hicolor/scalable/apps RENAME velarion.svg)
install(FILES ${VELARION_PACKAGE_FILES}/velarion.1.gz DESTINATION share/man/man1)
install(FILES ${VELARION_PACKAGING}/copyright ${VELARION_PACKAGE_FILES}/changelog.gz DESTINATION share/doc/velarion)
install(FILES ${VELARION_PACKAGING}/lintian-overrides DESTINATION share/lintian/overrides RENAME velarion)

# ---- the package ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velarion)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Velarion)
set(CPACK_PACKAGE_CONTACT "Velarion <info@velarion.it>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "gestione dello studio tecnico")
# cpack puts the summary on the first line
set(CPACK_PACKAGE_DESCRIPTION "Velarion tiene i registri dello studio tecnico (ingegneri, architetti,
geometri): anagrafica dei clienti, pratiche, protocollo della posta,
documenti, scadenze e appuntamenti con gli avvisi, progetti, entrate e
uscite, primanota e bilancio, pagamenti insoluti e grafici statistici.
.
Ogni utente lavora nella propria cartella del programma, ~/Velarion,
creata al primo avvio: copiarla basta per farne una copia di sicurezza.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELARION_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the libraries do not name: the desktop connection, the Italian
# standard dialogs, fonts with the metrics the screens and prints are made
# for, the players of the alarm sound
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fontconfig, fonts-liberation2, \
fonts-dejavu-core, fonts-dejavu-extra, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
# opens documents, web pages and mail addresses with the desktop's programs
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${VELARION_PACKAGE_FILES}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
