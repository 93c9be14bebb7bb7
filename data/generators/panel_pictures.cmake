# The panel pictures of the shipped models: drawn at build time into the program directory from
# the key rectangles of "qelsys.ini", under the names its "bmp" keys give.
add_executable(panel_pictures ${CMAKE_CURRENT_LIST_DIR}/panel_pictures.cpp)
target_link_libraries(panel_pictures PRIVATE dispcraft_core)
set_target_properties(panel_pictures PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(PANEL_MODEL_FILE ${CMAKE_CURRENT_SOURCE_DIR}/program/qelsys.ini)
set(PANEL_PICTURES_FONT /usr/share/unifont/unifont.hex)
if(EXISTS ${PANEL_MODEL_FILE})
    file(STRINGS ${PANEL_MODEL_FILE} PANEL_PICTURE_KEYS REGEX "^[ \t]*bmp[ \t]*=")
    set(PANEL_PICTURES)
    foreach(line ${PANEL_PICTURE_KEYS})
        string(REGEX REPLACE "^[ \t]*bmp[ \t]*=[ \t]*[\\\\/]*" "" name "${line}")
        string(STRIP "${name}" name)
        if(name AND NOT name STREQUAL "none")
            list(APPEND PANEL_PICTURES ${DISPCRAFT_PROGRAM_DIR}/${name})
        endif()
    endforeach()
    list(REMOVE_DUPLICATES PANEL_PICTURES)
    add_custom_command(OUTPUT ${PANEL_PICTURES}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${DISPCRAFT_PROGRAM_DIR}
        COMMAND panel_pictures ${PANEL_MODEL_FILE} ${DISPCRAFT_PROGRAM_DIR} ${PANEL_PICTURES_FONT}
        DEPENDS panel_pictures ${PANEL_MODEL_FILE}
        COMMENT "Drawing the panel pictures"
        VERBATIM)
    add_custom_target(panel_pictures_data DEPENDS ${PANEL_PICTURES})
    add_dependencies(program_dir panel_pictures_data)
    install(FILES ${PANEL_PICTURES} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR})
endif()
