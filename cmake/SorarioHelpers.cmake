# sorario_module(NAME SOURCES ... DEPENDS ...): one static library per source folder,
# so each folder builds and is tested on its own.
function(sorario_module name)
  cmake_parse_arguments(M "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${M_SOURCES})
  target_link_libraries(${name} PUBLIC sorario_settings_flags ${M_DEPENDS})
  add_dependencies(${name} sorario_layers)
endfunction()

# sorario_test(NAME SOURCES ... LIBS ... [GUI]): one Qt Test executable registered with CTest.
# SERVER: the test keeps histories, and runs a second time, as NAME_postgresql, against
# the PostgreSQL server $SORARIO_TEST_POSTGRES names (skipped when none is given).
function(sorario_test name)
  cmake_parse_arguments(T "GUI;SERVER" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE sorario_settings_flags Qt6::Test ${T_LIBS})
  target_compile_definitions(${name} PRIVATE
    SORARIO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    SORARIO_SAMPLES="${CMAKE_SOURCE_DIR}/samples"
    SORARIO_CLI="$<TARGET_FILE:sorario-cli>")
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8" TIMEOUT 300
    ENVIRONMENT_MODIFICATION "SORARIO_TEST_BACKEND=unset:")
  if(T_SERVER)
    add_test(NAME ${name}_postgresql COMMAND ${name})
    set_tests_properties(${name}_postgresql PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;SORARIO_TEST_BACKEND=postgresql" TIMEOUT 600
      SKIP_REGULAR_EXPRESSION "no PostgreSQL server under test")
  endif()
endfunction()
