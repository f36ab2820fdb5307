# GNUstep's Objective-C flags and GUI libraries as an interface target, for the Cocoa layer built on
# Linux. gnustep-config names GNUstep's header folders with -I; they are passed as -isystem here so
# that the project's warnings (and -Werror) stay on for our own code without stopping in GNUstep's
# headers. The other flags are kept as gnustep-config gives them, except the dependency-file flags,
# which the generator handles itself.
find_program(GNUSTEP_CONFIG gnustep-config REQUIRED)
execute_process(COMMAND "${GNUSTEP_CONFIG}" --objc-flags OUTPUT_VARIABLE _gnustep_objc_flags
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND "${GNUSTEP_CONFIG}" --gui-libs OUTPUT_VARIABLE _gnustep_gui_libs
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
separate_arguments(_gnustep_objc_flags UNIX_COMMAND "${_gnustep_objc_flags}")
separate_arguments(_gnustep_gui_libs UNIX_COMMAND "${_gnustep_gui_libs}")

set(_gnustep_includes "")
set(_gnustep_compile "")
foreach(flag IN LISTS _gnustep_objc_flags)
  if(flag MATCHES "^-I(.+)$")
    # Folders that do not exist (the per-user and /usr/local ones, the build folder's ".") add nothing.
    if(NOT CMAKE_MATCH_1 STREQUAL "." AND IS_DIRECTORY "${CMAKE_MATCH_1}")
      list(APPEND _gnustep_includes "${CMAKE_MATCH_1}")
    endif()
  elseif(NOT flag MATCHES "^-M(MD|P)$")
    list(APPEND _gnustep_compile "${flag}")
  endif()
endforeach()

add_library(lcsdk_gnustep INTERFACE)
target_include_directories(lcsdk_gnustep SYSTEM INTERFACE
  "$<$<COMPILE_LANGUAGE:OBJCXX>:${_gnustep_includes}>")
target_compile_options(lcsdk_gnustep INTERFACE "$<$<COMPILE_LANGUAGE:OBJCXX>:${_gnustep_compile}>")
# Libraries go after the objects that need them; search folders and the other flags go as they are.
foreach(flag IN LISTS _gnustep_gui_libs)
  if(flag MATCHES "^-l(.+)$")
    target_link_libraries(lcsdk_gnustep INTERFACE "${CMAKE_MATCH_1}")
  elseif(flag MATCHES "^-L(.+)$")
    if(IS_DIRECTORY "${CMAKE_MATCH_1}")
      target_link_directories(lcsdk_gnustep INTERFACE "${CMAKE_MATCH_1}")
    endif()
  else()
    target_link_options(lcsdk_gnustep INTERFACE "${flag}")
  endif()
endforeach()
