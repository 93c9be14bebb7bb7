# The panel pictures of the shipped models: drawn at build time into the program directory from
# the key rectangles of "qelsys.ini" (key "bmp" of each model names its picture). They are drawn
# after the program directory is laid out, and again whenever it is laid out anew.
add_executable(panel_pictures ${CMAKE_CURRENT_SOURCE_DIR}/generators/panel_pictures.cpp)
target_link_libraries(panel_pictures PRIVATE dispcraft_core)
set_target_properties(panel_pictures PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(PANEL_MODEL_FILE ${CMAKE_CURRENT_SOURCE_DIR}/program/qelsys.ini)
set(PANEL_PICTURES_STAMP ${CMAKE_BINARY_DIR}/panel_pictures.stamp)
set(PANEL_PICTURES_FONT /usr/share/unifont/unifont.hex)
if(EXISTS ${PANEL_MODEL_FILE})
    add_custom_command(OUTPUT ${PANEL_PICTURES_STAMP}
        COMMAND panel_pictures ${PANEL_MODEL_FILE} ${DISPCRAFT_PROGRAM_DIR} ${PANEL_PICTURES_FONT}
        COMMAND ${CMAKE_COMMAND} -E touch ${PANEL_PICTURES_STAMP}
        DEPENDS panel_pictures ${PANEL_MODEL_FILE} ${PROGRAM_DIR_STAMP}
        COMMENT "Drawing the panel pictures"
        VERBATIM)
    add_custom_target(panel_pictures_data DEPENDS ${PANEL_PICTURES_STAMP})
    add_dependencies(program_dir panel_pictures_data)
    install(CODE "execute_process(COMMAND ${CMAKE_BINARY_DIR}/tools/panel_pictures
        ${PANEL_MODEL_FILE} \$ENV{DESTDIR}${CMAKE_INSTALL_FULL_DATADIR}/dispcraft ${PANEL_PICTURES_FONT})")
endif()
