# What `cmake --install` lays out under CMAKE_INSTALL_PREFIX, beside the
# programs (whose install() lines stand next to their targets):
#
#   share/tessaro/...                      the data files data/CMakeLists.txt lists
#   share/applications/<id>.desktop        the menu entry
#   share/metainfo/<id>.metainfo.xml       the AppStream description
#   share/icons/hicolor/*/apps/<id>.*      the application icon, SVG and PNG sizes
#   share/man/man1/tessaro*.1.gz           the manual pages
#   share/doc/tessaro/copyright            the terms, in Debian's machine-readable format
#   share/doc/tessaro/changelog.Debian.gz  the package's history
#
# Installed, the programs find their data in ../share/tessaro from their own
# folder (ProgramFolder), so the prefix can be moved as a whole.
# Included from the root CMakeLists.txt after data/ has set TESSARO_DATA_FILES.

set(TESSARO_APP_ID com.brasmoor.Tessaro)
set(TESSARO_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/data/desktop)
set(TESSARO_GENERATED_DIR ${CMAKE_BINARY_DIR}/desktop-integration)

# The data files, keeping their sub-folders.
foreach(file IN LISTS TESSARO_DATA_FILES)
    get_filename_component(folder "${file}" DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/data/${file} DESTINATION ${CMAKE_INSTALL_DATADIR}/tessaro/${folder})
endforeach()
# The same list for scripts/check-install, which compares the installed tree with it.
list(JOIN TESSARO_DATA_FILES "\n" data_file_lines)
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/installed-data-files.txt CONTENT "${data_file_lines}\n")

# Menu entry and AppStream description.
install(FILES ${TESSARO_DESKTOP_DIR}/${TESSARO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${TESSARO_DESKTOP_DIR}/${TESSARO_APP_ID}.metainfo.xml.in
               ${TESSARO_GENERATED_DIR}/${TESSARO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${TESSARO_GENERATED_DIR}/${TESSARO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The application icon: the SVG as it is, and PNG sizes rendered from it.
set(TESSARO_ICON_SVG ${PROJECT_SOURCE_DIR}/data/icons/tessaro.svg)
set(TESSARO_ICON_SIZES 16 24 32 48 64 128 256)
install(FILES ${TESSARO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TESSARO_APP_ID}.svg)
find_program(TESSARO_RSVG_CONVERT rsvg-convert)
find_program(TESSARO_IMAGEMAGICK_CONVERT convert)
set(generated_files)
if(TESSARO_RSVG_CONVERT OR TESSARO_IMAGEMAGICK_CONVERT)
    foreach(size IN LISTS TESSARO_ICON_SIZES)
        set(folder ${TESSARO_GENERATED_DIR}/hicolor/${size}x${size}/apps)
        set(png ${folder}/${TESSARO_APP_ID}.png)
        if(TESSARO_RSVG_CONVERT)
            set(render ${TESSARO_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${TESSARO_ICON_SVG})
        else()
            set(render ${TESSARO_IMAGEMAGICK_CONVERT} -background none -density 384 ${TESSARO_ICON_SVG}
                       -resize ${size}x${size} PNG32:${png})
        endif()
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
            COMMAND ${render}
            DEPENDS ${TESSARO_ICON_SVG}
            COMMENT "Rendering the ${size}x${size} application icon"
            VERBATIM)
        list(APPEND generated_files ${png})
        install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(WARNING "Neither rsvg-convert (librsvg2-bin) nor ImageMagick was found: "
                    "only the scalable application icon will be installed")
endif()

# Manual pages and the package's history, compressed as Debian wants them:
# gzip -9 without a name or time stamp, so every build gives the same bytes.
function(tessaro_install_compressed file destination)
    get_filename_component(folder "${file}" DIRECTORY)
    get_filename_component(name "${file}" NAME)
    add_custom_command(OUTPUT ${file}.gz
        COMMAND gzip -9 -n -f -k ${name}
        WORKING_DIRECTORY ${folder}
        DEPENDS ${file}
        VERBATIM)
    set(generated_files ${generated_files} ${file}.gz PARENT_SCOPE)
    install(FILES ${file}.gz DESTINATION ${destination})
endfunction()

# The pages name the data folder relative to the program, which is right
# for any prefix and after the prefix is moved.
foreach(page tessaro.1 tessaro-cli.1)
    configure_file(${PROJECT_SOURCE_DIR}/data/man/${page}.in ${TESSARO_GENERATED_DIR}/man/${page} @ONLY)
    tessaro_install_compressed(${TESSARO_GENERATED_DIR}/man/${page} ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# Debian's place for the documents is named after the package, not the project.
set(TESSARO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tessaro)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${TESSARO_DOC_DIR})
configure_file(${PROJECT_SOURCE_DIR}/data/debian/changelog ${TESSARO_GENERATED_DIR}/doc/changelog.Debian COPYONLY)
tessaro_install_compressed(${TESSARO_GENERATED_DIR}/doc/changelog.Debian ${TESSARO_DOC_DIR})

add_custom_target(tessaro_desktop_integration ALL DEPENDS ${generated_files})
