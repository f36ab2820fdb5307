# Turns binary files into constant byte arrays with CMake alone.
#
# embed_files(TARGET <library> NAMESPACE <ns> HEADER <name.h> FILES <symbol>=<path> ...)
# Each file becomes `extern const unsigned char <symbol>[]` and `extern const std::size_t <symbol>_size`
# in namespace <ns>, declared in the generated header <name.h>.
set(_embed_files_script "${CMAKE_CURRENT_LIST_DIR}/embed_one_file.cmake")

function(embed_files)
  cmake_parse_arguments(ARG "" "TARGET;NAMESPACE;HEADER" "FILES" ${ARGN})
  set(out_dir "${CMAKE_CURRENT_BINARY_DIR}/embedded")
  set(header "${out_dir}/${ARG_HEADER}")
  set(decls "")
  set(sources "")
  foreach(entry IN LISTS ARG_FILES)
    string(REPLACE "=" ";" parts "${entry}")
    list(GET parts 0 symbol)
    list(GET parts 1 path)
    get_filename_component(path "${path}" ABSOLUTE)
    set(source "${out_dir}/${symbol}.cpp")
    add_custom_command(
      OUTPUT "${source}"
      COMMAND "${CMAKE_COMMAND}" -DINPUT=${path} -DOUTPUT=${source} -DSYMBOL=${symbol}
              -DNAMESPACE=${ARG_NAMESPACE} -P "${_embed_files_script}"
      DEPENDS "${path}" "${_embed_files_script}"
      COMMENT "Embedding ${symbol}"
      VERBATIM)
    list(APPEND sources "${source}")
    string(APPEND decls "extern const unsigned char ${symbol}[];\nextern const std::size_t ${symbol}_size;\n")
  endforeach()
  file(CONFIGURE OUTPUT "${header}"
       CONTENT "#pragma once\n\n#include <cstddef>\n\nnamespace ${ARG_NAMESPACE} {\n\n${decls}\n} // namespace ${ARG_NAMESPACE}\n")
  add_library(${ARG_TARGET} STATIC ${sources})
  target_include_directories(${ARG_TARGET} PUBLIC "${out_dir}")
endfunction()
