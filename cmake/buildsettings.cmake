# Build settings of the launcher, written into app/buildconfig.h.in:
#   ORREL_BOUND_PROJECT  a project URL bound into the program (default: none)
#   ORREL_WEBSITE        the maker's web site behind the main dialog's button
set(ORREL_BOUND_PROJECT "" CACHE STRING "Project URL bound into orrel.exe (at most 129 characters; empty: none)")
set(ORREL_WEBSITE "http://www.kestrine.example/" CACHE STRING "The maker's web site, opened by the main dialog")

string(LENGTH "${ORREL_BOUND_PROJECT}" bound_length)
if(bound_length GREATER 129)
  message(FATAL_ERROR "ORREL_BOUND_PROJECT has ${bound_length} characters; the slot holds at most 129")
endif()
if(ORREL_BOUND_PROJECT MATCHES "^-")
  message(FATAL_ERROR "ORREL_BOUND_PROJECT must not begin with '-': that marks a program with no bound project")
endif()
if(ORREL_BOUND_PROJECT STREQUAL "")
  string(REPEAT "-" 129 bound_text)
else()
  set(bound_text "${ORREL_BOUND_PROJECT}")
endif()

if(NOT ORREL_WEBSITE MATCHES "^[Hh][Tt][Tt][Pp][Ss]?://([^/:?#]+)")
  message(FATAL_ERROR "ORREL_WEBSITE must be an http: or https: URL, not '${ORREL_WEBSITE}'")
endif()
set(ORREL_WEBSITE_HOST "${CMAKE_MATCH_1}")

# Both texts become C string literals.
foreach(name bound_text ORREL_WEBSITE)
  string(REPLACE "\\" "\\\\" escaped "${${name}}")
  string(REPLACE "\"" "\\\"" escaped "${escaped}")
  set(${name}_escaped "${escaped}")
endforeach()
set(ORREL_BOUND_SLOT_TEXT "${bound_text_escaped}")
set(ORREL_WEBSITE_TEXT "${ORREL_WEBSITE_escaped}")
configure_file(${PROJECT_SOURCE_DIR}/app/buildconfig.h.in ${PROJECT_BINARY_DIR}/generated/buildconfig.h @ONLY)
