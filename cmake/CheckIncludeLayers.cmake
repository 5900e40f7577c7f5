# Fails when a file under src/ includes a header of a layer above its own.
# Run as: cmake -DSOURCE_DIR=<src> -P CheckIncludeLayers.cmake
# A layer may include the layers listed for it, and nothing else from src/.
# Inside the window the same holds for its feature folders (below).
cmake_minimum_required(VERSION 3.25)
set(layers core platform window cli app)
set(allowed_core core)
set(allowed_platform platform core)
set(allowed_window window platform core)
set(allowed_cli cli platform core)
set(allowed_app app cli window platform core)

set(faults "")

# Adds to faults each include, in the files under dir, of a path
# "<prefix><folder>/..." whose folder is not in allowed. Under the window
# prefix an include naming no folder (a top file) is refused too; without a
# prefix only includes of our layers are checked.
function(check_includes dir prefix allowed)
    set(found "")
    file(GLOB_RECURSE files "${dir}/*.h" "${dir}/*.cpp")
    foreach(file IN LISTS files)
        file(STRINGS "${file}" includes REGEX "^#include \"${prefix}[^\"]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"${prefix}([^\"]+)\".*" "\\1" included "${line}")
            string(REGEX MATCH "^[^/]+/" folder "${included}")
            string(REPLACE "/" "" folder "${folder}")
            if(NOT prefix AND NOT folder IN_LIST layers)
                continue()
            endif()
            if(NOT folder OR NOT folder IN_LIST allowed)
                file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
                string(APPEND found "\n  ${shown}: ${line}")
            endif()
        endforeach()
    endforeach()
    set(faults "${faults}${found}" PARENT_SCOPE)
endfunction()

foreach(layer IN LISTS layers)
    check_includes("${SOURCE_DIR}/${layer}" "" "${allowed_${layer}}")
endforeach()

# Inside the window, each folder is a feature. A feature may include its own
# folder and those listed for it, never the window's top files (MainWindow,
# Startup, ...), which put the features together.
set(features results form masks toolbar generation rules options sounds update localisation)
set(feature_results results)
set(feature_form form results)
set(feature_masks masks form results)
set(feature_toolbar toolbar form results)
set(feature_generation generation form results)
set(feature_rules rules generation form results)
set(feature_options options form results sounds)
set(feature_sounds sounds)
set(feature_update update form)
set(feature_localisation localisation form generation rules results toolbar)
foreach(feature IN LISTS features)
    check_includes("${SOURCE_DIR}/window/${feature}" "window/" "${feature_${feature}}")
endforeach()
file(GLOB folders LIST_DIRECTORIES true "${SOURCE_DIR}/window/*")
foreach(folder IN LISTS folders)
    get_filename_component(name "${folder}" NAME)
    if(IS_DIRECTORY "${folder}" AND NOT name IN_LIST features)
        string(APPEND faults "\n  window/${name}: a folder the check does not know")
    endif()
endforeach()

if(faults)
    message(FATAL_ERROR "Includes that point up a layer, or across the window's features:${faults}")
endif()
