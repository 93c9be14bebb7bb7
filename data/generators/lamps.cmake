# The shipped lamp pictures: every lampsrc/lampNN_SxS.bmp converted by the lamp library into
# lampdata/lampNN_SxS.lmp of the program directory. Redraw a BMP (1-bit, 2S x S dots, off state
# on the left, on state on the right) and rebuild.
add_executable(convert_lamp_source ${CMAKE_CURRENT_SOURCE_DIR}/lampsrc/convert_lamp_source.cpp)
target_link_libraries(convert_lamp_source PRIVATE dispcraft_lamp)
set_target_properties(convert_lamp_source PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

file(GLOB LAMP_SOURCE_BMPS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/lampsrc/*.bmp)
set(LAMP_DATA_DIR ${DISPCRAFT_PROGRAM_DIR}/lampdata)
set(LAMP_DATA_FILES)
foreach(bmp ${LAMP_SOURCE_BMPS})
    get_filename_component(name ${bmp} NAME_WE)
    if(name MATCHES "_32x32$")
        set(size 32)
    elseif(name MATCHES "_16x16$")
        set(size 16)
    else()
        message(FATAL_ERROR "lamp source ${bmp}: the name must end in _16x16 or _32x32")
    endif()
    set(lmp ${LAMP_DATA_DIR}/${name}.lmp)
    add_custom_command(OUTPUT ${lmp}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${LAMP_DATA_DIR}
        COMMAND convert_lamp_source ${size} ${bmp} ${lmp}
        DEPENDS convert_lamp_source ${bmp}
        COMMENT "Converting lamp picture ${name}"
        VERBATIM)
    list(APPEND LAMP_DATA_FILES ${lmp})
endforeach()
add_custom_target(lampdata DEPENDS ${LAMP_DATA_FILES})
add_dependencies(program_dir lampdata)
install(FILES ${LAMP_DATA_FILES} DESTINATION ${DISPCRAFT_DATA_INSTALL_DIR}/lampdata)
