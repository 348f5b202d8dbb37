# One interface target that every first-party target links: warnings, sanitizers.
add_library(zep_options INTERFACE)
target_compile_options(zep_options INTERFACE -Wall -Wextra -Wpedantic)
# GCC 12 reports std::string concatenations as overlapping copies at -O2 and above (a known false
# positive inside libstdc++); the warning is silenced there rather than let it fail release builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(zep_options INTERFACE -Wno-restrict)
endif()
if(ZEP_WERROR)
  target_compile_options(zep_options INTERFACE -Werror)
endif()
if(ZEP_SANITIZE)
  target_compile_options(zep_options INTERFACE -fsanitize=${ZEP_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_link_options(zep_options INTERFACE -fsanitize=${ZEP_SANITIZE})
endif()

# Adds a core library: sources relative to the calling directory, include root src/.
function(zep_core_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC zep_options ${ARG_DEPS})
endfunction()
