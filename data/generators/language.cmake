# The English language file is also compiled into the core library as the built-in fallback, so
# the texts have one source. The C++ file is made at configure time (CMake re-runs when the
# language file changes) and written only when its content changes.
set(LANGUAGE_EN_FILE ${CMAKE_CURRENT_SOURCE_DIR}/program/ZOZUDEDevo.lang)
set(LANGUAGE_EN_CPP ${CMAKE_BINARY_DIR}/generated/BuiltinLanguage.cpp)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${LANGUAGE_EN_FILE})
file(READ ${LANGUAGE_EN_FILE} LANGUAGE_EN_TEXT)
string(FIND "${LANGUAGE_EN_TEXT}" ")dclang\"" LANGUAGE_EN_CLASH)
if(NOT LANGUAGE_EN_CLASH EQUAL -1)
    message(FATAL_ERROR "${LANGUAGE_EN_FILE} contains the raw string delimiter )dclang\"")
endif()
set(LANGUAGE_EN_SOURCE "// Generated from data/program/ZOZUDEDevo.lang by data/generators/language.cmake.
#include \"text/BuiltinLanguage.h\"

namespace dispcraft {

std::string_view builtinEnglishLanguage() {
    static constexpr char kText[] = R\"dclang(${LANGUAGE_EN_TEXT})dclang\";
    return std::string_view(kText, sizeof kText - 1);
}

} // namespace dispcraft
")
set(LANGUAGE_EN_OLD "")
if(EXISTS ${LANGUAGE_EN_CPP})
    file(READ ${LANGUAGE_EN_CPP} LANGUAGE_EN_OLD)
endif()
if(NOT LANGUAGE_EN_OLD STREQUAL LANGUAGE_EN_SOURCE)
    file(WRITE ${LANGUAGE_EN_CPP} "${LANGUAGE_EN_SOURCE}")
endif()
target_sources(dispcraft_core PRIVATE ${LANGUAGE_EN_CPP})
